#include "app/base/timing.h"

#include "draw/dd_globals.h"
#include "draw/dd_sheet_text.h"
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
bool gPacingStarted = false;
uint32_t gPresentSecondStart = 0;
int gPresentsThisSecond = 0;

// A ring of the last 16 values whose average is taken each time it wraps.
struct cAverageRing {
  uint32_t values[16] = {};
  int index = 0;
  uint32_t average = 0;
  void Add(uint32_t v) {
    values[index] = v;
    if (++index == 16) {
      index = 0;
      uint32_t sum = 0;
      for (uint32_t x : values) sum += x;
      average = sum >> 4;
    }
  }
};
cAverageRing gPresentFrameTimes, gPresentFps;

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

bool FramePacing(int rate, bool bStats, DDSURFACEDATA* lpCharSD) {
  if (!lpDTCon || rate <= 0) return true;
  const uint32_t now = plat::TimeGetTime();
  if (!gPacingStarted) {
    gPacingStarted = true;
    gPresentSecondStart = now;
  }
  // The target is taken in floating point: at 60 frames the k-th goes at 16.67 k ms.
  const double target = (1000.0 / rate) * gPresentsThisSecond;
  if (static_cast<double>(static_cast<int32_t>(now - gPresentSecondStart)) < target) return false;
  const bool stats = bStats && lpCharSD;
  if (stats) {
    gPresentFrameTimes.Add(GetFrameTime(false));
    gPresentFps.Add(static_cast<uint32_t>(CountFPS(false)));
  }
  if (++gPresentsThisSecond >= rate) {
    gPresentsThisSecond = 0;
    gPresentSecondStart = now;
  }
  if (stats)
    DDDrawSheetTextF(&BackBuffer, 0, 16, 8, 16, lpCharSD, "FPS-Ave %u(%u)\ndwTime_OneSec %u\nnFrameCt_OneSec %u",
                     gPresentFps.average, gPresentFrameTimes.average, gPresentSecondStart,
                     static_cast<unsigned>(gPresentsThisSecond));
  return true;
}

void ResetFrameTiming() {
  gFrameStart = gLastFrameTime = 0;
  gGateCounter = 0;
  gFpsStarted = gRateStarted = false;
  gSecondStart = gNextTick = 0;
  gFramesThisSecond = gLastFps = 0;
  gPacingStarted = false;
  gPresentSecondStart = 0;
  gPresentsThisSecond = 0;
  gPresentFrameTimes = cAverageRing{};
  gPresentFps = cAverageRing{};
}
