#pragma once
#include <cstdint>

#include "draw/dd_types.h"

// Blits, fills, pixels and circles, and the DirectDraw pixel lock.
//
// Blit flags: 0 copies the source rectangle as it is, 1 skips the source's
// transparent pixels.

// Stretch blit of the sw x sh source rectangle onto w x h at (x, y). Under
// Direct3D a negative source width or height draws the source mirrored. Returns
// the back end's result (0 when nothing remains after clipping).
int DDBlt(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrcSD, int sx, int sy,
          int nSrcWidth, int nSrcHeight, int nFlags);
// Same-size blit.
void DDBltFast(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrcSD, int sx, int sy,
               int nFlags);

// The per-blit vertex colour and texture colour operation of DDBltEx and DDBltFastEx.
struct DDBLTEXINFO {
  uint32_t dwDiffuse;  // A8R8G8B8
  uint32_t dwColorOp;
};
// Direct3D: the blit with this vertex colour and colour operation, both reset
// afterwards. DirectDraw (or a null lpEx): the plain blit.
int DDBltEx(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrcSD, int sx, int sy,
            int nSrcWidth, int nSrcHeight, int nFlags, const DDBLTEXINFO* lpEx);
void DDBltFastEx(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrcSD, int sx,
                 int sy, int nFlags, const DDBLTEXINFO* lpEx);

// Clips a blit to its source and (DirectDraw) its target; every value in and
// out. True when something remains to draw.
bool DDClipBlt(DDSURFACEDATA* lpDstSD, int& x, int& y, int& nWidth, int& nHeight, DDSURFACEDATA* lpSrcSD, int& sx,
               int& sy, int& nSrcWidth, int& nSrcHeight);
// Direct3D: a source rectangle given on a mirrored alias sheet becomes the
// mirrored rectangle of the sheet it stands for.
void DDMirrorSrcRect(DDSURFACEDATA* lpSrcSD, int& sx, int& sy, int& nSrcWidth, int& nSrcHeight);

// Fills with a palette number (0 is the transparent colour) or a device colour
// (A8R8G8B8 under Direct3D).
void DDFillRectPal(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, uint32_t dwPalNum);
void DDFillSurfacePal(DDSURFACEDATA* lpDstSD, uint32_t dwPalNum);
void DDFillRect(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, uint32_t dwColor);
void DDFillSurface(DDSURFACEDATA* lpDstSD, uint32_t dwColor);
// One pixel, nothing when it lies outside the target.
void DDSetPixel(DDSURFACEDATA* lpDstSD, int x, int y, uint32_t dwPalNum);
// A circle's outline (midpoint algorithm); nothing for a radius below 1. Points
// outside the target are skipped.
void DDCircle(DDSURFACEDATA* lpDstSD, int cx, int cy, int nRadius, uint32_t dwPalNum);

// DirectDraw: locks the whole surface; *lpBits receives the first pixel and
// lpDesc the pitch. Under Direct3D it does nothing and returns true.
bool DDLock(DDSURFACEDATA* lpSD, plat::LockedRect* lpDesc, void** lpBits, int nBpp);
