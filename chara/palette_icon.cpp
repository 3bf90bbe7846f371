// The 16 x 16 icon of a palette graphic (item windows, carried items): the cell
// that stands for the graphic, scaled down from its sheet, or the item's own
// small picture.
#include "chara/graphic_source.h"
#include "data/project_globals.h"
#include "draw/dd_blit.h"
#include "draw/dd_globals.h"
#include "stage/stand_ins.h"

namespace {

constexpr int kIcon = 16;
constexpr int kCell = 32;
constexpr int kBlockSheet = 3;
constexpr int kCharaSheetB = 22;  // copy B, facing 0, of the first character sheet
constexpr int kCharaSheets = 8;
constexpr int kItemMini = 42;
constexpr int kShotSheet = 63;

// A graphic number or frame from a damaged record may point anywhere: only a
// cell wholly inside its sheet is drawn.
bool CellInside(const DDSURFACEDATA* s, long long x, long long y, long long cell) {
  return s && x >= 0 && y >= 0 && x + cell <= s->nWidth && y + cell <= s->nHeight;
}

}  // namespace

void DrawPaletteIcon(DDSURFACEDATA* target, int x, int y, int kind, int graphic, int frame) {
  if (!target || graphic < 0) return;
  const long long g = graphic, v = frame;
  DDSURFACEDATA* sheet = nullptr;
  long long sx = 0, sy = 0, cell = kCell;
  switch (kind) {
    case 0:
      sheet = &Off_Sys[kBlockSheet];
      sx = g / 15 * kCell;
      sy = g % 15 * kCell;
      break;
    case 1:
      if (g / 15 >= kCharaSheets) return;
      sheet = &Off_Sys[kCharaSheetB + 2 * (g / 15)];
      sx = v * kCell;
      sy = g % 15 * kCell;
      break;
    case 2:
      sheet = &Off_Sys[kItemMini];
      sx = g / 15 * kCell;
      sy = g % 15 * kIcon;
      cell = kIcon;
      break;
    case 3:
      sheet = &Off_Sys[kShotSheet];
      sx = g / 30 * 64;
      sy = g % 30 * kCell;
      break;
    case 4: {
      // Special bitmaps are numbered from 1; copy B of facing 0 is the icon's.
      if (g < 1 || g >= Database.BmpCharaExcList.Count()) return;
      sheet = SurfaceOf(cSurfaceRef::Special(static_cast<int>(4 * g - 2)));
      const cEdBmpCharaExc& e = Database.BmpCharaExcList.At(static_cast<int>(g));
      if (v < 0) return;
      if (e.bOwnCellSize) {
        const long long m = e.nCellSize < 1 ? 1 : e.nCellSize > 16 ? 16 : e.nCellSize;
        const long long perRow = 16 / m;
        cell = kCell * m;
        sx = v % perRow * cell;
        sy = v / perRow * cell;
      } else {
        sx = v % 16 * kCell;
        sy = v / 16 * kCell;
      }
      break;
    }
    default:
      return;
  }
  if (!CellInside(sheet, sx, sy, cell)) return;
  const int ix = static_cast<int>(sx), iy = static_cast<int>(sy);
  if (cell == kIcon) DDBltFast(target, x, y, kIcon, kIcon, sheet, ix, iy, 1);
  else DDBlt(target, x, y, kIcon, kIcon, sheet, ix, iy, static_cast<int>(cell), static_cast<int>(cell), 1);
}
