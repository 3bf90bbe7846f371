// The aims toward a point (lead, flee, arrival, the scroll terms), the axis aims
// and the waves, from tables of cases worked by hand.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "chara/aim_rules.h"

namespace {

const double kK = 1.0 / std::sqrt(2.0);

struct AimCase {
  const char* what;
  double fromX, fromY, toX, toY, speed;
  int moverSynced;
  eAimTarget target;
  int plain, arrival;
  cAimScroll scroll;
  double vx, vy;
  int direction, result;
};

TEST(AimVector, PlainFleeArrivalAndScrollTerms) {
  const eAimTarget none = eAimTarget::kNone, synced = eAimTarget::kSynced, unsynced = eAimTarget::kUnsynced;
  const cAimScroll still{0, 0, 0}, scroll{1, 0.5, 0}, additive{1, 0.5, 1};
  const AimCase cases[] = {
      {"straight at the point", 0, 0, 30, 40, 5, 0, none, 0, 1, still, 3, 4, 2, 0},
      {"at the point: D counts as 1", 0, 0, 0, 0, 2, 0, none, 0, 1, still, 0, 0, 0, 1},
      {"at the point, speed 0: no arrival", 0, 0, 0, 0, 0, 0, none, 0, 1, still, 0, 0, 0, 0},
      {"within |speed| on both axes", 0, 0, 1.5, -1.5, 2, 0, none, 0, 1, still, 2 * kK, -2 * kK, 2, 1},
      {"exactly |speed| away is not arrival", 0, 0, -2, 0, 2, 0, none, 0, 1, still, -2, 0, 1, 0},
      {"arrival not asked", 0, 0, 1, 0, 2, 0, none, 0, 0, still, 2, 0, 2, 0},
      {"plain negative speed points away", 0, 0, 10, 0, -2, 0, none, 1, 0, still, -2, 0, 1, 0},
      {"plain negative speed arrives too", 0, 0, 1, 0, -2, 0, none, 1, 1, still, -2, 0, 1, 1},
      {"flee from a point above: down right", 0, 0, 0, -10, -2, 0, none, 0, 1, still, 2 * kK, 2 * kK, 2, 0},
      {"flee from a point below right: up left", 5, 5, 9, 9, -3, 0, none, 0, 0, still, -3 * kK, -3 * kK, 1, 0},
      {"flee, additive sync adds the scroll", 0, 0, 0, -10, -2, 1, synced, 0, 0, additive, 2 * kK + 1,
       2 * kK + 0.5, 2, 0},
      {"flee, sync flags differ: scroll taken off", 0, 0, 0, -10, -2, 0, synced, 0, 0, scroll, 2 * kK - 1,
       2 * kK - 0.5, 2, 0},
      {"flee, direction before the correction", 0, 0, 0, -10, -1, 0, synced, 0, 0, {2, 0, 0}, kK - 2, kK, 2, 0},
      {"flee, same sync flags: nothing", 0, 0, 0, -10, -2, 1, synced, 0, 0, scroll, 2 * kK, 2 * kK, 2, 0},
      {"flee without a target: nothing", 0, 0, 0, -10, -2, 0, none, 0, 0, scroll, 2 * kK, 2 * kK, 2, 0},
      {"additive sync, whatever the target", 0, 0, 30, 40, 5, 0, none, 0, 0, additive, 4, 4.5, 2, 0},
      {"no target: no correction", 0, 0, 30, 40, 5, 0, none, 0, 0, scroll, 3, 4, 2, 0},
      {"unsynced target: scroll taken off", 0, 0, 30, 40, 5, 1, unsynced, 0, 0, scroll, 2, 3.5, 2, 0},
      {"both synced: nothing", 0, 0, 30, 40, 5, 1, synced, 0, 0, scroll, 3, 4, 2, 0},
      {"the correction turns the facing", 0, 0, 10, 0, 0.5, 0, unsynced, 0, 0, scroll, -0.5, -0.5, 1, 0},
      {"lead without scroll: nothing", 0, 0, 30, 40, 5, 0, synced, 0, 1, still, 3, 4, 2, 0},
      {"lead on the long x axis", 0, 0, 100, 0, 2, 0, synced, 0, 0, {1, 0, 0}, 2, 0, 2, 0},
      {"lead toward the left", 0, 0, -100, 0, 2, 0, synced, 0, 0, {1, 0, 0}, -2, 0, 1, 0},
      // The stops leave the direction (7 here) as it was and report no arrival.
      {"lead at the point: dy = 0 stops", 3, 3, 3, 3, 2, 0, synced, 0, 1, scroll, 0, 0, 7, 0},
      {"lead, Sy - vy = 0 stops with vy new", 0, 0, 0, 100, 5, 0, synced, 0, 1, {3, 4, 0}, 0, 4, 7, 0},
      {"lead, scroll faster than the mover", 0, 0, 0, 100, 1, 0, synced, 0, 1, {2, 0, 0}, 0, 1, 7, 0},
  };
  for (const AimCase& c : cases) {
    SCOPED_TRACE(c.what);
    double vx = -99, vy = -99;
    int direction = 7;
    const int result = AimVector(vx, vy, direction, c.target, c.fromX, c.fromY, c.toX, c.toY, c.speed, c.moverSynced,
                                 c.plain, c.arrival, c.scroll);
    EXPECT_DOUBLE_EQ(vx, c.vx);
    EXPECT_DOUBLE_EQ(vy, c.vy);
    EXPECT_EQ(direction, c.direction);
    EXPECT_EQ(result, c.result);
  }
}

// The lead gives a velocity of the mover's own speed whose motion against the
// scrolling view runs straight at the point, on either long axis.
TEST(AimVector, LeadMeetsASyncedTarget) {
  struct Case {
    double toX, toY, speed, sx, sy;
  } cases[] = {{30, 40, 5, 1, 0}, {40, 30, 5, 1, 0}, {30, 40, 5, 0.5, -0.25}, {80, 10, 3, -1, 0.5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.toX << "," << c.toY << " S " << c.sx << "," << c.sy);
    double vx = 0, vy = 0;
    int direction = 0;
    EXPECT_EQ(AimVector(vx, vy, direction, eAimTarget::kSynced, 0, 0, c.toX, c.toY, c.speed, 0, 0, 0,
                        {c.sx, c.sy, 0}),
              0);
    EXPECT_NEAR(std::hypot(vx, vy), c.speed, 1e-9);
    EXPECT_NEAR((vx - c.sx) * c.toY, (vy - c.sy) * c.toX, 1e-9);  // parallel to the way to the point
    EXPECT_GT((vx - c.sx) * c.toX + (vy - c.sy) * c.toY, 0);     // and toward it
    EXPECT_EQ(direction, 2);
  }
  // The worked lead: (3.6014.., 3.4685..).
  double vx = 0, vy = 0;
  int direction = 0;
  AimVector(vx, vy, direction, eAimTarget::kSynced, 0, 0, 30, 40, 5, 0, 0, 0, {1, 0, 0});
  const double ly = (-1.5 + std::sqrt(152.25)) / 3.125;
  EXPECT_DOUBLE_EQ(vy, ly);
  EXPECT_DOUBLE_EQ(vx, ((-40 / -ly) + 30) / (-40 / -ly));
}

TEST(AimVector, ScrollTermIsZeroWhileClampedOrStill) {
  EXPECT_EQ(ScrollTerm(1.5, 0), 1.5);
  EXPECT_EQ(ScrollTerm(1.5, 1), 0.0);
  EXPECT_EQ(ScrollTerm(-0.25, 0), -0.25);
  EXPECT_EQ(ScrollTerm(0, 0), 0.0);
}

TEST(AxisAim, DirectionSpeedArrivalAndAdditiveScroll) {
  struct Case {
    const char* what;
    bool vertical;
    double from, to, speed;
    int moverSynced;
    eAimTarget target;
    int arrival;
    cAimScroll scroll;
    double v;
    int direction, result;
  } cases[] = {
      {"x toward the left", false, 10, 0, 3, 0, eAimTarget::kNone, 1, {}, -3, 1, 0},
      {"x toward the right", false, 0, 10, 3, 0, eAimTarget::kNone, 1, {}, 3, 2, 0},
      {"x at the point moves left and arrives", false, 5, 5, 3, 0, eAimTarget::kNone, 1, {}, -3, 1, 1},
      {"x arrival needs more than the distance", false, 0, 3, 3, 0, eAimTarget::kNone, 1, {}, 3, 2, 0},
      {"x arrival with a negative speed", false, 0, 2, -3, 0, eAimTarget::kNone, 1, {}, -3, 2, 1},
      {"x additive scroll for an unsynced mover", false, 0, 10, 3, 0, eAimTarget::kSynced, 0, {1, 2, 1}, 4, 2, 0},
      {"x scroll ignored without additive sync", false, 0, 10, 3, 0, eAimTarget::kSynced, 0, {1, 2, 0}, 3, 2, 0},
      {"x scroll ignored for a synced mover", false, 0, 10, 3, 1, eAimTarget::kSynced, 0, {1, 2, 1}, 3, 2, 0},
      {"x scroll ignored for an unsynced target", false, 0, 10, 3, 0, eAimTarget::kUnsynced, 0, {1, 2, 1}, 3, 2, 0},
      {"y upward, direction 0", true, 10, 0, 3, 0, eAimTarget::kNone, 0, {}, -3, 0, 0},
      {"y additive scroll", true, 0, 10, 3, 0, eAimTarget::kSynced, 1, {1, 2, 1}, 5, 0, 0},
      {"y at the point arrives", true, 4, 4, 0.5, 0, eAimTarget::kNone, 1, {}, -0.5, 0, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    double vx = -99, vy = -99;
    int direction = 7;
    const int result = c.vertical ? AxisAimY(vx, vy, direction, c.target, c.from, c.to, c.speed, c.moverSynced,
                                             c.arrival, c.scroll)
                                  : AxisAimX(vx, vy, direction, c.target, c.from, c.to, c.speed, c.moverSynced,
                                             c.arrival, c.scroll);
    EXPECT_EQ(c.vertical ? vy : vx, c.v);
    EXPECT_EQ(c.vertical ? vx : vy, 0.0);
    EXPECT_EQ(direction, c.direction);
    EXPECT_EQ(result, c.result);
  }
}

TEST(Wave, ValuesAndPhaseWrap) {
  const double w = 3.14159265358979323846 / 180;
  double phase = 0;
  EXPECT_DOUBLE_EQ(WaveSpeed(10, 1, phase, 1, 0, 1), w * 10);
  EXPECT_EQ(phase, 1.0);
  // The phase before the step counts, divided by N; the offset in degrees.
  phase = 90;
  EXPECT_NEAR(WaveSpeed(10, 1, phase, 2, 0, 2), w * std::cos(w * 45) * 5, 1e-15);
  EXPECT_EQ(phase, 92.0);
  phase = 0;
  EXPECT_NEAR(WaveAcceleration(8, 2, phase, 1, 45, 1), -8 * 4 * w * w * std::sin(w * 90), 1e-15);
  // N x 360 - 0.5 and a step of 1 leave 0.5; the wrap drops N x 360 once only.
  phase = 2 * 360 - 0.5;
  WaveSpeed(10, 3, phase, 1, 0, 2);
  EXPECT_EQ(phase, 0.5);
  phase = 10;
  WaveAcceleration(10, 3, phase, 2000, 0, 2);
  EXPECT_EQ(phase, 2010.0 - 720);
  // Rate 0 and extreme amplitudes stay finite.
  phase = 0;
  EXPECT_EQ(WaveSpeed(10, 0, phase, 1, 0, 1), 0.0);
  EXPECT_TRUE(std::isfinite(WaveAcceleration(INT_MIN, INT_MAX, phase, 1, 0, 1)));
}

// From the first step of a wave, the speed and then the accelerations sum to
// a x sin(w x t), t in frames.
TEST(Wave, SpeedThenAccelerationsTraceTheSine) {
  const int a = 32, rate = 4;
  const double n = 5;
  double phase = 0, position = 0;
  double speed = WaveSpeed(a, rate, phase, 1, 0, n);
  for (int step = 1; step <= 450; ++step) {
    position += speed;
    if (step % 5 == 0) {
      SCOPED_TRACE(step);
      EXPECT_NEAR(position, a * std::sin(rate * 3.14159265358979323846 / 180 * step / n), 0.5);
    }
    speed += WaveAcceleration(a, rate, phase, 1, 0, n);
  }
}

}  // namespace
