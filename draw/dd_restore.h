#pragma once
#include "draw/dd_types.h"

// Getting back what the display took away: the Direct3D device reset with every
// surface rebuilt, and the DirectDraw lost-surface restore.

// What the fonts do around a restore; the fonts install them. Either may be null.
struct DDFONTRESTOREHOOKS {
  void (*lpOnLostDevice)() = nullptr;  // Direct3D, before the reset: every font lets go of its device objects
  void (*lpRestore)() = nullptr;       // after the surfaces are back: every font refills what was lost
};
void DDSetFontRestoreHooks(const DDFONTRESTOREHOOKS& hooks);

// Direct3D, on the window thread while the game thread waits in its send: every
// video-memory surface of SurfaceList is released, the device reset with the
// saved present parameters and every surface made again in list order, pictures
// from their files and empty surfaces empty with bLost set (their owners redraw
// them). 1 when done (and at once under DirectDraw), 0 while the device cannot be
// reset yet or when the reset failed: a later frame asks again.
int DDRestoreSurface();

// DirectDraw, from the frame step: when the primary surface is lost, restores it,
// the back buffer and every lost surface of the system surface array (video
// memory ones reloaded from their files, or marked bLost when made empty), the
// 8-bit palette and the fonts. Always true (Direct3D: nothing, true).
bool DDRestore();
