#include <gtest/gtest.h>

#include <climits>

#include "tests/support/draw_fixture.h"

namespace {

class BlitClipping : public cDrawTest {};

struct Geometry {
  int x, y, w, h, sx, sy, sw, sh;
};
bool operator==(const Geometry& a, const Geometry& b) {
  return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h && a.sx == b.sx && a.sy == b.sy && a.sw == b.sw &&
         a.sh == b.sh;
}
std::ostream& operator<<(std::ostream& o, const Geometry& g) {
  return o << "(" << g.x << "," << g.y << " " << g.w << "x" << g.h << " from " << g.sx << "," << g.sy << " " << g.sw
           << "x" << g.sh << ")";
}

// Which back end a case holds for.
enum Ends { kBoth, kDirectDrawOnly, kDirect3DOnly };

struct ClipCase {
  const char* what;
  Ends ends;
  Geometry in;
  bool drawn;
  Geometry out;  // when drawn
};

constexpr int kMax = INT_MAX, kMin = INT_MIN;

// Target 640 x 480, source 700 x 100.
const ClipCase kCases[] = {
    {"inside", kBoth, {10, 20, 32, 32, 5, 6, 32, 32}, true, {10, 20, 32, 32, 5, 6, 32, 32}},
    {"700 wide at x -10", kBoth, {-10, 0, 700, 100, 0, 0, 700, 100}, true, {0, 0, 640, 100, 10, 0, 640, 100}},
    {"off the right", kBoth, {620, 5, 32, 32, 0, 0, 32, 32}, true, {620, 5, 20, 32, 0, 0, 20, 32}},
    {"off the top", kBoth, {3, -5, 32, 32, 0, 0, 32, 32}, true, {3, 0, 32, 27, 0, 5, 32, 27}},
    {"off the bottom", kBoth, {3, 470, 32, 32, 0, 0, 32, 32}, true, {3, 470, 32, 10, 0, 0, 32, 10}},
    {"off all four edges", kBoth, {-30, -40, 700, 560, 0, 0, 700, 560}, true, {0, 0, 640, 60, 30, 40, 640, 60}},
    {"wholly left", kBoth, {-40, 0, 32, 32, 0, 0, 32, 32}, false, {}},
    {"wholly right", kBoth, {640, 0, 32, 32, 0, 0, 32, 32}, false, {}},
    {"wholly above", kBoth, {0, -32, 32, 32, 0, 0, 32, 32}, false, {}},
    {"wholly below", kBoth, {0, 480, 32, 32, 0, 0, 32, 32}, false, {}},
    {"zero width", kBoth, {0, 0, 0, 32, 0, 0, 0, 32}, false, {}},
    {"negative height", kBoth, {0, 0, 32, -3, 0, 0, 32, -3}, false, {}},
    {"zero source width, scaled", kBoth, {0, 0, 32, 32, 0, 0, 0, 16}, false, {}},
    {"source left of the picture", kBoth, {400, 0, 32, 32, -12, 0, 32, 32}, true, {400, 0, 20, 32, 0, 0, 20, 32}},
    {"source past the right of the picture", kBoth, {0, 0, 32, 32, 690, 0, 32, 32}, true, {0, 0, 10, 32, 690, 0, 10, 32}},
    {"source below the picture", kBoth, {0, 0, 32, 32, 0, 100, 32, 32}, false, {}},
    {"source wholly outside", kBoth, {0, 0, 32, 32, 800, 0, 32, 32}, false, {}},
    {"scaled source from -20", kBoth, {100, 10, 64, 64, -20, 0, 32, 32}, true, {100, 10, 24, 64, 0, 0, 12, 32}},
    {"scaled off the left", kDirectDrawOnly, {-16, 0, 64, 64, 0, 0, 32, 32}, true, {0, 0, 48, 64, 8, 0, 24, 32}},
    {"scaled off the right", kDirectDrawOnly, {620, 0, 64, 64, 0, 0, 32, 32}, true, {620, 0, 20, 64, 0, 0, 10, 32}},
    {"scaled off the top", kDirectDrawOnly, {0, -32, 64, 64, 0, 0, 32, 32}, true, {0, 0, 64, 32, 0, 16, 32, 16}},
    {"scaled off the bottom", kDirectDrawOnly, {0, 470, 64, 64, 0, 0, 32, 32}, true, {0, 470, 64, 10, 0, 0, 32, 5}},
    {"scaled off the left", kDirect3DOnly, {-16, 0, 64, 64, 0, 0, 32, 32}, true, {-16, 0, 64, 64, 0, 0, 32, 32}},
    {"mirrored", kDirect3DOnly, {0, 0, 32, 32, 64, 0, -32, 32}, true, {0, 0, 32, 32, 64, 0, -32, 32}},
    {"mirrored past the left of the picture", kDirect3DOnly, {0, 0, 32, 32, 16, 0, -32, 32}, true,
     {0, 0, 16, 32, 16, 0, -16, 32}},
    {"mirrored in DirectDraw", kDirectDrawOnly, {0, 0, 32, 32, 64, 0, -32, 32}, false, {}},
    {"x near INT_MAX", kBoth, {kMax - 5, 0, 32, 32, 0, 0, 32, 32}, false, {}},
    {"x near INT_MIN", kBoth, {kMin + 3, 0, 32, 32, 0, 0, 32, 32}, false, {}},
    {"y near INT_MAX", kBoth, {0, kMax, 32, 32, 0, 0, 32, 32}, false, {}},
    {"width INT_MAX", kBoth, {-10, 0, kMax, 100, 0, 0, kMax, 100}, true, {0, 0, 640, 100, 10, 0, 640, 100}},
    {"source x near INT_MAX", kBoth, {0, 0, 32, 32, kMax - 10, 0, 32, 32}, false, {}},
    {"source x near INT_MIN", kBoth, {0, 0, 32, 32, kMin + 1, 0, 32, 32}, false, {}},
    {"scaled, x near INT_MAX", kDirectDrawOnly, {kMax - 1, 0, 100, 100, 0, 0, 50, 50}, false, {}},
    {"scaled, x near INT_MIN", kDirectDrawOnly, {kMin, 0, kMax, 10, 0, 0, 50, 5}, false, {}},
    {"scaled, huge width over the screen", kDirectDrawOnly, {-1000, 0, 2000, 10, 0, 0, 20, 10}, true,
     {0, 0, 640, 10, 10, 0, 6, 10}},
};

TEST_F(BlitClipping, TheClipTable) {
  for (int backEnd : {0, 1}) {
    ASSERT_TRUE(StartLayer({backEnd, 32, 0}));
    DDSURFACEDATA target, source;
    target.nWidth = 640;
    target.nHeight = 480;
    source.nWidth = 700;
    source.nHeight = 100;
    for (const ClipCase& c : kCases) {
      if ((c.ends == kDirectDrawOnly && backEnd) || (c.ends == kDirect3DOnly && !backEnd)) continue;
      SCOPED_TRACE(testing::Message() << c.what << (backEnd ? " (Direct3D)" : " (DirectDraw)"));
      Geometry g = c.in;
      bool drawn = DDClipBlt(&target, g.x, g.y, g.w, g.h, &source, g.sx, g.sy, g.sw, g.sh);
      EXPECT_EQ(drawn, c.drawn) << g;
      if (drawn && c.drawn) {
        EXPECT_EQ(g, c.out);
      }
    }
    DDRelease();
  }
}

// Blits through the whole layer on real surfaces: what lands where, and extreme
// geometry drawing nothing at all.
TEST_F(BlitClipping, BlitsLandWhereTheClipSays) {
  ASSERT_TRUE(WriteCellSheet("wide.bmp", 70, 1, 10, 40));  // 700 x 40, a colour every 10 columns
  for (int backEnd : {0, 1}) {
    SCOPED_TRACE(backEnd ? "Direct3D" : "DirectDraw");
    ASSERT_TRUE(StartLayer({backEnd, 32, 0}));
    DDSURFACEDATA wide;
    ASSERT_EQ(DDCreateSurfaceFromFile(&wide, "wide.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 0);
    DDFillRectPal(&BackBuffer, 0, 0, 640, 480, 16);
    // Source columns 10..649 at 0..639.
    DDBltFast(&BackBuffer, -10, 0, 700, 40, &wide, 0, 0, 1);
    for (int x : {0, 9, 10, 320, 639}) EXPECT_EQ(PixelAt(&BackBuffer, x, 5), SheetColor(CellIndex((x + 10) / 10, 0))) << x;
    // A scaled blit whose source starts 20 left of the picture: the kept 12
    // columns are drawn at x (24 wide), not moved right.
    DDFillRectPal(&BackBuffer, 0, 100, 640, 40, 16);
    DDBlt(&BackBuffer, 100, 100, 64, 40, &wide, -20, 0, 32, 40, 1);
    EXPECT_EQ(PixelAt(&BackBuffer, 99, 110), SheetColor(16));
    EXPECT_EQ(PixelAt(&BackBuffer, 100, 110), SheetColor(CellIndex(0, 0)));
    EXPECT_EQ(PixelAt(&BackBuffer, 123, 110), SheetColor(CellIndex(1, 0)));
    EXPECT_EQ(PixelAt(&BackBuffer, 124, 110), SheetColor(16));
    // A fill at x -10, 50 wide: columns 0..39.
    DDFillRectPal(&BackBuffer, -10, 200, 50, 4, 40);
    EXPECT_EQ(PixelAt(&BackBuffer, 0, 201), SheetColor(40));
    EXPECT_EQ(PixelAt(&BackBuffer, 39, 201), SheetColor(40));
    EXPECT_EQ(PixelAt(&BackBuffer, 40, 201), SheetColor(16));

    // Geometry at the ends of the int range draws nothing, in every blit and fill.
    DDFillRectPal(&BackBuffer, 0, 0, 640, 480, 16);
    const Geometry extremes[] = {
        {kMax, 0, kMax, 10, 0, 0, 10, 10},      {kMin, kMin, kMax, kMax, 0, 0, 700, 40},
        {kMax - 1, kMax - 1, 2, 2, 0, 0, 2, 2}, {0, 0, 10, 10, kMin, kMin, kMax, kMax},
        {kMin, 0, 5, 5, kMax, 0, -kMax, 5},     {600, 400, kMax, kMax, 650, 0, kMax, 40},
    };
    for (const Geometry& g : extremes) {
      DDBlt(&BackBuffer, g.x, g.y, g.w, g.h, &wide, g.sx, g.sy, g.sw, g.sh, 1);
      DDBltFast(&BackBuffer, g.x, g.y, g.w, g.h, &wide, g.sx, g.sy, 1);
      DDFillRectPal(&BackBuffer, g.x, g.y, g.w, g.h, 40);
    }
    // Only two reach the screen: the fill of the 10 x 10 at the origin (its blits
    // have no source left), and the last: the blits and the fill from (600, 400)
    // to the bottom right corner, the fill on top.
    int wrong = 0;
    for (int y = 0; y < 480; y += 3)
      for (int x = 0; x < 640; x += 3)
        wrong += PixelAt(&BackBuffer, x, y) != SheetColor((x >= 600 && y >= 400) || (x < 10 && y < 10) ? 40 : 16);
    EXPECT_EQ(wrong, 0);

    // The same onto a surface in system memory (the Direct3D pixel path), and
    // from it.
    DDSURFACEDATA system;
    ASSERT_TRUE(DDCreateSurface(&system, 64, 64, 1, DDMEMKIND_SYSTEM, DTMEMORYTYPE_SYSTEM, 0, 0));
    DDFillRectPal(&system, 0, 0, 64, 64, 16);
    for (const Geometry& g : extremes) {
      DDBlt(&system, g.x, g.y, g.w, g.h, &wide, g.sx, g.sy, g.sw, g.sh, 1);
      DDBltFast(&system, g.x, g.y, g.w, g.h, &wide, g.sx, g.sy, 1);
      DDBlt(&BackBuffer, g.x, g.y, g.w, g.h, &system, g.sx, g.sy, g.sw, g.sh, 1);
    }
    wrong = 0;
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x) wrong += PixelAt(&system, x, y) != SheetColor(16);
    EXPECT_EQ(wrong, 0);
    DDBltFast(&system, -10, 5, 700, 40, &wide, 0, 0, 1);
    EXPECT_EQ(PixelAt(&system, 0, 5), SheetColor(CellIndex(1, 0)));
    EXPECT_EQ(PixelAt(&system, 63, 44), SheetColor(CellIndex(7, 0)));
    EXPECT_EQ(PixelAt(&system, 63, 45), SheetColor(16));
    DDReleaseSurface(&system);
    DDReleaseSurface(&wide);
    DDRelease();
  }
}

// Under Direct3D a rectangle on a mirrored alias sheet is turned into the
// mirrored rectangle of the sheet it stands for.
TEST_F(BlitClipping, MirroredAliasRectangles) {
  ASSERT_TRUE(StartLayer({1, 32, 0}));
  DDSURFACEDATA sheet, alias;
  alias.lpAliasSD = &sheet;
  alias.nMirrorCellWidth = 32;
  struct Case {
    int sx, sw, wantX, wantW;
  } cases[] = {{64, 32, 96, -32}, {40, 16, 56, -16}, {0, 64, 0, 64}};
  for (const Case& c : cases) {
    int sx = c.sx, sy = 0, sw = c.sw, sh = 32;
    DDMirrorSrcRect(&alias, sx, sy, sw, sh);
    EXPECT_EQ(sx, c.wantX) << c.sx;
    EXPECT_EQ(sw, c.wantW) << c.sx;
    EXPECT_EQ(sh, 32);
  }
  // A record that stands for nothing, and DirectDraw, leave the rectangle alone.
  int sx = 64, sy = 0, sw = 32, sh = 32;
  DDMirrorSrcRect(&sheet, sx, sy, sw, sh);
  EXPECT_EQ(sx, 64);
  DDRelease();
  ASSERT_TRUE(StartLayer({0, 32, 0}));
  DDMirrorSrcRect(&alias, sx, sy, sw, sh);
  EXPECT_EQ(sw, 32);
}

}  // namespace
