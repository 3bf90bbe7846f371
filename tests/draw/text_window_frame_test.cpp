#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/draw/font_fixture.h"

namespace {

class TextWindowFrame : public cFontTest {
 protected:
  void MakeFonts(int icons) { ASSERT_TRUE(InitGameFonts(SJ("ＭＳ ゴシック"), 1, 1, icons, 0)); }
  void ClearBack() { DDFillRectPal(&BackBuffer, 0, 0, 640, 480, 28); }
};

// Windows where the frame lies on the target, partly off it and around a corner.
struct WindowCase {
  int x, y, w, h;
};
const WindowCase kWindows[] = {{40, 40, 120, 30}, {-6, 200, 60, 20}, {600, 455, 80, 40}, {300, -3, 40, 10}};

// The window picture copied unkeyed with a frame of the font's thickness and colour
// around it, drawn from the primitives one by one.
void ReferenceWindow(Font& font, const WindowCase& c) {
  DDBltFast(&BackBuffer, c.x, c.y, c.w, c.h, font.m_lpWindowSD, 0, 0, 0);
  const int t = font.m_nFrameSize, X = c.x - t, Y = c.y - t, W = c.w + 2 * t, H = c.h + 2 * t;
  DDFillRectPal(&BackBuffer, X, Y, W, t, font.m_nFrameColor);
  DDFillRectPal(&BackBuffer, X, Y + H - t, W, t, font.m_nFrameColor);
  DDFillRectPal(&BackBuffer, X, Y, t, H, font.m_nFrameColor);
  DDFillRectPal(&BackBuffer, X + W - t, Y, t, H, font.m_nFrameColor);
}

TEST_F(TextWindowFrame, TheWindowIsThePictureWithItsFrameOnEveryBackEnd) {
  for (int backEnd : {0, 1})
    for (int bpp : {32, 16}) {
      SCOPED_TRACE(std::to_string(backEnd) + " " + std::to_string(bpp));
      Start(backEnd, bpp);
      MakeFonts(0);
      Font& font = Fonts[1];
      for (const WindowCase& c : kWindows) {
        ClearBack();
        font.DrawWindow(&BackBuffer, c.x, c.y, c.w, c.h);
        const std::vector<uint32_t> drawn = ReadPixels(&BackBuffer, 0, 0, 640, 480);
        ClearBack();
        ReferenceWindow(font, c);
        EXPECT_EQ(drawn, ReadPixels(&BackBuffer, 0, 0, 640, 480)) << c.x << "," << c.y;
      }
      ReleaseGameFonts();
      draw_tool::StopDrawing();
    }
}

}  // namespace
