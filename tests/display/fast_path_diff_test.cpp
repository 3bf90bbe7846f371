// Every fast path of the quad rasteriser against the general per-pixel loop:
// seeded random sprites, texture-stage and blend states, positions, scales,
// turns and viewports (including ones that miss the target, are empty or
// inverted, and targets of one pixel) must give the same pixels. Runs under
// ASan in CI, so a fast row that reads or writes outside a surface fails here.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/display/raster.h"
#include "platform/display/raster_rows.h"

namespace {

using plat::PixelFormat;

std::shared_ptr<plat::cSurface> MakeSurface(int w, int h, PixelFormat f) {
  std::shared_ptr<plat::cSurface> s;
  EXPECT_EQ(plat::cSurface::Make(w, h, f, plat::MemoryPool::kSystem, plat::SurfaceApi::kDirect3D, nullptr, false, &s),
            plat::kOk);
  return s;
}

const PixelFormat kTargets[] = {PixelFormat::kR5G6B5, PixelFormat::kA1R5G5B5, PixelFormat::kX8R8G8B8,
                                PixelFormat::kA8R8G8B8};
const PixelFormat kTextures[] = {PixelFormat::kA8R8G8B8, PixelFormat::kX8R8G8B8, PixelFormat::kA1R5G5B5,
                                 PixelFormat::kR5G6B5};

// The stages the drawing layer sets, and a few it does not.
const plat::StageState kStages[] = {
    {},  // modulate colour, texel alpha
    {plat::kTopModulate, plat::kArgTexture, plat::kArgDiffuse, plat::kTopModulate, plat::kArgTexture,
     plat::kArgDiffuse},
    {plat::kTopSelectArg1, plat::kArgTexture, plat::kArgDiffuse, plat::kTopSelectArg1, plat::kArgTexture,
     plat::kArgDiffuse},
    {plat::kTopSelectArg1, plat::kArgTexture, plat::kArgDiffuse, plat::kTopDisable, plat::kArgTexture,
     plat::kArgDiffuse},
    {plat::kTopModulate, plat::kArgDiffuse, plat::kArgTexture, plat::kTopSelectArg2, plat::kArgDiffuse,
     plat::kArgDiffuse},
    {plat::kTopSelectArg2, plat::kArgTexture, plat::kArgDiffuse, plat::kTopSelectArg2, plat::kArgTexture,
     plat::kArgDiffuse},
    {plat::kTopAdd, plat::kArgTexture, plat::kArgDiffuse, plat::kTopModulate, plat::kArgTexture, plat::kArgDiffuse},
    {plat::kTopBlendFactorAlpha, plat::kArgTexture, plat::kArgTFactor, plat::kTopSelectArg1, plat::kArgTexture,
     plat::kArgDiffuse},
};

struct Blend {
  bool on;
  uint32_t src, dst;
};
const Blend kBlends[] = {{true, plat::kBlendSrcAlpha, plat::kBlendInvSrcAlpha},
                         {false, plat::kBlendSrcAlpha, plat::kBlendInvSrcAlpha},
                         {true, plat::kBlendOne, plat::kBlendZero},
                         {true, plat::kBlendOne, plat::kBlendOne},
                         {true, plat::kBlendZero, plat::kBlendSrcAlpha}};

// How the quad is placed.
enum class Shape { kSameSize, kScaled, kMirrored, kTurned, kOutside, kZeroScale, kTinyScale };

struct Random {
  std::mt19937 rng;
  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
  double Real(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); }
  template <class T, size_t N>
  const T& Pick(const T (&a)[N]) {
    return a[Int(0, int(N) - 1)];
  }
  // Alphas as sprites have them: mostly 0 and 255, in runs, with soft edges.
  uint32_t Alpha() {
    const int k = Int(0, 9);
    return k < 4 ? 0 : k < 8 ? 255 : uint32_t(Int(0, 255));
  }
  uint32_t Diffuse() {
    switch (Int(0, 3)) {
      case 0: return 0xFFFFFFFFu;
      case 1: return uint32_t(Int(0, 255)) << 24 | 0xFFFFFFu;
      case 2: return 0xFF000000u | (rng() & 0xFFFFFF);
      default: return rng();
    }
  }
};

// Four corners in strip order: a w x h quad at (x, y), turned by degrees about its centre.
void MakeQuad(plat::Vertex* q, double x, double y, double w, double h, double degrees, float u0, float v0, float u1,
              float v1, uint32_t diffuse) {
  const double rad = degrees * 3.14159265358979323846 / 180.0, c = std::cos(rad), s = std::sin(rad);
  const double cx = x + w / 2, cy = y + h / 2;
  auto at = [&](double dx, double dy, float u, float v) {
    const bool turned = degrees != 0;
    const double px = turned ? cx + dx * c - dy * s : cx + dx, py = turned ? cy + dx * s + dy * c : cy + dy;
    return plat::Vertex{float(px - 0.5), float(py - 0.5), 0, 1, diffuse, u, v};
  };
  q[0] = at(-w / 2, -h / 2, u0, v0);
  q[1] = at(-w / 2, h / 2, u0, v1);
  q[2] = at(w / 2, -h / 2, u1, v0);
  q[3] = at(w / 2, h / 2, u1, v1);
}

TEST(FastPathDiff, EveryFastPathGivesTheReferencePixels) {
  Random r{std::mt19937(20240611)};
  int draws = 0, differing = 0;
  for (int round = 0; round < 1500; ++round) {
    const PixelFormat tf = r.Pick(kTargets), xf = r.Pick(kTextures);
    // Sometimes a target of one pixel; mostly one wider than two chunks of a row.
    const int tw = r.Int(0, 9) == 0 ? 1 : r.Int(2, 90), th = r.Int(0, 9) == 0 ? 1 : r.Int(2, 40);
    const int xw = r.Int(1, 70), xh = r.Int(1, 40);
    auto tex = MakeSurface(xw, xh, xf);
    // Texels with runs of one alpha, as sprites have.
    uint32_t runAlpha = r.Alpha();
    for (int y = 0; y < xh; ++y)
      for (int x = 0; x < xw; ++x) {
        if (r.Int(0, 7) == 0) runAlpha = r.Alpha();
        tex->SetPixel(x, y, plat::ArgbToPixel(xf, runAlpha << 24 | (r.rng() & 0xFFFFFF)));
      }
    plat::RasterState st;
    st.stage = r.Pick(kStages);
    const Blend& b = r.Pick(kBlends);
    st.alphaBlend = b.on, st.srcBlend = b.src, st.dstBlend = b.dst;
    st.textureFactor = r.rng();
    st.addressU = r.Int(0, 1) ? plat::kAddressWrap : plat::kAddressClamp;
    st.addressV = r.Int(0, 1) ? plat::kAddressWrap : plat::kAddressClamp;
    const uint32_t diffuse = r.Diffuse();

    // Source rectangles inside the sheet, and past its edges.
    float u0 = float(r.Int(0, xw - 1)) / float(xw), v0 = float(r.Int(0, xh - 1)) / float(xh);
    float u1 = float(r.Int(1, xw)) / float(xw), v1 = float(r.Int(1, xh)) / float(xh);
    if (r.Int(0, 5) == 0) u0 = float(r.Real(-1.5, 0.5)), u1 = float(r.Real(0.5, 2.5));
    double x = r.Int(-20, tw + 5), y = r.Int(-20, th + 5);
    double w = (u1 - u0) * xw, h = (v1 - v0) * xh, degrees = 0;
    const Shape shape = static_cast<Shape>(r.Int(0, 6));
    switch (shape) {
      case Shape::kSameSize: break;
      case Shape::kScaled: w = r.Int(1, 3 * xw), h = r.Int(1, 3 * xh); break;
      case Shape::kMirrored: std::swap(u0, u1); break;
      case Shape::kTurned: degrees = r.Real(-800, 800), x = r.Real(-20, tw), y = r.Real(-20, th); break;
      case Shape::kOutside: x = r.Int(0, 1) ? -w - r.Int(1, 30) : tw + r.Int(0, 30); break;
      case Shape::kZeroScale: (r.Int(0, 1) ? w : h) = 0; break;
      case Shape::kTinyScale: w *= 0.001, h *= r.Int(0, 1) ? 0.001 : 1000.0; break;
    }
    plat::Vertex q[4];
    MakeQuad(q, x, y, w, h, degrees, u0, v0, u1, v1, diffuse);

    // Viewports: the whole target, a part of it, empty, inverted, past its edges.
    plat::Rect vp{0, 0, tw, th};
    switch (r.Int(0, 5)) {
      case 0: vp = {r.Int(0, tw), r.Int(0, th), r.Int(0, tw), r.Int(0, th)}; break;
      case 1: vp = {5, 3, 5, 9}; break;                       // width 0
      case 2: vp = {r.Int(5, 20), 0, r.Int(-5, 4), th}; break;  // negative width
      case 3: vp = {-10, -10, tw + 10, th + 10}; break;
      default: break;
    }

    auto fast = MakeSurface(tw, th, tf), slow = MakeSurface(tw, th, tf);
    for (int py = 0; py < th; ++py)
      for (int px = 0; px < tw; ++px) {
        const uint32_t v = r.rng();
        fast->SetPixel(px, py, v & (plat::BytesPerPixel(tf) == 2 ? 0xFFFFu : ~0u));
        slow->SetPixel(px, py, v & (plat::BytesPerPixel(tf) == 2 ? 0xFFFFu : ~0u));
      }
    const bool untextured = r.Int(0, 15) == 0;
    // Four corners as one quad, or its first triangle only.
    const int count = r.Int(0, 5) == 0 ? 3 : 4;
    plat::RasterizeStrip(*fast, untextured ? nullptr : tex.get(), st, q, count, vp);
    plat::RasterizeStripReference(*slow, untextured ? nullptr : tex.get(), st, q, count, vp);
    ++draws;
    int wrong = 0;
    std::string first;
    for (int py = 0; py < th; ++py)
      for (int px = 0; px < tw; ++px)
        if (fast->GetPixel(px, py) != slow->GetPixel(px, py) && wrong++ == 0)
          first = testing::PrintToString(px) + "," + testing::PrintToString(py) + ": " +
                  testing::PrintToString(fast->GetPixel(px, py)) + " for " + testing::PrintToString(slow->GetPixel(px, py));
    if (wrong) {
      ++differing;
      ADD_FAILURE() << "round " << round << ": " << wrong << " pixels differ; target "
                    << plat::PixelFormatName(tf) << " " << tw << "x" << th << ", texture " << plat::PixelFormatName(xf)
                    << " " << xw << "x" << xh << ", shape " << int(shape) << ", blend " << b.on << "/" << b.src << "/"
                    << b.dst << ", colour op " << st.stage.colorOp << ", alpha op " << st.stage.alphaOp
                    << ", count " << count << ", first " << first << ", diffuse " << std::hex << diffuse;
      if (differing > 5) break;
    }
  }
  EXPECT_EQ(draws, 1500);
}

// Columns one to three pixels wide at their texture's size (the strips of the
// waves and splits), drawn with the texel's alpha and drawn opaque (texture
// alpha off), onto every target from every texture.
TEST(FastPathDiff, NarrowColumnsGiveTheReferencePixels) {
  Random r{std::mt19937(77)};
  const plat::StageState opaque{plat::kTopSelectArg1, plat::kArgTexture, plat::kArgDiffuse,
                                plat::kTopDisable,    plat::kArgTexture, plat::kArgDiffuse};
  int draws = 0;
  for (PixelFormat tf : kTargets)
    for (PixelFormat xf : kTextures)
      for (const plat::StageState& stage : {plat::StageState{}, opaque})
        for (int width = 1; width <= 3; ++width) {
          auto tex = MakeSurface(8, 30, xf);
          for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 8; ++x) tex->SetPixel(x, y, plat::ArgbToPixel(xf, r.Alpha() << 24 | (r.rng() & 0xFFFFFF)));
          plat::RasterState st;
          st.stage = stage;
          st.alphaBlend = true, st.srcBlend = plat::kBlendSrcAlpha, st.dstBlend = plat::kBlendInvSrcAlpha;
          plat::Vertex q[4];
          const int column = r.Int(0, 8 - width), top = r.Int(-5, 10);
          MakeQuad(q, r.Int(-1, 12), top, width, 30, 0, float(column) / 8, 0, float(column + width) / 8, 1,
                   0xFFFFFFFFu);
          auto fast = MakeSurface(12, 40, tf), slow = MakeSurface(12, 40, tf);
          for (int py = 0; py < 40; ++py)
            for (int px = 0; px < 12; ++px) {
              const uint32_t v = r.rng() & (plat::BytesPerPixel(tf) == 2 ? 0xFFFFu : ~0u);
              fast->SetPixel(px, py, v);
              slow->SetPixel(px, py, v);
            }
          const plat::Rect vp{0, 0, 12, 40};
          plat::RasterizeStrip(*fast, tex.get(), st, q, 4, vp);
          plat::RasterizeStripReference(*slow, tex.get(), st, q, 4, vp);
          int wrong = 0;
          for (int py = 0; py < 40; ++py)
            for (int px = 0; px < 12; ++px) wrong += fast->GetPixel(px, py) != slow->GetPixel(px, py);
          EXPECT_EQ(wrong, 0) << plat::PixelFormatName(tf) << " from " << plat::PixelFormatName(xf) << ", alpha op "
                              << stage.alphaOp << ", width " << width;
          ++draws;
        }
  EXPECT_EQ(draws, 4 * 4 * 2 * 3);
}

// The division-free rounding of the vector rows is round(x / 255) for every value a blend makes.
TEST(FastPathDiff, DivisionFreeRoundingIsExact) {
  for (uint32_t x = 0; x <= 255 * 255 + 128; ++x) ASSERT_EQ(plat::rows::Div255(x), (x + 127) / 255) << x;
}

}  // namespace
