#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "draw/dd_device_state.h"
#include "draw/dd_globals.h"
#include "draw/surface_lock.h"

// Small pieces shared by the drawing layer's locked-pixel effects: transparency
// tests, channel access and the 16-bit conversion to the full-screen back buffer.

// A pixel the effects skip when asked to honour transparency: under Direct3D a
// 16-bit pixel without bits 15 and 13 or a 32-bit pixel with alpha 0, under
// DirectDraw the colour key itself.
inline bool DDIsTransparentPixel(uint32_t pixel, int bytesPerPixel) {
  if (lpDTCon) return bytesPerPixel == 2 ? (pixel & 0xA000u) == 0 : (pixel >> 24) == 0;
  return pixel == dwColorKey;
}

inline uint32_t DDChannel(uint32_t pixel, int shift, int mask) {
  return (pixel >> shift) & static_cast<uint32_t>(mask);
}

// One channel of a 16-bit format widened to 0..255 (c * 255 / max) and back
// (v * max / 255), from tables made once per call rather than by a division per
// channel per pixel. A field wider than eight bits is divided as before.
struct DDChannelScale {
  int max;
  bool tabled;
  uint8_t widen[256], narrow[256];
  explicit DDChannelScale(int mask) : max(mask), tabled(mask > 0 && mask <= 255) {
    if (!tabled) return;
    for (int c = 0; c <= mask; ++c) widen[c] = static_cast<uint8_t>(c * 255 / mask);
    for (int v = 0; v < 256; ++v) narrow[v] = static_cast<uint8_t>(v * mask / 255);
  }
  uint32_t Widen(uint32_t c) const { return tabled ? widen[c] : c * 255 / static_cast<uint32_t>(max); }
  uint32_t Narrow(uint32_t v) const { return tabled && v < 256 ? narrow[v] : v * static_cast<uint32_t>(max) / 255; }
};

// A surface-format (A1R5G5B5) pixel in the full-screen back buffer's format:
// red and blue moved, the 5-bit green doubled into the 6-bit field.
inline uint32_t DDSurfaceToScreen16(uint32_t pixel) {
  const DDCOLORMASK& in = PixelColorMask;
  const DDCOLORMASK& out = BackBufferColorMask;
  return DDChannel(pixel, in.nShiftR, in.nMaskR) << out.nShiftR |
         (DDChannel(pixel, in.nShiftG, in.nMaskG) * 2) << out.nShiftG |
         DDChannel(pixel, in.nShiftB, in.nMaskB) << out.nShiftB;
}

// The part of a locked surface that belongs to its picture (a texture may be
// larger than the picture it holds).
struct DDLockArea {
  int nWidth = 0, nHeight = 0;
  bool Inside(int64_t x, int64_t y) const { return x >= 0 && y >= 0 && x < nWidth && y < nHeight; }
};

inline DDLockArea DDAreaOf(const cSurfaceLock& lock) {
  DDLockArea a;
  a.nWidth = lock.m_lpSD ? std::min(lock.m_lpSD->nWidth, lock.m_nWidth) : lock.m_nWidth;
  a.nHeight = lock.m_lpSD ? std::min(lock.m_lpSD->nHeight, lock.m_nHeight) : lock.m_nHeight;
  return a;
}

// A real number as a pixel count: truncated toward zero, held inside int (a
// value that is not a number counts as 0).
inline int DDTruncToInt(double v) {
  if (!(v == v)) return 0;
  if (v >= 2147483647.0) return 2147483647;
  if (v <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int>(v);
}

// Angles in degrees as radians: fades and waves, and the rotated blit.
constexpr double kDDFadeRadiansPerDegree = 0.017453292519943295;
constexpr double kDDRotateRadiansPerDegree = 0.017453292519943278;

// A 64-bit coordinate held inside int (the clipping blits cut what lies outside).
inline int DDClampToInt(int64_t v) {
  return static_cast<int>(std::clamp<int64_t>(v, -2147483647 - 1, 2147483647));
}

// Calls f(destination pixel address, source pixel) for every pixel of a
// same-size copy of the nWidth x nHeight source rectangle at (sx, sy) to (x, y)
// whose destination and source positions both lie inside their pictures. A
// negative nSrcWidth or nSrcHeight (a mirrored alias rectangle) reads the source
// backwards from sx - 1 or sy - 1.
template <class F>
void DDForEachPixelPair(const cSurfaceLock& dstLock, const cSurfaceLock& srcLock, int x, int y, int nWidth,
                        int nHeight, int sx, int sy, int nSrcWidth, int nSrcHeight, F&& f) {
  const DDLockArea da = DDAreaOf(dstLock), sa = DDAreaOf(srcLock);
  const int bytes = dstLock.m_nBytesPerPixel;
  const int64_t j0 = std::max<int64_t>(0, -int64_t(y)), j1 = std::min<int64_t>(nHeight, da.nHeight - int64_t(y));
  const int64_t k0 = std::max<int64_t>(0, -int64_t(x)), k1 = std::min<int64_t>(nWidth, da.nWidth - int64_t(x));
  for (int64_t j = j0; j < j1; ++j) {
    const int64_t ty = nSrcHeight < 0 ? sy - 1 - j : sy + j;
    if (ty < 0 || ty >= sa.nHeight) continue;
    uint8_t* dRow = dstLock.Row(static_cast<int>(y + j));
    const uint8_t* sRow = srcLock.Row(static_cast<int>(ty));
    for (int64_t k = k0; k < k1; ++k) {
      const int64_t tx = nSrcWidth < 0 ? sx - 1 - k : sx + k;
      if (tx < 0 || tx >= sa.nWidth) continue;
      f(dRow + (x + k) * bytes, plat::ReadPixel(sRow + tx * bytes, bytes));
    }
  }
}
