#include "chara/jump_rules.h"

#include <climits>
#include <cmath>

namespace {

// A double as an int: truncated toward zero, kept within the int range (NaN as 0).
int ClampToInt(double v) {
  if (!(v == v)) return 0;
  if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(v);
}

// A speed that overflowed to infinity is held at the largest finite value.
double Finite(double v) {
  if (std::isfinite(v)) return v;
  if (!(v == v)) return 0.0;
  return v > 0 ? 1.0e300 : -1.0e300;
}

}  // namespace

double HblToDots(int8_t hbl) { return hbl * 16.0; }

double StopToFriction(const cStageTiming& t, int stop) { return stop * 0.01 / t.dStepsSquared; }

double JumpSpeedFactor(const cStageTiming& t, int kind) { return kind == 0 ? 0.99 - t.dGravity * 0.025 : 1.0; }

double JumpSpeedUnscaled(const cStageTiming& t, double dots) {
  const double g = t.dGravityPerStep;
  if (!(g > 0)) return 0.0;
  // The radicand is negative only for a height below -g/8: that jump peaks at once.
  const double radicand = g * (g + 8.0 * dots);
  return Finite((-g - std::sqrt(radicand > 0 ? radicand : 0.0)) * 0.5);
}

double JumpSpeedForDots(const cStageTiming& t, int kind, double dots) {
  return Finite(JumpSpeedUnscaled(t, dots) * JumpSpeedFactor(t, kind));
}

double JumpSpeedForHbl(const cStageTiming& t, int kind, int8_t hbl) {
  return JumpSpeedForDots(t, kind, HblToDots(hbl));
}

int FramesToApex(const cStageTiming& t, double speed) {
  const double g = t.dGravityPerStep;
  if (!(g > 0)) return t.nSteps;
  // A speed that already points down (only an absurd gravity setting scales the
  // player's jump that way) has its apex now, not in the past.
  const int steps = ClampToInt(t.dSteps - speed / g);
  return steps < 0 ? 0 : steps;
}

int JumpTimeTenths(const cStageTiming& t, int kind, int8_t hbl) {
  // The division comes first, so the + 1 never passes INT_MAX.
  return FramesToApex(t, JumpSpeedForHbl(t, kind, hbl)) / t.nSteps / 6 + 1;
}

int TenthsToSteps(const cStageTiming& t, int tenths) {
  const long long steps = static_cast<long long>(tenths) * t.nSteps6;
  if (steps > INT_MAX) return INT_MAX;
  if (steps < INT_MIN) return INT_MIN;
  return static_cast<int>(steps);
}

cInertiaJump InertiaJumpHeight(const cStageTiming& t, double moveSpeedX, int maxSpeed, int fullHeight, int minSpeed,
                               int lowHeight) {
  cInertiaJump j;
  j.dMoveSpeed = std::fabs(moveSpeedX);
  j.dMaxSpeed = maxSpeed / (10.0 * t.dSteps);
  j.dMinSpeed = minSpeed / (10.0 * t.dSteps);
  if (j.dMoveSpeed >= j.dMaxSpeed) {
    j.nHeight = fullHeight;
  } else if (j.dMinSpeed < j.dMoveSpeed) {
    // Here 0 <= speed < max, so max > 0; the difference is taken in 64 bits.
    const double span = static_cast<double>(static_cast<long long>(fullHeight) - lowHeight);
    j.nHeight = ClampToInt(lowHeight + span * j.dMoveSpeed / j.dMaxSpeed);
  } else {
    j.nHeight = lowHeight;
  }
  return j;
}

double ApplyFrictionTo(double speed, double friction) {
  if (speed > 0) {
    speed -= friction;
    return speed < 0 ? 0.0 : speed;
  }
  if (speed < 0) {
    speed += friction;
    return speed > 0 ? 0.0 : speed;
  }
  return speed;
}
