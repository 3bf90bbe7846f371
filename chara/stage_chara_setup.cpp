// A stage character: set-up from its definition and placement, its place in the
// block grid, the activity tests and its moves of one step.
#include <algorithm>

#include "chara/stage_chara.h"
#include "data/project_globals.h"
#include "stage/scroll_axis.h"

namespace {

// The body and hit sizes of the stage's other characters, walking or flying.
struct cCharaSizes {
  int bodyW, bodyH, bodyBottom, hitW, hitH, hitBottom;
};

cCharaSizes SizesFor(const cEdStage& s, bool flying) {
  if (flying)
    return {s.nCharaBodyW2, s.nCharaBodyH2, s.nCharaBodyAlign2, s.nCharaHitW2, s.nCharaHitH2, s.nCharaHitAlign2};
  return {s.nCharaBodyW1, s.nCharaBodyH1, s.nCharaBodyAlign1, s.nCharaHitW1, s.nCharaHitH1, s.nCharaHitAlign1};
}

}  // namespace

bool cObject::OverlapsRect(double left, double right, double top, double bottom) const {
  return !(m_dX > right || m_dRight < left || m_dY > bottom || m_dBottom < top);
}

void cStageChara::Setup(int identity, const cEdChara& def, const cItem* item, double x, double y, int16_t clone) {
  cEdChara d = def;
  if (d.nGiant == 0) d.nGiant = 1;
  Reset(&d, x, y, clone);
  const cEdStage& s = StageData;
  // Options 1 to 3 fly; a value outside 0..3 walks as the flight option leaves it.
  const bool flying = m_Def.nFlight >= 1 && m_Def.nFlight <= 3;
  const cCharaSizes z = SizesFor(s, flying);
  int w = 32, h = 32, ox = 0, oy = 0;
  if (!m_Def.bFullCell) {
    w = z.bodyW;
    h = z.bodyH;
    ox = (32 - w) >> 1;
    oy = z.bodyBottom ? 32 - h : (32 - h) >> 1;
  }
  Init(identity, m_Def.nOperator, m_Def.nInputPlayer, m_Def.nPassValue, m_Def.nGraphic, nullptr, 0, ox, oy, w, h, 32,
       32, m_Def.nFacing, m_Def.nFlight, clone);
  if (m_Def.bFullCell) {
    for (cHitBox* b : {&m_BodyBox, &m_ShotBox}) {
      *b = cHitBox();
      b->nWidth = b->nHeight = b->nBaseWidth = b->nBaseHeight = 32;
    }
  } else {
    switch (m_Def.nBoxKind) {
      case 1: SetBodyHitBox(false, s.nCharaBox2W, s.nCharaBox2H); break;
      case 2: SetBodyHitBox(false, s.nOtherShotW, s.nOtherShotH); break;
      case 3: SetBodyHitBox(false, m_nDrawWidth, m_nDrawHeight); break;
      default: SetBodyHitBox(z.hitBottom != 0, z.hitW, z.hitH); break;
    }
    const int sw = s.nCharaBox2W, sh = s.nCharaBox2H;
    cHitBox& b = m_ShotBox;
    b.nOffsetX = b.nBaseOffsetX = 16 - (sw >> 1) - m_nDrawOffsetX;
    b.nOffsetY = b.nBaseOffsetY = 16 - (sh >> 1) - m_nDrawOffsetY;
    b.nWidth = b.nBaseWidth = sw;
    b.nHeight = b.nBaseHeight = sh;
  }
  SetScale(m_Def.nGiant, 1);
  m_nItemIcon = 0;
  if (item) m_Item.Assign(*item);
  else m_Item.m_nGraphic = 0;
  m_bIgnoreX = m_Def.nActivityRange == 2 || m_Def.nActivityRange == 3;
  m_bIgnoreY = m_Def.nActivityRange == 1 || m_Def.nActivityRange == 3;
  m_bAppeared = 0;
  m_Anime.Set(m_bFlying ? 0 : 1, 1);
  BuildFlowStates(m_Def.Flows, 0, -1);
}

int cStageChara::PlaceAtBlock(int column, int row) {
  m_dX = (static_cast<double>(column) + cScrollAxis::kMargin) * 32 + m_nBaseDrawOffsetX + 0.5;
  m_dY = (static_cast<double>(row) + cScrollAxis::kMargin) * 32 + m_nBaseDrawOffsetY;
  Rescale(std::max<int>(1, m_Def.nGiant), 1);
  LimitX();
  return LimitY();
}

int cStageChara::LimitX() { return ClampX(2); }
int cStageChara::LimitY() { return ClampY(2); }

bool cStageChara::CheckRange(cVector<uint8_t>& flags) {
  if (!IsInViewAxes(m_bIgnoreX != 0, m_bIgnoreY != 0)) {
    m_bInRange = 0;
    return false;
  }
  m_bInRange = 1;
  if (m_Def.bGroupLink && m_Def.nGroup >= 0 && m_Def.nGroup < flags.Count()) flags.At(m_Def.nGroup) = 1;
  return true;
}

bool cStageChara::CheckActivation(const cVector<uint8_t>& flags) {
  bool acts = m_bInRange != 0;
  if (!acts && m_Def.bGroupLink && m_Def.nGroup >= 0 && m_Def.nGroup < flags.Count())
    acts = flags[static_cast<size_t>(m_Def.nGroup)] != 0;
  // Outside its range it still finishes a jump or a fall that is under way.
  if (!acts && !m_bFlying) acts = m_bRising || (m_bAppeared && m_bFalling);
  if (!acts) return false;
  m_bAppeared = 1;
  if (m_Def.nActivation == 1) m_bIgnoreX = m_bIgnoreY = 1;
  CalcScreenRect();
  return true;
}

int cStageChara::MoveX() {
  if (m_dImpactX != 0) {
    m_dSpeedX = m_dImpactX;
  } else if (m_dMoveX != 0) {
    ApplyFriction(m_dMoveX, m_bFrictionX);
    m_dSpeedX += m_dMoveX;
  }
  const int r = MoveXLimited(2);
  LimitX();
  return r == 3 ? 4 : r;
}

int cStageChara::MoveY() {
  ApplyVerticalImpact();
  if (m_dImpactY == 0 && m_bFlying && m_dMoveY != 0) {
    ApplyFriction(m_dMoveY, m_bFrictionY);
    m_dSpeedY += m_dMoveY;
  }
  const int r = MoveYLimited(2);
  LimitY();
  if (m_bFlying) return r == 3 || r == 6 ? 8 : r;
  return r == 5 || r == 6 ? 7 : r;
}
