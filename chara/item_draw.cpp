// Drawing an item lying in the stage (its picture row by the animation, its mark
// over it) and the blinking icon of the item a stage character carries.
#include "chara/graphic_source.h"
#include "chara/item.h"
#include "chara/stage_chara.h"
#include "draw/dd_blit.h"
#include "draw/dd_globals.h"
#include "stage/stand_ins.h"

namespace {

constexpr int kCell = 32;
constexpr int kMarkSheetA = 43;  // the mark sheet drawn directly
constexpr int kIconPeriod = 96;  // the carried item's icon: hidden 64 frames, shown 32
constexpr int kIconShownFrom = 64;

bool CellInside(const DDSURFACEDATA& s, int x, int y, int w, int h) {
  return x >= 0 && y >= 0 && w > 0 && h > 0 && x + w <= s.nWidth && y + h <= s.nHeight;
}

}  // namespace

void cItem::Draw(DDSURFACEDATA* target, int held) {
  if (m_Def.bHidden || m_bCarried || !target) return;
  const int frame = held ? m_Anime.GetValue() : m_Anime.Update();
  const int size = m_Def.nSize;
  GRAPHICSOURCE s;
  SetGraphicSource(s, 2, m_Def.nGraphicKind, m_nGraphic, m_Def.nGraphicSub, this, frame);
  if (s.bDrawn) {
    // A large special bitmap is drawn at its own cell size, anything else at size 1.
    const int m = s.bLarge ? s.nCellCount : 1;
    const bool scaled = s.bLarge ? m != size : size > 1;
    if (scaled) {
      if (DDSURFACEDATA* sheet = SurfaceOf(s.Scaled))
        DDBlt(target, m_nScreenLeft, m_nScreenTop, m_nDrawWidth, m_nDrawHeight, sheet, s.nSrcX, s.nSrcY,
              m_nBaseDrawWidth * m, m_nBaseDrawHeight * m, 1);
    } else if (DDSURFACEDATA* sheet = SurfaceOf(s.A)) {
      DDBltFast(target, m_nScreenLeft, m_nScreenTop, m_nDrawWidth, m_nDrawHeight, sheet, s.nSrcX, s.nSrcY, 1);
    }
  }
  if (!m_Def.bOverlay) return;
  // Marks run down columns of 15 cells; a number beyond the sheet draws nothing.
  const int n = m_Def.nOverlayCell;
  const int sx = n / 15 * kCell, sy = n % 15 * kCell;
  if (size <= 1) {
    DDSURFACEDATA& marks = Off_Sys[kMarkSheetA];
    if (CellInside(marks, sx, sy, kCell, kCell)) DDBltFast(target, m_nScreenLeft, m_nScreenTop, kCell, kCell, &marks, sx, sy, 1);
  } else {
    DDSURFACEDATA& marks = Off_Sys[MarkSheet];
    if (CellInside(marks, sx, sy, m_nBaseDrawWidth, m_nBaseDrawHeight))
      DDBlt(target, m_nScreenLeft, m_nScreenTop, m_nDrawWidth, m_nDrawHeight, &marks, sx, sy, m_nBaseDrawWidth,
            m_nBaseDrawHeight, 1);
  }
}

void cStageChara::DrawCarriedItemIcon(DDSURFACEDATA* target) {
  const cEdItem& def = m_Item.m_Def;
  if (m_Item.m_nGraphic == 0 || !IsInView() || m_Def.bTransparent || def.bHidden) return;
  if (++m_nItemIcon >= kIconPeriod) m_nItemIcon = 0;
  if (m_nItemIcon < kIconShownFrom) return;
  DrawPaletteIcon(target, m_nScreenLeft + m_nDrawWidth / 2 - m_Item.m_nDrawWidth / 4,
                  m_nScreenTop - m_Item.m_nDrawHeight / 2, def.nGraphicKind, def.nGraphic, def.nGraphicSub);
}
