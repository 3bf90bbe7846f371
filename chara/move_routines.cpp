// The routines the movement commands share: angle and target of a move, the
// direction codes, the velocity of a step and how it is applied.
#include <cmath>

#include "app/svc/input.h"
#include "chara/bounds_rules.h"
#include "chara/chara.h"
#include "chara/key_conditions.h"
#include "chara/move_modes.h"
#include "data/command.h"
#include "data/project_globals.h"
#include "stage/stage_scene.h"

namespace {
const double kSqrt2 = std::sqrt(2.0);
const double kInvSqrt2 = 1.0 / kSqrt2;
constexpr double kPi = 3.14159265358979323846;

double Rad(double degrees) { return degrees * kPi / 180.0; }

// The truncated scroll positions: screen positions are stage positions minus them.
double ScrollX() {
  const cStageScene* s = StageScene();
  return s ? std::trunc(s->m_ScrollX.m_dPos) : 0.0;
}
double ScrollY() {
  const cStageScene* s = StageScene();
  return s ? std::trunc(s->m_ScrollY.m_dPos) : 0.0;
}
}  // namespace

void cChara::CalcMoveAngle(cCommandRun& run) {
  if (!run.pCommand || !run.pCommand->pMove) return;
  const cEdMove& m = *run.pCommand->pMove;
  int64_t a = static_cast<int64_t>(m_nClone) * m.nAngleClone + m.nAngle;
  if (m.bMirrorAngle && m_Def.nFacing == 1) a = 360 - a;
  if (a >= 360) a %= 360;  // a negative angle stays negative
  run.nMoveAngle = static_cast<int32_t>(a);
}

void cChara::CalcMoveTarget(cCommandRun& run) {
  if (!run.pCommand || !run.pCommand->pMove) return;
  const cEdMove& m = *run.pCommand->pMove;
  run.nTargetDX = m.nTargetX * 32 + m.nTargetOffsetX;
  run.nTargetDY = m.nTargetY * 32 + m.nTargetOffsetY;
  if (m_Def.nFacing == 1) {
    if (m.bMirrorX) run.nTargetDX = -run.nTargetDX;
    if (m.bMirrorY) run.nTargetDY = -run.nTargetDY;
  }
}

int cChara::ResolveDirection(int choice, int liveInput, int diagonals) {
  const bool right = m_nFacing == 1;
  switch (choice) {
    case 0: return right ? 3 : 2;
    case 1: return right ? 2 : 3;
    case 4: return right ? 7 : 6;
    case 5: return right ? 6 : 7;
    case 12: {
      int state = 0;
      if (liveInput) {
        if (!Input.empty()) state = GetDirectionState(Input.front());
      } else if (const cFlowRun* f = CurrentFlowRun()) {
        state = f->nStartDirection;
      }
      int code = DirectionCode(state <= 8 ? state : 0, m_nFacing);
      if (!diagonals) {
        if (code == 8 || code == 9) code = 2;
        if (code == 10 || code == 11) code = 3;
      }
      return code;
    }
    default: return choice;
  }
}

void cChara::VelocityByDirection(double& x, double& y, int& facing, double s, int choice) {
  x = y = 0;
  facing = 0;
  const bool fly = m_bFlying != 0;
  const double d = s * kInvSqrt2;
  switch (ResolveDirection(choice, 0, fly)) {
    case 2: x = -s; facing = 1; break;
    case 3: x = s; facing = 2; break;
    case 6: if (fly) y = -s; break;
    case 7: if (fly) y = s; break;
    case 8: x = -d; if (fly) y = -d; facing = 1; break;
    case 9: x = -d; if (fly) y = d; facing = 1; break;
    case 10: x = d; if (fly) y = -d; facing = 2; break;
    case 11: x = d; if (fly) y = d; facing = 2; break;
    default: break;
  }
  if (m_Def.bFixedFacing) facing = 0;
}

void cChara::VelocityByAngle(double& x, double& y, int& facing, double s, int choice, int angle) {
  x = y = 0;
  facing = 0;
  double base = 0;
  switch (ResolveDirection(choice, 0, m_bFlying)) {
    case 2: base = 0; facing = 1; break;
    case 3: base = 180; facing = 2; break;
    case 6: base = 90; break;
    case 7: base = 270; break;
    case 8: base = 45; facing = 1; break;
    case 9: base = 315; facing = 1; break;
    case 10: base = 135; facing = 2; break;
    case 11: base = 225; facing = 2; break;
    default: return;  // a code outside the list moves nothing
  }
  const double t = Rad(base + angle);
  x = -std::cos(t) * s;
  if (m_bFlying) y = -std::sin(t) * s;
  if (m_Def.bFixedFacing) facing = 0;
}

void cChara::VelocityToPoint(double& x, double& y, int& facing, double s, double tx, double ty, const cEdMove& m,
                             int32_t* countdown) {
  const double cx = m_nScreenLeft + m_nDrawWidth / 2 + ScrollX();
  const double cy = m_nScreenTop + m_nDrawHeight / 2 + ScrollY();
  double dx = 0, dy = 0;
  switch (m.nCoordRef) {
    case 0: dx = (m_dPlaceX + tx) - cx; dy = (m_dPlaceY + ty) - cy; break;
    case 2: dx = (320 + tx + 16) - cx; dy = (320 + ty + 16) - cy; break;
    case 3: dx = (ScrollX() + tx + 16) - cx; dy = (ScrollY() + ty + 16) - cy; break;
    default: dx = tx; dy = ty; break;
  }
  if (!m.bUseX) dx = 0;
  if (!m.bUseY) dy = 0;
  const double d = std::sqrt(dx * dx + dy * dy);
  x = y = 0;
  if (d != 0) {
    if (!m.bNoMoveX) x = dx / d * s;
    if (!m.bNoMoveY) y = dy / d * s;
  }
  facing = 0;
  if (!m_Def.bFixedFacing) facing = x < -1e-8 ? 1 : x > 1e-8 ? 2 : 0;
  if (m.bTimeFromDistance && s != 0 && countdown) {
    const double steps = std::trunc(std::fabs(d) / std::fabs(s));
    *countdown = steps > 2147483647.0 ? INT32_MAX : static_cast<int32_t>(steps);
    if (m.bStopAtTarget && *countdown <= 0) {
      // Already there: the move stops on the axes it uses.
      if (m.bUseX && !m.bNoMoveX) {
        x = 0;
        facing = 0;
      }
      if (m.bUseY && !m.bNoMoveY) y = 0;
    }
  }
}

int cChara::ApplyMoveVelocity(double x, double y, int facing, cCommandRun& run, const cEdMove& m, int force) {
  if (!m.bKeepFacing && (!m_Def.bFixedFacing || force)) {
    if (facing == 1) m_nFacing = 0;
    else if (facing == 2) m_nFacing = 1;
  }
  if (!m.bInertia) {
    m_dSpeedX += x;
    m_dSpeedY += y;
  } else {
    const double steps = StageData.Timing().dSteps;
    auto axis = [&](double& move, int32_t& friction, double v) {
      const double a = ToStepAcceleration(v, steps);
      if ((move < 0 && v > 0) || (move > 0 && v < 0)) {
        move += a * m.dReverseFactor;
      } else {
        friction = 0;
        move += a;
      }
      if (move > run.dMaxSpeed) move = run.dMaxSpeed;
      else if (move < -run.dMaxSpeed) move = -run.dMaxSpeed;
    };
    axis(m_dMoveX, m_bFrictionX, x);
    axis(m_dMoveY, m_bFrictionY, y);
  }
  if (!m.bNoWalkAnime) {
    m_bMoving = 1;
    m_Anime.Change(m_bFlying ? 3 : 1, 0);
  }
  return m.bNoWalkAnime;
}
