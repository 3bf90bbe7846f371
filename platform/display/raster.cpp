#include "platform/display/raster.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/display/raster_rows.h"
#include "platform/display/texel_run.h"

namespace plat {
namespace {

// round(x / 255) for any x the blends produce.
inline uint32_t Div255(uint32_t x) { return (x + 127) / 255; }
inline uint32_t Mul255(uint32_t a, uint32_t b) { return Div255(a * b); }

inline uint32_t Arg(uint32_t which, uint32_t texel, uint32_t diffuse, uint32_t factor) {
  switch (which & 0xF) {
    case kArgTexture: return texel;
    case kArgTFactor: return factor;
    default: return diffuse;  // diffuse, and "current" of the first stage
  }
}

inline uint32_t Op(uint32_t op, uint32_t x, uint32_t y, uint32_t factorAlpha, uint32_t current) {
  switch (op) {
    case kTopDisable: return current;
    case kTopSelectArg2: return y;
    case kTopModulate: return Mul255(x, y);
    case kTopModulate2x: return std::min<uint32_t>(255, 2 * Mul255(x, y));
    case kTopModulate4x: return std::min<uint32_t>(255, 4 * Mul255(x, y));
    case kTopAdd: return std::min<uint32_t>(255, x + y);
    case kTopAddSigned: return static_cast<uint32_t>(std::clamp<int>(int(x) + int(y) - 128, 0, 255));
    case kTopSubtract: return x > y ? x - y : 0;
    case kTopBlendFactorAlpha: return Div255(x * factorAlpha + y * (255 - factorAlpha));
    default: return x;  // select argument 1 (and any operation we do not know)
  }
}

inline uint32_t Factor(uint32_t f, uint32_t srcAlpha) {
  switch (f) {
    case kBlendZero: return 0;
    case kBlendSrcAlpha: return srcAlpha;
    case kBlendInvSrcAlpha: return 255 - srcAlpha;
    default: return 255;
  }
}

}  // namespace

bool StageUsesTexture(const StageState& s) {
  auto uses = [](uint32_t op, uint32_t a1, uint32_t a2) {
    if (op == kTopDisable) return false;
    if (op == kTopSelectArg1) return (a1 & 0xF) == kArgTexture;
    if (op == kTopSelectArg2) return (a2 & 0xF) == kArgTexture;
    return (a1 & 0xF) == kArgTexture || (a2 & 0xF) == kArgTexture;
  };
  return uses(s.colorOp, s.colorArg1, s.colorArg2) || uses(s.alphaOp, s.alphaArg1, s.alphaArg2);
}

namespace {

using rows::ShadeKind;
using rows::Bpp;

// The mix of texel and texture factor of the colour blend, with the texel's alpha.
bool FactorBlendStage(const StageState& s) {
  auto isTex = [](uint32_t a) { return (a & 0xF) == kArgTexture; };
  return s.colorOp == kTopBlendFactorAlpha && isTex(s.colorArg1) && (s.colorArg2 & 0xF) == kArgTFactor &&
         ((s.alphaOp == kTopSelectArg1 && isTex(s.alphaArg1)) || (s.alphaOp == kTopSelectArg2 && isTex(s.alphaArg2)));
}

ShadeKind KindOf(const RasterState& st, uint32_t diffuse) {
  const StageState& s = st.stage;
  if (FactorBlendStage(s)) return ShadeKind::kFactorBlend;
  auto isTex = [](uint32_t a) { return (a & 0xF) == kArgTexture; };
  auto isDiff = [](uint32_t a) { return (a & 0xF) == kArgDiffuse || (a & 0xF) == kArgCurrent; };
  auto texTimesDiffuse = [&](uint32_t op, uint32_t a1, uint32_t a2) {
    return op == kTopModulate && ((isTex(a1) && isDiff(a2)) || (isDiff(a1) && isTex(a2)));
  };
  const bool colorModulated = texTimesDiffuse(s.colorOp, s.colorArg1, s.colorArg2);
  const bool alphaModulated = texTimesDiffuse(s.alphaOp, s.alphaArg1, s.alphaArg2);
  bool colorIsTexel = (s.colorOp == kTopSelectArg1 && isTex(s.colorArg1)) ||
                      (s.colorOp == kTopSelectArg2 && isTex(s.colorArg2)) ||
                      (colorModulated && (diffuse & 0xFFFFFF) == 0xFFFFFF);
  if (!colorIsTexel) return colorModulated && alphaModulated ? ShadeKind::kModulate : ShadeKind::kGeneric;
  bool alphaIsTexel = (s.alphaOp == kTopSelectArg1 && isTex(s.alphaArg1)) ||
                      (s.alphaOp == kTopSelectArg2 && isTex(s.alphaArg2)) ||
                      (alphaModulated && (diffuse >> 24) == 255);
  if (alphaIsTexel) return ShadeKind::kTexel;
  bool alphaOpaque = (diffuse >> 24) == 255 &&
                     (s.alphaOp == kTopDisable || (s.alphaOp == kTopSelectArg1 && isDiff(s.alphaArg1)) ||
                      (s.alphaOp == kTopSelectArg2 && isDiff(s.alphaArg2)));
  if (alphaOpaque) return ShadeKind::kOpaqueTexel;
  return colorModulated && alphaModulated ? ShadeKind::kModulate : ShadeKind::kGeneric;
}


bool StandardBlend(const RasterState& st) {
  return st.alphaBlend && st.srcBlend == kBlendSrcAlpha && st.dstBlend == kBlendInvSrcAlpha;
}
bool NoBlend(const RasterState& st) {
  return !st.alphaBlend || (st.srcBlend == kBlendOne && st.dstBlend == kBlendZero);
}

template <PixelFormat F>
inline uint32_t Get(const uint8_t* p) {
  return rows::ToArgb<F>(rows::Load<F>(p));
}

template <PixelFormat F>
inline void Put(uint8_t* p, uint32_t argb) {
  rows::Store<F>(p, rows::FromArgb<F>(argb));
}

inline uint32_t BlendStandard(uint32_t s, uint32_t d) {
  uint32_t a = s >> 24, ia = 255 - a;
  uint32_t r = Div255(((s >> 16) & 255) * a + ((d >> 16) & 255) * ia);
  uint32_t g = Div255(((s >> 8) & 255) * a + ((d >> 8) & 255) * ia);
  uint32_t b = Div255((s & 255) * a + (d & 255) * ia);
  uint32_t oa = Div255(a * a + (d >> 24) * ia);
  return oa << 24 | r << 16 | g << 8 | b;
}

// The fast rows of the common draw: a texture drawn with its own alpha under the
// standard blend. Runs of texels of alpha 0 are skipped and of alpha 255 copied
// without reading the target; others are blended in vector lanes. The pixels
// are exactly those of the general loop.

// A8R8G8B8 texels onto a 32-bit target.
template <PixelFormat TF>
void AlphaTexelRow32(uint8_t* dst, const uint8_t* tex, const int* cols, int n) {
  if (cols) {
    rows::ShadeRow<TF, PixelFormat::kA8R8G8B8, ShadeKind::kTexel, true>(dst, tex, cols, n, 0xFFFFFFFFu);
  } else if (rows::HasAvx2()) {
    rows::TexelRow32Avx2<TF>(dst, tex, n);
  } else {
    rows::BlendRow32<TF, ShadeKind::kTexel, false>(dst, tex, n, 0xFFFFFFFFu);
  }
}

// A1R5G5B5 texels (alpha 0 or 255 only) onto a 16-bit target: copied as they are
// onto A1R5G5B5, widened to 6 bits of green (5 -> 8 -> 6 bits) onto R5G6B5.
template <PixelFormat TF>
inline uint32_t OpaqueTexel16(uint32_t v) {
  if constexpr (TF == PixelFormat::kR5G6B5) return ((v & 0x7FE0u) << 1) | ((v >> 4) & 0x20u) | (v & 0x1Fu);
  else return v;
}

template <PixelFormat TF>
void AlphaTexelRow16(uint8_t* dst, const uint8_t* tex, const int* cols, int n) {
  int i = 0;
  if (!cols) {
    // Eight texels to a vector: none with alpha leave the target alone, all
    // with alpha are stored without reading it, a mix is picked.
    for (; i + 8 <= n; i += 8) {
      const __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i*>(tex + 2 * i));
      const __m128i opaque = _mm_srai_epi16(in, 15);
      const int mask = _mm_movemask_epi8(opaque);
      if (mask == 0) continue;
      __m128i out = in;
      if constexpr (TF == PixelFormat::kR5G6B5) {
        out = _mm_or_si128(_mm_or_si128(_mm_slli_epi16(_mm_and_si128(in, _mm_set1_epi16(0x7FE0)), 1),
                                        _mm_and_si128(_mm_srli_epi16(in, 4), _mm_set1_epi16(0x20))),
                           _mm_and_si128(in, _mm_set1_epi16(0x1F)));
      }
      if (mask != 0xFFFF) {
        const __m128i old = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + 2 * i));
        out = _mm_or_si128(_mm_and_si128(opaque, out), _mm_andnot_si128(opaque, old));
      }
      _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 2 * i), out);
    }
  }
  for (; i < n; ++i) {
    const uint32_t v = Load16(tex + 2 * (cols ? cols[i] : i));
    if (v & 0x8000u) Store16(dst + 2 * i, OpaqueTexel16<TF>(v));
  }
}

// The vector row for a stage and blend the rows know, or null.
template <PixelFormat TF, PixelFormat SF>
using ShadeRowFn = void (*)(uint8_t*, const uint8_t*, const int*, int, uint32_t);

template <PixelFormat TF, PixelFormat SF, bool kBlend>
ShadeRowFn<TF, SF> PickShadeRow(ShadeKind kind) {
  switch (kind) {
    case ShadeKind::kTexel: return &rows::ShadeRow<TF, SF, ShadeKind::kTexel, kBlend>;
    case ShadeKind::kOpaqueTexel: return &rows::ShadeRow<TF, SF, ShadeKind::kOpaqueTexel, kBlend>;
    case ShadeKind::kModulate: return &rows::ShadeRow<TF, SF, ShadeKind::kModulate, kBlend>;
    case ShadeKind::kFactorBlend: return &rows::ShadeRow<TF, SF, ShadeKind::kFactorBlend, kBlend>;
    default: return nullptr;
  }
}

// One row of an axis-aligned textured quad: cols[i] is the texel column of the
// i-th pixel. A null cols means texel columns cols0, cols0 + 1, ... (a same-size quad).
template <PixelFormat TF, PixelFormat SF>
void TexturedRow(uint8_t* dst, const uint8_t* tex, const int* cols, int n, const RasterState& st, uint32_t diffuse,
                 ShadeKind kind, bool standardBlend, bool noBlend) {
  constexpr int tb = Bpp<TF>(), sb = Bpp<SF>();
  if (kind == ShadeKind::kTexel && standardBlend) {
    if constexpr (SF == PixelFormat::kA8R8G8B8 && tb == 4) {
      AlphaTexelRow32<TF>(dst, tex, cols, n);
      return;
    }
    if constexpr (SF == PixelFormat::kA1R5G5B5 && tb == 2) {
      AlphaTexelRow16<TF>(dst, tex, cols, n);
      return;
    }
  }
  // A straight copy where the target keeps every bit of the texel the stage
  // gives: the texel itself with blending off, or a texel without alpha (opaque)
  // under the standard blend too.
  constexpr bool kOpaqueSource = SF == PixelFormat::kR5G6B5 || SF == PixelFormat::kX8R8G8B8;
  const bool copies = !cols && TF == SF &&
                      ((kind == ShadeKind::kTexel && noBlend) ||
                       (kOpaqueSource && (kind == ShadeKind::kTexel || kind == ShadeKind::kOpaqueTexel) &&
                        (noBlend || standardBlend)));
  if (copies) {
    if constexpr (TF == PixelFormat::kA8R8G8B8 || TF == PixelFormat::kR5G6B5) {
      std::memcpy(dst, tex, static_cast<size_t>(n) * tb);
      return;
    }
    if constexpr (TF == PixelFormat::kX8R8G8B8) {
      // The fourth byte is stored as 0.
      for (int i = 0; i < n; ++i) Store32(dst + 4 * i, Load32(tex + 4 * i) & 0x00FFFFFFu);
      return;
    }
  }
  ShadeRowFn<TF, SF> fast = nullptr;
  if (standardBlend) fast = PickShadeRow<TF, SF, true>(kind);
  else if (noBlend) fast = PickShadeRow<TF, SF, false>(kind);
  if (fast) {
    fast(dst, tex, cols, n, kind == ShadeKind::kFactorBlend ? st.textureFactor : diffuse);
    return;
  }
  for (int i = 0; i < n; ++i, dst += tb) {
    uint32_t texel = Get<SF>(tex + (cols ? cols[i] : i) * sb);
    uint32_t src = ShadePixel(st, texel, diffuse);
    if (noBlend) {
      Put<TF>(dst, src);
    } else if (standardBlend) {
      uint32_t a = src >> 24;
      if (a == 0) continue;
      if (a == 255) {
        Put<TF>(dst, src);
      } else {
        Put<TF>(dst, BlendStandard(src, Get<TF>(dst)));
      }
    } else {
      Put<TF>(dst, BlendPixel(st, src, Get<TF>(dst)));
    }
  }
}

using RowFn = void (*)(uint8_t*, const uint8_t*, const int*, int, const RasterState&, uint32_t, ShadeKind, bool, bool);

template <PixelFormat TF>
RowFn PickSource(PixelFormat sf) {
  switch (sf) {
    case PixelFormat::kA1R5G5B5: return &TexturedRow<TF, PixelFormat::kA1R5G5B5>;
    case PixelFormat::kA8R8G8B8: return &TexturedRow<TF, PixelFormat::kA8R8G8B8>;
    case PixelFormat::kR5G6B5: return &TexturedRow<TF, PixelFormat::kR5G6B5>;
    case PixelFormat::kX8R8G8B8: return &TexturedRow<TF, PixelFormat::kX8R8G8B8>;
    default: return nullptr;
  }
}

RowFn PickRow(PixelFormat tf, PixelFormat sf) {
  switch (tf) {
    case PixelFormat::kR5G6B5: return PickSource<PixelFormat::kR5G6B5>(sf);
    case PixelFormat::kA1R5G5B5: return PickSource<PixelFormat::kA1R5G5B5>(sf);
    case PixelFormat::kX8R8G8B8: return PickSource<PixelFormat::kX8R8G8B8>(sf);
    case PixelFormat::kA8R8G8B8: return PickSource<PixelFormat::kA8R8G8B8>(sf);
    default: return nullptr;
  }
}

// Writes one shaded colour into a pixel of any target.
inline void Plot(cSurface& target, int x, int y, uint32_t src, const RasterState& st) {
  uint8_t* p = target.Row(y) + x * target.BytesPerPixel();
  int bpp = target.BytesPerPixel();
  if (NoBlend(st)) {
    WritePixel(p, bpp, ArgbToPixel(target.Format(), src));
    return;
  }
  // Under the standard blend a transparent pixel leaves the target as it is
  // (the fourth byte of X8R8G8B8 too), as in every other loop.
  if (StandardBlend(st) && (src >> 24) == 0) return;
  uint32_t dst = PixelToArgb(target.Format(), ReadPixel(p, bpp));
  uint32_t out = StandardBlend(st) ? ((src >> 24) == 255 ? src : BlendStandard(src, dst)) : BlendPixel(st, src, dst);
  WritePixel(p, bpp, ArgbToPixel(target.Format(), out));
}

// Plot for many pixels of one draw: the blend decided once.
struct Plotter {
  cSurface& target;
  const RasterState& st;
  const bool noBlend, standard;
  const PixelFormat format;
  const int bpp;
  Plotter(cSurface& t, const RasterState& s)
      : target(t), st(s), noBlend(NoBlend(s)), standard(StandardBlend(s)), format(t.Format()),
        bpp(t.BytesPerPixel()) {}
  void operator()(int x, int y, uint32_t src) const {
    uint8_t* p = target.Row(y) + x * bpp;
    if (noBlend) {
      WritePixel(p, bpp, ArgbToPixel(format, src));
      return;
    }
    const uint32_t a = src >> 24;
    if (standard && a == 0) return;
    if (standard && a == 255) {
      WritePixel(p, bpp, ArgbToPixel(format, src));
      return;
    }
    const uint32_t dst = PixelToArgb(format, ReadPixel(p, bpp));
    WritePixel(p, bpp, ArgbToPixel(format, standard ? BlendStandard(src, dst) : BlendPixel(st, src, dst)));
  }
};

inline int64_t FloorDiv(int64_t a, int64_t b) {  // b > 0
  int64_t q = a / b;
  return (a % b != 0 && a < 0) ? q - 1 : q;
}

bool NearInteger(double v, double tolerance, int64_t* out) {
  double r = std::nearbyint(v);
  if (std::fabs(v - r) > tolerance || std::fabs(r) > 1e12) return false;
  *out = static_cast<int64_t>(r);
  return true;
}

// Texel index of each pixel centre p in [first, end) along one axis of an
// axis-aligned quad whose edges are at e0 (texture coordinate t0) and e1 (t1).
// Edges at half pixels with whole texel positions take exact integer arithmetic.
void TexelIndices(int first, int end, double e0, double e1, double t0, double t1, int texSize, uint32_t mode,
                  std::vector<int>& out) {
  out.resize(static_cast<size_t>(std::max(0, end - first)));
  int64_t x0, w, s0, s1;
  constexpr int64_t kExactRange = int64_t(1) << 26;  // keeps the products below 2^54
  if (NearInteger(e0 + 0.5, 1e-3, &x0) && NearInteger(e1 - e0, 1e-3, &w) && w > 0 &&
      NearInteger(t0 * texSize, 1e-2, &s0) && NearInteger(t1 * texSize, 1e-2, &s1) && std::llabs(x0) < kExactRange &&
      w < kExactRange && std::llabs(s0) < kExactRange && std::llabs(s1) < kExactRange && first > -kExactRange &&
      end < kExactRange) {
    // texel = s0 + floor((p - x0 + 0.5) * (s1 - s0) / w)
    int64_t sw = s1 - s0;
    if (sw == w && s0 - x0 + first >= 0 && s0 - x0 + end <= texSize) {
      // Same size and inside the texture: one texel per pixel.
      for (int p = first; p < end; ++p) out[p - first] = static_cast<int>(s0 - x0 + p);
      return;
    }
    for (int p = first; p < end; ++p)
      out[p - first] = WrapIndex(s0 + FloorDiv((2 * int64_t(p - x0) + 1) * sw, 2 * w), texSize, mode);
    return;
  }
  double scale = (t1 - t0) / (e1 - e0);
  for (int p = first; p < end; ++p) {
    double t = t0 + (p - e0) * scale;
    out[p - first] = WrapIndex(static_cast<int64_t>(std::floor(t * texSize + 1e-6)), texSize, mode);
  }
}

// One colour of partial alpha blended over a rectangle with the standard blend.
// Each result depends only on the pixel it replaces, so the results are taken
// from tables: per channel at 32 bits, per stored value at 16 bits when the
// rectangle is larger than the table. The same pixels as blending one by one.
void BlendConstantRect(cSurface& target, int x0, int x1, int y0, int y1, uint32_t src) {
  const PixelFormat f = target.Format();
  const int64_t area = int64_t(x1 - x0) * (y1 - y0);
  if (f == PixelFormat::kX8R8G8B8 || f == PixelFormat::kA8R8G8B8) {
    uint8_t table[4][256];
    for (int d = 0; d < 256; ++d) {
      // The channels of BlendStandard(src, d in every channel).
      const uint32_t out = BlendStandard(src, 0x01010101u * uint32_t(d));
      for (int c = 0; c < 4; ++c) table[c][d] = uint8_t(out >> (8 * c));
    }
    for (int y = y0; y < y1; ++y) {
      uint8_t* p = target.Row(y) + 4 * x0;
      for (int x = x0; x < x1; ++x, p += 4) {
        const uint32_t d = PixelToArgb(f, Load32(p));
        const uint32_t out = uint32_t(table[0][d & 255]) | uint32_t(table[1][(d >> 8) & 255]) << 8 |
                             uint32_t(table[2][(d >> 16) & 255]) << 16 | uint32_t(table[3][d >> 24]) << 24;
        Store32(p, ArgbToPixel(f, out));
      }
    }
    return;
  }
  if ((f == PixelFormat::kR5G6B5 || f == PixelFormat::kA1R5G5B5) && area > 65536) {
    std::vector<uint16_t> table(65536);
    for (uint32_t v = 0; v < 65536; ++v)
      table[v] = static_cast<uint16_t>(ArgbToPixel(f, BlendStandard(src, PixelToArgb(f, v))));
    for (int y = y0; y < y1; ++y) {
      uint8_t* p = target.Row(y) + 2 * x0;
      for (int x = x0; x < x1; ++x, p += 2) Store16(p, table[Load16(p)]);
    }
    return;
  }
  const int bpp = target.BytesPerPixel();
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      uint8_t* p = target.Row(y) + x * bpp;
      WritePixel(p, bpp, ArgbToPixel(f, BlendStandard(src, PixelToArgb(f, ReadPixel(p, bpp)))));
    }
}

// One texel with its own alpha under the standard blend, as the general loop does it.
template <PixelFormat TF, PixelFormat SF>
inline void BlendTexel(uint8_t* d, const uint8_t* t) {
  if constexpr (SF == PixelFormat::kA1R5G5B5 && Bpp<TF>() == 2) {
    const uint32_t v = Load16(t);
    if (v & 0x8000u) Store16(d, OpaqueTexel16<TF>(v));
    return;
  } else if constexpr (SF == TF && (SF == PixelFormat::kR5G6B5 || SF == PixelFormat::kX8R8G8B8)) {
    rows::Store<TF>(d, rows::Load<TF>(t) & (SF == PixelFormat::kR5G6B5 ? 0xFFFFu : 0x00FFFFFFu));
    return;
  }
  const uint32_t texel = Get<SF>(t), a = texel >> 24;
  if (a == 255) Put<TF>(d, texel);
  else if (a != 0) Put<TF>(d, BlendStandard(texel, Get<TF>(d)));
}

template <PixelFormat TF, PixelFormat SF>
void NarrowColumns(cSurface& target, const cSurface& tex, int x0, int x1, int y0, int y1, int firstColumn,
                   const int* texRows) {
  for (int y = y0; y < y1; ++y) {
    uint8_t* d = target.Row(y) + x0 * Bpp<TF>();
    const uint8_t* t = tex.Row(texRows[y - y0]) + firstColumn * Bpp<SF>();
    for (int i = 0; i < x1 - x0; ++i) BlendTexel<TF, SF>(d + i * Bpp<TF>(), t + i * Bpp<SF>());
  }
}

// The same columns drawn opaque: a texel of alpha 255 under the standard blend
// is the texel itself.
template <PixelFormat TF, PixelFormat SF>
void NarrowOpaqueColumns(cSurface& target, const cSurface& tex, int x0, int x1, int y0, int y1, int firstColumn,
                         const int* texRows) {
  for (int y = y0; y < y1; ++y) {
    uint8_t* d = target.Row(y) + x0 * Bpp<TF>();
    const uint8_t* t = tex.Row(texRows[y - y0]) + firstColumn * Bpp<SF>();
    for (int i = 0; i < x1 - x0; ++i) Put<TF>(d + i * Bpp<TF>(), Get<SF>(t + i * Bpp<SF>()) | 0xFF000000u);
  }
}

// Narrow same-size columns of texels with their own alpha (opaque: with alpha
// 255); false for formats it does not take.
template <bool kOpaque = false>
bool NarrowTexelColumns(cSurface& target, const cSurface& tex, int x0, int x1, int y0, int y1, int firstColumn,
                        const int* texRows) {
  const PixelFormat tf = target.Format(), sf = tex.Format();
  if constexpr (kOpaque) {
    if (sf == PixelFormat::kA8R8G8B8 && tf == PixelFormat::kX8R8G8B8)
      NarrowOpaqueColumns<PixelFormat::kX8R8G8B8, PixelFormat::kA8R8G8B8>(target, tex, x0, x1, y0, y1, firstColumn,
                                                                          texRows);
    else if (sf == PixelFormat::kA8R8G8B8 && tf == PixelFormat::kA8R8G8B8)
      NarrowOpaqueColumns<PixelFormat::kA8R8G8B8, PixelFormat::kA8R8G8B8>(target, tex, x0, x1, y0, y1, firstColumn,
                                                                          texRows);
    else if (sf == PixelFormat::kA1R5G5B5 && tf == PixelFormat::kR5G6B5)
      NarrowOpaqueColumns<PixelFormat::kR5G6B5, PixelFormat::kA1R5G5B5>(target, tex, x0, x1, y0, y1, firstColumn,
                                                                        texRows);
    else if (sf == PixelFormat::kA1R5G5B5 && tf == PixelFormat::kA1R5G5B5)
      NarrowOpaqueColumns<PixelFormat::kA1R5G5B5, PixelFormat::kA1R5G5B5>(target, tex, x0, x1, y0, y1, firstColumn,
                                                                          texRows);
    else
      return false;
    return true;
  }
  if (sf == PixelFormat::kA8R8G8B8 && tf == PixelFormat::kX8R8G8B8)
    NarrowColumns<PixelFormat::kX8R8G8B8, PixelFormat::kA8R8G8B8>(target, tex, x0, x1, y0, y1, firstColumn, texRows);
  else if (sf == PixelFormat::kA8R8G8B8 && tf == PixelFormat::kA8R8G8B8)
    NarrowColumns<PixelFormat::kA8R8G8B8, PixelFormat::kA8R8G8B8>(target, tex, x0, x1, y0, y1, firstColumn, texRows);
  else if (sf == PixelFormat::kA1R5G5B5 && tf == PixelFormat::kR5G6B5)
    NarrowColumns<PixelFormat::kR5G6B5, PixelFormat::kA1R5G5B5>(target, tex, x0, x1, y0, y1, firstColumn, texRows);
  else if (sf == PixelFormat::kA1R5G5B5 && tf == PixelFormat::kA1R5G5B5)
    NarrowColumns<PixelFormat::kA1R5G5B5, PixelFormat::kA1R5G5B5>(target, tex, x0, x1, y0, y1, firstColumn, texRows);
  else if (sf == PixelFormat::kR5G6B5 && tf == PixelFormat::kR5G6B5)
    NarrowColumns<PixelFormat::kR5G6B5, PixelFormat::kR5G6B5>(target, tex, x0, x1, y0, y1, firstColumn, texRows);
  else if (sf == PixelFormat::kX8R8G8B8 && tf == PixelFormat::kX8R8G8B8)
    NarrowColumns<PixelFormat::kX8R8G8B8, PixelFormat::kX8R8G8B8>(target, tex, x0, x1, y0, y1, firstColumn, texRows);
  else
    return false;
  return true;
}

// reference: every pixel through the general per-pixel loop, no fast row.
bool DrawAxisAligned(cSurface& target, const cSurface* tex, const RasterState& st, const Vertex* v,
                     const Rect& vp, bool reference) {
  // Strip order: top-left, bottom-left, top-right, bottom-right (or any order
  // that keeps the quad's sides on the axes).
  if (!(v[0].x == v[1].x && v[2].x == v[3].x && v[0].y == v[2].y && v[1].y == v[3].y)) return false;
  if (!(v[0].u == v[1].u && v[2].u == v[3].u && v[0].v == v[2].v && v[1].v == v[3].v)) return false;
  if (!(v[0].diffuse == v[1].diffuse && v[0].diffuse == v[2].diffuse && v[0].diffuse == v[3].diffuse)) return false;
  double xa = v[0].x, xb = v[2].x, ua = v[0].u, ub = v[2].u;
  if (xb < xa) std::swap(xa, xb), std::swap(ua, ub);
  double ya = v[0].y, yb = v[1].y, va = v[0].v, vb = v[1].v;
  if (yb < ya) std::swap(ya, yb), std::swap(va, vb);
  // Pixel centres c with a <= c < b are covered: the left and top edges are inside.
  if (!(xb > xa) || !(yb > ya)) return true;
  if (!std::isfinite(xa) || !std::isfinite(xb) || !std::isfinite(ya) || !std::isfinite(yb)) return true;
  double fx0 = std::max<double>(std::ceil(xa), vp.left), fx1 = std::min<double>(std::ceil(xb), vp.right);
  double fy0 = std::max<double>(std::ceil(ya), vp.top), fy1 = std::min<double>(std::ceil(yb), vp.bottom);
  if (fx0 >= fx1 || fy0 >= fy1) return true;
  int x0 = static_cast<int>(fx0), x1 = static_cast<int>(fx1), y0 = static_cast<int>(fy0), y1 = static_cast<int>(fy1);
  const uint32_t diffuse = v[0].diffuse;
  const bool noBlend = NoBlend(st), standard = StandardBlend(st);

  if (!tex || !StageUsesTexture(st.stage)) {
    uint32_t src = ShadePixel(st, 0xFFFFFFFF, diffuse);
    if (reference) {
      for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) Plot(target, x, y, src, st);
      return true;
    }
    if (standard && (src >> 24) == 0) return true;
    const int bpp = target.BytesPerPixel();
    if (noBlend || (standard && (src >> 24) == 255)) {
      uint32_t value = ArgbToPixel(target.Format(), src);
      for (int y = y0; y < y1; ++y) FillPixels(target.Row(y) + x0 * bpp, bpp, x1 - x0, value);
      return true;
    }
    if (standard) {
      BlendConstantRect(target, x0, x1, y0, y1, src);
      return true;
    }
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) Plot(target, x, y, src, st);
    return true;
  }

  // Kept between draws: most quads are small and many.
  thread_local std::vector<int> cols, texRows;
  TexelIndices(x0, x1, xa, xb, ua, ub, tex->Width(), st.addressU, cols);
  TexelIndices(y0, y1, ya, yb, va, vb, tex->Height(), st.addressV, texRows);
  const ShadeKind kind = KindOf(st, diffuse);
  RowFn row = reference ? nullptr : PickRow(target.Format(), tex->Format());
  const int tb = target.BytesPerPixel();
  // Columns that step by one texel without wrapping are walked directly.
  bool contiguous = true;
  for (size_t i = 1; i < cols.size() && contiguous; ++i) contiguous = cols[i] == cols[0] + static_cast<int>(i);
  const int firstColumn = cols.empty() ? 0 : cols[0];
  // Columns a few pixels wide (the strips of the distortion effects) are drawn
  // in one loop rather than one row call per pixel.
  if (row && contiguous && x1 - x0 < 4 && kind == ShadeKind::kTexel && standard &&
      NarrowTexelColumns(target, *tex, x0, x1, y0, y1, firstColumn, texRows.data()))
    return true;
  if (row && contiguous && x1 - x0 < 4 && kind == ShadeKind::kOpaqueTexel && standard &&
      NarrowTexelColumns<true>(target, *tex, x0, x1, y0, y1, firstColumn, texRows.data()))
    return true;
  for (int y = y0; y < y1; ++y) {
    const uint8_t* texRow = tex->Row(texRows[y - y0]);
    uint8_t* dst = target.Row(y) + x0 * tb;
    if (row) {
      if (contiguous) {
        row(dst, texRow + firstColumn * tex->BytesPerPixel(), nullptr, x1 - x0, st, diffuse, kind, standard, noBlend);
      } else {
        row(dst, texRow, cols.data(), x1 - x0, st, diffuse, kind, standard, noBlend);
      }
    } else {
      for (int x = x0; x < x1; ++x) {
        uint32_t texel = PixelToArgb(tex->Format(), ReadPixel(texRow + cols[x - x0] * tex->BytesPerPixel(),
                                                               tex->BytesPerPixel()));
        Plot(target, x, y, ShadePixel(st, texel, diffuse), st);
      }
    }
  }
  return true;
}

// What a triangle's rows need of its set-up.
struct TriangleSetup {
  const int64_t *A, *B, *C;
  const bool* inclusive;
  int64_t area;
  const Vertex* p[3];
  int x0, x1, y0, y1;  // the pixels looked at (inclusive)
  bool useTex;
  int texWidth, texHeight;
};

inline int64_t CeilDiv(int64_t a, int64_t b) { return -FloorDiv(-a, b); }  // b > 0

// The texels of n pixels of a row as A8R8G8B8, from their texel columns and rows.
template <PixelFormat SF>
void GatherTexels(const cSurface& tex, const int* tx, const int* ty, int n, uint32_t* out) {
  for (int j = 0; j < n; ++j) out[j] = Get<SF>(tex.Row(ty[j]) + tx[j] * Bpp<SF>());
}

// n texels stored onto a 16-bit row, those of alpha 0 skipped.
template <PixelFormat TF, PixelFormat SF>
void CopyTexels16(uint8_t* d, const cSurface& tex, const int* tx, const int* ty, int n) {
  for (int j = 0; j < n; ++j) {
    const uint32_t v = Load16(tex.Row(ty[j]) + 2 * tx[j]);
    if constexpr (SF == PixelFormat::kR5G6B5) {
      Store16(d + 2 * j, v);
    } else if (v & 0x8000u) {
      Store16(d + 2 * j, OpaqueTexel16<TF>(v));
    }
  }
}

// A flat-coloured triangle row by row: the run of each row found from the edge
// functions at once, the texels of the run stepped along it (the texels the
// per-pixel double arithmetic picks), then the run shaded and written by the row
// of the target's format.
void DrawTriangleRows(cSurface& target, const cSurface* tex, const RasterState& st, const TriangleSetup& t,
                      ShadeKind kind, RowFn row) {
  if (t.x0 > t.x1 || t.y0 > t.y1) return;
  const uint32_t diffuse = t.p[0]->diffuse;
  const bool noBlend = NoBlend(st), standard = StandardBlend(st);
  const double u0 = t.p[0]->u, u1 = t.p[1]->u, u2 = t.p[2]->u, v0 = t.p[0]->v, v1 = t.p[1]->v, v2 = t.p[2]->v;
  const double area = double(t.area), tw = t.texWidth, th = t.texHeight;
  // The edge functions stay below 2^52 over the box: stepping them in doubles is exact.
  bool exact = true;
  for (int i = 0; i < 3; ++i)
    for (int64_t cx : {int64_t(t.x0), int64_t(t.x1)})
      for (int64_t cy : {int64_t(t.y0), int64_t(t.y1)}) {
        const int64_t w = t.A[i] * cx * 256 + t.B[i] * cy * 256 + t.C[i];
        exact = exact && w < (int64_t(1) << 52) && w > -(int64_t(1) << 52);
      }
  thread_local std::vector<int> txs, tys;
  thread_local std::vector<uint32_t> texels;
  const size_t span = static_cast<size_t>(t.x1 - t.x0 + 1);
  txs.resize(span), tys.resize(span), texels.resize(span);
  const int tb = target.BytesPerPixel();
  const TexelAddressing addressing{t.texWidth, t.texHeight, st.addressU, st.addressV};
  // 16-bit texels onto a 16-bit target with their own alpha (0 or 255): stored
  // or skipped without going through A8R8G8B8.
  const PixelFormat tf = target.Format(), sf = tex ? tex->Format() : PixelFormat::kUnknown;
  const bool direct16 = t.useTex && kind == ShadeKind::kTexel && standard &&
                        ((tf == PixelFormat::kR5G6B5 && (sf == PixelFormat::kR5G6B5 || sf == PixelFormat::kA1R5G5B5)) ||
                         (tf == PixelFormat::kA1R5G5B5 && sf == PixelFormat::kA1R5G5B5));
  for (int y = t.y0; y <= t.y1; ++y) {
    // Pixels x with A x 256 + c >= the edge's threshold, edge by edge.
    int64_t lo = t.x0, hi = t.x1;
    int64_t c[3];
    for (int i = 0; i < 3 && lo <= hi; ++i) {
      c[i] = t.B[i] * int64_t(y) * 256 + t.C[i];
      const int64_t need = t.inclusive[i] ? 0 : 1, step = t.A[i] * 256;
      if (step > 0) lo = std::max(lo, CeilDiv(need - c[i], step));
      else if (step < 0) hi = std::min(hi, FloorDiv(c[i] - need, -step));
      else if (c[i] < need) hi = lo - 1;
    }
    if (lo > hi) continue;
    const int xs = static_cast<int>(lo), n = static_cast<int>(hi - lo + 1);
    if (t.useTex) {
      int* TX = txs.data();
      int* TY = tys.data();
      if (exact) {
        const RunWeights rw{{double(t.A[0] * lo * 256 + c[0]), double(t.A[1] * lo * 256 + c[1]),
                             double(t.A[2] * lo * 256 + c[2])},
                            {double(t.A[0] * 256), double(t.A[1] * 256), double(t.A[2] * 256)},
                            area,
                            {u0, u1, u2},
                            {v0, v1, v2},
                            tw,
                            th};
        TexelsOfRun(rw, n, addressing, TX, TY);
      } else {
        for (int j = 0; j < n; ++j) {
          const int64_t x = lo + j;
          const double l0 = double(t.A[0] * x * 256 + c[0]) / area, l1 = double(t.A[1] * x * 256 + c[1]) / area,
                       l2 = double(t.A[2] * x * 256 + c[2]) / area;
          TX[j] = WrapIndex(FloorToInt((l0 * u0 + l1 * u1 + l2 * u2) * tw + 1e-6), t.texWidth, st.addressU);
          TY[j] = WrapIndex(FloorToInt((l0 * v0 + l1 * v1 + l2 * v2) * th + 1e-6), t.texHeight, st.addressV);
        }
      }
      if (direct16) {
        uint8_t* d = target.Row(y) + xs * tb;
        if (target.Format() == PixelFormat::kR5G6B5) {
          if (tex->Format() == PixelFormat::kR5G6B5) {
            CopyTexels16<PixelFormat::kR5G6B5, PixelFormat::kR5G6B5>(d, *tex, TX, TY, n);
          } else {
            CopyTexels16<PixelFormat::kR5G6B5, PixelFormat::kA1R5G5B5>(d, *tex, TX, TY, n);
          }
        } else {
          CopyTexels16<PixelFormat::kA1R5G5B5, PixelFormat::kA1R5G5B5>(d, *tex, TX, TY, n);
        }
        continue;
      }
      switch (tex->Format()) {
        case PixelFormat::kA1R5G5B5: GatherTexels<PixelFormat::kA1R5G5B5>(*tex, TX, TY, n, texels.data()); break;
        case PixelFormat::kR5G6B5: GatherTexels<PixelFormat::kR5G6B5>(*tex, TX, TY, n, texels.data()); break;
        case PixelFormat::kX8R8G8B8: GatherTexels<PixelFormat::kX8R8G8B8>(*tex, TX, TY, n, texels.data()); break;
        case PixelFormat::kA8R8G8B8: GatherTexels<PixelFormat::kA8R8G8B8>(*tex, TX, TY, n, texels.data()); break;
        default:
          for (int j = 0; j < n; ++j) texels[j] = PixelToArgb(tex->Format(), tex->GetPixel(TX[j], TY[j]));
          break;
      }
    } else {
      std::fill_n(texels.begin(), n, 0xFFFFFFFFu);
    }
    row(target.Row(y) + xs * tb, reinterpret_cast<const uint8_t*>(texels.data()), nullptr, n, st, diffuse, kind,
        standard, noBlend);
  }
}

// A general triangle: edge functions on a 1/256-pixel grid with the top-left
// rule, attributes interpolated from the barycentric weights.
// reference: every pixel through the general per-pixel loop, no fast row.
void DrawTriangle(cSurface& target, const cSurface* tex, const RasterState& st, const Vertex& a, const Vertex& b,
                  const Vertex& c, const Rect& vp, bool reference) {
  const Vertex* p[3] = {&a, &b, &c};
  int64_t X[3], Y[3];
  for (int i = 0; i < 3; ++i) {
    if (!std::isfinite(p[i]->x) || !std::isfinite(p[i]->y) || std::fabs(p[i]->x) > 1e7 || std::fabs(p[i]->y) > 1e7)
      return;
    X[i] = std::llround(double(p[i]->x) * 256.0);
    Y[i] = std::llround(double(p[i]->y) * 256.0);
  }
  int64_t area = (X[1] - X[0]) * (Y[2] - Y[0]) - (Y[1] - Y[0]) * (X[2] - X[0]);
  if (area == 0) return;
  if (area < 0) {
    std::swap(X[1], X[2]);
    std::swap(Y[1], Y[2]);
    std::swap(p[1], p[2]);
    area = -area;
  }
  // Edge i runs from vertex (i+1) to vertex (i+2); its weight belongs to vertex i.
  int64_t A[3], B[3], C[3];
  bool inclusive[3];
  for (int i = 0; i < 3; ++i) {
    int j = (i + 1) % 3, k = (i + 2) % 3;
    A[i] = Y[j] - Y[k];
    B[i] = X[k] - X[j];
    C[i] = X[j] * Y[k] - Y[j] * X[k];
    // Top edge (horizontal, the triangle below it) or left edge: its pixels are inside.
    inclusive[i] = (A[i] == 0 && B[i] > 0) || A[i] > 0;
  }
  int64_t minX = std::min({X[0], X[1], X[2]}), maxX = std::max({X[0], X[1], X[2]});
  int64_t minY = std::min({Y[0], Y[1], Y[2]}), maxY = std::max({Y[0], Y[1], Y[2]});
  int x0 = static_cast<int>(std::max<int64_t>(vp.left, FloorDiv(minX, 256)));
  int x1 = static_cast<int>(std::min<int64_t>(vp.right - 1, FloorDiv(maxX, 256) + 1));
  int y0 = static_cast<int>(std::max<int64_t>(vp.top, FloorDiv(minY, 256)));
  int y1 = static_cast<int>(std::min<int64_t>(vp.bottom - 1, FloorDiv(maxY, 256) + 1));
  const bool useTex = tex && StageUsesTexture(st.stage);
  // One vertex colour for the whole triangle (the usual case) is not interpolated:
  // weights that sum to one give back that colour exactly.
  const bool flat = p[0]->diffuse == p[1]->diffuse && p[0]->diffuse == p[2]->diffuse;
  const ShadeKind kind = flat ? KindOf(st, p[0]->diffuse) : ShadeKind::kGeneric;
  const Plotter plot(target, st);
  const int texWidth = tex ? tex->Width() : 0, texHeight = tex ? tex->Height() : 0;
  if (!reference && flat) {
    if (RowFn row = PickRow(target.Format(), PixelFormat::kA8R8G8B8)) {
      const TriangleSetup t{A, B, C, inclusive, area, {p[0], p[1], p[2]}, x0, x1, y0, y1, useTex, texWidth, texHeight};
      DrawTriangleRows(target, tex, st, t, kind, row);
      return;
    }
  }
  for (int y = y0; y <= y1; ++y) {
    // The edge functions stepped along the row; the pixels inside a row of a
    // triangle are one run, so the row ends where the run does.
    const int64_t px0 = int64_t(x0) * 256, py = int64_t(y) * 256;
    int64_t w[3];
    for (int i = 0; i < 3; ++i) w[i] = A[i] * px0 + B[i] * py + C[i];
    bool entered = false;
    for (int x = x0; x <= x1; ++x, w[0] += A[0] * 256, w[1] += A[1] * 256, w[2] += A[2] * 256) {
      bool inside = true;
      for (int i = 0; i < 3 && inside; ++i) inside = w[i] > 0 || (w[i] == 0 && inclusive[i]);
      if (!inside) {
        if (entered) break;
        continue;
      }
      entered = true;
      double l0 = double(w[0]) / double(area), l1 = double(w[1]) / double(area), l2 = double(w[2]) / double(area);
      uint32_t diffuse = p[0]->diffuse;
      if (!flat) {
        diffuse = 0;
        for (int sh = 0; sh < 32; sh += 8) {
          double ch = l0 * ((p[0]->diffuse >> sh) & 255) + l1 * ((p[1]->diffuse >> sh) & 255) +
                      l2 * ((p[2]->diffuse >> sh) & 255);
          diffuse |= static_cast<uint32_t>(std::clamp<int>(static_cast<int>(std::floor(ch + 0.5)), 0, 255)) << sh;
        }
      }
      uint32_t texel = 0xFFFFFFFF;
      if (useTex) {
        double u = l0 * p[0]->u + l1 * p[1]->u + l2 * p[2]->u;
        double v = l0 * p[0]->v + l1 * p[1]->v + l2 * p[2]->v;
        // Texel boundaries that the exact value meets are not missed by rounding.
        int tx = WrapIndex(FloorToInt(u * texWidth + 1e-6), texWidth, st.addressU);
        int ty = WrapIndex(FloorToInt(v * texHeight + 1e-6), texHeight, st.addressV);
        texel = PixelToArgb(tex->Format(), tex->GetPixel(tx, ty));
      }
      const uint32_t src = kind == ShadeKind::kTexel         ? texel
                           : kind == ShadeKind::kOpaqueTexel ? (texel | 0xFF000000u)
                                                             : ShadePixel(st, texel, diffuse);
      plot(x, y, src);
    }
  }
}

}  // namespace

uint32_t ShadePixel(const RasterState& state, uint32_t texel, uint32_t diffuse) {
  const StageState& s = state.stage;
  const uint32_t factor = state.textureFactor;
  const uint32_t fa = factor >> 24;
  uint32_t c1 = Arg(s.colorArg1, texel, diffuse, factor), c2 = Arg(s.colorArg2, texel, diffuse, factor);
  uint32_t out = 0;
  for (int sh = 0; sh < 24; sh += 8)
    out |= Op(s.colorOp, (c1 >> sh) & 255, (c2 >> sh) & 255, fa, (diffuse >> sh) & 255) << sh;
  uint32_t a1 = Arg(s.alphaArg1, texel, diffuse, factor) >> 24, a2 = Arg(s.alphaArg2, texel, diffuse, factor) >> 24;
  out |= Op(s.alphaOp, a1, a2, fa, diffuse >> 24) << 24;
  return out;
}

uint32_t BlendPixel(const RasterState& state, uint32_t src, uint32_t dst) {
  if (NoBlend(state)) return src;
  uint32_t sa = src >> 24;
  uint32_t fs = Factor(state.srcBlend, sa), fd = Factor(state.dstBlend, sa);
  uint32_t out = 0;
  for (int sh = 0; sh < 32; sh += 8)
    out |= std::min<uint32_t>(255, Div255(((src >> sh) & 255) * fs + ((dst >> sh) & 255) * fd)) << sh;
  return out;
}

namespace {

void Strip(cSurface& target, const cSurface* texture, const RasterState& state, const Vertex* v, int count,
           const Rect& viewport, bool reference) {
  Rect vp{std::max(0, viewport.left), std::max(0, viewport.top), std::min(target.Width(), viewport.right),
          std::min(target.Height(), viewport.bottom)};
  if (vp.left >= vp.right || vp.top >= vp.bottom || count < 3) return;
  if (count == 4 && DrawAxisAligned(target, texture, state, v, vp, reference)) return;
  for (int i = 0; i + 2 < count; ++i) {
    if (i & 1) {
      DrawTriangle(target, texture, state, v[i + 1], v[i], v[i + 2], vp, reference);
    } else {
      DrawTriangle(target, texture, state, v[i], v[i + 1], v[i + 2], vp, reference);
    }
  }
}

}  // namespace

void RasterizeStrip(cSurface& target, const cSurface* texture, const RasterState& state, const Vertex* v,
                    int count, const Rect& viewport) {
  Strip(target, texture, state, v, count, viewport, false);
}

void RasterizeStripReference(cSurface& target, const cSurface* texture, const RasterState& state, const Vertex* v,
                             int count, const Rect& viewport) {
  Strip(target, texture, state, v, count, viewport, true);
}

}  // namespace plat
