#pragma once
#include <cstdint>
#include <cstring>

#include <immintrin.h>

#include "platform/display/pixel_format.h"

// The vector rows of the quad rasteriser: a run of texels shaded by the common
// texture stages and written with the standard blend or with blending off. Each
// row gives exactly the pixels of ShadePixel followed by BlendPixel; the
// arithmetic is laid out in fixed-size chunks of independent lanes so that the
// compiler turns it into vector code (SSE2, or AVX2 where the processor has it).
namespace plat::rows {

// How a pixel's colour comes out of the texture stage.
enum class ShadeKind {
  kTexel,        // the texel as it is
  kOpaqueTexel,  // the texel's colour with alpha 255
  kModulate,     // texel times diffuse, colour and alpha
  kFactorBlend,  // colour: texel and texture factor mixed by the factor's alpha; alpha: the texel's
  kGeneric,      // anything else: ShadePixel pixel by pixel
};

template <PixelFormat F>
constexpr int Bpp() {
  return (F == PixelFormat::kR5G6B5 || F == PixelFormat::kA1R5G5B5) ? 2 : 4;
}

template <PixelFormat F>
inline uint32_t Load(const uint8_t* p) {
  if constexpr (Bpp<F>() == 2) return Load16(p);
  else return Load32(p);
}

template <PixelFormat F>
inline void Store(uint8_t* p, uint32_t v) {
  if constexpr (Bpp<F>() == 2) Store16(p, v);
  else Store32(p, v);
}

// PixelToArgb and ArgbToPixel with the format fixed at compile time.
template <PixelFormat F>
inline uint32_t ToArgb(uint32_t p) {
  if constexpr (F == PixelFormat::kR5G6B5) {
    return 0xFF000000u | Expand5((p >> 11) & 31) << 16 | Expand6((p >> 5) & 63) << 8 | Expand5(p & 31);
  } else if constexpr (F == PixelFormat::kA1R5G5B5) {
    return (0u - ((p >> 15) & 1)) << 24 | Expand5((p >> 10) & 31) << 16 | Expand5((p >> 5) & 31) << 8 |
           Expand5(p & 31);
  } else if constexpr (F == PixelFormat::kX8R8G8B8) {
    return 0xFF000000u | (p & 0x00FFFFFFu);
  } else {
    return p;
  }
}

template <PixelFormat F>
inline uint32_t FromArgb(uint32_t argb) {
  if constexpr (F == PixelFormat::kR5G6B5) {
    return ((argb >> 19) & 31) << 11 | ((argb >> 10) & 63) << 5 | ((argb >> 3) & 31);
  } else if constexpr (F == PixelFormat::kA1R5G5B5) {
    return (argb >> 31) << 15 | ((argb >> 19) & 31) << 10 | ((argb >> 11) & 31) << 5 | ((argb >> 3) & 31);
  } else if constexpr (F == PixelFormat::kX8R8G8B8) {
    return argb & 0x00FFFFFFu;
  } else {
    return argb;
  }
}

// round(x / 255) for x up to 255 * 255 + 128, without a division:
// t / 255 == (t + 1 + (t >> 8)) >> 8 for every t below 65535.
inline uint32_t Div255(uint32_t x) {
  const uint32_t t = x + 127;
  return (t + 1 + (t >> 8)) >> 8;
}

// The same in 16-bit lanes (every value it meets fits 16 bits), so that eight
// channels share one vector multiply.
inline uint16_t Div255Lane(uint16_t x) {
  const uint16_t t = static_cast<uint16_t>(x + 127);
  return static_cast<uint16_t>(static_cast<uint16_t>(t + 1 + (t >> 8)) >> 8);
}

inline uint16_t MulLane(uint16_t a, uint16_t b) { return static_cast<uint16_t>(a * b); }

inline bool HasAvx2() {
  static const bool has = __builtin_cpu_supports("avx2");
  return has;
}

constexpr int kChunk = 16;

// n (at most kChunk) shaded texels in[] written over the n target pixels at d:
// blend true is the standard source-alpha blend (a texel of alpha 0 leaves the
// pixel as it is), false is blending off.
template <PixelFormat TF, ShadeKind K, bool kBlend, int N>
[[gnu::always_inline]] inline void ShadeChunk(uint8_t* d, const uint32_t* in, uint32_t diffuse) {
  constexpr int tb = Bpp<TF>();
  uint32_t raw[N], out[N];
  // Channels of the shaded texels (s*) and of the target (t*), one lane each.
  uint16_t sa[N], sr[N], sg[N], sb[N], ta[N], tr[N], tg[N], tbl[N];
  for (int k = 0; k < N; ++k) {
    const uint32_t t = in[k];
    sa[k] = static_cast<uint16_t>(K == ShadeKind::kOpaqueTexel ? 255 : t >> 24);
    sr[k] = static_cast<uint16_t>((t >> 16) & 255);
    sg[k] = static_cast<uint16_t>((t >> 8) & 255);
    sb[k] = static_cast<uint16_t>(t & 255);
  }
  if constexpr (K == ShadeKind::kFactorBlend) {
    // diffuse carries the texture factor here.
    const uint16_t fa = static_cast<uint16_t>(diffuse >> 24), ifa = static_cast<uint16_t>(255 - fa);
    const uint16_t fr = MulLane(static_cast<uint16_t>((diffuse >> 16) & 255), ifa),
                   fg = MulLane(static_cast<uint16_t>((diffuse >> 8) & 255), ifa),
                   fb = MulLane(static_cast<uint16_t>(diffuse & 255), ifa);
    for (int k = 0; k < N; ++k) {
      sr[k] = Div255Lane(static_cast<uint16_t>(MulLane(sr[k], fa) + fr));
      sg[k] = Div255Lane(static_cast<uint16_t>(MulLane(sg[k], fa) + fg));
      sb[k] = Div255Lane(static_cast<uint16_t>(MulLane(sb[k], fa) + fb));
    }
  }
  if constexpr (K == ShadeKind::kModulate) {
    const uint16_t da = static_cast<uint16_t>(diffuse >> 24), dr = static_cast<uint16_t>((diffuse >> 16) & 255),
                   dg = static_cast<uint16_t>((diffuse >> 8) & 255), db = static_cast<uint16_t>(diffuse & 255);
    for (int k = 0; k < N; ++k) {
      sa[k] = Div255Lane(MulLane(sa[k], da));
      sr[k] = Div255Lane(MulLane(sr[k], dr));
      sg[k] = Div255Lane(MulLane(sg[k], dg));
      sb[k] = Div255Lane(MulLane(sb[k], db));
    }
  }
  if constexpr (kBlend) {
    for (int k = 0; k < N; ++k) raw[k] = Load<TF>(d + tb * k);
    for (int k = 0; k < N; ++k) {
      const uint32_t p = ToArgb<TF>(raw[k]);
      ta[k] = static_cast<uint16_t>(p >> 24);
      tr[k] = static_cast<uint16_t>((p >> 16) & 255);
      tg[k] = static_cast<uint16_t>((p >> 8) & 255);
      tbl[k] = static_cast<uint16_t>(p & 255);
    }
    for (int k = 0; k < N; ++k) {
      const uint16_t a = sa[k], ia = static_cast<uint16_t>(255 - a);
      tr[k] = Div255Lane(static_cast<uint16_t>(MulLane(sr[k], a) + MulLane(tr[k], ia)));
      tg[k] = Div255Lane(static_cast<uint16_t>(MulLane(sg[k], a) + MulLane(tg[k], ia)));
      tbl[k] = Div255Lane(static_cast<uint16_t>(MulLane(sb[k], a) + MulLane(tbl[k], ia)));
      ta[k] = Div255Lane(static_cast<uint16_t>(MulLane(a, a) + MulLane(ta[k], ia)));
    }
    for (int k = 0; k < N; ++k) {
      const uint32_t v = FromArgb<TF>(uint32_t(ta[k]) << 24 | uint32_t(tr[k]) << 16 | uint32_t(tg[k]) << 8 | tbl[k]);
      out[k] = sa[k] == 0 ? raw[k] : v;
    }
  } else {
    for (int k = 0; k < N; ++k)
      out[k] = FromArgb<TF>(uint32_t(sa[k]) << 24 | uint32_t(sr[k]) << 16 | uint32_t(sg[k]) << 8 | sb[k]);
  }
  for (int k = 0; k < N; ++k) Store<TF>(d + tb * k, out[k]);
}

// round(x / 255) in eight 16-bit lanes, as Div255.
inline __m128i Div255x8(__m128i x) {
  const __m128i t = _mm_add_epi16(x, _mm_set1_epi16(127));
  return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(t, _mm_set1_epi16(1)), _mm_srli_epi16(t, 8)), 8);
}

// Each pixel's alpha (lanes 3 and 7 of two unpacked pixels) in all four of its lanes.
inline __m128i SpreadAlpha(__m128i px) {
  return _mm_shufflehi_epi16(_mm_shufflelo_epi16(px, 0xFF), 0xFF);
}

// Two unpacked pixels shaded and blended over two unpacked target pixels.
template <ShadeKind K>
inline __m128i BlendPair(__m128i s, __m128i t, __m128i diffuse) {
  if constexpr (K == ShadeKind::kModulate) s = Div255x8(_mm_mullo_epi16(s, diffuse));
  if constexpr (K == ShadeKind::kFactorBlend) {
    // diffuse carries the texture factor: colour lanes mixed by its alpha, the alpha lanes kept.
    const __m128i fa = SpreadAlpha(diffuse), ifa = _mm_sub_epi16(_mm_set1_epi16(255), fa);
    const __m128i mixed = Div255x8(_mm_add_epi16(_mm_mullo_epi16(s, fa), _mm_mullo_epi16(diffuse, ifa)));
    const __m128i alphaLanes = _mm_set_epi16(-1, 0, 0, 0, -1, 0, 0, 0);
    s = _mm_or_si128(_mm_and_si128(alphaLanes, s), _mm_andnot_si128(alphaLanes, mixed));
  }
  const __m128i a = SpreadAlpha(s), ia = _mm_sub_epi16(_mm_set1_epi16(255), a);
  return Div255x8(_mm_add_epi16(_mm_mullo_epi16(s, a), _mm_mullo_epi16(t, ia)));
}

// The standard blend of n A8R8G8B8 texels (X8R8G8B8 ones when kOpaqueSource)
// over a 32-bit target, four pixels to a vector: the pixels of ShadeChunk.
template <PixelFormat TF, ShadeKind K, bool kOpaqueSource>
void BlendRow32(uint8_t* d, const uint8_t* tex, int n, uint32_t diffuse) {
  static_assert(Bpp<TF>() == 4, "a 32-bit target");
  const __m128i zero = _mm_setzero_si128(), alphaByte = _mm_set1_epi32(int(0xFF000000u));
  const __m128i targetAlpha = TF == PixelFormat::kX8R8G8B8 ? alphaByte : zero;
  const __m128i keepColour = _mm_set1_epi32(TF == PixelFormat::kX8R8G8B8 ? 0x00FFFFFF : -1);
  const __m128i diff = _mm_unpacklo_epi8(_mm_set1_epi32(int(diffuse)), zero);
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(tex + 4 * i));
    if constexpr (kOpaqueSource || K == ShadeKind::kOpaqueTexel) s = _mm_or_si128(s, alphaByte);
    if constexpr (K == ShadeKind::kTexel && !kOpaqueSource) {
      // Sprites are mostly runs of alpha 0 and 255: four of 0 leave the target
      // alone, four of 255 are stored without reading it, a mix of the two is picked.
      const __m128i alpha = _mm_and_si128(s, alphaByte);
      const int none = _mm_movemask_epi8(_mm_cmpeq_epi32(alpha, zero));
      if (none == 0xFFFF) continue;
      const __m128i full = _mm_cmpeq_epi32(alpha, alphaByte);
      const int opaque = _mm_movemask_epi8(full);
      if (opaque == 0xFFFF) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 4 * i), _mm_and_si128(s, keepColour));
        continue;
      }
      if ((none | opaque) == 0xFFFF) {
        const __m128i raw = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + 4 * i));
        const __m128i picked = _mm_or_si128(_mm_and_si128(full, _mm_and_si128(s, keepColour)), _mm_andnot_si128(full, raw));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 4 * i), picked);
        continue;
      }
    }
    const __m128i raw = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + 4 * i));
    const __m128i t = _mm_or_si128(raw, targetAlpha);
    const __m128i lo = BlendPair<K>(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(t, zero), diff);
    const __m128i hi = BlendPair<K>(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(t, zero), diff);
    const __m128i out = _mm_and_si128(_mm_packus_epi16(lo, hi), keepColour);
    // A shaded alpha of 0 leaves the target as it is.
    __m128i shadedAlpha = s;
    if constexpr (K == ShadeKind::kModulate) {
      const __m128i sl = Div255x8(_mm_mullo_epi16(_mm_unpacklo_epi8(s, zero), diff));
      const __m128i sh = Div255x8(_mm_mullo_epi16(_mm_unpackhi_epi8(s, zero), diff));
      shadedAlpha = _mm_packus_epi16(sl, sh);
    }
    const __m128i transparent = _mm_cmpeq_epi32(_mm_and_si128(shadedAlpha, alphaByte), zero);
    const __m128i result = _mm_or_si128(_mm_and_si128(transparent, raw), _mm_andnot_si128(transparent, out));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 4 * i), result);
  }
  if (i < n) {
    constexpr PixelFormat SF = kOpaqueSource ? PixelFormat::kX8R8G8B8 : PixelFormat::kA8R8G8B8;
    for (; i < n; ++i) {
      uint32_t in[1] = {ToArgb<SF>(Load32(tex + 4 * i))};
      ShadeChunk<TF, K, true, 1>(d + 4 * i, in, diffuse);
    }
  }
}

// Div255x8 and BlendPair in AVX2 lanes: sixteen channels, four pixels per 128-bit half.
[[gnu::target("avx2")]] inline __m256i Div255x16(__m256i x) {
  const __m256i t = _mm256_add_epi16(x, _mm256_set1_epi16(127));
  return _mm256_srli_epi16(_mm256_add_epi16(_mm256_add_epi16(t, _mm256_set1_epi16(1)), _mm256_srli_epi16(t, 8)), 8);
}

[[gnu::target("avx2")]] inline __m256i SpreadAlpha16(__m256i px) {
  return _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(px, 0xFF), 0xFF);
}

template <ShadeKind K>
[[gnu::target("avx2"), gnu::always_inline]] inline __m256i BlendQuad(__m256i s, __m256i t, __m256i diffuse) {
  if constexpr (K == ShadeKind::kModulate) s = Div255x16(_mm256_mullo_epi16(s, diffuse));
  if constexpr (K == ShadeKind::kFactorBlend) {
    const __m256i fa = SpreadAlpha16(diffuse), ifa = _mm256_sub_epi16(_mm256_set1_epi16(255), fa);
    const __m256i mixed = Div255x16(_mm256_add_epi16(_mm256_mullo_epi16(s, fa), _mm256_mullo_epi16(diffuse, ifa)));
    const __m256i alphaLanes = _mm256_set_epi16(-1, 0, 0, 0, -1, 0, 0, 0, -1, 0, 0, 0, -1, 0, 0, 0);
    s = _mm256_or_si256(_mm256_and_si256(alphaLanes, s), _mm256_andnot_si256(alphaLanes, mixed));
  }
  const __m256i a = SpreadAlpha16(s), ia = _mm256_sub_epi16(_mm256_set1_epi16(255), a);
  return Div255x16(_mm256_add_epi16(_mm256_mullo_epi16(s, a), _mm256_mullo_epi16(t, ia)));
}

// Eight pixels of BlendRow32 at once: s the eight texels (alpha forced where the
// source has none), d the target. The pixels of BlendRow32.
template <PixelFormat TF, ShadeKind K>
[[gnu::target("avx2"), gnu::always_inline]] inline void BlendEight32(uint8_t* d, __m256i s, __m256i diff16) {
  const __m256i zero = _mm256_setzero_si256(), alphaByte = _mm256_set1_epi32(int(0xFF000000u));
  const __m256i targetAlpha = TF == PixelFormat::kX8R8G8B8 ? alphaByte : zero;
  const __m256i keepColour = _mm256_set1_epi32(TF == PixelFormat::kX8R8G8B8 ? 0x00FFFFFF : -1);
  __m256i* p = reinterpret_cast<__m256i*>(d);
  const __m256i raw = _mm256_loadu_si256(p);
  const __m256i t = _mm256_or_si256(raw, targetAlpha);
  const __m256i lo = BlendQuad<K>(_mm256_unpacklo_epi8(s, zero), _mm256_unpacklo_epi8(t, zero), diff16);
  const __m256i hi = BlendQuad<K>(_mm256_unpackhi_epi8(s, zero), _mm256_unpackhi_epi8(t, zero), diff16);
  const __m256i out = _mm256_and_si256(_mm256_packus_epi16(lo, hi), keepColour);
  __m256i shadedAlpha = s;
  if constexpr (K == ShadeKind::kModulate) {
    // Only the alpha byte of the product is looked at: diffuse alpha times texel alpha.
    const __m256i sl = Div255x16(_mm256_mullo_epi16(_mm256_unpacklo_epi8(s, zero), diff16));
    const __m256i sh = Div255x16(_mm256_mullo_epi16(_mm256_unpackhi_epi8(s, zero), diff16));
    shadedAlpha = _mm256_packus_epi16(sl, sh);
  }
  const __m256i transparent = _mm256_cmpeq_epi32(_mm256_and_si256(shadedAlpha, alphaByte), zero);
  _mm256_storeu_si256(p, _mm256_blendv_epi8(out, raw, transparent));
}

// BlendRow32 eight pixels to a vector, for processors with AVX2.
template <PixelFormat TF, ShadeKind K, bool kOpaqueSource>
[[gnu::target("avx2")]] void BlendRow32Avx2(uint8_t* d, const uint8_t* tex, int n, uint32_t diffuse) {
  static_assert(Bpp<TF>() == 4, "a 32-bit target");
  const __m256i alphaByte = _mm256_set1_epi32(int(0xFF000000u));
  const __m256i diff16 = _mm256_unpacklo_epi8(_mm256_set1_epi32(int(diffuse)), _mm256_setzero_si256());
  int i = 0;
  for (; i + 8 <= n; i += 8) {
    __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(tex + 4 * i));
    if constexpr (kOpaqueSource || K == ShadeKind::kOpaqueTexel) s = _mm256_or_si256(s, alphaByte);
    BlendEight32<TF, K>(d + 4 * i, s, diff16);
  }
  if (i < n) BlendRow32<TF, K, kOpaqueSource>(d + 4 * i, tex + 4 * i, n - i, diffuse);
}

// The texels of sprites and keyed layers (alpha 0 or 255 almost everywhere) with
// their own alpha under the standard blend onto a 32-bit target, eight to a
// vector: eight of alpha 0 leave the target alone, eight of 0 or 255 are picked
// over the target without a branch per run, a block with any other alpha is
// blended by BlendRow32. The pixels of BlendRow32.
template <PixelFormat TF>
[[gnu::target("avx2")]] void TexelRow32Avx2(uint8_t* d, const uint8_t* tex, int n) {
  static_assert(Bpp<TF>() == 4, "a 32-bit target");
  const __m256i zero = _mm256_setzero_si256(), alphaByte = _mm256_set1_epi32(int(0xFF000000u));
  const __m256i keepColour = _mm256_set1_epi32(TF == PixelFormat::kX8R8G8B8 ? 0x00FFFFFF : -1);
  int i = 0;
  for (; i + 8 <= n; i += 8) {
    const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(tex + 4 * i));
    const __m256i alpha = _mm256_and_si256(s, alphaByte);
    const int none = _mm256_movemask_ps(_mm256_castsi256_ps(_mm256_cmpeq_epi32(alpha, zero)));
    if (none == 0xFF) continue;
    const __m256i full = _mm256_cmpeq_epi32(alpha, alphaByte);
    if ((none | _mm256_movemask_ps(_mm256_castsi256_ps(full))) != 0xFF) {
      BlendEight32<TF, ShadeKind::kTexel>(d + 4 * i, s, _mm256_set1_epi16(255));
      continue;
    }
    __m256i* p = reinterpret_cast<__m256i*>(d + 4 * i);
    _mm256_storeu_si256(p, _mm256_blendv_epi8(_mm256_loadu_si256(p), _mm256_and_si256(s, keepColour), full));
  }
  if (i < n) BlendRow32<TF, ShadeKind::kTexel, false>(d + 4 * i, tex + 4 * i, n - i, 0xFFFFFFFFu);
}

// The texels of a run as A8R8G8B8: consecutive from tex, or tex's columns cols[].
template <PixelFormat SF, int N>
[[gnu::always_inline]] inline void GatherChunk(uint32_t* out, const uint8_t* tex, const int* cols) {
  constexpr int sb = Bpp<SF>();
  if (cols) {
    for (int k = 0; k < N; ++k) out[k] = ToArgb<SF>(Load<SF>(tex + sb * cols[k]));
  } else {
    for (int k = 0; k < N; ++k) out[k] = ToArgb<SF>(Load<SF>(tex + sb * k));
  }
}

// A whole row: n texels (from tex, through cols when not null) onto dst.
template <PixelFormat TF, PixelFormat SF, ShadeKind K, bool kBlend>
[[gnu::always_inline]] inline void ShadeRowBody(uint8_t* dst, const uint8_t* tex, const int* cols, int n,
                                                uint32_t diffuse) {
  constexpr int tb = Bpp<TF>(), sb = Bpp<SF>();
  int i = 0;
  for (; i + kChunk <= n; i += kChunk) {
    uint32_t in[kChunk];
    if (cols) GatherChunk<SF, kChunk>(in, tex, cols + i);
    else GatherChunk<SF, kChunk>(in, tex + sb * i, nullptr);
    ShadeChunk<TF, K, kBlend, kChunk>(dst + tb * i, in, diffuse);
  }
  for (; i < n; ++i) {
    uint32_t in[1];
    if (cols) GatherChunk<SF, 1>(in, tex, cols + i);
    else GatherChunk<SF, 1>(in, tex + sb * i, nullptr);
    ShadeChunk<TF, K, kBlend, 1>(dst + tb * i, in, diffuse);
  }
}

// The same compiled for AVX2 (twice the lanes), taken where the processor has it.
template <PixelFormat TF, PixelFormat SF, ShadeKind K, bool kBlend>
[[gnu::target("avx2")]] void ShadeRowAvx2(uint8_t* dst, const uint8_t* tex, const int* cols, int n,
                                          uint32_t diffuse) {
  ShadeRowBody<TF, SF, K, kBlend>(dst, tex, cols, n, diffuse);
}

template <PixelFormat TF, PixelFormat SF, ShadeKind K, bool kBlend>
void ShadeRow(uint8_t* dst, const uint8_t* tex, const int* cols, int n, uint32_t diffuse) {
  constexpr bool k32 = Bpp<TF>() == 4 && (SF == PixelFormat::kA8R8G8B8 || SF == PixelFormat::kX8R8G8B8);
  if constexpr (k32 && kBlend && K != ShadeKind::kGeneric) {
    if (!cols) {
      if (HasAvx2()) BlendRow32Avx2<TF, K, SF == PixelFormat::kX8R8G8B8>(dst, tex, n, diffuse);
      else BlendRow32<TF, K, SF == PixelFormat::kX8R8G8B8>(dst, tex, n, diffuse);
      return;
    }
  }
  if (HasAvx2()) {
    ShadeRowAvx2<TF, SF, K, kBlend>(dst, tex, cols, n, diffuse);
  } else {
    ShadeRowBody<TF, SF, K, kBlend>(dst, tex, cols, n, diffuse);
  }
}

}  // namespace plat::rows
