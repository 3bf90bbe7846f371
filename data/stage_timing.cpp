#include "data/stage_timing.h"

#include <cmath>

int PlayedLevel(int level) {
  if (level < 1) return 1;
  if (level > 19) return 19;
  return level;
}

cStageTiming StageTimingFor(int level, double gravity) {
  cStageTiming t;
  t.nLevel = PlayedLevel(level);
  const int steps = t.nLevel >= 11 ? t.nLevel - 10 : t.nLevel;
  t.nSteps = steps;
  t.dSteps = steps;
  t.dStepsSquared = static_cast<double>(steps) * steps;
  t.dSpeedLimit = t.nLevel >= 11 ? 60.0 : 6.0 * steps;
  t.dSpeedLimitPerStep = t.dSpeedLimit / steps;
  t.dGravity = std::isfinite(gravity) ? gravity : 0.0;
  t.dGravityPerStep = t.dGravity / t.dStepsSquared;
  t.nSteps8 = 8 * steps;
  t.nSteps6 = 6 * steps;
  return t;
}
