#include "platform/display/texel_run.h"

#include <immintrin.h>

#include <cmath>

#include "platform/display/raster_rows.h"

namespace plat {
namespace {

// Pixel j's texel position before the floor, as the per-pixel loop works it out.
inline void PositionAt(const RunWeights& r, int j, double* U, double* V) {
  const double l0 = (r.w[0] + r.step[0] * j) / r.area, l1 = (r.w[1] + r.step[1] * j) / r.area,
               l2 = (r.w[2] + r.step[2] * j) / r.area;
  *U = (l0 * r.u[0] + l1 * r.u[1] + l2 * r.u[2]) * r.tw + 1e-6;
  *V = (l0 * r.v[0] + l1 * r.v[1] + l2 * r.v[2]) * r.th + 1e-6;
}

// What the positions of a run are made of: |position| stays below it (the weights
// are 0 to 1), and every rounding error of working a position out is a few units
// in the last place of it.
inline double Scale(const double* c, double size) {
  return (std::fabs(c[0]) + std::fabs(c[1]) + std::fabs(c[2])) * std::fabs(size) + 2;
}

// Which lanes of four positions lie closer than eps to a whole number, and their floors.
[[gnu::target("avx2")]] inline int NearWhole(__m256d p, double eps, __m128i* floors) {
  const __m256d f = _mm256_floor_pd(p), frac = _mm256_sub_pd(p, f);
  const __m256d near = _mm256_or_pd(_mm256_cmp_pd(frac, _mm256_set1_pd(eps), _CMP_LT_OQ),
                                    _mm256_cmp_pd(frac, _mm256_set1_pd(1 - eps), _CMP_GT_OQ));
  *floors = _mm256_cvttpd_epi32(f);
  return _mm256_movemask_pd(near);
}

// Lanes of four indices outside [0, size).
[[gnu::target("avx2")]] inline int Outside(__m128i i, int size) {
  const __m128i out = _mm_or_si128(_mm_cmplt_epi32(i, _mm_setzero_si128()), _mm_cmpgt_epi32(i, _mm_set1_epi32(size - 1)));
  return _mm_movemask_epi8(out);
}

enum : int { kNear = 1, kOutside = 2 };

// The floors of u0 + du * j (likewise v) for j < n, four pixels to a vector;
// returns kNear when a position came within eps of a whole number, kOutside when
// an index lies outside the texture.
[[gnu::target("avx2")]] int StepRunAvx2(double u0, double du, double epsU, double v0, double dv, double epsV, int n,
                                        const TexelAddressing& a, int* tx, int* ty) {
  const __m256d U0 = _mm256_set1_pd(u0), DU = _mm256_set1_pd(du), V0 = _mm256_set1_pd(v0), DV = _mm256_set1_pd(dv);
  __m256d j = _mm256_set_pd(3, 2, 1, 0);
  const __m256d four = _mm256_set1_pd(4);
  int near = 0, outside = 0;
  int i = 0;
  for (; i + 4 <= n; i += 4, j = _mm256_add_pd(j, four)) {
    __m128i iu, iv;
    near |= NearWhole(_mm256_add_pd(U0, _mm256_mul_pd(DU, j)), epsU, &iu);
    near |= NearWhole(_mm256_add_pd(V0, _mm256_mul_pd(DV, j)), epsV, &iv);
    outside |= Outside(iu, a.width) | Outside(iv, a.height);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(tx + i), iu);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(ty + i), iv);
  }
  for (; i < n; ++i) {
    const double U = u0 + du * double(i), V = v0 + dv * double(i);
    const double fu = std::floor(U), fv = std::floor(V);
    near |= (U - fu < epsU || U - fu > 1 - epsU || V - fv < epsV || V - fv > 1 - epsV) ? 1 : 0;
    tx[i] = static_cast<int>(fu), ty[i] = static_cast<int>(fv);
    outside |= (tx[i] < 0 || tx[i] >= a.width || ty[i] < 0 || ty[i] >= a.height) ? 1 : 0;
  }
  return (near ? kNear : 0) | (outside ? kOutside : 0);
}

}  // namespace

void TexelsOfRunReference(const RunWeights& r, int n, const TexelAddressing& a, int* tx, int* ty) {
  for (int j = 0; j < n; ++j) {
    double U, V;
    PositionAt(r, j, &U, &V);
    tx[j] = WrapIndex(FloorToInt(U), a.width, a.modeU);
    ty[j] = WrapIndex(FloorToInt(V), a.height, a.modeV);
  }
}

// Along a run the exact position is a linear function of j, so it is stepped
// rather than divided out pixel by pixel. The stepped value and the per-pixel
// formula each stay within a few units in the last place of Scale() of the exact
// value, about 2^-48 of it in all; where the stepped value lies more than
// Scale() * 2^-42 from a whole number both have the same floor. The rare pixels
// closer than that take the formula itself.
void TexelsOfRun(const RunWeights& r, int n, const TexelAddressing& a, int* tx, int* ty) {
  if (n <= 0) return;
  constexpr double kLimit = double(1 << 29);  // positions below 2^30: floors fit 32 bits
  const double ku = Scale(r.u, r.tw), kv = Scale(r.v, r.th);
  if (!rows::HasAvx2() || !(ku < kLimit) || !(kv < kLimit) || !(r.area > 0)) {
    TexelsOfRunReference(r, n, a, tx, ty);
    return;
  }
  double u0, v0;
  PositionAt(r, 0, &u0, &v0);
  const double du = ((r.step[0] / r.area) * r.u[0] + (r.step[1] / r.area) * r.u[1] + (r.step[2] / r.area) * r.u[2]) * r.tw;
  const double dv = ((r.step[0] / r.area) * r.v[0] + (r.step[1] / r.area) * r.v[1] + (r.step[2] / r.area) * r.v[2]) * r.th;
  if (!(std::fabs(du) * n < kLimit) || !(std::fabs(dv) * n < kLimit)) {
    TexelsOfRunReference(r, n, a, tx, ty);
    return;
  }
  const double epsU = std::ldexp(ku, -42), epsV = std::ldexp(kv, -42);
  const int flags = StepRunAvx2(u0, du, epsU, v0, dv, epsV, n, a, tx, ty);
  if (flags & kNear) {
    for (int j = 0; j < n; ++j) {
      const double U = u0 + du * double(j), V = v0 + dv * double(j);
      const double fu = U - std::floor(U), fv = V - std::floor(V);
      if (fu < epsU || fu > 1 - epsU || fv < epsV || fv > 1 - epsV) {
        double eu, ev;
        PositionAt(r, j, &eu, &ev);
        tx[j] = static_cast<int>(FloorToInt(eu));
        ty[j] = static_cast<int>(FloorToInt(ev));
      }
    }
  }
  if (flags) {
    for (int j = 0; j < n; ++j) {
      tx[j] = WrapIndex(tx[j], a.width, a.modeU);
      ty[j] = WrapIndex(ty[j], a.height, a.modeV);
    }
  }
}

}  // namespace plat
