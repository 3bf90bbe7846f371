// The mapping of a graphic number of a kind to its sheet and cell, and that no
// graphic number ever gives a cell outside its sheet.
#include <gtest/gtest.h>

#include <climits>

#include "chara/graphic_source.h"

namespace {

// Every sheet 640 x 480, the shot sheets 256 x 960, special bitmaps 1 to 3 loaded,
// special 2 cut in cells of 64.
class Sheets : public cSheetInfo {
 public:
  int m_nWidth = 640, m_nHeight = 480, m_nLarge = 1, m_nCells = 2;
  void Size(const cSurfaceRef& ref, int& width, int& height) const override {
    const bool shot = ref.nTable == cSurfaceRef::kSystem && (ref.nIndex == 63 || ref.nIndex == 64);
    width = shot ? 256 : m_nWidth;
    height = shot ? 960 : m_nHeight;
  }
  int SpecialCount() const override { return 3; }
  void SpecialCells(int n, int& large, int& cells) const override {
    large = n == 2 ? m_nLarge : 0;
    cells = n == 2 ? m_nCells : 1;
  }
};

struct Case {
  const char* what;
  int mode, kind, g, v, facing, o;
  int drawn;
  cSurfaceRef a, b, otherA;
  int x, y, cell;
};

const cSurfaceRef S(int e) { return cSurfaceRef::Sys(e); }
const cSurfaceRef X(int e) { return cSurfaceRef::Special(e); }

TEST(GraphicSource, MapsEachKindToItsSheetAndCell) {
  const Case cases[] = {
      {"block 17", 1, 0, 17, 0, 1, 0, 1, S(2), S(3), S(2), 32, 64, 32},
      {"character 15: row 0 of the second sheet", 1, 1, 15, 0, 0, 0, 1, S(6), S(24), S(7), 0, 0, 32},
      {"character 119: row 14 of the eighth sheet", 1, 1, 119, 0, 0, 0, 1, S(18), S(36), S(19), 0, 448, 32},
      {"character facing right, column 3 + offset 2", 1, 1, 2, 3, 1, 2, 1, S(5), S(23), S(4), 160, 64, 32},
      {"value 25 without an object: column 5 facing right", 0, 1, 0, 25, 0, 0, 1, S(5), S(23), S(4), 160, 0, 32},
      {"character column beyond the sheet: first cell", 1, 1, 16, 20, 1, 0, 1, S(4), S(22), S(5), 0, 0, 32},
      {"character beyond the eight sheets: first cell", 1, 1, 120, 0, 0, 0, 1, S(4), S(22), S(5), 0, 0, 32},
      {"item 16, frame 1", 2, 2, 16, 0, 0, 1, 1, S(40), S(41), S(40), 96, 32, 32},
      {"item 16 drawn as an object: frame 0", 1, 2, 16, 0, 0, 1, 1, S(40), S(41), S(40), 64, 32, 32},
      {"shot 31 facing right", 1, 3, 31, 0, 1, 0, 1, S(64), S(64), S(63), 64, 32, 32},
      {"shot 31 without facing", 0, 3, 31, 0, 1, 0, 1, S(63), S(63), S(63), 64, 32, 32},
      {"special 1, frame 17 + 1", 1, 4, 1, 17, 1, 1, 1, X(1), X(3), X(0), 64, 32, 32},
      {"special 2 large by 2: frame 9", 0, 4, 2, 9, 1, 0, 1, X(4), X(6), X(5), 64, 64, 64},
      {"special 4 is not loaded", 1, 4, 4, 0, 0, 0, 0, {}, {}, {}, 0, 0, 0},
      {"kind 5 draws nothing", 1, 5, 0, 0, 0, 0, 0, {}, {}, {}, 0, 0, 0},
  };
  const Sheets sheets;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GRAPHICSOURCE r;
    EXPECT_EQ(SetGraphicSource(r, c.mode, c.kind, c.g, c.v, c.facing, c.o, sheets, false), c.drawn);
    if (!c.drawn) continue;
    EXPECT_EQ(r.A, c.a);
    EXPECT_EQ(r.B, c.b);
    EXPECT_EQ(r.OtherA, c.otherA);
    EXPECT_EQ(r.Scaled, r.B);
    EXPECT_EQ(r.nSrcX, c.x);
    EXPECT_EQ(r.nSrcY, c.y);
    EXPECT_EQ(r.nCellWidth, c.cell);
  }
  GRAPHICSOURCE r;
  SetGraphicSource(r, 1, 0, 5, 0, 0, 0, sheets, true);
  EXPECT_EQ(r.Scaled, r.A);
}

// Graphic numbers and values at and beyond every limit, for every kind and mode:
// either nothing is drawn or the whole cell lies inside its sheet.
TEST(GraphicSource, NoNumberReadsOutsideASheet) {
  const int numbers[] = {INT_MIN, -15, -1, 0, 1, 2, 3, 14, 15, 299, 300, 32767, INT_MAX};
  const int values[] = {INT_MIN, -1, 0, 19, 20, 39, 40, 255, INT_MAX};
  Sheets sheets;
  for (int cells : {INT_MIN, -1, 0, 1, 2, 16, 17, INT_MAX}) {
    sheets.m_nCells = cells;
    for (int kind = -1; kind <= 5; ++kind)
      for (int mode : {0, 1, 2, 3})
        for (int g : numbers)
          for (int v : values)
            for (int o : {INT_MIN, 0, 1, INT_MAX}) {
              GRAPHICSOURCE r;
              if (!SetGraphicSource(r, mode, kind, g, v, 1, o, sheets, false)) continue;
              int w = 0, h = 0;
              sheets.Size(r.A, w, h);
              ASSERT_GE(r.nSrcX, 0);
              ASSERT_GE(r.nSrcY, 0);
              ASSERT_LE(static_cast<long long>(r.nSrcX) + r.nCellWidth, w) << kind << " " << g << " " << v;
              ASSERT_LE(static_cast<long long>(r.nSrcY) + r.nCellHeight, h) << kind << " " << g << " " << v;
            }
  }
  // Sheets that did not load (size 0) show nothing, not even the fallback cell.
  sheets.m_nWidth = sheets.m_nHeight = 0;
  GRAPHICSOURCE r;
  EXPECT_EQ(SetGraphicSource(r, 1, 1, 3, 0, 0, 0, sheets, false), 0);
}

}  // namespace
