#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstdio>

#include "draw/dd_frame.h"
#include "draw/dd_globals.h"
#include "draw/font.h"

namespace {

int ClampToInt(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

}  // namespace

void Font::DrawWindow(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight) {
  // 10000 centres the window on the window picture (a whole-screen picture);
  // without one, on the back buffer.
  const DDSURFACEDATA* area = m_lpWindowSD ? m_lpWindowSD : &BackBuffer;
  if (x == 10000) x = area->nWidth / 2 - nWidth / 2;
  if (y == 10000) y = area->nHeight / 2 - nHeight / 2;
  DDBltFrame(lpDstSD, x, y, nWidth, nHeight, m_lpWindowSD, m_nFrameSize, static_cast<uint32_t>(m_nFrameColor));
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
  DDBltFrame(lpDstSD, x, y, nWidth, nHeight, m_lpWindowSD, m_nFrameSize, static_cast<uint32_t>(m_nFrameColor));
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
