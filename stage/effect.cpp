// Effects on the stage: their start (by command or at a hit) and their drawing
// from the stage's effect sheets.
#include "stage/effect.h"

#include <algorithm>
#include <cmath>

#include "app/base/text_util.h"
#include "app/svc/system_ini.h"
#include "chara/object.h"
#include "data/project_globals.h"
#include "draw/dd_blit.h"
#include "draw/dd_globals.h"
#include "draw/dd_pixel_ops.h"
#include "draw/play_surfaces.h"
#include "stage/stage_scene.h"

namespace {

// The effect's definition, or null for effect 0 and numbers beyond the list.
const cEdEffect* EffectDef(int number) {
  if (number <= 0 || number >= Database.EffectList.Count()) return nullptr;
  return &Database.EffectList[static_cast<size_t>(number)];
}

// Sheet k (0 the picture, 1 its copy for stretching) of effect n, or null.
DDSURFACEDATA* EffectSheet(int number, int k) {
  const int64_t index = 2 * (int64_t(number) - 1) + k;
  if (number < 1 || index >= Off_Effect.Count()) return nullptr;
  DDSURFACEDATA* sd = &Off_Effect[static_cast<size_t>(index)];
  return sd->lpDT || sd->lpDDPart || sd->lpAliasSD ? sd : nullptr;
}

}  // namespace

cEffect::cEffect(int number, double x, double y, int width, int height, int animateWhileHeld)
    : m_nNumber(static_cast<int16_t>(number)), m_dX(x), m_dY(y), m_nWidth(width), m_nHeight(height),
      m_bAnimateHeld(animateWhileHeld) {
  const cEdEffect& def = Database.EffectList.At(number);
  m_bScaled = width != def.nCellWidth ? 1 : 0;
  SetEffect(number);
}

void HitEffectPlace(const cHitBox& a, const cHitBox& b, int width, int height, int& x, int& y) {
  double left = std::max(a.dLeft, b.dLeft), right = std::min(a.dRight, b.dRight);
  double top = std::max(a.dTop, b.dTop), bottom = std::min(a.dBottom, b.dBottom);
  if (!a.Overlaps(b)) left = right = top = bottom = 0;
  x = DDTruncToInt(left) + DDTruncToInt(right - left + 1) / 2 - width / 2;
  y = DDTruncToInt(top) + DDTruncToInt(bottom - top + 1) / 2 - height / 2;
}

void cEffect::cEffectAtHit(int number, const cHitBox& a, const cHitBox& b, int scale) {
  const cEdEffect& def = Database.EffectList.At(number);
  m_nNumber = static_cast<int16_t>(number);
  m_nWidth = def.nCellWidth;
  m_nHeight = def.nCellHeight;
  m_bScaled = 0;
  if (def.bScaleWithHit && scale > 1) {
    m_nWidth = DDClampToInt(int64_t(m_nWidth) * scale);
    m_nHeight = DDClampToInt(int64_t(m_nHeight) * scale);
    m_bScaled = 1;
  }
  int x = 0, y = 0;
  HitEffectPlace(a, b, m_nWidth, m_nHeight, x, y);
  const int jitter = DDClampToInt(4 * int64_t(std::max(scale, 1)));
  m_dX = x + RandRange(-jitter, jitter);
  m_dY = y + RandRange(-jitter, jitter);
  m_bAnimateHeld = 0;
  SetEffect(number);
}

void cEffect::SetEffect(int n) {
  m_Anime.Clear();
  m_Anime.m_Sequences.push_back(EffectSequences.At(n));
  m_Anime.Set(0, 1);
}

int cEffect::Draw(DDSURFACEDATA* target, int held) {
  const cEdEffect* def = EffectDef(m_nNumber);
  if (!def || def->Frames.empty()) return 1;
  int f;
  if (!held || m_bAnimateHeld) {
    f = m_Anime.Update();
    if (f == kAnimeEnd) return 1;
  } else {
    f = m_Anime.GetValue();
  }
  const cStageScene* scene = StageScene();
  const double sx = scene ? scene->m_ScrollX.m_dPos : 0, sy = scene ? scene->m_ScrollY.m_dPos : 0;
  const int x = DDTruncToInt(m_dX - sx), y = DDTruncToInt(m_dY - sy);
  const int fw = def->nCellWidth, fh = def->nCellHeight;
  if (fw <= 0 || fh <= 0 || m_nWidth <= 0 || m_nHeight <= 0) return 0;
  const int cellX = DDClampToInt(int64_t(f) * fw);
  if (m_bScaled) {
    const bool fromPicture = !lpDTCon && SystemIni.DD_VideoStretch;
    if (DDSURFACEDATA* sheet = EffectSheet(m_nNumber, fromPicture ? 0 : 1))
      DDBlt(target, x, y, m_nWidth, m_nHeight, sheet, cellX, 0, fw, fh, 1);
  } else if (DDSURFACEDATA* sheet = EffectSheet(m_nNumber, 0)) {
    DDBltFast(target, x, y, m_nWidth, m_nHeight, sheet, DDClampToInt(int64_t(f) * m_nWidth), 0, 1);
  }
  return 0;
}
