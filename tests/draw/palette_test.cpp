#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "tests/support/draw_fixture.h"
#include "tools/draw_tool/bmp_writer.h"

namespace {

class Palettes : public cDrawTest {};

bool Start(int backEnd, int bpp) {
  return DDInit(backEnd, 1, 640, 480, bpp, 0, 0, 1, 60, 0, Off_Sys, SysBmpInfo, SYS_BMP_COUNT);
}

PALETTEENTRY Entry(int i, int bpp, int backEnd) {
  plat::PaletteEntry p = draw_tool::SheetPalette()[i];
  auto widen = [](int c) { return uint8_t((c >> 3) * 255 / 31); };
  if (backEnd) {
    if (bpp == 16) return {widen(p.red), widen(p.green), widen(p.blue), 255};
    return {p.red, p.green, p.blue, 255};
  }
  switch (bpp) {
    case 8: return {p.red, p.green, p.blue, uint8_t((i < 10 || i > 245) ? PC_EXPLICIT : PC_RESERVED)};
    case 16: return {uint8_t(p.red >> 3), uint8_t(p.green >> 2), uint8_t(p.blue >> 3), 0};
    default: return {p.red, p.green, p.blue, 0};
  }
}

bool Same(const PALETTEENTRY& a, const PALETTEENTRY& b) {
  return a.red == b.red && a.green == b.green && a.blue == b.blue && a.flags == b.flags;
}

TEST_F(Palettes, PaletteAndTransparentColourOnEveryConfiguration) {
  struct Case {
    int backEnd, bpp;
    uint32_t colorKey;
  } cases[] = {{0, 8, 0}, {0, 16, 0xF81F}, {0, 32, 0xFF00FF}, {1, 16, 0xFC1F}, {1, 32, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.backEnd ? "d3d " : "dd ") << c.bpp);
    std::fill(std::begin(GamePalette), std::end(GamePalette), PALETTEENTRY{});  // as at start-up
    ASSERT_TRUE(Start(c.backEnd, c.bpp));
    ASSERT_TRUE(DDInitPaletteAndTransmit(0, 0, 0, 0));
    int wrong = 0;
    for (int i = 0; i < 256; ++i) wrong += !Same(GamePalette[i], Entry(i, c.bpp, c.backEnd));
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(std::memcmp(GamePalette, ScreenPalette, sizeof GamePalette), 0);
    EXPECT_EQ(dwColorKey, c.colorKey);
    if (c.backEnd == 0 && c.bpp == 8) {
      PALETTEENTRY shown[256];
      lpDDPalette->GetEntries(0, 256, shown);
      EXPECT_EQ(std::memcmp(shown, GamePalette, sizeof shown), 0);
    }
    if (c.backEnd == 0 && c.bpp == 16) {
      // The palette holds the screen's own channel widths: numbers give the picture's pixels.
      plat::PaletteEntry p = draw_tool::SheetPalette()[77];
      EXPECT_EQ(PalNumToRGB(77), uint32_t(p.red >> 3) << 11 | uint32_t(p.green >> 2) << 5 | uint32_t(p.blue >> 3));
    }
    if (c.backEnd == 0 && c.bpp == 32) {
      EXPECT_EQ(lpDDCon->rgbTransmit.rgbtRed, 255);
      EXPECT_EQ(lpDDCon->rgbTransmit.rgbtBlue, 255);
    }
    if (c.backEnd && c.bpp == 16) {
      // The key pixel's 5-bit fields, unscaled.
      EXPECT_EQ(lpDTCon->rgbTransmit.rgbtRed, 31);
      EXPECT_EQ(lpDTCon->rgbTransmit.rgbtGreen, 0);
      EXPECT_EQ(lpDTCon->rgbTransmit.rgbtBlue, 31);
      EXPECT_EQ(lpDTCon->wTransmit_16, 0xFC1F);
      EXPECT_EQ(lpDTCon->dwOpaqueKey, 0xFF1F001Fu);
      EXPECT_EQ(lpDTCon->rgbFileKey.rgbtRed, 255);  // colour-table entry 0 of the palette picture
      EXPECT_EQ(lpDTCon->rgbFileKey.rgbtBlue, 255);
    }
    if (c.backEnd && c.bpp == 32) {
      EXPECT_EQ(lpDTCon->dwOpaqueKey, 0xFFFF00FFu);
      EXPECT_EQ(lpDTCon->dwKeyColor, 0u);
      EXPECT_EQ(lpDTCon->wTransmit_16, 0);
    }
    DDRelease();
  }
}

TEST_F(Palettes, PaletteNumbersAsDeviceColours) {
  ASSERT_TRUE(Start(1, 32));
  ASSERT_TRUE(DDInitPaletteAndTransmit(0, 0, 0, 0));
  EXPECT_EQ(PalNumToRGB(0), 0u);  // transparent, not the colour of entry 0
  plat::PaletteEntry p = draw_tool::SheetPalette()[5];
  EXPECT_EQ(PalNumToRGB(5), 0xFF000000u | uint32_t(p.red) << 16 | uint32_t(p.green) << 8 | p.blue);
  EXPECT_EQ(PalNumToRGB(256), 0u);
  DDRelease();
  ASSERT_TRUE(Start(0, 32));
  ASSERT_TRUE(DDInitPaletteAndTransmit(0, 0, 0, 0));
  EXPECT_EQ(PalNumToRGB(256), 0u);
  EXPECT_EQ(PalNumToRGB(0), 0xFF00FFu);
  DDRelease();
  ASSERT_TRUE(Start(0, 8));
  EXPECT_EQ(PalNumToRGB(200), 200u);
  EXPECT_EQ(PalNumToRGB(300), 0u);
}

TEST_F(Palettes, TransparentColourFromTheSettings) {
  ASSERT_TRUE(Start(0, 32));
  ASSERT_TRUE(DDInitPaletteAndTransmit(1, 255, 0, 128));
  EXPECT_EQ(dwColorKey, 0xFF0080u);
  EXPECT_EQ(lpDDCon->rgbTransmit.rgbtBlue, 128);
  DDRelease();
  // 16 bits: the key comes from the picture; the settings' colour becomes the file key.
  ASSERT_TRUE(Start(0, 16));
  ASSERT_TRUE(DDInitPaletteAndTransmit(1, 10, 20, 30));
  EXPECT_EQ(dwColorKey, 0xF81Fu);
  EXPECT_EQ(lpDDCon->rgbFileKey.rgbtRed, 10);
  EXPECT_EQ(lpDDCon->rgbFileKey.rgbtBlue, 30);
  DDRelease();
  ASSERT_TRUE(Start(1, 32));
  ASSERT_TRUE(DDInitPaletteAndTransmit(1, 1, 2, 3));
  EXPECT_EQ(lpDTCon->dwOpaqueKey, 0xFF010203u);
  DDRelease();
  // No palette picture: the step fails.
  std::remove("bmp/plt/Palette.bmp");
  ASSERT_TRUE(Start(1, 32));
  EXPECT_FALSE(DDInitPaletteAndTransmit(0, 0, 0, 0));
}

// 24-bit pictures on a 16-bit DirectDraw screen: channels scaled (not shifted),
// the file key becomes the colour key, and a colour that would turn into the key
// is moved one blue step.
TEST_F(Palettes, TrueColourPicturesOnA16BitScreen) {
  ASSERT_TRUE(Start(0, 16));
  ASSERT_TRUE(DDInitPaletteAndTransmit(0, 0, 0, 0));
  ASSERT_EQ(dwColorKey, 0xF81Fu);
  std::vector<uint32_t> pixels = {0x000000, 0xFF03FF, 0xFF00FA, 0x080808};
  ASSERT_TRUE(draw_tool::WriteBytes("t.bmp", draw_tool::EncodeBmp24(4, 1, pixels)));
  DDSURFACEDATA sd;
  ASSERT_EQ(DDCreateSurfaceFromFile(&sd, "t.bmp", 1, 16, DDMEMKIND_SYSTEM, 0, 0, 0, 0, 0, 0), 0);
  plat::cSurface& s = *sd.lpDDPart->lpSurface;
  EXPECT_EQ(s.GetPixel(0, 0), 0xF81Fu);  // the file key (black)
  EXPECT_EQ(s.GetPixel(1, 0), 0xF81Eu);  // would be the key: blue one step down
  EXPECT_EQ(s.GetPixel(2, 0), 0xF81Eu);
  EXPECT_EQ(s.GetPixel(3, 0), 0x0020u);  // 8 * 63 / 255 = 1 green, 8 * 31 / 255 = 0
  DDReleaseSurface(&sd);
}

TEST_F(Palettes, PaletteIndexMapsGiveTheSheetsIndexes) {
  const draw_tool::SheetDesc& item = draw_tool::SheetDescs()[5];
  ASSERT_EQ(item.gamePath, "bmp\\Item.bmp");
  for (int backEnd : {0, 1}) {
    SCOPED_TRACE(backEnd);
    ASSERT_TRUE(Start(backEnd, 32));
    ASSERT_TRUE(DDInitPaletteAndTransmit(0, 0, 0, 0));
    DDSURFACEDATA sd;
    ASSERT_EQ(DDCreateSurfaceFromFile(&sd, item.gamePath.c_str(), 1, 32, 0, 0, 0, 1, 0, 0, 0), 0);
    const std::vector<uint8_t>& map = backEnd ? sd.lpDT->PalIndexMap : sd.lpDDPart->PalIndexMap;
    int pitch = backEnd ? sd.lpDT->nPalIndexPitch : sd.lpDDPart->nPalIndexPitch;
    ASSERT_GE(map.size(), size_t(pitch) * item.height);
    int wrong = 0;
    for (int y = 0; y < item.height; ++y)
      for (int x = 0; x < item.width; ++x) wrong += map[size_t(y) * pitch + x] != draw_tool::SheetPixel(item, x, y);
    EXPECT_EQ(wrong, 0);
    DDReleaseSurface(&sd);
    DDRelease();
  }
}

TEST_F(Palettes, BlendTables) {
  std::vector<uint8_t> table(65536);
  for (size_t i = 0; i < table.size(); ++i) table[i] = uint8_t(i * 7);
  ASSERT_TRUE(draw_tool::WriteBytes("hbt00.dat", table));
  ASSERT_TRUE(draw_tool::WriteBytes("short.dat", std::vector<uint8_t>(100, 1)));
  ASSERT_TRUE(Start(0, 8));
  ASSERT_TRUE(DDLoadBlendTable(BlendTable, "hbt00.dat"));
  EXPECT_EQ(std::memcmp(BlendTable, table.data(), table.size()), 0);
  EXPECT_FALSE(DDLoadBlendTable(BlendTable, "short.dat"));  // refused, the table unchanged
  EXPECT_EQ(std::memcmp(BlendTable, table.data(), table.size()), 0);
  EXPECT_FALSE(DDLoadBlendTable(BlendTable, "missing.dat"));
  DDRelease();
  ASSERT_TRUE(Start(1, 32));
  EXPECT_TRUE(DDLoadBlendTable(BlendTable, "missing.dat"));  // Direct3D reads none
}

}  // namespace
