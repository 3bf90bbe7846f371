#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "draw/dd_distort.h"
#include "draw/dd_pixel_ops.h"

namespace {

// floor(sqrt(v)), exact for every v; -1 for a negative v.
int64_t FloorSqrtOrMinus1(int64_t v) {
  if (v < 0) return -1;
  int64_t s = static_cast<int64_t>(std::sqrt(static_cast<double>(v)));
  while (s > 0 && s * s > v) --s;
  while ((s + 1) * (s + 1) <= v) ++s;
  return s;
}

// The offsets of a small lens's row (see cLensRow): S - q is 0 only on the rim
// of a lens without depth (fixed by the caller); 1 stands in for it so that
// nothing divides by 0. Square roots and divisions give the same bits in any
// lane width, so the loop is also compiled for AVX2 and taken where the
// processor has it.
[[gnu::always_inline]] inline void SmallRowBody(int32_t rest, int32_t d32, double ny, int32_t count, int32_t* xp,
                                                int32_t* xn, int32_t* yp, int32_t* yn) {
  for (int32_t i = 0; i < count; ++i) {
    const double z = std::sqrt(static_cast<double>(std::max(rest - i * i, 1)));
    const double ax = static_cast<double>(i * d32) / z, ay = ny / z;
    // Truncated toward zero after adding one half, for negative offsets too.
    xp[i] = static_cast<int32_t>(ax + 0.5), xn[i] = static_cast<int32_t>(-ax + 0.5);
    yp[i] = static_cast<int32_t>(ay + 0.5), yn[i] = static_cast<int32_t>(-ay + 0.5);
  }
}

[[gnu::target("avx2")]] void SmallRowAvx2(int32_t rest, int32_t d32, double ny, int32_t count, int32_t* xp,
                                          int32_t* xn, int32_t* yp, int32_t* yn) {
  SmallRowBody(rest, d32, ny, count, xp, xn, yp, yn);
}

void SmallRow(int32_t rest, int32_t d32, double ny, int32_t count, int32_t* xp, int32_t* xn, int32_t* yp,
              int32_t* yn) {
  static const bool avx2 = __builtin_cpu_supports("avx2");
  if (avx2) {
    SmallRowAvx2(rest, d32, ny, count, xp, xn, yp, yn);
  } else {
    SmallRowBody(rest, d32, ny, count, xp, xn, yp, yn);
  }
}

// Where the lens reads for the points (±adx, ±ady) of one row pair: the offsets
// for each sign of dx and dy, for the points inside the circle (adx up to
// `last`). The bend depends on the distance from the centre alone and the
// division is sign-symmetric, so one square root and two divisions serve all
// four points; only the rounding (truncation after adding one half) differs
// between signs. Offset is int32_t when the lens is small enough for every
// product and sum to fit (then the loop runs in vector lanes), else int64_t.
template <class Offset>
struct cLensRow {
  std::vector<Offset> oxPos, oxNeg, oyPos, oyNeg;
  int64_t last = -1;  // the last adx inside the circle; -1: none

  void Build(int64_t ady, int64_t maxAdx, int64_t r, int64_t d, int64_t S) {
    last = std::min(maxAdx, FloorSqrtOrMinus1(r * r - ady * ady));
    if (last < 0) return;
    const size_t n = static_cast<size_t>(last + 1);
    oxPos.resize(n), oxNeg.resize(n), oyPos.resize(n), oyNeg.resize(n);
    Offset* xp = oxPos.data();
    Offset* xn = oxNeg.data();
    Offset* yp = oyPos.data();
    Offset* yn = oyNeg.data();
    if constexpr (sizeof(Offset) == 4) {
      // S, adx x d and ady x d below 2^30: the differences and products are
      // exact in int32_t and the quotients (z >= 1) fit it after rounding.
      const int32_t rest = static_cast<int32_t>(S - ady * ady), d32 = static_cast<int32_t>(d);
      const double ny = static_cast<double>(static_cast<int32_t>(ady * d));
      SmallRow(rest, d32, ny, static_cast<int32_t>(n), xp, xn, yp, yn);
      const int64_t rim = FloorSqrtOrMinus1(rest);
      if (rim >= 0 && rim <= last && rim * rim == rest) {
        const size_t i = static_cast<size_t>(rim);
        xp[i] = static_cast<Offset>(rim), xn[i] = static_cast<Offset>(-rim);
        yp[i] = static_cast<Offset>(ady), yn[i] = static_cast<Offset>(-ady);
      }
    } else {
      for (int64_t adx = 0; adx <= last; ++adx) {
        const size_t i = static_cast<size_t>(adx);
        const double z = std::sqrt(static_cast<double>(S - (adx * adx + ady * ady)));
        if (z == 0.0) {
          xp[i] = adx, xn[i] = -adx, yp[i] = ady, yn[i] = -ady;
          continue;
        }
        const double ax = static_cast<double>(adx * d) / z, ay = static_cast<double>(ady * d) / z;
        xp[i] = static_cast<int64_t>(ax + 0.5), xn[i] = static_cast<int64_t>(-ax + 0.5);
        yp[i] = static_cast<int64_t>(ay + 0.5), yn[i] = static_cast<int64_t>(-ay + 0.5);
      }
    }
  }
};

// How one read pixel lands, by back end and depth.
enum class LensMode { kDirectDraw8, kDirectDraw16, kDirectDraw32, kD3D16, kD3D32 };

constexpr int BytesOf(LensMode m) {
  return m == LensMode::kDirectDraw8 ? 1 : m == LensMode::kDirectDraw16 || m == LensMode::kD3D16 ? 2 : 4;
}

struct cLensTarget {
  const cSurfaceLock& dst;
  const cSurfaceLock& src;
  DDLockArea srcArea;
  int64_t cx, cy, scx, scy;
  bool clear, toScreen, keyed;
};

// Row cy + dy of the lens over columns dx0..dx1. The surfaces' fields are read
// into locals once: the pixel stores could alias them.
template <LensMode kMode, class Offset>
void DrawLensRow(const cLensTarget& t, const cLensRow<Offset>& lr, int64_t dy, int64_t dx0, int64_t dx1) {
  constexpr int bytes = BytesOf(kMode);
  uint8_t* const out = t.dst.Row(static_cast<int>(t.cy + dy));
  const uint8_t* const src = t.src.m_pBits;
  const int64_t pitch = int64_t(t.src.m_nPitch) * bytes;
  const int64_t w = t.srcArea.nWidth, h = t.srcArea.nHeight, cx = t.cx, scx = t.scx, scy = t.scy;
  const bool clear = kMode == LensMode::kD3D32 && t.clear, keyed = t.keyed, toScreen = t.toScreen;
  const uint32_t key = dwColorKey;
  // A point that shows nothing: Direct3D at 32 bits with the clear flag writes 0.
  auto nothing = [&](int64_t dx) {
    if (clear) plat::Store32(out + (cx + dx) * 4, 0);
  };
  // The source pixel at (px, py) landing at column dx.
  auto land = [&](int64_t dx, int64_t px, int64_t py) {
    if (px < 0 || py < 0 || px >= w || py >= h) {
      nothing(dx);
      return;
    }
    const uint8_t* in = src + py * pitch + px * bytes;
    uint8_t* o = out + (cx + dx) * bytes;
    if constexpr (kMode == LensMode::kD3D32) {
      const uint32_t p = plat::Load32(in), old = plat::Load32(o);
      plat::Store32(o, (p >> 24) != 0 ? p : clear ? 0u : old);
    } else if constexpr (kMode == LensMode::kD3D16) {
      const uint32_t p = plat::Load16(in);
      if (keyed && DDIsTransparentPixel(p, 2)) return;
      plat::Store16(o, toScreen ? DDSurfaceToScreen16(p) : p);
    } else {
      // DirectDraw keeps the colour key's pixels out whatever the key flag.
      const uint32_t p = plat::ReadPixel(in, bytes), old = plat::ReadPixel(o, bytes);
      plat::WritePixel(o, bytes, p != key ? p : old);
    }
  };
  const Offset* oys = dy >= 0 ? lr.oyPos.data() : lr.oyNeg.data();
  const Offset* oxn = lr.oxNeg.data();
  const Offset* oxp = lr.oxPos.data();
  // Points outside the circle.
  const int64_t in0 = std::max(dx0, -lr.last), in1 = std::min(dx1, lr.last);
  if (clear) {
    for (int64_t dx = dx0; dx <= dx1 && dx < in0; ++dx) nothing(dx);
    for (int64_t dx = std::max(dx0, in1 + 1); dx <= dx1; ++dx) nothing(dx);
  }
  // Left of the centre, then from it rightwards.
  for (int64_t dx = in0; dx <= std::min<int64_t>(in1, -1); ++dx) {
    const size_t a = static_cast<size_t>(-dx);
    land(dx, scx + oxn[a], scy + oys[a]);
  }
  for (int64_t dx = std::max<int64_t>(in0, 0); dx <= in1; ++dx) {
    const size_t a = static_cast<size_t>(dx);
    land(dx, scx + oxp[a], scy + oys[a]);
  }
}

// Rows dy0..dy1, rows dy and -dy together as they share their mapping. (The lens
// never reads the surface it writes: a surface cannot be locked twice.)
template <LensMode kMode, class Offset>
void DrawLens(const cLensTarget& t, int64_t r, int64_t d, int64_t S, int64_t dy0, int64_t dy1, int64_t dx0,
              int64_t dx1) {
  const int64_t maxAdx = std::max(std::abs(dx0), std::abs(dx1));
  const int64_t first = dy0 <= 0 && dy1 >= 0 ? 0 : std::min(std::abs(dy0), std::abs(dy1));
  const int64_t last = std::max(std::abs(dy0), std::abs(dy1));
  cLensRow<Offset> lr;
  for (int64_t ady = first; ady <= last; ++ady) {
    const bool below = ady >= dy0 && ady <= dy1, above = ady > 0 && -ady >= dy0 && -ady <= dy1;
    if (!below && !above) continue;
    lr.Build(ady, maxAdx, r, d, S);
    if (above) DrawLensRow<kMode>(t, lr, -ady, dx0, dx1);
    if (below) DrawLensRow<kMode>(t, lr, ady, dx0, dx1);
  }
}

template <LensMode kMode>
void DrawLensAnySize(const cLensTarget& t, int64_t r, int64_t d, int64_t S, int64_t dy0, int64_t dy1, int64_t dx0,
                     int64_t dx1) {
  constexpr int64_t kSmall = int64_t(1) << 30;
  if (S < kSmall && r * d < kSmall)
    DrawLens<kMode, int32_t>(t, r, d, S, dy0, dy1, dx0, dx1);
  else
    DrawLens<kMode, int64_t>(t, r, d, S, dy0, dy1, dx0, dx1);
}

}  // namespace


bool DDBltLens(DDSURFACEDATA* lpDstSD, int cx, int cy, int nRadius, int nDepth, DDSURFACEDATA* lpSrcSD, int scx,
               int scy, int nKey, int bClear) {
  if (nDepth < 0 || nRadius < 0) return false;
  const int64_t r = nRadius, d = nDepth;
  // The sphere through the circle's rim at height d above the picture.
  const int64_t R = static_cast<int64_t>(std::sqrt(static_cast<double>(r) * r + static_cast<double>(d) * d));
  if (R <= d) return false;
  const int64_t S = R * R;

  cSurfaceLock dstLock;
  if (!dstLock.Lock(lpDstSD)) return false;
  cSurfaceLock srcLock;
  if (!srcLock.Lock(lpSrcSD)) return false;
  const int bpp = DDSettings.nBpp;
  const bool d3d = lpDTCon != nullptr;
  const bool supported = d3d ? (bpp == 16 || bpp == 32) : (bpp == 8 || bpp == 16 || bpp == 32);
  const int bytes = bpp / 8;
  if (!supported || dstLock.m_nBytesPerPixel != bytes || srcLock.m_nBytesPerPixel != bytes) return true;

  const DDLockArea dstArea = DDAreaOf(dstLock);
  const cLensTarget t{dstLock,
                      srcLock,
                      DDAreaOf(srcLock),
                      cx,
                      cy,
                      scx,
                      scy,
                      d3d && bytes == 4 && bClear != 0,
                      d3d && bytes == 2 && DDIsFullScreenBack(dstLock.m_lpSD),
                      nKey == 1};
  // Only the part of the square that lies inside the destination.
  const int64_t dy0 = std::max(-r, -int64_t(cy)), dy1 = std::min(r, dstArea.nHeight - 1 - int64_t(cy));
  const int64_t dx0 = std::max(-r, -int64_t(cx)), dx1 = std::min(r, dstArea.nWidth - 1 - int64_t(cx));
  if (dy0 > dy1 || dx0 > dx1) return true;
  if (!d3d) {
    if (bytes == 1) DrawLensAnySize<LensMode::kDirectDraw8>(t, r, d, S, dy0, dy1, dx0, dx1);
    if (bytes == 2) DrawLensAnySize<LensMode::kDirectDraw16>(t, r, d, S, dy0, dy1, dx0, dx1);
    if (bytes == 4) DrawLensAnySize<LensMode::kDirectDraw32>(t, r, d, S, dy0, dy1, dx0, dx1);
  } else if (bytes == 2) {
    DrawLensAnySize<LensMode::kD3D16>(t, r, d, S, dy0, dy1, dx0, dx1);
  } else {
    DrawLensAnySize<LensMode::kD3D32>(t, r, d, S, dy0, dy1, dx0, dx1);
  }
  return true;
}
