// The movement commands: straight, ground turn-back, off-screen avoidance, stop,
// turn and jump.
#include <cmath>

#include "app/sound/sound_effects.h"
#include "chara/block_map.h"
#include "chara/chara.h"
#include "chara/command_handlers.h"
#include "chara/jump_run.h"
#include "chara/move_modes.h"
#include "chara/play_objects.h"
#include "chara/stage_chara.h"
#include "data/command.h"
#include "data/project_globals.h"
#include "stage/stage_scene.h"

namespace {

const cEdMove* MoveOf(const cCommandRun& run) {
  return run.pCommand && run.pCommand->pMove ? run.pCommand->pMove.get() : nullptr;
}

void ClearScreenFixed(cChara& c) { c.m_bScreenFixedX = c.m_bScreenFixedY = 0; }

}  // namespace

void CmdStraightMove(cChara& c, cCommandRun& run) {
  const cEdMove* m = MoveOf(run);
  if (!m) return;
  ClearScreenFixed(c);
  if (!run.bStarted) {
    run.bStarted = 1;
    c.CalcMoveAngle(run);
    if (ByTargetCoordinates(m->nMoveMode)) {
      c.CalcMoveTarget(run);
      c.VelocityToPoint(run.dVelX, run.dVelY, run.nFacingRequest, run.dSpeed, run.nTargetDX, run.nTargetDY, *m,
                        &run.nCountdown);
    } else if (run.nMoveAngle != 0) {
      c.VelocityByAngle(run.dVelX, run.dVelY, run.nFacingRequest, run.dSpeed, run.nDirection, run.nMoveAngle);
    } else {
      c.VelocityByDirection(run.dVelX, run.dVelY, run.nFacingRequest, run.dSpeed, run.nDirection);
    }
    if (!c.m_bFlying) run.dVelY = 0;
  } else {
    if (!c.m_bFlying) run.dVelY = 0;
    if (m->bReverseWithFacing && c.m_Def.bFixedFacing && c.m_nFacing != run.nLastFacing) {
      run.dVelX = -run.dVelX;
      run.dVelY = -run.dVelY;
    }
  }
  c.ApplyMoveVelocity(run.dVelX, run.dVelY, run.nFacingRequest, run, *m, 0);
  run.nLastFacing = c.m_nFacing;
}

void cChara::GroundTurnStep(cCommandRun& run, const cEdMove&, double& x, double& y, int& facing) {
  x = m_nFacing == 1 ? run.dSpeed : -run.dSpeed;
  y = 0;
  facing = 0;
  if (m_bPushed) {
    facing = m_nFacing == 1 ? 1 : 2;
    x = -x;
    for (const cStageChara& s : StageChara) {
      if (s.m_nId != m_nRiddenId) continue;
      const double moved = s.m_dX - m_RiddenRect[0];
      x += moved;
      // Carried against the way it faced: the carrier's move counts twice.
      if ((m_nFacing == 1 && moved < 0) || (m_nFacing == 0 && moved > 0)) x += moved;
      break;
    }
    m_bPushed = 0;
    return;
  }
  const cStageScene* scene = StageScene();
  if (!scene) return;
  const int shift = scene->m_ScrollX.m_nStrideShift;
  long long row = static_cast<long long>((m_dBottom + 1.1) / 32);
  const long long lastRow = scene->m_ScrollY.m_nCells - 1;
  if (row > lastRow) row = lastRow;
  const bool left = CellHitKind(CellIndexAt(m_nTileLeft, row, shift), m_nPass) != 0;
  const bool right = CellHitKind(CellIndexAt(m_nTileRight, row, shift), m_nPass) != 0;
  if (left && !right) facing = 1;
  else if (!left && right) facing = 2;
}

void CmdGroundTurnMove(cChara& c, cCommandRun& run) {
  const cEdMove* m = MoveOf(run);
  if (!m || c.m_bFlying) return;
  ClearScreenFixed(c);
  double x = 0, y = 0;
  int facing = 0;
  if (c.m_dImpactX != 0 || c.m_dImpactY != 0) {
    x = c.m_nFacing == 1 ? run.dSpeed : -run.dSpeed;
  } else {
    c.GroundTurnStep(run, *m, x, y, facing);
  }
  c.ApplyMoveVelocity(x, y, facing, run, *m, 1);
}

void cChara::AvoidOffscreenStep(cCommandRun& run, const cEdMove&, double& x, double& y, int& facing) {
  x = y = 0;
  facing = 0;
  const bool right = m_nFacing == 1;
  int code = run.nDirection;
  if (code == 0) code = right ? 3 : 2;
  else if (code == 1) code = right ? 2 : 3;
  else if (code == 4) code = right ? 7 : 6;
  else if (code == 5) code = right ? 6 : 7;
  const bool wantL = code == 2 || code == 8 || code == 9, wantR = code == 3 || code == 10 || code == 11;
  const bool wantU = code == 6 || code == 8 || code == 10, wantD = code == 7 || code == 9 || code == 11;
  const double s = run.dSpeed;
  const cStageScene* scene = StageScene();
  if (!scene) return;
  CalcScreenRect();
  const cScrollAxis& ax = scene->m_ScrollX;
  const cScrollAxis& ay = scene->m_ScrollY;
  if (ax.m_dAutoSpeed == 0 || ax.m_bClamped) {
    if (wantL && m_nScreenLeft > 608) x = -s;
    else if (wantR && m_nScreenRight < 32) x = s;
    if (wantU && m_nScreenTop > 448) y = -s;
    else if (wantD && m_nScreenBottom < 32) y = s;
    return;
  }
  // With the view scrolling by itself a character off its back edge keeps up.
  const double vx = ax.m_dAutoSpeed, vy = ay.m_dAutoSpeed;
  if (wantL && m_nScreenLeft > 608 - std::fabs(vx + 1) && ax.m_dPos > 0 && vx + ax.m_dPos <= ax.m_nOuterLimit - 640)
    x = vx - s;
  else if (wantR && m_nScreenRight < std::fabs(vx + 1) + 32 && vx + ax.m_dPos > 0 && ax.m_nOuterLimit - 640 > ax.m_dPos)
    x = vx + s;
  if (wantU && m_nScreenTop > 448 - std::fabs(vy + 1) && ay.m_dPos > 0 && vy + ay.m_dPos <= ay.m_nOuterLimit - 480)
    y = vy - s;
  else if (wantD && m_nScreenBottom < std::fabs(vy + 1) + 32 && vy + ay.m_dPos > 0 && ay.m_nOuterLimit - 480 > ay.m_dPos)
    y = vy + s;
}

void CmdAvoidOffscreenMove(cChara& c, cCommandRun& run) {
  const cEdMove* m = MoveOf(run);
  if (!m) return;
  ClearScreenFixed(c);
  double x = 0, y = 0;
  int facing = 0;
  c.AvoidOffscreenStep(run, *m, x, y, facing);
  if (!c.m_bFlying) y = 0;
  c.ApplyMoveVelocity(x, y, facing, run, *m, 0);
  ++run.nStepCount;
}

void CmdStopMove(cChara& c, cCommandRun&) {
  c.m_dImpactX = c.m_dImpactY = 0;
  c.m_dSpeedX = c.m_dSpeedY = 0;
  c.m_dMoveX = c.m_dMoveY = 0;
  ClearScreenFixed(c);
  c.m_bMoveDisabled = 1;
}

void CmdTurn(cChara& c, cCommandRun& run) {
  if (!c.m_Def.bFixedFacing || !run.pCommand) return;
  if (run.nStepCount == 0) {
    PlayProjectSE(run.pCommand->nSound);
    const int kind = run.pCommand->Values.empty() ? 0 : run.pCommand->Values[0];
    switch (kind) {
      case 0: c.m_nFacing = 0; break;
      case 1: c.m_nFacing = 1; break;
      case 2:
      case 3: {
        if (!c.m_pTarget) return;  // no count: the sound plays again next step
        const cChara& t = *c.m_pTarget;
        const bool toRight = t.m_dX + t.m_nWidth / 2 > c.m_dX + c.m_nWidth / 2;
        c.m_nFacing = (toRight == (kind == 2)) ? 1 : 0;
        break;
      }
      case 4:
      case 5:
        if (c.m_nWallSide == 0 || c.m_nWallSide == 1) c.m_nFacing = (c.m_nWallSide == 1) == (kind == 4) ? 1 : 0;
        break;
      default: break;  // a turn kind beyond the list turns nowhere
    }
  }
  if (++run.nStepCount >= StageData.Timing().nSteps6) run.nStepCount = 0;
}

void CmdJump(cChara& c, cCommandRun& run) {
  if (!run.pCommand) return;
  ClearScreenFixed(c);
  cJumpRun j;
  for (int i = 0; i < 5 && i < run.pCommand->Values.Count(); ++i) j.nValues[i] = run.pCommand->Values[i];
  j.nTime = run.nTime;
  j.nCountdown = run.nCountdown;
  j.nStepCount = run.nStepCount;
  j.bStarted = run.bStarted;
  j.dSpeed = run.dSpeed;
  j.nSound = run.pCommand->nSound;
  const cFlowRun* flow = CurrentFlowRun();
  j.pLastKey = flow && !flow->KeyConditions.empty() ? flow->KeyConditions.back() : nullptr;
  c.StepJump(j);
  run.nCountdown = j.nCountdown;
  run.bStarted = j.bStarted;
  run.dSpeed = j.dSpeed;
  ++run.nStepCount;
}
