#include "chara/aim_rules.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

int DirectionOf(double vx) { return vx < 0 ? 1 : vx > 0 ? 2 : 0; }

// The lead of an unsynced mover at a synced target: the velocity of length V
// whose motion relative to the scrolling view runs straight to the point. It is
// solved on the longer axis of (dx, dy) and the other axis follows from the time
// of the meeting. False when it has no answer; vx and vy then hold what the
// solving reached (the plain vector, or the new long-axis speed alone).
bool Lead(double& vx, double& vy, double fromX, double fromY, double toX, double toY, double sx, double sy) {
  const double dx = toX - fromX, dy = toY - fromY;
  const double v2 = vx * vx + vy * vy;
  const double cross = sx * sx * dy * dy + sy * sy * dx * dx - 2 * sx * sy * dx * dy;
  if (std::fabs(dx) <= std::fabs(dy)) {
    if (dy == 0) return false;
    const double a = dx * dx / (dy * dy) + 1;
    const double b = (2 * dx * dx * sy - 2 * sx * dx * dy) / (dy * dy);
    const double q = cross / (dy * dy) - v2;
    const double disc = b * b - 4 * a * q;
    // The scroll outruns the mover: no real meeting; keep the plain vector.
    if (!(disc >= 0)) return false;
    vy = (b + std::sqrt(disc)) / (2 * a);
    if (dy < 0) vy = -vy;
    if (sy - vy == 0) return false;
    const double t = (fromY - toY) / (sy - vy);
    if (t == 0) return false;
    vx = (t * sx + dx) / t;
    return true;
  }
  const double a = dy * dy / (dx * dx) + 1;
  const double b = (2 * dy * dy * sx - 2 * sy * dx * dy) / (dx * dx);
  const double q = cross / (dx * dx) - v2;
  const double disc = b * b - 4 * a * q;
  if (!(disc >= 0)) return false;
  vx = (b + std::sqrt(disc)) / (2 * a);
  if (dx < 0) vx = -vx;
  if (sx - vx == 0) return false;
  const double t = (fromX - toX) / (sx - vx);
  if (t == 0) return false;
  vy = (t * sy + dy) / t;
  return true;
}

int Flee(double& vx, double& vy, int& direction, eAimTarget target, double fromX, double fromY, double toX,
         double toY, double speed, int moverSynced, const cAimScroll& s) {
  const double k = -speed * (1.0 / std::sqrt(2.0));
  // Level with the point it runs right (down): the point counts as on the left (above).
  vx = toX <= fromX ? k : -k;
  vy = toY <= fromY ? k : -k;
  direction = DirectionOf(vx);
  if (s.bAdditive) {
    vx += s.dSx;
    vy += s.dSy;
  } else if (target != eAimTarget::kNone && (target == eAimTarget::kSynced) != (moverSynced != 0)) {
    vx -= s.dSx;
    vy -= s.dSy;
  }
  return 0;
}

// The wave's angular rate in radians per frame.
double WaveRate(int rate) { return rate * (kPi / 180); }

void StepPhase(double& phase, double phaseStep, double steps) {
  phase += phaseStep;
  if (phase >= steps * 360) phase -= steps * 360;
}

}  // namespace

double ScrollTerm(double autoSpeed, int clamped) { return autoSpeed != 0 && !clamped ? autoSpeed : 0.0; }

int AimVector(double& vx, double& vy, int& direction, eAimTarget target, double fromX, double fromY, double toX,
              double toY, double speed, int moverSynced, int plain, int reportArrival, const cAimScroll& s) {
  if (!plain && speed < 0) return Flee(vx, vy, direction, target, fromX, fromY, toX, toY, speed, moverSynced, s);
  const double dx = toX - fromX, dy = toY - fromY;
  double d = std::sqrt(dx * dx + dy * dy);
  if (d == 0) d = 1;
  vx = speed * dx / d;
  vy = speed * dy / d;
  if (s.bAdditive) {
    vx += s.dSx;
    vy += s.dSy;
  } else if (target == eAimTarget::kNone) {
  } else if (!moverSynced && target == eAimTarget::kSynced) {
    if ((s.dSx != 0 || s.dSy != 0) && !Lead(vx, vy, fromX, fromY, toX, toY, s.dSx, s.dSy)) return 0;
  } else if (target == eAimTarget::kUnsynced) {
    vx -= s.dSx;
    vy -= s.dSy;
  }
  direction = DirectionOf(vx);
  return reportArrival && std::fabs(dx) < std::fabs(speed) && std::fabs(dy) < std::fabs(speed) ? 1 : 0;
}

int AxisAimX(double& vx, double& vy, int& direction, eAimTarget target, double from, double to, double speed,
             int moverSynced, int reportArrival, const cAimScroll& s) {
  const double v = from >= to ? -speed : speed;
  direction = from >= to ? 1 : 2;
  vx = v;
  if (!moverSynced && target == eAimTarget::kSynced && s.bAdditive && s.dSx != 0) vx = s.dSx + v;
  vy = 0;
  return reportArrival && std::fabs(speed) > std::fabs(from - to) ? 1 : 0;
}

int AxisAimY(double& vx, double& vy, int& direction, eAimTarget target, double from, double to, double speed,
             int moverSynced, int reportArrival, const cAimScroll& s) {
  const double v = from >= to ? -speed : speed;
  direction = 0;
  vy = v;
  if (!moverSynced && target == eAimTarget::kSynced && s.bAdditive && s.dSy != 0) vy = s.dSy + v;
  vx = 0;
  return reportArrival && std::fabs(speed) > std::fabs(from - to) ? 1 : 0;
}

double WaveSpeed(int amplitude, int rate, double& phase, double phaseStep, double phaseOffset, double steps) {
  const double w = WaveRate(rate);
  const double value = w * std::cos(w * (phase / steps + phaseOffset)) * amplitude / steps;
  StepPhase(phase, phaseStep, steps);
  return value;
}

double WaveAcceleration(int amplitude, int rate, double& phase, double phaseStep, double phaseOffset, double steps) {
  const double w = WaveRate(rate);
  const double value =
      -static_cast<double>(amplitude) * w * w * std::sin(w * (phase / steps + phaseOffset)) / (steps * steps);
  StepPhase(phase, phaseStep, steps);
  return value;
}
