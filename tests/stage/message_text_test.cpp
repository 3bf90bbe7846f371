// The text of a message window: the expansion of variable references as one table,
// the number formats, the size of the text at the message font's pitch, and the
// probe that prints both.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "draw/font.h"
#include "stage/message_text.h"
#include "tests/support/run_game.h"
#include "tests/support/temp_dir.h"

namespace {

struct cExpandCase {
  const char* text;
  const char* expanded;
};

class MessageText : public ::testing::Test {
 protected:
  void SetUp() override {
    m_common.assign(256, 0);
    m_stage.assign(255, 0);
    m_common[3] = 42;
    m_common[4] = 5;
    m_common[5] = INT32_MIN;
    m_common[255] = 9;
    m_stage[12] = -7;
    m_stage[13] = 7;
    m_stage[254] = 254;
  }
  std::string Expand(std::string text) {
    ExpandMessageVariables(text, m_common, m_stage);
    return text;
  }
  cVector<int32_t> m_common;
  cVector<int> m_stage;
};

TEST_F(MessageText, ExpandsReferencesAsTheTableSays) {
  const cExpandCase cases[] = {
      {"#C3", "42"},
      {"#C3_5.", "   42"},           // the full stop ends the reference and goes with it
      {"#C3_5Z", "00042"},
      {"#S12_3P", "-  7"},           // the sign goes before the spaces
      {"#S13_3P", "+  7"},
      {"#S13_3PZ", "+007"},
      {"#C4_12", " 5"},              // one digit of width: the last given counts
      {"#C3_1", "42"},               // a width below the digits changes nothing
      {"#c3 and #s13", "42 and 7"},
      {"#3C", "42"},                 // the number may come before the letter
      {"#CS3", "42"},                // common wins over stage
      {"#C3.x", "42x"},
      {"#C3_", "42"},                // an empty format part at the very end
      {"#C3_5", "   42"},
      {"a#C3b#C4!", "a42b5!"},         // a "c" after a number would name the list
      {"#C0", "#C0"},                // variable 0 is no text variable
      {"#S256", "#S256"},
      {"#S255", "#S255"},            // the stage list ends at 254: no read beside it
      {"#S254", "254"},
      {"#C255", "9"},
      {"#C5", "-2147483648"},
      {"#C99999999999999", "#C99999999999999"},  // huge numbers are out of range, not wrapped
      {"#C00003", "42"},
      {"#", "#"},
      {"##C3", "#42"},
      {"#X3", "#X3"},                // neither list named
      {"#C3#C3", "4242"},
      {"\x81#C3", "\x81#C3"},        // the lead byte takes the "#" as its second byte
      {"\x82\xA0#C3", "\x82\xA0" "42"},
      {"ab\x81", "ab\x81"},          // a lone lead byte at the end
      {"", ""},
  };
  for (const cExpandCase& c : cases) EXPECT_EQ(Expand(c.text), c.expanded) << "text: " << c.text;
}

TEST_F(MessageText, ExpandsEveryReferenceOfALongText) {
  std::string text, expected;
  for (int i = 0; i < 2000; ++i) {
    text += "#C3_3. ";
    expected += " 42 ";
  }
  EXPECT_EQ(Expand(text), expected);
}

TEST(MessageNumber, FormatsWidthSignAndZeros) {
  EXPECT_EQ(FormatMessageNumber(0, 0, false, false), "0");
  EXPECT_EQ(FormatMessageNumber(0, 3, false, false), "  0");  // the last digit stays a digit
  EXPECT_EQ(FormatMessageNumber(0, 3, true, true), "+000");
  EXPECT_EQ(FormatMessageNumber(-120, 5, false, false), "-  120");
  EXPECT_EQ(FormatMessageNumber(INT32_MIN, 0, true, false), "-2147483648");
}

TEST(MessageMeasure, CountsCharactersAtTheFontsPitch) {
  Font font;
  font.m_nPitchX = font.m_nPitchY = 16;
  struct cCase {
    std::string text;
    int width, height;
  } cases[] = {
      {"abc", 3 * 16 + 2, 16 + 2},
      {"", 2, 16 + 2},                                  // one empty line
      {"ab\ncdef\n", 4 * 16 + 2, 3 * 16 + 2},
      {"\x82\xA0\x82\xA2" "a", 3 * 16 + 2, 18},         // a double-byte character counts once
      {std::string(600, 'a'), 511 * 16 + 2, 18},        // a line counts at most 511 bytes
  };
  for (const cCase& c : cases) {
    int w = 0, h = 0;
    MeasureMessageText(font, c.text, &w, &h);
    EXPECT_EQ(w, c.width) << c.text.size() << " bytes";
    EXPECT_EQ(h, c.height) << c.text.size() << " bytes";
  }
}

std::vector<std::string> Probe(const std::vector<std::string>& args, int& code) { return RunProbe(args, &code); }

TEST(MessageProbe, PrintsTheExpandedTextAndItsSize) {
  int code = -1;
  EXPECT_EQ(Probe({"msgexpand", "--set", "C3=42", "--set", "S12=-7", "--set", "my.v1=5",
                   "残り#C3_5.個\\n#S12_3P\\\\"},
                  code),
            (std::vector<std::string>{"text=残り   42個\\n-  7\\\\", "lines=2", "chars=8", "width=130",
                                      "height=34"}));
  EXPECT_EQ(code, 0);
  EXPECT_EQ(Probe({"msgexpand", ""}, code),
            (std::vector<std::string>{"text=", "lines=1", "chars=0", "width=2", "height=18"}));
  EXPECT_EQ(code, 0);
  // Raw bytes: half-width katakana, a control code, a pair with no character, a lone
  // lead byte at the end; every variable starts at 0.
  EXPECT_EQ(Probe({"msgexpand", "\\xB1\\x01#C3\\x85\\x40\\x81"}, code),
            (std::vector<std::string>{"text=ｱ\\x010\\x85\\x40\\x81", "lines=1", "chars=5", "width=82",
                                      "height=18"}));
  EXPECT_EQ(code, 0);
}

TEST(MessageProbe, RefusesBadArgumentsWithExit2) {
  const std::vector<std::vector<std::string>> bad = {
      {"msgexpand"},
      {"msgexpand", "--set", "C256=1", "x"},
      {"msgexpand", "--set", "S255=1", "x"},
      {"msgexpand", "--set", "C3=2147483648", "x"},
      {"msgexpand", "--set", "C3=abc", "x"},
      {"msgexpand", "--set", "Q1=1", "x"},
      {"msgexpand", "--set", "C3", "x"},
      {"msgexpand", "--set"},
      {"msgexpand", "a", "b"},
      {"msgexpand", "\\q"},
      {"msgexpand", "\\x00"},
      {"msgexpand", "\xE2\x82\xAC"},  // the euro sign has no CP932 form
  };
  for (const auto& args : bad) {
    int code = -1;
    const std::vector<std::string> lines = Probe(args, code);
    EXPECT_EQ(code, 2) << args.back();
    EXPECT_EQ(lines.size(), 1u) << args.back();  // the reason alone, nothing on standard output
  }
}

}  // namespace
