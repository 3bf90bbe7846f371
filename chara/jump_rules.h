#pragma once
#include <cstdint>

#include "data/stage_timing.h"

// The jump and friction rules of the characters, as pure functions of the stage's
// timing. Every result is finite and every count fits an int, whatever the stage's
// gravity or the command's values.

// Half-blocks (16 dots) to dots; the height is a signed byte.
double HblToDots(int8_t hbl);
// The per-step friction of a definition's `stop` status: stop x 0.01 / N squared.
double StopToFriction(const cStageTiming& t, int stop);

// The player's jump speeds are scaled by 0.99 - G x 0.025 (G the stage's gravity
// setting itself); other characters' are not.
double JumpSpeedFactor(const cStageTiming& t, int kind);
// The initial speed y of a jump that rises `dots` under the stage's gravity per
// step g: (-g - sqrt(g x (g + 8 dots))) / 2, without the player's factor. Without
// gravity (g 0 or less) nothing pulls the character back, so a jump has no speed;
// a negative height below -g/8 rises no more than a height of 0.
double JumpSpeedUnscaled(const cStageTiming& t, double dots);
// The same with the player's factor for kind 0.
double JumpSpeedForDots(const cStageTiming& t, int kind, double dots);
double JumpSpeedForHbl(const cStageTiming& t, int kind, int8_t hbl);
// Logic steps until gravity has used an upward speed up: trunc(N - speed / g), kept
// within 0 and INT_MAX; N without gravity.
int FramesToApex(const cStageTiming& t, double speed);
// A jump command's time in tenths of a second: apex steps / N / 6 + 1.
int JumpTimeTenths(const cStageTiming& t, int kind, int8_t hbl);
// A time in tenths of a second as logic steps (tenths x 6N), kept within the int range.
int TenthsToSteps(const cStageTiming& t, int tenths);

// The player's inertia jump: the jump height follows the run speed between the
// command's minimum speed (value 3) and maximum speed (value 1), both in tenths of
// a dot per frame, from the low height (value 4) to the full height (value 2).
struct cInertiaJump {
  double dMoveSpeed = 0;  // |move speed x|
  double dMaxSpeed = 0;   // value 1 / (10 N)
  double dMinSpeed = 0;   // value 3 / (10 N)
  int32_t nHeight = 0;    // hbl, before its low byte is taken as the jump's height
};
cInertiaJump InertiaJumpHeight(const cStageTiming& t, double moveSpeedX, int maxSpeed, int fullHeight, int minSpeed,
                               int lowHeight);

// Moves a speed toward 0 by the friction, never past it.
double ApplyFrictionTo(double speed, double friction);
