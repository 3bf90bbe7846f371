#pragma once
#include <cstdint>

#include "draw/dd_types.h"

// Whole-screen fades, the palette effects behind them and the Direct3D tint.

// One frame of a whole-screen fade toward the colour (red, green, blue): the
// picture is shown at the level sin(angle) of the fade's own angle, which starts
// at 90 degrees for a fade out (0 for a fade in) and moves by dStep each call.
// Direct3D darkens this frame's back buffer with an overlay; DirectDraw fades the
// palette entries nFirst..nLast of lpDstPal from lpSrcPal at 8 bits per pixel
// (and sets them on the screen), otherwise the back buffer as it was at the
// fade's first call. True on the call that drew the final state (the angle then
// returns to its start); a non-zero bFinish draws the final state at once.
// False, without moving, when the Direct3D draw cannot begin.
bool DDFadeOut(PALETTEENTRY* lpDstPal, int nFirst, int nLast, uint8_t cbRed, uint8_t cbGreen, uint8_t cbBlue,
               double dStep, const PALETTEENTRY* lpSrcPal, uint8_t bFinish);
bool DDFadeIn(PALETTEENTRY* lpDstPal, int nFirst, int nLast, uint8_t cbRed, uint8_t cbGreen, uint8_t cbBlue,
              double dStep, const PALETTEENTRY* lpSrcPal, uint8_t bFinish);

// DirectDraw at 16 and 32 bits: every pixel of lpDstSD becomes lpSrcSD's pixel
// mixed with the colour, nLevel/256 of the picture kept. 0 when a lock fails.
int DDFade_UnPal(DDSURFACEDATA* lpDstSD, int nLevel, uint8_t cbRed, uint8_t cbGreen, uint8_t cbBlue,
                 DDSURFACEDATA* lpSrcSD);

// Entries nFirst..nLast of lpDstPal := lpSrcPal's blended toward the colour,
// nLevel/256 of the source kept (flags 1). Other entries are not touched.
void DDBlendPalette(PALETTEENTRY* lpDstPal, int nFirst, int nLast, int nLevel, uint8_t cbRed, uint8_t cbGreen,
                    uint8_t cbBlue, const PALETTEENTRY* lpSrcPal);

// lpDstPal := lpSrcPal (all 256 entries), then entries nFirst..nLast rotated by
// nCount places: toward higher indexes with nDirection 0 (the last nCount move to
// the start), toward lower ones with 1. At 8, 16 and 32 bits per pixel only.
void DDRotatePalette(PALETTEENTRY* lpDstPal, int nFirst, int nLast, int nCount, int nDirection,
                     const PALETTEENTRY* lpSrcPal);

// Direct3D: the whole destination tinted toward the colour; transparency 255
// leaves it as it is. The rectangle is not used: the tint covers the whole
// destination (its callers pass the whole screen).
int DDChangeColor(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nTransparency, uint8_t cbRed,
                  uint8_t cbGreen, uint8_t cbBlue);
// The same with lpSrcSD's picture modulated by the colour drawn over the
// destination. A source that is the destination itself is not sampled: the
// colour alone is laid over it.
int DDChangeColorSD(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrcSD,
                    int nTransparency, uint8_t cbRed, uint8_t cbGreen, uint8_t cbBlue);
