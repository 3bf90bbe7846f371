#pragma once
#include "draw/dd_types.h"

// The rotated blit: the nWidth x nHeight rectangle of lpSrcSD at (sx, sy) turned
// by nAngle whole degrees (clockwise on the screen) about the pivot (px, py)
// inside it, the pivot landing at (x, y). Direct3D draws one textured quad when
// the destination is a render target and the source a texture (with the vertex
// colour and texture operations of the next blits); otherwise every destination
// pixel of the turned rectangle takes its nearest source pixel, nKey 1 skipping
// transparent ones. True when drawn or when a surface is missing; false when a
// surface cannot be locked.
bool DDBltRotate(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int px, int py, int nAngle,
                 DDSURFACEDATA* lpSrcSD, int sx, int sy, int nKey);

// The pixel path's fixed-point sine and cosine of a whole-degree angle: 10
// fractional bits, truncated (30 degrees gives 511 and 886).
void DDRotateFactors(int nAngle, int* lpSin, int* lpCos);
