#include "draw/video_memory.h"

#include <cstdint>

#include "draw/dd_globals.h"
#include "platform/display/ddraw_device.h"

void GetVideoMemory(int* totalMB, int* freeMB) {
  uint32_t total = 0, free = 0;
  if (lpDD) lpDD->GetAvailableVidMem(&total, &free);
  if (totalMB) *totalMB = static_cast<int>(total >> 20);
  if (freeMB) *freeMB = static_cast<int>(free >> 20);
}

bool IsVideoMemoryLow(int percent) {
  int total = 0, free = 0;
  GetVideoMemory(&total, &free);
  if (total <= 0) return true;
  return int64_t{free} * 100 / total < percent;
}
