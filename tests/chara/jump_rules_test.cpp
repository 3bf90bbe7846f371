// The stage's timing and the jump, friction and knock-back arithmetic of the
// characters, including the values no author can choose.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "chara/bounds_rules.h"
#include "chara/jump_rules.h"
#include "data/stage_timing.h"

namespace {

TEST(StageTiming, LevelsGiveStepsAndSpeedLimits) {
  struct Case {
    int level;
    int steps;
    double frameLimit;
    double stepLimit;
  } cases[] = {
      {15, 5, 60, 12}, {5, 5, 30, 6},  {10, 10, 60, 6}, {11, 1, 60, 60}, {19, 9, 60, 60.0 / 9}, {1, 1, 6, 6},
      // A level below 1 plays as 1; one above 19 as 19.
      {0, 1, 6, 6},    {-7, 1, 6, 6},  {INT_MIN, 1, 6, 6}, {20, 9, 60, 60.0 / 9}, {INT_MAX, 9, 60, 60.0 / 9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.level);
    const cStageTiming t = StageTimingFor(c.level, 0.4);
    EXPECT_EQ(t.nSteps, c.steps);
    EXPECT_DOUBLE_EQ(t.dSpeedLimit, c.frameLimit);
    EXPECT_DOUBLE_EQ(t.dSpeedLimitPerStep, c.stepLimit);
    EXPECT_DOUBLE_EQ(t.dGravityPerStep, 0.4 / (c.steps * c.steps));
    EXPECT_EQ(t.nSteps8, 8 * c.steps);
    EXPECT_EQ(t.nSteps6, 6 * c.steps);
  }
  EXPECT_EQ(StageTimingFor(0, NAN).dGravityPerStep, 0.0);
  EXPECT_EQ(StageTimingFor(0, INFINITY).dGravity, 0.0);
}

// The worked jump: 4 hbl (64 dots) for a character other than the player with a
// gravity of 0.5 dots per step.
TEST(JumpRules, WorkedJumpOfFourHalfBlocks) {
  const cStageTiming t = StageTimingFor(1, 0.5);
  ASSERT_DOUBLE_EQ(t.dGravityPerStep, 0.5);
  const double s = JumpSpeedForHbl(t, 1, 4);
  EXPECT_DOUBLE_EQ(s, (-0.5 - std::sqrt(0.5 * 512.5)) / 2);
  EXPECT_NEAR(s, -8.2539, 1e-4);
  EXPECT_EQ(FramesToApex(t, s), 17);  // trunc(1 + 8.2539 / 0.5)
  EXPECT_EQ(JumpTimeTenths(t, 1, 4), 3);  // 17 / 1 / 6 + 1
  EXPECT_EQ(TenthsToSteps(t, 3), 18);
  // The player's jump is scaled by 0.99 - G x 0.025.
  EXPECT_DOUBLE_EQ(JumpSpeedFactor(t, 0), 0.99 - 0.5 * 0.025);
  EXPECT_DOUBLE_EQ(JumpSpeedForHbl(t, 0, 4), s * (0.99 - 0.5 * 0.025));
  EXPECT_DOUBLE_EQ(JumpSpeedFactor(t, 1), 1.0);
  EXPECT_DOUBLE_EQ(HblToDots(-3), -48.0);
}

// Whatever the level, gravity and height, every result is finite and every count
// fits an int; without gravity a jump has no speed and no division by zero.
TEST(JumpRules, NoGravityOrBadLevelsGiveFiniteJumps) {
  const int levels[] = {INT_MIN, -1, 0, 1, 10, 11, 15, 19, 20, INT_MAX};
  const double gravities[] = {0.0, -0.0, -1.0, -1e9, 1e-300, 1e-9, 0.4, 1e9};
  const int heights[] = {-128, -1, 0, 1, 4, 127};
  for (int level : levels)
    for (double g : gravities)
      for (int h : heights)
        for (int kind : {0, 1}) {
          const cStageTiming t = StageTimingFor(level, g);
          const double s = JumpSpeedForHbl(t, kind, static_cast<int8_t>(h));
          ASSERT_TRUE(std::isfinite(s)) << level << " " << g << " " << h;
          const int apex = FramesToApex(t, s);
          const int tenths = JumpTimeTenths(t, kind, static_cast<int8_t>(h));
          ASSERT_GE(tenths, 1);
          ASSERT_GE(TenthsToSteps(t, tenths), 0);
          if (!(t.dGravityPerStep > 0)) {
            EXPECT_EQ(s, 0.0);
            EXPECT_EQ(apex, t.nSteps);
          }
        }
  // A height far below zero under gravity rises no more than a height of 0.
  const cStageTiming t = StageTimingFor(1, 0.5);
  EXPECT_DOUBLE_EQ(JumpSpeedForHbl(t, 1, -128), -0.25);
  EXPECT_EQ(FramesToApex(StageTimingFor(1, 1e-300), -1.0), INT_MAX);
}

TEST(JumpRules, InertiaJumpFollowsTheRunSpeed) {
  const cStageTiming t = StageTimingFor(5, 0.4);  // N = 5: 50 tenths = 1 dot per step
  struct Case {
    double speed;
    int max, full, min, low;
    int height;
  } cases[] = {
      {1.0, 50, 8, 10, 2, 8},    // at the maximum speed: the full height
      {2.0, 50, 8, 10, 2, 8},    // beyond it too
      {0.5, 50, 8, 10, 2, 5},    // half-way: 2 + 6 x 0.5
      {-0.5, 50, 8, 10, 2, 5},   // the run speed counts whatever its sign
      {0.1, 50, 8, 10, 2, 2},    // at the minimum speed: the low height
      {0.0, 0, 8, 10, 2, 8},     // no maximum: always full
      {0.3, 50, 2, 0, 8, 6},     // a full height below the low one: 8 + (-6 x 0.3), truncated
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.speed);
    const cInertiaJump j = InertiaJumpHeight(t, c.speed, c.max, c.full, c.min, c.low);
    EXPECT_EQ(j.nHeight, c.height);
    EXPECT_DOUBLE_EQ(j.dMaxSpeed, c.max / 50.0);
  }
  const cInertiaJump extreme = InertiaJumpHeight(t, 0.5, INT_MAX, INT_MAX, INT_MIN, INT_MIN);
  EXPECT_GE(extreme.nHeight, INT_MIN);
}

TEST(MotionRules, FrictionStopsAtZero) {
  struct Case {
    double speed, friction, result;
  } cases[] = {{0.3, 0.5, 0.0}, {-0.3, 0.5, 0.0}, {1.0, 0.25, 0.75}, {-1.0, 0.25, -0.75}, {0.0, 0.5, 0.0}};
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(ApplyFrictionTo(c.speed, c.friction), c.result) << c.speed;
  EXPECT_DOUBLE_EQ(StopToFriction(StageTimingFor(15, 0.4), 10), 10 * 0.01 / 25);
}

TEST(MotionRules, ImpactSplitsItsStrengthBetweenTheAxes) {
  const double n = 2;
  auto speed = [n](double d) {
    return d > 0 ? (std::sqrt(1 + 128 * n * d) - 1) / (2 * n) : -(std::sqrt(1 - 128 * n * d) - 1) / (2 * n);
  };
  double sx = 9, sy = 9;
  ImpactSpeeds(sx, sy, 10, 3, -1, n);
  EXPECT_DOUBLE_EQ(sx, speed(7.5));
  EXPECT_DOUBLE_EQ(sy, speed(-2.5));
  EXPECT_LT(sy, 0);
  ImpactSpeeds(sx, sy, 10, 0, 0, n);
  EXPECT_EQ(sx, 0.0);
  EXPECT_EQ(sy, 0.0);
  sx = sy = 9;
  ImpactSpeeds(sx, sy, 0, 3, 1, n);  // strength 0 leaves them
  EXPECT_EQ(sx, 9.0);
  ImpactSpeeds(sx, sy, -128, NAN, 1, n);
  EXPECT_EQ(sx, 0.0);
  ImpactSpeeds(sx, sy, 127, INFINITY, 0, n);
  EXPECT_EQ(sx, 0.0);
  ImpactSpeeds(sx, sy, -128, 0, 1, n);
  EXPECT_DOUBLE_EQ(sy, speed(-128));
}

TEST(MotionRules, DistanceIntervalStopsAtTheCentreWithoutReach) {
  struct Case {
    int start, size, reachLow, reachHigh;
    bool whole;
    int low, high;
  } cases[] = {
      {100, 32, 0, 0, false, 116, 116}, {100, 32, 0, 0, true, 100, 132}, {100, 32, 10, 0, false, 90, 116},
      {100, 32, 0, 10, true, 116, 142}, {100, 33, 5, 5, false, 95, 137},
      {INT_MAX, 32, 0, INT_MAX, false, INT_MAX, INT_MAX}, {INT_MIN, 32, INT_MAX, 0, false, INT_MIN, INT_MIN + 16},
  };
  for (const Case& c : cases) {
    int low = 0, high = 0;
    DistanceInterval(low, high, c.start, c.size, c.reachLow, c.reachHigh, c.whole);
    EXPECT_EQ(low, c.low) << c.start << " " << c.reachLow;
    EXPECT_EQ(high, c.high) << c.start << " " << c.reachHigh;
  }
  EXPECT_DOUBLE_EQ(ToStepAcceleration(120, 2), 1.0);
}

}  // namespace
