#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "draw/dd_distort.h"
#include "draw/dd_pixel_ops.h"

namespace {

// Where the lens reads for the points (±adx, ±ady) of one row pair: the offsets
// for each sign of dx and dy, and whether the point lies inside the circle. The
// bend depends on the distance from the centre alone and the division is
// sign-symmetric, so one square root and two divisions serve all four points;
// only the rounding (truncation after adding one half) differs between signs.
struct cLensRow {
  std::vector<int64_t> oxPos, oxNeg, oyPos, oyNeg;
  std::vector<uint8_t> inside;

  void Build(int64_t ady, int64_t maxAdx, int64_t r, int64_t d, int64_t S) {
    const size_t n = static_cast<size_t>(maxAdx + 1);
    oxPos.resize(n), oxNeg.resize(n), oyPos.resize(n), oyNeg.resize(n), inside.resize(n);
    for (int64_t adx = 0; adx <= maxAdx; ++adx) {
      const size_t i = static_cast<size_t>(adx);
      const int64_t q = adx * adx + ady * ady;
      inside[i] = q <= r * r;
      if (!inside[i]) continue;
      const double z = std::sqrt(static_cast<double>(S - q));
      if (z == 0.0) {
        oxPos[i] = adx, oxNeg[i] = -adx, oyPos[i] = ady, oyNeg[i] = -ady;
        continue;
      }
      const double ax = static_cast<double>(adx * d) / z, ay = static_cast<double>(ady * d) / z;
      // Truncated toward zero after adding one half, for negative offsets too.
      oxPos[i] = static_cast<int64_t>(ax + 0.5), oxNeg[i] = static_cast<int64_t>(-ax + 0.5);
      oyPos[i] = static_cast<int64_t>(ay + 0.5), oyNeg[i] = static_cast<int64_t>(-ay + 0.5);
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

// Row cy + dy of the lens over columns dx0..dx1, in that order.
template <LensMode kMode>
void DrawLensRow(const cLensTarget& t, const cLensRow& lr, int64_t dy, int64_t dx0, int64_t dx1) {
  uint8_t* row = t.dst.Row(static_cast<int>(t.cy + dy));
  const std::vector<int64_t>& oys = dy >= 0 ? lr.oyPos : lr.oyNeg;
  constexpr int bytes = BytesOf(kMode);
  for (int64_t dx = dx0; dx <= dx1; ++dx) {
    uint8_t* out = row + (t.cx + dx) * bytes;
    const size_t a = static_cast<size_t>(dx >= 0 ? dx : -dx);
    if (!lr.inside[a]) {
      if (kMode == LensMode::kD3D32 && t.clear) plat::Store32(out, 0);
      continue;
    }
    const int64_t px = t.scx + (dx >= 0 ? lr.oxPos[a] : lr.oxNeg[a]), py = t.scy + oys[a];
    if (!t.srcArea.Inside(px, py)) {
      if (kMode == LensMode::kD3D32 && t.clear) plat::Store32(out, 0);
      continue;
    }
    const uint8_t* in = t.src.Row(static_cast<int>(py)) + px * bytes;
    if constexpr (kMode == LensMode::kD3D32) {
      const uint32_t p = plat::Load32(in);
      if ((p >> 24) != 0) {
        plat::Store32(out, p);
      } else if (t.clear) {
        plat::Store32(out, 0);
      }
    } else if constexpr (kMode == LensMode::kD3D16) {
      const uint32_t p = plat::Load16(in);
      if (t.keyed && DDIsTransparentPixel(p, 2)) continue;
      plat::Store16(out, t.toScreen ? DDSurfaceToScreen16(p) : p);
    } else {
      // DirectDraw keeps the colour key's pixels out whatever the key flag.
      const uint32_t p = plat::ReadPixel(in, bytes);
      if (p != dwColorKey) plat::WritePixel(out, bytes, p);
    }
  }
}

// Rows dy0..dy1, rows dy and -dy together as they share their mapping. (The lens
// never reads the surface it writes: a surface cannot be locked twice.)
template <LensMode kMode>
void DrawLens(const cLensTarget& t, int64_t r, int64_t d, int64_t S, int64_t dy0, int64_t dy1, int64_t dx0,
              int64_t dx1) {
  const int64_t maxAdx = std::max(std::abs(dx0), std::abs(dx1));
  const int64_t first = dy0 <= 0 && dy1 >= 0 ? 0 : std::min(std::abs(dy0), std::abs(dy1));
  const int64_t last = std::max(std::abs(dy0), std::abs(dy1));
  cLensRow lr;
  for (int64_t ady = first; ady <= last; ++ady) {
    const bool below = ady >= dy0 && ady <= dy1, above = ady > 0 && -ady >= dy0 && -ady <= dy1;
    if (!below && !above) continue;
    lr.Build(ady, maxAdx, r, d, S);
    if (above) DrawLensRow<kMode>(t, lr, -ady, dx0, dx1);
    if (below) DrawLensRow<kMode>(t, lr, ady, dx0, dx1);
  }
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
    if (bytes == 1) DrawLens<LensMode::kDirectDraw8>(t, r, d, S, dy0, dy1, dx0, dx1);
    if (bytes == 2) DrawLens<LensMode::kDirectDraw16>(t, r, d, S, dy0, dy1, dx0, dx1);
    if (bytes == 4) DrawLens<LensMode::kDirectDraw32>(t, r, d, S, dy0, dy1, dx0, dx1);
  } else if (bytes == 2) {
    DrawLens<LensMode::kD3D16>(t, r, d, S, dy0, dy1, dx0, dx1);
  } else {
    DrawLens<LensMode::kD3D32>(t, r, d, S, dy0, dy1, dx0, dx1);
  }
  return true;
}
