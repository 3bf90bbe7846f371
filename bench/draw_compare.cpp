// The display device against pixman on the same drawing work, with memcpy as the
// limit: 300 sprites of 32x32 (per-pixel alpha, constant alpha 128, alpha 0/255
// keys) and full-screen copies and rotations onto a 640x480 target, at 32 and
// 16 bits. Cases are named CASE/IMPL: d3d is the Direct3D-like rasteriser, dd
// the DirectDraw-like blit, pixman the same work through pixman, memcpy the
// same bytes copied row by row. items_per_second counts target pixels covered.
// Compare the ratios of one run: other work on the machine moves absolute times.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "platform/display/pixman_compare.h"
#include "platform/display/raster.h"

namespace {

using plat::PixelFormat;
namespace pc = plat::pixman_compare;

constexpr int kWidth = 640, kHeight = 480, kSprites = 300, kSize = 32;
constexpr int kSheetW = 256, kSheetH = 128;

std::shared_ptr<plat::cSurface> MakeSurface(int w, int h, PixelFormat f) {
  std::shared_ptr<plat::cSurface> s;
  plat::cSurface::Make(w, h, f, plat::MemoryPool::kSystem, plat::SurfaceApi::kDirect3D, nullptr, false, &s);
  return s;
}

enum class Alpha { kPerPixel, kKeyed, kOpaque };

// The alpha of a sprite pixel: a disc, with a soft rim for per-pixel alpha.
uint32_t AlphaAt(Alpha kind, int x, int y) {
  if (kind == Alpha::kOpaque) return 255;
  const double d = std::hypot(x - 15.5, y - 15.5);
  if (kind == Alpha::kKeyed) return d < 14 ? 255 : 0;
  if (d < 10) return 255;
  if (d >= 16) return 0;
  return static_cast<uint32_t>(255 * (16 - d) / 6);
}

// A sheet of 8x4 sprites; premultiplied: the pixman copy (pixman blends premultiplied colours).
std::shared_ptr<plat::cSurface> MakeSheet(PixelFormat f, Alpha kind, bool premultiplied, int w = kSheetW,
                                          int h = kSheetH) {
  auto s = MakeSurface(w, h, f);
  std::mt19937 rng(7);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint32_t a = AlphaAt(kind, x % kSize, y % kSize), rgb = rng() & 0xFFFFFF;
      if (premultiplied) {
        uint32_t r = (rgb >> 16 & 255) * a / 255, g = (rgb >> 8 & 255) * a / 255, b = (rgb & 255) * a / 255;
        rgb = r << 16 | g << 8 | b;
      }
      s->SetPixel(x, y, plat::ArgbToPixel(f, a << 24 | rgb));
    }
  return s;
}

struct Sprite {
  int x, y, sx, sy;
};

std::vector<Sprite> Sprites() {
  std::mt19937 rng(12345);
  std::vector<Sprite> out;
  for (int i = 0; i < kSprites; ++i)
    out.push_back({int(rng() % 680) - 20, int(rng() % 520) - 20, int(rng() % 8) * kSize, int(rng() % 4) * kSize});
  return out;
}

// Target pixels the sprites cover (after clipping).
int64_t CoveredPixels(const std::vector<Sprite>& sprites) {
  int64_t n = 0;
  for (const Sprite& p : sprites)
    n += int64_t(std::max(0, std::min(kWidth, p.x + kSize) - std::max(0, p.x))) *
         std::max(0, std::min(kHeight, p.y + kSize) - std::max(0, p.y));
  return n;
}

plat::RasterState Blended() {
  plat::RasterState st;
  st.alphaBlend = true;
  st.srcBlend = plat::kBlendSrcAlpha;
  st.dstBlend = plat::kBlendInvSrcAlpha;
  st.stage = {plat::kTopModulate, plat::kArgTexture, plat::kArgDiffuse,
              plat::kTopModulate, plat::kArgTexture, plat::kArgDiffuse};
  return st;
}

void Quad(plat::Vertex* q, double x, double y, double w, double h, double u0, double v0, double u1, double v1,
          uint32_t diffuse, double degrees = 0) {
  const double c = std::cos(degrees * 3.14159265358979323846 / 180), s = std::sin(degrees * 3.14159265358979323846 / 180);
  const double cx = x + w / 2, cy = y + h / 2;
  auto at = [&](double dx, double dy, double u, double v) {
    return plat::Vertex{float(cx + dx * c - dy * s - 0.5), float(cy + dx * s + dy * c - 0.5), 0, 1, diffuse, float(u),
                        float(v)};
  };
  q[0] = at(-w / 2, -h / 2, u0, v0);
  q[1] = at(-w / 2, h / 2, u0, v1);
  q[2] = at(w / 2, -h / 2, u1, v0);
  q[3] = at(w / 2, h / 2, u1, v1);
}

// --- sprites ---

enum class Impl { kD3d, kDd, kPixman, kMemcpy };

void SpriteCase(benchmark::State& state, PixelFormat target, PixelFormat texture, Alpha kind, uint32_t alpha,
                Impl impl) {
  auto dst = MakeSurface(kWidth, kHeight, target);
  dst->FillAll(plat::ArgbToPixel(target, 0xFF336699));
  auto sheet = MakeSheet(texture, kind, impl == Impl::kPixman);
  if (impl == Impl::kDd) {
    // The DirectDraw-like surfaces share the target's format and key on 0.
    sheet = MakeSheet(target, kind, false);
    for (int y = 0; y < kSheetH; ++y)
      for (int x = 0; x < kSheetW; ++x)
        if (AlphaAt(kind, x % kSize, y % kSize) == 0) sheet->SetPixel(x, y, 0);
    sheet->SetColorKey(0);
  }
  const auto sprites = Sprites();
  const plat::RasterState st = Blended();
  const plat::Rect all{0, 0, kWidth, kHeight};
  const uint32_t diffuse = alpha << 24 | 0xFFFFFF;
  const int bpp = dst->BytesPerPixel();
  for (auto _ : state) {
    for (const Sprite& p : sprites) {
      switch (impl) {
        case Impl::kD3d: {
          plat::Vertex q[4];
          Quad(q, p.x, p.y, kSize, kSize, double(p.sx) / kSheetW, double(p.sy) / kSheetH,
               double(p.sx + kSize) / kSheetW, double(p.sy + kSize) / kSheetH, diffuse);
          plat::RasterizeStrip(*dst, sheet.get(), st, q, 4, all);
          break;
        }
        case Impl::kDd: {
          // The blit wants rectangles inside both surfaces: clip first.
          const int x0 = std::max(0, p.x), y0 = std::max(0, p.y);
          const int x1 = std::min(kWidth, p.x + kSize), y1 = std::min(kHeight, p.y + kSize);
          if (x0 >= x1 || y0 >= y1) break;
          plat::Rect s{p.sx + x0 - p.x, p.sy + y0 - p.y, p.sx + x1 - p.x, p.sy + y1 - p.y};
          dst->BltFast(x0, y0, sheet.get(), &s, true);
          break;
        }
        case Impl::kPixman:
          pc::Composite(*dst, *sheet, pc::Op::kOver, p.sx, p.sy, p.x, p.y, kSize, kSize, alpha);
          break;
        case Impl::kMemcpy: {
          const int x0 = std::max(0, p.x), y0 = std::max(0, p.y);
          const int x1 = std::min(kWidth, p.x + kSize), y1 = std::min(kHeight, p.y + kSize);
          for (int y = y0; y < y1; ++y)
            std::memcpy(dst->Row(y) + x0 * bpp, sheet->Row(p.sy + y - p.y) + (p.sx + x0 - p.x) * bpp,
                        size_t(std::max(0, x1 - x0)) * bpp);
          break;
        }
      }
    }
    benchmark::DoNotOptimize(dst->Bits());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * CoveredPixels(sprites));
}

// --- full screen ---

void FullScreenCase(benchmark::State& state, PixelFormat target, PixelFormat texture, double degrees, Impl impl) {
  auto dst = MakeSurface(kWidth, kHeight, target);
  auto picture = MakeSheet(impl == Impl::kDd ? target : texture, Alpha::kOpaque, false, kWidth, kHeight);
  plat::RasterState st;  // blending off for the copy
  if (degrees != 0) st = Blended();
  const plat::Rect all{0, 0, kWidth, kHeight};
  const int bpp = dst->BytesPerPixel();
  for (auto _ : state) {
    switch (impl) {
      case Impl::kD3d: {
        plat::Vertex q[4];
        Quad(q, 0, 0, kWidth, kHeight, 0, 0, 1, 1, 0xFFFFFFFF, degrees);
        plat::RasterizeStrip(*dst, picture.get(), st, q, 4, all);
        break;
      }
      case Impl::kDd: dst->BltFast(0, 0, picture.get(), nullptr, false); break;
      case Impl::kPixman:
        if (degrees != 0) {
          pc::Rotate(*dst, *picture, degrees);
        } else {
          pc::Composite(*dst, *picture, pc::Op::kSrc, 0, 0, 0, 0, kWidth, kHeight);
        }
        break;
      case Impl::kMemcpy:
        for (int y = 0; y < kHeight; ++y) std::memcpy(dst->Row(y), picture->Row(y), size_t(kWidth) * bpp);
        break;
    }
    benchmark::DoNotOptimize(dst->Bits());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

constexpr PixelFormat k32 = PixelFormat::kX8R8G8B8, kTex32 = PixelFormat::kA8R8G8B8;
constexpr PixelFormat k16 = PixelFormat::kR5G6B5, kTex16 = PixelFormat::kA1R5G5B5;

#define SPRITES(name, impl, target, texture, kind, alpha)                                                         \
  BENCHMARK_CAPTURE(SpriteCase, name, target, texture, kind, alpha, impl)->Name(#name)->Unit(benchmark::kMicrosecond)
#define SCREEN(name, impl, target, texture, degrees)                                                              \
  BENCHMARK_CAPTURE(FullScreenCase, name, target, texture, degrees, impl)->Name(#name)->Unit(benchmark::kMicrosecond)

SPRITES(Alpha32/d3d, Impl::kD3d, k32, kTex32, Alpha::kPerPixel, 255);
SPRITES(Alpha32/pixman, Impl::kPixman, k32, kTex32, Alpha::kPerPixel, 255);
SPRITES(Alpha32/memcpy, Impl::kMemcpy, k32, kTex32, Alpha::kPerPixel, 255);
SPRITES(ConstAlpha32/d3d, Impl::kD3d, k32, kTex32, Alpha::kOpaque, 128);
SPRITES(ConstAlpha32/pixman, Impl::kPixman, k32, kTex32, Alpha::kOpaque, 128);
SPRITES(ConstAlpha32/memcpy, Impl::kMemcpy, k32, kTex32, Alpha::kOpaque, 128);
SPRITES(Keyed32/d3d, Impl::kD3d, k32, kTex32, Alpha::kKeyed, 255);
SPRITES(Keyed32/dd, Impl::kDd, k32, kTex32, Alpha::kKeyed, 255);
SPRITES(Keyed32/pixman, Impl::kPixman, k32, kTex32, Alpha::kKeyed, 255);
SPRITES(Keyed32/memcpy, Impl::kMemcpy, k32, kTex32, Alpha::kKeyed, 255);
SCREEN(Opaque32/d3d, Impl::kD3d, k32, kTex32, 0);
SCREEN(Opaque32/dd, Impl::kDd, k32, kTex32, 0);
SCREEN(Opaque32/pixman, Impl::kPixman, k32, kTex32, 0);
SCREEN(Opaque32/memcpy, Impl::kMemcpy, k32, kTex32, 0);
SCREEN(Rotate32/d3d, Impl::kD3d, k32, kTex32, 30);
SCREEN(Rotate32/pixman, Impl::kPixman, k32, kTex32, 30);
SCREEN(Rotate32/memcpy, Impl::kMemcpy, k32, kTex32, 30);
SPRITES(Alpha16/d3d, Impl::kD3d, k16, kTex16, Alpha::kKeyed, 255);
SPRITES(Alpha16/dd, Impl::kDd, k16, kTex16, Alpha::kKeyed, 255);
SPRITES(Alpha16/pixman, Impl::kPixman, k16, kTex16, Alpha::kKeyed, 255);
SPRITES(Alpha16/memcpy, Impl::kMemcpy, k16, kTex16, Alpha::kKeyed, 255);
SCREEN(Rotate16/d3d, Impl::kD3d, k16, kTex16, 30);
SCREEN(Rotate16/pixman, Impl::kPixman, k16, kTex16, 30);
SCREEN(Rotate16/memcpy, Impl::kMemcpy, k16, kTex16, 30);

}  // namespace

BENCHMARK_MAIN();
