#include "platform/clock.h"

#include <atomic>
#include <chrono>
#include <ctime>
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

LocalTime GetLocalTime() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t t = system_clock::to_time_t(now);
  std::tm tm{};
  localtime_r(&t, &tm);
  const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
  auto u16 = [](long v) { return static_cast<uint16_t>(v); };
  return {u16(tm.tm_year + 1900L), u16(tm.tm_mon + 1L), u16(tm.tm_wday), u16(tm.tm_mday),
          u16(tm.tm_hour), u16(tm.tm_min), u16(tm.tm_sec), u16(ms)};
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
