// "ワープ": a character jumps by a direction and distance, to a place by its
// target, or to target coordinates (relative, on a block cell, or on the screen).
// A warp into a solid place or out of the stage is undone.
#include <cmath>
#include <cstdint>

#include "chara/chara.h"
#include "chara/command_handlers.h"
#include "chara/target_move_rules.h"
#include "data/command.h"
#include "data/project_globals.h"
#include "stage/scroll_axis.h"
#include "stage/stage_scene.h"

namespace {

enum { kByDirection = 0, kFromTarget = 1, kToCoordinates = 2 };
enum { kRelative = 0, kAbsolute = 1, kScreen = 2 };

// Whether a direction code moves along x (y).
bool MovesX(int code) { return code == 2 || code == 3 || (code >= 8 && code <= 11); }
bool MovesY(int code) { return code >= 6 && code <= 11; }

// The stage centre of a character: position - drawing offset + half the drawing size.
double StageCentreX(const cChara& c) { return c.m_dX - c.m_nDrawOffsetX + c.m_nDrawWidth / 2; }
double StageCentreY(const cChara& c) { return c.m_dY - c.m_nDrawOffsetY + c.m_nDrawHeight / 2; }

// Keeps diagonals of the choice: for flyers only under the older warp rule.
int KeepDiagonals(const cChara& c) { return SystemData.bCompat721 ? c.m_bFlying : 1; }

}  // namespace

int ExecWarp(cChara& c, cEdCommand& command) {
  const cEdMove* m = command.pMove.get();
  if (!m) return 0;
  c.m_bScreenFixedX = c.m_bScreenFixedY = 0;
  const double saved[4] = {c.m_dX, c.m_dY, c.m_dRight, c.m_dBottom};
  const double u = (static_cast<double>(m->nDistance) + static_cast<double>(c.m_nClone) * m->nDistanceClone) * 16;
  double dx = 0, dy = 0;
  switch (m->nMoveMode) {
    case kByDirection: {
      const int code = c.ResolveDirection(m->nDirection, 1, KeepDiagonals(c));
      WarpDirectionOffset(code, u, dx, dy);
      if (MovesX(code)) {
        c.m_dX += dx;
        c.LimitX();
      }
      if (MovesY(code)) {
        c.m_dY += dy;
        c.LimitY();
      }
      break;
    }
    case kFromTarget: {
      cChara* t = c.m_pTarget;
      if (!t) return 0;
      WarpDirectionOffset(t->ResolveDirection(m->nDirection, 1, KeepDiagonals(*t)), u, dx, dy);
      c.m_dX = StageCentreX(*t) + dx + c.m_nDrawOffsetX - c.m_nDrawWidth / 2;
      c.m_dY = StageCentreY(*t) + dy + c.m_nDrawOffsetY - c.m_nDrawHeight / 2;
      c.LimitX();
      c.LimitY();
      break;
    }
    case kToCoordinates: {
      WarpTargetOffset(m->nTargetX, m->nTargetY, m->nTargetOffsetX, m->nTargetOffsetY, m->bMirrorX, m->bMirrorY,
                       c.m_nFacing, dx, dy);
      if (m->nCoordRef == kRelative) {
        c.m_dX += dx;
        c.m_dY += dy;
      } else if (m->nCoordRef == kAbsolute) {
        c.SetBlockPosition(m->nTargetX, m->nTargetY);
        c.m_dX += m->nTargetOffsetX;
        c.m_dY += m->nTargetOffsetY;
      } else if (m->nCoordRef == kScreen) {
        c.m_dX = c.m_nDrawOffsetX + std::trunc(PlayAxisX().m_dPos) + dx;
        c.m_dY = c.m_nDrawOffsetY + std::trunc(PlayAxisY().m_dPos) + dy;
      }
      c.LimitX();
      c.LimitY();
      break;
    }
    default: return 0;
  }
  c.CalcScreenRect();
  cStageScene* scene = StageScene();
  if (!c.IsInsideArea(false) || (scene && scene->IsPlaceBlocked(c))) {
    c.m_dX = saved[0];
    c.m_dY = saved[1];
    c.m_dRight = saved[2];
    c.m_dBottom = saved[3];
    c.LimitY();
    c.LimitX();
    c.CalcScreenRect();
    return 0;
  }
  if (!c.m_bFlying) c.m_dSpeedY = 0;
  if (m->nMoveMode == kToCoordinates && m->nCoordRef == kScreen) {
    // Held at this screen position while the view scrolls, until the next
    // movement command clears the flags.
    c.m_bScreenFixedX = c.m_bScreenFixedY = 1;
    c.m_nScreenFixedLeft = c.m_nScreenLeft;
    c.m_nScreenFixedTop = c.m_nScreenTop;
  }
  return 1;
}
