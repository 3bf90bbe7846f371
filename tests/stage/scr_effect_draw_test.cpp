// The screen-effect drawers on the real drawing layer at 32 bits (both back ends):
// a picture of plain 32-dot cells is in the back buffer, a drawer redraws it, and
// probes name which cell each place now shows. Each case also writes its frame to
// scr-effect-<name>-<backend>.png in the build folder for a look.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "chara/play_objects.h"
#include "chara/player.h"
#include "data/project_globals.h"
#include "draw/dd_vir_back.h"
#include "platform/display/png_writer.h"
#include "stage/scr_effect_draw.h"
#include "stage/stage_scene.h"
#include "tests/support/draw_fixture.h"

namespace {

// The colour of the picture's cell at (x, y): never 16, the cleared colour.
int CellColour(int x, int y) { return 17 + (y / 32 * 20 + x / 32) % 200; }

cEdScrEffect ScrDef(int kind, std::array<int, 5> p) {
  cEdScrEffect d;
  d.nKind = kind;
  for (int i = 0; i < 5; ++i) d.Params[i] = p[static_cast<size_t>(i)];
  return d;
}

class ScrEffectDraw : public cDrawTest, public testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    cDrawTest::SetUp();
    ASSERT_TRUE(StartLayer({GetParam(), 32, 0}));
    const int work[] = {67, 68};
    ASSERT_TRUE(DDLoadSurfaceTable(Off_Sys, work, 2));
    // As the stage drawing does while an effect runs (under Direct3D the frame
    // is drawn into a texture that the drawers can read).
    DDSetVirBackBuffer(1);
    Picture();
  }
  void TearDown() override {
    for (int i = 0; i < SYS_BMP_COUNT; ++i) DDReleaseSurface(&Off_Sys[i]);
    cDrawTest::TearDown();
  }
  static void Picture() {
    for (int y = 0; y < 480; y += 32)
      for (int x = 0; x < 640; x += 32) DDFillRectPal(&BackBuffer, x, y, 32, 32, CellColour(x, y));
  }
  // Effect 1 of the database, started in a play mode.
  cScrEffectAnime& Start(const cEdScrEffect& def, int playMode = 0, int repeat = 0) {
    Database = cEdDatabase();
    Database.ScrEffectList = {ScrDef(0, {0, 0, 0, 0, 0}), def};
    Database.MakeWorkingCopies();
    PrepareScrEffects(ScrEffectTable, ScrEffectTableRev);
    m_effect = cScrEffectAnime();
    m_effect.Start(1, playMode, repeat);
    return m_effect;
  }
  // One frame: the picture drawn afresh, then the effect over it.
  int Frame(int held = 0) {
    Picture();
    return DrawScrEffectFrame(m_effect, m_view, held);
  }
  static DDSURFACEDATA* Shown() { return lpDTCon && lpDTCon->bVirBackBuffer ? &VirBackBuffer : &BackBuffer; }
  static uint32_t At(int x, int y) { return PixelAt(Shown(), x, y); }
  static uint32_t Cell(int x, int y) { return SheetColor(CellColour(x, y)); }
  static uint32_t Cleared() { return SheetColor(16); }
  void Save(const std::string& name) const {
    std::vector<uint32_t> px(640 * 480);
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 640; ++x) px[size_t(y) * 640 + x] = At(x, y);
    plat::WritePngFile(std::string(KORVANE_BIN_DIR) + "/../scr-effect-" + name + (GetParam() ? "-d3d" : "-dd") +
                           ".png",
                       px.data(), 640, 480);
  }

  cScrEffectAnime m_effect;
  cScrEffectView m_view;
};

TEST_P(ScrEffectDraw, MoveSlidesThePictureAndUncoversColour16) {
  Start(ScrDef(1, {10, 0, 0, 640, 0}));
  Frame();
  Frame();
  EXPECT_EQ(At(0, 0), Cell(0, 0));  // the position follows the value a frame late
  Frame();                          // 640 / 10 x 1/6 = 10 dots
  Save("move");
  EXPECT_EQ(At(5, 100), Cleared());
  EXPECT_EQ(At(10, 100), Cell(0, 100));
  EXPECT_EQ(At(50, 100), Cell(40, 100));
}

TEST_P(ScrEffectDraw, ShakeUncoversOnlyTheStripItLeaves) {
  // 4 dots, 4 swings in one second: 4 x 4 x 4 / 60 dots a frame.
  Start(ScrDef(2, {10, 4, 4, 0, 0}));
  Frame();
  Frame();
  EXPECT_EQ(At(0, 10), Cleared());
  EXPECT_EQ(At(1, 10), Cell(0, 10));
  for (int f = 0; f < 2; ++f) Frame();
  EXPECT_DOUBLE_EQ(m_effect.dSwing, 4);  // held at the amplitude, then back
  EXPECT_EQ(m_effect.nWorkA, 1);
  for (int f = 0; f < 8; ++f) Frame();
  Save("shake");
  EXPECT_LT(m_effect.dSwing, 0);
  EXPECT_GE(m_effect.dSwing, -4);
  EXPECT_EQ(At(639, 10), Cleared());
  EXPECT_EQ(At(10, 10), Cell(10 - static_cast<int>(m_effect.dSwing), 10));
}

TEST_P(ScrEffectDraw, SplitOfSevenStripesLeavesTheRowsBelowTheLastWholeStripe) {
  Start(ScrDef(4, {10, 10, 10, 7, 0}));  // a shift of 10 dots, waiting
  Frame();
  Save("split");
  EXPECT_EQ(At(10, 0), Cell(0, 0));      // stripe 0 (rows 0..68) to the right
  EXPECT_EQ(At(100, 68), Cell(90, 68));
  EXPECT_EQ(At(0, 69), Cell(10, 69));    // stripe 1 to the left
  EXPECT_EQ(At(100, 413), Cell(110, 413));
  EXPECT_EQ(At(100, 414), Cleared());    // 7 x 69 > 480: the last stripe is left out
  EXPECT_EQ(At(5, 0), Cleared());
}

TEST_P(ScrEffectDraw, WaveShiftsRowsAlongASineAndTurnsItsPhase) {
  Start(ScrDef(6, {10, 16, 16, 2, 1}));
  Frame();
  Save("wave");
  EXPECT_EQ(m_effect.nWorkA, 1);
  // Two waves: row 59 is an eighth of the way down (60 x 0.75 x 2 = 90 degrees),
  // about 16 dots right; row 179 about 16 dots left; row 119 in place.
  EXPECT_EQ(At(100, 59), Cell(84, 59));
  EXPECT_EQ(At(100, 179), Cell(116, 179));
  EXPECT_EQ(At(100, 119), Cell(100, 119));
  m_effect.nWorkA = 359;
  Frame();
  EXPECT_EQ(m_effect.nWorkA, 0);
}

TEST_P(ScrEffectDraw, BlinkHidesTheContentsForItsIntervalFirst) {
  int hidden = 0;
  m_view.DrawLayers = [&] { ++hidden; };
  Start(ScrDef(8, {10, 3, 0, 0, 0}));
  std::string pattern;
  for (int f = 0; f < 10; ++f) {
    const int before = hidden;
    Frame();
    pattern += hidden > before ? 'h' : 's';
  }
  EXPECT_EQ(pattern, "hhhssshhhs");
  Frame(1);  // a held frame neither turns nor counts
  EXPECT_EQ(m_effect.nWorkA, 1);
}

TEST_P(ScrEffectDraw, RotateTurnsAboutTheCentre) {
  Start(ScrDef(9, {10, 180, 180, 0, 0}));
  Frame();
  Save("rotate");
  EXPECT_EQ(At(10, 10), Cell(630, 470));
  EXPECT_EQ(At(330, 250), Cell(310, 230));
}

TEST_P(ScrEffectDraw, CircleShowsThePictureRoundThePlayerOnly) {
  m_view.nCenterX = 200;
  m_view.nCenterY = 300;
  Start(ScrDef(10, {10, 60, 60, 8, 0}));
  Frame();
  Save("circle");
  EXPECT_EQ(At(200, 300), Cell(200, 300));
  EXPECT_EQ(At(230, 310), Cell(230, 310));
  EXPECT_EQ(At(280, 300), Cleared());
  EXPECT_EQ(At(0, 0), Cleared());
}

TEST_P(ScrEffectDraw, ZoomAtTwiceShowsTheQuarterRoundThePlayerHeldInsideTheScreen) {
  Start(ScrDef(11, {10, 640, 640, 0, 0}));
  Frame();
  EXPECT_EQ(At(0, 0), Cell(0, 0));
  EXPECT_EQ(At(639, 479), Cell(639, 479));
  m_view.nCenterX = 620;  // near the right edge: the window stops at the screen
  m_view.nCenterY = 240;
  Start(ScrDef(11, {10, 1280, 1280, 0, 0}));
  Frame();
  Save("zoom");
  EXPECT_EQ(At(0, 0), Cell(320, 120));
  EXPECT_EQ(At(638, 478), Cell(639, 359));
  Start(ScrDef(11, {10, 320, 320, 0, 0}));  // half size, centred
  Frame();
  EXPECT_EQ(At(100, 100), Cleared());
  EXPECT_EQ(At(160, 120), Cell(0, 0));
  EXPECT_EQ(At(478, 358), Cell(636, 476));
}

TEST_P(ScrEffectDraw, ZoomWindowTable) {
  struct Case {
    double value;
    int cx, cy, x, y;
  } cases[] = {{1280, 320, 240, 160, 120}, {1280, 620, 240, 320, 120}, {1280, 5, 5, 0, 0}, {640, 100, 100, 0, 0},
               {6400, 320, 240, 288, 216}};
  for (const Case& c : cases) {
    const cZoomWindow w = ScrEffectZoomWindow(c.value, c.cx, c.cy);
    EXPECT_EQ(w.x, c.x) << c.value << " at " << c.cx;
    EXPECT_EQ(w.y, c.y) << c.value << " at " << c.cy;
  }
}

TEST_P(ScrEffectDraw, LensKeepsItsCentreAndMosaicPaintsBlocks) {
  Start(ScrDef(12, {10, 200, 200, 0, 0}));
  Frame();
  Save("lens");
  EXPECT_EQ(At(320, 240), Cell(320, 240));
  Start(ScrDef(13, {10, 40, 40, 0, 0}));
  Frame();
  Save("mosaic");
  EXPECT_EQ(At(39, 39), At(0, 0));
  EXPECT_EQ(At(79, 0), At(40, 0));
}

TEST_P(ScrEffectDraw, AHeldFrameDrawsTheSameAndAdvancesNothing) {
  Start(ScrDef(4, {10, 0, 60, 4, 0}));
  Frame();
  Frame();
  const double value = m_effect.dValue;
  Frame(1);
  Frame(1);
  EXPECT_DOUBLE_EQ(m_effect.dValue, value);
  EXPECT_EQ(At(static_cast<int>(value), 0), Cell(0, 0));
}

TEST_P(ScrEffectDraw, DamagedDefinitionsAreHeldToTheirLimits) {
  // Stripes 0 and running time -5: two stripes, one tenth of a second.
  Start(ScrDef(4, {-5, 0, 6, 0, 0}));
  int frames = 1;
  while (!Frame() && frames < 100) ++frames;
  EXPECT_EQ(frames, 7);
  Start(ScrDef(6, {10, 8, 8, 0, 0}));  // no waves, line size 0
  EXPECT_EQ(Frame(), 0);
  Start(ScrDef(13, {10, 0, -4, 0, 0}));  // strength 0 and below: blocks of 1
  Frame();
  EXPECT_EQ(At(33, 33), Cell(33, 33));
  Start(ScrDef(20, {10, 0, 0, 0, 0}));  // a kind without a drawer ends at once
  EXPECT_EQ(Frame(), 1);
  EXPECT_EQ(At(33, 33), Cell(33, 33));
  EXPECT_TRUE(Reported("screen effect 1: kind 20"));
}

TEST_P(ScrEffectDraw, TheSceneEndsTheEffectAndLeavesTheVirtualBackBuffer) {
  auto scene = std::make_unique<cStageScene>();
  Start(ScrDef(5, {1, 0, 6, 4, 0}));
  scene->m_ScrEffect = m_effect;
  int frames = 0;
  while (scene->m_ScrEffect.nNo != 0 && frames < 100) {
    DDSetVirBackBuffer(1);  // as the stage drawing does while an effect runs
    scene->DrawScrEffect(0);
    ++frames;
  }
  EXPECT_EQ(frames, 7);
  if (lpDTCon) {
    EXPECT_EQ(lpDTCon->bVirBackBuffer, 0);
  }
  // Kind 0 never ends; under Direct3D it leaves the virtual back buffer.
  Start(ScrDef(0, {0, 0, 0, 0, 0}));
  scene->m_ScrEffect = m_effect;
  DDSetVirBackBuffer(1);
  for (int f = 0; f < 5; ++f) scene->DrawScrEffect(0);
  EXPECT_EQ(scene->m_ScrEffect.nNo, 1);
  if (lpDTCon) {
    EXPECT_EQ(lpDTCon->bVirBackBuffer, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(At32Bits, ScrEffectDraw, testing::Values(0, 1),
                         [](const testing::TestParamInfo<int>& info) { return info.param ? "D3D" : "DDraw"; });

}  // namespace
