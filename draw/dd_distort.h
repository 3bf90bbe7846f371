#pragma once
#include "draw/dd_types.h"

// Distortion blits: a picture drawn as shifted lines, stripes, a card turning in
// depth, pushed-apart quarters, a circle and a lens. All but the lens are built
// from the clipping blits (gathered in one unsorted blit batch under Direct3D);
// the lens works on locked pixels. nFlags are blit flags (1: source colour key).

// Lines of nLineSize pixels (rows when nDirection is 0, else columns), each moved
// sideways (rows) or up and down (columns) by trunc(dAmplitude x sin((nPhase +
// sum) x nCycles degrees)), sum growing by 360 x nLineSize / the size across the
// lines before each line. Nothing for a line size of 0 or below.
void DDBltWave(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nCycles, double dAmplitude,
               int nPhase, int nLineSize, DDSURFACEDATA* lpSrcSD, int sx, int sy, int nFlags, int nDirection);

// Whole stripes of nStripe pixels (rows when nDirection is 0, else columns): odd
// stripes moved by -nOffset (left, up), then even ones by +nOffset; the remainder
// at the far edge is not drawn. A stripe size of 0 is a plain blit (its result).
int DDBltSplit(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nStripe, int nOffset,
               DDSURFACEDATA* lpSrcSD, int sx, int sy, int nFlags, int nDirection);

// A card turning about its vertical (nAxis 0) or horizontal (nAxis 1) axis: the
// front or back picture stretched into the rectangle narrowed by an inset that
// rises and falls with nProgress (one turn every 2 x the size along the axis).
int DDBltRotateDepth(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpFrontSD,
                     int fx, int fy, DDSURFACEDATA* lpBackSD, int bx, int by, int nSrcWidth, int nSrcHeight,
                     int nFlags, int nProgress, int nAxis);

// The four nWidth/2 x nHeight/2 quarters moved apart diagonally by nDistance.
void DDBltBurst(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrcSD, int sx,
                int sy, int nDistance, int nFlags);

// The part of the picture inside a circle of nRadius about (scx, scy), drawn
// about (cx, cy) in bands of nBand rows, within nHalfWidth and nHalfHeight of the
// centre. Nothing for a radius or band of 0 or below.
void DDBltCircle(DDSURFACEDATA* lpDstSD, int cx, int cy, int nHalfWidth, int nHalfHeight, int nRadius, int nBand,
                 DDSURFACEDATA* lpSrcSD, int scx, int scy, int nFlags);

// A circle of nRadius about (cx, cy) showing the picture about (scx, scy) through
// a convex lens of depth nDepth (a larger depth magnifies less). Under Direct3D at
// 32 bits a non-zero bClear writes the whole square around the circle (0 where
// nothing is shown). False for a negative radius or depth, a lens that cannot be
// formed or a failed lock; true after drawing.
bool DDBltLens(DDSURFACEDATA* lpDstSD, int cx, int cy, int nRadius, int nDepth, DDSURFACEDATA* lpSrcSD, int scx,
               int scy, int nKey, int bClear);
