#pragma once
#include <cstdint>
#include <cstring>

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

constexpr int kChunk = 16;

// n (at most kChunk) shaded texels in[] written over the n target pixels at d:
// blend true is the standard source-alpha blend (a texel of alpha 0 leaves the
// pixel as it is), false is blending off.
template <PixelFormat TF, ShadeKind K, bool kBlend, int N>
inline void ShadeChunk(uint8_t* d, const uint32_t* in, uint32_t diffuse) {
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

// The texels of a run as A8R8G8B8: consecutive from tex, or tex's columns cols[].
template <PixelFormat SF, int N>
inline void GatherChunk(uint32_t* out, const uint8_t* tex, const int* cols) {
  constexpr int sb = Bpp<SF>();
  if (cols) {
    for (int k = 0; k < N; ++k) out[k] = ToArgb<SF>(Load<SF>(tex + sb * cols[k]));
  } else {
    for (int k = 0; k < N; ++k) out[k] = ToArgb<SF>(Load<SF>(tex + sb * k));
  }
}

// A whole row: n texels (from tex, through cols when not null) onto dst.
template <PixelFormat TF, PixelFormat SF, ShadeKind K, bool kBlend>
void ShadeRow(uint8_t* dst, const uint8_t* tex, const int* cols, int n, uint32_t diffuse) {
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

}  // namespace plat::rows
