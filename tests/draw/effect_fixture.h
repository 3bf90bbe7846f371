#pragma once
#include <cstdint>
#include <vector>

#include "tests/support/draw_fixture.h"

// Small surfaces for the pixel-effect tests, written and read as stored pixel
// values.

// An empty surface: DirectDraw system memory, Direct3D a dynamic texture in
// system memory unless asked otherwise.
inline bool MakeSurface(DDSURFACEDATA* sd, int w, int h, int key = 0, int ddMem = DDMEMKIND_SYSTEM,
                        int dtType = DTMEMORYTYPE_SYSTEM) {
  return DDCreateSurface(sd, w, h, key, ddMem, dtType, 0, 0);
}

inline void Put(DDSURFACEDATA* sd, int x, int y, uint32_t v) { StorageOf(sd)->SetPixel(x, y, v); }
inline uint32_t Get(DDSURFACEDATA* sd, int x, int y) { return StorageOf(sd)->GetPixel(x, y); }
inline void FillAll(DDSURFACEDATA* sd, uint32_t v) { StorageOf(sd)->FillAll(v); }

// Stored values of a rectangle, row by row.
inline std::vector<uint32_t> Block(DDSURFACEDATA* sd, int x, int y, int w, int h) {
  std::vector<uint32_t> out;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) out.push_back(Get(sd, x + i, y + j));
  return out;
}

// Pixel values of the formats.
inline uint32_t Rgb32(uint32_t r, uint32_t g, uint32_t b) { return r << 16 | g << 8 | b; }
inline uint32_t Argb32(uint32_t a, uint32_t r, uint32_t g, uint32_t b) { return a << 24 | Rgb32(r, g, b); }
inline uint32_t A1R5G5B5(uint32_t a, uint32_t r, uint32_t g, uint32_t b) { return a << 15 | r << 10 | g << 5 | b; }
inline uint32_t R5G6B5(uint32_t r, uint32_t g, uint32_t b) { return r << 11 | g << 5 | b; }
