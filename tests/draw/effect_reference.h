#pragma once
#include "draw/dd_types.h"

// Plain, pixel-by-pixel forms of the pixel effects that have faster paths in the
// drawing layer: the fast paths must give exactly these pixels.

// The lens: one square root and two divisions for every point, rows top to bottom.
bool LensReference(DDSURFACEDATA* lpDstSD, int cx, int cy, int nRadius, int nDepth, DDSURFACEDATA* lpSrcSD, int scx,
                   int scy, int nKey, int bClear);
