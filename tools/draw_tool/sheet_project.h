#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/display/pixel_format.h"

// A made-up project's system sheets, written under "bmp\" of the current folder:
// every sheet the system bitmap table needs, 8-bit pictures against one
// 256-colour palette whose entry 0 (magenta) is the transparent colour. Cells
// carry an asymmetric mark so that mirroring shows. Of the optional sheets only
// "bmp\Character2.bmp" and the first background layer are written. The blend
// table of palette set 0 goes to "bmp\hbt\hbt00.dat".
namespace draw_tool {

struct SheetDesc {
  std::string gamePath;  // Shift-JIS, backslashes
  int width, height, cellWidth, cellHeight, seed;
};

// The palette of the generated sheets.
const plat::PaletteEntry* SheetPalette();
// The sheets written (without the palette picture).
const std::vector<SheetDesc>& SheetDescs();
// The blend table written as "bmp\hbt\hbt00.dat": per pair of palette indexes
// (row a, column b) the entry nearest to their average colour; index 0 (the
// transparent colour) gives the other index.
const std::vector<uint8_t>& SheetBlendTable();
// Palette index of a sheet's pixel.
uint8_t SheetPixel(const SheetDesc& sheet, int x, int y);

// Writes the palette picture and every sheet; false when a file cannot be written.
bool WriteSheetProject();

// The FNV-1a hash of a frame's pixels (XRGB8888).
uint64_t FrameHash(const std::vector<uint32_t>& pixels);

}  // namespace draw_tool
