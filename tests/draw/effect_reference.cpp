#include "tests/draw/effect_reference.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "draw/dd_blit.h"
#include "draw/dd_blur.h"
#include "draw/dd_device_state.h"
#include "draw/dd_distort.h"
#include "draw/dd_pixel_ops.h"
#include "draw/dd_rotate.h"

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

bool MosaicReference(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nBlock, DDSURFACEDATA* lpSrcSD,
                     int sx, int sy, int nKey) {
  if (nBlock == 0) return true;
  cSurfaceLock dstLock;
  if (!dstLock.Lock(lpDstSD)) return false;
  cSurfaceLock srcLock;
  if (!srcLock.Lock(lpSrcSD)) return false;
  const int bpp = DDSettings.nBpp;
  const bool d3d = lpDTCon != nullptr;
  const bool supported = d3d ? (bpp == 16 || bpp == 32) : (bpp == 8 || bpp == 16 || bpp == 32);
  const int bytes = bpp / 8;
  if (!supported || dstLock.m_nBytesPerPixel != bytes || srcLock.m_nBytesPerPixel != bytes) return true;
  if (nBlock < 0 || nWidth <= 0 || nHeight <= 0) return true;

  const DDLockArea dstArea = DDAreaOf(dstLock), srcArea = DDAreaOf(srcLock);
  const bool keyed = nKey == 1;
  const bool toScreen = d3d && bytes == 2 && DDIsFullScreenBack(dstLock.m_lpSD);
  const DDCOLORMASK& m = PixelColorMask;
  const DDChannelScale scaleR(m.nMaskR), scaleG(m.nMaskG), scaleB(m.nMaskB);
  const int64_t w = nWidth, h = nHeight, block = nBlock;
  auto sourceAt = [&](int64_t c, int64_t r, uint32_t* p) {
    if (!srcArea.Inside(sx + c, sy + r)) return false;
    *p = plat::ReadPixel(srcLock.Row(static_cast<int>(sy + r)) + (sx + c) * bytes, bytes);
    return true;
  };
  // Only the blocks that reach into the destination are worked out.
  const int64_t firstRow = std::max<int64_t>(0, -int64_t(y)) / block * block;
  const int64_t endRow = std::min<int64_t>(h, dstArea.nHeight - int64_t(y));
  const int64_t firstCol = std::max<int64_t>(0, -int64_t(x)) / block * block;
  const int64_t endCol = std::min<int64_t>(w, dstArea.nWidth - int64_t(x));
  for (int64_t by = firstRow; by < endRow; by += block) {
    const int64_t bh = std::min(block, h - by);
    for (int64_t bx = firstCol; bx < endCol; bx += block) {
      const int64_t bw = std::min(block, w - bx);
      uint32_t colour = 0;
      bool keepTop = false;  // 32-bit DirectDraw: the destination's fourth byte stays
      if (d3d || bytes == 1) {
        if (!sourceAt(bx, by, &colour)) continue;
        if (keyed && DDIsTransparentPixel(colour, bytes)) continue;
        if (bytes == 4 && d3d) colour |= 0xFF000000u;
        if (toScreen) colour = DDSurfaceToScreen16(colour);
      } else {
        uint64_t sr = 0, sg = 0, sb = 0, n = 0;
        for (int64_t j = 0; j < bh; ++j) {
          for (int64_t i = 0; i < bw; ++i) {
            uint32_t p;
            if (!sourceAt(bx + i, by + j, &p) || (keyed && p == dwColorKey)) continue;
            if (bytes == 2) {
              sr += scaleR.Widen(DDChannel(p, m.nShiftR, m.nMaskR));
              sg += scaleG.Widen(DDChannel(p, m.nShiftG, m.nMaskG));
              sb += scaleB.Widen(DDChannel(p, m.nShiftB, m.nMaskB));
            } else {
              sr += (p >> 16) & 255, sg += (p >> 8) & 255, sb += p & 255;
            }
            ++n;
          }
        }
        if (n == 0) continue;
        const uint32_t r = uint32_t(sr / n), g = uint32_t(sg / n), b = uint32_t(sb / n);
        if (bytes == 2) {
          colour = scaleR.Narrow(r) << m.nShiftR | scaleG.Narrow(g) << m.nShiftG | scaleB.Narrow(b) << m.nShiftB;
        } else {
          colour = r << 16 | g << 8 | b;
          keepTop = true;
        }
        if (keyed && colour == dwColorKey) continue;
      }
      for (int64_t j = 0; j < bh; ++j) {
        const int64_t dy = y + by + j;
        if (dy < 0 || dy >= dstArea.nHeight) continue;
        uint8_t* row = dstLock.Row(static_cast<int>(dy));
        const int64_t i0 = std::max<int64_t>(0, -(x + bx)), i1 = std::min<int64_t>(bw, dstArea.nWidth - (x + bx));
        for (int64_t i = i0; i < i1; ++i) {
          uint8_t* d = row + (x + bx + i) * bytes;
          plat::WritePixel(d, bytes, keepTop ? (plat::Load32(d) & 0xFF000000u) | colour : colour);
        }
      }
    }
  }
  return true;
}

bool RotateReference(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int px, int py, int nAngle,
                     DDSURFACEDATA* lpSrcSD, int sx, int sy, int nKey) {
  if (!lpDstSD || !lpSrcSD) return true;
  if (lpDTCon) {
    DDSURFACEDATA *dst = lpDstSD, *src = lpSrcSD;
    int qsx = sx, qsy = sy, sw = nWidth, sh = nHeight;
    DDMirrorSrcRect(src, qsx, qsy, sw, sh);
    DDResolveAlias(dst);
    DDRedirectBackBuffer(dst);
    DDResolveAlias(src);
    DDRedirectBackBuffer(src);
    if (dst && src && dst->lpDT && src->lpDT && dst->lpDT->bRenderTarget &&
        src->lpDT->nMemType != DTMEMORYTYPE_SYSTEM) {
      return DDBltRotate(lpDstSD, x, y, nWidth, nHeight, px, py, nAngle, lpSrcSD, sx, sy, nKey);
    }
  }

  cSurfaceLock dstLock;
  if (!dstLock.Lock(lpDstSD)) return false;
  cSurfaceLock srcLock;
  if (!srcLock.Lock(lpSrcSD)) return false;
  const int bpp = DDSettings.nBpp, bytes = bpp / 8;
  const bool d3d = lpDTCon != nullptr;
  const bool supported = d3d ? (bpp == 16 || bpp == 32) : (bpp == 8 || bpp == 16 || bpp == 32);
  if (!supported || dstLock.m_nBytesPerPixel != bytes || srcLock.m_nBytesPerPixel != bytes) return true;
  if (nWidth <= 0 || nHeight <= 0) return true;

  int sinFixed, cosFixed, sinInverse, cosInverse;
  DDRotateFactors(nAngle, &sinFixed, &cosFixed);
  // The inverse turn maps each destination pixel back into the picture.
  DDRotateFactors(-nAngle, &sinInverse, &cosInverse);
  const int64_t s = sinFixed, c = cosFixed, si = sinInverse, ci = cosInverse;
  const int64_t w = nWidth, h = nHeight, pivotX = px, pivotY = py;
  // The turned rectangle's bounds from its four corner pixels, with a margin.
  int64_t minX = INT64_MAX, maxX = INT64_MIN, minY = INT64_MAX, maxY = INT64_MIN;
  for (int64_t cy : {int64_t(0), h - 1}) {
    for (int64_t cx : {int64_t(0), w - 1}) {
      const int64_t dx = cx - pivotX, dy = cy - pivotY;
      const int64_t tx = pivotX + ((c * dx - s * dy) >> 10), ty = pivotY + ((s * dx + c * dy) >> 10);
      minX = std::min(minX, tx), maxX = std::max(maxX, tx);
      minY = std::min(minY, ty), maxY = std::max(maxY, ty);
    }
  }
  const DDLockArea dstArea = DDAreaOf(dstLock), srcArea = DDAreaOf(srcLock);
  // Box positions u, v whose destination (x + u - px, y + v - py) lies inside the target.
  const int64_t u0 = std::max(minX - 2, pivotX - x), u1 = std::min(maxX + 1, dstArea.nWidth - 1 + pivotX - x);
  const int64_t v0 = std::max(minY - 2, pivotY - y), v1 = std::min(maxY + 1, dstArea.nHeight - 1 + pivotY - y);
  if (u0 > u1 || v0 > v1) return true;
  // The key test is the one of every locked blit: under DirectDraw the pixel equal
  // to the colour key, under Direct3D a texel without alpha. Comparing Direct3D
  // texels with the colour key would draw the transparent texels of every keyed
  // picture, which load with their alpha cleared, as black.
  const bool keyed = nKey == 1;
  const bool toScreen = d3d && bytes == 2 && DDIsFullScreenBack(dstLock.m_lpSD);
  for (int64_t v = v0; v <= v1; ++v) {
    uint8_t* dRow = dstLock.Row(static_cast<int>(y + v - pivotY));
    int64_t rowAcc = si * (u0 - pivotX) + ci * (v - pivotY);
    int64_t colAcc = ci * (u0 - pivotX) - si * (v - pivotY);
    for (int64_t u = u0; u <= u1; ++u, rowAcc += si, colAcc += ci) {
      const int64_t row = pivotY + (rowAcc >> 10), col = pivotX + (colAcc >> 10);
      if (row < 0 || row >= h || col < 0 || col >= w) continue;
      if (!srcArea.Inside(sx + col, sy + row)) continue;
      uint32_t p = plat::ReadPixel(srcLock.Row(static_cast<int>(sy + row)) + (sx + col) * bytes, bytes);
      if (keyed && DDIsTransparentPixel(p, bytes)) continue;
      if (toScreen) p = DDSurfaceToScreen16(p);
      plat::WritePixel(dRow + (x + u - pivotX) * bytes, bytes, p);
    }
  }
  return true;
}
