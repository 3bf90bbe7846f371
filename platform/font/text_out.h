#pragma once
#include <cstdint>
#include <string_view>

#include "platform/display/pixel_format.h"
#include "platform/display/surface.h"
#include "platform/font/font.h"

// The GDI text output the DirectDraw path draws with (TextOutA on a surface's
// device context, transparent background): one line of Shift-JIS text whose
// character cell starts at (x, y), each glyph pixel set to the text colour.
namespace plat {

// A COLORREF: 0x00BBGGRR.
inline uint32_t MakeColorRef(uint8_t red, uint8_t green, uint8_t blue) {
  return uint32_t(red) | uint32_t(green) << 8 | uint32_t(blue) << 16;
}

// The stored pixel value GDI writes for a colour into a surface of this format:
// at 8 bits per pixel the nearest entry of the palette (the first of equals).
uint32_t ColorRefToPixel(PixelFormat format, uint32_t colorRef, const PaletteEntry* palette);

// Draws the text, clipped to the surface. False (nothing drawn) when the surface
// is locked or lost, as a device context cannot be had then. An anti-aliased
// font's pixels count from half coverage up.
bool TextOut(cSurface& surface, cFont& font, int x, int y, std::string_view sjis, uint32_t colorRef,
             const PaletteEntry* palette);

}  // namespace plat
