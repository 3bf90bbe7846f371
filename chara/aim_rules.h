#pragma once

// The steering arithmetic that shots and moving characters share: a speed vector
// toward a point (led against the auto-scroll when the target moves with the view
// and the mover does not), the same on one axis, and a sine wave as a speed and as
// an acceleration. Plain values in, plain values out; the objects call these with
// their members, and the probe and the tests call the very same functions.
// Positions are screen dots, speeds dots per logic step.

// What an aim knows of its target object: none, or whether its auto-scroll sync
// flag is set.
enum class eAimTarget { kNone = 0, kSynced = 1, kUnsynced = 2 };

// The auto-scroll as the aims see it: each axis's term (the axis's auto-scroll
// speed, or 0 while that speed is 0 or the axis is clamped) and the game-wide
// additive scroll sync setting.
struct cAimScroll {
  double dSx = 0;
  double dSy = 0;
  int bAdditive = 0;
};

// An axis's scroll term: its auto-scroll speed unless the axis is clamped.
double ScrollTerm(double autoSpeed, int clamped);

// The speed vector from (fromX, fromY) toward (toX, toY) at `speed` into vx, vy and
// the facing code into direction (1 left, 2 right, 0 neither). A negative speed
// with plain clear flees diagonally instead. When the lead against the scroll
// cannot be solved the vector stays the plain one, the direction is left as it
// was and the result is 0. 1 when reportArrival is set and the point is within
// |speed| on both axes; else 0.
int AimVector(double& vx, double& vy, int& direction, eAimTarget target, double fromX, double fromY, double toX,
              double toY, double speed, int moverSynced, int plain, int reportArrival, const cAimScroll& scroll);

// The aims on one axis: the speed toward `to` on that axis, the other speed 0.
// AxisAimX sets the facing, AxisAimY always sets direction 0. 1 when
// reportArrival is set and |speed| is more than the distance left.
int AxisAimX(double& vx, double& vy, int& direction, eAimTarget target, double from, double to, double speed,
             int moverSynced, int reportArrival, const cAimScroll& scroll);
int AxisAimY(double& vx, double& vy, int& direction, eAimTarget target, double from, double to, double speed,
             int moverSynced, int reportArrival, const cAimScroll& scroll);

// A sine wave of amplitude `amplitude` dots at `rate` degrees per frame, stepped
// per logic step (steps = the real-valued logic steps per frame): the speed, or
// the acceleration, of this step from the phase before the step; the phase then
// moves on by phaseStep and wraps once at steps x 360. Started with the speed and
// continued with the accelerations, the sums follow amplitude x sin(rate x t).
double WaveSpeed(int amplitude, int rate, double& phase, double phaseStep, double phaseOffset, double steps);
double WaveAcceleration(int amplitude, int rate, double& phase, double phaseStep, double phaseOffset, double steps);
