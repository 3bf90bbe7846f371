#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A picture the game dumped (KORVANE_DUMP) read back for pixel probes.
struct cPngFrame {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;  // XRGB8888, rows top-down

  bool Empty() const { return pixels.empty(); }
  // The pixel at (x, y), 0xDEADBEEF outside the picture.
  uint32_t At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0xDEADBEEFu;
    return pixels[static_cast<size_t>(y) * width + x];
  }
};

// Reads a PNG file; an empty frame when it cannot be read.
cPngFrame ReadPngFrame(const std::string& path);
