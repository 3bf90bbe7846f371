#pragma once
#include "draw/dd_types.h"

// Showing the finished frame, and message boxes over a full-screen game.

// Direct3D: ends the frame: any batch still open is drawn, the virtual back
// buffer is copied back, with vsync off the frame waits for its time slot
// (FramePacing, Sleep(1) between asks), the scene ends and the back buffer is
// presented. Returns 0 when the device is lost (a full-screen window is then
// minimised; the frame step asks the window thread to run DDRestoreSurface), else
// 1. DirectDraw: 1 at once.
int DDPresent(int nRate, int bShowRate, DDSURFACEDATA* lpCharSD);

// DirectDraw: shows the back buffer. Windowed it is blitted to the window's area
// of the primary surface (after the vertical blank unless bNoWait); full screen
// the primary surface is flipped, or with bNoWait the back buffer is copied onto
// it. False when a surface is lost (the frame step restores it next frame).
bool DDPresentDirectDraw(int bNoWait);

// Full screen: lets a window of the game's own (message box, dialog) show over
// the game (on) and returns to the game (off). Windowed: 1 without doing anything.
// 1 on success, 0 on failure (or when no back end is set up).
int DDSetDialogBoxMode(int bOn);
// A message box on the game window inside the dialog-box mode: 1 when it was
// shown (the button chosen in *lpnResult when given), 0 when the mode could not
// be switched on.
int DDMesBox(const char* szText, const char* szCaption, unsigned nType, int* lpnResult = nullptr);
