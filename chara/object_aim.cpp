// A movement command's aim at a point: from an object's screen centre toward the
// point, with the live stage's auto-scroll terms, into the command run's speeds
// and facing request; a snap on arrival puts a character on the point.
#include "chara/object_aim.h"

#include "chara/bounds_rules.h"
#include "chara/chara.h"
#include "chara/flow_run.h"
#include "data/command.h"
#include "data/project_globals.h"
#include "stage/scroll_axis.h"

namespace {

const cEdMove* MoveOf(const cCommandRun& run) { return run.pCommand ? run.pCommand->pMove.get() : nullptr; }

double CentreX(const cObject& o) { return o.m_nScreenLeft + o.m_nDrawWidth / 2; }
double CentreY(const cObject& o) { return o.m_nScreenTop + o.m_nDrawHeight / 2; }

}  // namespace

cAimScroll PlayAimScroll() {
  cAimScroll s;
  s.dSx = ScrollTerm(PlayAxisX().m_dAutoSpeed, PlayAxisX().m_bClamped);
  s.dSy = ScrollTerm(PlayAxisY().m_dAutoSpeed, PlayAxisY().m_bClamped);
  // The game-wide additive scroll sync setting.
  s.bAdditive = SystemData.bCompat214;
  return s;
}

eAimTarget AimTargetOf(const cObject* target) {
  if (!target) return eAimTarget::kNone;
  return target->m_bScrollSync ? eAimTarget::kSynced : eAimTarget::kUnsynced;
}

int cObject::AimMoveAtPoint(cCommandRun& run, const cObject* target, double toX, double toY, int moverSynced,
                            int reportArrival) {
  const int r = AimVector(run.dVelX, run.dVelY, run.nFacingRequest, AimTargetOf(target), CentreX(*this),
                          CentreY(*this), toX, toY, run.dSpeed, moverSynced, 0, reportArrival, PlayAimScroll());
  const cEdMove* m = MoveOf(run);
  if (r == 1 && m && m->bStopAtTarget) return WarpTo(TruncToInt(toX), TruncToInt(toY), run);
  return r;
}

int cObject::AimMoveAtX(cCommandRun& run, const cObject* target, double toX, int moverSynced, int reportArrival) {
  const int r = AxisAimX(run.dVelX, run.dVelY, run.nFacingRequest, AimTargetOf(target), CentreX(*this), toX,
                         run.dSpeed, moverSynced, reportArrival, PlayAimScroll());
  const cEdMove* m = MoveOf(run);
  if (r == 1 && m && m->bStopAtTarget) return WarpToX(TruncToInt(toX), run);
  return r;
}

int cObject::AimMoveAtY(cCommandRun& run, const cObject* target, double toY, int moverSynced, int reportArrival) {
  const int r = AxisAimY(run.dVelX, run.dVelY, run.nFacingRequest, AimTargetOf(target), CentreY(*this), toY,
                         run.dSpeed, moverSynced, reportArrival, PlayAimScroll());
  const cEdMove* m = MoveOf(run);
  if (r == 1 && m && m->bStopAtTarget) return WarpToY(TruncToInt(toY), run);
  return r;
}

void cObject::MoveTargetPoint(double& x, double& y, const cCommandRun& run) const {
  const cEdMove* m = MoveOf(run);
  const bool horizontalOnly = m && m->bNoMoveY;
  const bool verticalOnly = m && m->bNoMoveX;
  if (horizontalOnly) {
    x = CentreX(*this) + run.nTargetDX;
  } else if (verticalOnly) {
    y = CentreY(*this) + run.nTargetDY;
  } else {
    x = CentreX(*this) + run.nTargetDX;
    y = CentreY(*this) + run.nTargetDY;
  }
}

int cChara::WarpTo(int x, int y, cCommandRun& run) {
  SetCentre(x, y);
  ClearMoveSpeeds(run);
  return 1;
}

int cChara::WarpToX(int x, cCommandRun& run) {
  SetCentreX(x);
  ClearMoveSpeeds(run);
  return 1;
}

int cChara::WarpToY(int y, cCommandRun& run) {
  SetCentreY(y);
  ClearMoveSpeeds(run);
  return 1;
}

void cChara::ClearMoveSpeeds(cCommandRun& run) {
  // Arrived on the point: the command's later steps add nothing more.
  run.dVelX = run.dVelY = 0;
}

void cChara::AimAtPoint(cCommandRun& run, double x, double y) {
  const cEdMove* m = MoveOf(run);
  if (!m) return;
  if (!m->bNoMoveX && !m->bNoMoveY) {
    AimMoveAtPoint(run, m_pTarget, x, y, m_bScrollSync, m->bStopAtTarget);
  } else if (!m->bNoMoveY) {
    AimMoveAtY(run, m_pTarget, y, m_bScrollSync, m->bStopAtTarget);
  } else if (!m->bNoMoveX) {
    AimMoveAtX(run, m_pTarget, x, m_bScrollSync, m->bStopAtTarget);
  } else {
    // Neither axis may move: standing still, not moving along x against the flag.
    run.dVelX = run.dVelY = 0;
  }
}
