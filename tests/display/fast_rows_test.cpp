// The chunked fast rows of the display device give exactly the pixels of the
// general per-pixel code: textured quads against the triangle path, keyed
// DirectDraw copies and the present's conversion against plain loops.
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

uint32_t Next(uint32_t& seed) {
  seed = seed * 214013u + 2531011u;
  return seed;
}

// Rows of texels whose alphas are: all 0, all 255, 0/255 in runs and at random,
// and at random with values in between. Width 70: four 16-pixel chunks and a tail.
std::shared_ptr<plat::cSurface> MakeAlphaTexture(PixelFormat f) {
  auto t = MakeSurface(70, 6, f);
  uint32_t seed = 7;
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 70; ++x) {
      uint32_t rgb = Next(seed) & 0xFFFFFF, a;
      switch (y) {
        case 0: a = 0; break;
        case 1: a = 255; break;
        case 2: a = (x / 20) % 2 ? 255 : 0; break;
        case 3: a = (Next(seed) >> 16) & 1 ? 255 : 0; break;
        default: a = (x % 23 == 5) ? 128 : ((Next(seed) >> 16) & 1 ? 255 : 0); break;
      }
      t->SetPixel(x, y, plat::ArgbToPixel(f, a << 24 | rgb));
    }
  return t;
}

std::vector<plat::Vertex> Quad(int x, int y, int w, int h, float u0, float v0, float u1, float v1) {
  float l = x - 0.5f, t = y - 0.5f, r = x + w - 0.5f, b = y + h - 0.5f;
  return {{l, t, 0, 1, 0xFFFFFFFF, u0, v0}, {l, b, 0, 1, 0xFFFFFFFF, u0, v1}, {r, t, 0, 1, 0xFFFFFFFF, u1, v0},
          {r, b, 0, 1, 0xFFFFFFFF, u1, v1}};
}

TEST(FastRows, TexturedQuadsMatchTheGeneralPath) {
  plat::RasterState st;
  st.alphaBlend = true;
  st.srcBlend = plat::kBlendSrcAlpha;
  st.dstBlend = plat::kBlendInvSrcAlpha;
  struct Combo {
    PixelFormat target, texture;
  } combos[] = {{PixelFormat::kX8R8G8B8, PixelFormat::kA8R8G8B8},
                {PixelFormat::kA8R8G8B8, PixelFormat::kA8R8G8B8},
                {PixelFormat::kR5G6B5, PixelFormat::kA1R5G5B5},
                {PixelFormat::kA1R5G5B5, PixelFormat::kA1R5G5B5}};
  struct Place {
    int x, y, w, h;
  } places[] = {{0, 0, 70, 6}, {3, 1, 70, 6}, {-5, 0, 70, 6}, {10, 2, 105, 9}, {1, 1, 33, 4}};
  for (const Combo& c : combos) {
    auto tex = MakeAlphaTexture(c.texture);
    for (const Place& p : places) {
      SCOPED_TRACE(testing::Message() << plat::PixelFormatName(c.target) << " at " << p.x << "," << p.y << " "
                                      << p.w << "x" << p.h);
      auto fast = MakeSurface(128, 16, c.target), slow = MakeSurface(128, 16, c.target);
      uint32_t seed = 99;
      for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 128; ++x) {
          uint32_t v = plat::ArgbToPixel(c.target, Next(seed));
          fast->SetPixel(x, y, v);
          slow->SetPixel(x, y, v);
        }
      auto q = Quad(p.x, p.y, p.w, p.h, 0, 0, 1, 1);
      plat::Rect all{0, 0, 128, 16};
      plat::RasterizeStrip(*fast, tex.get(), st, q.data(), 4, all);
      plat::RasterizeStrip(*slow, tex.get(), st, q.data(), 3, all);
      plat::Vertex second[3] = {q[2], q[1], q[3]};
      plat::RasterizeStrip(*slow, tex.get(), st, second, 3, all);
      int wrong = 0;
      for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 128; ++x) wrong += fast->GetPixel(x, y) != slow->GetPixel(x, y);
      EXPECT_EQ(wrong, 0);
    }
  }
}

TEST(FastRows, KeyedCopiesSkipExactlyTheKey) {
  for (PixelFormat f : {PixelFormat::kP8, PixelFormat::kR5G6B5, PixelFormat::kX8R8G8B8}) {
    SCOPED_TRACE(plat::PixelFormatName(f));
    std::shared_ptr<plat::cSurface> src, dst;
    ASSERT_EQ(plat::cSurface::Make(75, 3, f, plat::MemoryPool::kSystem, plat::SurfaceApi::kDirectDraw, nullptr, false,
                                   &src), plat::kOk);
    ASSERT_EQ(plat::cSurface::Make(80, 3, f, plat::MemoryPool::kSystem, plat::SurfaceApi::kDirectDraw, nullptr, false,
                                   &dst), plat::kOk);
    const uint32_t key = 5;
    uint32_t seed = 3;
    // Row 0 all key, row 1 no key, row 2 mixed.
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 75; ++x) {
        uint32_t v = (Next(seed) >> 8) | 0x40;  // never the key
        bool keyed = y == 0 || (y == 2 && ((Next(seed) >> 16) & 1));
        src->SetPixel(x, y, keyed ? key : v);
      }
    dst->FillAll(9);
    ASSERT_EQ(src->SetColorKey(key), plat::kOk);
    plat::Rect s{0, 0, 75, 3};
    ASSERT_EQ(dst->BltFast(2, 0, src.get(), &s, true), plat::kOk);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 80; ++x) {
        uint32_t want = 9;
        if (x >= 2 && x < 77) {
          uint32_t v = src->GetPixel(x - 2, y);
          if (v != key) want = v;
        }
        ASSERT_EQ(dst->GetPixel(x, y), want & (f == PixelFormat::kP8 ? 0xFFu : f == PixelFormat::kR5G6B5 ? 0xFFFFu : ~0u))
            << x << "," << y;
      }
  }
}

TEST(FastRows, ThePresentConversionIsTheDefinedOne) {
  for (PixelFormat f : {PixelFormat::kR5G6B5, PixelFormat::kA1R5G5B5, PixelFormat::kX8R8G8B8,
                        PixelFormat::kA8R8G8B8}) {
    SCOPED_TRACE(plat::PixelFormatName(f));
    auto s = MakeSurface(37, 2, f);
    uint32_t seed = 11;
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 37; ++x) s->SetPixel(x, y, Next(seed));
    std::vector<uint32_t> out;
    s->ToXrgb(out);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 37; ++x)
        ASSERT_EQ(out[size_t(y) * 37 + x], plat::PixelToArgb(f, s->GetPixel(x, y)) & 0xFFFFFF) << x;
  }
}

}  // namespace
