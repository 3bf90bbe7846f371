#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <set>
#include <utility>

#include "tests/support/draw_fixture.h"

namespace {

class Primitives : public cDrawTest {};

// Every pixel of the back buffer that is not the background colour.
std::set<std::pair<int, int>> Drawn(uint32_t background) {
  std::set<std::pair<int, int>> drawn;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x)
      if (PixelAt(&BackBuffer, x, y) != background) drawn.insert({x, y});
  return drawn;
}

TEST_F(Primitives, PixelsAndCircles) {
  for (int backEnd : {0, 1}) {
    SCOPED_TRACE(backEnd ? "Direct3D" : "DirectDraw");
    ASSERT_TRUE(StartLayer({backEnd, 32, 0}));
    DDFillRectPal(&BackBuffer, 0, 0, 640, 480, 16);
    DDSetPixel(&BackBuffer, 5, 6, 40);
    for (auto [x, y] : {std::pair{-1, 0}, {640, 0}, {0, -1}, {0, 480}, {INT_MIN, INT_MAX}}) DDSetPixel(&BackBuffer, x, y, 40);
    EXPECT_EQ(Drawn(SheetColor(16)), (std::set<std::pair<int, int>>{{5, 6}}));
    EXPECT_EQ(PixelAt(&BackBuffer, 5, 6), SheetColor(40));

    DDFillRectPal(&BackBuffer, 0, 0, 640, 480, 16);
    DDCircle(&BackBuffer, 100, 100, 0, 40);
    DDCircle(&BackBuffer, 100, 100, -5, 40);
    EXPECT_TRUE(Drawn(SheetColor(16)).empty());
    DDCircle(&BackBuffer, 100, 100, 1, 40);
    EXPECT_EQ(Drawn(SheetColor(16)), (std::set<std::pair<int, int>>{{99, 100}, {101, 100}, {100, 99}, {100, 101}}));
    // Radius 5: symmetric in all eight octants, at distance 5 (rounded) from the centre.
    DDFillRectPal(&BackBuffer, 0, 0, 640, 480, 16);
    DDCircle(&BackBuffer, 200, 200, 5, 40);
    std::set<std::pair<int, int>> ring = Drawn(SheetColor(16));
    for (auto [x, y] : ring) {
      const int dx = x - 200, dy = y - 200;
      EXPECT_TRUE(ring.count({200 - dx, y}) && ring.count({x, 200 - dy}) && ring.count({200 + dy, 200 + dx}));
      EXPECT_NEAR(std::sqrt(double(dx * dx + dy * dy)), 5.0, 0.75);
    }
    EXPECT_TRUE(ring.count({205, 200}) && ring.count({200, 195}));
    // A circle across the corner keeps its on-screen points; centres at the ends of
    // the int range draw nothing.
    DDFillRectPal(&BackBuffer, 0, 0, 640, 480, 16);
    DDCircle(&BackBuffer, 0, 0, 3, 40);
    EXPECT_EQ(Drawn(SheetColor(16)), (std::set<std::pair<int, int>>{{3, 0}, {0, 3}, {3, 1}, {1, 3}, {2, 2}}));
    DDFillRectPal(&BackBuffer, 0, 0, 640, 480, 16);
    DDCircle(&BackBuffer, INT_MAX, INT_MIN, 20, 40);
    DDCircle(&BackBuffer, INT_MIN, INT_MAX - 3, 20, 40);
    DDCircle(&BackBuffer, 320, 240, INT_MAX, 40);  // around the whole screen: at once, nothing
    EXPECT_TRUE(Drawn(SheetColor(16)).empty());
    DDCircle(&BackBuffer, 320, 240 + 1000, 1000, 40);  // a huge one through the screen
    EXPECT_EQ(PixelAt(&BackBuffer, 320, 240), SheetColor(40));
    DDRelease();
  }
}

TEST_F(Primitives, PaletteNumbersOutOfRange) {
  TraceOn();
  for (const draw_tool::DrawConfig& c : AllConfigs()) {
    SCOPED_TRACE(c.Name());
    ASSERT_TRUE(StartLayer(c));
    DDFillRectPal(&BackBuffer, 0, 0, 640, 480, 16);
    for (uint32_t n : {256u, 1000u, 0xFFFFFFFFu}) {
      DDFillRectPal(&BackBuffer, 10, 10, 4, 4, n);
      DDSetPixel(&BackBuffer, 20, 20, n);
      DDCircle(&BackBuffer, 40, 40, 3, n);
    }
    DDBeginFillBatch();
    DDDrawFrame(&BackBuffer, 50, 50, 8, 8, 1, 70000);
    DDEndFillBatch();
    // Colour 0: nothing over a Direct3D back buffer (transparent), the device's
    // colour 0 in DirectDraw (black, or palette index 0 at 8 bits).
    const uint32_t background = PixelAt(&BackBuffer, 30, 30);
    uint32_t expected = background;
    if (!c.backEnd) expected = c.bpp == 8 ? SheetColor(0) : 0;
    EXPECT_EQ(PixelAt(&BackBuffer, 11, 11), expected);
    EXPECT_EQ(PixelAt(&BackBuffer, 20, 20), expected);
    EXPECT_EQ(PixelAt(&BackBuffer, 43, 40), expected);
    EXPECT_EQ(PixelAt(&BackBuffer, 50, 50), expected);
    if (!c.backEnd) {
      EXPECT_NE(background, expected);
    }
    DDRelease();
  }
  EXPECT_TRUE(Traced("PalNumToRGB(DWORD dwPalNum) Err dwPalNum = 256"));
  EXPECT_TRUE(Traced("PalNumToRGB(DWORD dwPalNum) Err dwPalNum = 70000"));
}

// A sheet of plain 8 x 16 cells, 16 columns and 16 rows: the cell of a
// character tells where it was drawn from.
class SheetText : public cDrawTest {
 protected:
  void SetUp() override {
    cDrawTest::SetUp();
    ASSERT_TRUE(WriteCellSheet("chars.bmp", 16, 16, 8, 16));
  }
  // The sheet cell drawn at (x, y) of the back buffer, or (-1, -1) for background.
  static std::pair<int, int> CellAt(int x, int y) {
    const uint32_t p = PixelAt(&BackBuffer, x, y);
    for (int r = 0; r < 16; ++r)
      for (int c = 0; c < 16; ++c)
        if (SheetColor(CellIndex(c, r)) == p) return {c, r};
    return {-1, -1};
  }
};

TEST_F(SheetText, LinesAndRows) {
  for (int backEnd : {0, 1}) {
    SCOPED_TRACE(backEnd ? "Direct3D" : "DirectDraw");
    ASSERT_TRUE(StartLayer({backEnd, 32, 0}));
    DDSURFACEDATA sheet;
    ASSERT_EQ(DDCreateSurfaceFromFile(&sheet, "chars.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 0);
    DDFillRectPal(&BackBuffer, 0, 0, 640, 480, 255);
    // Two characters, a line feed, a third: the third at the start x, one line down.
    DDDrawSheetText(&BackBuffer, 100, 50, 8, 16, &sheet, "AB\nC");
    EXPECT_EQ(CellAt(100, 50), std::make_pair(1, 4));   // 'A' 0x41
    EXPECT_EQ(CellAt(108, 50), std::make_pair(2, 4));   // 'B'
    EXPECT_EQ(CellAt(116, 50), std::make_pair(-1, -1));
    EXPECT_EQ(CellAt(100, 66), std::make_pair(3, 4));   // 'C'
    EXPECT_EQ(CellAt(108, 66), std::make_pair(-1, -1));
    // Half-width katakana: 0xA6..0xBF from rows 0 and 1, 0xC0..0xDD from rows 8 and 9;
    // other high bytes from their own row.
    DDDrawSheetText(&BackBuffer, 0, 200, 8, 16, &sheet, "\xA6\xB1\xC0\xDD\xDE\xE0");
    EXPECT_EQ(CellAt(0, 200), std::make_pair(6, 0));
    EXPECT_EQ(CellAt(8, 200), std::make_pair(1, 1));
    EXPECT_EQ(CellAt(16, 200), std::make_pair(0, 8));
    EXPECT_EQ(CellAt(24, 200), std::make_pair(13, 9));
    EXPECT_EQ(CellAt(32, 200), std::make_pair(14, 13));
    EXPECT_EQ(CellAt(40, 200), std::make_pair(0, 14));
    // A line reaching the screen's width goes on at the start x one line down.
    DDFillRectPal(&BackBuffer, 0, 0, 640, 480, 255);
    std::string line(81, '0');
    line[80] = '1';
    DDDrawSheetText(&BackBuffer, 0, 300, 8, 16, &sheet, line.c_str());
    EXPECT_EQ(CellAt(632, 300), std::make_pair(0, 3));
    EXPECT_EQ(CellAt(0, 316), std::make_pair(1, 3));
    DDDrawSheetTextF(&BackBuffer, 0, 400, 8, 16, &sheet, "%d%s", 42, "!");
    EXPECT_EQ(CellAt(0, 400), std::make_pair(4, 3));
    EXPECT_EQ(CellAt(16, 400), std::make_pair(1, 2));
    EXPECT_FALSE(BltBatch.m_bActive);
    DDReleaseSurface(&sheet);
    DDRelease();
  }
}

// Frames and numbers, on the cell sheet (digit d: cell d of row 0, 8 x 16).
TEST_F(SheetText, FramesAndNumbers) {
  for (int backEnd : {0, 1}) {
    SCOPED_TRACE(backEnd ? "Direct3D" : "DirectDraw");
    ASSERT_TRUE(StartLayer({backEnd, 32, 0}));
    DDSURFACEDATA sheet;
    ASSERT_EQ(DDCreateSurfaceFromFile(&sheet, "chars.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 0);
    auto number = [&](int n, int minDigits, int center) {
      DDFillRectPal(&BackBuffer, 0, 0, 640, 480, 255);
      DDDrawNumber(&BackBuffer, 100, 10, 8, 16, &sheet, 0, 0, 1, n, minDigits, center);
      std::string shown;
      for (int x = 100; x < 100 + 8 * 12; x += 4) {
        auto cell = CellAt(x, 10);
        shown += cell.first < 0 ? '.' : char('0' + cell.first);
      }
      return shown;
    };
    EXPECT_EQ(number(0, 1, 0), "00......................");
    EXPECT_EQ(number(42, 5, 0), "......4422..............");  // right-aligned: 24 pixels in
    EXPECT_EQ(number(42, 5, 1), "...4422.................");  // centred: 12 pixels in
    EXPECT_EQ(number(12345, 3, 0), "1122334455..............");
    EXPECT_EQ(number(INT_MAX, 0, 0), "22114477448833664477....");
    EXPECT_EQ(number(-7, 3, 0), "........................");

    // A frame of thickness 2 around a 10 x 10 picture at (20, 20): (18, 18) to (31, 31).
    DDFillRectPal(&BackBuffer, 0, 0, 640, 480, 255);
    DDBltFrame(&BackBuffer, 20, 20, 10, 10, &sheet, 2, 40);
    for (int y = 16; y < 34; ++y)
      for (int x = 16; x < 34; ++x) {
        const bool ring = x >= 18 && x < 32 && y >= 18 && y < 32 && !(x >= 20 && x < 30 && y >= 20 && y < 30);
        const bool picture = x >= 20 && x < 30 && y >= 20 && y < 30;
        const uint32_t want = ring ? SheetColor(40) : picture ? SheetColor(CellIndex(x >= 28 ? 1 : 0, 0))
                                                              : PixelAt(&BackBuffer, 0, 0);
        ASSERT_EQ(PixelAt(&BackBuffer, x, y), want) << x << "," << y;
      }
    // Thickness 0 draws nothing; a thickness over half the width fills the rectangle.
    DDFillRectPal(&BackBuffer, 0, 0, 640, 480, 16);
    EXPECT_EQ(DDDrawFrame(&BackBuffer, 100, 100, 20, 20, 0, 40), 1);
    EXPECT_EQ(PixelAt(&BackBuffer, 100, 100), SheetColor(16));
    DDDrawFrame(&BackBuffer, 100, 100, 20, 10, 6, 40);
    for (int y = 100; y < 110; ++y)
      for (int x = 100; x < 120; ++x) ASSERT_EQ(PixelAt(&BackBuffer, x, y), SheetColor(40)) << x << "," << y;
    EXPECT_EQ(PixelAt(&BackBuffer, 120, 100), SheetColor(16));
    // A frame reaching past the ends of the int range still covers its on-screen part.
    DDFillRectPal(&BackBuffer, 0, 0, 640, 480, 16);
    DDBltFrame(&BackBuffer, INT_MIN + 5, 10, INT_MAX, 20, &sheet, 10, 40);
    // Its right end is at x 14: the top bar covers (0, 0) to (13, 9), the right
    // bar columns 4 to 13; the picture itself starts far left and shows nothing.
    EXPECT_EQ(PixelAt(&BackBuffer, 0, 0), SheetColor(40));
    EXPECT_EQ(PixelAt(&BackBuffer, 13, 39), SheetColor(40));
    EXPECT_EQ(PixelAt(&BackBuffer, 14, 5), SheetColor(16));
    EXPECT_EQ(PixelAt(&BackBuffer, 4, 15), SheetColor(40));
    EXPECT_EQ(PixelAt(&BackBuffer, 3, 15), SheetColor(16));
    DDReleaseSurface(&sheet);
    DDRelease();
  }
}

}  // namespace
