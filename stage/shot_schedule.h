#pragma once
#include "app/base/vector.h"

// The shot-hit schedule of a stage: for each of the N logic steps of a frame
// (N below 1 counts as 1), whether shots meet characters in that step. K (the
// stage's shot-hit count) 0 or below: every step. Otherwise K steps spread evenly
// over the frame from step 0 (every step when K is N or more), and the last step
// when the spreading fell short of K.
cVector<int> ShotHitSchedule(int steps, int k);
