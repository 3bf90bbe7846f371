#pragma once
#include "draw/dd_types.h"

// Plain, pixel-by-pixel forms of the pixel effects that have faster paths in the
// drawing layer: the fast paths must give exactly these pixels.

// The lens: one square root and two divisions for every point, rows top to bottom.
bool LensReference(DDSURFACEDATA* lpDstSD, int cx, int cy, int nRadius, int nDepth, DDSURFACEDATA* lpSrcSD, int scx,
                   int scy, int nKey, int bClear);

// The mosaic: every sample and every written pixel checked against its surface.
bool MosaicReference(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nBlock, DDSURFACEDATA* lpSrcSD,
                     int sx, int sy, int nKey);

// The rotated blit's pixel path: every pixel's source checked on its own.
bool RotateReference(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int px, int py, int nAngle,
                     DDSURFACEDATA* lpSrcSD, int sx, int sy, int nKey);
