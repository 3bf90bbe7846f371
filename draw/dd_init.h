#pragma once
#include "draw/dd_types.h"

// Set-up and release of the drawing layer. Back end 0 is DirectDraw, any other
// value Direct3D. Runs on the window thread at start-up and shut-down.

// Start-up passes (Direct3D flag, game window, 640, 480, depth, vsync, windowed,
// 1, 60, vsync, Off_Sys, SysBmpInfo, 71).
bool DDInit(int nBackEnd, plat::HWND hWnd, int nWidth, int nHeight, int nBpp, int bVSync, int bWindowed,
            int nBackBufferFlag, int nRefreshRate, int bRefreshAtModeSet, DDSURFACEDATA* lpSurfaces,
            DDSURFACEINFO* lpInfo, int nCount);
// Direct3D set-up: 1 on success, 0 on failure.
int DDInitD3D(plat::HWND hWnd, int nWidth, int nHeight);
// DirectDraw set-ups: 0 on success, else an error code (see DDInitErrorCheck).
int DDInitFullScreen(plat::HWND hWnd, int nWidth, int nHeight, int nBpp, int nBackBufferFlag);
int DDInitWindow(plat::HWND hWnd);
// True for 0; a known error code writes its name to the trace log and gives false.
bool DDInitErrorCheck(int nCode);
// The fixed Direct3D render states (after device creation and every reset).
void DDSetRenderStates();
// Releases everything the set-up made (safe after a partial set-up).
void DDRelease();
void DDUnInit();
