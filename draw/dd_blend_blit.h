#pragma once
#include <cstdint>

#include "draw/dd_types.h"

// Blend blits: a picture drawn same-size at (x, y) mixed with a colour or with
// what is already there. Under Direct3D a render-target destination with a
// texture source draws one quad; otherwise the pixels are mixed on locked
// surfaces (at 8 bits per pixel through a 256 x 256 blend table). nKey 1 skips
// the source's transparent pixels. False only when a surface cannot be locked.

// The picture tinted toward palette entry nColor of lpPalette in nLevel steps
// (1 to 4, stronger with each; 5 and above the colour alone under Direct3D).
// Nothing for a level of 0 or below. The 8-bit path reads BlendTable.
bool DDBltColorBlend(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrcSD, int sx,
                     int sy, int nKey, const PALETTEENTRY* lpPalette, const uint8_t* lpBlendTable, uint32_t nColor,
                     int nLevel);

// The picture drawn translucently: transparency 255 leaves the target as it is,
// 0 draws the picture opaque (Direct3D quad). The locked and DirectDraw paths
// always mix half and half; the 8-bit path through lpBlendTable.
bool DDBltAlpha(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrcSD, int sx,
                int sy, int nKey, const uint8_t* lpBlendTable, int nTransparency);
// DDBltAlpha at transparency 128.
bool DDBltHalf(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrcSD, int sx,
               int sy, int nKey, const uint8_t* lpBlendTable);
