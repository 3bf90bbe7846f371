// The arithmetic of the circle, charge, homing and warp commands: closure of a
// full circle, the charge's turn under both angle rules, the homing delay and the
// warp offsets.
#include <gtest/gtest.h>

#include <cmath>

#include "chara/target_move_rules.h"

namespace {

const double kK = 1.0 / std::sqrt(2.0);

TEST(CircleRules, TurningByChoiceAndFacing) {
  struct Case {
    int choice, facing, turning;
  } cases[] = {{0, 0, 0}, {0, 1, 0}, {1, 0, 1}, {1, 1, 1}, {2, 0, 0}, {2, 1, 1}, {3, 0, 1}, {3, 1, 0}, {4, 1, 0},
               {-1, 0, 0}};
  for (const Case& c : cases) EXPECT_EQ(CircleTurning(c.choice, c.facing), c.turning) << c.choice << "," << c.facing;
}

// A full turn of radius 3 hbl at 4 degrees per step, N = 5, returns to where it
// started; half a turn lies a diameter away; the path keeps its radius.
TEST(CircleRules, AFullTurnClosesAndKeepsItsRadius) {
  for (int turning : {0, 1}) {
    SCOPED_TRACE(turning);
    const double n = 5, speed = 4.0 / 5, radius = 48;
    const int extent = static_cast<int>(radius * n);
    double phaseX = 30 * n, phaseY = 30 * n, x = 0, y = 0, px = 0, py = 0;
    const int steps = static_cast<int>(360 / speed + 0.5);
    double centreX = 0, centreY = 0;
    for (int i = 0; i < steps; ++i) {
      CircleStep(x, y, extent, phaseX, phaseY, speed, n, turning, false, true);
      px += x;
      py += y;
      centreX += px / steps;
      centreY += py / steps;
    }
    EXPECT_NEAR(px, 0, 1e-9);
    EXPECT_NEAR(py, 0, 1e-9);
    EXPECT_NEAR(phaseX, 30 * n, 1e-9);  // wrapped once at 360 x N
    // Every point of the path lies one radius from its centre.
    px = py = 0;
    for (int i = 0; i < steps; ++i) {
      CircleStep(x, y, extent, phaseX, phaseY, speed, n, turning, false, true);
      px += x;
      py += y;
      EXPECT_NEAR(std::hypot(px - centreX, py - centreY), radius, 0.5) << i;
    }
  }
  // The two turnings run round in opposite senses: after a quarter turn from the
  // same start they lie on opposite sides vertically.
  double yEnd[2] = {0, 0};
  for (int turning : {0, 1}) {
    double phaseX = 0, phaseY = 0, x = 0, y = 0;
    for (int i = 0; i < 90; ++i) {
      CircleStep(x, y, 32, phaseX, phaseY, 1, 1, turning, false, true);
      yEnd[turning] += y;
    }
  }
  EXPECT_NEAR(yEnd[0], -yEnd[1], 1e-9);
  EXPECT_GT(std::fabs(yEnd[0]), 10);
}

TEST(CircleRules, SkippedAxesStayStill) {
  double phaseX = 0, phaseY = 0, x = 9, y = 9;
  CircleStep(x, y, 160, phaseX, phaseY, 2, 1, 0, false, false);  // not flying, or no Y motion
  EXPECT_LT(x, 0);
  EXPECT_EQ(y, 0.0);
  EXPECT_EQ(phaseX, 2.0);
  EXPECT_EQ(phaseY, 0.0);
  CircleStep(x, y, 160, phaseX, phaseY, 2, 1, 0, true, true);  // no X motion
  EXPECT_EQ(x, 0.0);
  EXPECT_EQ(phaseX, 2.0);
  EXPECT_EQ(phaseY, 2.0);
  // Radius 0: no motion at all.
  CircleStep(x, y, 0, phaseX, phaseY, 2, 1, 0, false, true);
  EXPECT_EQ(x, 0.0);
  EXPECT_EQ(y, 0.0);
}

TEST(ChargeRules, TurnByAngleUnderBothRules) {
  const double d = 3.14159265358979323846 / 180;
  struct Case {
    const char* what;
    double x, y, speed;
    int angle, compat, flying;
    double outX, outY;
  } cases[] = {
      // Toward the left (atan2 180): a = 360 + 10.
      {"left, turned 10", -2, 0, 2, 10, 0, 1, -2 * std::cos(370 * d), -2 * std::sin(370 * d)},
      {"left, walking keeps y", -2, 0, 2, 10, 0, 0, -2 * std::cos(370 * d), 0},
      // The older rule: atan2(x, y) + 90 = 0 for the left, and x not negated.
      {"older rule: left with 10 heads right", -2, 0, 2, 10, 1, 1, 2 * std::cos(10 * d), -2 * std::sin(10 * d)},
      {"down-right, turned -45", 1, 1, 1.5, -45, 0, 1, -1.5 * std::cos(180 * d), -1.5 * std::sin(180 * d)},
      // The base angle is truncated: atan2(1, 3) = 18.43 degrees.
      {"truncated base angle", 3, 1, 1, 5, 0, 1, -std::cos(203 * d), -std::sin(203 * d)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    double x = c.x, y = c.y;
    ChargeTurn(x, y, c.angle, c.speed, c.compat, c.flying);
    EXPECT_NEAR(x, c.outX, 1e-12);
    EXPECT_NEAR(y, c.flying ? c.outY : c.y, 1e-12);
  }
}

// Delay 3: aims at step 0 at the target's place then, and every third step at the
// place of three steps before.
TEST(HomingRules, DelayRemembersThePlaceOfDStepsBefore) {
  cVector<cAimPoint> queue = {{99, 99}, {98, 98}};  // left over from an earlier run
  cAimPoint aim;
  std::vector<double> aimed;
  for (int step = 0; step <= 9; ++step) {
    const cAimPoint target{static_cast<double>(step * 10), -static_cast<double>(step)};
    if (HomingAim(queue, step, 3, target, aim)) aimed.push_back(aim.x + 1000 * step);
  }
  EXPECT_EQ(aimed, (std::vector<double>{0, 3000, 6030, 9060}));
  EXPECT_EQ(queue.Count(), 1);
  // No delay (or a negative one): the current place every step.
  for (int delay : {0, -4}) {
    ASSERT_TRUE(HomingAim(queue, 5, delay, {7, 8}, aim));
    EXPECT_EQ(aim.x, 7.0);
    EXPECT_EQ(aim.y, 8.0);
  }
  // A queue emptied by an earlier run starts again from the current place.
  queue.clear();
  ASSERT_TRUE(HomingAim(queue, 6, 3, {1, 2}, aim));
  EXPECT_EQ(aim.x, 1.0);
  EXPECT_EQ(queue.Count(), 1);
}

TEST(WarpRules, OffsetsByDirectionAndTarget) {
  struct Case {
    int code;
    bool moves;
    double dx, dy;
  } cases[] = {{2, true, -32, 0},          {3, true, 32, 0},          {6, true, 0, -32},
               {7, true, 0, 32},           {8, true, -32 * kK, -32 * kK}, {9, true, -32 * kK, 32 * kK},
               {10, true, 32 * kK, -32 * kK}, {11, true, 32 * kK, 32 * kK}, {0, false, 0, 0},
               {4, false, 0, 0},           {12, false, 0, 0}};
  for (const Case& c : cases) {
    double dx = 5, dy = 5;
    EXPECT_EQ(WarpDirectionOffset(c.code, 32, dx, dy), c.moves) << c.code;
    EXPECT_DOUBLE_EQ(dx, c.dx) << c.code;
    EXPECT_DOUBLE_EQ(dy, c.dy) << c.code;
  }
  double dx = 0, dy = 0;
  WarpTargetOffset(2, -1, 5, 7, 1, 0, 0, dx, dy);
  EXPECT_EQ(dx, 69.0);
  EXPECT_EQ(dy, -25.0);
  WarpTargetOffset(2, -1, 5, 7, 1, 0, 1, dx, dy);  // facing right: mirrored by the flags
  EXPECT_EQ(dx, -69.0);
  EXPECT_EQ(dy, -25.0);
  WarpTargetOffset(2, -1, 5, 7, 0, 1, 1, dx, dy);
  EXPECT_EQ(dx, 69.0);
  EXPECT_EQ(dy, 25.0);
  WarpTargetOffset(32767, -32768, 32767, -32768, 0, 0, 0, dx, dy);
  EXPECT_EQ(dx, 32767.0 * 33);
  EXPECT_EQ(dy, -32768.0 * 33);
}

}  // namespace
