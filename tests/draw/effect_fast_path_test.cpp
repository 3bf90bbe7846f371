// The fast paths of the pixel effects against their plain forms: on every back end
// and depth both give the same pixels, over pictures of noise with transparent
// pixels, for effects cut by the target's edges and reading past the picture.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

#include "draw/dd_blit.h"
#include "draw/dd_blur.h"
#include "draw/dd_device_state.h"
#include "draw/dd_distort.h"
#include "draw/dd_rotate.h"
#include "tests/draw/effect_fixture.h"
#include "tests/draw/effect_reference.h"

namespace {

class EffectFastPath : public cDrawTest, public testing::WithParamInterface<draw_tool::DrawConfig> {
 protected:
  void SetUp() override {
    cDrawTest::SetUp();
    ASSERT_TRUE(StartLayer(GetParam()));
  }
  // Stored values of random colours, one in eight transparent (the colour key, or
  // no alpha under Direct3D).
  static void Noise(DDSURFACEDATA* sd, uint32_t seed) {
    std::mt19937 rng(seed);
    plat::cSurface* s = StorageOf(sd);
    const int bytes = s->BytesPerPixel();
    const uint32_t mask = bytes == 1 ? 0xFFu : bytes == 2 ? 0xFFFFu : 0xFFFFFFFFu;
    for (int y = 0; y < s->Height(); ++y)
      for (int x = 0; x < s->Width(); ++x) {
        uint32_t v = rng() & mask;
        if (rng() % 8 == 0) v = lpDTCon ? (bytes == 4 ? v & 0xFFFFFF : v & 0x5FFF) : dwColorKey;
        s->SetPixel(x, y, v);
      }
  }
  // The target after `draw`, from the same noise each time.
  static std::vector<uint32_t> After(DDSURFACEDATA* dst, const std::function<bool()>& draw, bool* result,
                                     uint32_t seed = 99) {
    Noise(dst, seed);
    *result = draw();
    plat::cSurface* s = StorageOf(dst);
    return Block(dst, 0, 0, s->Width(), s->Height());
  }
};

TEST_P(EffectFastPath, LensGivesThePixelsOfThePlainForm) {
  DDSURFACEDATA pic, small;
  ASSERT_TRUE(MakeSurface(&pic, 200, 150));
  ASSERT_TRUE(MakeSurface(&small, 120, 90));
  Noise(&pic, 7);
  struct Case {
    int cx, cy, r, d, scx, scy, key, clear;
  } cases[] = {
      {320, 240, 100, 50, 100, 75, 0, 0},  {5, 470, 60, 7, 10, 140, 1, 1},   {630, 3, 80, 0, 190, 2, 1, 0},
      {100, 100, 900, 1500, 100, 75, 0, 1}, {-50, 200, 90, 30, 100, 75, 1, 1}, {300, 260, 480, 300, 300, 260, 0, 0},
      {200, 200, 40, 100000, 20, 20, 1, 0}, {60, 45, 3, 4, 0, 0, 0, 1},       {700, 200, 50, 5, 100, 75, 0, 0},
  };
  int drawn = 0;
  for (DDSURFACEDATA* dst : {&BackBuffer, &small}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << (dst == &small ? "small " : "screen ") << c.cx << "," << c.cy << " r "
                                      << c.r << " d " << c.d << " key " << c.key << " clear " << c.clear);
      bool fastOk = false, plainOk = false;
      const std::vector<uint32_t> fast = After(
          dst, [&] { return DDBltLens(dst, c.cx, c.cy, c.r, c.d, &pic, c.scx, c.scy, c.key, c.clear); }, &fastOk);
      const std::vector<uint32_t> plain = After(
          dst, [&] { return LensReference(dst, c.cx, c.cy, c.r, c.d, &pic, c.scx, c.scy, c.key, c.clear); },
          &plainOk);
      EXPECT_EQ(fastOk, plainOk);
      EXPECT_TRUE(fast == plain);
      drawn += plainOk;
    }
  }
  EXPECT_EQ(drawn, 16);  // all but the lens too deep to form
  DDReleaseSurface(&pic);
  DDReleaseSurface(&small);
}

TEST_P(EffectFastPath, MosaicGivesThePixelsOfThePlainForm) {
  DDSURFACEDATA pic, small;
  ASSERT_TRUE(MakeSurface(&pic, 200, 150));
  ASSERT_TRUE(MakeSurface(&small, 120, 90));
  Noise(&pic, 11);
  struct Case {
    int x, y, w, h, block, sx, sy, key;
  } cases[] = {
      {0, 0, 200, 150, 8, 0, 0, 0},     {13, 7, 190, 140, 7, 5, 3, 1},  {-20, -9, 100, 80, 6, -15, -4, 1},
      {600, 440, 90, 70, 16, 150, 100, 0}, {30, 30, 50, 40, 1, 0, 0, 1}, {5, 5, 300, 300, 64, 0, 0, 0},
      {40, 20, 33, 17, 240, 170, 140, 1},
  };
  for (DDSURFACEDATA* dst : {&BackBuffer, &small}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << (dst == &small ? "small " : "screen ") << c.x << "," << c.y << " " << c.w
                                      << "x" << c.h << " block " << c.block << " key " << c.key);
      bool fastOk = false, plainOk = false;
      const std::vector<uint32_t> fast = After(
          dst, [&] { return DDMosaic(dst, c.x, c.y, c.w, c.h, c.block, &pic, c.sx, c.sy, c.key); }, &fastOk);
      const std::vector<uint32_t> plain = After(
          dst, [&] { return MosaicReference(dst, c.x, c.y, c.w, c.h, c.block, &pic, c.sx, c.sy, c.key); }, &plainOk);
      EXPECT_TRUE(fastOk && plainOk);
      EXPECT_TRUE(fast == plain);
    }
  }
  DDReleaseSurface(&pic);
  DDReleaseSurface(&small);
}

// The pixel path of the turned blit (every back end's surfaces in system memory).
TEST_P(EffectFastPath, TurnGivesThePixelsOfThePlainForm) {
  DDSURFACEDATA pic, small;
  ASSERT_TRUE(MakeSurface(&pic, 200, 150));
  ASSERT_TRUE(MakeSurface(&small, 120, 90));
  Noise(&pic, 5);
  struct Case {
    int x, y, w, h, px, py, angle, sx, sy, key;
  } cases[] = {
      {320, 240, 200, 150, 100, 75, 30, 0, 0, 0},   {10, 10, 180, 120, 0, 0, 135, 10, 20, 1},
      {630, 470, 64, 48, 32, 24, -77, 150, 100, 1}, {60, 45, 250, 170, 125, 85, 1440, -20, -10, 0},
      {100, 300, 90, 60, 200, 10, 359, 30, 30, 1},  {50, 50, 1, 1, 0, 0, 45, 3, 3, 0},
  };
  for (DDSURFACEDATA* dst : {&BackBuffer, &small}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << (dst == &small ? "small " : "screen ") << c.x << "," << c.y << " angle "
                                      << c.angle << " key " << c.key);
      bool fastOk = false, plainOk = false;
      const std::vector<uint32_t> fast = After(
          dst, [&] { return DDBltRotate(dst, c.x, c.y, c.w, c.h, c.px, c.py, c.angle, &pic, c.sx, c.sy, c.key); },
          &fastOk);
      const std::vector<uint32_t> plain = After(
          dst, [&] { return RotateReference(dst, c.x, c.y, c.w, c.h, c.px, c.py, c.angle, &pic, c.sx, c.sy, c.key); },
          &plainOk);
      EXPECT_TRUE(fastOk && plainOk);
      EXPECT_TRUE(fast == plain);
    }
  }
  DDReleaseSurface(&pic);
  DDReleaseSurface(&small);
}

// With the texture alpha off, a blit without the colour key writes every pixel
// of its rectangle, transparent-coloured ones included, whatever the target held
// (so the layer need not clear the rectangle first): straight, in stripes and in
// waves of rows and columns.
TEST_P(EffectFastPath, AnOpaqueBlitOfAKeyedPictureCoversItsRectangle) {
  DDSURFACEDATA pic;
  ASSERT_TRUE(MakeSurface(&pic, 64, 48, 1, DDMEMKIND_SYSTEM, DTMEMORYTYPE_VIDEO_RT));
  Noise(&pic, 3);
  const std::function<bool()> draws[] = {
      [&] {
        DDBltFast(&BackBuffer, 20, 30, 64, 48, &pic, 0, 0, 0);
        return true;
      },
      [&] { return DDBltSplit(&BackBuffer, 20, 30, 64, 48, 6, 3, &pic, 0, 0, 0, 0) == 1; },
      [&] {
        DDBltWave(&BackBuffer, 20, 30, 64, 48, 2, 5.0, 10, 1, &pic, 0, 0, 0, 1);
        return true;
      },
      [&] {
        DDBltWave(&BackBuffer, 20, 30, 64, 48, 3, 4.0, 0, 2, &pic, 0, 0, 0, 0);
        return true;
      },
  };
  DDSetAlphaOp(1);
  int k = 0;
  for (const auto& draw : draws) {
    SCOPED_TRACE(k++);
    bool ok1 = false, ok2 = false;
    std::vector<uint32_t> one = After(&BackBuffer, draw, &ok1, 1), two = After(&BackBuffer, draw, &ok2, 2);
    EXPECT_TRUE(ok1 && ok2);
    // Inside the rectangle (the shifted strips stay within 5 dots of it) both agree.
    int differing = 0;
    for (int y = 36; y < 72; ++y)
      for (int x = 26; x < 78; ++x) differing += one[size_t(y) * 640 + x] != two[size_t(y) * 640 + x];
    EXPECT_EQ(differing, 0);
  }
  DDResetAlphaOp();
  DDReleaseSurface(&pic);
}

INSTANTIATE_TEST_SUITE_P(Configs, EffectFastPath,
                         testing::Values(draw_tool::DrawConfig{0, 8, 0}, draw_tool::DrawConfig{0, 16, 0},
                                         draw_tool::DrawConfig{0, 32, 0}, draw_tool::DrawConfig{1, 16, 0},
                                         draw_tool::DrawConfig{1, 32, 0}),
                         [](const testing::TestParamInfo<draw_tool::DrawConfig>& info) {
                           return std::string(info.param.backEnd ? "D3D" : "DDraw") + std::to_string(info.param.bpp);
                         });

}  // namespace
