#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/project_globals.h"
#include "tests/draw/font_fixture.h"

namespace {

// The settings' text blocks: a text window of the game font around the joined texts.
class TextBlock : public cFontTest {
 protected:
  void SetUp() override {
    cFontTest::SetUp();
    m_saved = SystemData.Texts;
    Start(0);
    ASSERT_TRUE(InitGameFonts(SJ("ＭＳ ゴシック"), 1, 1, 0, 0));
  }
  void TearDown() override {
    SystemData.Texts = m_saved;
    cFontTest::TearDown();
  }
  static void Clear() { DDFillRectPal(&BackBuffer, 0, 0, 640, 480, 28); }
  static std::vector<uint32_t> Screen() { return ReadPixels(&BackBuffer, 0, 0, 640, 480); }
  // The block drawn by DrawTextBlock and the window drawn by hand, each on a clear screen.
  void ExpectBlock(int first, int count, int indent, const std::string& text, int chars) {
    Clear();
    SystemData.DrawTextBlock(40, 50, first, count, indent);
    const std::vector<uint32_t> drawn = Screen();
    Clear();
    Fonts[1].DrawTextWindow(&BackBuffer, 40, 50, chars * 16, count * 16, text.c_str(), 0);
    EXPECT_EQ(drawn, Screen());
  }
  cVector<std::string> m_saved;
};

TEST_F(TextBlock, JoinsTheTextsLineByLineInAWindowOfTheirSize) {
  SystemData.Texts[0] = "100%d";
  SystemData.Texts[1] = SJ("ステージ");
  ExpectBlock(0, 2, 0, "100%d\n" + std::string(SJ("ステージ")) + "\n", 5);  // the per-cent sign is drawn
  ExpectBlock(0, 2, 1, " 100%d\n " + std::string(SJ("ステージ")) + "\n", 6);
}

TEST_F(TextBlock, BadCountsIndexesAndLongTexts) {
  Clear();
  const std::vector<uint32_t> clear = Screen();
  SystemData.DrawTextBlock(40, 50, 0, 0, 0);
  SystemData.DrawTextBlock(40, 50, 3, -2, 1);
  EXPECT_EQ(Screen(), clear);
  // A text beyond the table is reported and entry 0 stands in for it.
  SystemData.Texts[0] = "FIRST";
  ExpectBlock(SystemData.Texts.Count() + 5, 1, 0, "FIRST\n", 5);
  // A text of 6,000 characters: the line is cut at the format buffer, the window
  // is as wide as the whole text, and only what lies on the screen is drawn.
  SystemData.Texts[2] = std::string(6000, 'W');
  Clear();
  SystemData.DrawTextBlock(0, 0, 2, 1, 0);
  EXPECT_GT(CountNot(ReadPixels(&BackBuffer, 0, 0, 640, 16), clear[0]), 100);
}

}  // namespace
