#include "draw/dd_blur.h"

#include <algorithm>
#include <cstdint>
#include <type_traits>
#include <utility>
#include <vector>

#include "app/base/report_log.h"
#include "draw/dd_pixel_ops.h"
#include "platform/sjis.h"

namespace {

// Channel sums and the number of samples counted.
struct Sums {
  int64_t r = 0, g = 0, b = 0, n = 0;
  void Add(const Sums& o) { r += o.r, g += o.g, b += o.b, n += o.n; }
  void Sub(const Sums& o) { r -= o.r, g -= o.g, b -= o.b, n -= o.n; }
};

struct Rgb {
  uint32_t r, g, b;
};

// The red, green and blue of a pixel: the surface format's fields at 16 bits,
// bytes at 32.
inline Rgb Channels(uint32_t p, int bytes) {
  if (bytes == 2) {
    const DDCOLORMASK& m = PixelColorMask;
    return {DDChannel(p, m.nShiftR, m.nMaskR), DDChannel(p, m.nShiftG, m.nMaskG), DDChannel(p, m.nShiftB, m.nMaskB)};
  }
  return {(p >> 16) & 255, (p >> 8) & 255, p & 255};
}

// Where the blur writes and what it reads: the rectangle's columns and rows
// written [c0, c1) x [r0, r1), those sampled [sc0, sc1) x [sr0, sr1), and the
// formats of the result.
struct BlurArea {
  int64_t x, y, sx, sy, rx, ry;
  int64_t c0, c1, r0, r1, sc0, sc1, sr0, sr1;
  bool d3d, toScreen;
};

// The row loops of the plain blur, one channel plane at a time, with no aliasing
// so that they vectorise; kept out of line, since inlined into the loops that
// call them they lose the promise of no aliasing and run a pixel at a time.
[[gnu::noinline]] void BoxSums(int32_t* __restrict out, const int32_t* __restrict run, const int32_t* __restrict lo,
             const int32_t* __restrict hi, size_t n) {
  for (size_t i = 0; i < n; ++i) out[i] = run[hi[i]] - run[lo[i]];
}
// The columns whose box lies whole inside the sampled columns: the box of column i
// runs from run index i + from to i + from + width, so no index table is read.
[[gnu::noinline]] void InnerBoxSums(int32_t* __restrict out, const int32_t* __restrict run, size_t from,
                                    size_t width, size_t n) {
  const int32_t* __restrict low = run + from;
  const int32_t* __restrict high = run + from + width;
  for (size_t i = 0; i < n; ++i) out[i] = high[i] - low[i];
}
[[gnu::noinline]] void AddRow(int32_t* __restrict window, const int32_t* __restrict row, size_t n) {
  for (size_t i = 0; i < n; ++i) window[i] += row[i];
}
[[gnu::noinline]] void SubRow(int32_t* __restrict window, const int32_t* __restrict row, size_t n) {
  for (size_t i = 0; i < n; ++i) window[i] -= row[i];
}

// One written row of the plain blur at 32 bits: each average from its window sums
// and reciprocals, the alpha byte kept (keep) or set (set). Out of line and
// without a branch per pixel, so that it runs several pixels a step.
template <typename Real>
[[gnu::noinline]] void WriteRow32(uint8_t* __restrict dst, const int32_t* __restrict wr, const int32_t* __restrict wg,
                                  const int32_t* __restrict wb, const Real* __restrict colRec, Real rowReciprocal,
                                  Real nudge, uint32_t keep, uint32_t set, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    const Real reciprocal = colRec[i] * rowReciprocal;
    const uint32_t red = static_cast<uint32_t>(static_cast<int32_t>(Real(wr[i]) * reciprocal + nudge));
    const uint32_t green = static_cast<uint32_t>(static_cast<int32_t>(Real(wg[i]) * reciprocal + nudge));
    const uint32_t blue = static_cast<uint32_t>(static_cast<int32_t>(Real(wb[i]) * reciprocal + nudge));
    uint8_t* d = dst + i * 4;
    plat::Store32(d, (plat::Load32(d) & keep) | set | red << 16 | green << 8 | blue);
  }
}

// The blur without a colour key when no box holds 2^31 / 255 samples: sums in 32
// bits kept in one plane per channel, box sums along each source row from its
// running sums and a sliding window of rows down the columns, in loops without a
// branch per pixel. The sums, and so the pixels, are those of the general path;
// the average is the sum times the reciprocals of the box's column and row counts,
// within 2^-43 of the true quotient, so the nudged floor is still exact. Boxes of
// at most 4096 samples take the average in single precision, four pixels a step:
// there the reciprocal product is within 2^-14 of the quotient and every quotient
// below an integer lies at least 1/4096 below it, so a nudge of 2^-13 still floors
// exactly.
template <int kBytes, typename Real>
void BlurPlain(cSurfaceLock& dstLock, cSurfaceLock& srcLock, const BlurArea& a) {
  const size_t cols = static_cast<size_t>(a.c1 - a.c0);
  const size_t sampleCols = static_cast<size_t>(a.sc1 - a.sc0);
  const int64_t ring = std::min<int64_t>(a.sr1 - a.sr0, 2 * a.ry);
  thread_local std::vector<int32_t> runR, runG, runB, ringR, ringG, ringB, winR, winG, winB, lo, hi;
  thread_local std::vector<Real> colReciprocal;
  for (auto* v : {&runR, &runG, &runB}) v->resize(sampleCols + 1);
  for (auto* v : {&ringR, &ringG, &ringB}) v->resize(static_cast<size_t>(ring) * cols);
  for (auto* v : {&winR, &winG, &winB}) v->assign(cols, 0);
  // Each written column's box along the row, as running-sum indexes; the columns
  // whose box holds a sample are one run [first, last).
  lo.resize(cols), hi.resize(cols), colReciprocal.resize(cols);
  size_t first = cols, last = 0;
  for (size_t i = 0; i < cols; ++i) {
    const int64_t c = a.c0 + static_cast<int64_t>(i);
    const int64_t l = std::max(c - a.rx, a.sc0), h = std::min(c + a.rx - 1, a.sc1 - 1);
    const bool any = h >= l;
    lo[i] = any ? static_cast<int32_t>(l - a.sc0) : 0;
    hi[i] = any ? static_cast<int32_t>(h - a.sc0 + 1) : 0;
    colReciprocal[i] = any ? Real(1) / Real(h - l + 1) : Real(0);
    if (any) first = std::min(first, i), last = i + 1;
  }
  if (first >= last) return;
  // The inner columns [inner0, inner1): each box whole, 2 rx samples wide.
  size_t inner0 = cols, inner1 = cols;
  for (size_t i = 0; i < cols; ++i) {
    const int64_t c = a.c0 + static_cast<int64_t>(i);
    if (c - a.rx < a.sc0 || c + a.rx > a.sc1) continue;
    if (inner0 == cols) inner0 = i;
    inner1 = i + 1;
  }
  if (inner0 == cols) inner0 = inner1 = 0;
  const size_t innerFrom = static_cast<size_t>(a.c0 + static_cast<int64_t>(inner0) - a.rx - a.sc0);
  const size_t innerWidth = static_cast<size_t>(2 * a.rx);
  auto slot = [&](int64_t r) { return static_cast<size_t>((r - a.sr0) % ring) * cols; };
  // The box sums of source row r along the row, into its ring slot.
  auto makeRow = [&](int64_t r) {
    const uint8_t* src = srcLock.Row(static_cast<int>(a.sy + r)) + (a.sx + a.sc0) * kBytes;
    int32_t sr = 0, sg = 0, sb = 0;
    int32_t* pr = runR.data();
    int32_t* pg = runG.data();
    int32_t* pb = runB.data();
    pr[0] = pg[0] = pb[0] = 0;
    for (size_t i = 0; i < sampleCols; ++i) {
      const Rgb v = Channels(plat::ReadPixel(src + i * kBytes, kBytes), kBytes);
      pr[i + 1] = sr += static_cast<int32_t>(v.r);
      pg[i + 1] = sg += static_cast<int32_t>(v.g);
      pb[i + 1] = sb += static_cast<int32_t>(v.b);
    }
    const int32_t* l = lo.data();
    const int32_t* h = hi.data();
    for (auto [run, out] : {std::pair{pr, &ringR[slot(r)]}, std::pair{pg, &ringG[slot(r)]},
                            std::pair{pb, &ringB[slot(r)]}}) {
      BoxSums(out, run, l, h, inner0);
      InnerBoxSums(out + inner0, run, innerFrom, innerWidth, inner1 - inner0);
      BoxSums(out + inner1, run, l + inner1, h + inner1, cols - inner1);
    }
  };
  auto addRow = [&](int64_t r, bool add) {
    if (r < a.sr0 || r >= a.sr1) return;
    const size_t at = slot(r);
    for (auto [win, row] : {std::pair{winR.data(), &ringR[at]}, std::pair{winG.data(), &ringG[at]},
                            std::pair{winB.data(), &ringB[at]}})
      add ? AddRow(win, row, cols) : SubRow(win, row, cols);
  };
  for (int64_t r = std::max(a.r0 - a.ry, a.sr0); r <= std::min(a.r0 + a.ry - 1, a.sr1 - 1); ++r) {
    makeRow(r);
    addRow(r, true);
  }
  const DDCOLORMASK& m = PixelColorMask;
  const DDCOLORMASK& screen = BackBufferColorMask;
  constexpr Real kNudge = std::is_same_v<Real, float> ? Real(1.0 / (1 << 13)) : Real(1.0 / (1 << 30));
  for (int64_t r = a.r0; r < a.r1; ++r) {
    if (r > a.r0) {
      // The leaving row goes out before the entering one takes its ring slot.
      addRow(r - a.ry - 1, false);
      const int64_t in = r + a.ry - 1;
      if (in >= a.sr0 && in < a.sr1) {
        makeRow(in);
        addRow(in, true);
      }
    }
    const int64_t rowCount = std::min(r + a.ry - 1, a.sr1 - 1) - std::max(r - a.ry, a.sr0) + 1;
    if (rowCount <= 0) continue;
    const Real rowReciprocal = Real(1) / Real(rowCount);
    uint8_t* dRow = dstLock.Row(static_cast<int>(a.y + r)) + (a.x + a.c0) * kBytes;
    const Real* colRec = colReciprocal.data();
    const int32_t* wr = winR.data();
    const int32_t* wg = winG.data();
    const int32_t* wb = winB.data();
    if constexpr (kBytes == 4) {
      WriteRow32<Real>(dRow + first * 4, wr + first, wg + first, wb + first, colRec + first, rowReciprocal, kNudge,
                       a.d3d ? 0u : 0xFF000000u, a.d3d ? 0xFF000000u : 0u, last - first);
      continue;
    }
    for (size_t i = first; i < last; ++i) {
      const Real reciprocal = colRec[i] * rowReciprocal;
      const uint32_t red = static_cast<uint32_t>(static_cast<int32_t>(Real(wr[i]) * reciprocal + kNudge));
      const uint32_t green = static_cast<uint32_t>(static_cast<int32_t>(Real(wg[i]) * reciprocal + kNudge));
      const uint32_t blue = static_cast<uint32_t>(static_cast<int32_t>(Real(wb[i]) * reciprocal + kNudge));
      uint8_t* d = dRow + i * kBytes;
      if constexpr (kBytes == 2) {
        uint32_t out;
        if (a.toScreen) {
          out = red << screen.nShiftR | (green * 2) << screen.nShiftG | blue << screen.nShiftB;
        } else {
          out = (red & m.nMaskR) << m.nShiftR | (green & m.nMaskG) << m.nShiftG | (blue & m.nMaskB) << m.nShiftB;
          if (a.d3d) out |= 1u << m.nShiftA;
        }
        plat::WritePixel(d, 2, out);
      } else {
        const uint32_t top = a.d3d ? 0xFF000000u : (plat::Load32(d) & 0xFF000000u);
        plat::WritePixel(d, 4, top | red << 16 | green << 8 | blue);
      }
    }
  }
}

}  // namespace

bool DDBlur(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nRadiusX, int nRadiusY,
            DDSURFACEDATA* lpSrcSD, int sx, int sy, int nKey) {
  if (nRadiusX == 0 || nRadiusY == 0) return true;
  cSurfaceLock dstLock;
  if (!dstLock.Lock(lpDstSD)) return false;
  cSurfaceLock srcLock;
  if (!srcLock.Lock(lpSrcSD)) return false;
  const int bpp = DDSettings.nBpp;
  if (bpp == 8) {
    ECLog(SJ("8ビットぼかしは不可能！"));
    return true;
  }
  const int bytes = bpp / 8;
  if ((bpp != 16 && bpp != 32) || dstLock.m_nBytesPerPixel != bytes || srcLock.m_nBytesPerPixel != bytes) return true;
  // A negative radius counts no sample: nothing changes.
  if (nRadiusX < 0 || nRadiusY < 0 || nWidth <= 0 || nHeight <= 0) return true;

  const DDLockArea dstArea = DDAreaOf(dstLock), srcArea = DDAreaOf(srcLock);
  const int64_t w = nWidth, h = nHeight, rx = nRadiusX, ry = nRadiusY;
  // Rectangle columns and rows written (their destination inside the target) ...
  const int64_t c0 = std::max<int64_t>(0, -int64_t(x)), c1 = std::min<int64_t>(w, dstArea.nWidth - int64_t(x));
  const int64_t r0 = std::max<int64_t>(0, -int64_t(y)), r1 = std::min<int64_t>(h, dstArea.nHeight - int64_t(y));
  if (c0 >= c1 || r0 >= r1) return true;
  // ... and those sampled for them (inside the rectangle and the source).
  const int64_t sc0 = std::max({int64_t(0), c0 - rx, -int64_t(sx)});
  const int64_t sc1 = std::min({w, c1 + rx - 1, srcArea.nWidth - int64_t(sx)});
  const int64_t sr0 = std::max({int64_t(0), r0 - ry, -int64_t(sy)});
  const int64_t sr1 = std::min({h, r1 + ry - 1, srcArea.nHeight - int64_t(sy)});
  if (sc0 >= sc1 || sr0 >= sr1) return true;

  const bool keyed = nKey == 1;
  const bool d3d = lpDTCon != nullptr;
  const bool toScreen = d3d && bytes == 2 && DDIsFullScreenBack(dstLock.m_lpSD);
  // The most samples a box can hold; below 2^31 / 255 the sums fit 32 bits, and
  // so do a source row's running sums.
  const int64_t mostSamples = std::min(2 * rx, sc1 - sc0) * std::min(2 * ry, sr1 - sr0);
  constexpr int64_t kFits32 = (int64_t(1) << 31) / 255;
  if (!keyed && mostSamples < kFits32 && sc1 - sc0 < kFits32) {
    const BlurArea area{x, y, sx, sy, rx, ry, c0, c1, r0, r1, sc0, sc1, sr0, sr1, d3d, toScreen};
    constexpr int64_t kSinglePrecision = 4096;
    if (mostSamples <= kSinglePrecision) {
      if (bytes == 2) BlurPlain<2, float>(dstLock, srcLock, area);
      else BlurPlain<4, float>(dstLock, srcLock, area);
    } else {
      if (bytes == 2) BlurPlain<2, double>(dstLock, srcLock, area);
      else BlurPlain<4, double>(dstLock, srcLock, area);
    }
    return true;
  }
  auto sourcePixel = [&](int64_t c, int64_t r) {
    return plat::ReadPixel(srcLock.Row(static_cast<int>(sy + r)) + (sx + c) * bytes, bytes);
  };

  // Horizontal box sums of each sampled row at every written column, from the
  // row's running sums, made when the running vertical window takes the row in;
  // a ring holds the rows the window has yet to give back. The sums are exact,
  // so the averages are those of the box counted sample by sample. They are kept
  // between calls (a blur a frame would otherwise allocate them each time);
  // every entry read is written first, so none is cleared.
  const size_t cols = static_cast<size_t>(c1 - c0), sampleCols = static_cast<size_t>(sc1 - sc0);
  const int64_t ring = std::min<int64_t>(sr1 - sr0, 2 * ry + 1);
  thread_local std::vector<Sums> rowSums, prefix, window;
  rowSums.resize(static_cast<size_t>(ring) * cols);
  prefix.resize(sampleCols + 1);
  prefix[0] = Sums{};
  auto rowOf = [&](int64_t r) { return &rowSums[static_cast<size_t>((r - sr0) % ring) * cols]; };
  auto makeRow = [&](int64_t r) {
    for (int64_t c = sc0; c < sc1; ++c) {
      Sums s = prefix[static_cast<size_t>(c - sc0)];
      const uint32_t p = sourcePixel(c, r);
      if (!(keyed && DDIsTransparentPixel(p, bytes))) {
        const Rgb v = Channels(p, bytes);
        s.Add({v.r, v.g, v.b, 1});
      }
      prefix[static_cast<size_t>(c - sc0 + 1)] = s;
    }
    Sums* out = rowOf(r);
    for (int64_t c = c0; c < c1; ++c) {
      const int64_t a = std::max(c - rx, sc0), b = std::min(c + rx - 1, sc1 - 1);
      Sums s;
      if (a <= b) {
        s = prefix[static_cast<size_t>(b + 1 - sc0)];
        s.Sub(prefix[static_cast<size_t>(a - sc0)]);
      }
      out[c - c0] = s;
    }
  };

  const DDCOLORMASK& m = PixelColorMask;
  const DDCOLORMASK& screen = BackBufferColorMask;
  window.assign(cols, Sums{});
  // Rows are taken in in rising order, each once, and given back 2 * ry rows later.
  auto addRow = [&](int64_t r, bool add) {
    if (r < sr0 || r >= sr1) return;
    if (add) makeRow(r);
    const Sums* row = rowOf(r);
    for (size_t i = 0; i < cols; ++i) add ? window[i].Add(row[i]) : window[i].Sub(row[i]);
  };
  for (int64_t r = std::max(r0 - ry, sr0); r <= std::min(r0 + ry - 1, sr1 - 1); ++r) addRow(r, true);
  int64_t lastCount = 0;
  double reciprocal = 0;
  constexpr double kNudge = 1.0 / (1 << 30);
  for (int64_t r = r0; r < r1; ++r) {
    if (r > r0) {
      addRow(r + ry - 1, true);
      addRow(r - ry - 1, false);
    }
    uint8_t* dRow = dstLock.Row(static_cast<int>(y + r));
    const bool rowInSource = sy + r >= 0 && sy + r < srcArea.nHeight;
    for (int64_t c = c0; c < c1; ++c) {
      if (keyed) {
        // The centre decides: a transparent (or unreadable) pixel stays as it is.
        if (!rowInSource || sx + c < 0 || sx + c >= srcArea.nWidth) continue;
        if (DDIsTransparentPixel(sourcePixel(c, r), bytes)) continue;
      }
      const Sums& s = window[static_cast<size_t>(c - c0)];
      if (s.n <= 0) continue;
      uint32_t red, green, blue;
      if (s.n <= 0xFFFFFF) {
        // At most 2^24 samples of at most 255: the quotient times the reciprocal
        // is within 2^-44 of the true one, whose fraction, when not 0, is at least
        // 2^-24 from a whole number; a nudge of 2^-30 makes the floor exact. The
        // reciprocal changes only where the box meets an edge.
        if (s.n != lastCount) lastCount = s.n, reciprocal = 1.0 / double(s.n);
        red = static_cast<uint32_t>(double(s.r) * reciprocal + kNudge);
        green = static_cast<uint32_t>(double(s.g) * reciprocal + kNudge);
        blue = static_cast<uint32_t>(double(s.b) * reciprocal + kNudge);
      } else {
        red = static_cast<uint32_t>(s.r / s.n), green = static_cast<uint32_t>(s.g / s.n),
        blue = static_cast<uint32_t>(s.b / s.n);
      }
      uint8_t* d = dRow + (x + c) * bytes;
      uint32_t out;
      if (bytes == 2) {
        if (toScreen) {
          out = red << screen.nShiftR | (green * 2) << screen.nShiftG | blue << screen.nShiftB;
        } else {
          out = (red & m.nMaskR) << m.nShiftR | (green & m.nMaskG) << m.nShiftG | (blue & m.nMaskB) << m.nShiftB;
          if (d3d) out |= 1u << m.nShiftA;
        }
      } else {
        const uint32_t top = d3d ? 0xFF000000u : (plat::Load32(d) & 0xFF000000u);
        out = top | red << 16 | green << 8 | blue;
      }
      plat::WritePixel(d, bytes, out);
    }
  }
  return true;
}

namespace {

// The mosaic's blocks at one pixel size. Samples outside the source and writes
// outside the target are cut off by rectangle, not tested pixel by pixel.
struct cMosaic {
  const cSurfaceLock& dst;
  const cSurfaceLock& src;
  DDLockArea dstArea, srcArea;
  int64_t x, y, w, h, sx, sy, block;
  bool keyed, toScreen, average;  // average: 16- and 32-bit DirectDraw
};

template <int kBytes>
void MosaicBlocks(const cMosaic& m) {
  const bool d3d = lpDTCon != nullptr;
  const uint32_t key = dwColorKey;
  const DDCOLORMASK& mask = PixelColorMask;
  const DDChannelScale scaleR(mask.nMaskR), scaleG(mask.nMaskG), scaleB(mask.nMaskB);
  const uint8_t* const srcBits = m.src.m_pBits;
  const int64_t srcPitch = int64_t(m.src.m_nPitch) * kBytes;
  uint8_t* const dstBits = m.dst.m_pBits;
  const int64_t dstPitch = int64_t(m.dst.m_nPitch) * kBytes;
  auto read = [&](int64_t c, int64_t r) {
    return plat::ReadPixel(srcBits + (m.sy + r) * srcPitch + (m.sx + c) * kBytes, kBytes);
  };
  // Only the blocks that reach into the destination are worked out.
  const int64_t firstRow = std::max<int64_t>(0, -m.y) / m.block * m.block;
  const int64_t endRow = std::min<int64_t>(m.h, m.dstArea.nHeight - m.y);
  const int64_t firstCol = std::max<int64_t>(0, -m.x) / m.block * m.block;
  const int64_t endCol = std::min<int64_t>(m.w, m.dstArea.nWidth - m.x);
  // The part of the rectangle whose samples lie inside the source.
  const int64_t inC0 = -m.sx, inC1 = m.srcArea.nWidth - m.sx, inR0 = -m.sy, inR1 = m.srcArea.nHeight - m.sy;
  for (int64_t by = firstRow; by < endRow; by += m.block) {
    const int64_t bh = std::min(m.block, m.h - by);
    for (int64_t bx = firstCol; bx < endCol; bx += m.block) {
      const int64_t bw = std::min(m.block, m.w - bx);
      uint32_t colour = 0;
      bool keepTop = false;  // 32-bit DirectDraw: the destination's fourth byte stays
      if (!m.average) {
        if (bx < inC0 || bx >= inC1 || by < inR0 || by >= inR1) continue;
        colour = read(bx, by);
        if (m.keyed && DDIsTransparentPixel(colour, kBytes)) continue;
        if (kBytes == 4 && d3d) colour |= 0xFF000000u;
        if (m.toScreen) colour = DDSurfaceToScreen16(colour);
      } else {
        const int64_t c0 = std::max(bx, inC0), c1 = std::min(bx + bw, inC1);
        const int64_t r0 = std::max(by, inR0), r1 = std::min(by + bh, inR1);
        uint64_t sr = 0, sg = 0, sb = 0, n = 0;
        for (int64_t r = r0; r < r1; ++r) {
          const int64_t row = (m.sy + r) * srcPitch;
          for (int64_t c = c0; c < c1; ++c) {
            const uint32_t p = plat::ReadPixel(srcBits + row + (m.sx + c) * kBytes, kBytes);
            if (m.keyed && p == key) continue;
            if constexpr (kBytes == 2) {
              sr += scaleR.Widen(DDChannel(p, mask.nShiftR, mask.nMaskR));
              sg += scaleG.Widen(DDChannel(p, mask.nShiftG, mask.nMaskG));
              sb += scaleB.Widen(DDChannel(p, mask.nShiftB, mask.nMaskB));
            } else {
              sr += (p >> 16) & 255, sg += (p >> 8) & 255, sb += p & 255;
            }
            ++n;
          }
        }
        if (n == 0) continue;
        const uint32_t r = uint32_t(sr / n), g = uint32_t(sg / n), b = uint32_t(sb / n);
        if constexpr (kBytes == 2) {
          colour = scaleR.Narrow(r) << mask.nShiftR | scaleG.Narrow(g) << mask.nShiftG |
                   scaleB.Narrow(b) << mask.nShiftB;
        } else {
          colour = r << 16 | g << 8 | b;
          keepTop = true;
        }
        if (m.keyed && colour == key) continue;
      }
      const int64_t j0 = std::max<int64_t>(0, -(m.y + by)), j1 = std::min<int64_t>(bh, m.dstArea.nHeight - (m.y + by));
      const int64_t i0 = std::max<int64_t>(0, -(m.x + bx)), i1 = std::min<int64_t>(bw, m.dstArea.nWidth - (m.x + bx));
      for (int64_t j = j0; j < j1; ++j) {
        uint8_t* row = dstBits + (m.y + by + j) * dstPitch + (m.x + bx + i0) * kBytes;
        if (keepTop) {
          for (int64_t i = 0; i < i1 - i0; ++i)
            plat::Store32(row + i * 4, (plat::Load32(row + i * 4) & 0xFF000000u) | colour);
        } else {
          for (int64_t i = 0; i < i1 - i0; ++i) plat::WritePixel(row + i * kBytes, kBytes, colour);
        }
      }
    }
  }
}

}  // namespace

bool DDMosaic(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nBlock, DDSURFACEDATA* lpSrcSD,
              int sx, int sy, int nKey) {
  if (nBlock == 0) return true;
  cSurfaceLock dstLock;
  if (!dstLock.Lock(lpDstSD)) return false;
  cSurfaceLock srcLock;
  if (!srcLock.Lock(lpSrcSD)) return false;
  const int bpp = DDSettings.nBpp;
  const bool d3d = lpDTCon != nullptr;
  const bool supported = d3d ? (bpp == 16 || bpp == 32) : (bpp == 8 || bpp == 16 || bpp == 32);
  const int bytes = bpp / 8;
  if (!supported || dstLock.m_nBytesPerPixel != bytes || srcLock.m_nBytesPerPixel != bytes) return true;
  if (nBlock < 0 || nWidth <= 0 || nHeight <= 0) return true;
  const cMosaic m{dstLock,
                  srcLock,
                  DDAreaOf(dstLock),
                  DDAreaOf(srcLock),
                  x,
                  y,
                  nWidth,
                  nHeight,
                  sx,
                  sy,
                  nBlock,
                  nKey == 1,
                  d3d && bytes == 2 && DDIsFullScreenBack(dstLock.m_lpSD),
                  !d3d && bytes != 1};
  if (bytes == 1) MosaicBlocks<1>(m);
  if (bytes == 2) MosaicBlocks<2>(m);
  if (bytes == 4) MosaicBlocks<4>(m);
  return true;
}
