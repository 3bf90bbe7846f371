#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/svc/menu_colors.h"
#include "app/svc/palette_set.h"
#include "data/project_globals.h"
#include "tests/support/draw_fixture.h"

namespace {

class PaletteSets : public cDrawTest {
 protected:
  // The palette as the palette picture gives it at 8 bits, and a blend table
  // file for palette set n.
  std::vector<PALETTEENTRY> Loaded() const {
    std::vector<PALETTEENTRY> p(256);
    for (int i = 0; i < 256; ++i) {
      const plat::PaletteEntry& e = draw_tool::SheetPalette()[i];
      p[i] = PALETTEENTRY{e.red, e.green, e.blue, uint8_t((i < 10 || i > 245) ? PC_EXPLICIT : PC_RESERVED)};
    }
    return p;
  }
  static bool WriteTable(int n, uint8_t fill) {
    char name[64];
    std::snprintf(name, sizeof name, "bmp/hbt/hbt%02d.dat", n);
    return draw_tool::WriteBytes(name, std::vector<uint8_t>(65536, fill));
  }
  static bool Same(const PALETTEENTRY& a, const PALETTEENTRY& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
  }
};

// Set 0 leaves the palette as loaded, set n below 12 turns entries 16..207 by n
// rows toward lower indexes, sets 12 to 23 fill them with copies of row n - 11.
// The blend table is read and the palette shown.
TEST_F(PaletteSets, RecolourTheEightBitPalette) {
  ASSERT_TRUE(StartLayer({0, 8, 0}));
  const std::vector<PALETTEENTRY> loaded = Loaded();
  struct Case {
    int set;
    int (*sourceOf)(int entry);  // the loaded entry each entry shows
  } cases[] = {
      {0, [](int i) { return i; }},
      {1, [](int i) { return i < 16 || i > 207 ? i : 16 + (i - 16 + 16) % 192; }},
      {5, [](int i) { return i < 16 || i > 207 ? i : 16 + (i - 16 + 80) % 192; }},
      {12, [](int i) { return i < 16 || i > 207 ? i : 16 + i % 16; }},
      {23, [](int i) { return i < 16 || i > 207 ? i : 192 + i % 16; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.set);
    ASSERT_TRUE(WriteTable(c.set, uint8_t(c.set + 1)));
    ASSERT_TRUE(SetPaletteSet(c.set));
    EXPECT_EQ(BlendTable[12345], c.set + 1);
    int wrong = 0;
    for (int i = 0; i < 256; ++i) wrong += !Same(GamePalette[i], loaded[c.sourceOf(i)]);
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(std::memcmp(ScreenPalette, GamePalette, sizeof ScreenPalette), 0);
    PALETTEENTRY shown[256];
    lpDDPalette->GetEntries(0, 256, shown);
    EXPECT_EQ(std::memcmp(shown, ScreenPalette, 255 * sizeof(PALETTEENTRY)), 0);
  }
  // Set 1: entry 32 moves to 16, entries 16..31 to 192..207.
  EXPECT_TRUE(SetPaletteSet(1));
  EXPECT_TRUE(Same(GamePalette[16], loaded[32]));
  EXPECT_TRUE(Same(GamePalette[192], loaded[16]));
  // A set whose row would lie past the palette (from a damaged option file) keeps
  // the palette as loaded.
  ASSERT_TRUE(WriteTable(40, 1));
  EXPECT_TRUE(SetPaletteSet(40));
  EXPECT_TRUE(Same(GamePalette[100], loaded[100]));
}

TEST_F(PaletteSets, AMissingBlendTableOrPalettePictureFails) {
  TraceOn();
  ASSERT_TRUE(StartLayer({0, 8, 0}));
  EXPECT_FALSE(SetPaletteSet(7));
  EXPECT_TRUE(Reported("MessageBox [エラー] bmp\\hbt\\hbt07.dat の読み込みに失敗！"));
  ASSERT_TRUE(WriteTable(7, 3));
  std::remove("bmp/plt/Palette.bmp");
  EXPECT_FALSE(SetPaletteSet(7));
  EXPECT_TRUE(Traced("DDLoadPaletteFromFile失敗"));
}

// Outside 8-bit DirectDraw nothing is read: true at once.
TEST_F(PaletteSets, OtherModesNeedNoBlendTable) {
  for (const draw_tool::DrawConfig& config : {draw_tool::DrawConfig{0, 16, 0}, draw_tool::DrawConfig{1, 32, 0}}) {
    ASSERT_TRUE(StartLayer(config));
    BlendTable[5] = 99;
    EXPECT_TRUE(SetPaletteSet(9));
    EXPECT_EQ(BlendTable[5], 99);
    DDRelease();
  }
}

DDBLTEXINFO Entry(uint32_t r, uint32_t g, uint32_t b, uint32_t mode) {
  return DDBLTEXINFO{0xFF000000u | r << 16 | g << 8 | b, mode};
}

bool operator==(const DDBLTEXINFO& a, const DDBLTEXINFO& b) {
  return a.dwDiffuse == b.dwDiffuse && a.dwColorOp == b.dwColorOp;
}

// Direct3D: entries 1 to 9 take the intensity as it was before it moved. With
// step 100 between 0 and 255 the intensity runs 0, 100, 200, 200 (turns), 100,
// 100 (a fall completed: the ninth entry's colour kind moves on), 200, ...
TEST_F(PaletteSets, MenuColoursUnderDirect3D) {
  ASSERT_TRUE(StartLayer({1, 32, 0}));
  SystemData.nMenuColorStep = 100;
  MenuColorState = MENUCOLORSTATE{};
  std::fill(std::begin(FlashColorTable), std::end(FlashColorTable), DDBLTEXINFO{0, 0});
  struct Call {
    uint32_t v;
    int kind;
  } calls[] = {{0, 0}, {100, 0}, {200, 0}, {200, 0}, {100, 0}, {100, 1}, {200, 1}};
  for (const Call& c : calls) {
    CycleMenuColors();
    const uint32_t v = c.v;
    const DDBLTEXINFO ninth[4] = {Entry(v, 0, 0, 7), Entry(0, v, 0, 7), Entry(0, 0, v, 7), Entry(v, v, 0, 7)};
    const DDBLTEXINFO want[10] = {{0, 0},           Entry(v, v, v, 7),      Entry(v, v, v, 10), Entry(v, 0, 0, 7),
                                  Entry(0, v, 0, 7), Entry(0, 0, v, 7),      Entry(v, v, 0, 7),  Entry(v, 0, v / 4, 7),
                                  Entry(v / 4, 0, v, 7), ninth[c.kind]};
    for (int i = 0; i < FLASH_COLOR_COUNT; ++i) EXPECT_TRUE(FlashColor(i) == want[i]) << "v " << v << " entry " << i;
  }
  EXPECT_TRUE(FlashColor(-1) == (DDBLTEXINFO{0, 0}));
  EXPECT_TRUE(FlashColor(FLASH_COLOR_COUNT) == (DDBLTEXINFO{0, 0}));
  // The colour kind goes round 0, 1, 2, 3, 0.
  MenuColorState.nColorKind = 3;
  MenuColorState.nValue[8] = 100;
  MenuColorState.nDirection[8] = 1;
  CycleMenuColors();
  EXPECT_EQ(MenuColorState.nColorKind, 0);
}

// 8-bit DirectDraw with palette rotation on: every sixth call turns each group of
// four entries from 208 to 239 by one place and shows them. Off, or at other
// depths, nothing happens and the table stays zero.
TEST_F(PaletteSets, MenuColoursRotateThePaletteAtEightBits) {
  ASSERT_TRUE(StartLayer({0, 8, 0}));
  MenuColorState = MENUCOLORSTATE{};
  std::fill(std::begin(FlashColorTable), std::end(FlashColorTable), DDBLTEXINFO{0, 0});
  SystemData.bPaletteRotation = 1;
  PALETTEENTRY before[256];
  std::memcpy(before, ScreenPalette, sizeof before);
  for (int call = 1; call <= 5; ++call) CycleMenuColors();
  EXPECT_EQ(std::memcmp(before, ScreenPalette, sizeof before), 0);
  CycleMenuColors();
  for (int i = 208; i < 240; ++i) {
    const int from = (i % 4 == 0) ? i + 3 : i - 1;  // toward higher indexes, the last to the first
    EXPECT_TRUE(Same(ScreenPalette[i], before[from])) << i;
  }
  EXPECT_EQ(std::memcmp(before, ScreenPalette, 208 * sizeof(PALETTEENTRY)), 0);
  EXPECT_EQ(std::memcmp(before + 240, ScreenPalette + 240, 16 * sizeof(PALETTEENTRY)), 0);
  PALETTEENTRY shown[256];
  lpDDPalette->GetEntries(0, 256, shown);
  EXPECT_EQ(std::memcmp(shown + 208, ScreenPalette + 208, 32 * sizeof(PALETTEENTRY)), 0);
  EXPECT_EQ(MenuColorState.nFrame, 0);
  EXPECT_TRUE(FlashColor(1) == (DDBLTEXINFO{0, 0}));

  SystemData.bPaletteRotation = 0;
  std::memcpy(before, ScreenPalette, sizeof before);
  for (int call = 1; call <= 12; ++call) CycleMenuColors();
  EXPECT_EQ(std::memcmp(before, ScreenPalette, sizeof before), 0);
  DDRelease();

  ASSERT_TRUE(StartLayer({0, 32, 0}));
  SystemData.bPaletteRotation = 1;
  std::memcpy(before, ScreenPalette, sizeof before);
  for (int call = 1; call <= 12; ++call) CycleMenuColors();
  EXPECT_EQ(std::memcmp(before, ScreenPalette, sizeof before), 0);
  EXPECT_TRUE(FlashColor(5) == (DDBLTEXINFO{0, 0}));
}

}  // namespace
