#pragma once
#include <cstdint>

// The per-step constants of a stage, all derived from its processing level and
// its gravity setting. Play keeps speeds, accelerations and times per logic step,
// so every rule that converts a per-frame value goes through these.
struct cStageTiming {
  int32_t nLevel = 10;             // the level that plays
  int32_t nSteps = 10;             // logic steps per frame, never below 1
  double dSteps = 10;
  double dStepsSquared = 100;
  double dSpeedLimit = 60;         // dots per frame
  double dSpeedLimitPerStep = 6;   // dots per logic step
  double dGravity = 0.4;           // the stage's setting, dots per frame squared
  double dGravityPerStep = 0.004;  // dots per logic step squared
  int32_t nSteps8 = 80;            // logic steps without ground before a fall
  int32_t nSteps6 = 60;            // logic steps per tenth of a second
};

// The level that plays for a stored level: authors choose 1 to 19; one below 1
// plays as 1 (a frame always has a logic step) and one above 19, which no author
// can choose, as 19.
int PlayedLevel(int level);

// Levels 11 to 19 run level - 10 steps per frame with a speed limit of 60 dots per
// frame; levels 1 to 10 run `level` steps with 6 dots per frame and step. A
// gravity that is not a finite number counts as 0.
cStageTiming StageTimingFor(int level, double gravity);
