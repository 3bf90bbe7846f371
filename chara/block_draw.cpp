// A block's tile and its overlay mark. The block record is project data, but its
// picture comes from the sheets of play (the graphic mapping), so it is drawn here.
#include "chara/graphic_source.h"
#include "data/block_def.h"
#include "draw/dd_blit.h"
#include "draw/dd_globals.h"

namespace {

constexpr int kCell = 32;
constexpr int kMarkSheet = 43;  // "bmp\Mark.bmp", the copy drawn directly

}  // namespace

void cEdBlock::Draw(DDSURFACEDATA* target, int x, int y) {
  GRAPHICSOURCE source;
  if (SetGraphicSource(source, 0, nGraphicKind, nGraphic, nGraphicSub, nullptr, 0)) {
    if (DDSURFACEDATA* sheet = SurfaceOf(source.A))
      DDBltFast(target, x, y, kCell, kCell, sheet, source.nSrcX, source.nSrcY, 1);
  }
  if (bOverlay != 1) return;
  // Overlay cells run down columns of 15; a cell outside the sheet draws nothing.
  DDSURFACEDATA& marks = Off_Sys[kMarkSheet];
  if (nOverlayCell < 0) return;
  const int sx = nOverlayCell / 15 * kCell, sy = nOverlayCell % 15 * kCell;
  if (sx + kCell > marks.nWidth || sy + kCell > marks.nHeight) return;
  DDBltFast(target, x, y, kCell, kCell, &marks, sx, sy, 1);
}
