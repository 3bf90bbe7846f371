#include "tests/draw/effect_reference.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "draw/dd_distort.h"
#include "draw/dd_pixel_ops.h"

bool LensReference(DDSURFACEDATA* lpDstSD, int cx, int cy, int nRadius, int nDepth, DDSURFACEDATA* lpSrcSD, int scx,
                   int scy, int nKey, int bClear) {
  if (nDepth < 0 || nRadius < 0) return false;
  const int64_t r = nRadius, d = nDepth;
  // The sphere through the circle's rim at height d above the picture.
  const int64_t R = static_cast<int64_t>(std::sqrt(static_cast<double>(r) * r + static_cast<double>(d) * d));
  if (R <= d) return false;
  const int64_t S = R * R;

  cSurfaceLock dstLock;
  if (!dstLock.Lock(lpDstSD)) return false;
  cSurfaceLock srcLock;
  if (!srcLock.Lock(lpSrcSD)) return false;
  const int bpp = DDSettings.nBpp;
  const bool d3d = lpDTCon != nullptr;
  const bool supported = d3d ? (bpp == 16 || bpp == 32) : (bpp == 8 || bpp == 16 || bpp == 32);
  const int bytes = bpp / 8;
  if (!supported || dstLock.m_nBytesPerPixel != bytes || srcLock.m_nBytesPerPixel != bytes) return true;

  const DDLockArea dstArea = DDAreaOf(dstLock), srcArea = DDAreaOf(srcLock);
  const bool toScreen = d3d && bytes == 2 && DDIsFullScreenBack(dstLock.m_lpSD);
  const bool clear = d3d && bytes == 4 && bClear != 0;
  // Only the part of the square that lies inside the destination.
  const int64_t dy0 = std::max(-r, -int64_t(cy)), dy1 = std::min(r, dstArea.nHeight - 1 - int64_t(cy));
  const int64_t dx0 = std::max(-r, -int64_t(cx)), dx1 = std::min(r, dstArea.nWidth - 1 - int64_t(cx));
  for (int64_t dy = dy0; dy <= dy1; ++dy) {
    uint8_t* row = dstLock.Row(static_cast<int>(cy + dy));
    for (int64_t dx = dx0; dx <= dx1; ++dx) {
      uint8_t* out = row + (cx + dx) * bytes;
      const int64_t q = dx * dx + dy * dy;
      if (q > r * r) {
        if (clear) plat::Store32(out, 0);
        continue;
      }
      const double z = std::sqrt(static_cast<double>(S - q));
      int64_t ox = dx, oy = dy;
      if (z != 0.0) {
        // Truncated toward zero after adding one half, for negative offsets too.
        ox = static_cast<int64_t>(static_cast<double>(dx * d) / z + 0.5);
        oy = static_cast<int64_t>(static_cast<double>(dy * d) / z + 0.5);
      }
      const int64_t px = scx + ox, py = scy + oy;
      if (!srcArea.Inside(px, py)) {
        if (clear) plat::Store32(out, 0);
        continue;
      }
      uint32_t p = plat::ReadPixel(srcLock.Row(static_cast<int>(py)) + px * bytes, bytes);
      if (d3d && bytes == 2) {
        if (nKey == 1 && DDIsTransparentPixel(p, 2)) continue;
        plat::Store16(out, toScreen ? DDSurfaceToScreen16(p) : p);
      } else if (d3d) {
        if ((p >> 24) != 0) {
          plat::Store32(out, p);
        } else if (clear) {
          plat::Store32(out, 0);
        }
      } else if (p != dwColorKey) {
        // DirectDraw keeps the colour key's pixels out whatever the key flag.
        plat::WritePixel(out, bytes, p);
      }
    }
  }
  return true;
}
