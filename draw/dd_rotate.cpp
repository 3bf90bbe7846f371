#include "draw/dd_rotate.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "draw/dd_blit.h"
#include "draw/dd_pixel_ops.h"
#include "draw/dd_quad.h"

namespace {

// The quad path: the corners turned on the processor in single precision.
void DrawQuad(DDSURFACEDATA* dst, int x, int y, int w, int h, int px, int py, int angle, DDSURFACEDATA* src, int sx,
              int sy, int sw, int sh) {
  if (src->nTexWidth <= 0 || src->nTexHeight <= 0) return;
  const float rad = static_cast<float>(angle * kDDRotateRadiansPerDegree);
  const float s = std::sin(rad), c = std::cos(rad);
  // The unturned rectangle's centre goes to (x, y); the corners turn about the pivot.
  const float ox = static_cast<float>(x) - 0.5f + static_cast<float>(px - (w >> 1));
  const float oy = static_cast<float>(y) - 0.5f + static_cast<float>(py - (h >> 1));
  const float tw = static_cast<float>(src->nTexWidth), th = static_cast<float>(src->nTexHeight);
  const float u0 = static_cast<float>(sx) / tw, u1 = static_cast<float>(int64_t(sx) + sw) / tw;
  const float v0 = static_cast<float>(sy) / th, v1 = static_cast<float>(int64_t(sy) + sh) / th;
  const uint32_t diffuse = lpDTCon->dwDiffuse;
  auto corner = [&](float dx, float dy, float u, float v) {
    return plat::Vertex{ox + (dx * c - dy * s), oy + (dx * s + dy * c), 0.0f, 1.0f, diffuse, u, v};
  };
  const float l = static_cast<float>(-px), t = static_cast<float>(-py);
  const float r = static_cast<float>(w - px), b = static_cast<float>(h - py);
  const plat::Vertex quad[4] = {corner(l, t, u0, v0), corner(l, b, u0, v1), corner(r, t, u1, v0),
                                corner(r, b, u1, v1)};
  const DDQUADSTAGE stage{lpDTCon->dwColorOp, plat::kArgTexture, plat::kArgDiffuse,
                          lpDTCon->dwAlphaOp, plat::kArgTexture, plat::kArgDiffuse};
  DDDrawEffectQuad(dst, src, quad, stage, src->lpDT->lpTexture);
}

void FactorsOf(double rad, int* lpSin, int* lpCos) {
  *lpSin = static_cast<int>(std::sin(rad) * 1024.0);
  *lpCos = static_cast<int>(std::cos(rad) * 1024.0);
}

}  // namespace

void DDRotateFactors(int nAngle, int* lpSin, int* lpCos) { FactorsOf(nAngle * kDDRotateRadiansPerDegree, lpSin, lpCos); }

bool DDBltRotate(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int px, int py, int nAngle,
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
      DrawQuad(dst, x, y, nWidth, nHeight, px, py, nAngle, src, qsx, qsy, sw, sh);
      return true;
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
  FactorsOf(-(nAngle * kDDRotateRadiansPerDegree), &sinInverse, &cosInverse);
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
