#include "draw/dd_distort.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "draw/dd_batch.h"
#include "draw/dd_blit.h"
#include "draw/dd_pixel_ops.h"

namespace {

// Same-size blit with 64-bit positions.
void Blit(DDSURFACEDATA* dst, int64_t x, int64_t y, int64_t w, int64_t h, DDSURFACEDATA* src, int64_t sx, int64_t sy,
          int flags) {
  DDBltFast(dst, DDClampToInt(x), DDClampToInt(y), DDClampToInt(w), DDClampToInt(h), src, DDClampToInt(sx),
            DDClampToInt(sy), flags);
}

// floor(sqrt(v)), exact for every v; 0 for a negative v.
int64_t FloorSqrt(int64_t v) {
  if (v <= 0) return 0;
  int64_t r = static_cast<int64_t>(std::sqrt(static_cast<double>(v)));
  while (r > 0 && r * r > v) --r;
  while ((r + 1) * (r + 1) <= v) ++r;
  return r;
}

}  // namespace

void DDBltWave(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nCycles, double dAmplitude,
               int nPhase, int nLineSize, DDSURFACEDATA* lpSrcSD, int sx, int sy, int nFlags, int nDirection) {
  if (nLineSize <= 0) return;
  const bool columns = nDirection != 0;
  const int across = columns ? nWidth : nHeight;
  // Nothing to cut (and no angle step to take).
  if (nWidth <= 0 || nHeight <= 0) return;
  DDBeginBltBatch(0);
  const double step = 360.0 * nLineSize / across;
  double sum = 0.0;
  for (int64_t p = 0; p < across; p += nLineSize) {
    sum += step;
    const int offset =
        DDTruncToInt(dAmplitude * std::sin((nPhase + sum) * nCycles * kDDFadeRadiansPerDegree));
    const int64_t size = std::min<int64_t>(nLineSize, across - p);
    if (columns) {
      Blit(lpDstSD, x + p, int64_t(y) + offset, size, nHeight, lpSrcSD, sx + p, sy, nFlags);
    } else {
      Blit(lpDstSD, int64_t(x) + offset, y + p, nWidth, size, lpSrcSD, sx, sy + p, nFlags);
    }
  }
  DDEndBltBatch();
}

int DDBltSplit(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nStripe, int nOffset,
               DDSURFACEDATA* lpSrcSD, int sx, int sy, int nFlags, int nDirection) {
  if (nStripe == 0) return DDBlt(lpDstSD, x, y, nWidth, nHeight, lpSrcSD, sx, sy, nWidth, nHeight, nFlags);
  const bool vertical = nDirection != 0;
  const int64_t count = (vertical ? nWidth : nHeight) / nStripe;
  DDBeginBltBatch(0);
  // The odd stripes first, moved back; then the even ones, moved forward.
  for (int odd = 1; odd >= 0; --odd) {
    const int64_t shift = odd ? -int64_t(nOffset) : int64_t(nOffset);
    for (int64_t i = odd; i < count; i += 2) {
      const int64_t p = i * nStripe;
      if (vertical) {
        Blit(lpDstSD, x + p, y + shift, nStripe, nHeight, lpSrcSD, sx + p, sy, nFlags);
      } else {
        Blit(lpDstSD, x + shift, y + p, nWidth, nStripe, lpSrcSD, sx, sy + p, nFlags);
      }
    }
  }
  return DDEndBltBatch();
}

int DDBltRotateDepth(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpFrontSD,
                     int fx, int fy, DDSURFACEDATA* lpBackSD, int bx, int by, int nSrcWidth, int nSrcHeight,
                     int nFlags, int nProgress, int nAxis) {
  if (nAxis != 0 && nAxis != 1) return 0;
  const int64_t size = nAxis == 0 ? nWidth : nHeight;
  const int64_t half = size >> 1;
  if (half <= 0) return 0;  // a card narrower than two pixels does not turn
  const int64_t progress = nProgress;
  const int64_t turn = progress / half, rest = progress % half;
  // A triangle wave: 0, 1, ..., half - 1, half - 1, ..., 1, 0, 0, 1, ...
  const int64_t inset = turn % 2 == 0 ? rest : half - rest - 1;
  const bool back = ((progress + half) / size) % 2 != 0;
  DDSURFACEDATA* pic = back ? lpBackSD : lpFrontSD;
  const int px = back ? bx : fx, py = back ? by : fy;
  if (nAxis == 0)
    return DDBlt(lpDstSD, DDClampToInt(x + inset), y, DDClampToInt(nWidth - 2 * inset), nHeight, pic, px, py,
                 nSrcWidth, nSrcHeight, nFlags);
  return DDBlt(lpDstSD, x, DDClampToInt(y + inset), nWidth, DDClampToInt(nHeight - 2 * inset), pic, px, py,
               nSrcWidth, nSrcHeight, nFlags);
}

void DDBltBurst(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrcSD, int sx,
                int sy, int nDistance, int nFlags) {
  const int64_t w2 = nWidth >> 1, h2 = nHeight >> 1, d = nDistance;
  DDBeginBltBatch(0);
  Blit(lpDstSD, x - d, y - d, w2, h2, lpSrcSD, sx, sy, nFlags);
  Blit(lpDstSD, x + w2 + d, y - d, w2, h2, lpSrcSD, sx + w2, sy, nFlags);
  Blit(lpDstSD, x - d, y + h2 + d, w2, h2, lpSrcSD, sx, sy + h2, nFlags);
  Blit(lpDstSD, x + w2 + d, y + h2 + d, w2, h2, lpSrcSD, sx + w2, sy + h2, nFlags);
  DDEndBltBatch();
}

void DDBltCircle(DDSURFACEDATA* lpDstSD, int cx, int cy, int nHalfWidth, int nHalfHeight, int nRadius, int nBand,
                 DDSURFACEDATA* lpSrcSD, int scx, int scy, int nFlags) {
  if (nRadius <= 0 || nBand <= 0) return;
  if (lpDTCon) {
    DDResolveAlias(lpDstSD);
    DDResolveAlias(lpSrcSD);
  }
  // No row lies within a half height of 0 or below.
  if (!lpDstSD || !lpSrcSD || nHalfHeight <= 0) return;
  const int64_t r = nRadius, hh = nHalfHeight, band = nBand;
  const int64_t left = std::max<int64_t>(0, int64_t(scx) - nHalfWidth);
  const int64_t right = std::min<int64_t>(lpSrcSD->nWidth, int64_t(scx) + nHalfWidth);
  // The half chord at row i: floor(sqrt(r^2 - i^2)), one less at the middle row.
  auto halfChord = [&](int64_t i) {
    const int64_t c = FloorSqrt(r * r - i * i);
    return c == r ? r - 1 : c;
  };
  auto drawRows = [&](int64_t top, int64_t rows, int64_t chord) {
    const int64_t s0 = std::max(int64_t(scx) - chord, left), s1 = std::min(int64_t(scx) + chord, right);
    if (s1 - s0 <= 0) return;
    const int64_t dx = cx + (s0 - scx);
    if (lpDTCon) {
      DDBlt(lpDstSD, DDClampToInt(dx), DDClampToInt(cy + top), DDClampToInt(s1 - s0), DDClampToInt(rows), lpSrcSD,
            DDClampToInt(s0), DDClampToInt(scy + top), DDClampToInt(s1 - s0), DDClampToInt(rows), nFlags);
    } else {
      Blit(lpDstSD, dx, cy + top, s1 - s0, rows, lpSrcSD, s0, scy + top, nFlags);
    }
  };
  DDBeginBltBatch(0);
  if (band == 1) {
    // Bottom row first; rows at or below the half height are skipped.
    for (int64_t i = std::min(r - 1, hh - 1); i >= -r && i >= -hh; --i) drawRows(i, 1, halfChord(i));
  } else {
    int64_t i = r - band;
    if (i >= hh) i -= ((i - hh) / band + 1) * band;  // the bands beginning at or below the half height
    for (; i >= -r; i -= band) {
      if (i + band <= -hh) break;
      int64_t top = i;
      if (top + band > hh) top = hh - band;
      if (top < -hh) top = -hh;
      drawRows(top, band, halfChord(top + band / 2));
    }
  }
  DDEndBltBatch();
}
