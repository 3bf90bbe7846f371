// The player character: set-up, flight changes and the body and boxes they
// rebuild, the camera follow in its limits and its moves.
#include <algorithm>

#include "app/svc/input.h"
#include "chara/bounds_rules.h"
#include "chara/player.h"
#include "data/project_globals.h"
#include "stage/stage_scene.h"

namespace {

// The player's body and hit sizes, walking or flying.
struct cPlayerSizes {
  int bodyW, bodyH, bodyBottom, hitW, hitH, hitBottom;
};

cPlayerSizes SizesFor(const cEdStage& s, bool flying) {
  if (flying)
    return {s.nPlayerBodyW2, s.nPlayerBodyH2, s.nPlayerBodyAlign2, s.nPlayerHitW2, s.nPlayerHitH2, s.nPlayerHitAlign2};
  return {s.nPlayerBodyW1, s.nPlayerBodyH1, s.nPlayerBodyAlign1, s.nPlayerHitW1, s.nPlayerHitH1, s.nPlayerHitAlign1};
}

// A box of the given size centred on the 32-dot cell, current and at scale 1.
void CentreBox(cHitBox& b, int w, int h, int drawOffsetX, int drawOffsetY) {
  b.nOffsetX = b.nBaseOffsetX = 16 - (w >> 1) - drawOffsetX;
  b.nOffsetY = b.nBaseOffsetY = 16 - (h >> 1) - drawOffsetY;
  b.nWidth = b.nBaseWidth = w;
  b.nHeight = b.nBaseHeight = h;
}

}  // namespace

void cPlayer::Setup(int identity, const cEdChara& def, double x, double y) {
  cEdChara d = def;
  if (d.nGiant == 0) d.nGiant = 1;
  Reset(&d, x, y, 0);
  const cPlayerSizes z = SizesFor(StageData, false);
  const int w = z.bodyW, h = z.bodyH;
  const int ox = (32 - w) >> 1, oy = z.bodyBottom ? 32 - h : (32 - h) >> 1;
  Init(identity, m_Def.nOperator, m_Def.nInputPlayer, m_Def.nPassValue, m_Def.nGraphic, nullptr, 0, ox, oy, w, h, 32,
       32, 1, 0, 0);
  m_pInput = m_nInput >= 0 && m_nInput < Input.Count() ? &Input.At(m_nInput) : nullptr;
  ChangeFlight(m_Def.nFlight);
  SetScale(m_Def.nGiant, 1);
  m_nFacing = m_nPrevFacing = m_Def.nFacing;
  m_bJumpBlocked = m_nJumpHold = 0;
  m_bMayRaise = 1;
  m_nBlockEffect = m_nBlockEffectCount = m_nItemBlockCount = 0;
  m_dBlockEffectAmount = 0;
  m_dRunLimit = 4.0 / StageData.Timing().dSteps;
  std::fill(&m_Markers[0][0], &m_Markers[0][0] + sizeof m_Markers, 0);
  m_TouchedItems.clear();
  // A new attempt keeps nothing that the last one's items left pending.
  m_ItemFlowChanges.clear();
  m_ItemArranges.clear();
  BuildFlowStates(m_Def.Flows, 0, -1);
}

void cPlayer::ChangeFlight(int option) {
  m_Def.nFlight = static_cast<int8_t>(option);
  const int wasFlying = m_bFlying;
  SetFlightOption(option);
  if (wasFlying != m_bFlying) m_nCrushGrace = 2;
  if (wasFlying && !m_bFlying) m_dSpeedY = m_dSpeedX = m_dMoveX = m_dMoveY = 0;
  const cEdStage& s = StageData;
  const cPlayerSizes z = SizesFor(s, m_bFlying != 0);
  m_nWidth = m_nBaseWidth = z.bodyW;
  m_nHeight = m_nBaseHeight = z.bodyH;
  m_nDrawOffsetX = m_nBaseDrawOffsetX = (32 - z.bodyW) >> 1;
  m_nDrawOffsetY = m_nBaseDrawOffsetY = z.bodyBottom ? 32 - z.bodyH : (32 - z.bodyH) >> 1;
  m_nDrawWidth = m_nBaseDrawWidth = 32;
  m_nDrawHeight = m_nBaseDrawHeight = 32;
  switch (m_Def.nBoxKind) {
    case 1: SetBodyHitBox(false, s.nPlayerBox2W, s.nPlayerBox2H); break;
    case 2: SetBodyHitBox(false, s.nPlayerShotW, s.nPlayerShotH); break;
    case 3: SetBodyHitBox(false, 32, 32); break;
    default: SetBodyHitBox(z.hitBottom != 0, z.hitW, z.hitH); break;
  }
  CentreBox(m_ShotBox, s.nPlayerBox2W, s.nPlayerBox2H, m_nDrawOffsetX, m_nDrawOffsetY);
  CentreBox(m_ItemBox, s.nPlayerBox3W, s.nPlayerBox3H, m_nDrawOffsetX, m_nDrawOffsetY);
  // The marker list is rebuilt from the stage's four marker settings when drawn.
  std::fill(&m_Markers[0][0], &m_Markers[0][0] + sizeof m_Markers, 0);
}

int cPlayer::LimitX() {
  if (cStageScene* scene = StageScene(); scene && !scene->m_ScrollX.m_bAuto) scene->m_ScrollX.Follow(m_dX, m_nWidth);
  const int code = ClampX(m_bFlying ? 0 : 1);
  m_dRight = m_nWidth + m_dX - 1;
  return code;
}

int cPlayer::LimitY() {
  if (cStageScene* scene = StageScene(); scene && !scene->m_ScrollY.m_bAuto) scene->m_ScrollY.Follow(m_dY, m_nHeight);
  const int code = ClampY(m_bFlying ? 0 : 1);
  m_dBottom = m_nHeight + m_dY - 1;
  return code;
}

int cPlayer::MoveX() {
  const cStageTiming t = StageData.Timing();
  if (m_dImpactX != 0) {
    m_dSpeedX = m_dImpactX;
  } else if (m_dMoveX != 0) {
    ApplyFriction(m_dMoveX, m_bFrictionX);
    if (m_nBlockEffect == 3) {
      // A speed-change block pushes the run speed away from 0 (or toward it),
      // never across it.
      const double d = ToStepAcceleration(m_dRunLimit, t.dSteps) * (m_dBlockEffectAmount - 1);
      const double sign = m_dMoveX > 0 ? 1.0 : -1.0;
      const double next = m_dMoveX + sign * d;
      m_dMoveX = next * sign < 0 ? 0.0 : next;
    }
    m_dSpeedX += m_dMoveX;
  }
  m_dSpeedX = std::clamp(m_dSpeedX, -t.dSpeedLimitPerStep, t.dSpeedLimitPerStep);
  m_dX += m_dSpeedX;
  LimitX();
  return 0;
}

int cPlayer::MoveY() {
  ApplyVerticalImpact();
  const int mode = m_bFlying ? 0 : 2;
  if (m_dImpactY == 0 && m_bFlying && m_dMoveY != 0) {
    ApplyFriction(m_dMoveY, m_bFrictionY);
    m_dSpeedY += m_dMoveY;
  }
  const int r = MoveYLimited(mode);
  LimitY();
  if (!m_bFlying && (r == 5 || r == 6)) return 7;
  return r;
}
