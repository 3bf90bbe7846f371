#include "chara/bounds_rules.h"

#include <climits>
#include <cmath>

#include "stage/scroll_axis.h"

int ClampAxisX(double& pos, int size, const cScrollAxis& a, int mode) {
  if (!std::isfinite(pos)) pos = 0.0;
  const double right = pos + size - 1;
  switch (mode) {
    case 0:
      if (pos < a.m_nMin) pos = a.m_nMin;
      else if (right >= a.m_nMax) pos = static_cast<double>(a.m_nMax) - size;
      return 0;
    case 1:
      if (pos < a.m_nBaseMin) {
        pos = a.m_nBaseMin;
        return 0;
      }
      if (right >= a.m_nBaseMax) {
        pos = static_cast<double>(a.m_nBaseMax) - size;
        return 0;
      }
      return pos < a.m_nMin || right >= a.m_nMax ? 1 : 0;
    case 2:
      if (pos < 0) {
        pos = 0;
        return 3;
      }
      if (right >= a.m_nOuterLimit) {
        pos = static_cast<double>(a.m_nOuterLimit) - size;
        return 3;
      }
      if (pos < a.m_nBaseMin || right >= a.m_nBaseMax) return 2;
      return pos < a.m_nMin || right >= a.m_nMax ? 1 : 0;
    default:
      return 0;
  }
}

int ClampAxisY(double& pos, int size, const cScrollAxis& a, int mode) {
  if (!std::isfinite(pos)) pos = 0.0;
  const double bottom = pos + size - 1;
  switch (mode) {
    case 0:
      if (pos < a.m_nMin) pos = a.m_nMin;
      else if (bottom >= a.m_nMax) pos = static_cast<double>(a.m_nMax) - size;
      return 0;
    case 1:
      if (pos < a.m_nBaseMin) {
        pos = a.m_nBaseMin;
        return 0;
      }
      if (bottom >= a.m_nBaseMax) {
        pos = static_cast<double>(a.m_nBaseMax) - size;
        return 0;
      }
      if (pos < a.m_nMin) return 1;
      return bottom >= a.m_nMax ? 4 : 0;
    case 2:
      if (pos < 0) {
        pos = 0;
        return 3;
      }
      if (bottom >= a.m_nOuterLimit) {
        pos = static_cast<double>(a.m_nOuterLimit) - size;
        return 6;
      }
      if (pos < a.m_nBaseMin) return 2;
      if (bottom >= a.m_nBaseMax) return 5;
      if (pos < a.m_nMin) return 1;
      return bottom >= a.m_nMax ? 4 : 0;
    default:
      return 0;
  }
}

bool AxisInView(double pos, double end, const cScrollAxis& a) {
  const double s = a.m_dPos;
  return end >= s && s + a.m_nViewSize > pos;
}

namespace {

double ShareToSpeed(double d, double steps) {
  if (d > 0) return (std::sqrt(1 + 128 * steps * d) - 1) / (2 * steps);
  if (d < 0) return -(std::sqrt(1 - 128 * steps * d) - 1) / (2 * steps);
  return 0.0;
}

}  // namespace

void ImpactSpeeds(double& speedX, double& speedY, int8_t strength, double dirX, double dirY, double steps) {
  if (strength == 0) return;
  const double f = std::fabs(dirX) + std::fabs(dirY);
  if (!(f > 0) || !std::isfinite(f) || !(steps >= 1)) {
    speedX = speedY = 0.0;
    return;
  }
  speedX = ShareToSpeed(dirX * strength / f, steps);
  speedY = ShareToSpeed(dirY * strength / f, steps);
}

void DistanceInterval(int& low, int& high, int start, int size, int reachLow, int reachHigh, bool whole) {
  // In 64 bits, kept within the int range: reaches come from flows.
  const long long half = size >> 1;
  const long long c = static_cast<long long>(start) + half;
  long long lo = c, hi = c;
  if (reachLow != 0) lo = c - half - reachLow;
  if (reachHigh != 0) hi = c + half + reachHigh;
  if (reachLow == 0 && reachHigh == 0 && whole) {
    lo = c - half;
    hi = c + half;
  }
  auto fit = [](long long v) { return static_cast<int>(v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : v); };
  low = fit(lo);
  high = fit(hi);
}

double ToStepAcceleration(double value, double steps) { return value / steps / 60.0; }

int32_t ScaleDots(int32_t value, int scale) {
  const long long v = static_cast<long long>(value) * scale;
  return static_cast<int32_t>(v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : v);
}
