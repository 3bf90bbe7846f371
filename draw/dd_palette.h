#pragma once
#include <cstdint>

#include "draw/dd_types.h"

// The common palette picture: the game palette and the transparent colour.
inline constexpr const char* kPaletteFile = "bmp\\plt\\Palette.bmp";

// Palettes, the transparent colour and the 8-bit blend table.

// A palette number as a device colour (numbers above 255 give 0).
uint32_t PalNumToRGB(uint32_t dwPalNum);
// DirectDraw: a palette entry as a 16-bit screen pixel (channels already at the
// screen's widths).
uint32_t DDPalToRGB16(const PALETTEENTRY& entry);

// Loads a 256-entry palette from a bitmap; false only when the bitmap cannot be loaded.
bool DDLoadPaletteFromFile(PALETTEENTRY* lpPalette, const char* szFileName);
// Takes the transparent colour from the top-left pixel of a bitmap.
bool DDSetTransmitFromFile(const char* szFileName);
// Sets the transparent colour.
void DDSetTransmit(uint8_t cbRed, uint8_t cbGreen, uint8_t cbBlue);
// DirectDraw: the screen's pixel format (red, green and blue only).
void DDGetPixelMasks(DDCOLORMASK* lpMask);
// Builds the surface's palette index map: per pixel the first GamePalette entry
// of its colour. False (after the out-of-memory report) when the surface cannot
// be locked.
bool DDCreatePalIndexMap(DDSURFACEDATA* lpSD);
// DirectDraw: reads a 65,536-byte blend table; Direct3D: true without reading.
bool DDLoadBlendTable(uint8_t* lpTable, const char* szFileName);
// The palette read from the 16 x 16 block at rows 8 to 23, columns 0 to 15 of a
// picture (16 and 32 bits per pixel).
void DDSetPalette_UnPal(PALETTEENTRY* lpPalette, DDSURFACEDATA* lpSD);

// The palette and transparent-colour step of the game's start-up: GamePalette
// from "bmp\plt\Palette.bmp", copied into ScreenPalette, then the transparent
// colour: from the palette bitmap's top-left pixel when the game-wide settings
// name none (bKeyFromSettings 0), else the settings' colour (red, green, blue).
// Does nothing (true) when no back end with a palette is set up. False when the
// palette or the key bitmap cannot be loaded.
bool DDInitPaletteAndTransmit(int bKeyFromSettings, uint8_t cbRed, uint8_t cbGreen, uint8_t cbBlue);
