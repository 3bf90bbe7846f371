#pragma once
#include <cstdint>

namespace plat {

// Milliseconds since the program started, from the monotonic clock, wrapping as an
// unsigned 32-bit value: compare two readings by their signed difference.
uint32_t TimeGetTime();

// Sleeps for ms milliseconds. Under the virtual clock it advances time by ms and
// returns at once (after yielding), so runs are deterministic and fast.
void Sleep(uint32_t ms);

// The desktop's local date and time as GetLocalTime gives it: year, month, day of
// the week (0 Sunday), day, hour, minute, second, milliseconds.
struct LocalTime {
  uint16_t year, month, dayOfWeek, day, hour, minute, second, milliseconds;
};
LocalTime GetLocalTime();

// The virtual clock starts at 0 and only moves through Sleep.
void UseVirtualClock(bool on);
bool IsVirtualClock();

}  // namespace plat
