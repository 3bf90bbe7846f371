#include "chara/target_move_rules.h"

#include <cmath>

#include "chara/aim_rules.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
const double kDiagonal = 1.0 / std::sqrt(2.0);

}  // namespace

int CircleTurning(int choice, int facing) {
  switch (choice) {
    case 1: return 1;
    case 2: return facing == 1 ? 1 : 0;
    case 3: return facing == 1 ? 0 : 1;
    default: return 0;
  }
}

void CircleStep(double& x, double& y, int extent, double& phaseX, double& phaseY, double speed, double steps,
                int turning, bool noX, bool flyingY) {
  x = y = 0;
  const double step = steps * speed;
  if (!noX) x = -WaveSpeed(extent, 1, phaseX, step, 0, steps) * speed;
  if (flyingY) y = -WaveSpeed(extent, 1, phaseY, step, turning == 1 ? 90 : 270, steps) * speed;
}

void ChargeTurn(double& x, double& y, int angle, double speed, int compat728, bool flying) {
  // The base angle is truncated to whole degrees before the turn is added.
  const double a = compat728 ? std::trunc(std::atan2(x, y) * 180 / kPi + 90) + angle
                             : std::trunc(std::atan2(y, x) * 180 / kPi + 180) + angle;
  const double r = a * kPi / 180;
  x = compat728 ? std::cos(r) * speed : -std::cos(r) * speed;
  if (flying) y = -std::sin(r) * speed;
}

bool HomingAim(cVector<cAimPoint>& queue, int stepCount, int delay, const cAimPoint& current, cAimPoint& aim) {
  // A delay below 0 (a damaged or arranged value) follows like no delay.
  if (delay <= 0) {
    aim = current;
    return true;
  }
  if (stepCount == 0 || queue.empty()) {
    queue.assign(1, current);
    aim = current;
    return true;
  }
  if (stepCount % delay != 0) return false;
  aim = queue.front();
  queue.push_back(current);
  queue.erase(queue.begin());
  return true;
}

bool WarpDirectionOffset(int code, double distance, double& dx, double& dy) {
  const double d = distance * kDiagonal;
  switch (code) {
    case 2: dx = -distance, dy = 0; return true;
    case 3: dx = distance, dy = 0; return true;
    case 6: dx = 0, dy = -distance; return true;
    case 7: dx = 0, dy = distance; return true;
    case 8: dx = -d, dy = -d; return true;
    case 9: dx = -d, dy = d; return true;
    case 10: dx = d, dy = -d; return true;
    case 11: dx = d, dy = d; return true;
    default: dx = dy = 0; return false;
  }
}

void WarpTargetOffset(int targetX, int targetY, int offsetX, int offsetY, int mirrorX, int mirrorY, int facing,
                      double& dx, double& dy) {
  dx = static_cast<double>(targetX) * 32 + offsetX;
  dy = static_cast<double>(targetY) * 32 + offsetY;
  if (facing == 1 && mirrorX) dx = -dx;
  if (facing == 1 && mirrorY) dy = -dy;
}
