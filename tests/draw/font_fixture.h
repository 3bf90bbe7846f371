#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/draw_fixture.h"

// The made-up project's drawing layer set up as start-up does, and the game's fonts
// released before it goes.
class cFontTest : public cDrawTest {
 protected:
  void TearDown() override {
    ReleaseGameFonts();
    cDrawTest::TearDown();
  }
  // Starts the drawing layer (Direct3D or DirectDraw at 32 bits unless told).
  void Start(int backEnd, int bpp = 32, int windowed = 0) {
    ASSERT_TRUE(draw_tool::StartDrawing({backEnd, bpp, windowed}));
  }
};

// The stored pixels of a rectangle of a surface (0xDEADBEEF outside it).
inline std::vector<uint32_t> ReadPixels(DDSURFACEDATA* sd, int x, int y, int w, int h) {
  std::vector<uint32_t> out(static_cast<size_t>(w) * h, 0xDEADBEEFu);
  cSurfaceLock lock;
  if (!lock.Lock(sd)) return out;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i)
      if (lock.Inside(x + i, y + j))
        out[static_cast<size_t>(j) * w + i] =
            plat::ReadPixel(lock.Row(y + j) + (x + i) * lock.m_nBytesPerPixel, lock.m_nBytesPerPixel);
  return out;
}

// Pixels of the rectangle that differ from the background value.
inline int CountNot(const std::vector<uint32_t>& pixels, uint32_t background) {
  int n = 0;
  for (uint32_t p : pixels) n += p != background;
  return n;
}

// The back buffer's stored value of a palette number.
inline uint32_t BackValue(int palNum) {
  DDFillRectPal(&BackBuffer, 0, 0, 1, 1, palNum);
  return ReadPixels(&BackBuffer, 0, 0, 1, 1)[0];
}
