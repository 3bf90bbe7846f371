#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <utility>

#include "tests/draw/effect_fixture.h"

namespace {

class RotatedBlit : public cDrawTest {};

uint32_t Src(int c, int r) { return Rgb32(40 + c, 40 + r, 200); }

// A 4 x 2 picture (pivot (2, 1)) at (8, 8) of a 16 x 16 sheet; a DirectDraw
// surface in system memory, or under Direct3D a texture (quad) or a dynamic
// texture in system memory (pixels).
bool MakeSheet(DDSURFACEDATA* sd, int dtType) {
  if (!MakeSurface(sd, 16, 16, 1, DDMEMKIND_SYSTEM, dtType)) return false;
  FillAll(sd, lpDTCon ? 0 : dwColorKey);
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 4; ++c) Put(sd, 8 + c, 8 + r, (lpDTCon ? 0xFF000000u : 0u) | Src(c, r));
  return true;
}

// Where each picture pixel landed around (100, 100), relative to it.
std::map<std::pair<int, int>, std::pair<int, int>> Landed() {
  std::map<std::pair<int, int>, std::pair<int, int>> out;
  for (int y = 90; y < 110; ++y)
    for (int x = 90; x < 110; ++x) {
      const uint32_t v = Get(&BackBuffer, x, y) & 0xFFFFFF;
      if ((v & 0xFF) == 200) out[{int((v >> 16) - 40), int(((v >> 8) & 0xFF) - 40)}] = {x - 100, y - 100};
    }
  return out;
}

using Mapping = std::function<std::pair<int, int>(int c, int r)>;

std::map<std::pair<int, int>, std::pair<int, int>> Expected(const Mapping& m) {
  std::map<std::pair<int, int>, std::pair<int, int>> out;
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 4; ++c) out[{c, r}] = m(c, r);
  return out;
}

TEST_F(RotatedBlit, FixedPointFactorsTruncate) {
  struct Case {
    int angle, s, c;
  } cases[] = {{0, 0, 1024}, {30, 511, 886}, {60, 886, 512}, {90, 1024, 0}, {180, 0, -1024}, {-90, -1024, 0}};
  for (const Case& k : cases) {
    int s = 0, c = 0;
    DDRotateFactors(k.angle, &s, &c);
    EXPECT_EQ(s, k.s) << k.angle;
    EXPECT_EQ(c, k.c) << k.angle;
  }
}

// The pixel path (DirectDraw, and Direct3D with a source in system memory): the
// pivot pixel lands on (x, y); clockwise turns; 360 is 0.
TEST_F(RotatedBlit, PixelPathTurnsAboutThePivotPixel) {
  const std::pair<int, Mapping> cases[] = {
      {0, [](int c, int r) { return std::pair{c - 2, r - 1}; }},
      {90, [](int c, int r) { return std::pair{1 - r, c - 2}; }},  // 2 wide, 4 high
      {180, [](int c, int r) { return std::pair{2 - c, 1 - r}; }},
      {270, [](int c, int r) { return std::pair{r - 1, 2 - c}; }},
      {360, [](int c, int r) { return std::pair{c - 2, r - 1}; }},
  };
  for (const draw_tool::DrawConfig& config : {draw_tool::DrawConfig{0, 32, 0}, draw_tool::DrawConfig{1, 32, 0}}) {
    SCOPED_TRACE(config.Name());
    ASSERT_TRUE(StartLayer(config));
    DDSURFACEDATA sheet;
    ASSERT_TRUE(MakeSheet(&sheet, DTMEMORYTYPE_SYSTEM));
    for (const auto& [angle, mapping] : cases) {
      FillAll(&BackBuffer, 0);
      ASSERT_TRUE(DDBltRotate(&BackBuffer, 100, 100, 4, 2, 2, 1, angle, &sheet, 8, 8, 1));
      EXPECT_EQ(Landed(), Expected(mapping)) << angle;
    }
    DDReleaseSurface(&sheet);
    DDRelease();
  }
}

// The quad path (Direct3D, a texture onto a render target): the unturned
// rectangle's centre at (x, y), the corners turned about the pivot at the pixel
// edge (x - 0.5, y - 0.5). 0 and 360 draw the picture unturned, 90 and 180 exactly.
TEST_F(RotatedBlit, QuadPathTurnsAboutThePivotEdge) {
  const std::pair<int, Mapping> cases[] = {
      {0, [](int c, int r) { return std::pair{c - 2, r - 1}; }},
      {90, [](int c, int r) { return std::pair{-r, c - 2}; }},
      {180, [](int c, int r) { return std::pair{1 - c, -r}; }},
      {360, [](int c, int r) { return std::pair{c - 2, r - 1}; }},
  };
  ASSERT_TRUE(StartLayer({1, 32, 0}));
  DDSURFACEDATA sheet;
  ASSERT_TRUE(MakeSheet(&sheet, DTMEMORYTYPE_VIDEO_RT));
  for (const auto& [angle, mapping] : cases) {
    FillAll(&BackBuffer, 0);
    ASSERT_TRUE(DDBltRotate(&BackBuffer, 100, 100, 4, 2, 2, 1, angle, &sheet, 8, 8, 1));
    EXPECT_EQ(Landed(), Expected(mapping)) << angle;
  }
  DDReleaseSurface(&sheet);
}

// Key flag 1 skips transparent pixels (DirectDraw: the colour key; Direct3D: the
// texture's alpha), key flag 0 copies them. Direct3D at 16 bits writes the
// full-screen back buffer in its own format.
TEST_F(RotatedBlit, TransparentPixelsAndTheSixteenBitBackBuffer) {
  ASSERT_TRUE(StartLayer({0, 32, 0}));
  DDSURFACEDATA sheet;
  ASSERT_TRUE(MakeSheet(&sheet, DTMEMORYTYPE_SYSTEM));
  Put(&sheet, 9, 8, dwColorKey);
  FillAll(&BackBuffer, 0x010101);
  ASSERT_TRUE(DDBltRotate(&BackBuffer, 100, 100, 4, 2, 2, 1, 0, &sheet, 8, 8, 1));
  EXPECT_EQ(Get(&BackBuffer, 99, 99), 0x010101u);
  ASSERT_TRUE(DDBltRotate(&BackBuffer, 100, 100, 4, 2, 2, 1, 0, &sheet, 8, 8, 0));
  EXPECT_EQ(Get(&BackBuffer, 99, 99), dwColorKey);
  DDReleaseSurface(&sheet);
  DDRelease();

  ASSERT_TRUE(StartLayer({1, 16, 0}));
  ASSERT_TRUE(MakeSurface(&sheet, 4, 2));
  FillAll(&sheet, A1R5G5B5(1, 3, 17, 9));
  Put(&sheet, 1, 0, 0);  // a transparent texel as keyed pictures load
  FillAll(&BackBuffer, 0x1111);
  ASSERT_TRUE(DDBltRotate(&BackBuffer, 100, 100, 4, 2, 2, 1, 0, &sheet, 0, 0, 1));
  EXPECT_EQ(Get(&BackBuffer, 98, 99), R5G6B5(3, 34, 9));
  EXPECT_EQ(Get(&BackBuffer, 99, 99), 0x1111u);
  DDReleaseSurface(&sheet);
  DDRelease();

  // Direct3D at 32 bits: a keyed picture's transparent texel (alpha 0) is skipped,
  // an opaque texel of the key's colour is drawn.
  ASSERT_TRUE(StartLayer({1, 32, 0}));
  ASSERT_TRUE(MakeSurface(&sheet, 4, 2));
  FillAll(&sheet, 0xFF102030u);
  Put(&sheet, 1, 0, dwColorKey & 0x00FFFFFFu);
  Put(&sheet, 2, 0, dwColorKey | 0xFF000000u);
  FillAll(&BackBuffer, 0xFF111111u);
  ASSERT_TRUE(DDBltRotate(&BackBuffer, 100, 100, 4, 2, 2, 1, 0, &sheet, 0, 0, 1));
  EXPECT_EQ(Get(&BackBuffer, 99, 99), 0xFF111111u);
  EXPECT_EQ(Get(&BackBuffer, 100, 99), dwColorKey | 0xFF000000u);
  DDReleaseSurface(&sheet);
}

// Turned pictures cut at the target's corners touch only the target; missing
// surfaces draw nothing and succeed; a failed lock fails.
TEST_F(RotatedBlit, EdgesMissingSurfacesAndFailedLocks) {
  ASSERT_TRUE(StartLayer({0, 32, 0}));
  DDSURFACEDATA sheet;
  ASSERT_TRUE(MakeSheet(&sheet, DTMEMORYTYPE_SYSTEM));
  FillAll(&BackBuffer, 0);
  for (auto [x, y] : {std::pair{0, 0}, std::pair{639, 0}, std::pair{0, 479}, std::pair{639, 479}})
    for (int angle : {0, 45, 90, 200})
      ASSERT_TRUE(DDBltRotate(&BackBuffer, x, y, 16, 16, 8, 8, angle, &sheet, 0, 0, 1));
  EXPECT_EQ(Get(&BackBuffer, 0, 0), Src(0, 0));  // angle 200 last: the sheet's (8, 8) pixel turned near the pivot
  // A picture rectangle reaching past the source reads only what is there.
  ASSERT_TRUE(DDBltRotate(&BackBuffer, 300, 300, 16, 16, 8, 8, 0, &sheet, 8, 8, 0));
  EXPECT_EQ(Get(&BackBuffer, 292, 292), Src(0, 0));
  EXPECT_TRUE(DDBltRotate(nullptr, 0, 0, 4, 2, 2, 1, 0, &sheet, 0, 0, 0));
  EXPECT_TRUE(DDBltRotate(&BackBuffer, 0, 0, 4, 2, 2, 1, 0, nullptr, 0, 0, 0));
  plat::DisplayControl().FailNext(plat::DisplayOp::kLock);
  EXPECT_FALSE(DDBltRotate(&BackBuffer, 100, 100, 4, 2, 2, 1, 0, &sheet, 8, 8, 0));
  DDReleaseSurface(&sheet);
}

}  // namespace
