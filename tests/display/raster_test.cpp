#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/display/raster.h"

namespace {

using plat::PixelFormat;

std::shared_ptr<plat::cSurface> MakeSurface(int w, int h, PixelFormat f) {
  std::shared_ptr<plat::cSurface> s;
  EXPECT_EQ(plat::cSurface::Make(w, h, f, plat::MemoryPool::kSystem, plat::SurfaceApi::kDirect3D, nullptr, false, &s),
            plat::kOk);
  return s;
}

// A texture whose texel (x, y) is opaque with red x and green y; texels of odd
// x + y in the last row are half transparent, one is fully transparent.
std::shared_ptr<plat::cSurface> MakeTexture(int w, int h) {
  auto t = MakeSurface(w, h, PixelFormat::kA8R8G8B8);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) t->SetPixel(x, y, 0xFF000000u | uint32_t(x * 16 + 1) << 16 | uint32_t(y * 16 + 1) << 8 | 7);
  t->SetPixel(1, h - 1, 0x80FF0000u);
  t->SetPixel(2, h - 1, 0x00FFFFFFu);
  return t;
}

// Top-left, bottom-left, top-right, bottom-right, pixel edges at -0.5.
std::vector<plat::Vertex> Quad(int x, int y, int w, int h, float u0, float v0, float u1, float v1,
                               uint32_t diffuse = 0xFFFFFFFF) {
  float l = x - 0.5f, t = y - 0.5f, r = x + w - 0.5f, b = y + h - 0.5f;
  return {{l, t, 0, 1, diffuse, u0, v0}, {l, b, 0, 1, diffuse, u0, v1}, {r, t, 0, 1, diffuse, u1, v0},
          {r, b, 0, 1, diffuse, u1, v1}};
}

plat::RasterState TextureState(bool blend) {
  plat::RasterState st;
  st.alphaBlend = blend;
  st.srcBlend = plat::kBlendSrcAlpha;
  st.dstBlend = plat::kBlendInvSrcAlpha;
  return st;
}

const plat::Rect kAll{0, 0, 64, 64};

TEST(Raster, AxisAlignedQuadCopiesTexelsExactly) {
  auto tex = MakeTexture(4, 4);
  auto target = MakeSurface(16, 16, PixelFormat::kA8R8G8B8);
  auto q = Quad(3, 5, 4, 4, 0, 0, 1, 1);
  plat::RasterizeStrip(*target, tex.get(), TextureState(false), q.data(), 4, kAll);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      bool inside = x >= 3 && x < 7 && y >= 5 && y < 9;
      EXPECT_EQ(target->GetPixel(x, y), inside ? tex->GetPixel(x - 3, y - 5) : 0u) << x << "," << y;
    }
}

TEST(Raster, StretchedAndMirroredQuadsSampleTheNearestTexel) {
  auto tex = MakeTexture(8, 1);
  auto target = MakeSurface(16, 1, PixelFormat::kX8R8G8B8);
  // Doubled: pixel k shows texel k / 2.
  auto q = Quad(0, 0, 16, 1, 0, 0, 1, 1);
  plat::RasterizeStrip(*target, tex.get(), TextureState(false), q.data(), 4, kAll);
  for (int k = 0; k < 16; ++k) EXPECT_EQ(target->GetPixel(k, 0), tex->GetPixel(k / 2, 0) & 0xFFFFFF) << k;
  // Mirrored cell: source from texel 6 leftwards over 4 texels.
  target->FillAll(0);
  q = Quad(0, 0, 4, 1, 6 / 8.0f, 0, 2 / 8.0f, 1);
  plat::RasterizeStrip(*target, tex.get(), TextureState(false), q.data(), 4, kAll);
  for (int k = 0; k < 4; ++k) EXPECT_EQ(target->GetPixel(k, 0), tex->GetPixel(5 - k, 0) & 0xFFFFFF) << k;
}

// The exact integer path and the general triangle path give the same pixels.
TEST(Raster, TheAxisAlignedPathMatchesTheTrianglePath) {
  struct Case {
    int x, y, w, h;
    float u0, v0, u1, v1;
  } cases[] = {
      {2, 3, 8, 8, 0, 0, 1, 1},        // same size
      {1, 1, 16, 16, 0, 0, 1, 1},      // doubled
      {0, 2, 8, 8, 1, 0, 0, 1},        // mirrored
      {3, 0, 12, 12, 0, 0, 1, 1},      // 3 : 2
      {-3, -2, 10, 9, 0.25f, 0, 1, 1}, // off the top left
  };
  auto tex = MakeTexture(8, 8);
  for (bool blend : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " " << c.w << "x" << c.h << " blend " << blend);
      auto fast = MakeSurface(24, 24, PixelFormat::kR5G6B5);
      auto slow = MakeSurface(24, 24, PixelFormat::kR5G6B5);
      fast->FillAll(0x1234);
      slow->FillAll(0x1234);
      auto q = Quad(c.x, c.y, c.w, c.h, c.u0, c.v0, c.u1, c.v1, 0xFFFFFFFF);
      plat::RasterizeStrip(*fast, tex.get(), TextureState(blend), q.data(), 4, kAll);
      plat::RasterizeStrip(*slow, tex.get(), TextureState(blend), q.data(), 3, kAll);      // triangle 0 1 2
      plat::Vertex second[3] = {q[2], q[1], q[3]};
      plat::RasterizeStrip(*slow, tex.get(), TextureState(blend), second, 3, kAll);         // triangle 2 1 3
      for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x) ASSERT_EQ(fast->GetPixel(x, y), slow->GetPixel(x, y)) << x << "," << y;
    }
  }
}

TEST(Raster, StageOperationsAndBlending) {
  plat::RasterState st = TextureState(true);
  // Modulate: texture x diffuse, per channel, rounded.
  EXPECT_EQ(plat::ShadePixel(st, 0xFF804020, 0xFF808080), 0xFF402010u);
  st.stage.colorOp = plat::kTopAdd;
  EXPECT_EQ(plat::ShadePixel(st, 0xFF804020, 0xFFA0A0A0) & 0xFFFFFF, 0xFFE0C0u);
  st.stage.colorOp = plat::kTopSelectArg2;
  st.stage.colorArg2 = plat::kArgTFactor;
  st.stage.alphaOp = plat::kTopSelectArg2;
  st.stage.alphaArg2 = plat::kArgTFactor;
  st.textureFactor = 0x80112233;
  EXPECT_EQ(plat::ShadePixel(st, 0xFFFFFFFF, 0xFFFFFFFF), 0x80112233u);
  // Alpha disabled takes the diffuse alpha: keyed texels are drawn.
  st = TextureState(true);
  st.stage.alphaOp = plat::kTopDisable;
  EXPECT_EQ(plat::ShadePixel(st, 0x00123456, 0xFFFFFFFF), 0xFF123456u);
  // Source-alpha blending: 0 keeps, 255 replaces, 128 mixes (rounded).
  st = TextureState(true);
  EXPECT_EQ(plat::BlendPixel(st, 0x00FFFFFF, 0xFF102030), 0xFF102030u);
  EXPECT_EQ(plat::BlendPixel(st, 0xFFFFFFFF, 0xFF102030), 0xFFFFFFFFu);
  uint32_t mixed = plat::BlendPixel(st, 0x80FF0000, 0xFF0000FF);
  EXPECT_EQ((mixed >> 16) & 255, 128u);  // (255 * 128 + 0 * 127) / 255
  EXPECT_EQ(mixed & 255, 127u);          // (0 * 128 + 255 * 127) / 255
}

TEST(Raster, HugeAndDegenerateQuadsDrawSafely) {
  auto tex = MakeTexture(4, 4);
  auto target = MakeSurface(8, 8, PixelFormat::kA8R8G8B8);
  auto q = Quad(-2000000000, -5, 2100000000, 20, 0, 0, 1, 1);
  plat::RasterizeStrip(*target, tex.get(), TextureState(true), q.data(), 4, kAll);
  auto empty = Quad(3, 3, 0, 4, 0, 0, 1, 1);
  plat::RasterizeStrip(*target, tex.get(), TextureState(true), empty.data(), 4, kAll);
  plat::Vertex rotated[4] = {{1e30f, 0, 0, 1, 0, 0, 0}, {0, 5, 0, 1, 0, 0, 1}, {5, 0, 0, 1, 0, 1, 0}, {5, 5, 0, 1, 0, 1, 1}};
  plat::RasterizeStrip(*target, tex.get(), TextureState(true), rotated, 4, kAll);
  SUCCEED();
}

}  // namespace
