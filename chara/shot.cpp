// The shot in flight: its launch from a firing, its step of flight with lifetime
// and flight distance, its moves and its block test.
#include "chara/shot.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "chara/block_map.h"
#include "chara/bounds_rules.h"
#include "chara/chara.h"
#include "chara/shot_moves.h"
#include "chara/shot_patterns.h"
#include "data/database.h"
#include "data/project_globals.h"
#include "data/shot_def.h"
#include "stage/scroll_axis.h"

namespace {

// Logic steps per frame as a real; a stage always runs at least one.
double Steps() {
  const double n = StageData.dSteps;
  return n >= 1 ? n : 1.0;
}

int32_t Clamp32(double v) {
  if (!(v == v)) return 0;
  return static_cast<int32_t>(std::clamp(v, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

// The size of a stroke's first frame, when its sword type and frame exist.
void FirstSwordFrameSize(int type, int& w, int& h) {
  w = h = 0;
  const auto& types = Database.SwordTypeList;
  if (type < 0 || type >= types.Count()) return;
  const auto& frames = types[static_cast<size_t>(type)].Frames;
  if (frames.empty()) return;
  w = frames.front().nWidth;
  h = frames.front().nHeight;
}

// The base velocity of a step: the auto-scroll for a shot that moves with the view
// (none on an axis held at its limit), else none.
void SetBaseVelocity(cShot& s, bool additiveSync) {
  const bool sync = !additiveSync && s.m_bScrollSync;
  const cScrollAxis& h = PlayAxisX();
  const cScrollAxis& v = PlayAxisY();
  s.m_dSpeedX = sync && !h.m_bClamped ? h.m_dAutoSpeed : 0.0;
  if (s.m_bFlying) s.m_dSpeedY = sync && !v.m_bClamped ? v.m_dAutoSpeed : 0.0;
}

}  // namespace

void cShotSpec::From(const cEdShot& d) {
  nGraphic = d.nGraphic;
  nZ = d.nZ;
  bHidden = d.bHidden;
  nFaction = d.nFaction;
  nSize = d.nSize;
  nMoveType = d.nMoveType;
  for (int i = 0; i < 3; ++i) nMoveParam[i] = d.nMoveParam[i];
  bScrollSync = d.bScrollSync;
  nSpeed = d.nSpeed;
  nSpeedClone = d.nSpeedClone;
  bAccel = d.bAccel;
  nAccel = d.nAccel;
  nAccelClone = d.nAccelClone;
  bRange = d.bRange;
  bKeepAfterRange = d.bKeepAfterRange;
  bLifetime = d.bLifetime;
  bPassBlocks = d.bPassBlocks;
  bPierceChara = d.bPierceChara;
  bPierceBlockChara = d.bPierceBlockChara;
  bDestructible = d.bDestructible;
  nVanishValue = d.nVanishValue;
  nPower = d.nPower;
  nImpact = d.nImpact;
  nEffect = d.nEffect;
  nItemKind = d.nItemKind;
  nItemIndex = d.nItemIndex;
}

cShot::~cShot() { SetTarget(nullptr); }

void cShot::SetTarget(cChara* target) {
  if (m_pTarget) m_pTarget->RemoveAimingShot(this);
  m_pTarget = target;
  if (target) target->AddAimingShot(this);
}

int ShotAnimeValue(int sequence, int frames) {
  if (frames < 0) frames = 0;
  if (sequence == 1) return (frames / 8) % 2;
  return std::min(frames / 7, 2);
}

void cShot::KeepBottomOnRescale(int scale, int oldScale) {
  if (scale == oldScale) return;
  m_dY -= static_cast<double>(static_cast<long long>(scale) - oldScale) * (m_nBaseHeight / 2);
  ClampY(2);
}

void cShot::Launch(int identity, cChara& owner, int type, cEdShot& def, const cLaunchValues& lv) {
  // A size below 1 would draw and hit nothing: the definition keeps size 1.
  if (def.nSize <= 0) def.nSize = 1;
  m_Def.From(def);
  const int facing = lv.dVelX > 0 ? 1 : lv.dVelX < 0 ? 0 : owner.m_nFacing;
  int w = 16, h = 16;
  m_bSword = type == kTypeSword ? 1 : 0;
  if (m_bSword) FirstSwordFrameSize(m_Def.nMoveType, w, h);
  m_nOwnerId = owner.m_nId;
  Init(identity, owner.m_nKind, owner.m_nInput, m_Def.nFaction, m_Def.nGraphic, nullptr, m_bSword ? 0 : 1, 0, 0, w,
       h, 16, 16, facing, 1, lv.nClone);
  m_nAnimeFrames = 0;
  if (def.bUserFaction) {
    m_Def.nFaction = owner.m_Def.nPassValue;
    m_nPass = owner.m_Def.nPassValue;
  }
  m_HitBox.Clear();
  if (m_bSword) {
    m_HitBox.nWidth = m_HitBox.nBaseWidth = w;
    m_HitBox.nHeight = m_HitBox.nBaseHeight = h;
  } else {
    const int W = owner.m_nKind == 0 ? StageData.nPlayerShotW : StageData.nOtherShotW;
    const int H = owner.m_nKind == 0 ? StageData.nPlayerShotH : StageData.nOtherShotH;
    m_HitBox.nWidth = m_HitBox.nBaseWidth = W;
    m_HitBox.nHeight = m_HitBox.nBaseHeight = H;
    m_HitBox.nOffsetX = m_HitBox.nBaseOffsetX = 8 - (W >> 1);
    m_HitBox.nOffsetY = m_HitBox.nBaseOffsetY = 8 - (H >> 1);
  }
  SetScale(m_Def.nSize, 1);
  m_dX = lv.nX;
  ClampXToStage();
  m_dY = lv.nY;
  ClampY(2);
  const double N = Steps();
  m_dFlightX = lv.dVelX / N;
  m_dFlightY = lv.dVelY / N;
  m_dFlightSpeed = 0;
  m_bAccelOn = 0;
  m_dAccel = 0;
  m_dMoveX = m_dMoveY = 0;
  if (m_Def.bAccel) {
    m_bAccelOn = 1;
    m_dAccel = (m_Def.nAccel + static_cast<double>(m_Def.nAccelClone) * lv.nClone) * 0.1 / N;
    AccelAlong(lv.dVelX, lv.dVelY);
  }
  m_dSpeedX = m_dSpeedY = 0;
  m_bScrollSync = m_Def.bScrollSync;
  m_nLifeSteps = m_Def.bLifetime ? Clamp32(static_cast<double>(lv.nLifetime) * N * 6) : 0;
  m_nFlightSteps = 0;
  if (m_Def.bRange) {
    double A = static_cast<double>(lv.nDistance) * 16 - w;
    if (A < 0) A = 0;
    const double D = std::fabs(lv.dSpeed / N);
    if (A > 0 && D > 0) {
      m_nFlightSteps = Clamp32(A / D);
    } else {
      m_nFlightSteps = Clamp32(N);
      if (std::trunc(N * D) > w) m_nFlightSteps = Clamp32(w / D);
    }
    if (m_nFlightSteps < N) {
      // Too short a flight for one step each: the distance is covered in one frame.
      const double sum = std::fabs(lv.dVelX) + std::fabs(lv.dVelY);
      m_dFlightX = sum > 0 ? (A / N) * lv.dVelX / sum : 0;
      m_dFlightY = sum > 0 ? (A / N) * lv.dVelY / sum : 0;
      m_nFlightSteps = Clamp32(N);
    }
  }
  m_nStepCount = m_nSwordFrame = m_nTriggerStep = m_nEndStep = m_bMoveDone = 0;
  m_dWavePhase = m_dWaveSin = m_dWaveCos = 0;
  m_nWaveAmplitude = 0;
  // The owner's target, not yet registered with it: the firing keeps it (and
  // registers the shot) only for the movement types that aim at it.
  m_pTarget = owner.m_pTarget;
}

void cShot::AccelAlong(double vx, double vy) {
  const double N = Steps();
  const double a = m_dAccel;
  if (vx != 0 && vy != 0) {
    const double L = std::sqrt(vx * vx + vy * vy);
    m_dMoveX = ToStepAcceleration(a * vx / L, N);
    m_dMoveY = ToStepAcceleration(a * vy / L, N);
  } else if (vx != 0) {
    m_dMoveX = vx > 0 ? ToStepAcceleration(a, N) : -ToStepAcceleration(a, N);
    m_dMoveY = 0;
  } else if (vy != 0) {
    m_dMoveX = 0;
    m_dMoveY = vy > 0 ? ToStepAcceleration(a, N) : -ToStepAcceleration(a, N);
  } else {
    m_dMoveX = m_dMoveY = 0;
  }
}

int cShot::Update() {
  if (m_bSword) return FollowOwner();
  const bool additive = SystemData.bCompat214 != 0;
  SetBaseVelocity(*this, additive);
  RunShotMove(*this);
  if (m_bAccelOn) {
    m_dFlightX += m_dMoveX;
    if (m_bFlying) m_dFlightY += m_dMoveY;
    else m_dSpeedY += m_dMoveY;
  }
  m_dSpeedX += m_dFlightX;
  if (m_bFlying) m_dSpeedY += m_dFlightY;
  if (m_Def.bLifetime) {
    if (m_nLifeSteps <= 0) return 1;
    --m_nLifeSteps;
  }
  if (m_dSpeedX != 0) m_nFacing = m_dSpeedX > 0 ? 1 : 0;
  if (m_Def.bRange) {
    if (m_nFlightSteps > 0) {
      --m_nFlightSteps;
      return 0;
    }
    if (!m_Def.bKeepAfterRange) return 1;
    // It stays where its flight ended, drifting only with the view.
    m_dFlightX = m_dFlightY = 0;
    m_Def.nMoveType = 0;
    SetBaseVelocity(*this, false);
  }
  return 0;
}

void cShot::MoveX() {
  if (m_dMoveX != 0) m_dSpeedX += m_dMoveX;
  if (m_dSpeedX == 0) return;
  const double limit = StageData.dSpeedLimitPerStep;
  m_dSpeedX = std::clamp(m_dSpeedX, -limit, limit);
  m_dX += m_dSpeedX;
  ClampXToStage();
}

void cShot::MoveY() {
  if (m_dMoveY != 0) m_dSpeedY += m_dMoveY;
  if (m_dSpeedY == 0) return;
  MoveYLimited(2);
  // Clamping again changes nothing unless the shot is taller than the stage,
  // where the first clamp leaves it above the top.
  if (m_dY < 0) ClampY(2);
}

int cShot::ClampXToStage() {
  const int outer = PlayAxisX().m_nOuterLimit;
  int code = 0;
  if (m_dX < 0) {
    m_dX = 0;
    code = 3;
  } else if (m_dX + m_nWidth - 1 >= outer) {
    m_dX = static_cast<double>(outer) - m_nWidth;
    code = 3;
  }
  ClampX(-1);  // the right edge, the hit box and the columns only
  return code;
}

int cShot::HitsBlock() {
  if (m_Def.bPassBlocks == 1) return 0;
  if (m_nWidth <= 32) return HitsBlockCorners() ? 1 : 0;
  const int shift = PlayAxisX().m_nStrideShift;
  const long long x = TruncToInt(m_dX), y = TruncToInt(m_dY);
  auto hits = [&](long long row, long long column) {
    const long long cell = ((x + column) >> 5) + (((y + row) >> 5) << shift);
    return CellHitKind(cell < INT_MIN || cell > INT_MAX ? -1 : static_cast<int>(cell), m_nPass) != 0;
  };
  for (long long row = 0;; row += 32) {
    const long long r = row < m_nHeight - 1 ? row : m_nHeight - 1;
    for (long long column = 0;; column += 32) {
      const long long c = column < m_nWidth - 1 ? column : m_nWidth - 1;
      if (hits(r, c)) return 1;
      if (c == m_nWidth - 1) break;
    }
    if (r >= m_nHeight - 1) break;
  }
  return 0;
}
