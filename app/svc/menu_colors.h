#pragma once
#include "draw/dd_blit.h"

// The flashing colours: the menu colour cycling that the menu scenes and the
// stage drawing run once per frame, and the table of tint colours it keeps for
// Direct3D drawing.

// Per colour number, the vertex colour (A8R8G8B8) and colour operation with which
// a Direct3D blit tints a picture (an invincible character's colour number picks
// its entry). Every entry starts at zero; entries 1 to 9 are rewritten each
// frame under Direct3D and stay zero under DirectDraw.
constexpr int FLASH_COLOR_COUNT = 10;
extern DDBLTEXINFO FlashColorTable[FLASH_COLOR_COUNT];
// The entry of a colour number; numbers outside the table give a zero entry.
const DDBLTEXINFO& FlashColor(int nColor);

// The cycling state: nine intensities (0..255) with their directions (0 rising,
// 1 falling), the colour kind of the ninth entry (0..3) and the frame counter of
// the 8-bit palette rotation (0..5). All start at 0.
struct MENUCOLORSTATE {
  int nValue[9] = {};
  int nDirection[9] = {};
  int nColorKind = 0;
  int nFrame = 0;
};
extern MENUCOLORSTATE MenuColorState;

// One frame of the cycling. Direct3D: each intensity moves by the game-wide
// settings' menu colour step between 0 and 255 and entries 1 to 9 take the
// colours of the intensities as they were before the move (entry 9 changes its
// colour kind each time its intensity completes a fall). 8-bit DirectDraw with
// the settings' palette rotation on: every sixth call each of the eight 4-entry
// groups from entry 208 to 239 of the shown palette turns by one place and the
// 32 entries are shown. Nothing otherwise.
void CycleMenuColors();

// 8-bit DirectDraw with the palette rotation on: the groups of entries 208 to 239
// turn in the palette, so colours drawn from them need no blink phase of their own.
bool PaletteGroupsRotate();
