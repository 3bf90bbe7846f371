// graphic: the sheet and cell that a graphic number of a kind maps to, on sheets
// of a given size, as SetGraphicSource gives them to the drawing.
#include <climits>
#include <cstdio>
#include <string>

#include "chara/graphic_source.h"
#include "tools/probe/probe.h"

namespace {

// Every surface of the kind's sheets is W x H, the prepared shot sheets 256 x 960;
// special bitmaps 1 to the count are loaded and `entry` is cut by large and cells.
class cProbeSheets : public cSheetInfo {
 public:
  int m_nWidth = 640, m_nHeight = 480, m_nSpecials = 1, m_nEntry = 0, m_bLarge = 0, m_nCells = 1;
  void Size(const cSurfaceRef& ref, int& width, int& height) const override {
    if (ref.nTable == cSurfaceRef::kSystem && (ref.nIndex == 63 || ref.nIndex == 64)) {
      width = 256;
      height = 960;
      return;
    }
    width = m_nWidth;
    height = m_nHeight;
  }
  int SpecialCount() const override { return m_nSpecials; }
  void SpecialCells(int n, int& large, int& cellCount) const override {
    large = n == m_nEntry ? m_bLarge : 0;
    cellCount = n == m_nEntry ? m_nCells : 1;
  }
};

std::string SheetName(const cSurfaceRef& a) {
  if (a.nTable == cSurfaceRef::kSpecial) return "special " + std::to_string(a.nIndex / 4 + 1);
  const int e = a.nIndex;
  if (e == 2 || e == 3) return "bmp\\Block.bmp";
  if (e >= 4 && e < 20) return "bmp\\Character" + std::to_string((e - 4) / 2 + 1) + ".bmp";
  if (e >= 22 && e < 38) return "bmp\\Character" + std::to_string((e - 22) / 2 + 1) + ".bmp";
  if (e == 40 || e == 41) return "bmp\\Item.bmp";
  if (e == 63 || e == 64) return "shot";
  return "sys " + std::to_string(e);
}

std::string RefName(const cSurfaceRef& r) {
  return (r.nTable == cSurfaceRef::kSpecial ? "special:" : "sys:") + std::to_string(r.nIndex);
}

int Graphic(probe::cArgs& a, std::string& error) {
  int kind = 0, number = 0, column = 0, facing = 0, mode = 1, offset = 0;
  cProbeSheets sheets;
  const bool ok = a.Int("kind", kind, INT_MIN, INT_MAX, error) && a.Int("number", number, INT_MIN, INT_MAX, error) &&
                  a.OptInt("column-value", column, INT_MIN, INT_MAX, error) &&
                  a.OptInt("facing", facing, 0, 1, error) && a.OptInt("mode", mode, INT_MIN, INT_MAX, error) &&
                  a.OptInt("offset", offset, INT_MIN, INT_MAX, error) &&
                  a.OptInt("sheet-width", sheets.m_nWidth, 0, 1 << 20, error) &&
                  a.OptInt("sheet-height", sheets.m_nHeight, 0, 1 << 20, error) &&
                  a.OptInt("large", sheets.m_bLarge, INT_MIN, INT_MAX, error) &&
                  a.OptInt("cell-count", sheets.m_nCells, INT_MIN, INT_MAX, error) &&
                  a.OptInt("special-count", sheets.m_nSpecials, 0, 1 << 20, error) && a.NoneLeft(error);
  if (!ok) return 2;
  sheets.m_nEntry = number;
  GRAPHICSOURCE rec;
  if (!SetGraphicSource(rec, mode, kind, number, column, facing, offset, sheets, false)) {
    std::printf("drawn=0\n");
    return 0;
  }
  std::printf("drawn=1\nsheet=%s\n", SheetName(rec.A).c_str());
  std::printf("surface_a=%s\nsurface_b=%s\n", RefName(rec.A).c_str(), RefName(rec.B).c_str());
  std::printf("other_surface_a=%s\nother_surface_b=%s\n", RefName(rec.OtherA).c_str(), RefName(rec.OtherB).c_str());
  std::printf("source_x=%d\nsource_y=%d\ncell_width=%d\ncell_height=%d\nlarge=%d\ncell_count=%d\n", rec.nSrcX,
              rec.nSrcY, rec.nCellWidth, rec.nCellHeight, rec.bLarge, rec.nCellCount);
  return 0;
}

}  // namespace

PROBE_VERB("graphic",
           "--kind --number [--column-value] [--facing] [--mode] [--offset] [--sheet-width] [--sheet-height] "
           "[--large] [--cell-count] [--special-count]",
           Graphic);
