#include "platform/clock.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace plat {
namespace {

using Steady = std::chrono::steady_clock;
const Steady::time_point kStart = Steady::now();
std::atomic<bool> gVirtual{false};
std::atomic<uint32_t> gVirtualNow{0};

}  // namespace

uint32_t TimeGetTime() {
  if (gVirtual.load(std::memory_order_acquire)) return gVirtualNow.load(std::memory_order_acquire);
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Steady::now() - kStart).count();
  return static_cast<uint32_t>(ms);
}

void Sleep(uint32_t ms) {
  if (gVirtual.load(std::memory_order_acquire)) {
    gVirtualNow.fetch_add(ms, std::memory_order_acq_rel);
    // Other threads still need real time to make progress on what the sleeper polls for.
    if (ms == 0)
      std::this_thread::yield();
    else
      std::this_thread::sleep_for(std::chrono::microseconds(50));
    return;
  }
  if (ms == 0) {
    std::this_thread::yield();
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void UseVirtualClock(bool on) {
  gVirtualNow.store(0, std::memory_order_release);
  gVirtual.store(on, std::memory_order_release);
}

bool IsVirtualClock() { return gVirtual.load(std::memory_order_acquire); }

}  // namespace plat
