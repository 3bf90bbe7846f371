#pragma once
#include <cstdint>

class cEdKeyCondition;

// What a character's jump step reads and changes of its running jump command: the
// command's values (value 0 the kind; values 1 to 4 the inertia jump's speeds and
// heights), its time and countdown in logic steps, the steps it has run, whether
// it has jumped, the jump speed prepared for it, its sound and the last key
// condition of the flow that runs it (null when the flow has none). The command's
// state keeps one and hands it to StepJump on every step of the command.
struct cJumpRun {
  int32_t nValues[5] = {0, 0, 0, 0, 0};
  int32_t nTime = 0;
  int32_t nCountdown = 0;
  int32_t nStepCount = 0;
  int32_t bStarted = 0;
  double dSpeed = 0;
  int16_t nSound = 0;
  const cEdKeyCondition* pLastKey = nullptr;
};
