#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstdio>

#include "draw/dd_blit.h"
#include "draw/dd_globals.h"
#include "draw/font.h"

namespace {

int ClampToInt(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

// The window picture's top-left w x h copied unkeyed, with a frame of the given
// thickness and palette colour around it (outside the picture).
// MERGE NOTE: the drawing layer's DDBltFrame does exactly this; call it here once
// it exists and remove this copy.
void BltFramedWindow(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* picture, int thickness,
                     int color) {
  DDBltFast(dst, x, y, w, h, picture, 0, 0, 0);
  const int64_t t = thickness, X = int64_t(x) - t, Y = int64_t(y) - t, W = int64_t(w) + 2 * t,
                H = int64_t(h) + 2 * t;
  const uint32_t c = static_cast<uint32_t>(color);
  DDFillRectPal(dst, ClampToInt(X), ClampToInt(Y), ClampToInt(W), ClampToInt(t), c);
  DDFillRectPal(dst, ClampToInt(X), ClampToInt(Y + H - t), ClampToInt(W), ClampToInt(t), c);
  DDFillRectPal(dst, ClampToInt(X), ClampToInt(Y), ClampToInt(t), ClampToInt(H), c);
  DDFillRectPal(dst, ClampToInt(X + W - t), ClampToInt(Y), ClampToInt(t), ClampToInt(H), c);
}

}  // namespace

void Font::DrawWindow(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight) {
  // 10000 centres the window on the window picture (a whole-screen picture);
  // without one, on the back buffer.
  const DDSURFACEDATA* area = m_lpWindowSD ? m_lpWindowSD : &BackBuffer;
  if (x == 10000) x = area->nWidth / 2 - nWidth / 2;
  if (y == 10000) y = area->nHeight / 2 - nHeight / 2;
  BltFramedWindow(lpDstSD, x, y, nWidth, nHeight, m_lpWindowSD, m_nFrameSize, m_nFrameColor);
}

void Font::DrawTextWindow(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, const char* szText,
                          int nMargin) {
  if (!szText) szText = "";
  if (nWidth == 0 || nHeight == 0) {
    int w, h;
    MeasureText(szText, &w, &h);
    nWidth = ClampToInt(int64_t(nMargin) + w);
    nHeight = h;
  }
  const DDSURFACEDATA* area = m_lpWindowSD ? m_lpWindowSD : &BackBuffer;
  if (x == 10000) x = area->nWidth / 2 - nWidth / 2;
  if (y == 10000) y = area->nHeight / 2 - nHeight / 2;
  BltFramedWindow(lpDstSD, x, y, nWidth, nHeight, m_lpWindowSD, m_nFrameSize, m_nFrameColor);
  Draw(lpDstSD, ClampToInt(int64_t(x) + nMargin), y, szText);
}

void Font::DrawTextWindowF(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, const char* szFormat,
                           ...) {
  if (!szFormat) return;
  char buffer[1024];
  va_list args;
  va_start(args, szFormat);
  std::vsnprintf(buffer, sizeof buffer, szFormat, args);
  va_end(args);
  DrawTextWindow(lpDstSD, x, y, nWidth, nHeight, buffer, 0);
}
