#pragma once
#include "app/svc/system_ini.h"
#include "platform/messages.h"

// The display values settled at start-up from "System.ini" and the desktop, handed
// to the drawing layer's set-up.
struct DISPLAYSETUP {
  int bDirect3D = 0;  // the back end asked for (Direct3D non-zero)
  int bWindowed = 0;
  int nBpp = 0;
  int bVSync = 0;
  // The copy switch of the DirectDraw full-screen present: finished frames are
  // copied to the screen at once instead of flipped at the vertical blank.
  int bPresentByCopy = 0;
};
extern DISPLAYSETUP DisplaySetup;

// The display values of the game-wide settings that the settlement reads (colour
// mode 0 = palette, 1 = full colour; the full-screen colour depths of Direct3D
// and DirectDraw).
struct DISPLAYDEFAULTS {
  int nColourMode = 0;
  int nD3DColourDepth = 0;
  int nDDColourDepth = 2;
};

// Adjusts VSync and Bpp of ini, fills setup, and tests the combination; false
// (after the error box) when the depth cannot be used. desktopBpp is the desktop's
// colour depth.
bool SettleDisplayValues(SYSTEMINIDATA& ini, const DISPLAYDEFAULTS& defaults, int desktopBpp,
                         DISPLAYSETUP& setup);

// The display part of the system report, after the drawing layer is set up
// ("Mode : ...", "Bpp : ...", then the DirectDraw or Direct3D lines).
bool ReportDisplayInfo(int detail);

// The display driver's interface level (99999 when it cannot be told).
int GetDDIVersion();
