#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/display/pixel_format.h"

// Our own strict BMP reader. Accepted: the "BM" file header; info headers of 12
// (OS/2 v1), 40, 52, 56, 108 and 124 bytes; 1, 4, 8, 16, 24 and 32 bits per pixel;
// uncompressed, RLE8 (8 bits), RLE4 (4 bits) and bit fields (16 and 32 bits);
// bottom-up and top-down rows (RLE only bottom-up). Everything else, and every
// file whose numbers do not add up (sizes, offsets, palette, masks, pixel indexes
// beyond the palette, RLE data that runs past its rows), is refused before any
// pixel is written outside the picture.
namespace plat {

// Limits: no side longer than this, and no more pixels than kMaxBmpPixels.
constexpr int kMaxBmpSide = 16384;
constexpr int64_t kMaxBmpPixels = int64_t(1) << 25;
// Largest file read.
constexpr size_t kMaxBmpFileBytes = size_t(160) << 20;

struct cBmpImage {
  int width = 0, height = 0;
  int bitCount = 0;  // bits per pixel of the file (1, 4, 8, 16, 24 or 32)
  // Palette pictures (1, 4 and 8 bits): the colour table (paletteCount entries,
  // the rest of the 256 zero; flags 0) and one index per pixel, rows top-down.
  int paletteCount = 0;
  PaletteEntry palette[256];
  std::vector<uint8_t> indices;
  // Every picture: the colours, XRGB8888 (fourth byte 0), rows top-down.
  std::vector<uint32_t> pixels;

  bool HasIndices() const { return bitCount <= 8; }
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Decodes a BMP held in memory. On refusal returns false with the reason in
// *why (when given) and leaves out empty.
bool DecodeBmp(const uint8_t* data, size_t size, cBmpImage& out, std::string* why = nullptr);

// Reads and decodes a BMP file named the game's way (Shift-JIS, backslashes).
bool LoadBmpFile(std::string_view gamePath, cBmpImage& out, std::string* why = nullptr);

}  // namespace plat
