#include "platform/present_slot.h"

#include <atomic>
#include <mutex>

namespace plat {
namespace {
std::mutex gSlotMutex;
PresentedFrame gSlot;
bool gSlotFull = false;
std::atomic<uint64_t> gSubmitted{0};
std::atomic<uint64_t> gFrameNumber{0};
std::atomic<FrameSink> gSink{nullptr};
std::atomic<FrameWake> gWake{nullptr};
}  // namespace

namespace {

// Fills the slot's pixels through put (under the slot's lock), numbers the frame,
// hands it to the sink and wakes the window thread.
template <class Put>
void Submit(int width, int height, Put put) {
  uint64_t count = gSubmitted.fetch_add(1) + 1;
  uint64_t number = gFrameNumber.load();
  if (number == 0) number = count;
  {
    std::lock_guard<std::mutex> lock(gSlotMutex);
    gSlot.width = width;
    gSlot.height = height;
    put(gSlot.pixels);
    gSlot.number = number;
    gSlotFull = true;
    if (FrameSink sink = gSink.load()) sink(gSlot);
  }
  if (FrameWake wake = gWake.load()) wake();
}

}  // namespace

void SubmitFrame(const uint32_t* xrgb, int width, int height) {
  Submit(width, height, [&](std::vector<uint32_t>& slot) { slot.assign(xrgb, xrgb + static_cast<size_t>(width) * height); });
}

void SubmitFrame(std::vector<uint32_t>& xrgb, int width, int height) {
  Submit(width, height, [&](std::vector<uint32_t>& slot) { slot.swap(xrgb); });
}

bool TakeFrame(PresentedFrame& out) {
  std::lock_guard<std::mutex> lock(gSlotMutex);
  if (!gSlotFull) return false;
  out = gSlot;
  gSlotFull = false;
  return true;
}

uint64_t SubmittedFrameCount() { return gSubmitted.load(); }

void SetFrameNumber(uint64_t number) { gFrameNumber.store(number); }

void SetFrameSink(FrameSink sink) { gSink.store(sink); }
void SetFrameWake(FrameWake wake) { gWake.store(wake); }

}  // namespace plat
