#include "chara/graphic_source.h"

#include <climits>

#include "app/svc/system_ini.h"
#include "chara/object.h"
#include "data/project_globals.h"
#include "draw/dd_globals.h"
#include "draw/play_surfaces.h"

int MarkSheet = 44;
int EffectWorkSheet = 68;
int LargeWorkSheet = 68;

namespace {

constexpr int kCell = 32;
constexpr int kCharaSheets = 8;
constexpr int kCharaColumns = 20;  // per facing

class cLiveSheets : public cSheetInfo {
 public:
  void Size(const cSurfaceRef& ref, int& width, int& height) const override {
    const DDSURFACEDATA* s = SurfaceOf(ref);
    width = s ? s->nWidth : 0;
    height = s ? s->nHeight : 0;
  }
  int SpecialCount() const override {
    const int n = Database.BmpCharaExcList.Count() - 1;
    return n < 0 ? 0 : n;
  }
  void SpecialCells(int n, int& large, int& cellCount) const override {
    const cEdBmpCharaExc& e = Database.BmpCharaExcList.At(n);
    large = e.bOwnCellSize;
    cellCount = e.nCellSize;
  }
};

// The whole cell [x, x + w) x [y, y + h) lies inside the surface.
bool CellInside(const cSheetInfo& sheets, const cSurfaceRef& ref, long long x, long long y, int w, int h) {
  int width = 0, height = 0;
  sheets.Size(ref, width, height);
  return x >= 0 && y >= 0 && x + w <= width && y + h <= height;
}

// Truncating division and remainder of C, on 64 bits.
long long Div(long long a, long long b) { return a / b; }
long long Mod(long long a, long long b) { return a % b; }

}  // namespace

const cSheetInfo& LiveSheets() {
  static const cLiveSheets sheets;
  return sheets;
}

DDSURFACEDATA* SurfaceOf(const cSurfaceRef& ref) {
  if (ref.nTable == cSurfaceRef::kSystem && ref.nIndex >= 0 && ref.nIndex < SYS_BMP_COUNT) return &Off_Sys[ref.nIndex];
  if (ref.nTable == cSurfaceRef::kSpecial && ref.nIndex >= 0 && ref.nIndex < Off_CharaExc.Count())
    return &Off_CharaExc.At(ref.nIndex);
  return nullptr;
}

int SetGraphicSource(GRAPHICSOURCE& rec, int mode, int kind, int g, int v, const cObject* object, int o) {
  const bool scaledUsesA = !lpDTCon && SystemIni.DD_VideoStretch;
  return SetGraphicSource(rec, mode, kind, g, v, object ? object->m_nFacing : 0, o, LiveSheets(), scaledUsesA);
}

int SetGraphicSource(GRAPHICSOURCE& rec, int mode, int kind, int g, int v, int facing, int o,
                     const cSheetInfo& sheets, bool scaledUsesA) {
  rec = GRAPHICSOURCE();
  const int f = facing == 1 ? 1 : 0;
  long long x = 0, y = 0;
  bool inside = false;
  switch (kind) {
    case kGraphicBlock:
      rec.A = rec.OtherA = cSurfaceRef::Sys(2);
      rec.B = rec.OtherB = cSurfaceRef::Sys(3);
      x = Div(g, 15) * kCell;
      y = Mod(g, 15) * kCell;
      inside = CellInside(sheets, rec.A, x, y, kCell, kCell);
      break;
    case kGraphicChara: {
      const long long s = Div(g, 15);
      int face = f;
      long long column = static_cast<long long>(v) + o;
      if (mode != 1) {
        face = v < kCharaColumns ? 0 : 1;
        column = face ? static_cast<long long>(v) - kCharaColumns : v;
      }
      const int sheet = s >= 0 && s < kCharaSheets ? static_cast<int>(s) : 0;
      rec.A = cSurfaceRef::Sys(4 + 2 * sheet + face);
      rec.B = cSurfaceRef::Sys(22 + 2 * sheet + face);
      rec.OtherA = cSurfaceRef::Sys(4 + 2 * sheet + (1 - face));
      rec.OtherB = cSurfaceRef::Sys(22 + 2 * sheet + (1 - face));
      x = column * kCell;
      y = Mod(g, 15) * kCell;
      // A graphic beyond the eight sheets, or a cell outside its sheet, shows the
      // first cell of the first sheet.
      if (s != sheet || !CellInside(sheets, rec.A, x, y, kCell, kCell)) {
        rec.A = cSurfaceRef::Sys(4);
        rec.B = cSurfaceRef::Sys(22);
        rec.OtherA = cSurfaceRef::Sys(5);
        rec.OtherB = cSurfaceRef::Sys(23);
        x = y = 0;
      }
      inside = CellInside(sheets, rec.A, x, y, kCell, kCell);
      break;
    }
    case kGraphicItem:
      rec.A = rec.OtherA = cSurfaceRef::Sys(40);
      rec.B = rec.OtherB = cSurfaceRef::Sys(41);
      x = Div(g, 15) * 64 + (mode == 2 ? static_cast<long long>(o) * kCell : 0);
      y = Mod(g, 15) * kCell;
      inside = CellInside(sheets, rec.A, x, y, kCell, kCell);
      break;
    case kGraphicShot:
      if (mode == 1) {
        rec.A = rec.B = cSurfaceRef::Sys(63 + f);
        rec.OtherA = rec.OtherB = cSurfaceRef::Sys(63 + (1 - f));
      } else {
        rec.A = rec.B = rec.OtherA = rec.OtherB = cSurfaceRef::Sys(63);
      }
      x = Div(g, 30) * 64;
      y = Mod(g, 30) * kCell;
      inside = CellInside(sheets, rec.A, x, y, kCell, kCell);
      break;
    case kGraphicSpecial: {
      // Only the loaded special bitmaps, numbered from 1, have surfaces.
      if (g < 1 || g > sheets.SpecialCount()) break;
      const int n = g;
      int face = 0;
      long long frame = v;
      if (mode == 1) {
        face = f;
        frame = static_cast<long long>(v) + o;
      }
      rec.A = cSurfaceRef::Special(4 * (n - 1) + face);
      rec.B = cSurfaceRef::Special(4 * (n - 1) + face + 2);
      rec.OtherA = cSurfaceRef::Special(4 * (n - 1) + (1 - face));
      rec.OtherB = cSurfaceRef::Special(4 * (n - 1) + (1 - face) + 2);
      int large = 0, m = 1;
      sheets.SpecialCells(n, large, m);
      int cell = kCell;
      if (large) {
        // A cell count below 1 is one cell; one above 16 leaves one frame per row.
        if (m < 1) m = 1;
        if (m > 16) m = 16;
        const int perRow = 16 / m;
        cell = kCell * m;
        x = Mod(frame, perRow) * cell;
        y = Div(frame, perRow) * cell;
        rec.bLarge = 1;
        rec.nCellCount = m;
      } else {
        x = Mod(frame, 16) * kCell;
        y = Div(frame, 16) * kCell;
      }
      rec.nCellWidth = rec.nCellHeight = cell;
      inside = CellInside(sheets, rec.A, x, y, cell, cell);
      break;
    }
    default:
      break;
  }
  rec.Scaled = scaledUsesA ? rec.A : rec.B;
  rec.OtherScaled = scaledUsesA ? rec.OtherA : rec.OtherB;
  if (!inside) {
    rec.nSrcX = rec.nSrcY = 0;
    rec.bDrawn = 0;
    return 0;
  }
  rec.nSrcX = static_cast<int32_t>(x);
  rec.nSrcY = static_cast<int32_t>(y);
  rec.bDrawn = 1;
  return 1;
}

void SelectTileSurfaces() {
  const bool directDraw = !lpDTCon;
  if (directDraw && SystemIni.DD_VideoStretch) {
    MarkSheet = 43;
    EffectWorkSheet = 67;
  } else {
    MarkSheet = 44;
    EffectWorkSheet = 68;
  }
  LargeWorkSheet = directDraw ? 68 : 70;
}
