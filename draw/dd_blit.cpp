#include "draw/dd_blit.h"

#include <algorithm>
#include <cmath>

#include "app/base/report_log.h"
#include "draw/dd_batch.h"
#include "draw/dd_device_state.h"
#include "draw/dd_globals.h"
#include "draw/dd_quad.h"
#include "draw/surface_lock.h"
#include "platform/sjis.h"

namespace {

int Clamp32(int64_t v) {
  return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// The pixel path of the Direct3D blit: sources in system memory and targets that
// are not render targets. Every destination pixel of the unclipped rectangle that
// lies inside the target takes its source pixel; source pixels outside the
// source are skipped.
int BltPixels(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int sw, int sh,
              int flags) {
  if (w <= 0 || h <= 0 || sw == 0 || sh == 0) return 0;
  cSurfaceLock dstLock;
  if (!dstLock.Lock(dst)) return 0;
  cSurfaceLock srcLock;
  if (!srcLock.Lock(src)) return 0;
  const int bpp = DDSettings.nBpp;
  if ((bpp != 16 && bpp != 32) || dstLock.m_nBytesPerPixel != srcLock.m_nBytesPerPixel) return 0;
  const int bytes = bpp / 8;
  const int64_t dstW = std::min(dst->nWidth, dstLock.m_nWidth), dstH = std::min(dst->nHeight, dstLock.m_nHeight);
  const int64_t srcW = std::min(src->nWidth, srcLock.m_nWidth), srcH = std::min(src->nHeight, srcLock.m_nHeight);
  const bool convert = bpp == 16 && DDIsFullScreenBack(dstLock.m_lpSD);
  const DDCOLORMASK& in = PixelColorMask;
  const DDCOLORMASK& out = BackBufferColorMask;
  const bool same = sw == w && sh == h;
  // Only the rows and columns that land inside the target are walked.
  const int64_t j0 = std::max<int64_t>(0, -int64_t(y)), j1 = std::min<int64_t>(h, dstH - y);
  const int64_t k0 = std::max<int64_t>(0, -int64_t(x)), k1 = std::min<int64_t>(w, dstW - x);
  for (int64_t j = j0; j < j1; ++j) {
    const int64_t ty = same ? sy + j : sy + (j * sh) / h;
    if (ty < 0 || ty >= srcH) continue;
    uint8_t* dRow = dstLock.Row(static_cast<int>(y + j));
    const uint8_t* sRow = srcLock.Row(static_cast<int>(ty));
    for (int64_t k = k0; k < k1; ++k) {
      int64_t tx;
      if (same) {
        tx = sx + k;
      } else {
        const int64_t step = (k * sw) / w;
        if (sw < 0 && !(step > sw && step <= 0)) continue;
        tx = sw < 0 ? sx + step - 1 : sx + step;
      }
      if (tx < 0 || tx >= srcW) continue;
      uint32_t p = plat::ReadPixel(sRow + tx * bytes, bytes);
      if (flags == 1 && (bpp == 16 ? (p & 0xA000) == 0 : (p >> 24) == 0)) continue;
      if (convert) {
        uint32_t r = (p >> in.nShiftR) & in.nMaskR, g = (p >> in.nShiftG) & in.nMaskG, b = (p >> in.nShiftB) & in.nMaskB;
        p = r << out.nShiftR | (g * 2) << out.nShiftG | b << out.nShiftB;
      }
      plat::WritePixel(dRow + (x + k) * bytes, bytes, p);
    }
  }
  return 0;
}

// The quad path of the Direct3D blit (target a render target, source a texture).
int BltQuad(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int sw, int sh,
            int flags) {
  DTSURFACEDATA* s = src->lpDT.get();
  if (!s->lpTexture || !s->lpVB || s->lpVB->Count() < 4 || src->nTexWidth <= 0 || src->nTexHeight <= 0) return 0;
  DDWriteBltQuad(s->lpVB->Data(), x, y, w, h, src, sx, sy, sw, sh, lpDTCon->dwDiffuse);
  if (!DDBeginScene()) return 0;
  if (!DDSetRenderTarget(dst)) return 0;
  if (flags == 0 && s->bColorKey && !DDBltCoversRect(lpDTCon->dwAlphaOp, lpDTCon->dwDiffuse))
    DDClearBltRect(dst, x, y, w, h);
  DDSetBltStage(lpDTCon->dwColorOp, lpDTCon->dwAlphaOp);
  lpDevice->SetTexture(0, s->lpTexture);
  lpDevice->SetStreamSource(s->lpVB, sizeof(plat::Vertex));
  plat::HResult hr = lpDevice->DrawTriangleStrip(0, 2);
  DDRestoreRenderTarget();
  return hr;
}

}  // namespace

void DDMirrorSrcRect(DDSURFACEDATA* lpSrcSD, int& sx, int& sy, int& nSrcWidth, int& nSrcHeight) {
  if (!lpDTCon || !lpSrcSD || !lpSrcSD->lpAliasSD) return;
  const int cw = lpSrcSD->nMirrorCellWidth, ch = lpSrcSD->nMirrorCellHeight;
  if (cw > 0 && nSrcWidth > 0) {
    if (nSrcWidth == cw) {
      sx += nSrcWidth;
      nSrcWidth = -nSrcWidth;
    } else if (nSrcWidth < cw) {
      sx = sx + cw - 2 * (sx % cw);
      nSrcWidth = -nSrcWidth;
    }
  }
  if (ch > 0 && nSrcHeight > 0) {
    if (nSrcHeight == ch) {
      sy += nSrcHeight;
      nSrcHeight = -nSrcHeight;
    } else if (nSrcHeight < ch) {
      sy = sy + ch - 2 * (sy % ch);
      nSrcHeight = -nSrcHeight;
    }
  }
}

bool DDClipBlt(DDSURFACEDATA* lpDstSD, int& x, int& y, int& nWidth, int& nHeight, DDSURFACEDATA* lpSrcSD, int& sx,
               int& sy, int& nSrcWidth, int& nSrcHeight) {
  if (!lpDstSD || !lpSrcSD) return false;
  if (nWidth <= 0 || nHeight <= 0 || nSrcWidth == 0 || nSrcHeight == 0) return false;
  int64_t X = x, Y = y, W = nWidth, H = nHeight, SX = sx, SY = sy, SW = nSrcWidth, SH = nSrcHeight;
  const int64_t srcW = lpSrcSD->nWidth, srcH = lpSrcSD->nHeight;
  const int64_t dstW = lpDstSD->nWidth, dstH = lpDstSD->nHeight;
  const bool d3d = lpDTCon != nullptr;

  if (SW == W && SH == H) {
    // The source rectangle cut to the source: the picture is shortened, not moved.
    if (SX < 0) SW += SX, SX = 0;
    if (SY < 0) SH += SY, SY = 0;
    if (SX + SW > srcW) SW = srcW - SX;
    if (SY + SH > srcH) SH = srcH - SY;
    W = SW;
    H = SH;
    // Then the target.
    if (X < 0) SX -= X, SW += X, W += X, X = 0;
    if (X + W > dstW) W = dstW - X, SW = W;
    if (Y < 0) SY -= Y, SH += Y, H += Y, Y = 0;
    if (Y + H > dstH) H = dstH - Y, SH = H;
  } else {
    // Scaled: the source range cut to the source, the destination shrinking by the
    // kept fraction (truncated); a mirrored Direct3D range is cut as an ordinary one.
    auto cutSource = [&](int64_t& start, int64_t& len, int64_t size, int64_t& dlen) {
      bool mirrored = d3d && len < 0;
      int64_t s0 = mirrored ? start + len : start, n = mirrored ? -len : len;
      int64_t c0 = std::max<int64_t>(s0, 0), c1 = std::min<int64_t>(s0 + n, size);
      int64_t kept = c1 - c0;
      if (n <= 0 || kept <= 0) {
        len = 0;
        return;
      }
      if (kept != n) dlen = static_cast<int64_t>((static_cast<double>(dlen) * static_cast<double>(kept)) /
                                                 static_cast<double>(n));
      start = mirrored ? c0 + kept : c0;
      len = mirrored ? -kept : kept;
    };
    cutSource(SX, SW, srcW, W);
    cutSource(SY, SH, srcH, H);
    if (SW == 0 || SH == 0) return false;
    if (!d3d) {
      // DirectDraw clips the destination as well, moving the source by the same fraction.
      auto cutDest = [&](int64_t& pos, int64_t& len, int64_t& sstart, int64_t& slen, int64_t size) {
        if (pos < 0) {
          if (pos + len <= 0 || len == 0) {
            len = 0;
            return;
          }
          int64_t cut = static_cast<int64_t>(std::trunc(static_cast<double>(-pos) / static_cast<double>(len) *
                                                        static_cast<double>(slen)));
          sstart += cut;
          slen -= cut;
          len += pos;
          pos = 0;
        }
        if (pos + len > size) {
          slen = static_cast<int64_t>(std::trunc(static_cast<double>(size - pos) / static_cast<double>(len) *
                                                 static_cast<double>(slen)));
          len = size - pos;
        }
      };
      cutDest(X, W, SX, SW, dstW);
      cutDest(Y, H, SY, SH, dstH);
    }
  }
  x = Clamp32(X), y = Clamp32(Y), nWidth = Clamp32(W), nHeight = Clamp32(H);
  sx = Clamp32(SX), sy = Clamp32(SY), nSrcWidth = Clamp32(SW), nSrcHeight = Clamp32(SH);
  bool widthOk = SW > 0 || (d3d && SW < 0);
  bool heightOk = SH > 0 || (d3d && SH < 0);
  return widthOk && heightOk && W > 0 && H > 0;
}

int DDBlt(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrcSD, int sx, int sy,
          int nSrcWidth, int nSrcHeight, int nFlags) {
  DDMirrorSrcRect(lpSrcSD, sx, sy, nSrcWidth, nSrcHeight);
  if (!lpDTCon) {
    if (!lpDstSD || !lpSrcSD || !lpDstSD->lpDDPart || !lpSrcSD->lpDDPart || !lpDstSD->lpDDPart->lpSurface ||
        !lpSrcSD->lpDDPart->lpSurface)
      return 0;
    if (!DDClipBlt(lpDstSD, x, y, nWidth, nHeight, lpSrcSD, sx, sy, nSrcWidth, nSrcHeight)) return 0;
    plat::Rect d{x, y, x + nWidth, y + nHeight}, s{sx, sy, sx + nSrcWidth, sy + nSrcHeight};
    return lpDstSD->lpDDPart->lpSurface->Blt(&d, lpSrcSD->lpDDPart->lpSurface.get(), &s,
                                             nFlags == 1 ? plat::cSurface::kBltKeySrc : 0);
  }
  if (lpDTCon->bCopying) {
    lpDstSD = &BackBuffer;
    lpSrcSD = &VirBackBuffer;
  } else {
    DDResolveAlias(lpDstSD);
    DDRedirectBackBuffer(lpDstSD);
    DDResolveAlias(lpSrcSD);
    DDRedirectBackBuffer(lpSrcSD);
  }
  if (!lpDstSD || !lpSrcSD || !lpDstSD->lpDT || !lpSrcSD->lpDT) return 0;
  if (lpDstSD->lpDT->bRenderTarget && lpSrcSD->lpDT->nMemType != DTMEMORYTYPE_SYSTEM) {
    if (!DDClipBlt(lpDstSD, x, y, nWidth, nHeight, lpSrcSD, sx, sy, nSrcWidth, nSrcHeight)) return 0;
    if (DDQueueBlt(lpDstSD, x, y, nWidth, nHeight, lpSrcSD, sx, sy, nSrcWidth, nSrcHeight, nFlags)) return 0;
    return BltQuad(lpDstSD, x, y, nWidth, nHeight, lpSrcSD, sx, sy, nSrcWidth, nSrcHeight, nFlags);
  }
  return BltPixels(lpDstSD, x, y, nWidth, nHeight, lpSrcSD, sx, sy, nSrcWidth, nSrcHeight, nFlags);
}

int DDBltEx(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrcSD, int sx, int sy,
            int nSrcWidth, int nSrcHeight, int nFlags, const DDBLTEXINFO* lpEx) {
  if (!lpDTCon || !lpEx) return DDBlt(lpDstSD, x, y, nWidth, nHeight, lpSrcSD, sx, sy, nSrcWidth, nSrcHeight, nFlags);
  DDSetDiffuse(lpEx->dwDiffuse);
  DDSetColorOp(lpEx->dwColorOp);
  int result = DDBlt(lpDstSD, x, y, nWidth, nHeight, lpSrcSD, sx, sy, nSrcWidth, nSrcHeight, nFlags);
  DDResetDiffuse();
  DDResetColorOp();
  return result;
}

void DDBltFastEx(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrcSD, int sx,
                 int sy, int nFlags, const DDBLTEXINFO* lpEx) {
  if (!lpDTCon || !lpEx) {
    DDBltFast(lpDstSD, x, y, nWidth, nHeight, lpSrcSD, sx, sy, nFlags);
    return;
  }
  DDSetDiffuse(lpEx->dwDiffuse);
  DDSetColorOp(lpEx->dwColorOp);
  DDBltFast(lpDstSD, x, y, nWidth, nHeight, lpSrcSD, sx, sy, nFlags);
  DDResetDiffuse();
  DDResetColorOp();
}

void DDBltFast(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrcSD, int sx, int sy,
               int nFlags) {
  if (lpDTCon) {
    DDBlt(lpDstSD, x, y, nWidth, nHeight, lpSrcSD, sx, sy, nWidth, nHeight, nFlags);
    return;
  }
  int sw = nWidth, sh = nHeight;
  if (!lpDstSD || !lpSrcSD || !lpDstSD->lpDDPart || !lpSrcSD->lpDDPart || !lpDstSD->lpDDPart->lpSurface ||
      !lpSrcSD->lpDDPart->lpSurface)
    return;
  if (!DDClipBlt(lpDstSD, x, y, nWidth, nHeight, lpSrcSD, sx, sy, sw, sh)) return;
  plat::Rect s{sx, sy, sx + sw, sy + sh};
  lpDstSD->lpDDPart->lpSurface->BltFast(x, y, lpSrcSD->lpDDPart->lpSurface.get(), &s, nFlags == 1);
}

bool DDLock(DDSURFACEDATA* lpSD, plat::LockedRect* lpDesc, void** lpBits, int nBpp) {
  if (lpDTCon) {
    ECLog(SJ("D3DではDDLockは未対応"));
    return true;
  }
  if (!lpSD || !lpSD->lpDDPart || !lpSD->lpDDPart->lpSurface) return false;
  plat::LockedRect locked;
  if (plat::Failed(lpSD->lpDDPart->lpSurface->Lock(&locked))) return false;
  if (lpDesc) *lpDesc = locked;
  if (lpBits && (nBpp == 8 || nBpp == 16 || nBpp == 24 || nBpp == 32)) *lpBits = locked.bits;
  return true;
}
