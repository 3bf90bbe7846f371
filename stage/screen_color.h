#pragma once
#include <cstdint>

// The colour laid over the finished stage picture: a tint that fades in and
// stays, a fade back to the previous colour, or repeated flashes. Transparency
// 255 shows the stage as it is, 0 only the colour.
class cScreenColor {
 public:
  int32_t bTinted = 0;      // a plain change was set once (lets an 8-bit revert act)
  uint8_t nRed = 0, nGreen = 0, nBlue = 0;
  int32_t nStrength = 0;    // percent of the colour at full strength
  int32_t bRevert = 0;      // fade the previous colour out instead of a new one in
  int32_t nDuration = 0;    // frames
  int32_t bFlash = 0;
  int32_t nFlashCount = 0;
  int32_t bActive = 0;
  int32_t nFrame = 0;       // frames into the current rise or fade
  int32_t nFlashesDone = 0;
  int32_t nTransparency = 255;
  uint8_t nPrevRed = 0, nPrevGreen = 0, nPrevBlue = 0;
  int32_t nPrevStrength = 0;
  int32_t nPrevTransparency = 255;

  // Stage set-up: nothing drawn, no previous colour.
  void Reset() { *this = cScreenColor(); }
  // Starts a change: the colour, strength (percent), revert, duration in tenths
  // of a second, flash and flash count. A revert with nothing to revert does nothing.
  void Set(int red, int green, int blue, int strength, int revert, int duration, int flash, int flashCount);
  // The transparency of this frame and, unless held, one frame on. The result
  // says what to draw: 0 nothing, 1 the colour at nTransparency in the current
  // colour, 2 in the previous colour (a revert), 3 the end of a flash (no colour).
  int Step(int held);
};
