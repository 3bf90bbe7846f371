#pragma once
#include "draw/dd_types.h"

// Showing the finished frame.

// Direct3D: ends the frame (virtual back buffer copied back, scene ended) and
// presents the back buffer; 0 when the device is lost (the frame step then asks
// the window thread to restore it), else 1. DirectDraw: 1 at once.
int DDPresent(int nRate, int bShowRate, DDSURFACEDATA* lpCharSD);

// DirectDraw: shows the back buffer. Windowed it is blitted to the window's area
// of the primary surface (after the vertical blank unless bNoWait); full screen
// the primary surface is flipped, or with bNoWait the back buffer is copied onto
// it. False when a surface is lost (the frame step restores it next frame).
bool DDPresentDirectDraw(int bNoWait);
