#include "draw/dd_blit.h"

#include <algorithm>
#include <cmath>

#include "app/report_log.h"
#include "draw/dd_device_state.h"
#include "draw/dd_globals.h"
#include "draw/dd_palette.h"
#include "draw/surface_lock.h"
#include "platform/sjis.h"

namespace {

int Clamp32(int64_t v) {
  return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// The pixel path of the Direct3D blit: sources in system memory and targets that
// are not render targets.
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
  const int dstW = std::min(dst->nWidth, dstLock.m_nWidth), dstH = std::min(dst->nHeight, dstLock.m_nHeight);
  const int srcW = std::min(src->nWidth, srcLock.m_nWidth), srcH = std::min(src->nHeight, srcLock.m_nHeight);
  const bool convert = bpp == 16 && DDIsFullScreenBack(dstLock.m_lpSD);
  const DDCOLORMASK& in = PixelColorMask;
  const DDCOLORMASK& out = BackBufferColorMask;
  const bool same = sw == w && sh == h;
  for (int64_t j = 0; j < h; ++j) {
    int64_t dy = int64_t(y) + j;
    if (dy < 0) continue;
    if (dy >= dstH) break;
    int64_t ty = same ? sy + j : sy + (j * sh) / h;
    if (ty < 0 || ty >= srcH) continue;
    uint8_t* dRow = dstLock.Row(static_cast<int>(dy));
    const uint8_t* sRow = srcLock.Row(static_cast<int>(ty));
    for (int64_t k = 0; k < w; ++k) {
      int64_t dx = int64_t(x) + k;
      if (dx < 0) continue;
      if (dx >= dstW) break;
      int64_t tx;
      if (same) {
        tx = sx + k;
      } else {
        int64_t step = (k * sw) / w;
        tx = sw < 0 ? sx + step - 1 : sx + step;
        if (sw < 0 && !(step > sw && step <= 0)) continue;
      }
      if (tx < 0 || tx >= srcW) continue;
      uint32_t p = plat::ReadPixel(sRow + tx * bytes, bytes);
      if (flags == 1) {
        if (bpp == 16 ? (p & 0xA000) == 0 : (p >> 24) == 0) continue;
      }
      if (convert) {
        uint32_t r = (p >> in.nShiftR) & in.nMaskR, g = (p >> in.nShiftG) & in.nMaskG, b = (p >> in.nShiftB) & in.nMaskB;
        p = r << out.nShiftR | (g * 2) << out.nShiftG | b << out.nShiftB;
      }
      plat::WritePixel(dRow + dx * bytes, bytes, p);
    }
  }
  return 0;
}

// The quad path of the Direct3D blit (target a render target, source a texture).
int BltQuad(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int sw, int sh,
            int flags) {
  DTSURFACEDATA* s = src->lpDT.get();
  if (!s->lpTexture || !s->lpVB || s->lpVB->Count() < 4 || src->nTexWidth <= 0 || src->nTexHeight <= 0) return 0;
  const float tw = static_cast<float>(src->nTexWidth), th = static_cast<float>(src->nTexHeight);
  const float l = static_cast<float>(x) - 0.5f, t = static_cast<float>(y) - 0.5f;
  const float r = static_cast<float>(int64_t(x) + w) - 0.5f, b = static_cast<float>(int64_t(y) + h) - 0.5f;
  const float u0 = static_cast<float>(sx) / tw, v0 = static_cast<float>(sy) / th;
  const float u1 = static_cast<float>(int64_t(sx) + sw) / tw, v1 = static_cast<float>(int64_t(sy) + sh) / th;
  const uint32_t diffuse = lpDTCon->dwDiffuse;
  plat::Vertex* v = s->lpVB->Data();
  v[0] = {l, t, 0.0f, 1.0f, diffuse, u0, v0};
  v[1] = {l, b, 0.0f, 1.0f, diffuse, u0, v1};
  v[2] = {r, t, 0.0f, 1.0f, diffuse, u1, v0};
  v[3] = {r, b, 0.0f, 1.0f, diffuse, u1, v1};
  if (!DDBeginScene()) return 0;
  if (!DDSetRenderTarget(dst)) return 0;
  if (flags == 0 && s->bColorKey) {
    // Transparent pixels of a keyed source would let the old picture through: the
    // rectangle is cleared to the transparent colour first.
    uint32_t key;
    if (dst == &BackBuffer) {
      key = DDSettings.nBpp == 16 ? lpDTCon->wTransmit_16 : lpDTCon->dwOpaqueKey;
    } else {
      key = DDSettings.nBpp == 16 ? lpDTCon->wReserved : lpDTCon->dwKeyColor;
    }
    plat::Rect rect{x, y, Clamp32(int64_t(x) + w), Clamp32(int64_t(y) + h)};
    lpDevice->Clear(&rect, 1, key);
  }
  lpDevice->SetTextureStageState(0, plat::StageStateType::kColorOp, lpDTCon->dwColorOp);
  lpDevice->SetTextureStageState(0, plat::StageStateType::kColorArg1, plat::kArgTexture);
  lpDevice->SetTextureStageState(0, plat::StageStateType::kColorArg2, plat::kArgDiffuse);
  lpDevice->SetTextureStageState(0, plat::StageStateType::kAlphaOp, lpDTCon->dwAlphaOp);
  lpDevice->SetTextureStageState(0, plat::StageStateType::kAlphaArg1, plat::kArgTexture);
  lpDevice->SetTextureStageState(0, plat::StageStateType::kAlphaArg2, plat::kArgDiffuse);
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
    return BltQuad(lpDstSD, x, y, nWidth, nHeight, lpSrcSD, sx, sy, nSrcWidth, nSrcHeight, nFlags);
  }
  return BltPixels(lpDstSD, x, y, nWidth, nHeight, lpSrcSD, sx, sy, nSrcWidth, nSrcHeight, nFlags);
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

void DDFillRectPal(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, uint32_t dwPalNum) {
  DDFillRect(lpDstSD, x, y, nWidth, nHeight, PalNumToRGB(dwPalNum));
}

void DDFillSurfacePal(DDSURFACEDATA* lpDstSD, uint32_t dwPalNum) {
  if (lpDstSD) DDFillRectPal(lpDstSD, 0, 0, lpDstSD->nWidth, lpDstSD->nHeight, dwPalNum);
}

void DDFillSurface(DDSURFACEDATA* lpDstSD, uint32_t dwColor) {
  if (lpDstSD) DDFillRect(lpDstSD, 0, 0, lpDstSD->nWidth, lpDstSD->nHeight, dwColor);
}

void DDFillRect(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, uint32_t dwColor) {
  if (lpDTCon) {
    DDResolveAlias(lpDstSD);
    DDRedirectBackBuffer(lpDstSD);
  }
  if (!lpDstSD) return;
  // The rectangle cut to the target on all four sides.
  int64_t l = std::max<int64_t>(x, 0), t = std::max<int64_t>(y, 0);
  int64_t r = std::min<int64_t>(int64_t(x) + nWidth, lpDstSD->nWidth);
  int64_t b = std::min<int64_t>(int64_t(y) + nHeight, lpDstSD->nHeight);
  if (l >= r || t >= b) return;
  plat::Rect rect{int(l), int(t), int(r), int(b)};

  if (!lpDTCon) {
    if (!lpDstSD->lpDDPart || !lpDstSD->lpDDPart->lpSurface) return;
    lpDstSD->lpDDPart->lpSurface->Blt(&rect, nullptr, nullptr, plat::cSurface::kBltColorFill, dwColor);
    return;
  }
  DTSURFACEDATA* dt = lpDstSD->lpDT.get();
  if (!dt || !dt->lpSurface) return;
  const int bpp = DDSettings.nBpp;
  if (dt->bRenderTarget) {
    uint32_t key = lpDstSD == &BackBuffer ? lpDTCon->dwOpaqueKey : lpDTCon->dwKeyColor;
    if (dt->bColorKey && (bpp == 16 || bpp == 32) && dwColor == key) {
      // Filling a keyed target with its key makes the rectangle transparent.
      if (DDBeginScene() && DDSetRenderTarget(lpDstSD)) {
        lpDevice->Clear(&rect, 1, dwColor);
        DDRestoreRenderTarget();
      }
      return;
    }
    if (!dt->lpVB || dt->lpVB->Count() < 4) return;
    const float fl = float(rect.left) - 0.5f, ft = float(rect.top) - 0.5f;
    const float fr = float(rect.right) - 0.5f, fb = float(rect.bottom) - 0.5f;
    plat::Vertex* v = dt->lpVB->Data();
    v[0] = {fl, ft, 0.0f, 1.0f, dwColor, 0.0f, 0.0f};
    v[1] = {fl, fb, 0.0f, 1.0f, dwColor, 0.0f, 0.0f};
    v[2] = {fr, ft, 0.0f, 1.0f, dwColor, 0.0f, 0.0f};
    v[3] = {fr, fb, 0.0f, 1.0f, dwColor, 0.0f, 0.0f};
    if (!DDBeginScene() || !DDSetRenderTarget(lpDstSD)) return;
    lpDevice->SetRenderState(plat::RenderState::kTextureFactor, dwColor);
    lpDevice->SetTextureStageState(0, plat::StageStateType::kColorOp, plat::kTopSelectArg2);
    lpDevice->SetTextureStageState(0, plat::StageStateType::kColorArg2, plat::kArgTFactor);
    lpDevice->SetTextureStageState(0, plat::StageStateType::kAlphaOp, plat::kTopSelectArg2);
    lpDevice->SetTextureStageState(0, plat::StageStateType::kAlphaArg2, plat::kArgTFactor);
    lpDevice->SetStreamSource(dt->lpVB, sizeof(plat::Vertex));
    lpDevice->DrawTriangleStrip(0, 2);
    DDRestoreRenderTarget();
    return;
  }
  // A texture that is not a render target: its pixels are written.
  cSurfaceLock lock;
  if (!lock.Lock(lpDstSD)) return;
  const int bytes = lock.m_nBytesPerPixel;
  uint32_t value = dwColor;
  if (bytes == 2) {
    const DDCOLORMASK& m = PixelColorMask;
    uint32_t a = dwColor >> 24, rr = (dwColor >> 16) & 255, g = (dwColor >> 8) & 255, bb = dwColor & 255;
    value = (a * m.nMaskA / 255) << m.nShiftA | (rr * m.nMaskR / 255) << m.nShiftR |
            (g * m.nMaskG / 255) << m.nShiftG | (bb * m.nMaskB / 255) << m.nShiftB;
  } else if (bytes != 4) {
    return;
  }
  for (int yy = rect.top; yy < rect.bottom && yy < lock.m_nHeight; ++yy) {
    uint8_t* row = lock.Row(yy);
    for (int xx = rect.left; xx < rect.right && xx < lock.m_nWidth; ++xx) plat::WritePixel(row + xx * bytes, bytes, value);
  }
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
