// The character physics of one logic step: gravity, landing and ceiling contact,
// HP and SP with their gauges, knock-back and its decay, position save and the
// placement on a block cell.
#include <algorithm>
#include <climits>
#include <cmath>

#include "chara/bounds_rules.h"
#include "chara/chara.h"
#include "chara/shot.h"
#include "data/project_globals.h"
#include "stage/scroll_axis.h"

namespace {

// Opposite signs, each beyond a small tolerance.
bool Opposes(double speed, double impact) {
  constexpr double e = 0.00000001;
  return (speed > e && impact < -e) || (speed < -e && impact > e);
}

double DecayToward0(double v) {
  const double step = 1.0 / StageData.Timing().dSteps;
  if (v > 0) return v - step < 0 ? 0.0 : v - step;
  if (v < 0) return v + step > 0 ? 0.0 : v + step;
  return v;
}

// A gauge after a change of `amount` that leaves `value` of `max` (max above 0).
void ShowGauge(cGauge& g, int value, int amount, int max) {
  g.nFrames = 120;
  g.nLength = static_cast<int32_t>(static_cast<long long>(value) * 50 / max);
  g.dChange = amount * 50.0 / max;
  g.dStep = g.dChange / 60;
}

}  // namespace

void cChara::ApplyGravity() {
  if (m_bFlying || m_bRiding || m_bMoveDisabled || m_dImpactY < 0) return;
  m_dSpeedY += StageData.Timing().dGravityPerStep;
}

void cChara::ClearContacts() { std::fill(std::begin(LRUD), std::end(LRUD), 0); }

void cChara::LandOnBlock() {
  m_dSpeedY = 0;
  m_dMoveY = 0;
  LRUD[3] = 1;
  m_bFalling = m_bJumped = m_bRising = m_nAirSteps = m_bImpact = 0;
  if (m_nKind != 0) m_bCeiling = 0;
  // The bottom edge onto the last dot row above its cell.
  m_dY -= (TruncToInt(m_dBottom) & 31) + 1;
  LimitY();
  RunTriggeredFlows(9);
  RunTriggeredFlows(13);
  RunTriggeredFlows(15);
}

void cChara::HitCeiling() {
  m_bJumped = m_bRising = 1;
  LRUD[2] = 1;
  m_bCeiling = 1;
  m_dSpeedY = m_dMoveY = 0;
  // The top edge onto the first dot row of the next cell.
  m_dY += 32 - (TruncToInt(m_dY) & 31);
  LimitY();
  RunTriggeredFlows(9);
  RunTriggeredFlows(13);
  RunTriggeredFlows(14);
}

void cChara::ResetVerticalState(int pushed) {
  m_bRiding = 0;
  if (m_dImpactY == 0) m_dSpeedY = 0;
  if (pushed) m_bPushed = 1;
}

bool cChara::IsOnGround() const {
  if (m_bRiding) return true;
  return m_pBlockUnder && m_pBlockUnder->GetHitKind(m_nPass) != 0;
}

void cChara::SavePosition() {
  m_PrevRect[0] = m_dX;
  m_PrevRect[1] = m_dY;
  m_PrevRect[2] = m_dRight;
  m_PrevRect[3] = m_dBottom;
}

void cChara::RestorePosition() {
  m_dX = m_PrevRect[0];
  m_dY = m_PrevRect[1];
  m_dRight = m_PrevRect[2];
  m_dBottom = m_PrevRect[3];
}

int cChara::SetBlockPosition(int column, int row) {
  const int giant = std::max<int>(1, m_Def.nGiant);
  m_dX = (static_cast<double>(column) + cScrollAxis::kMargin) * 32 + m_nBaseDrawOffsetX + 0.5;
  KeepCentreX(giant, 1);
  const int code = LimitX();
  m_dY = (static_cast<double>(row) + cScrollAxis::kMargin) * 32 + m_nBaseDrawOffsetY;
  KeepBottomOnRescale(giant, 1);
  LimitY();
  return code;
}

int cChara::ChangeHP(int amount, int forced, int show) {
  if (!forced && amount <= 0 && m_Def.nInvincible) return 0;
  const long long max = m_Def.mhp;
  long long a = amount;
  if (a > 0) a = std::min(a, max - m_nHP);
  // Within 0 .. mhp; a maximum of 0 or less leaves no HP.
  long long hp = std::clamp<long long>(m_nHP + a, 0, std::max<long long>(max, 0));
  m_nHP = static_cast<int32_t>(hp);
  if (hp <= 0) {
    m_nHP = 0;
    return 1;
  }
  if (show && a != 0) ShowGauge(m_HPGauge, m_nHP, static_cast<int>(a), m_Def.mhp);
  return 0;
}

int cChara::ChangeSP(int amount, int show) {
  const long long max = m_Def.msp;
  long long a = amount;
  if (a > 0) a = std::min(a, max - m_nSP);
  m_nSP = static_cast<int32_t>(std::clamp<long long>(m_nSP + a, 0, std::max<long long>(max, 0)));
  if (max <= 0) return 1;
  if (show && a != 0) ShowGauge(m_SPGauge, m_nSP, static_cast<int>(a), m_Def.msp);
  return 0;
}

void cChara::ApplyImpact(int8_t strength, double dirX, double dirY) {
  if (strength == 0) return;
  const int r = m_Def.impd;
  int t = 0;
  if (strength < 0) t = std::clamp(strength + r, -20, 0);
  else t = std::clamp(strength - r, 0, 20);
  ImpactSpeeds(m_dImpactX, m_dImpactY, static_cast<int8_t>(t), dirX, dirY, StageData.Timing().dSteps);
  if (Opposes(m_dMoveX, m_dImpactX)) m_dMoveX = 0;
  if (Opposes(m_dMoveY, m_dImpactY)) m_dMoveY = 0;
  if (Opposes(m_dSpeedY, m_dImpactY)) m_dSpeedY = 0;
  m_bImpact = 1;
}

void cChara::ApplyBodyImpact(const cChara& attacker) {
  const cStageTiming t = StageData.Timing();
  double dy = attacker.m_dSpeedY;
  if (!attacker.m_bFlying && dy < t.nSteps8 * t.dGravityPerStep) dy = 0;
  ApplyImpact(attacker.m_Def.imp, attacker.m_dSpeedX, dy);
}

void cChara::ApplyShotImpact(const cShot& shot) {
  if (shot.m_bSword) ApplyImpact(shot.m_Def.nImpact, shot.FacingSign(), 0);
  else ApplyImpact(shot.m_Def.nImpact, shot.m_dSpeedX, shot.m_dSpeedY);
}

void cChara::ApplyVerticalImpact() {
  if (m_dImpactY != 0) {
    if (m_bFlying) {
      m_dSpeedY += m_dImpactY;
    } else if (m_dImpactY > 0 && IsOnGround()) {
      m_dImpactY = 0;
    } else {
      m_dSpeedY = m_dImpactY + (m_dSpeedY - m_dPrevImpactY);
    }
  }
  m_dPrevImpactY = m_dImpactY;
}

void cChara::DecayImpactX() { m_dImpactX = DecayToward0(m_dImpactX); }
void cChara::DecayImpactY() { m_dImpactY = DecayToward0(m_dImpactY); }
