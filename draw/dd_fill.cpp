#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "draw/dd_batch.h"
#include "draw/dd_blit.h"
#include "draw/dd_device_state.h"
#include "draw/dd_globals.h"
#include "draw/dd_palette.h"
#include "draw/dd_quad.h"
#include "draw/surface_lock.h"

namespace {

// A fill of a render target drawn as one quad in the colour.
void FillQuad(DDSURFACEDATA* dst, const plat::Rect& rect, uint32_t color) {
  DTSURFACEDATA* dt = dst->lpDT.get();
  if (!dt->lpVB || dt->lpVB->Count() < 4) return;
  DDWriteFillQuad(dt->lpVB->Data(), rect, color);
  if (!DDBeginScene() || !DDSetRenderTarget(dst)) return;
  lpDevice->SetRenderState(plat::RenderState::kTextureFactor, color);
  lpDevice->SetTextureStageState(0, plat::StageStateType::kColorOp, plat::kTopSelectArg2);
  lpDevice->SetTextureStageState(0, plat::StageStateType::kColorArg2, plat::kArgTFactor);
  lpDevice->SetTextureStageState(0, plat::StageStateType::kAlphaOp, plat::kTopSelectArg2);
  lpDevice->SetTextureStageState(0, plat::StageStateType::kAlphaArg2, plat::kArgTFactor);
  lpDevice->SetStreamSource(dt->lpVB, sizeof(plat::Vertex));
  lpDevice->DrawTriangleStrip(0, 2);
  DDRestoreRenderTarget();
}

// A fill of a texture that is not a render target: its pixels are written.
void FillPixels(DDSURFACEDATA* dst, const plat::Rect& rect, uint32_t color) {
  cSurfaceLock lock;
  if (!lock.Lock(dst)) return;
  const int bytes = lock.m_nBytesPerPixel;
  uint32_t value = color;
  if (bytes == 2) {
    // The colour's channels scaled into the texture format.
    const DDCOLORMASK& m = PixelColorMask;
    uint32_t a = color >> 24, r = (color >> 16) & 255, g = (color >> 8) & 255, b = color & 255;
    value = (a * m.nMaskA / 255) << m.nShiftA | (r * m.nMaskR / 255) << m.nShiftR | (g * m.nMaskG / 255) << m.nShiftG |
            (b * m.nMaskB / 255) << m.nShiftB;
  } else if (bytes != 4) {
    return;
  }
  const int right = std::min(rect.right, lock.m_nWidth), bottom = std::min(rect.bottom, lock.m_nHeight);
  for (int y = rect.top; y < bottom; ++y) {
    uint8_t* row = lock.Row(y);
    for (int x = rect.left; x < right; ++x) plat::WritePixel(row + x * bytes, bytes, value);
  }
}

}  // namespace

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
  // The rectangle cut to the target on all four sides (a cut on the left or top
  // does not move the right or bottom edge).
  const int64_t l = std::max<int64_t>(x, 0), t = std::max<int64_t>(y, 0);
  const int64_t r = std::min<int64_t>(int64_t(x) + nWidth, lpDstSD->nWidth);
  const int64_t b = std::min<int64_t>(int64_t(y) + nHeight, lpDstSD->nHeight);
  if (l >= r || t >= b) return;
  const plat::Rect rect{int(l), int(t), int(r), int(b)};

  if (!lpDTCon) {
    if (!lpDstSD->lpDDPart || !lpDstSD->lpDDPart->lpSurface) return;
    lpDstSD->lpDDPart->lpSurface->Blt(&rect, nullptr, nullptr, plat::cSurface::kBltColorFill, dwColor);
    return;
  }
  DTSURFACEDATA* dt = lpDstSD->lpDT.get();
  if (!dt || !dt->lpSurface) return;
  const int bpp = DDSettings.nBpp;
  if (!dt->bRenderTarget) {
    FillPixels(lpDstSD, rect, dwColor);
    return;
  }
  const uint32_t key = lpDstSD == &BackBuffer ? lpDTCon->dwOpaqueKey : lpDTCon->dwKeyColor;
  if (dt->bColorKey && (bpp == 16 || bpp == 32) && dwColor == key) {
    // Filling a keyed target with its key makes the rectangle transparent.
    if (DDBeginScene() && DDSetRenderTarget(lpDstSD)) {
      lpDevice->Clear(&rect, 1, dwColor);
      DDRestoreRenderTarget();
    }
    return;
  }
  if (DDQueueFill(lpDstSD, rect, dwColor)) return;
  FillQuad(lpDstSD, rect, dwColor);
}

void DDSetPixel(DDSURFACEDATA* lpDstSD, int x, int y, uint32_t dwPalNum) {
  if (!lpDstSD || x < 0 || y < 0 || x >= lpDstSD->nWidth || y >= lpDstSD->nHeight) return;
  DDFillRectPal(lpDstSD, x, y, 1, 1, dwPalNum);
}

void DDCircle(DDSURFACEDATA* lpDstSD, int cx, int cy, int nRadius, uint32_t dwPalNum) {
  if (!lpDstSD || nRadius < 1 || lpDstSD->nWidth <= 0 || lpDstSD->nHeight <= 0) return;
  // Wide arithmetic: a centre near the ends of the int range or a huge radius
  // only puts points outside the target.
  auto plot = [&](int64_t px, int64_t py) {
    if (px < 0 || py < 0 || px >= lpDstSD->nWidth || py >= lpDstSD->nHeight) return;
    DDFillRectPal(lpDstSD, static_cast<int>(px), static_cast<int>(py), 1, 1, dwPalNum);
  };
  // A circle that cannot touch the target is not walked: its centre is farther
  // than the radius from the target, or every corner of the target is inside it.
  const int64_t r = nRadius;
  const int64_t nx = std::clamp<int64_t>(cx, 0, lpDstSD->nWidth - 1), ny = std::clamp<int64_t>(cy, 0, lpDstSD->nHeight - 1);
  const int64_t fx = std::max<int64_t>(std::abs(cx - int64_t(0)), std::abs(cx - int64_t(lpDstSD->nWidth - 1)));
  const int64_t fy = std::max<int64_t>(std::abs(cy - int64_t(0)), std::abs(cy - int64_t(lpDstSD->nHeight - 1)));
  const double nearest = std::hypot(double(cx - nx), double(cy - ny)), farthest = std::hypot(double(fx), double(fy));
  if (nearest > double(r) + 2.0 || farthest + 2.0 < double(r)) return;
  int64_t x = 0, y = nRadius, d = 3 - 2 * int64_t(nRadius);
  while (y >= x) {
    plot(cx + x, cy + y);
    plot(cx - x, cy + y);
    plot(cx + x, cy - y);
    plot(cx - x, cy - y);
    plot(cx + y, cy + x);
    plot(cx - y, cy + x);
    plot(cx + y, cy - x);
    plot(cx - y, cy - x);
    if (d < 0) {
      d += 4 * x + 6;
    } else {
      d += 4 * (x - y) + 10;
      --y;
    }
    ++x;
  }
}
