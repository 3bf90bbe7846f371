#include "draw/dd_frame.h"

#include <algorithm>

#include "draw/dd_batch.h"
#include "draw/dd_blit.h"

namespace {

int Clamp32(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// A palette fill of a rectangle given in wide numbers: it is cut to the target
// first, so that a frame reaching past the ends of the int range still covers
// exactly what lies on the target.
void FillCut(DDSURFACEDATA* dst, int64_t x, int64_t y, int64_t w, int64_t h, uint32_t pal) {
  const int64_t l = std::max<int64_t>(x, 0), t = std::max<int64_t>(y, 0);
  const int64_t r = std::min<int64_t>(x + w, dst->nWidth), b = std::min<int64_t>(y + h, dst->nHeight);
  if (l >= r || t >= b) return;
  DDFillRectPal(dst, int(l), int(t), int(r - l), int(b - t), pal);
}

int DrawFrame(DDSURFACEDATA* dst, int64_t x, int64_t y, int64_t w, int64_t h, int64_t thickness, uint32_t pal) {
  if (!dst) return 0;
  DDBeginFillBatch();
  FillCut(dst, x, y, w, thickness, pal);
  FillCut(dst, x, y + h - thickness, w, thickness, pal);
  FillCut(dst, x, y, thickness, h, pal);
  FillCut(dst, x + w - thickness, y, thickness, h, pal);
  return DDEndFillBatch();
}

}  // namespace

int DDDrawFrame(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nThickness, uint32_t dwPalNum) {
  return DrawFrame(lpDstSD, x, y, nWidth, nHeight, nThickness, dwPalNum);
}

void DDBltFrame(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrcSD,
                int nThickness, uint32_t dwPalNum) {
  DDBltFast(lpDstSD, x, y, nWidth, nHeight, lpSrcSD, 0, 0, 0);
  DrawFrame(lpDstSD, int64_t(x) - nThickness, int64_t(y) - nThickness, int64_t(nWidth) + 2 * int64_t(nThickness),
            int64_t(nHeight) + 2 * int64_t(nThickness), nThickness, dwPalNum);
}

void DDDrawNumber(DDSURFACEDATA* lpDstSD, int x, int y, int nCellWidth, int nCellHeight, DDSURFACEDATA* lpStripSD,
                  int nStripX, int nStripY, int nFlags, int nNumber, int nMinDigits, int bCenter) {
  // A negative number would pick cells left of the strip.
  if (nNumber < 0) return;
  int digits[10];
  int count = 0;
  for (int n = nNumber;; n /= 10) {
    digits[count++] = n % 10;
    if (n / 10 == 0) break;
  }
  int64_t cx = x;
  if (count < nMinDigits) {
    int64_t pad = (int64_t(nMinDigits) - count) * nCellWidth;
    cx += bCenter ? pad / 2 : pad;
  }
  for (int i = count - 1; i >= 0; --i) {
    DDBltFast(lpDstSD, Clamp32(cx), y, nCellWidth, nCellHeight, lpStripSD,
              Clamp32(int64_t(nStripX) + int64_t(nCellWidth) * digits[i]), nStripY, nFlags);
    cx += nCellWidth;
  }
}
