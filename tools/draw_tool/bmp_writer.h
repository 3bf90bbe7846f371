#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/display/pixel_format.h"

// A small BMP writer for generated test pictures (bottom-up, uncompressed).
namespace draw_tool {

// 8 bits per pixel: indexes (width x height, rows top-down) and a 256-entry table.
std::vector<uint8_t> EncodeBmp8(int width, int height, const std::vector<uint8_t>& indexes,
                                const plat::PaletteEntry* palette);
// 24 bits per pixel from XRGB8888 (rows top-down).
std::vector<uint8_t> EncodeBmp24(int width, int height, const std::vector<uint32_t>& xrgb);

bool WriteBytes(const std::string& nativePath, const std::vector<uint8_t>& bytes);

}  // namespace draw_tool
