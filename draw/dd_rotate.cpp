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

// The pixel path's turn: box positions u0..u1, v0..v1 mapped back into the
// picture by the inverse factors.
struct cTurn {
  const cSurfaceLock& dst;
  const cSurfaceLock& src;
  DDLockArea srcArea;
  int64_t x, y, sx, sy, pivotX, pivotY, w, h, si, ci, u0, u1, v0, v1;
  bool keyed, toScreen;
};

// The surfaces' fields are read into locals once: the pixel stores could alias them.
template <int kBytes>
void TurnPixels(const cTurn& t) {
  const uint8_t* const srcBits = t.src.m_pBits;
  const int64_t srcPitch = int64_t(t.src.m_nPitch) * kBytes;
  const int64_t sw = t.srcArea.nWidth, sh = t.srcArea.nHeight;
  const bool keyed = t.keyed, toScreen = t.toScreen;
  // One row of a tile, from box position u0 to u1.
  auto row = [&](int64_t v, int64_t u0, int64_t u1) {
    uint8_t* dRow = t.dst.Row(static_cast<int>(t.y + v - t.pivotY));
    int64_t rowAcc = t.si * (u0 - t.pivotX) + t.ci * (v - t.pivotY);
    int64_t colAcc = t.ci * (u0 - t.pivotX) - t.si * (v - t.pivotY);
    for (int64_t u = u0; u <= u1; ++u, rowAcc += t.si, colAcc += t.ci) {
      const int64_t r = t.pivotY + (rowAcc >> 10), c = t.pivotX + (colAcc >> 10);
      if (r < 0 || r >= t.h || c < 0 || c >= t.w) continue;
      const int64_t tx = t.sx + c, ty = t.sy + r;
      if (tx < 0 || ty < 0 || tx >= sw || ty >= sh) continue;
      uint32_t p = plat::ReadPixel(srcBits + ty * srcPitch + tx * kBytes, kBytes);
      if (keyed && DDIsTransparentPixel(p, kBytes)) continue;
      if (kBytes == 2 && toScreen) p = DDSurfaceToScreen16(p);
      plat::WritePixel(dRow + (t.x + u - t.pivotX) * kBytes, kBytes, p);
    }
  };
  // In tiles, so that the picture's rows that a turned tile reads stay in the
  // cache (each pixel is independent of the others: the order does not matter).
  constexpr int64_t kTileRows = 32, kTileColumns = 128;
  for (int64_t tv = t.v0; tv <= t.v1; tv += kTileRows)
    for (int64_t tu = t.u0; tu <= t.u1; tu += kTileColumns)
      for (int64_t v = tv; v <= std::min(t.v1, tv + kTileRows - 1); ++v)
        row(v, tu, std::min(t.u1, tu + kTileColumns - 1));
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
  const cTurn turn{dstLock, srcLock, srcArea, x, y, sx, sy, pivotX, pivotY, w, h, si, ci, u0, u1, v0, v1,
                   nKey == 1, d3d && bytes == 2 && DDIsFullScreenBack(dstLock.m_lpSD)};
  if (bytes == 1) TurnPixels<1>(turn);
  if (bytes == 2) TurnPixels<2>(turn);
  if (bytes == 4) TurnPixels<4>(turn);
  return true;
}
