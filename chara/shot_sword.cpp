// The sword stroke: a shot that does not fly but follows its owner through the
// frames of its sword type, placed in front of, behind, above or below it.
#include "chara/bounds_rules.h"
#include "chara/chara.h"
#include "chara/shot.h"
#include "data/database.h"
#include "data/project_globals.h"
#include "stage/scroll_axis.h"

int cShot::FollowOwner() {
  cChara* owner = FindLiveChara(m_nOwnerId);
  if (!owner) return 1;
  owner->CalcScreenRect();
  m_nFacing = owner->m_nFacing;
  // A sword type or frame that is not there (the database changed under a damaged
  // stage) ends the stroke instead of reading past its list.
  const auto& types = Database.SwordTypeList;
  if (m_Def.nMoveType < 0 || m_Def.nMoveType >= types.Count()) return 1;
  const auto& frames = types[static_cast<size_t>(m_Def.nMoveType)].Frames;
  if (m_nSwordFrame < 0 || m_nSwordFrame >= frames.Count()) return 1;
  const cEdSwordFrame& F = frames[static_cast<size_t>(m_nSwordFrame)];
  const int size = m_Def.nSize < 1 ? 1 : m_Def.nSize;
  if (m_nStepCount == 0) {
    m_nBaseDrawWidth = m_nBaseWidth = m_HitBox.nBaseWidth = F.nWidth;
    m_nBaseDrawHeight = m_nBaseHeight = m_HitBox.nBaseHeight = F.nHeight;
    m_nDrawWidth = m_nWidth = m_HitBox.nWidth = ScaleDots(F.nWidth, size);
    m_nDrawHeight = m_nHeight = m_HitBox.nHeight = ScaleDots(F.nHeight, size);
  }
  const double S = PlayAxisX().m_dPos, T = PlayAxisY().m_dPos;
  const double L = owner->m_nScreenLeft, R = owner->m_nScreenRight;
  const double T0 = owner->m_nScreenTop, B0 = owner->m_nScreenBottom;
  const int Wo = owner->m_nDrawWidth, Ho = owner->m_nDrawHeight;
  const int w = m_nDrawWidth, h = m_nDrawHeight;
  const bool right = owner->m_nFacing == 1;
  double x = m_dX, y = m_dY;
  switch (F.nPlace) {
    case 0:
      x = right ? R + S + 1 : L + S - w;
      y = T0 + (Ho >> 1) + T - (h >> 1);
      break;
    case 1:
      m_nFacing = right ? 0 : 1;
      x = right ? L + S - w : R + S + 1;
      y = T0 + (Ho >> 1) + T - (h >> 1);
      break;
    case 2:
      x = L + (Wo >> 1) + S - (w >> 1);
      y = T0 + T - h;
      break;
    case 3:
      x = L + (Wo >> 1) + S - (w >> 1);
      y = T + B0 + 1;
      break;
    default: break;
  }
  const double dx = static_cast<double>(size) * F.nOffsetX, dy = static_cast<double>(size) * F.nOffsetY;
  if (right) {
    x += F.bMirrorX ? -dx : dx;
    y += F.bMirrorY ? -dy : dy;
  } else {
    x += dx;
    y += dy;
  }
  m_dX = x;
  m_dY = y;
  ClampXToStage();
  ClampY(2);
  ++m_nStepCount;
  const long long frameSteps = static_cast<long long>(F.nDuration) * StageData.nSteps * 6;
  if (frameSteps >= m_nStepCount) return 0;
  m_nStepCount = 0;
  ++m_nSwordFrame;
  return m_nSwordFrame >= frames.Count() ? 1 : 0;
}
