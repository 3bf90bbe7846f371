#pragma once
#include "draw/dd_types.h"

// Blur and mosaic: pixel effects that read a source rectangle and write the
// result into a destination surface (a different surface), working on locked
// pixels. The source rectangle (sx, sy, nWidth, nHeight) is expected inside the
// source; what lies outside it is never read. Destination writes are clipped to
// the destination. Both return false when a surface cannot be locked, else true.

// Each pixel becomes the average of the box of columns -rx..rx-1 and rows
// -ry..ry-1 around it, within the rectangle (with nKey 1, transparent samples are
// not counted and a transparent pixel is left as it is). Nothing at 8 bits per
// pixel (a trace line) and nothing for a radius of 0 or below.
bool DDBlur(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nRadiusX, int nRadiusY,
            DDSURFACEDATA* lpSrcSD, int sx, int sy, int nKey);

// The rectangle cut into nBlock x nBlock squares from its top-left corner (the
// last ones cut short), each drawn in one colour: its top-left source pixel
// (Direct3D, 8-bit DirectDraw) or the average of its pixels (16- and 32-bit
// DirectDraw). With nKey 1 transparent blocks are skipped. Nothing for a block
// size of 0 or below.
bool DDMosaic(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nBlock, DDSURFACEDATA* lpSrcSD,
              int sx, int sy, int nKey);
