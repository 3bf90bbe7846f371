#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "tests/draw/effect_fixture.h"

namespace {

class FadesAndPalettes : public cDrawTest {};

bool FadeOut(double step, uint8_t finish = 0) {
  return DDFadeOut(ScreenPalette, 0, 255, 0, 0, 0, step, GamePalette, finish);
}
bool FadeIn(double step, uint8_t finish = 0) {
  return DDFadeIn(ScreenPalette, 0, 255, 0, 0, 0, step, GamePalette, finish);
}

// Step 10 takes ten calls from 90 down to 0 degrees; the tenth draws black and
// returns true. Direct3D darkens this frame's picture with black at alpha
// 255 - trunc(sin x 255); DirectDraw mixes the picture of the first call at
// trunc(sin x 256) / 256.
TEST_F(FadesAndPalettes, FadeOutLevelsOnEachBackEnd) {
  const uint32_t d3d[] = {255, 251, 239, 220, 195, 163, 127, 87, 44, 0};
  const uint32_t dd[] = {255, 251, 239, 220, 195, 163, 126, 86, 43, 0};  // white x 256, 252, ... >> 8
  for (const draw_tool::DrawConfig& config : {draw_tool::DrawConfig{1, 32, 0}, draw_tool::DrawConfig{0, 32, 0}}) {
    SCOPED_TRACE(config.Name());
    ASSERT_TRUE(StartLayer(config));
    const uint32_t* want = config.backEnd ? d3d : dd;
    FillAll(&BackBuffer, 0xFFFFFF);
    for (int call = 0; call < 10; ++call) {
      SCOPED_TRACE(call);
      if (config.backEnd) FillAll(&BackBuffer, 0xFFFFFF);  // each frame drawn anew
      else FillAll(&BackBuffer, 0x123456);                  // not shown: the first call's picture is
      if (call == 0 && !config.backEnd) FillAll(&BackBuffer, 0xFFFFFF);
      EXPECT_EQ(FadeOut(10.0), call == 9);
      EXPECT_EQ(Get(&BackBuffer, 320, 240) & 0xFFFFFF, Rgb32(want[call], want[call], want[call]));
    }
    DDRelease();
  }
}

// Fade in by 30: angles 0, 30, 60, 90, the last call draws the full picture and
// returns true, and the next fade starts at 0 again. A step that does not divide
// 90 is clamped at the end: fade out by 40 is 90, 50, 10, 0. The finish flag
// draws the end state at once.
TEST_F(FadesAndPalettes, FadeStepsAndTheFinishFlag) {
  ASSERT_TRUE(StartLayer({1, 32, 0}));
  auto draw = [](bool (*fade)(double, uint8_t), double step, uint8_t finish, bool* done) {
    FillAll(&BackBuffer, 0xFFFFFF);
    *done = fade(step, finish);
    return Get(&BackBuffer, 0, 0) & 0xFF;
  };
  bool done = false;
  const uint32_t in[] = {0, 127, 220, 255};
  for (int call = 0; call < 4; ++call) {
    EXPECT_EQ(draw(FadeIn, 30.0, 0, &done), in[call]) << call;
    EXPECT_EQ(done, call == 3);
  }
  EXPECT_EQ(draw(FadeIn, 30.0, 0, &done), 0u);  // started again at 0
  EXPECT_FALSE(done);
  EXPECT_EQ(draw(FadeIn, 30.0, 1, &done), 255u);  // finished at once
  EXPECT_TRUE(done);
  const uint32_t out[] = {255, 195, 44, 0};
  for (int call = 0; call < 4; ++call) {
    EXPECT_EQ(draw(FadeOut, 40.0, 0, &done), out[call]) << call;
    EXPECT_EQ(done, call == 3);
  }
  // A fade out abandoned half-way is continued; a fade in does not disturb it.
  draw(FadeOut, 40.0, 0, &done);
  EXPECT_EQ(draw(FadeIn, 45.0, 0, &done), 0u);
  EXPECT_EQ(draw(FadeOut, 40.0, 0, &done), 195u);
  // The draw cannot begin: false, and the angle stays.
  plat::DisplayControl().FailNext(plat::DisplayOp::kSetRenderTarget);
  EXPECT_EQ(draw(FadeOut, 40.0, 0, &done), 255u);  // nothing drawn
  EXPECT_FALSE(done);
  EXPECT_EQ(draw(FadeOut, 40.0, 0, &done), 44u);
  EXPECT_EQ(draw(FadeOut, 40.0, 0, &done), 0u);
  EXPECT_TRUE(done);
  EXPECT_EQ(draw(FadeIn, 45.0, 1, &done), 255u);
}

// Eight bits: the palette entries are blended and shown; the picture is not touched.
// Sixteen bits: each channel widened, mixed and narrowed.
TEST_F(FadesAndPalettes, PaletteFadeAndSixteenBitFade) {
  ASSERT_TRUE(StartLayer({0, 8, 0}));
  FillAll(&BackBuffer, 7);
  const PALETTEENTRY source = GamePalette[7];
  EXPECT_FALSE(FadeOut(60.0));  // 90 degrees: the palette as it is
  EXPECT_FALSE(FadeOut(60.0));  // 30 degrees: level 127
  PALETTEENTRY shown[256];
  lpDDPalette->GetEntries(0, 256, shown);
  EXPECT_EQ(shown[7].red, uint8_t((source.red * 127) >> 8));
  EXPECT_EQ(shown[7].blue, uint8_t((source.blue * 127) >> 8));
  EXPECT_EQ(ScreenPalette[7].green, uint8_t((source.green * 127) >> 8));
  EXPECT_EQ(Get(&BackBuffer, 5, 5), 7u);
  EXPECT_TRUE(FadeOut(60.0));
  lpDDPalette->GetEntries(0, 256, shown);
  EXPECT_EQ(shown[200].red, 0);
  DDRelease();

  ASSERT_TRUE(StartLayer({0, 16, 0}));
  DDSURFACEDATA src, dst;
  ASSERT_TRUE(MakeSurface(&src, 2, 2));
  ASSERT_TRUE(MakeSurface(&dst, 2, 2));
  FillAll(&src, R5G6B5(31, 63, 31));
  ASSERT_EQ(DDFade_UnPal(&dst, 128, 0, 0, 255, &src), 1);
  // Red 255 x 128 >> 8 = 127 -> 15; blue (255 x 128 + 255 x 128) >> 8 = 255 -> 31.
  EXPECT_EQ(Get(&dst, 1, 1), R5G6B5(15, 31, 31));
  plat::DisplayControl().FailNext(plat::DisplayOp::kLock);
  EXPECT_EQ(DDFade_UnPal(&dst, 128, 0, 0, 0, &src), 0);
  DDReleaseSurface(&src);
  DDReleaseSurface(&dst);
}

TEST_F(FadesAndPalettes, BlendPalette) {
  PALETTEENTRY src[256], dst[256];
  for (int i = 0; i < 256; ++i) src[i] = PALETTEENTRY{uint8_t(i), uint8_t(255 - i), 77, 0};
  std::fill(std::begin(dst), std::end(dst), PALETTEENTRY{9, 9, 9, 9});
  DDBlendPalette(dst, 10, 20, 256, 200, 100, 0, src);
  EXPECT_EQ(dst[15].red, 15);  // level 256: the source exactly
  EXPECT_EQ(dst[15].green, 240);
  EXPECT_EQ(dst[15].flags, 1);
  EXPECT_EQ(dst[9].red, 9);  // outside the range: untouched
  EXPECT_EQ(dst[21].red, 9);
  DDBlendPalette(dst, 10, 20, 0, 200, 100, 0, src);
  EXPECT_EQ(dst[12].red, 200);  // level 0: the colour exactly
  EXPECT_EQ(dst[12].green, 100);
  EXPECT_EQ(dst[12].blue, 0);
  DDBlendPalette(dst, 10, 20, 64, 0, 0, 255, src);
  EXPECT_EQ(dst[20].blue, (77 * 64 + 255 * 192) >> 8);
  DDBlendPalette(dst, 30, 29, 0, 1, 1, 1, src);  // first after last: nothing
  EXPECT_EQ(dst[30].red, 9);
  DDBlendPalette(dst, -5, 300, 0, 1, 1, 1, src);  // cut to the palette
  EXPECT_EQ(dst[0].red, 1);
  EXPECT_EQ(dst[255].red, 1);
}

// Entries 16..207 by 16 toward lower indexes: entry 32 moves to 16 and entries
// 16..31 to 192..207; toward higher ones the reverse; the rest is a plain copy.
TEST_F(FadesAndPalettes, RotatePalette) {
  ASSERT_TRUE(StartLayer({0, 8, 0}));
  PALETTEENTRY src[256], dst[256];
  for (int i = 0; i < 256; ++i) src[i] = PALETTEENTRY{uint8_t(i), 0, 0, 0};
  std::fill(std::begin(dst), std::end(dst), PALETTEENTRY{});
  DDRotatePalette(dst, 16, 207, 16, 1, src);
  EXPECT_EQ(dst[16].red, 32);
  EXPECT_EQ(dst[191].red, 207);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(dst[192 + i].red, 16 + i);
  EXPECT_EQ(dst[15].red, 15);
  EXPECT_EQ(dst[208].red, 208);
  DDRotatePalette(dst, 16, 207, 16, 0, src);
  EXPECT_EQ(dst[32].red, 16);
  EXPECT_EQ(dst[16].red, 192);
  DDRotatePalette(dst, 208, 211, 1 + 4 * 5, 0, src);  // a count beyond the range wraps
  EXPECT_EQ(dst[208].red, 211);
  EXPECT_EQ(dst[209].red, 208);
  DDRotatePalette(dst, 16, 207, 16, 2, src);  // no such direction: the copy
  EXPECT_EQ(std::memcmp(dst, src, sizeof dst), 0);
  DDRotatePalette(src, 0, 3, 1, 1, src);  // in place
  EXPECT_EQ(src[0].red, 1);
  EXPECT_EQ(src[3].red, 0);
}

// The tint lays the colour over the whole destination at 255 - transparency;
// with a picture as its source the picture modulated by the colour is laid over.
// Under DirectDraw the tint and under Direct3D the 16/32-bit fade are refused.
TEST_F(FadesAndPalettes, TintAndRefusals) {
  TraceOn();
  ASSERT_TRUE(StartLayer({1, 32, 0}));
  for (auto [t, want] : {std::pair{0, 0x00FF00u}, {255, 0x804020u}, {128, 0x409F10u}}) {
    FillAll(&BackBuffer, 0x804020);
    EXPECT_EQ(DDChangeColor(&BackBuffer, 0, 0, 640, 480, t, 0, 255, 0), 1);
    EXPECT_EQ(Get(&BackBuffer, 639, 479) & 0xFFFFFF, want) << t;
  }
  // The same in virtual back-buffer mode, where the back buffer has a texture.
  DDSetVirBackBuffer(1);
  FillAll(&VirBackBuffer, 0xFF804020);
  DDChangeColor(&BackBuffer, 0, 0, 640, 480, 0, 0, 255, 0);
  EXPECT_EQ(Get(&VirBackBuffer, 5, 5) & 0xFFFFFF, 0x00FF00u);
  DDSetVirBackBuffer(0);
  DDSURFACEDATA tex;
  ASSERT_TRUE(MakeSurface(&tex, 4, 4, 0, DDMEMKIND_VIDEO, DTMEMORYTYPE_VIDEO_RT));
  FillAll(&tex, Argb32(0xFF, 255, 128, 255));
  FillAll(&BackBuffer, 0);
  DDChangeColorSD(&BackBuffer, 0, 0, 640, 480, &tex, 0, 0, 255, 255);
  EXPECT_EQ(Get(&BackBuffer, 100, 100) & 0xFFFFFF, 0x0080FFu);
  EXPECT_EQ(DDFade_UnPal(&BackBuffer, 128, 0, 0, 0, &tex), 1);
  EXPECT_TRUE(Traced("D3DではDDFade_UnPalは未対応"));
  DDReleaseSurface(&tex);
  DDRelease();
  ASSERT_TRUE(StartLayer({0, 32, 0}));
  FillAll(&BackBuffer, 0x804020);
  EXPECT_EQ(DDChangeColor(&BackBuffer, 0, 0, 640, 480, 0, 0, 255, 0), 1);
  EXPECT_EQ(Get(&BackBuffer, 5, 5), 0x804020u);
  EXPECT_TRUE(Traced("DDrawでは DDChangeColor(DDSURFACEDATA *lpDstSD,int x,int y,int nWidth,int nHeight,int nAlpha,"
                     "BYTE bRed,BYTE bGreen,BYTE bBlue) は未対応"));
}

}  // namespace
