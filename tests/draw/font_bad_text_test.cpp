#include <gtest/gtest.h>

#include <string>

#include "tests/draw/font_fixture.h"

namespace {

// Damaged and oversized text: every byte sequence is drawn or cut, never read or
// written outside its buffers (the sanitizer build checks that).
class BadText : public cFontTest {
 protected:
  void SetUpFonts(int backEnd, int bpp) {
    Start(backEnd, bpp);
    ASSERT_TRUE(InitGameFonts(SJ("ＭＳ ゴシック"), 1, 1, 0, 0));
    DDFillRectPal(&BackBuffer, 0, 0, 640, 480, 28);
    m_background = ReadPixels(&BackBuffer, 0, 0, 1, 1)[0];
  }
  std::vector<uint32_t> Area(int x, int y, int w, int h) { return ReadPixels(&BackBuffer, x, y, w, h); }
  void Clear(int x, int y, int w, int h) { DDFillRectPal(&BackBuffer, x, y, w, h, 28); }

  uint32_t m_background = 0;
};

struct Config {
  int backEnd, bpp;
};
constexpr Config kConfigs[] = {{0, 8}, {0, 32}, {1, 16}, {1, 32}};

TEST_F(BadText, EveryKindOfBadTextIsDrawnOrCut) {
  const std::string longLine(10000, 'A');
  const std::string longKana = [] {
    std::string s;
    for (int i = 0; i < 5000; ++i) s += SJ("あ");
    return s;
  }();
  const std::string texts[] = {
      "AB\x82",      "\x82\nA",           "\x82\x1F" "X", "\x82 X",  "\x81\x7F", "\x81\xFD", "\x80\xA0\xFD\xFE\xFF",
      "\xFC",        "\xE0\n\n\x9F",      "\n\n\n",       "",        longLine,   longKana,   longKana + "\x82",
      "abc\x82\x0A", std::string(600, '\n') + "Z",
  };
  for (const Config& c : kConfigs) {
    SCOPED_TRACE(::testing::Message() << c.backEnd << "/" << c.bpp);
    SetUpFonts(c.backEnd, c.bpp);
    DDSURFACEDATA system;
    if (c.backEnd) {
      ASSERT_TRUE(DDCreateSurface(&system, 64, 64, 1, DDMEMKIND_SYSTEM, DTMEMORYTYPE_SYSTEM, 0, 0));
    }
    for (Font& font : Fonts) {
      for (const std::string& t : texts) {
        font.Draw(&BackBuffer, 10, 300, t.c_str());
        font.Draw(&BackBuffer, -5000, -70000, t.c_str());
        font.DrawTextWindow(&BackBuffer, 20, 200, 0, 0, t.c_str(), 4);
        font.DrawTextWindow(&BackBuffer, 10000, 10000, 0, 0, t.c_str(), 2147483647);
        if (c.backEnd) font.Draw(&system, 3, 3, t.c_str());
      }
      font.DrawF(&BackBuffer, 0, 0, "%s%d%s", longLine.c_str(), 12345, longKana.c_str());
      font.DrawTextWindowF(&BackBuffer, 0, 0, 0, 0, "%s%s", longKana.c_str(), longLine.c_str());
    }
    DDReleaseSurface(&system);
    ReleaseGameFonts();
    draw_tool::StopDrawing();
  }
}

TEST_F(BadText, BytesWithoutACharacterDrawNothing) {
  for (const Config& c : kConfigs) {
    SCOPED_TRACE(::testing::Message() << c.backEnd << "/" << c.bpp);
    SetUpFonts(c.backEnd, c.bpp);
    for (Font& font : Fonts) {
      font.Draw(&BackBuffer, 100, 100, "\x80\xA0\xFD\xFE\xFF");
      EXPECT_EQ(CountNot(Area(90, 90, 200, 50), m_background), 0) << font.m_nPitchX;
    }
    ReleaseGameFonts();
    draw_tool::StopDrawing();
  }
}

TEST_F(BadText, ALeadByteWithoutItsTrailIsOneSingleByteCharacter) {
  for (const Config& c : kConfigs) {
    SCOPED_TRACE(::testing::Message() << c.backEnd << "/" << c.bpp);
    SetUpFonts(c.backEnd, c.bpp);
    for (Font& font : Fonts) {
      SCOPED_TRACE(font.m_nPitchX);
      const int px = font.m_nPitchX, py = font.m_nPitchY;
      // A lead byte before a byte that cannot trail it takes one cell; the text goes on after it.
      font.Draw(&BackBuffer, 0, 100, "\x82 X");
      font.Draw(&BackBuffer, 0, 200, "  X");
      EXPECT_EQ(Area(2 * px, 100, px, py), Area(2 * px, 200, px, py));
      // A lead byte before a line feed: the next line starts at the start x.
      font.Draw(&BackBuffer, 300, 100, "\x82\nA");
      font.Draw(&BackBuffer, 300, 200, "\nA");
      EXPECT_EQ(Area(300, 100 + py, 3 * px, py), Area(300, 200 + py, 3 * px, py));
      // Without atlases a lone lead byte draws nothing (with them, the cell of its code).
      if (!font.HasAtlases()) {
        EXPECT_EQ(Area(0, 100, 3 * px, py), Area(0, 200, 3 * px, py));
        EXPECT_EQ(Area(300, 100, 3 * px, py), Area(300, 200, 3 * px, py));
      }
      Clear(0, 0, 640, 480);
    }
    ReleaseGameFonts();
    draw_tool::StopDrawing();
  }
}

TEST_F(BadText, LongTextIsCutWhereItsBuffersEnd) {
  for (const Config& c : kConfigs) {
    SCOPED_TRACE(::testing::Message() << c.backEnd << "/" << c.bpp);
    SetUpFonts(c.backEnd, c.bpp);
    Font& font = Fonts[1];  // atlas cells go straight to the target wherever the text starts
    ASSERT_TRUE(font.HasAtlases());
    // A line of 10,000 characters: what fits on the screen is drawn.
    font.Draw(&BackBuffer, 0, 100, std::string(10000, 'A').c_str());
    font.Draw(&BackBuffer, 0, 130, std::string(40, 'A').c_str());
    EXPECT_EQ(Area(0, 100, 640, 16), Area(0, 130, 640, 16));
    int w = 0, h = 0;
    font.GetAtlasTextExtent(&w, &h, std::string(10000, 'A').c_str());
    EXPECT_EQ(w, 511 * 16);
    EXPECT_EQ(h, 16);

    // DrawF formats into 256 bytes: characters 250 to 254 show at 100.., the 256th is cut.
    font.DrawF(&BackBuffer, 100 - 250 * 16, 200, "%s", std::string(300, 'A').c_str());
    EXPECT_GT(CountNot(Area(100, 200, 80, 16), m_background), 20);
    EXPECT_EQ(CountNot(Area(180, 200, 200, 16), m_background), 0);
    // DrawTextWindowF formats into 1,024 bytes. (Direct3D sizes the window to the
    // whole line, so its frame ends at x 148; DirectDraw to 511 characters.)
    font.DrawTextWindowF(&BackBuffer, 100 - 1020 * 16, 300, 0, 0, "%s", std::string(1100, 'A').c_str());
    EXPECT_GT(CountNot(Area(100, 300, 48, 16), m_background), 10);
    EXPECT_EQ(CountNot(Area(149, 300, 200, 16), m_background), 0);
    ReleaseGameFonts();
    draw_tool::StopDrawing();
  }
}

TEST(AtlasTextExtent, PitchTimesCharactersAndLines) {
  Font font;
  font.m_nPitchX = 16;
  font.m_nPitchY = 20;
  const std::string kana300 = [] {
    std::string s;
    for (int i = 0; i < 300; ++i) s += SJ("あ");
    return s;
  }();
  struct Case {
    std::string text;
    int w, h;
  } cases[] = {
      {"", 0, 20},
      {"abc", 48, 20},
      {SJ("あいA"), 48, 20},
      {"ab\nabcd", 64, 40},
      {"abc\n", 48, 40},
      {"\n\n", 0, 60},
      {"a\x82", 32, 20},                     // a lone lead byte counts once
      {"\x82\n", 16, 40},
      {std::string(600, 'x'), 511 * 16, 20},  // a line counts its first 511 bytes
      {kana300, 256 * 16, 20},               // 255 characters and the lead byte of the 256th
      {kana300 + "\nab", 256 * 16, 40},
  };
  for (const Case& c : cases) {
    int w = -1, h = -1;
    font.GetAtlasTextExtent(&w, &h, c.text.c_str());
    EXPECT_EQ(w, c.w) << c.text.substr(0, 20);
    EXPECT_EQ(h, c.h) << c.text.substr(0, 20);
  }
  EXPECT_EQ(GetLineLength("abc\ndef"), 3);
  EXPECT_EQ(GetLineLength("abc"), 3);
  EXPECT_EQ(GetLineLength(""), 0);
}

}  // namespace
