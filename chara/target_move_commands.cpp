// The movement commands that move a character relative to its target, along a
// circle or by a jump: "円移動", "突撃移動", "誘導移動" and "ワープ" (the warp's
// body is shared with the item command).
#include <cmath>
#include <cstdint>

#include "chara/aim_rules.h"
#include "chara/chara.h"
#include "chara/command_handlers.h"
#include "chara/flow_run.h"
#include "chara/object_aim.h"
#include "chara/target_move_rules.h"
#include "data/command.h"
#include "data/project_globals.h"
#include "stage/stage_scene.h"

namespace {

const cEdMove* MoveOf(const cCommandRun& run) { return run.pCommand ? run.pCommand->pMove.get() : nullptr; }

void ClearScreenFixed(cChara& c) { c.m_bScreenFixedX = c.m_bScreenFixedY = 0; }

double CentreX(const cObject& o) { return o.m_nScreenLeft + o.m_nDrawWidth / 2; }

// The target a command may move by: none, or one that is dead, gives null.
cChara* LiveTarget(cChara& c) { return c.m_pTarget && !c.m_pTarget->m_bDead ? c.m_pTarget : nullptr; }

}  // namespace

void CmdCircleMove(cChara& c, cCommandRun& run) {
  const cEdMove* m = MoveOf(run);
  if (!m || run.nExtent == 0) return;
  ClearScreenFixed(c);
  if (!run.bStarted) {
    run.bStarted = 1;
    run.dPhaseX = run.dPhaseY = run.nStartAngle;
  }
  const int turning = CircleTurning(run.nDirection, c.m_nFacing);
  double x = 0, y = 0;
  CircleStep(x, y, run.nExtent, run.dPhaseX, run.dPhaseY, run.dSpeed, StageData.Timing().dSteps, turning,
             m->bNoMoveX != 0, c.m_bFlying && !m->bNoMoveY);
  c.ApplyMoveVelocity(x, y, 0, run, *m, 0);
}

void CmdChargeMove(cChara& c, cCommandRun& run) {
  const cEdMove* m = MoveOf(run);
  if (!m) return;
  if (!run.bStarted) {
    run.bStarted = 1;
    ClearScreenFixed(c);
    c.CalcMoveAngle(run);
    c.CalcMoveTarget(run);
    cChara* target = c.m_pTarget;
    // Without a living target the charge stands still: the speeds the run kept
    // from an earlier run of the command are not used.
    if (!target || target->m_bDead) {
      run.dVelX = run.dVelY = 0;
      return;
    }
    if (c.m_bFlying) {
      double x = 0, y = 0;
      target->MoveTargetPoint(x, y, run);
      c.AimAtPoint(run, x, y);
    } else {
      if (m->bNoMoveX) {
        run.dVelX = 0;
      } else {
        AxisAimX(run.dVelX, run.dVelY, run.nFacingRequest, AimTargetOf(target), CentreX(c),
                 CentreX(*target) + run.nTargetDX, run.dSpeed, c.m_bScrollSync, 0, PlayAimScroll());
      }
      run.dVelY = 0;
    }
    if (run.nMoveAngle != 0)
      ChargeTurn(run.dVelX, run.dVelY, run.nMoveAngle, run.dSpeed, SystemData.bCompat728, c.m_bFlying != 0);
  } else if (!c.m_bFlying) {
    run.dVelY = 0;
  }
  c.ApplyMoveVelocity(run.dVelX, run.dVelY, run.nFacingRequest, run, *m, 0);
}

void CmdHomingMove(cChara& c, cCommandRun& run) {
  const cEdMove* m = MoveOf(run);
  cChara* target = LiveTarget(c);
  if (!m || !target) return;
  if (run.nStepCount == 0) c.CalcMoveTarget(run);
  ClearScreenFixed(c);
  const int delay = run.nExtent;
  cAimPoint aim;
  if (c.m_bFlying) {
    cAimPoint now;
    target->MoveTargetPoint(now.x, now.y, run);
    if (HomingAim(run.TargetQueue, run.nStepCount, delay, now, aim)) c.AimAtPoint(run, aim.x, aim.y);
  } else {
    if (m->bNoMoveX) return;
    run.dVelY = 0;
    const cAimPoint now{CentreX(*target) + run.nTargetDX, 0};
    if (HomingAim(run.TargetQueue, run.nStepCount, delay, now, aim))
      c.AimMoveAtX(run, target, aim.x, c.m_bScrollSync, m->bStopAtTarget);
  }
  c.ApplyMoveVelocity(run.dVelX, run.dVelY, run.nFacingRequest, run, *m, 0);
  ++run.nStepCount;
}

void CmdWarp(cChara& c, cCommandRun& run) {
  if (run.pCommand) ExecWarp(c, *run.pCommand);
}
