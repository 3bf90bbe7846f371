#include "stage/shot_schedule.h"

cVector<int> ShotHitSchedule(int steps, int k) {
  const int n = steps < 1 ? 1 : steps;
  // A negative count would make the spacing negative and the walk below endless:
  // it means every step, as 0 does.
  // A count of N or more reaches every step too (the spacing is a step or less);
  // answered at once, so a huge count from a damaged file costs no long walk.
  if (k <= 0 || k >= n) return cVector<int>(n, 1);
  cVector<int> flags(n, 0);
  const double step = static_cast<double>(n) / k;
  int set = 0;
  for (double p = 0.0; static_cast<int>(p) < n; p += step) {
    if (!flags[static_cast<size_t>(p)]) ++set;
    flags[static_cast<size_t>(p)] = 1;
  }
  if (set < k) flags[static_cast<size_t>(n - 1)] = 1;
  return flags;
}
