#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/draw/effect_fixture.h"

namespace {

class BlendBlits : public cDrawTest {};

constexpr int kRed = 200;  // the tint's palette number in these tests

bool Near(uint32_t a, uint32_t b, int tolerance) {
  for (int shift : {0, 8, 16})
    if (std::abs(int((a >> shift) & 255) - int((b >> shift) & 255)) > tolerance) return false;
  return true;
}

// The Direct3D quad: texel x a/255 + colour x (1 - a/255), a = 128 at level 1;
// level 5 and above the colour alone; transparent texels stay transparent.
TEST_F(BlendBlits, ColourBlendQuadUnderDirect3D) {
  ASSERT_TRUE(StartLayer({1, 32, 0}));
  ScreenPalette[kRed] = PALETTEENTRY{255, 0, 0, 0};
  DDSURFACEDATA tex;
  ASSERT_TRUE(MakeSurface(&tex, 4, 1, 1, DDMEMKIND_VIDEO, DTMEMORYTYPE_VIDEO_RT));
  FillAll(&tex, 0xFFFFFFFF);
  Put(&tex, 3, 0, 0);  // transparent
  struct Case {
    int level;
    uint32_t want;
  } cases[] = {{1, 0xFF8080}, {2, 0xFF5050}, {4, 0xFF1010}, {5, 0xFF0000}, {9, 0xFF0000}};
  for (const Case& c : cases) {
    FillAll(&BackBuffer, 0x000080);
    ASSERT_TRUE(DDBltColorBlend(&BackBuffer, 10, 10, 4, 1, &tex, 0, 0, 1, ScreenPalette, BlendTable, kRed, c.level));
    EXPECT_TRUE(Near(Get(&BackBuffer, 10, 10), c.want, 1)) << c.level << " " << std::hex << Get(&BackBuffer, 10, 10);
    EXPECT_EQ(Get(&BackBuffer, 13, 10), 0x000080u) << c.level;
  }
  FillAll(&BackBuffer, 0x000080);
  EXPECT_TRUE(DDBltColorBlend(&BackBuffer, 10, 10, 4, 1, &tex, 0, 0, 1, ScreenPalette, BlendTable, kRed, 0));
  EXPECT_EQ(Get(&BackBuffer, 10, 10), 0x000080u);
  DDReleaseSurface(&tex);
}

// The locked path (a source in system memory): level 1 the integer average,
// other levels source x w/255 + colour x (1 - w/255) truncated, w 128, 64, 32,
// 16. Sixteen bits onto the full-screen back buffer double the green.
TEST_F(BlendBlits, ColourBlendOnLockedPixelsUnderDirect3D) {
  ASSERT_TRUE(StartLayer({1, 32, 0}));
  ScreenPalette[kRed] = PALETTEENTRY{0, 0, 0, 0};
  DDSURFACEDATA src;
  ASSERT_TRUE(MakeSurface(&src, 2, 1));
  FillAll(&src, Argb32(0x80, 255, 255, 255));
  Put(&src, 1, 0, Argb32(0, 255, 255, 255));  // transparent
  struct Case {
    int level;
    uint32_t channel;
  } cases[] = {{1, 127}, {2, 64}, {3, 32}, {4, 16}, {5, 0}};
  for (const Case& c : cases) {
    FillAll(&BackBuffer, 0x00AA00);
    ASSERT_TRUE(DDBltColorBlend(&BackBuffer, 0, 0, 2, 1, &src, 0, 0, 1, ScreenPalette, BlendTable, kRed, c.level));
    EXPECT_EQ(Get(&BackBuffer, 0, 0), Argb32(0xFF, c.channel, c.channel, c.channel)) << c.level;
    EXPECT_EQ(Get(&BackBuffer, 1, 0), 0x00AA00u);
  }
  DDReleaseSurface(&src);
  DDRelease();

  ASSERT_TRUE(StartLayer({1, 16, 0}));
  ScreenPalette[kRed] = PALETTEENTRY{0, 255, 0, 0};  // green 31 after narrowing
  ASSERT_TRUE(MakeSurface(&src, 1, 1));
  FillAll(&src, A1R5G5B5(1, 30, 31, 10));
  ASSERT_TRUE(DDBltColorBlend(&BackBuffer, 0, 0, 1, 1, &src, 0, 0, 1, ScreenPalette, BlendTable, kRed, 1));
  EXPECT_EQ(Get(&BackBuffer, 0, 0), R5G6B5(15, 62, 5));  // green 31 + 31, not halved
  ASSERT_TRUE(DDBltColorBlend(&BackBuffer, 0, 0, 1, 1, &src, 0, 0, 1, ScreenPalette, BlendTable, kRed, 2));
  // trunc(30 x 64/255) = 7; green 31 x 0.251 + 31 x 0.749 = 31, doubled; blue trunc(2.5) = 2.
  EXPECT_EQ(Get(&BackBuffer, 0, 0), R5G6B5(7, 62, 2));
  DDReleaseSurface(&src);
}

// DirectDraw: each level halves the distance to the colour; 16 bits through the
// 0..255 range (the palette holds the screen's channel ranges); 8 bits through
// the blend table, level times.
TEST_F(BlendBlits, ColourBlendUnderDirectDraw) {
  ASSERT_TRUE(StartLayer({0, 32, 0}));
  ScreenPalette[kRed] = PALETTEENTRY{0, 0, 0, 0};
  DDSURFACEDATA src, dst;
  ASSERT_TRUE(MakeSurface(&src, 2, 1));
  ASSERT_TRUE(MakeSurface(&dst, 2, 1));
  FillAll(&src, Rgb32(200, 200, 200));
  Put(&src, 1, 0, dwColorKey);
  for (auto [level, want] : {std::pair{1, 100u}, {2, 50u}, {3, 25u}, {40, 0u}}) {
    FillAll(&dst, 0x5A000000);
    ASSERT_TRUE(DDBltColorBlend(&dst, 0, 0, 2, 1, &src, 0, 0, 1, ScreenPalette, BlendTable, kRed, level));
    EXPECT_EQ(Get(&dst, 0, 0), Argb32(0x5A, want, want, want)) << level;  // the fourth byte stays
    EXPECT_EQ(Get(&dst, 1, 0), 0x5A000000u);                               // the key is skipped
  }
  DDReleaseSurface(&src);
  DDReleaseSurface(&dst);
  DDRelease();

  ASSERT_TRUE(StartLayer({0, 16, 0}));
  ScreenPalette[kRed] = PALETTEENTRY{0, 63, 0, 0};
  ASSERT_TRUE(MakeSurface(&src, 1, 1));
  ASSERT_TRUE(MakeSurface(&dst, 1, 1));
  FillAll(&src, R5G6B5(31, 0, 31));
  ASSERT_TRUE(DDBltColorBlend(&dst, 0, 0, 1, 1, &src, 0, 0, 0, ScreenPalette, BlendTable, kRed, 1));
  // Red 31 -> 255 -> 127 -> 15; green 0 and 63 (255) -> 127 -> 31.
  EXPECT_EQ(Get(&dst, 0, 0), R5G6B5(15, 31, 15));
  DDReleaseSurface(&src);
  DDReleaseSurface(&dst);
  DDRelease();

  ASSERT_TRUE(StartLayer({0, 8, 0}));
  for (int i = 0; i < 65536; ++i) BlendTable[i] = uint8_t((i >> 8) + (i & 255));  // row + column
  ASSERT_TRUE(MakeSurface(&src, 2, 1));
  ASSERT_TRUE(MakeSurface(&dst, 2, 1));
  Put(&src, 0, 0, 5);
  Put(&src, 1, 0, 0);  // the colour key
  FillAll(&dst, 1);
  ASSERT_TRUE(DDBltColorBlend(&dst, 0, 0, 2, 1, &src, 0, 0, 1, ScreenPalette, BlendTable, 10, 3));
  EXPECT_EQ(Get(&dst, 0, 0), 35u);  // 5 + 10 + 10 + 10
  EXPECT_EQ(Get(&dst, 1, 0), 1u);
  ASSERT_TRUE(DDBltColorBlend(&dst, 0, 0, 2, 1, &src, 0, 0, 1, ScreenPalette, BlendTable, 1, 300));
  EXPECT_EQ(Get(&dst, 0, 0), (5u + 300u) & 255);
  DDReleaseSurface(&src);
  DDReleaseSurface(&dst);
}

// The Direct3D quad scales the texture's alpha by (255 - transparency): 0 draws
// opaque, 255 leaves the target. The locked path mixes half and half whatever
// the transparency.
TEST_F(BlendBlits, TranslucencyUnderDirect3D) {
  ASSERT_TRUE(StartLayer({1, 32, 0}));
  DDSURFACEDATA tex, sys;
  ASSERT_TRUE(MakeSurface(&tex, 1, 1, 1, DDMEMKIND_VIDEO, DTMEMORYTYPE_VIDEO_RT));
  ASSERT_TRUE(MakeSurface(&sys, 1, 1));
  FillAll(&tex, Argb32(0xFF, 200, 100, 0));
  FillAll(&sys, Argb32(0xFF, 200, 100, 0));
  for (auto [t, want] : {std::pair{0, 0xC86400u}, {255, 0x0000C8u}, {128, 0x643264u}}) {
    FillAll(&BackBuffer, 0x0000C8);
    ASSERT_TRUE(DDBltAlpha(&BackBuffer, 0, 0, 1, 1, &tex, 0, 0, 1, BlendTable, t));
    EXPECT_TRUE(Near(Get(&BackBuffer, 0, 0), want, 1)) << t << " " << std::hex << Get(&BackBuffer, 0, 0);
    FillAll(&BackBuffer, 0x0000C8);
    ASSERT_TRUE(DDBltAlpha(&BackBuffer, 0, 0, 1, 1, &sys, 0, 0, 1, BlendTable, t));
    EXPECT_EQ(Get(&BackBuffer, 0, 0), 0xFF643264u) << t;
  }
  // The texture alpha operation is back to "texture alpha" for the next blits.
  EXPECT_EQ(lpDevice->CurrentRasterState().stage.alphaOp, plat::kTopSelectArg1);
  DDReleaseSurface(&tex);
  DDReleaseSurface(&sys);
}

// DirectDraw: half and half; over the key colour the source is copied; at 8
// bits a destination index 0 takes the source index, others the blend table's
// entry, and the key flag skips source index 0.
TEST_F(BlendBlits, TranslucencyUnderDirectDraw) {
  ASSERT_TRUE(StartLayer({0, 32, 0}));
  DDSURFACEDATA src, dst;
  ASSERT_TRUE(MakeSurface(&src, 3, 1));
  ASSERT_TRUE(MakeSurface(&dst, 3, 1));
  Put(&src, 0, 0, Rgb32(200, 100, 0));
  Put(&src, 1, 0, Rgb32(200, 100, 0));
  Put(&src, 2, 0, dwColorKey);
  Put(&dst, 0, 0, Argb32(0x33, 0, 0, 200));
  Put(&dst, 1, 0, dwColorKey);
  Put(&dst, 2, 0, 0x42);
  ASSERT_TRUE(DDBltHalf(&dst, 0, 0, 3, 1, &src, 0, 0, 1, BlendTable));
  EXPECT_EQ(Get(&dst, 0, 0), Argb32(0x33, 100, 50, 100));
  EXPECT_EQ(Get(&dst, 1, 0), Rgb32(200, 100, 0));  // copied over the key colour
  EXPECT_EQ(Get(&dst, 2, 0), 0x42u);               // the source's key skipped
  DDReleaseSurface(&src);
  DDReleaseSurface(&dst);
  DDRelease();

  ASSERT_TRUE(StartLayer({0, 16, 0}));
  ASSERT_TRUE(MakeSurface(&src, 1, 1));
  ASSERT_TRUE(MakeSurface(&dst, 1, 1));
  FillAll(&src, R5G6B5(31, 63, 0));
  FillAll(&dst, R5G6B5(0, 0, 31));
  ASSERT_TRUE(DDBltAlpha(&dst, 0, 0, 1, 1, &src, 0, 0, 0, BlendTable, 0));  // the transparency is not used
  EXPECT_EQ(Get(&dst, 0, 0), R5G6B5(15, 31, 15));
  DDReleaseSurface(&src);
  DDReleaseSurface(&dst);
  DDRelease();

  ASSERT_TRUE(StartLayer({0, 8, 0}));
  uint8_t table[65536];
  for (int i = 0; i < 65536; ++i) table[i] = uint8_t(((i >> 8) + (i & 255)) / 2);
  ASSERT_TRUE(MakeSurface(&src, 3, 1));
  ASSERT_TRUE(MakeSurface(&dst, 3, 1));
  Put(&src, 0, 0, 100), Put(&src, 1, 0, 100), Put(&src, 2, 0, 0);
  Put(&dst, 0, 0, 0), Put(&dst, 1, 0, 50), Put(&dst, 2, 0, 50);
  ASSERT_TRUE(DDBltAlpha(&dst, 0, 0, 3, 1, &src, 0, 0, 1, table, 128));
  EXPECT_EQ(Block(&dst, 0, 0, 3, 1), (std::vector<uint32_t>{100, 75, 50}));
  ASSERT_TRUE(DDBltAlpha(&dst, 0, 0, 3, 1, &src, 0, 0, 0, table, 128));
  EXPECT_EQ(Get(&dst, 2, 0), 25u);  // unkeyed: index 0 is mixed like any other
  plat::DisplayControl().FailNext(plat::DisplayOp::kLock);
  EXPECT_FALSE(DDBltAlpha(&dst, 0, 0, 3, 1, &src, 0, 0, 0, table, 128));
  DDReleaseSurface(&src);
  DDReleaseSurface(&dst);
}

// A mirrored alias sheet read on locked pixels: the cell comes out mirrored, as
// the quad draws it, and partly off the target only the inside part is written.
TEST_F(BlendBlits, MirroredAliasAndEdgesOnLockedPixels) {
  ASSERT_TRUE(StartLayer({1, 32, 0}));
  DDSURFACEDATA sheet, alias;
  ASSERT_TRUE(MakeSurface(&sheet, 8, 1));
  for (int c = 0; c < 8; ++c) Put(&sheet, c, 0, Argb32(0xFF, 20 * c, 0, 0));
  alias.lpAliasSD = &sheet;
  alias.nMirrorCellWidth = 4;
  FillAll(&BackBuffer, 0);
  ASSERT_TRUE(DDBltAlpha(&BackBuffer, 10, 0, 4, 1, &alias, 4, 0, 1, BlendTable, 0));
  EXPECT_EQ(Block(&BackBuffer, 10, 0, 4, 1),
            (std::vector<uint32_t>{Argb32(0xFF, 70, 0, 0), Argb32(0xFF, 60, 0, 0), Argb32(0xFF, 50, 0, 0),
                                   Argb32(0xFF, 40, 0, 0)}));
  FillAll(&BackBuffer, 0);
  ScreenPalette[kRed] = PALETTEENTRY{0, 0, 0, 0};
  ASSERT_TRUE(DDBltColorBlend(&BackBuffer, -2, 479, 8, 1, &sheet, 0, 0, 1, ScreenPalette, BlendTable, kRed, 5));
  ASSERT_TRUE(DDBltColorBlend(&BackBuffer, 636, 0, 8, 1, &sheet, 0, 0, 1, ScreenPalette, BlendTable, kRed, 1));
  EXPECT_EQ(Get(&BackBuffer, 0, 479), 0xFF000000u);  // level 5: the colour (black) alone
  EXPECT_EQ(Get(&BackBuffer, 639, 0), Argb32(0xFF, 30, 0, 0));  // (60 + 0) >> 1
  DDReleaseSurface(&sheet);
}

}  // namespace
