#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <utility>

#include "tests/draw/effect_fixture.h"

namespace {

class BlurMosaic : public cDrawTest {};

// A 32-bit test picture whose channels differ at every pixel.
uint32_t Picture(int c, int r) { return Rgb32(12 * c + 48 * r, 250 - 9 * c - 20 * r, (c * 7 + r * 31) % 256); }

// The blur of pixel (c, r) counted sample by sample: the box of columns c-rx..c+rx-1
// and rows r-ry..r+ry-1 inside the w x h rectangle, transparent samples left out.
std::optional<uint32_t> BoxAverage(int w, int h, int c, int r, int rx, int ry, uint32_t (*pixel)(int, int),
                                   std::optional<uint32_t> key) {
  if (key && pixel(c, r) == *key) return std::nullopt;
  uint32_t sr = 0, sg = 0, sb = 0, n = 0;
  for (int dy = -ry; dy < ry; ++dy) {
    for (int dx = -rx; dx < rx; ++dx) {
      const int x = c + dx, y = r + dy;
      if (x < 0 || y < 0 || x >= w || y >= h) continue;
      const uint32_t p = pixel(x, y);
      if (key && p == *key) continue;
      sr += (p >> 16) & 255, sg += (p >> 8) & 255, sb += p & 255, ++n;
    }
  }
  if (n == 0) return std::nullopt;
  return Rgb32(sr / n, sg / n, sb / n);
}

constexpr uint32_t kKey32 = 0xFF00FF;  // the made-up project's transparent colour at 32 bits
uint32_t Holed(int c, int r) { return (c + 2 * r) % 5 == 0 ? kKey32 : Picture(c, r); }

// The box is 2 x radius wide, one more sample on the negative side, counted
// only inside the rectangle; keyed samples are left out and a keyed centre is
// not written. Checked against the definition for every pixel.
TEST_F(BlurMosaic, BlurAveragesTheBoxUpAndLeftOfEachPixel) {
  ASSERT_TRUE(StartLayer({0, 32, 0}));
  constexpr int w = 9, h = 7;
  DDSURFACEDATA plain, holed, dst;
  ASSERT_TRUE(MakeSurface(&plain, w, h));
  ASSERT_TRUE(MakeSurface(&holed, w, h));
  ASSERT_TRUE(MakeSurface(&dst, w, h));
  for (int r = 0; r < h; ++r)
    for (int c = 0; c < w; ++c) Put(&plain, c, r, Picture(c, r)), Put(&holed, c, r, Holed(c, r));

  // Radius 1: the 2 x 2 box of the pixel, its left, upper and upper-left neighbours.
  FillAll(&dst, 0);
  ASSERT_TRUE(DDBlur(&dst, 0, 0, w, h, 1, 1, &plain, 0, 0, 0));
  const uint32_t a = Picture(2, 1), b = Picture(1, 1), c = Picture(2, 0), d = Picture(1, 0);
  auto avg = [&](int shift) { return (((a >> shift) & 255) + ((b >> shift) & 255) + ((c >> shift) & 255) +
                                      ((d >> shift) & 255)) / 4; };
  EXPECT_EQ(Get(&dst, 2, 1), Rgb32(avg(16), avg(8), avg(0)));
  EXPECT_EQ(Get(&dst, 0, 0), Picture(0, 0));  // nothing up or left of the corner

  struct Case {
    int rx, ry, key;
  } cases[] = {{1, 1, 0}, {2, 2, 0}, {2, 1, 0}, {1, 3, 0}, {4, 4, 0}, {20, 20, 0}, {1, 1, 1}, {2, 2, 1}, {3, 1, 1}};
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << "radius " << k.rx << "," << k.ry << " key " << k.key);
    DDSURFACEDATA* src = k.key ? &holed : &plain;
    uint32_t (*pixel)(int, int) = k.key ? Holed : Picture;
    FillAll(&dst, 0x123456);
    ASSERT_TRUE(DDBlur(&dst, 0, 0, w, h, k.rx, k.ry, src, 0, 0, k.key));
    int wrong = 0;
    for (int r = 0; r < h; ++r)
      for (int col = 0; col < w; ++col) {
        auto want = BoxAverage(w, h, col, r, k.rx, k.ry, pixel, k.key ? std::optional<uint32_t>(kKey32) : std::nullopt);
        wrong += Get(&dst, col, r) != want.value_or(0x123456);
      }
    EXPECT_EQ(wrong, 0);
  }
  // Radius 0 or below changes nothing.
  FillAll(&dst, 0x123456);
  EXPECT_TRUE(DDBlur(&dst, 0, 0, w, h, 0, 3, &plain, 0, 0, 0));
  EXPECT_TRUE(DDBlur(&dst, 0, 0, w, h, -1, 3, &plain, 0, 0, 0));
  EXPECT_EQ(Get(&dst, 4, 4), 0x123456u);
  for (DDSURFACEDATA* sd : {&plain, &holed, &dst}) DDReleaseSurface(sd);
}

// A rectangle partly off the target writes only the inside part, each pixel the
// average of its whole box (the source is read for the whole rectangle).
TEST_F(BlurMosaic, BlurCutAtTheTargetsEdges) {
  ASSERT_TRUE(StartLayer({0, 32, 0}));
  constexpr int w = 9, h = 7;
  DDSURFACEDATA src;
  ASSERT_TRUE(MakeSurface(&src, w, h));
  for (int r = 0; r < h; ++r)
    for (int c = 0; c < w; ++c) Put(&src, c, r, Picture(c, r));
  for (auto [x, y] : {std::pair{-4, -3}, std::pair{640 - 5, 480 - 2}}) {
    SCOPED_TRACE(testing::Message() << x << "," << y);
    FillAll(&BackBuffer, 0);
    ASSERT_TRUE(DDBlur(&BackBuffer, x, y, w, h, 2, 2, &src, 0, 0, 0));
    int wrong = 0, written = 0;
    for (int r = 0; r < h; ++r)
      for (int c = 0; c < w; ++c) {
        if (x + c < 0 || y + r < 0 || x + c >= 640 || y + r >= 480) continue;
        ++written;
        wrong += Get(&BackBuffer, x + c, y + r) != *BoxAverage(w, h, c, r, 2, 2, Picture, std::nullopt);
      }
    EXPECT_GT(written, 0);
    EXPECT_EQ(wrong, 0);
  }
  DDReleaseSurface(&src);
}

// How each back end and depth writes the average, and which pixels count as
// transparent: Direct3D 16 bits by bits 15 and 13 (bit 13 alone is opaque).
TEST_F(BlurMosaic, BlurWritesEachFormatAndTestsTransparencyPerBackEnd) {
  // Direct3D 16 bits, full screen: onto the back buffer green is doubled into
  // six bits; onto a texture the alpha bit is set.
  ASSERT_TRUE(StartLayer({1, 16, 0}));
  DDSURFACEDATA src, tex;
  ASSERT_TRUE(MakeSurface(&src, 4, 1));
  ASSERT_TRUE(MakeSurface(&tex, 4, 1));
  FillAll(&src, A1R5G5B5(1, 10, 20, 5));
  ASSERT_TRUE(DDBlur(&BackBuffer, 0, 0, 4, 1, 1, 1, &src, 0, 0, 1));
  EXPECT_EQ(Get(&BackBuffer, 2, 0), R5G6B5(10, 40, 5));
  ASSERT_TRUE(DDBlur(&tex, 0, 0, 4, 1, 1, 1, &src, 0, 0, 1));
  EXPECT_EQ(Get(&tex, 2, 0), A1R5G5B5(1, 10, 20, 5));
  // Keyed: 0x2000 (red bit 3, no alpha bit) counts as opaque; 0x001F does not.
  Put(&src, 0, 0, 0x2000);     // red 8
  Put(&src, 1, 0, 0x001F);     // transparent blue
  Put(&src, 2, 0, A1R5G5B5(1, 0, 0, 0));
  FillAll(&tex, 0x7777);
  ASSERT_TRUE(DDBlur(&tex, 0, 0, 4, 1, 1, 1, &src, 0, 0, 1));
  EXPECT_EQ(Get(&tex, 0, 0), A1R5G5B5(1, 8, 0, 0));
  EXPECT_EQ(Get(&tex, 1, 0), 0x7777u);                   // transparent centre untouched
  EXPECT_EQ(Get(&tex, 2, 0), A1R5G5B5(1, 0, 0, 0));     // its transparent neighbour not counted
  DDReleaseSurface(&src);
  DDReleaseSurface(&tex);
  DDRelease();

  // Direct3D 32 bits: alpha byte 0xFF. DirectDraw 32 bits: the fourth byte stays.
  ASSERT_TRUE(StartLayer({1, 32, 0}));
  ASSERT_TRUE(MakeSurface(&src, 2, 2));
  ASSERT_TRUE(MakeSurface(&tex, 2, 2));
  FillAll(&src, Argb32(0x40, 100, 50, 20));
  ASSERT_TRUE(DDBlur(&tex, 0, 0, 2, 2, 1, 1, &src, 0, 0, 0));
  EXPECT_EQ(Get(&tex, 1, 1), Argb32(0xFF, 100, 50, 20));
  DDReleaseSurface(&src);
  DDReleaseSurface(&tex);
  DDRelease();
  ASSERT_TRUE(StartLayer({0, 32, 0}));
  ASSERT_TRUE(MakeSurface(&src, 2, 2));
  ASSERT_TRUE(MakeSurface(&tex, 2, 2));
  FillAll(&src, Rgb32(100, 50, 20));
  FillAll(&tex, 0xAB000000);
  ASSERT_TRUE(DDBlur(&tex, 0, 0, 2, 2, 1, 1, &src, 0, 0, 0));
  EXPECT_EQ(Get(&tex, 1, 1), Argb32(0xAB, 100, 50, 20));
  DDReleaseSurface(&src);
  DDReleaseSurface(&tex);
}

// Without transparent samples the keyed blur counts every sample, so the plain
// blur's own path (32-bit running sums) must write exactly what the keyed one
// writes, at both depths and back ends, for boxes cut by the rectangle and the
// target on every side.
TEST_F(BlurMosaic, PlainBlurWritesWhatTheKeyedBlurWritesWhenNothingIsTransparent) {
  std::mt19937 rng(1234);
  for (int d3d : {0, 1}) {
    for (int bpp : {16, 32}) {
      SCOPED_TRACE(testing::Message() << "d3d " << d3d << " bpp " << bpp);
      ASSERT_TRUE(StartLayer({d3d, bpp, 0}));
      constexpr int w = 37, h = 23;
      DDSURFACEDATA src, plain, keyed;
      ASSERT_TRUE(MakeSurface(&src, w, h));
      ASSERT_TRUE(MakeSurface(&plain, 48, 32));
      ASSERT_TRUE(MakeSurface(&keyed, 48, 32));
      // Opaque everywhere: the alpha bits set, and never the colour key.
      for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c) {
          uint32_t p = rng();
          p = bpp == 16 ? (p & 0xFFFF) | 0x8000 : p | 0xFF000000u;
          if (p == dwColorKey) p ^= 1;
          Put(&src, c, r, p);
        }
      for (int k = 0; k < 40; ++k) {
        const int rx = 1 + static_cast<int>(rng() % 9), ry = 1 + static_cast<int>(rng() % 9);
        const int x = static_cast<int>(rng() % 40) - 16, y = static_cast<int>(rng() % 30) - 12;
        const int sx = static_cast<int>(rng() % 8), sy = static_cast<int>(rng() % 6);
        const int rw = 1 + static_cast<int>(rng() % (w - sx)), rh = 1 + static_cast<int>(rng() % (h - sy));
        SCOPED_TRACE(testing::Message() << "radius " << rx << "," << ry << " at " << x << "," << y << " from " << sx
                                        << "," << sy << " size " << rw << "x" << rh);
        FillAll(&plain, 0x1234);
        FillAll(&keyed, 0x1234);
        ASSERT_TRUE(DDBlur(&plain, x, y, rw, rh, rx, ry, &src, sx, sy, 0));
        ASSERT_TRUE(DDBlur(&keyed, x, y, rw, rh, rx, ry, &src, sx, sy, 1));
        ASSERT_EQ(Block(&plain, 0, 0, 48, 32), Block(&keyed, 0, 0, 48, 32));
      }
      for (DDSURFACEDATA* sd : {&src, &plain, &keyed}) DDReleaseSurface(sd);
      DDRelease();
    }
  }
}

// The plain blur averages in single precision for boxes of up to 4096 samples and
// in double precision above: both must floor exactly where the quotient is a whole
// number and where it falls just short of one (one sample lower by 1).
TEST_F(BlurMosaic, PlainBlurFloorsExactlyAtTheLargestBoxesOfEachPrecision) {
  for (int bpp : {16, 32}) {
    // A 62x66 box (4092 samples), then 66x68: reciprocals that are not exact.
    for (const auto& [w, h] : {std::pair{62, 66}, std::pair{66, 68}}) {
      for (const bool shortOfWhole : {false, true}) {
        SCOPED_TRACE(testing::Message() << "bpp " << bpp << " box " << w << "x" << h << " short " << shortOfWhole);
        ASSERT_TRUE(StartLayer({1, bpp, 0}));
        DDSURFACEDATA src, plain, keyed;
        ASSERT_TRUE(MakeSurface(&src, w, h));
        ASSERT_TRUE(MakeSurface(&plain, w, h));
        ASSERT_TRUE(MakeSurface(&keyed, w, h));
        const uint32_t grey = bpp == 16 ? 0x8000u | 16u << 10 | 16u << 5 | 16u : 0xFF808080u;
        FillAll(&src, grey);
        if (shortOfWhole) Put(&src, 3, 5, grey - 1);
        FillAll(&plain, 0x1234);
        FillAll(&keyed, 0x1234);
        ASSERT_TRUE(DDBlur(&plain, 0, 0, w, h, w / 2, h / 2, &src, 0, 0, 0));
        ASSERT_TRUE(DDBlur(&keyed, 0, 0, w, h, w / 2, h / 2, &src, 0, 0, 1));
        ASSERT_EQ(Block(&plain, 0, 0, w, h), Block(&keyed, 0, 0, w, h));
        // The middle pixel's box holds every sample.
        EXPECT_EQ(Get(&plain, w / 2, h / 2) == grey, !shortOfWhole);
        for (DDSURFACEDATA* sd : {&src, &plain, &keyed}) DDReleaseSurface(sd);
        DDRelease();
      }
    }
  }
}

TEST_F(BlurMosaic, BlurAtEightBitsAndFailedLocks) {
  TraceOn();
  ASSERT_TRUE(StartLayer({0, 8, 0}));
  DDSURFACEDATA src, dst;
  ASSERT_TRUE(MakeSurface(&src, 4, 4));
  ASSERT_TRUE(MakeSurface(&dst, 4, 4));
  FillAll(&src, 77);
  FillAll(&dst, 5);
  EXPECT_TRUE(DDBlur(&dst, 0, 0, 4, 4, 1, 1, &src, 0, 0, 0));
  EXPECT_EQ(Block(&dst, 0, 0, 4, 4), std::vector<uint32_t>(16, 5));
  EXPECT_TRUE(Traced("8ビットぼかしは不可能！"));
  plat::DisplayControl().FailNext(plat::DisplayOp::kLock);
  EXPECT_FALSE(DDBlur(&dst, 0, 0, 4, 4, 1, 1, &src, 0, 0, 0));
  plat::DisplayControl().FailNext(plat::DisplayOp::kLock, 1, 1);  // the source's lock
  EXPECT_FALSE(DDMosaic(&dst, 0, 0, 4, 4, 2, &src, 0, 0, 0));
  // Both were unlocked: they lock again.
  EXPECT_TRUE(DDMosaic(&dst, 0, 0, 4, 4, 2, &src, 0, 0, 0));
  EXPECT_EQ(Get(&dst, 3, 3), 77u);
  DDReleaseSurface(&src);
  DDReleaseSurface(&dst);
}

// Blocks from the top-left corner, the last ones cut short: 10 wide in blocks of
// 4 gives 4, 4 and 2. Direct3D takes the block's top-left pixel.
TEST_F(BlurMosaic, MosaicBlocksTakeTheirTopLeftPixelUnderDirect3D) {
  ASSERT_TRUE(StartLayer({1, 32, 0}));
  DDSURFACEDATA src, dst;
  ASSERT_TRUE(MakeSurface(&src, 10, 10));
  ASSERT_TRUE(MakeSurface(&dst, 12, 12));
  for (int r = 0; r < 10; ++r)
    for (int c = 0; c < 10; ++c) Put(&src, c, r, Argb32(0x80, c * 20, r * 20, 9));
  Put(&src, 4, 8, 0);  // a transparent block corner
  FillAll(&dst, 0x11111111);
  ASSERT_TRUE(DDMosaic(&dst, 1, 1, 10, 10, 4, &src, 0, 0, 1));
  int wrong = 0;
  for (int r = 0; r < 10; ++r)
    for (int c = 0; c < 10; ++c) {
      const int bc = c / 4 * 4, br = r / 4 * 4;
      const uint32_t want = (bc == 4 && br == 8) ? 0x11111111u : Argb32(0xFF, bc * 20, br * 20, 9);
      wrong += Get(&dst, 1 + c, 1 + r) != want;
    }
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(Get(&dst, 11, 11), 0x11111111u);  // outside the rectangle
  DDReleaseSurface(&src);
  DDReleaseSurface(&dst);
}

// DirectDraw 16 bits averages each block's non-key pixels, widened to 0..255 and
// narrowed back; a block that averages to the key colour, or holds only key
// pixels, is not drawn. Without the key flag the key pixels count.
TEST_F(BlurMosaic, MosaicAveragesBlocksAtSixteenBits) {
  ASSERT_TRUE(StartLayer({0, 16, 0}));
  ASSERT_EQ(dwColorKey, 0xF81Fu);
  DDSURFACEDATA src, dst;
  ASSERT_TRUE(MakeSurface(&src, 6, 2));
  ASSERT_TRUE(MakeSurface(&dst, 6, 2));
  // Block 0: two reds (31, 0) and two keys; block 1: only keys; block 2: (31, 1, 31),
  // whose green narrows back to 0, the key.
  const uint32_t red = R5G6B5(31, 0, 0), key = 0xF81F, nearKey = R5G6B5(31, 1, 31);
  const uint32_t pixels[2][6] = {{red, key, key, key, nearKey, nearKey}, {key, R5G6B5(0, 63, 0), key, key, nearKey,
                                                                           nearKey}};
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 6; ++c) Put(&src, c, r, pixels[r][c]);
  FillAll(&dst, 0x1234);
  ASSERT_TRUE(DDMosaic(&dst, 0, 0, 6, 2, 2, &src, 0, 0, 1));
  // (255 + 0) / 2 = 127 red -> 127 * 31 / 255 = 15; green (0 + 255) / 2 = 127 -> 31.
  EXPECT_EQ(Get(&dst, 1, 1), R5G6B5(15, 31, 0));
  EXPECT_EQ(Get(&dst, 2, 0), 0x1234u);
  EXPECT_EQ(Get(&dst, 5, 1), 0x1234u);
  // Unkeyed: the key pixels are averaged in.
  ASSERT_TRUE(DDMosaic(&dst, 0, 0, 6, 2, 2, &src, 0, 0, 0));
  EXPECT_EQ(Get(&dst, 2, 0), key);
  EXPECT_EQ(Get(&dst, 5, 0), key);
  // Red (3 x 255 + 0) / 4 = 191 -> 23, green 255 / 4 = 63 -> 15, blue 510 / 4 = 127 -> 15.
  EXPECT_EQ(Get(&dst, 0, 0), R5G6B5(23, 15, 15));
  DDReleaseSurface(&src);
  DDReleaseSurface(&dst);
}

// Eight bits: the top-left index, skipped when it is the key; a rectangle off the
// target's corner writes only its inside part; a block size of 0 draws nothing.
TEST_F(BlurMosaic, MosaicAtEightBitsAndAtTheEdges) {
  ASSERT_TRUE(StartLayer({0, 8, 0}));
  DDSURFACEDATA src;
  ASSERT_TRUE(MakeSurface(&src, 8, 8));
  for (int r = 0; r < 8; ++r)
    for (int c = 0; c < 8; ++c) Put(&src, c, r, (c / 3 == 1 && r / 3 == 0) ? 0 : 10 + c + 8 * r);
  FillAll(&BackBuffer, 1);
  ASSERT_TRUE(DDMosaic(&BackBuffer, 636, 476, 8, 8, 3, &src, 0, 0, 1));
  EXPECT_EQ(Get(&BackBuffer, 636, 476), 10u);
  EXPECT_EQ(Get(&BackBuffer, 638, 478), 10u);
  EXPECT_EQ(Get(&BackBuffer, 639, 476), 1u);   // the block at column 3 starts with the key: skipped
  EXPECT_EQ(Get(&BackBuffer, 636, 479), 10u + 3 * 8);
  ASSERT_TRUE(DDMosaic(&BackBuffer, -5, -5, 8, 8, 3, &src, 0, 0, 0));
  EXPECT_EQ(Get(&BackBuffer, 0, 0), 10u + 3 + 3 * 8);  // the block at (3, 3)
  EXPECT_EQ(Get(&BackBuffer, 1, 1), 10u + 6 + 6 * 8);
  EXPECT_TRUE(DDMosaic(&BackBuffer, 100, 100, 8, 8, 0, &src, 0, 0, 0));
  EXPECT_EQ(Get(&BackBuffer, 100, 100), 1u);
  DDReleaseSurface(&src);
}

}  // namespace
