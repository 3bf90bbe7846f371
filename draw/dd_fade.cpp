#include "draw/dd_fade.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "app/base/report_log.h"
#include "draw/dd_blit.h"
#include "draw/dd_pixel_ops.h"
#include "draw/dd_quad.h"
#include "platform/sjis.h"

namespace {

// The four fade angles in degrees, kept for the life of the program: a fade
// abandoned half-way continues from its angle at the next call.
double gD3DFadeOutAngle = 90.0;
double gDDFadeOutAngle = 90.0;
double gD3DFadeInAngle = 0.0;
double gDDFadeInAngle = 0.0;

// Draws the fade at the angle. False only when the Direct3D overlay cannot begin
// (no scene or render target).
bool DrawFade(double angle, PALETTEENTRY* dstPal, int first, int last, uint8_t red, uint8_t green, uint8_t blue,
              const PALETTEENTRY* srcPal) {
  const double s = std::sin(angle * kDDFadeRadiansPerDegree);
  if (lpDTCon) {
    const uint32_t v = static_cast<uint32_t>(std::clamp(DDTruncToInt(s * 255.0), 0, 255));
    DDSURFACEDATA* back = &BackBuffer;
    DDRedirectBackBuffer(back);
    if (!back->lpDT || back->nTexWidth <= 0 || back->nTexHeight <= 0) return true;
    const float w = static_cast<float>(back->nWidth), h = static_cast<float>(back->nHeight);
    const float u = w / static_cast<float>(back->nTexWidth), t = h / static_cast<float>(back->nTexHeight);
    const uint32_t diffuse = (255 - v) << 24;  // black, more opaque as the picture goes
    const plat::Vertex quad[4] = {{-0.5f, -0.5f, 0.0f, 1.0f, diffuse, 0.0f, 0.0f},
                                  {-0.5f, h - 0.5f, 0.0f, 1.0f, diffuse, 0.0f, t},
                                  {w - 0.5f, -0.5f, 0.0f, 1.0f, diffuse, u, 0.0f},
                                  {w - 0.5f, h - 0.5f, 0.0f, 1.0f, diffuse, u, t}};
    const DDQUADSTAGE stage{plat::kTopSelectArg2, plat::kArgTexture, plat::kArgDiffuse,
                            plat::kTopSelectArg2, plat::kArgTexture, plat::kArgDiffuse};
    // A vertex buffer that cannot be filled skips the picture, not the step.
    return DDDrawEffectQuad(back, back, quad, stage, nullptr) != DDQUAD_NO_TARGET;
  }
  const int level = DDTruncToInt(s * 256.0);
  if (DDSettings.nBpp == 8) {
    DDBlendPalette(dstPal, first, last, level, red, green, blue, srcPal);
    const int f = std::max(first, 0), l = std::min(last, 255);
    if (lpDDPalette && dstPal && f <= l) lpDDPalette->SetEntries(f, l - f + 1, dstPal + f);
  } else {
    DDFade_UnPal(&BackBuffer, level, red, green, blue, &ScreenCopySD);
  }
  return true;
}

// DirectDraw above 8 bits: the first call of a fade keeps the picture it fades.
void FreezeBackBuffer() {
  if (lpDTCon || DDSettings.nBpp == 8) return;
  DDBltFast(&ScreenCopySD, 0, 0, BackBuffer.nWidth, BackBuffer.nHeight, &BackBuffer, 0, 0, 0);
}

}  // namespace

bool DDFadeOut(PALETTEENTRY* lpDstPal, int nFirst, int nLast, uint8_t cbRed, uint8_t cbGreen, uint8_t cbBlue,
               double dStep, const PALETTEENTRY* lpSrcPal, uint8_t bFinish) {
  double& angle = lpDTCon ? gD3DFadeOutAngle : gDDFadeOutAngle;
  if (!lpDTCon && angle == 90.0) FreezeBackBuffer();
  if (bFinish) angle = 0.0;
  if (!DrawFade(angle, lpDstPal, nFirst, nLast, cbRed, cbGreen, cbBlue, lpSrcPal)) return false;
  if (angle <= 0.0) {
    angle = 90.0;
    return true;
  }
  angle = std::max(angle - dStep, 0.0);
  return false;
}

bool DDFadeIn(PALETTEENTRY* lpDstPal, int nFirst, int nLast, uint8_t cbRed, uint8_t cbGreen, uint8_t cbBlue,
              double dStep, const PALETTEENTRY* lpSrcPal, uint8_t bFinish) {
  double& angle = lpDTCon ? gD3DFadeInAngle : gDDFadeInAngle;
  if (!lpDTCon && angle == 0.0) FreezeBackBuffer();
  if (bFinish) angle = 90.0;
  if (!DrawFade(angle, lpDstPal, nFirst, nLast, cbRed, cbGreen, cbBlue, lpSrcPal)) return false;
  if (angle >= 90.0) {
    angle = 0.0;
    return true;
  }
  angle = std::min(angle + dStep, 90.0);
  return false;
}

int DDFade_UnPal(DDSURFACEDATA* lpDstSD, int nLevel, uint8_t cbRed, uint8_t cbGreen, uint8_t cbBlue,
                 DDSURFACEDATA* lpSrcSD) {
  if (lpDTCon) {
    ECLog(SJ("D3DではDDFade_UnPalは未対応"));
    return 1;
  }
  cSurfaceLock dstLock;
  if (!dstLock.Lock(lpDstSD)) return 0;
  cSurfaceLock srcLock;
  if (!srcLock.Lock(lpSrcSD)) return 0;
  const int bytes = dstLock.m_nBytesPerPixel;
  if ((bytes != 2 && bytes != 4) || srcLock.m_nBytesPerPixel != bytes) return 1;
  // Levels beyond 0..256 would carry into the neighbouring channels.
  const uint32_t level = static_cast<uint32_t>(std::clamp(nLevel, 0, 256));
  const DDCOLORMASK& m = PixelColorMask;
  // Each channel's result for each of its values.
  auto table = [&](int max, uint32_t colour) {
    std::array<uint32_t, 256> t{};
    for (int v = 0; v <= max; ++v) {
      const uint32_t wide = bytes == 2 ? uint32_t(v) * 255 / max : uint32_t(v);
      const uint32_t mixed = (colour * (256 - level) + level * wide) >> 8;
      t[v] = bytes == 2 ? mixed * max / 255 : mixed;
    }
    return t;
  };
  const int maxR = bytes == 2 ? m.nMaskR : 255, maxG = bytes == 2 ? m.nMaskG : 255, maxB = bytes == 2 ? m.nMaskB : 255;
  const auto lr = table(maxR, cbRed), lg = table(maxG, cbGreen), lb = table(maxB, cbBlue);
  const DDLockArea dstArea = DDAreaOf(dstLock), srcArea = DDAreaOf(srcLock);
  const int w = std::min(dstArea.nWidth, srcArea.nWidth), h = std::min(dstArea.nHeight, srcArea.nHeight);
  for (int y = 0; y < h; ++y) {
    uint8_t* d = dstLock.Row(y);
    const uint8_t* s = srcLock.Row(y);
    if (bytes == 2) {
      for (int x = 0; x < w; ++x) {
        const uint32_t p = plat::Load16(s + 2 * x);
        plat::Store16(d + 2 * x, lr[DDChannel(p, m.nShiftR, m.nMaskR)] << m.nShiftR |
                                     lg[DDChannel(p, m.nShiftG, m.nMaskG)] << m.nShiftG |
                                     lb[DDChannel(p, m.nShiftB, m.nMaskB)] << m.nShiftB);
      }
    } else {
      for (int x = 0; x < w; ++x) {
        const uint32_t p = plat::Load32(s + 4 * x);
        plat::Store32(d + 4 * x, (plat::Load32(d + 4 * x) & 0xFF000000u) | lr[(p >> 16) & 255] << 16 |
                                     lg[(p >> 8) & 255] << 8 | lb[p & 255]);
      }
    }
  }
  return 1;
}

void DDBlendPalette(PALETTEENTRY* lpDstPal, int nFirst, int nLast, int nLevel, uint8_t cbRed, uint8_t cbGreen,
                    uint8_t cbBlue, const PALETTEENTRY* lpSrcPal) {
  if (!lpDstPal || !lpSrcPal) return;
  const int first = std::max(nFirst, 0), last = std::min(nLast, 255);
  const int64_t level = nLevel;
  auto mix = [&](uint8_t source, uint8_t colour) {
    return static_cast<uint8_t>(std::clamp<int64_t>((source * level + colour * (256 - level)) >> 8, 0, 255));
  };
  for (int i = first; i <= last; ++i) {
    const PALETTEENTRY s = lpSrcPal[i];
    lpDstPal[i] = PALETTEENTRY{mix(s.red, cbRed), mix(s.green, cbGreen), mix(s.blue, cbBlue), 1};
  }
}

void DDRotatePalette(PALETTEENTRY* lpDstPal, int nFirst, int nLast, int nCount, int nDirection,
                     const PALETTEENTRY* lpSrcPal) {
  const int bpp = DDSettings.nBpp;
  if ((bpp != 8 && bpp != 16 && bpp != 32) || !lpDstPal || !lpSrcPal) return;
  if (lpDstPal != lpSrcPal) std::copy_n(lpSrcPal, 256, lpDstPal);
  const int first = std::max(nFirst, 0), last = std::min(nLast, 255);
  if (first > last || (nDirection != 0 && nDirection != 1)) return;
  const int len = last - first + 1;
  const int k = ((nCount % len) + len) % len;
  PALETTEENTRY* begin = lpDstPal + first;
  PALETTEENTRY* end = lpDstPal + last + 1;
  if (nDirection == 0) {
    std::rotate(begin, end - k, end);  // entry i moves to i + k
  } else {
    std::rotate(begin, begin + k, end);  // entry i moves to i - k
  }
}

int DDChangeColor(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nTransparency, uint8_t cbRed,
                  uint8_t cbGreen, uint8_t cbBlue) {
  return DDChangeColorSD(lpDstSD, x, y, nWidth, nHeight, lpDstSD, nTransparency, cbRed, cbGreen, cbBlue);
}

int DDChangeColorSD(DDSURFACEDATA* lpDstSD, int /*x*/, int /*y*/, int /*nWidth*/, int /*nHeight*/,
                    DDSURFACEDATA* lpSrcSD, int nTransparency, uint8_t cbRed, uint8_t cbGreen, uint8_t cbBlue) {
  if (!lpDTCon) {
    ECLog(SJ("DDrawでは DDChangeColor(DDSURFACEDATA *lpDstSD,int x,int y,int nWidth,int nHeight,int nAlpha,"
             "BYTE bRed,BYTE bGreen,BYTE bBlue) は未対応"));
    return 1;
  }
  DDResolveAlias(lpDstSD);
  DDRedirectBackBuffer(lpDstSD);
  DDResolveAlias(lpSrcSD);
  DDRedirectBackBuffer(lpSrcSD);
  if (!lpDstSD || !lpSrcSD || !lpDstSD->lpDT || !lpSrcSD->lpDT || lpSrcSD->nTexWidth <= 0 ||
      lpSrcSD->nTexHeight <= 0)
    return 1;
  const float w = static_cast<float>(lpDstSD->nWidth), h = static_cast<float>(lpDstSD->nHeight);
  const float u = w / static_cast<float>(lpSrcSD->nTexWidth), t = h / static_cast<float>(lpSrcSD->nTexHeight);
  const uint32_t alpha = 255 - static_cast<uint32_t>(std::clamp(nTransparency, 0, 255));
  const uint32_t diffuse = alpha << 24 | uint32_t(cbRed) << 16 | uint32_t(cbGreen) << 8 | cbBlue;
  const plat::Vertex quad[4] = {{-0.5f, -0.5f, 0.0f, 1.0f, diffuse, 0.0f, 0.0f},
                                {-0.5f, h - 0.5f, 0.0f, 1.0f, diffuse, 0.0f, t},
                                {w - 0.5f, -0.5f, 0.0f, 1.0f, diffuse, u, 0.0f},
                                {w - 0.5f, h - 0.5f, 0.0f, 1.0f, diffuse, u, t}};
  const DDQUADSTAGE stage{plat::kTopModulate, plat::kArgTexture, plat::kArgDiffuse,
                          plat::kTopModulate, plat::kArgTexture, plat::kArgDiffuse};
  // The back buffer tinted onto itself: the texture arguments read white, so the
  // tint lays the colour over the picture whichever surface holds it.
  const bool self = lpSrcSD == lpDstSD;
  DDDrawEffectQuad(lpDstSD, lpSrcSD, quad, stage, self ? nullptr : lpSrcSD->lpDT->lpTexture);
  return 1;
}
