#pragma once
#include "draw/dd_types.h"

// The frame gate of the Direct3D present (vsync off): within each run of `rate`
// frames the k-th frame may go from the run's start + k x 1000 / rate ms on; a new
// run starts when the rate-th frame goes. True at once without the Direct3D back
// end or with rate 0. With bStats and a character sheet, the frame that goes draws
// the present's statistics on the back buffer.
bool FramePacing(int rate, bool bStats, DDSURFACEDATA* lpCharSD);

// Forgets the pacing state (tests, and a new run of the frame loop).
void ResetFramePacing();
