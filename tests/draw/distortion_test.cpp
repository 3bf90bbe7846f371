#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>

#include "tests/draw/effect_fixture.h"

namespace {

class Distortion : public cDrawTest {};

// Source pixels that tell where they came from: column c, row r.
uint32_t Src(int c, int r) { return Rgb32(40 + c, 40 + r, 200); }

// A c x r picture of Src pixels: under Direct3D a texture (the blits draw quads),
// under DirectDraw a surface in system memory.
bool MakePicture(DDSURFACEDATA* sd, int w, int h) {
  if (!MakeSurface(sd, w, h, 0, DDMEMKIND_SYSTEM, DTMEMORYTYPE_VIDEO_RT)) return false;
  for (int r = 0; r < h; ++r)
    for (int c = 0; c < w; ++c) Put(sd, c, r, (lpDTCon ? 0xFF000000u : 0u) | Src(c, r));
  return true;
}

// Where each source pixel landed in the back buffer's (x0, y0, w, h) window,
// relative to the window: source (c, r) -> (x, y).
std::map<std::pair<int, int>, std::pair<int, int>> Landed(int x0, int y0, int w, int h) {
  std::map<std::pair<int, int>, std::pair<int, int>> out;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint32_t v = Get(&BackBuffer, x0 + x, y0 + y) & 0xFFFFFF;
      if ((v & 0xFF) == 200) out[{int((v >> 16) - 40), int(((v >> 8) & 0xFF) - 40)}] = {x, y};
    }
  return out;
}

const draw_tool::DrawConfig kBothEnds[] = {{0, 32, 0}, {1, 32, 0}};

// Lines of the line size, the last one cut short; each moved by
// trunc(amplitude x sin((phase + sum) x cycles)), the sum growing before each line.
TEST_F(Distortion, WaveMovesEachLineByItsSine) {
  for (const draw_tool::DrawConfig& config : kBothEnds) {
    SCOPED_TRACE(config.Name());
    ASSERT_TRUE(StartLayer(config));
    DDSURFACEDATA pic;
    ASSERT_TRUE(MakePicture(&pic, 10, 8));
    struct Case {
      int cycles;
      double amplitude;
      int phase, line, direction;
      std::vector<int> offsets;  // per line
    } cases[] = {
        // Columns of 4, 4 and 2 at sums 144, 288 and 432 degrees.
        {1, 10.0, 0, 4, 1, {5, -9, 9}},
        {2, 10.0, 30, 4, 1, {-2, -9, -4}},  // (30 + sum) x 2
        {1, 6.0, 0, 2, 0, {6, 0, -6, 0}},   // rows: sin 180 and 360 truncate to 0
        {3, 0.0, 77, 3, 0, {0, 0, 0}},      // no amplitude: drawn as it is
    };
    for (const Case& k : cases) {
      FillAll(&BackBuffer, 0);
      DDBltWave(&BackBuffer, 100, 100, 10, 8, k.cycles, k.amplitude, k.phase, k.line, &pic, 0, 0, 0, k.direction);
      std::map<std::pair<int, int>, std::pair<int, int>> want;
      for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 10; ++c) {
          const int off = k.offsets[(k.direction ? c : r) / k.line];
          want[{c, r}] = k.direction ? std::pair{20 + c, 20 + r + off} : std::pair{20 + c + off, 20 + r};
        }
      EXPECT_EQ(Landed(80, 80, 60, 60), want) << k.cycles << " " << k.phase;
    }
    FillAll(&BackBuffer, 0);
    DDBltWave(&BackBuffer, 100, 100, 10, 8, 1, 5.0, 0, 0, &pic, 0, 0, 0, 0);  // no line size: nothing
    EXPECT_TRUE(Landed(80, 80, 60, 60).empty());
    DDReleaseSurface(&pic);
    DDRelease();
  }
}

// Vertical stripes of 3 over a width of 10: stripe 1 up by the offset, stripes 0
// and 2 down, column 9 not drawn. Horizontal stripes move sideways. Stripe size 0
// is a plain blit.
TEST_F(Distortion, SplitMovesWholeStripesApart) {
  for (const draw_tool::DrawConfig& config : kBothEnds) {
    SCOPED_TRACE(config.Name());
    ASSERT_TRUE(StartLayer(config));
    DDSURFACEDATA pic;
    ASSERT_TRUE(MakePicture(&pic, 10, 7));
    for (int direction : {1, 0}) {
      FillAll(&BackBuffer, 0);
      DDBltSplit(&BackBuffer, 100, 100, 10, 7, 3, 2, &pic, 0, 0, 0, direction);
      std::map<std::pair<int, int>, std::pair<int, int>> want;
      for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 10; ++c) {
          const int along = direction ? c : r;
          if (along >= 9 || (!direction && along >= 6)) continue;  // the remainder
          const int shift = (along / 3) % 2 ? -2 : 2;
          want[{c, r}] = direction ? std::pair{10 + c, 10 + r + shift} : std::pair{10 + c + shift, 10 + r};
        }
      EXPECT_EQ(Landed(90, 90, 40, 40), want) << direction;
    }
    FillAll(&BackBuffer, 0);
    DDBltSplit(&BackBuffer, 100, 100, 10, 7, 0, 2, &pic, 0, 0, 0, 1);
    EXPECT_EQ(Landed(100, 100, 10, 7).size(), 70u);
    EXPECT_EQ((Landed(100, 100, 10, 7)[{9, 6}]), (std::pair{9, 6}));
    DDReleaseSurface(&pic);
    DDRelease();
  }
}

// Width 8 (half 4): progress 0..3 narrows the front picture by insets 0..3,
// 4..7 widens the back picture (3..0), 8..11 narrows the back picture, 12..15
// widens the front one. Axis 1 does the same with heights; other axes nothing.
TEST_F(Distortion, RotateDepthNarrowsAndWidensFrontAndBack) {
  ASSERT_TRUE(StartLayer({0, 32, 0}));
  DDSURFACEDATA front, back;
  ASSERT_TRUE(MakeSurface(&front, 8, 8));
  ASSERT_TRUE(MakeSurface(&back, 8, 8));
  FillAll(&front, 0x0000F0);
  FillAll(&back, 0x00F000);
  const int insets[16] = {0, 1, 2, 3, 3, 2, 1, 0, 0, 1, 2, 3, 3, 2, 1, 0};
  for (int axis : {0, 1}) {
    for (int p = 0; p < 16; ++p) {
      SCOPED_TRACE(testing::Message() << "axis " << axis << " progress " << p);
      FillAll(&BackBuffer, 0);
      DDBltRotateDepth(&BackBuffer, 10, 10, axis ? 2 : 8, axis ? 8 : 2, &front, 0, 0, &back, 0, 0, 8, 8, 0, p, axis);
      const uint32_t colour = (p >= 4 && p < 12) ? 0x00F000 : 0x0000F0;
      for (int i = 0; i < 8; ++i) {
        const bool inside = i >= insets[p] && i < 8 - insets[p];
        const int x = axis ? 10 : 10 + i, y = axis ? 10 + i : 10;
        EXPECT_EQ(Get(&BackBuffer, x, y), inside ? colour : 0u) << i;
      }
    }
  }
  FillAll(&BackBuffer, 0);
  DDBltRotateDepth(&BackBuffer, 10, 10, 8, 8, &front, 0, 0, &back, 0, 0, 8, 8, 0, 0, 2);
  EXPECT_EQ(Get(&BackBuffer, 12, 12), 0u);
  DDReleaseSurface(&front);
  DDReleaseSurface(&back);
}

// A 33 x 33 picture gives four 16 x 16 quarters pushed out diagonally; with
// distance 0 the picture less its last row and column.
TEST_F(Distortion, BurstPushesTheQuartersApart) {
  for (const draw_tool::DrawConfig& config : kBothEnds) {
    SCOPED_TRACE(config.Name());
    ASSERT_TRUE(StartLayer(config));
    DDSURFACEDATA pic;
    ASSERT_TRUE(MakePicture(&pic, 33, 33));
    for (int d : {0, 3}) {
      FillAll(&BackBuffer, 0);
      DDBltBurst(&BackBuffer, 100, 100, 33, 33, &pic, 0, 0, d, 0);
      std::map<std::pair<int, int>, std::pair<int, int>> want;
      for (int r = 0; r < 32; ++r)
        for (int c = 0; c < 32; ++c) want[{c, r}] = {10 + c + (c < 16 ? -d : d), 10 + r + (r < 16 ? -d : d)};
      EXPECT_EQ(Landed(90, 90, 60, 60), want) << d;
    }
    DDReleaseSurface(&pic);
    DDRelease();
  }
}

// Rows of the circle by their half chords, cut to the half width and height;
// bands take the chord at their middle row.
TEST_F(Distortion, CircleDrawsRowsAndBandsOfItsChords) {
  for (const draw_tool::DrawConfig& config : kBothEnds) {
    SCOPED_TRACE(config.Name());
    ASSERT_TRUE(StartLayer(config));
    DDSURFACEDATA pic;
    ASSERT_TRUE(MakePicture(&pic, 40, 40));
    auto drawn = [](int cx, int cy, int span) {
      std::set<std::pair<int, int>> cells;
      for (auto& [src, at] : Landed(cx - span, cy - span, 2 * span, 2 * span)) {
        EXPECT_EQ(src.first - 20, at.first - span);  // the source centre lands on the destination centre
        EXPECT_EQ(src.second - 20, at.second - span);
        cells.insert({at.first - span, at.second - span});
      }
      return cells;
    };
    auto rows = [](std::initializer_list<std::tuple<int, int, int>> spans) {  // row, first, last column
      std::set<std::pair<int, int>> cells;
      for (auto [r, c0, c1] : spans)
        for (int c = c0; c <= c1; ++c) cells.insert({c, r});
      return cells;
    };
    // Radius 3, band 1: rows 2..-3 with half chords 2, 2, 2 (the middle row's 3 less one), 2, 2, 0.
    FillAll(&BackBuffer, 0);
    DDBltCircle(&BackBuffer, 100, 100, 50, 50, 3, 1, &pic, 20, 20, 0);
    EXPECT_EQ(drawn(100, 100, 10), rows({{2, -2, 1}, {1, -2, 1}, {0, -2, 1}, {-1, -2, 1}, {-2, -2, 1}}));
    // Half width 1 and half height 2 cut the columns to -1..0 and the rows to -2..1.
    FillAll(&BackBuffer, 0);
    DDBltCircle(&BackBuffer, 100, 100, 1, 2, 3, 1, &pic, 20, 20, 0);
    EXPECT_EQ(drawn(100, 100, 10), rows({{1, -1, 0}, {0, -1, 0}, {-1, -1, 0}, {-2, -1, 0}}));
    // Radius 4 in bands of 2: chords at the middle rows 3, 1, -1, -3.
    FillAll(&BackBuffer, 0);
    DDBltCircle(&BackBuffer, 100, 100, 50, 50, 4, 2, &pic, 20, 20, 0);
    EXPECT_EQ(drawn(100, 100, 10), rows({{3, -2, 1}, {2, -2, 1}, {1, -3, 2}, {0, -3, 2}, {-1, -3, 2}, {-2, -3, 2},
                                         {-3, -2, 1}, {-4, -2, 1}}));
    FillAll(&BackBuffer, 0);
    DDBltCircle(&BackBuffer, 100, 100, 50, 50, 0, 1, &pic, 20, 20, 0);
    DDBltCircle(&BackBuffer, 100, 100, 50, 50, 3, 0, &pic, 20, 20, 0);
    EXPECT_TRUE(drawn(100, 100, 10).empty());
    DDReleaseSurface(&pic);
    DDRelease();
  }
}

// Depth 0, radius 5: every point strictly inside takes the centre pixel, the
// rim points (Z = 0) their own. Radius 3, depth 4: the rim point at dx 3 reads 3
// across, the one at -3 reads -2 (truncated after adding one half).
TEST_F(Distortion, LensMagnifiesTowardItsCentre) {
  ASSERT_TRUE(StartLayer({0, 32, 0}));
  DDSURFACEDATA pic;
  ASSERT_TRUE(MakePicture(&pic, 40, 40));
  FillAll(&BackBuffer, 0);
  ASSERT_TRUE(DDBltLens(&BackBuffer, 100, 100, 5, 0, &pic, 20, 20, 0, 0));
  int wrong = 0;
  for (int dy = -6; dy <= 6; ++dy)
    for (int dx = -6; dx <= 6; ++dx) {
      const int q = dx * dx + dy * dy;
      const uint32_t want = q > 25 ? 0 : q == 25 ? Src(20 + dx, 20 + dy) : Src(20, 20);
      wrong += Get(&BackBuffer, 100 + dx, 100 + dy) != want;
    }
  EXPECT_EQ(wrong, 0);
  FillAll(&BackBuffer, 0);
  ASSERT_TRUE(DDBltLens(&BackBuffer, 100, 100, 3, 4, &pic, 20, 20, 0, 0));
  EXPECT_EQ(Get(&BackBuffer, 103, 100), Src(23, 20));
  EXPECT_EQ(Get(&BackBuffer, 97, 100), Src(18, 20));
  EXPECT_EQ(Get(&BackBuffer, 100, 97), Src(20, 18));
  // Bad parameters: nothing drawn.
  EXPECT_FALSE(DDBltLens(&BackBuffer, 100, 100, -1, 4, &pic, 20, 20, 0, 0));
  EXPECT_FALSE(DDBltLens(&BackBuffer, 100, 100, 3, -1, &pic, 20, 20, 0, 0));
  EXPECT_FALSE(DDBltLens(&BackBuffer, 100, 100, 0, 4, &pic, 20, 20, 0, 0));  // R = d: no lens
  // DirectDraw never draws the colour key, whatever the key flag; a lens over the
  // target's corner and reading past the picture's edge stays inside both.
  Put(&pic, 0, 0, dwColorKey);
  FillAll(&BackBuffer, 0x0101);
  ASSERT_TRUE(DDBltLens(&BackBuffer, 3, 3, 6, 8, &pic, 0, 0, 0, 0));
  EXPECT_EQ(Get(&BackBuffer, 3, 3), 0x0101u);     // the key
  EXPECT_EQ(Get(&BackBuffer, 0, 0), 0x0101u);     // reads left of the picture: nothing
  EXPECT_EQ(Get(&BackBuffer, 4, 4), Src(1, 1));
  ASSERT_TRUE(DDBltLens(&BackBuffer, 638, 478, 6, 8, &pic, 20, 20, 0, 0));
  EXPECT_EQ(Get(&BackBuffer, 638, 478), Src(20, 20));
  plat::DisplayControl().FailNext(plat::DisplayOp::kLock);
  EXPECT_FALSE(DDBltLens(&BackBuffer, 100, 100, 3, 4, &pic, 20, 20, 0, 0));
  DDReleaseSurface(&pic);
}

// Direct3D 32 bits: without the clear flag only opaque source pixels are
// written; with it the whole square, 0 outside the circle and for transparent or
// missing pixels. Direct3D 16 bits full screen converts to the screen's format.
TEST_F(Distortion, LensUnderDirect3D) {
  ASSERT_TRUE(StartLayer({1, 32, 0}));
  DDSURFACEDATA pic;
  ASSERT_TRUE(MakeSurface(&pic, 8, 8));
  FillAll(&pic, Argb32(0xFF, 1, 2, 3));
  Put(&pic, 4, 4, 0x00112233);  // transparent centre
  for (int clear : {0, 1}) {
    FillAll(&BackBuffer, 0x777777);
    ASSERT_TRUE(DDBltLens(&BackBuffer, 50, 50, 2, 1, &pic, 4, 4, 0, clear));
    EXPECT_EQ(Get(&BackBuffer, 50, 50), clear ? 0u : 0x777777u) << clear;  // the centre reads the transparent pixel
    EXPECT_EQ(Get(&BackBuffer, 52, 50) & 0xFFFFFF, 0x010203u) << clear;
    EXPECT_EQ(Get(&BackBuffer, 52, 52), clear ? 0u : 0x777777u) << clear;  // the square's corner
    EXPECT_EQ(Get(&BackBuffer, 53, 50), 0x777777u) << clear;
  }
  DDReleaseSurface(&pic);
  DDRelease();
  ASSERT_TRUE(StartLayer({1, 16, 0}));
  ASSERT_TRUE(MakeSurface(&pic, 8, 8));
  FillAll(&pic, A1R5G5B5(1, 3, 17, 9));
  Put(&pic, 4, 4, A1R5G5B5(0, 0, 31, 31));  // neither bit 15 nor bit 13
  FillAll(&BackBuffer, 0x1111);
  ASSERT_TRUE(DDBltLens(&BackBuffer, 50, 50, 2, 1, &pic, 4, 4, 1, 0));
  EXPECT_EQ(Get(&BackBuffer, 52, 50), R5G6B5(3, 34, 9));
  EXPECT_EQ(Get(&BackBuffer, 50, 50), 0x1111u);  // keyed: the transparent pixel is not drawn
  DDReleaseSurface(&pic);
}

}  // namespace
