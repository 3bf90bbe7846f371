#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "platform/display/png_writer.h"
#include "tests/support/draw_fixture.h"

namespace {

class SystemSheets : public cDrawTest {};

// Entries whose sheets the made-up project leaves out (all optional).
const std::set<int> kMissingOptional = {8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 26, 27, 28,
                                        29, 30, 31, 32, 33, 34, 35, 36, 37, 48, 54, 56, 57, 58, 59, 60, 61, 62};

bool HasPicture(const DDSURFACEDATA& sd) {
  if (sd.lpDT) return sd.lpDT->lpTexture != nullptr;
  return sd.lpDDPart && sd.lpDDPart->lpSurface != nullptr;
}

TEST_F(SystemSheets, TheTableDescribesSeventyOneSurfaces) {
  EXPECT_STREQ(SysBmpInfo[0].szFileName, "bmp\\plt\\Palette.bmp");
  EXPECT_EQ(SysBmpInfo[0].nDDMemKind, DDMEMKIND_SYSTEM);
  EXPECT_EQ(SysBmpInfo[5].bNoTexture, 1);
  EXPECT_EQ(SysBmpInfo[5].nMirrorCellWidth, 32);
  EXPECT_EQ(SysBmpInfo[21].nMirrorCellWidth, 16);
  EXPECT_EQ(SysBmpInfo[23].bOptional, 0);  // Character1's copies are required
  EXPECT_EQ(SysBmpInfo[25].bOptional, 1);
  EXPECT_STREQ(SysBmpInfo[55].szFileName, plat::Utf8ToSjis("背景その1.bmp").c_str());
  EXPECT_STREQ(SysBmpInfo[62].szFileName, plat::Utf8ToSjis("背景その8.bmp").c_str());
  EXPECT_EQ(SysBmpInfo[63].nHeight, 960);
  EXPECT_EQ(SysBmpInfo[69].nDTMemType, DTMEMORYTYPE_VIDEO_NORT);
  EXPECT_EQ(SysBmpInfo[70].nDTMemType, DTMEMORYTYPE_SYSTEM);
  LinkSurfaceAliases();
  const std::pair<int, int> aliases[] = {{3, 2},  {5, 4},   {19, 18}, {21, 20}, {22, 4},  {23, 4},
                                         {37, 18}, {38, 20}, {39, 20}, {41, 40}, {44, 43}, {68, 67}};
  for (auto [copy, of] : aliases) EXPECT_EQ(Off_Sys[copy].lpAliasSD, &Off_Sys[of]) << copy;
  int linked = 0;
  for (const DDSURFACEDATA& sd : Off_Sys) linked += sd.lpAliasSD != nullptr;
  EXPECT_EQ(linked, 1 + 8 + 1 + 16 + 2 + 1 + 1 + 1);
}

TEST_F(SystemSheets, EverySheetLoadsOnEveryConfiguration) {
  for (const draw_tool::DrawConfig& c : AllConfigs()) {
    SCOPED_TRACE(c.Name());
    ASSERT_TRUE(draw_tool::StartDrawing(c));
    for (int i = 0; i < SYS_BMP_COUNT; ++i) {
      const DDSURFACEDATA& sd = Off_Sys[i];
      const bool alias = c.backEnd && SysBmpInfo[i].bNoTexture;
      if (kMissingOptional.count(i)) {
        EXPECT_FALSE(HasPicture(sd)) << i;
        EXPECT_EQ(sd.nWidth, 0) << i;
      } else if (alias) {
        // Direct3D holds each sheet once: the copy has its size and stands for the sheet.
        EXPECT_FALSE(HasPicture(sd)) << i;
        ASSERT_NE(sd.lpAliasSD, nullptr) << i;
        EXPECT_TRUE(HasPicture(*sd.lpAliasSD)) << i;
        EXPECT_EQ(sd.nWidth, sd.lpAliasSD->nWidth) << i;
      } else {
        EXPECT_TRUE(HasPicture(sd)) << i;
        EXPECT_GT(sd.nWidth, 0) << i;
      }
    }
    // DirectDraw keeps real copies: the system-memory and mirrored ones.
    if (!c.backEnd) {
      EXPECT_EQ(Off_Sys[22].nMemKind, DDMEMKIND_SYSTEM);
      EXPECT_NE(Off_Sys[5].lpDDPart->lpSurface, Off_Sys[4].lpDDPart->lpSurface);
    } else {
      EXPECT_EQ(Off_Sys[5].nMirrorCellWidth, 32);
      EXPECT_EQ(Off_Sys[70].lpDT->nMemType, DTMEMORYTYPE_SYSTEM);
      EXPECT_EQ(Off_Sys[69].lpDT->nMemType, DTMEMORYTYPE_VIDEO_RT);
    }
    EXPECT_EQ(std::strcmp(Off_Sys[47].szFileName, "bmp\\Title.bmp"), 0);
    draw_tool::StopDrawing();
  }
}

TEST_F(SystemSheets, AMissingRequiredSheetStopsTheLoad) {
  std::remove("bmp/Shot.bmp");
  ASSERT_TRUE(DDInit(0, 1, 640, 480, 32, 0, 0, 1, 60, 0, Off_Sys, SysBmpInfo, SYS_BMP_COUNT));
  ASSERT_TRUE(DDInitPaletteAndTransmit(0, 0, 0, 0));
  EXPECT_FALSE(DDLoadAllSystemSurfaces());
  EXPECT_TRUE(Reported("MessageBox [エラー] bmp\\Shot.bmp の読み込みに失敗！"));
  EXPECT_FALSE(HasPicture(Off_Sys[21]));  // the load stopped at entry 20
}

// Mirrored copies (DirectDraw) and mirrored aliases (Direct3D) show the same
// picture: every cell of Character1 turned left to right.
TEST_F(SystemSheets, MirroredCopiesAndAliasesShowMirroredCells) {
  const draw_tool::SheetDesc& sheet = draw_tool::SheetDescs()[2];
  ASSERT_EQ(sheet.gamePath, "bmp\\Character1.bmp");
  const plat::PaletteEntry* palette = draw_tool::SheetPalette();
  for (draw_tool::DrawConfig c : {draw_tool::DrawConfig{0, 32, 0}, draw_tool::DrawConfig{1, 32, 0}}) {
    SCOPED_TRACE(c.Name());
    ASSERT_TRUE(draw_tool::StartDrawing(c));
    DDFillRect(&BackBuffer, 0, 0, 640, 480, 0xFF000001);
    for (int cy = 0; cy < 128; cy += 32)
      for (int cx = 0; cx < 256; cx += 32) DDBltFast(&BackBuffer, cx, cy, 32, 32, &Off_Sys[5], cx, cy, 1);
    plat::PresentedFrame frame;
    ASSERT_TRUE(lpDTCon ? DDPresent(60, 0, nullptr) == 1 : DDPresentDirectDraw(1));
    ASSERT_TRUE(plat::TakeFrame(frame));
    int wrong = 0;
    for (int y = 0; y < 128; ++y)
      for (int x = 0; x < 256; ++x) {
        int mx = (x / 32) * 32 + 31 - x % 32;
        uint8_t index = draw_tool::SheetPixel(sheet, mx, y);
        uint32_t want = index == 0 ? 0x000001u
                                   : uint32_t(palette[index].red) << 16 | uint32_t(palette[index].green) << 8 |
                                         palette[index].blue;
        wrong += frame.pixels[size_t(y) * 640 + x] != want;
      }
    EXPECT_EQ(wrong, 0);
    draw_tool::StopDrawing();
  }
}

// Golden frames of the sheets card, compared by hash. A mismatch writes the
// frame next to the test binary for a look.
TEST_F(SystemSheets, SheetsCardGoldenFrames) {
  const std::pair<draw_tool::DrawConfig, uint64_t> goldens[] = {
      {{0, 8, 0}, 0x5eecae0bdd77da8bull},  {{0, 16, 0}, 0x612a825de2f30416ull},
      {{0, 32, 0}, 0x5eecae0bdd77da8bull}, {{0, 32, 1}, 0x5eecae0bdd77da8bull},
      {{1, 16, 0}, 0x6a4732c89bc56fc6ull}, {{1, 16, 1}, 0x9ad2bab2429b3f1dull},
      {{1, 32, 0}, 0xe0a3ff167c45ab13ull}, {{1, 32, 1}, 0xe0a3ff167c45ab13ull},
  };
  for (const auto& [config, hash] : goldens) {
    SCOPED_TRACE(config.Name());
    ASSERT_TRUE(draw_tool::StartDrawing(config));
    plat::PresentedFrame frame;
    ASSERT_TRUE(draw_tool::DrawCard("sheets", &frame));
    ASSERT_EQ(frame.width, 640);
    ASSERT_EQ(frame.height, 480);
    uint64_t actual = draw_tool::FrameHash(frame.pixels);
    if (actual != hash) {
      std::string file = std::string(KORVANE_BIN_DIR) + "/golden-sheets-" + config.Name() + ".png";
      plat::WritePngFile(file, frame.pixels.data(), frame.width, frame.height);
      ADD_FAILURE() << "frame hash " << std::hex << actual << " (written to " << file << ")";
    }
    draw_tool::StopDrawing();
  }
}

}  // namespace
