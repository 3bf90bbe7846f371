#include "draw/frame_pacing.h"

#include <cstdint>

#include "app/base/timing.h"
#include "draw/dd_globals.h"
#include "draw/dd_sheet_text.h"
#include "platform/clock.h"

namespace {
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
}  // namespace

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

void ResetFramePacing() {
  gPacingStarted = false;
  gPresentSecondStart = 0;
  gPresentsThisSecond = 0;
  gPresentFrameTimes = cAverageRing{};
  gPresentFps = cAverageRing{};
}
