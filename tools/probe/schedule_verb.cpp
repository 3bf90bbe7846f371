// schedule N K: the shot-hit schedule of a stage with N logic steps per frame and
// the shot-hit setting K, as stage set-up builds it: one flag per logic step.
#include <climits>
#include <cstdio>

#include "stage/shot_schedule.h"
#include "tools/probe/probe.h"

namespace {

int Schedule(probe::cArgs& a, std::string& error) {
  int steps = 0, k = 0;
  if (!a.PosInt(0, "N", steps, INT_MIN, INT_MAX, error) || !a.PosInt(1, "K", k, INT_MIN, INT_MAX, error) ||
      !a.NoneLeft(error))
    return 2;
  // A frame runs at least one logic step, and no stage runs more than 19.
  if (steps < 1 || steps > 19) {
    error = "N " + std::to_string(steps) + ": expected logic steps per frame from 1 to 19";
    return 2;
  }
  const cVector<int> flags = ShotHitSchedule(steps, k);
  std::string line = "flags=";
  for (int i = 0; i < flags.Count(); ++i) line += (i ? "," : "") + std::to_string(flags[static_cast<size_t>(i)]);
  std::printf("%s\n", line.c_str());
  return 0;
}

}  // namespace

PROBE_VERB("schedule", "N K", Schedule);
