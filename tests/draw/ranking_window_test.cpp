// The ranking window and the stage-clear result panel drawn by the ranking card;
// the frames are written as PNG files beside the test binary for a look.
#include <gtest/gtest.h>

#include "app/svc/mode_manager.h"
#include "app/svc/ranking_window.h"
#include "data/project_globals.h"
#include "platform/display/png_writer.h"
#include "tests/draw/font_fixture.h"

namespace {

class RankingWindow : public cFontTest {};

uint32_t Pixel(const plat::PresentedFrame& f, int x, int y) { return f.pixels[static_cast<size_t>(y) * f.width + x] & 0xFFFFFF; }

// Pixels of a rectangle of the frame that differ from the frame's corner.
int Marked(const plat::PresentedFrame& f, int x, int y, int w, int h) {
  const uint32_t bg = Pixel(f, 639, 479);
  int n = 0;
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) n += Pixel(f, i, j) != bg;
  return n;
}

TEST_F(RankingWindow, TheCardDrawsBothWindowsAndThePanelOnEveryBackEnd) {
  for (const draw_tool::DrawConfig& c : {draw_tool::DrawConfig{0, 32, 0}, draw_tool::DrawConfig{1, 32, 0},
                                         draw_tool::DrawConfig{0, 8, 0}}) {
    SCOPED_TRACE(c.Name());
    ASSERT_TRUE(draw_tool::StartDrawing(c));
    plat::PresentedFrame frame;
    ASSERT_TRUE(draw_tool::DrawCard("ranking", &frame));
    ASSERT_EQ(frame.width, 640);
    plat::WritePngFile(std::string(KORVANE_BIN_DIR) + "/ranking-" + c.Name() + ".png", frame.pixels.data(), 640, 480);
    // Titles, rows of both tables, the hint under the last row and the panel.
    EXPECT_GT(Marked(frame, 16, 8, 270, 16), 50);
    EXPECT_GT(Marked(frame, 340, 8, 270, 16), 50);
    EXPECT_GT(Marked(frame, 16 + 16, 8 + 16 * 6, 16, 16), 5);   // place 6 of the score table
    EXPECT_GT(Marked(frame, 16, 8 + 16 * 21, 270, 16), 50);      // the genre-switch hint
    EXPECT_GT(Marked(frame, 16, 384, 200, 80), 200);             // the panel
    draw_tool::StopDrawing();
  }
}

TEST_F(RankingWindow, ThePanelShowsOnlyTheEnabledGenresAndNothingWithoutThem) {
  Start(0);
  ASSERT_TRUE(InitGameFonts(SJ("ＭＳ ゴシック"), 1, 1, 0, 0));
  ModeManager.m_nPlayCategory = cEdSystem::kChallenge;
  StageData.RankGenres.assign(5, 1);
  cEdRankSetting& s = SystemData.RankSettings.At(cEdSystem::kChallenge);
  s.bEnable = 1;
  s.Genres.Fill(0);
  const uint32_t bg = BackValue(28);
  DDFillRectPal(&BackBuffer, 0, 0, 640, 480, 28);
  DrawResultPanel(&BackBuffer, 100, 100, cVector<int>{0, 0, 0, 0, 0});
  EXPECT_EQ(CountNot(ReadPixels(&BackBuffer, 0, 0, 640, 480), bg), 0);
  // One genre: one row, 16 dots high; the marker of every ranked genre stacks from the top.
  s.Genres[3] = 1;
  DrawResultPanel(&BackBuffer, 100, 100, cVector<int>{-1, -1, -1, 4, -1});
  EXPECT_GT(CountNot(ReadPixels(&BackBuffer, 100, 100, 200, 16), bg), 20);
  EXPECT_EQ(CountNot(ReadPixels(&BackBuffer, 100, 120, 200, 30), bg), 0);
  // A short ranks list is read only as far as it goes.
  DrawResultPanel(&BackBuffer, 100, 100, cVector<int>{});
}

}  // namespace
