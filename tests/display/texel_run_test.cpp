// The texels of a triangle row's run, stepped along it, against the per-pixel
// formula: seeded random runs (weights 0 to 1 over the whole run) in families
// that reach every branch: ordinary positions, positions on whole texels of a
// texture many times the size of the run (where the stepped value comes close to
// the texel edges and the formula itself decides), wrap and clamp far outside
// the texture, coordinates too large to step, and runs of every short length.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "platform/display/texel_run.h"

namespace {

struct Family {
  const char* name;
  double uRange;        // texture coordinates in [-uRange, uRange] (or [0, 1] when 0)
  int texSize;          // texture width and height
  bool wholeTexels;     // coordinates on whole texels: k / texSize
  int maxLength;
};

const Family kFamilies[] = {
    {"turned picture", 0, 640, false, 700},
    {"sprite sheet", 0, 256, true, 64},
    {"many turns of the texture", 40, 64, false, 300},
    {"whole texels near the stepping limit", 3000, 4096, true, 300},
    {"beyond the stepping limit", 2e6, 1024, false, 50},
    {"short runs", 2, 32, false, 9},
};

TEST(TexelRun, SteppedTexelsAreThoseOfTheFormula) {
  std::mt19937 rng(314159);
  auto integer = [&](int64_t lo, int64_t hi) { return std::uniform_int_distribution<int64_t>(lo, hi)(rng); };
  for (const Family& f : kFamilies) {
    int wrong = 0;
    for (int round = 0; round < 400 && wrong == 0; ++round) {
      const int n = int(integer(1, f.maxLength));
      // Integer edge steps summing to 0, start values keeping every weight 0 to 1 along the run.
      plat::RunWeights r{};
      const int64_t reach = integer(0, 1) ? 1 << 20 : 1 << 12;
      const int64_t s0 = integer(-reach, reach), s1 = integer(-reach, reach), steps[3] = {s0, s1, -s0 - s1};
      int64_t area = 0;
      for (int i = 0; i < 3; ++i) {
        const int64_t start = std::max<int64_t>(0, -steps[i] * (n - 1)) + integer(0, reach);
        r.w[i] = double(start), r.step[i] = double(steps[i]);
        area += start;
      }
      if (area == 0) continue;
      r.area = double(area);
      for (int i = 0; i < 3; ++i) {
        if (f.wholeTexels) {
          const int64_t k = f.uRange == 0 ? f.texSize : int64_t(f.uRange * f.texSize);
          r.u[i] = float(double(integer(f.uRange == 0 ? 0 : -k, k)) / f.texSize);
          r.v[i] = float(double(integer(f.uRange == 0 ? 0 : -k, k)) / f.texSize);
        } else {
          const double lo = f.uRange == 0 ? 0 : -f.uRange, hi = f.uRange == 0 ? 1 : f.uRange;
          r.u[i] = float(std::uniform_real_distribution<double>(lo, hi)(rng));
          r.v[i] = float(std::uniform_real_distribution<double>(lo, hi)(rng));
        }
      }
      // A column or row of the texture stretched over the run: the same whole texel all along it.
      if (f.wholeTexels && integer(0, 1)) r.u[1] = r.u[2] = r.u[0];
      if (f.wholeTexels && integer(0, 1)) r.v[1] = r.v[2] = r.v[0];
      r.tw = r.th = f.texSize;
      const plat::TexelAddressing a{f.texSize, f.texSize, round % 2 ? plat::kAddressClamp : plat::kAddressWrap,
                                    round % 3 ? plat::kAddressWrap : plat::kAddressClamp};
      std::vector<int> tx(n), ty(n), rx(n), ry(n);
      plat::TexelsOfRun(r, n, a, tx.data(), ty.data());
      plat::TexelsOfRunReference(r, n, a, rx.data(), ry.data());
      for (int j = 0; j < n && wrong == 0; ++j)
        if (tx[j] != rx[j] || ty[j] != ry[j]) {
          ++wrong;
          ADD_FAILURE() << f.name << ", round " << round << ", pixel " << j << " of " << n << ": (" << tx[j] << ","
                        << ty[j] << ") for (" << rx[j] << "," << ry[j] << ")";
        }
    }
  }
}

}  // namespace
