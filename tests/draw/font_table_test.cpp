#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/display/png_writer.h"
#include "tests/draw/font_fixture.h"

namespace {

class GameFonts : public cFontTest {};

const char* BackEndName(int backEnd) { return backEnd ? "Direct3D" : "DirectDraw"; }

TEST_F(GameFonts, TheStartUpStepFollowsTheSettings) {
  struct Case {
    int backEnd, d3dCache, ddCache, icons, center;
  } cases[] = {{0, 0, 1, 0, 0}, {0, 1, 0, 1, 1}, {1, 0, 1, 1, 0}, {1, 1, 0, 0, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << BackEndName(c.backEnd) << " " << c.d3dCache << c.ddCache);
    Start(c.backEnd);
    const size_t surfaces = SurfaceList.size();
    ASSERT_TRUE(InitGameFonts(SJ("ＭＳ 明朝"), c.d3dCache, c.ddCache, c.icons, c.center));
    const int cache = c.backEnd ? c.d3dCache : c.ddCache;
    for (int i = 0; i < FONT_COUNT; ++i) {
      EXPECT_EQ(Fonts[i].m_strFaceName, SJ("ＭＳ 明朝"));
      EXPECT_EQ(Fonts[i].m_nFontNo, i);
      EXPECT_EQ(Fonts[i].m_nPitchX, FontInfo[i].nPitchX);
      EXPECT_EQ(Fonts[i].m_lpWindowSD, &Off_Sys[45]);
      EXPECT_EQ(Fonts[i].m_lpIconSD, &Off_Sys[50]);
    }
    EXPECT_EQ(Fonts[0].HasAtlases(), cache != 0);
    EXPECT_EQ(Fonts[1].HasAtlases(), cache != 0);
    EXPECT_FALSE(Fonts[2].HasAtlases());
    EXPECT_EQ(Fonts[1].m_bIcon, c.icons);
    EXPECT_EQ(Fonts[1].m_bCenter, c.center);
    EXPECT_EQ(Fonts[0].m_bIcon, 1);  // the other fonts keep the icon picture's switch
    EXPECT_EQ(FontList.size(), 3u);
    EXPECT_EQ(FontInfo[0].nFastFont, 2);  // the table keeps its automatic value
    // The digit sheets: "0123456789" with each font, 10 x pitch x by pitch y.
    for (int i = 0; i < FONT_COUNT; ++i) {
      EXPECT_EQ(Off_Num[i].nWidth, 10 * FontInfo[i].nPitchX);
      EXPECT_EQ(Off_Num[i].nHeight, FontInfo[i].nPitchY);
      DDSURFACEDATA check;
      ASSERT_TRUE(DDCreateSurface(&check, Off_Num[i].nWidth, Off_Num[i].nHeight, 1, 0, 0, 0, 0));
      DrawDigitSheet(&check, &Fonts[i]);
      const std::vector<uint32_t> sheet = ReadPixels(&Off_Num[i], 0, 0, Off_Num[i].nWidth, Off_Num[i].nHeight);
      EXPECT_EQ(sheet, ReadPixels(&check, 0, 0, check.nWidth, check.nHeight));
      EXPECT_GT(CountNot(sheet, sheet[0]), 10 * 5);
      DDReleaseSurface(&check);
    }
    Fonts[1].Draw(&BackBuffer, 0, 0, SJ("新しい字"));
    ReportFontAtlasCounts();
    ReleaseGameFonts();
    ReleaseGameFonts();  // a second release does nothing
    EXPECT_TRUE(FontList.empty());
    EXPECT_EQ(SurfaceList.size(), surfaces);
    if (cache) {
      EXPECT_TRUE(Reported("Font10 : 256"));
      EXPECT_TRUE(Reported("Font16 : 258"));  // 新 and 字 were new
    }
    draw_tool::StopDrawing();
  }
  EXPECT_FALSE(Reported("解放漏れがあります"));
}

TEST_F(GameFonts, AMissingFontFileStopsTheStartUpCleanly) {
  const std::string empty = m_dir->Path() + "/no-fonts";
  std::filesystem::create_directories(empty);
  ASSERT_EQ(setenv("KORVANE_FONT_DIR", empty.c_str(), 1), 0);
  for (int backEnd : {0, 1}) {
    SCOPED_TRACE(BackEndName(backEnd));
    Start(backEnd);
    EXPECT_FALSE(InitGameFonts(SJ("ＭＳ ゴシック"), 1, 1, 0, 0));
    EXPECT_TRUE(Reported("CreateFont Err"));
    EXPECT_TRUE(m_dir->ReportContains("no-fonts/ipag.ttf"));
    EXPECT_TRUE(FontList.empty());
    // Drawing with fonts that were never made does nothing.
    Fonts[1].Draw(&BackBuffer, 0, 0, "ABC");
    Fonts[1].DrawTextWindow(&BackBuffer, 0, 0, 0, 0, "ABC");
    ReportFontAtlasCounts();
    ReleaseGameFonts();
    draw_tool::StopDrawing();
  }
  EXPECT_FALSE(Reported("Font10"));
  EXPECT_FALSE(Reported("解放漏れがあります"));
  unsetenv("KORVANE_FONT_DIR");
}

TEST_F(GameFonts, LostAtlasesAreFilledAgain) {
  for (int backEnd : {0, 1}) {
    SCOPED_TRACE(BackEndName(backEnd));
    Start(backEnd);
    ASSERT_TRUE(InitGameFonts(SJ("ＭＳ ゴシック"), 1, 1, 0, 0));
    Font& font = Fonts[1];
    font.Draw(&BackBuffer, 0, 0, SJ("追加"));
    DDSURFACEDATA* atlases[2] = {&font.m_lpFastFont_Half->m_SD, &font.m_lpFastFont_FullAdd->m_SD};
    std::vector<uint32_t> before[2];
    for (int i = 0; i < 2; ++i) before[i] = ReadPixels(atlases[i], 0, 0, atlases[i]->nWidth, atlases[i]->nHeight);
    if (backEnd) {
      // What the device restore leaves: the atlases made again empty, marked lost.
      for (DDSURFACEDATA* sd : atlases) {
        DDFillSurfacePal(sd, 0);
        sd->bLost = 1;
      }
    } else {
      plat::DisplayControl().LoseSurfaces();
    }
    font.Restore();
    for (int i = 0; i < 2; ++i) {
      EXPECT_EQ(ReadPixels(atlases[i], 0, 0, atlases[i]->nWidth, atlases[i]->nHeight), before[i]) << i;
      EXPECT_EQ(atlases[i]->bLost, 0);
    }
    if (!backEnd) {
      EXPECT_FALSE(font.m_WorkSD.lpDDPart->lpSurface->IsLost());
    }
    EXPECT_EQ(font.m_lpFastFont_FullAdd->m_nGlyphCount, 258);
    ReleaseGameFonts();
    draw_tool::StopDrawing();
  }
}

TEST_F(GameFonts, AnAtlasThatCannotBeMadeLeavesTheFontDrawingDirectly) {
  Start(0);
  // The work surface is made; both tries (video, then system memory) for the first atlas fail.
  plat::DisplayControl().FailNext(plat::DisplayOp::kCreateSurface, 2, 1);
  Font font;
  ASSERT_TRUE(font.Create(SJ("ＭＳ ゴシック"), 0, 16, 16, 16, 241, nullptr, 1, 240, nullptr, 1));
  EXPECT_FALSE(font.HasAtlases());
  EXPECT_EQ(font.m_lpFastFont_Half, nullptr);
  EXPECT_EQ(font.m_lpFastFont_FullAdd, nullptr);
  DDFillRectPal(&BackBuffer, 0, 0, 640, 480, 28);
  const uint32_t background = ReadPixels(&BackBuffer, 0, 0, 1, 1)[0];
  font.Draw(&BackBuffer, 10, 10, SJ("文字"));
  EXPECT_GT(CountNot(ReadPixels(&BackBuffer, 10, 10, 32, 16), background), 20);
}

// Golden frames of the text card, compared by hash. A mismatch writes the frame
// next to the test binary for a look. (Two lines ask for letters with the icon
// switch on: the icons lie over their letters.)
TEST_F(GameFonts, TextCardGoldenFrames) {
  const std::pair<draw_tool::DrawConfig, uint64_t> goldens[] = {
      {{0, 8, 0}, 0xdf47a31b0fa01d88ull},  {{0, 16, 0}, 0x2f030133c51dab71ull},
      {{0, 32, 0}, 0xdf47a31b0fa01d88ull}, {{0, 32, 1}, 0xdf47a31b0fa01d88ull},
      {{1, 16, 0}, 0xa4691a6a326d671aull}, {{1, 16, 1}, 0xf8a92de7c56a93fcull},
      {{1, 32, 0}, 0xbdae59f9e80eaaccull}, {{1, 32, 1}, 0xbdae59f9e80eaaccull},
  };
  for (const auto& [config, hash] : goldens) {
    SCOPED_TRACE(config.Name());
    ASSERT_TRUE(draw_tool::StartDrawing(config));
    plat::PresentedFrame frame;
    ASSERT_TRUE(draw_tool::DrawCard("text", &frame));
    ASSERT_EQ(frame.width, 640);
    ASSERT_EQ(frame.height, 480);
    const uint64_t actual = draw_tool::FrameHash(frame.pixels);
    if (actual != hash) {
      std::string file = std::string(KORVANE_BIN_DIR) + "/golden-text-" + config.Name() + ".png";
      plat::WritePngFile(file, frame.pixels.data(), frame.width, frame.height);
      ADD_FAILURE() << "frame hash " << std::hex << actual << " (written to " << file << ")";
    }
    draw_tool::StopDrawing();
  }
}

}  // namespace
