#pragma once
#include "draw/dd_types.h"

// Virtual back-buffer mode: draws meant for BackBuffer go to VirBackBuffer. The
// switch and the copy blit, so they stand above the blits and the device state.
void DDSetVirBackBuffer(int bOn);
void DDCopyVirBackBuffer(DDSURFACEDATA* lpDstSD, DDSURFACEDATA* lpSrcSD);
