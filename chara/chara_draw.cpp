// Drawing one character: the animation frame it shows (base animation or an
// overlay), its picture through the running character effect, its mark, its HP
// and SP gauges, and a dead character's last frames.
#include <algorithm>
#include <climits>
#include <cmath>

#include "app/svc/menu_colors.h"
#include "app/svc/mode_manager.h"
#include "chara/chara.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "chara/stage_chara.h"
#include "data/project_globals.h"
#include "draw/dd_blit.h"
#include "draw/dd_globals.h"

namespace {

constexpr int kCell = 32;
constexpr int kMarkSheetA = 43;  // the mark sheet drawn directly
constexpr int kAccessorySheet = 49;
constexpr int kGaugeWidth = 50;

// The animation set's picture offsets; the defaults when the set index names none.
const cEdAnimeSet& AnimeSetOf(int index) {
  static const cEdAnimeSet fallback;
  const cVector<cEdAnimeSet>& sets = Database.AnimeSetList;
  return index >= 0 && index < sets.Count() ? sets[static_cast<size_t>(index)] : fallback;
}

bool CellInside(const DDSURFACEDATA& s, int x, int y, int w, int h) {
  return x >= 0 && y >= 0 && w > 0 && h > 0 && x + w <= s.nWidth && y + h <= s.nHeight;
}

// Whether the picture must be stretched: a large special bitmap is drawn at its
// own cell size, anything else at scale 1.
bool IsScaled(const cChara& c, const GRAPHICSOURCE& s) {
  return s.bLarge ? c.m_Def.nGiant != s.nCellCount : c.m_Def.nGiant > 1;
}

DDBLTEXINFO TintOf(const GRAPHICSOURCE& s) { return DDBLTEXINFO{s.dwDiffuse, s.dwColorOp}; }

}  // namespace

int ChooseOverlay(const cVector<cAnimeOverlay>& overlays) {
  int best = INT_MAX, chosen = -1;
  bool latched = false;
  for (int i = 0; i < overlays.Count(); ++i) {
    const cAnimeOverlay& o = overlays[static_cast<size_t>(i)];
    if (o.bPaused) continue;
    const int c = o.nCountdown;
    if (latched) {
      if (c <= 0 && best <= 0 && c > best) {
        best = c;
        chosen = i;
      }
    } else if (o.bLeadIn) {
      if (c <= 0 && best <= 0) {
        latched = true;
        best = c;
        chosen = i;
      } else if (c < best) {
        best = c;
        chosen = i;
      }
    } else if (chosen < 0) {
      best = INT_MAX;
      chosen = i;
    }
  }
  return chosen;
}

int cChara::AnimateFrame(int held) {
  if (!held) {
    m_Anime.Update();
    for (auto it = m_Overlays.begin(); it != m_Overlays.end();) {
      if (it->bPaused) {
        ++it;
        continue;
      }
      if (it->Anime.Update() == kAnimeOverlayEnd) {
        it = m_Overlays.erase(it);
        continue;
      }
      --it->nCountdown;
      ++it;
    }
  }
  if (m_Overlays.empty()) return m_Anime.GetValue();
  const int chosen = ChooseOverlay(m_Overlays);
  return chosen < 0 ? m_Anime.GetValue() : m_Overlays[static_cast<size_t>(chosen)].Anime.GetValue();
}

int cChara::GetGraphicBase(GRAPHICSOURCE& source) {
  const cEdAnimeSet& set = AnimeSetOf(m_Def.nAnimeSet);
  int base = m_Def.nGraphicSub;
  if (m_Def.nFlight != 0) base += set.nFlightRow;
  if (m_Def.bFullCell) base += set.nFullCellRow;
  if (m_Def.nInvincible != 0) base += set.nInvincibleRow;
  source.bColor = 0;
  source.dwDiffuse = source.dwColorOp = 0;
  if (m_Def.nInvincible != 0 && lpDTCon && SystemData.bInvincibleTint && m_Def.nInvincibleColor != 0) {
    const DDBLTEXINFO& tint = FlashColor(m_Def.nInvincibleColor);
    source.bColor = 1;
    source.dwDiffuse = tint.dwDiffuse;
    source.dwColorOp = tint.dwColorOp;
  }
  return base;
}

void cChara::SetDrawSource(GRAPHICSOURCE& source, int frame) {
  GRAPHICSOURCE tint;
  const int base = GetGraphicBase(tint);
  SetGraphicSource(source, 1, m_Def.nGraphicKind, m_nGraphic, base, this, frame);
  source.bColor = tint.bColor;
  source.dwDiffuse = tint.dwDiffuse;
  source.dwColorOp = tint.dwColorOp;
}

int DrawCharaNormal(cChara& c, DDSURFACEDATA* target, GRAPHICSOURCE& s, int, int draw) {
  if (draw != 1 || !s.bDrawn) return 0;
  const DDBLTEXINFO tint = TintOf(s);
  const DDBLTEXINFO* ex = s.bColor ? &tint : nullptr;
  if (IsScaled(c, s)) {
    DDSURFACEDATA* sheet = SurfaceOf(s.Scaled);
    if (!sheet) return 0;
    const int m = s.nCellCount;
    DDBltEx(target, c.m_nScreenLeft, c.m_nScreenTop, c.m_nDrawWidth, c.m_nDrawHeight, sheet, s.nSrcX, s.nSrcY,
            m * c.m_nBaseDrawWidth, m * c.m_nBaseDrawHeight, 1, ex);
  } else {
    DDSURFACEDATA* sheet = SurfaceOf(s.A);
    if (!sheet) return 0;
    DDBltFastEx(target, c.m_nScreenLeft, c.m_nScreenTop, c.m_nDrawWidth, c.m_nDrawHeight, sheet, s.nSrcX, s.nSrcY, 1,
                ex);
  }
  return 0;
}

void cChara::Draw(DDSURFACEDATA* target, int held) {
  const int frame = AnimateFrame(held);
  if (m_bHidden || m_Def.bTransparent) {
    StepCharaEffect(held);
    return;
  }
  CalcScreenRect();
  if (m_bScreenFixedX) {
    m_nScreenLeft = m_nScreenFixedLeft;
    m_nScreenRight = m_nScreenLeft + m_nDrawWidth - 1;
  }
  if (m_bScreenFixedY) {
    m_nScreenTop = m_nScreenFixedTop;
    m_nScreenBottom = m_nScreenTop + m_nDrawHeight - 1;
  }
  GRAPHICSOURCE source;
  SetDrawSource(source, frame);
  if (DrawCharaEffect(target, source, held, 1)) m_nCharaEffect = 0;
  if (m_Def.bMarkShown != 1) return;
  // Marks run down columns of 15 cells; a number beyond the sheet draws nothing.
  const int m = m_Def.mark;
  const int sx = m / 15 * kCell, sy = m % 15 * kCell;
  if (m_Def.nGiant > 1) {
    DDSURFACEDATA& marks = Off_Sys[MarkSheet];
    if (CellInside(marks, sx, sy, m_nBaseDrawWidth, m_nBaseDrawHeight))
      DDBlt(target, m_nScreenLeft, m_nScreenTop, m_nDrawWidth, m_nDrawHeight, &marks, sx, sy, m_nBaseDrawWidth,
            m_nBaseDrawHeight, 1);
  } else {
    DDSURFACEDATA& marks = Off_Sys[kMarkSheetA];
    if (CellInside(marks, sx, sy, kCell, kCell)) DDBltFast(target, m_nScreenLeft, m_nScreenTop, kCell, kCell, &marks, sx, sy, 1);
  }
}

int cChara::DrawDying(DDSURFACEDATA* target, int held) {
  GRAPHICSOURCE source;
  SetDrawSource(source, 0);
  if (m_nKind != 0) {
    if (m_nCharaEffect == 0) return 1;
    if (DrawCharaEffect(target, source, held, 1)) {
      m_nCharaEffect = 0;
      return 1;
    }
    return 0;
  }
  if (m_nCharaEffect != 0) {
    if (DrawCharaEffect(target, source, held, 1)) m_nCharaEffect = 0;
    return 0;
  }
  if (held) return 0;
  ++m_nDeathFrames;
  return m_nDeathFrames > ModeManager.m_nFrameRate ? 1 : 0;
}

int cChara::StepCharaEffect(int held) {
  if (m_nCharaEffect == 0) return 0;
  GRAPHICSOURCE source;
  SetDrawSource(source, m_Anime.GetValue());
  if (!DrawCharaEffect(&BackBuffer, source, held, 0)) return 0;
  m_nCharaEffect = 0;
  return 1;
}

void cChara::DrawToWork(DDSURFACEDATA* work, const GRAPHICSOURCE& s) {
  if (!s.bDrawn) return;
  if (IsScaled(*this, s)) {
    if (DDSURFACEDATA* sheet = SurfaceOf(s.Scaled))
      DDBlt(work, 0, 0, m_nDrawWidth, m_nDrawHeight, sheet, s.nSrcX, s.nSrcY, s.nCellCount * m_nBaseDrawWidth,
            s.nCellCount * m_nBaseDrawHeight, 0);
  } else if (DDSURFACEDATA* sheet = SurfaceOf(s.A)) {
    DDBltFast(work, 0, 0, m_nDrawWidth, m_nDrawHeight, sheet, s.nSrcX, s.nSrcY, 0);
  }
}

void cChara::DrawToWorkColoured(DDSURFACEDATA* work, const GRAPHICSOURCE& s) {
  if (!s.bDrawn) return;
  DDSURFACEDATA* sheet = SurfaceOf(s.A);
  if (!sheet) return;
  const DDBLTEXINFO tint = TintOf(s);
  DDBltFastEx(work, 0, 0, m_nBaseDrawWidth * s.nCellCount, m_nBaseDrawHeight * s.nCellCount, sheet, s.nSrcX, s.nSrcY,
              0, &tint);
}

void cChara::DrawHpGauge(DDSURFACEDATA* target) { DrawGauge(target, m_HPGauge, 0); }
void cChara::DrawSpGauge(DDSURFACEDATA* target) { DrawGauge(target, m_SPGauge, 1); }

void cChara::DrawGauge(DDSURFACEDATA* target, cGauge& g, int which) {
  if (g.nFrames <= 0 || m_bDead) return;
  DDSURFACEDATA* sheet = &Off_Sys[kAccessorySheet];
  // Newer accessory sheets keep their gauge rows packed 2 dots apart below 208.
  const bool packed = sheet->nHeight > 208;
  const int firstRow = packed ? 208 : 128, rowStep = packed ? 2 : 16;
  auto row = [&](int r) { return firstRow + r * rowStep; };
  const int sx = which ? 64 : 0;
  const int x = m_nScreenLeft + m_nDrawWidth / 2 - kGaugeWidth / 2;
  const int y = m_nScreenTop - (which ? 7 : 3);
  DDBltFast(target, x, y, kGaugeWidth, 2, sheet, sx, row(0), 1);
  // The bar and its change stay inside the gauge, whatever HP and SP hold.
  const int length = std::clamp<int>(g.nLength, 0, kGaugeWidth);
  const int value = which ? m_nSP : m_nHP, maximum = which ? m_Def.msp : m_Def.mhp;
  const int item = which ? 3 : 2;
  const bool warning = item < SystemData.StatusItems.Count() && SystemData.CheckWarning(item, value, maximum) != 0;
  if (length > 0) DDBltFast(target, x, y, length, 2, sheet, sx, row(warning ? 2 : 1), 1);
  const double change = std::isfinite(g.dChange) ? g.dChange : 0.0;
  if (change < 0) {
    const int w = static_cast<int>(std::min<double>(-change, kGaugeWidth - length));
    if (w > 0) DDBltFast(target, x + length, y, w, 2, sheet, sx, row(3), 1);
  } else if (change > 0) {
    const int w = static_cast<int>(std::min<double>(change, length));
    if (w > 0) DDBltFast(target, x + length - w, y, w, 2, sheet, sx, row(4), 1);
  }
  --g.nFrames;
  if (g.nFrames >= 60)
    g.dChange -= g.dStep;
  else
    g.dChange = 0;
}

cChara* FindLiveChara(int identity) {
  for (cPlayer& p : Player)
    if (p.m_nId == identity) return &p;
  for (cStageChara& c : StageChara)
    if (c.m_nId == identity) return &c;
  return nullptr;
}

void SweepEndedStageChara() {
  for (auto it = StageChara.begin(); it != StageChara.end();)
    it = it->m_bDeathEnded ? RemoveStageChara(it) : std::next(it);
}
