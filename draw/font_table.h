#pragma once
#include "draw/dd_types.h"
#include "draw/font.h"

// The game's three fonts and their digit sheets.

constexpr int FONT_COUNT = 3;

// The descriptors of the three fonts (pitches 10, 16 and 32), built before start-up.
extern FONTINFO FontInfo[FONT_COUNT];
// The three fonts: 0 small (gauges), 1 the 16-dot game font, 2 the large menu font.
extern Font Fonts[FONT_COUNT];
// Digit sheets: sheet i is 10 x pitch x wide, pitch y high and holds "0123456789"
// drawn with font i.
extern DDSURFACEDATA Off_Num[FONT_COUNT];
extern DDSURFACEINFO NumBmpInfo[FONT_COUNT];

// Makes the fonts from their descriptors, the picture indexes taken in Off_Sys: 1,
// or 0 when a font cannot be made.
int CreateFontTable(Font* lpFonts, const FONTINFO* lpInfo, int nCount);
// Makes one digit sheet per font with the sheets' descriptors: 1, or 0 when a
// sheet cannot be made.
int CreateNumberSurfaces(DDSURFACEDATA* lpSurfaces, const DDSURFACEINFO* lpInfo, int nCount, Font* lpFonts,
                         const FONTINFO* lpFontInfo);
// Clears the sheet to the transparent colour and draws "0123456789" at 0,0.
void DrawDigitSheet(DDSURFACEDATA* lpSD, Font* lpFont);

// The start-up's font step, after the system surfaces exist: the descriptors take
// the project's face name (Shift-JIS) and, for the automatic atlas flag 2, the
// System.ini font-cache value of the back end in use (D3D_FontCache under
// Direct3D, DD_FontCache under DirectDraw); the three fonts are made; font 1
// takes the game-wide icon and centring switches; the digit sheets are drawn.
// False when a font or a sheet cannot be made (start-up then fails without a box).
bool InitGameFonts(const char* szFaceName, int nD3DFontCache, int nDDFontCache, int bFontIcon, int bFontCenter);
// Shut-down, while the back end exists: "Font10 : %d" and "Font16 : %d", the
// glyph counts of the double-byte atlases of fonts 0 and 1 (each when it exists).
void ReportFontAtlasCounts();
// Direct3D, before the device reset: every font of FontList lets go of its device
// objects ("Font i = %d" in the trace log; a refusal is traced and the next font
// goes on).
void LoseFontDevices();
// Shut-down: the three fonts released, then the three digit sheets.
void ReleaseGameFonts();
// Rebuilds FontInfo and NumBmpInfo (done once before start-up; tests call it again).
void BuildFontInfo();
