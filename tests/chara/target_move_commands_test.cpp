// The circle, charge, homing and warp commands run from a flow on a live scene:
// a circle closes after 360 degrees, a homing re-aims only every delay at the
// place of delay steps before, a charge keeps its first aim, a warp lands where
// its mode says or is undone outside the stage.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/svc/input.h"
#include "chara/aim_rules.h"
#include "chara/command_handlers.h"
#include "chara/flow_run.h"
#include "tests/chara/flow_fixture.h"

namespace {

class TargetMoves : public FlowField {
 protected:
  // A character at (x, y) whose only flow runs `command` from now on.
  cStageChara& Mover(const cEdCommand& command, double x, double y, bool flying) {
    cStageChara& c = Chara({MakeFlow(0, {command})});
    c.m_bFlying = flying ? 1 : 0;
    Place(c, x, y);
    c.CalcScreenRect();
    SetCurrentActor(&c);
    c.m_FlowStates[0].Start();
    SetCurrentActor(nullptr);
    return c;
  }
  cStageChara& Target(double x, double y) {
    cStageChara& t = StageChara.emplace_back();
    t.Reset(nullptr, x, y, 0);
    Place(t, x, y);
    t.m_nDrawWidth = t.m_nDrawHeight = 32;
    t.CalcScreenRect();
    return t;
  }
  // One logic step of the mover: no drift, its flow, its move, its screen rectangle.
  static void Step(cStageChara& c) {
    c.m_dSpeedX = 0;
    if (c.m_bFlying) c.m_dSpeedY = 0;
    SetCurrentActor(&c);
    c.m_FlowStates[0].Step();
    SetCurrentActor(nullptr);
    c.MoveX();
    c.MoveY();
    c.CalcScreenRect();
  }
  static cCommandRun& Run(cStageChara& c) { return c.m_FlowStates[0].Commands[0]; }
  static double CentreX(const cObject& o) { return o.m_nScreenLeft + o.m_nDrawWidth / 2; }
  static double CentreY(const cObject& o) { return o.m_nScreenTop + o.m_nDrawHeight / 2; }
};

// Radius 2 hbl, 0 to 360 degrees in 8 tenths (48 steps at one step a frame, each
// below the stage's speed limit).
cEdCommand Circle(int turning) {
  cEdCommand c = MakeMove(4, 8, 0, turning);
  c.pMove->nHoming = 2;
  c.pMove->nAngle = 0;
  c.pMove->nDistance = 360;
  c.pMove->nTimeSpeedMode = 0;
  c.pMove->bMirrorX = c.pMove->bMirrorY = 0;
  return c;
}

TEST_F(TargetMoves, ACircleClosesAfter360Degrees) {
  for (int turning : {0, 1}) {
    SCOPED_TRACE(turning);
    cStageChara& c = Mover(Circle(turning), 600, 600, true);
    EXPECT_EQ(Run(c).nExtent, 32);
    EXPECT_DOUBLE_EQ(Run(c).dSpeed, 7.5);
    double farthest = 0;
    for (int i = 0; i < 48; ++i) {
      Step(c);
      farthest = std::max(farthest, std::hypot(c.m_dX - 600, c.m_dY - 600));
    }
    EXPECT_NEAR(c.m_dX, 600, 1e-9);
    EXPECT_NEAR(c.m_dY, 600, 1e-9);
    EXPECT_NEAR(farthest, 64, 0.5);  // across the circle: a diameter
    StageChara.clear();
  }
}

TEST_F(TargetMoves, CircleWithoutRadiusOrYMotionOrWings) {
  cEdCommand none = Circle(0);
  none.pMove->nHoming = 0;
  cStageChara& a = Mover(none, 600, 600, true);
  for (int i = 0; i < 9; ++i) Step(a);
  EXPECT_EQ(a.m_dX, 600.0);
  EXPECT_EQ(a.m_dY, 600.0);
  cEdCommand negative = Circle(0);
  negative.pMove->nHoming = -3;  // clamped to 0 by the preparation
  cStageChara& b = Mover(negative, 600, 600, true);
  for (int i = 0; i < 9; ++i) Step(b);
  EXPECT_EQ(b.m_dX, 600.0);
  cEdCommand flat = Circle(0);
  flat.pMove->bNoMoveY = 1;
  cStageChara& c = Mover(flat, 600, 600, true);
  cStageChara& walker = Mover(Circle(0), 600, 600, false);
  for (int i = 0; i < 12; ++i) {  // a quarter turn: one radius to the left
    Step(c);
    Step(walker);
  }
  EXPECT_EQ(c.m_dY, 600.0);
  EXPECT_NEAR(c.m_dX, 600 - 32, 2.5);  // stepped from the start of each step
  EXPECT_EQ(walker.m_dY, 600.0);
  EXPECT_NEAR(walker.m_dX, c.m_dX, 1e-9);
}

// Delay 3 x N: the heading changes only every 3 x N steps, toward the place the
// target had 3 x N steps before.
TEST_F(TargetMoves, HomingReaimsEveryDelayAtThePlaceOfDelayStepsBefore) {
  for (int level : {1, 2}) {
    SCOPED_TRACE(level);
    StageData.SetHitLevel(level);
    const int n = StageData.Timing().nSteps, d = 3 * n;
    cEdCommand homing = MakeMove(6, 5, 10, 0);
    homing.pMove->nHoming = 3;
    cStageChara& c = Mover(homing, 600, 600, true);
    cStageChara& t = Target(700, 600);
    t.m_bFlying = 1;
    c.SetTarget(&t);
    ASSERT_EQ(Run(c).nExtent, d);
    std::vector<cAimPoint> places;
    double vx = 0, vy = 0;
    for (int step = 0; step < 6 * n * 5; ++step) {
      places.push_back({CentreX(t), CentreY(t)});
      const double fromX = CentreX(c), fromY = CentreY(c);
      Step(c);
      const cCommandRun& run = Run(c);
      if (step % d == 0) {
        const cAimPoint& aim = places[static_cast<size_t>(step == 0 ? 0 : step - d)];
        int direction = 0;
        AimVector(vx, vy, direction, eAimTarget::kUnsynced, fromX, fromY, aim.x, aim.y, run.dSpeed, 0, 0, 0, {});
      }
      EXPECT_DOUBLE_EQ(run.dVelX, vx) << step;
      EXPECT_DOUBLE_EQ(run.dVelY, vy) << step;
      t.m_dY += 1.5;  // the target drifts down
      t.CalcScreenRect();
    }
    StageChara.clear();
  }
}

TEST_F(TargetMoves, HomingWithoutALiveTargetDoesNothing) {
  cEdCommand homing = MakeMove(6, 5, 10, 0);
  cStageChara& c = Mover(homing, 600, 600, true);
  Step(c);
  EXPECT_EQ(c.m_dX, 600.0);
  EXPECT_EQ(Run(c).nStepCount, 0);
  cStageChara& t = Target(700, 600);
  t.m_bDead = 1;
  c.SetTarget(&t);
  Step(c);
  EXPECT_EQ(c.m_dX, 600.0);
  t.m_bDead = 0;
  Step(c);
  EXPECT_GT(c.m_dX, 600.0);
  EXPECT_EQ(Run(c).nStepCount, 1);
}

TEST_F(TargetMoves, AChargeAimsOnceAndKeepsItsVelocity) {
  cStageChara& c = Mover(MakeMove(5, 5, 20, 0), 600, 600, true);
  cStageChara& t = Target(700, 650);
  c.SetTarget(&t);
  Step(c);
  const double d = std::hypot(100, 50);
  EXPECT_DOUBLE_EQ(Run(c).dVelX, 2 * 100 / d);
  EXPECT_DOUBLE_EQ(Run(c).dVelY, 2 * 50 / d);
  t.m_dY -= 200;  // the target moves away; the charge does not follow
  t.CalcScreenRect();
  for (int i = 0; i < 9; ++i) Step(c);
  EXPECT_NEAR(c.m_dX, 600 + 10 * 2 * 100 / d, 1e-9);
  EXPECT_NEAR(c.m_dY, 600 + 10 * 2 * 50 / d, 1e-9);
}

// Without a living target at its first step a charge stands still, whatever
// speed its run kept from an earlier run.
TEST_F(TargetMoves, AChargeWithoutALiveTargetStandsStill) {
  for (int dead : {0, 1}) {
    cStageChara& c = Mover(MakeMove(5, 5, 20, 0), 600, 600, true);
    Run(c).dVelX = 3;
    Run(c).dVelY = -2;
    cStageChara& t = Target(700, 650);
    t.m_bDead = 1;
    if (dead) c.SetTarget(&t);
    for (int i = 0; i < 5; ++i) Step(c);
    EXPECT_EQ(c.m_dX, 600.0) << dead;
    EXPECT_EQ(c.m_dY, 600.0) << dead;
    StageChara.clear();
  }
}

// A walking charge moves on x only; with the older angle rule an angle of 10 at a
// target on the left heads to the right.
TEST_F(TargetMoves, AWalkingChargeAndItsAngleRules) {
  for (int compat : {0, 1}) {
    SCOPED_TRACE(compat);
    SystemData.bCompat728 = compat;
    cEdCommand charge = MakeMove(5, 5, 20, 0);
    charge.pMove->nAngle = 10;
    cStageChara& c = Mover(charge, 600, 600, false);
    cStageChara& t = Target(400, 500);
    c.SetTarget(&t);
    c.m_dSpeedY = 0;
    Step(c);
    const double rad = 3.14159265358979323846 / 180;
    EXPECT_NEAR(Run(c).dVelX, compat ? 2 * std::cos(10 * rad) : -2 * std::cos(370 * rad), 1e-12);
    EXPECT_EQ(Run(c).dVelY, 0.0);
    StageChara.clear();
  }
}

// With stop-at-target a charge that arrives within a step is put on the point and
// stops there.
TEST_F(TargetMoves, AChargeThatArrivesSnapsOntoThePoint) {
  cEdCommand charge = MakeMove(5, 5, 50, 0);  // 5 dots a step
  charge.pMove->bStopAtTarget = 1;
  cStageChara& c = Mover(charge, 600, 600, true);
  cStageChara& t = Target(603.7, 598);
  c.SetTarget(&t);
  Step(c);
  EXPECT_EQ(CentreX(c), CentreX(t));
  EXPECT_EQ(CentreY(c), CentreY(t));
  EXPECT_EQ(Run(c).dVelX, 0.0);
  EXPECT_EQ(Run(c).dVelY, 0.0);
  const double x = c.m_dX, y = c.m_dY;
  for (int i = 0; i < 5; ++i) Step(c);
  EXPECT_EQ(c.m_dX, x);
  EXPECT_EQ(c.m_dY, y);
}

// A flying move with both no-motion flags stands still (it does not run along x).
TEST_F(TargetMoves, AHomingWithNeitherAxisFreeStandsStill) {
  cEdCommand homing = MakeMove(6, 5, 10, 0);
  homing.pMove->bNoMoveX = homing.pMove->bNoMoveY = 1;
  cStageChara& c = Mover(homing, 600, 600, true);
  cStageChara& t = Target(700, 700);
  c.SetTarget(&t);
  for (int i = 0; i < 5; ++i) Step(c);
  EXPECT_EQ(c.m_dX, 600.0);
  EXPECT_EQ(c.m_dY, 600.0);
  // One free axis: only that one moves.
  cEdCommand vertical = MakeMove(6, 5, 10, 0);
  vertical.pMove->bNoMoveX = 1;
  cStageChara& v = Mover(vertical, 600, 600, true);
  v.SetTarget(&t);
  for (int i = 0; i < 5; ++i) Step(v);
  EXPECT_EQ(v.m_dX, 600.0);
  EXPECT_EQ(v.m_dY, 605.0);
}

cEdCommand Warp(int mode, int direction, int distance) {
  cEdCommand c = MakeMove(20, 1, 0, direction);
  c.pMove->nMoveMode = static_cast<uint8_t>(mode);
  c.pMove->nDistance = static_cast<int16_t>(distance);
  c.pMove->bMirrorX = c.pMove->bMirrorY = 0;
  return c;
}

TEST_F(TargetMoves, WarpByDirectionAndDistance) {
  struct Case {
    const char* what;
    int direction, distance, flying, compat721;
    double dx, dy;
  } cases[] = {
      {"right 2 hbl", 3, 2, 1, 0, 32, 0},
      {"up 3 hbl", 6, 3, 1, 0, 0, -48},
      {"down-left, diagonal spacing", 9, 4, 1, 0, -64 / std::sqrt(2.0), 64 / std::sqrt(2.0)},
      {"a walker keeps the diagonal now", 11, 2, 0, 0, 32 / std::sqrt(2.0), 32 / std::sqrt(2.0)},
      {"front is the facing (left)", 0, 2, 1, 0, -32, 0},
      {"a code outside the list stays", 13, 2, 1, 0, 0, 0},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    SystemData.bCompat721 = k.compat721;
    cStageChara& c = Mover(Warp(0, k.direction, k.distance), 600, 600, k.flying);
    Step(c);
    EXPECT_NEAR(c.m_dX, 600 + k.dx, 1e-9);
    EXPECT_NEAR(c.m_dY, 600 + k.dy, 1e-9);
    StageChara.clear();
  }
}

// "入力方向" follows the keys held on player 1's input at that step; under the older
// rule a walker drops the diagonal.
TEST_F(TargetMoves, WarpByInputDirection) {
  Input.assign(1, cInput());
  Input[0].m_wDirection = 2 | 8;  // right and down
  Input[0].UpdateSequences();
  for (int compat : {0, 1}) {
    SystemData.bCompat721 = compat;
    cStageChara& c = Mover(Warp(0, 12, 2), 600, 600, false);
    Step(c);
    EXPECT_NEAR(c.m_dX, 600 + (compat ? 32 : 32 / std::sqrt(2.0)), 1e-9) << compat;
    StageChara.clear();
  }
}

TEST_F(TargetMoves, WarpBesideTheTarget) {
  cStageChara& t = Target(700, 640);
  t.m_nFacing = 1;
  cStageChara& c = Mover(Warp(1, 0, 2), 500, 500, true);  // in front of the target
  c.SetTarget(&t);
  c.m_nDrawOffsetX = 4;
  c.m_nDrawWidth = 40;
  Step(c);
  EXPECT_EQ(c.m_dX, 700 + 16 + 32 + 4 - 20);  // centres: the target's plus 32
  EXPECT_EQ(c.m_dY, 640.0);
  // Without a target nothing happens.
  cStageChara& alone = Mover(Warp(1, 0, 2), 500, 500, true);
  Step(alone);
  EXPECT_EQ(alone.m_dX, 500.0);
}

TEST_F(TargetMoves, WarpToCoordinatesAndTheScreen) {
  cEdCommand relative = Warp(2, 0, 0);
  relative.pMove->nTargetX = 2;
  relative.pMove->nTargetOffsetX = 5;
  relative.pMove->nTargetY = -1;
  relative.pMove->bMirrorX = 1;
  cStageChara& r = Mover(relative, 600, 600, true);
  r.m_nFacing = 1;  // facing right: x mirrored
  Step(r);
  EXPECT_EQ(r.m_dX, 600 - 69.0);
  EXPECT_EQ(r.m_dY, 600 - 32.0);
  EXPECT_EQ(r.m_bScreenFixedX, 0);

  cEdCommand screen = Warp(2, 0, 0);
  screen.pMove->nCoordRef = 2;
  screen.pMove->nTargetX = 3;
  screen.pMove->nTargetOffsetY = 50;
  cStageChara& s = Mover(screen, 600, 600, true);
  Step(s);
  EXPECT_EQ(s.m_nScreenLeft, 96);
  EXPECT_EQ(s.m_nScreenTop, 50);
  EXPECT_EQ(s.m_bScreenFixedX, 1);
  EXPECT_EQ(s.m_bScreenFixedY, 1);
  EXPECT_EQ(s.m_nScreenFixedLeft, 96);
  EXPECT_EQ(s.m_nScreenFixedTop, 50);
}

// A warp out of the stage without its margin comes back; the character keeps its
// speed then, and a walker that lands loses its fall speed.
TEST_F(TargetMoves, AWarpOutOfTheStageIsUndone) {
  cStageChara& c = Mover(Warp(0, 2, 20), 400, 600, false);  // 320 dots left: into the margin
  c.m_dSpeedY = 1.5;
  SetCurrentActor(&c);
  c.m_FlowStates[0].Step();
  EXPECT_EQ(c.m_dX, 400.0);
  EXPECT_EQ(c.m_dSpeedY, 1.5);
  cStageChara& d = Mover(Warp(0, 3, 2), 400, 600, false);
  d.m_dSpeedY = 1.5;
  SetCurrentActor(&d);
  d.m_FlowStates[0].Step();
  SetCurrentActor(nullptr);
  EXPECT_EQ(d.m_dX, 432.0);
  EXPECT_EQ(d.m_dSpeedY, 0.0);
}

}  // namespace
