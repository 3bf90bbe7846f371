#include "app/base/timing.h"

#include "platform/clock.h"

namespace {
uint32_t gFrameStart = 0;
uint32_t gLastFrameTime = 0;
int gGateCounter = 0;
bool gFpsStarted = false;
uint32_t gSecondStart = 0;
int gFramesThisSecond = 0;
int gLastFps = 0;
bool gRateStarted = false;
uint32_t gNextTick = 0;

// a is at or after b on the wrapping millisecond clock
bool AtOrAfter(uint32_t a, uint32_t b) { return static_cast<int32_t>(a - b) >= 0; }
}  // namespace

uint32_t StartFrameTimer() {
  gFrameStart = plat::TimeGetTime();
  return gFrameStart;
}

uint32_t GetFrameTime(bool recompute) {
  if (recompute) gLastFrameTime = plat::TimeGetTime() - gFrameStart;
  return gLastFrameTime;
}

int CountFPS(bool count) {
  uint32_t now = plat::TimeGetTime();
  if (!gFpsStarted) {
    gFpsStarted = true;
    gSecondStart = now;
  }
  if (count) {
    if (static_cast<int32_t>(now - gSecondStart) > 999) {
      gLastFps = gFramesThisSecond;
      gSecondStart = now;
      gFramesThisSecond = 0;
    } else {
      ++gFramesThisSecond;
    }
  }
  return gLastFps;
}

bool CountGate(int mode, int n) {
  if (mode == 0) {
    gGateCounter = 0;
    return false;
  }
  if (mode == 2) return gGateCounter == 0;
  if (++gGateCounter >= n) {
    gGateCounter = 0;
    return true;
  }
  return false;
}

bool RateGate(int rate) {
  uint32_t now = plat::TimeGetTime();
  if (!gRateStarted) {
    gRateStarted = true;
    gNextTick = now;
  }
  if (rate == 0) return true;
  if (!AtOrAfter(now, gNextTick)) return false;
  gNextTick = now + 1000 / rate;
  return true;
}

void ResetFrameTiming() {
  gFrameStart = gLastFrameTime = 0;
  gGateCounter = 0;
  gFpsStarted = gRateStarted = false;
  gSecondStart = gNextTick = 0;
  gFramesThisSecond = gLastFps = 0;
}
