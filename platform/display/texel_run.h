#pragma once
#include <algorithm>
#include <cstdint>

#include "platform/display/raster.h"

// The texels a run of pixels of a triangle row reads: for pixel j of the run the
// edge functions are w[i] + step[i] * j (whole numbers, exact in doubles), the
// barycentric weights l[i] those over the area, and the texel column
// floor((l0 u0 + l1 u1 + l2 u2) * width + 1e-6), then wrapped or clamped into the
// texture (likewise the row from v and the height).
namespace plat {

// floor(v) as an integer, for the values a texture coordinate takes.
inline int64_t FloorToInt(double v) {
  const int64_t t = static_cast<int64_t>(v);
  return v < static_cast<double>(t) ? t - 1 : t;
}

// A texel index brought into [0, size) by the addressing mode (clamp, or else wrap).
inline int WrapIndex(int64_t t, int size, uint32_t mode) {
  if (static_cast<uint64_t>(t) < static_cast<uint64_t>(size)) return static_cast<int>(t);
  if (mode == kAddressClamp) return static_cast<int>(std::clamp<int64_t>(t, 0, size - 1));
  int64_t m = t % size;
  return static_cast<int>(m < 0 ? m + size : m);
}

struct RunWeights {
  double w[3], step[3], area, u[3], v[3], tw, th;
};

struct TexelAddressing {
  int width, height;
  uint32_t modeU, modeV;
};

// The texel column and row of each of the n pixels of the run, exactly those of
// the formula above evaluated pixel by pixel in doubles. The pixels of the run
// must be inside the triangle (all weights 0 to 1).
void TexelsOfRun(const RunWeights& r, int n, const TexelAddressing& a, int* tx, int* ty);

// The same, every pixel by the formula itself: what TexelsOfRun is checked against.
void TexelsOfRunReference(const RunWeights& r, int n, const TexelAddressing& a, int* tx, int* ty);

}  // namespace plat
