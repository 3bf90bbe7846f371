// Effects and pictures on the stage, drawn on the real drawing layer at 32 bits
// (both back ends): where a hit effect lands, the cells an effect shows as it
// runs, the stage's effect sheets, and pictures in their passes, with their time,
// screen place and size. Pictures are made here, one plain colour per cell.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "app/svc/mode_manager.h"
#include "chara/object.h"
#include "data/project_globals.h"
#include "draw/play_surfaces.h"
#include "platform/rand.h"
#include "stage/stage_scene.h"
#include "stage/stand_ins.h"
#include "tests/support/draw_fixture.h"

namespace {

bool WriteImage(const char* name, int w, int h, const std::function<int(int, int)>& index) {
  std::vector<uint8_t> px(size_t(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) px[size_t(y) * w + x] = uint8_t(index(x, y));
  return draw_tool::WriteBytes(name, draw_tool::EncodeBmp8(w, h, px, draw_tool::SheetPalette()));
}

cHitBox Box(double l, double t, double r, double b) {
  cHitBox h;
  h.dLeft = l;
  h.dTop = t;
  h.dRight = r;
  h.dBottom = b;
  return h;
}

TEST(HitEffectPlace, CentredOnWhereTheBoxesMeet) {
  struct Case {
    cHitBox a, b;
    int x, y;
  } cases[] = {
      {Box(0, 0, 31, 31), Box(16, 8, 47, 39), 16 + 8 - 8, 8 + 12 - 8},  // overlap 16..31 x 8..31
      {Box(0, 0, 31, 31), Box(31, 0, 63, 31), 31 - 8, 16 - 8},          // touching along x = 31
      {Box(0, 0, 10, 10), Box(50, 50, 60, 60), 0 - 8, 0 - 8},           // apart: all 0
  };
  for (const Case& c : cases) {
    int x = 0, y = 0;
    HitEffectPlace(c.a, c.b, 16, 16, x, y);
    EXPECT_EQ(x, c.x);
    EXPECT_EQ(y, c.y);
  }
}

class EffectPicture : public cDrawTest, public testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    cDrawTest::SetUp();
    ASSERT_TRUE(StartLayer({GetParam(), 32, 0}));
    // Effect sheet: 16 x 16 cells, cell k in colour 100 + k, a keyed 2-dot border.
    ASSERT_TRUE(WriteImage("fx.bmp", 64, 16, [](int x, int y) {
      return x % 16 < 2 || y < 2 ? 0 : 100 + x / 16;
    }));
    ASSERT_TRUE(WriteImage("pic.bmp", 20, 10, [](int x, int) { return x < 10 ? 120 : 121; }));
    Database = cEdDatabase();
    Database.EffectList.resize(3);
    cEdEffect& fx = Database.EffectList[1];
    fx.strFile = "fx.bmp";
    fx.nCellWidth = fx.nCellHeight = 16;
    fx.bScaleWithHit = 1;
    fx.Frames = {cIntPair(0, 1), cIntPair(2, 1)};  // cells 0 and 2, a tenth each
    Database.EffectList[2].strFile = "missing.bmp";
    Database.EffectList[2].Frames = {cIntPair(0, 1)};
    BuildEffectSequences(EffectSequences);
    m_scene = std::make_unique<cStageScene>();
    CurrentStage.store(m_scene.get());
    m_scene->m_ScrollX.m_dPos = 100.7;
    m_scene->m_ScrollY.m_dPos = 50;
    TraceOn();
    LoadEffectImages();
  }
  void TearDown() override {
    CurrentStage.store(nullptr);
    m_scene.reset();
    cDrawTest::TearDown();
  }
  static uint32_t At(int x, int y) { return PixelAt(&BackBuffer, x, y); }
  static void Clear() { DDFillRectPal(&BackBuffer, 0, 0, 640, 480, 5); }
  // A picture from pic.bmp in the three lists, as the picture command adds it.
  cPicture& AddPicture(int pass, double x, double y, int percent, int mode, int time, int fixed) {
    DDSURFACEINFO info;
    Off_Picture.emplace_back();
    PictureInfo.push_back(info);
    EXPECT_EQ(DDCreateSurfaceFromFile(&Off_Picture.back(), "pic.bmp", 1, DDBpp(), DDMEMKIND_VIDEO, 0, 0, 0, 0, 0, 0), 0);
    m_scene->m_Pictures.emplace_back();
    cPicture& p = m_scene->m_Pictures.back();
    p.Set(1, x, y, 20 * percent / 100, 10 * percent / 100, fixed, pass, percent, mode, time, 0, 0, 0);
    return p;
  }
  std::unique_ptr<cStageScene> m_scene;
};

TEST_P(EffectPicture, AnEffectShowsItsCellsInTurnThenEnds) {
  cEffect fx(1, 200.7, 150, 16, 16, 0);  // on the screen at (100, 100)
  std::string shown;
  int frames = 0;
  for (; frames < 40; ++frames) {
    Clear();
    if (fx.Draw(&BackBuffer, 0)) break;
    shown += At(108, 108) == SheetColor(100) ? 'a' : At(108, 108) == SheetColor(102) ? 'c' : '?';
    EXPECT_EQ(At(100, 108), SheetColor(5));  // the keyed border
  }
  EXPECT_EQ(shown, "aaaaacccccc");
  EXPECT_EQ(frames, 11);
}

TEST_P(EffectPicture, AHeldEffectKeepsItsCellUnlessItAnimatesWhileHeld) {
  cEffect held(1, 200, 150, 16, 16, 0), animated(1, 200, 150, 16, 16, 1);
  for (int f = 0; f < 30; ++f) EXPECT_EQ(held.Draw(&BackBuffer, 1), 0);
  EXPECT_EQ(held.m_Anime.GetValue(), 0);
  int f = 0;
  while (!animated.Draw(&BackBuffer, 1) && f < 30) ++f;
  EXPECT_EQ(f, 11);
}

TEST_P(EffectPicture, AScaledHitEffectIsStretchedFromTheCopyAndJitters) {
  plat::SRand(7);
  cEffect fx;
  fx.cEffectAtHit(1, Box(300, 200, 363, 263), Box(300, 200, 363, 263), 2);
  EXPECT_EQ(fx.m_nWidth, 32);
  EXPECT_EQ(fx.m_bScaled, 1);
  EXPECT_LE(std::abs(fx.m_dX - (300 + 32 - 16)), 8);
  EXPECT_LE(std::abs(fx.m_dY - (200 + 32 - 16)), 8);
  plat::SRand(7);
  cEffect again;
  again.cEffectAtHit(1, Box(300, 200, 363, 263), Box(300, 200, 363, 263), 2);
  EXPECT_EQ(again.m_dX, fx.m_dX);  // the same seed, the same place
  EXPECT_EQ(again.m_dY, fx.m_dY);
  Clear();
  fx.Draw(&BackBuffer, 0);
  const int x = static_cast<int>(fx.m_dX - 100.7), y = static_cast<int>(fx.m_dY - 50);
  EXPECT_EQ(At(x + 16, y + 16), SheetColor(100));
  EXPECT_EQ(At(x + 30, y + 30), SheetColor(100));  // twice the frame size
  EXPECT_EQ(At(x + 1, y + 16), SheetColor(5));     // the border, stretched to 4 dots
}

TEST_P(EffectPicture, AMissingSheetIsTracedAndDrawsNothingAndAnEmptyEffectEndsAtOnce) {
  EXPECT_TRUE(Traced("エフェクト missing.bmp 読み込み失敗！"));
  EXPECT_EQ(Off_Effect.Count(), 4);
  cEffect missing(2, 200, 150, 32, 32, 0);
  Clear();
  EXPECT_EQ(missing.Draw(&BackBuffer, 0), 0);
  EXPECT_EQ(At(110, 110), SheetColor(5));
  Database.EffectList[2].Frames.clear();
  EXPECT_EQ(missing.Draw(&BackBuffer, 0), 1);
  cEffect none(0, 200, 150, 32, 32, 0);  // effect 0 is never drawn
  EXPECT_EQ(none.Draw(&BackBuffer, 0), 1);
}

TEST_P(EffectPicture, AMissingSwordPictureIsTracedAndTheOthersStillLoad) {
  Database.SwordTypeList.resize(2);
  Database.SwordTypeList[0].strLeftFile = "fx.bmp";
  Database.SwordTypeList[0].strRightFile = "pic.bmp";
  Database.SwordTypeList[1].strLeftFile = "missing.bmp";
  Database.SwordTypeList[1].strRightFile = "fx.bmp";
  LoadSwordImages();
  EXPECT_TRUE(Traced("ソード missing.bmp 読み込み失敗！"));
  ASSERT_EQ(Off_Sword.Count(), 8);
  ASSERT_EQ(SwordInfo.Count(), 8);
  const int widths[] = {64, 20, 64, 20, 0, 64, 0, 64};
  for (int i = 0; i < 8; ++i) {
    DDSURFACEDATA* s = &Off_Sword[size_t(i)];
    if (lpDTCon && (i & 2)) s = s->lpAliasSD;  // the copies draw through their pictures
    ASSERT_NE(s, nullptr) << i;
    EXPECT_EQ(s->nWidth, widths[i]) << i;
  }
}

TEST_P(EffectPicture, PicturesDrawInTheirPassAndLeaveWithTheirSurfaceWhenTheirTimeEnds) {
  AddPicture(0, 110.5, 60, 100, 2, 2, 0);   // at (10, 10) on the screen for 2 frames
  AddPicture(1, 130, 60, 200, 0, 0, 0);     // at (130 - 100, 10): whole dots apart, twice the size
  Clear();
  m_scene->DrawPictures(&BackBuffer, 0, 0);
  EXPECT_EQ(At(10, 10), SheetColor(120));
  EXPECT_EQ(At(20, 10), SheetColor(121));
  EXPECT_EQ(At(30, 20), SheetColor(5));  // the front picture waits for its pass
  m_scene->DrawPictures(&BackBuffer, 1, 0);
  EXPECT_EQ(At(30 + 19, 10 + 19), SheetColor(120));
  EXPECT_EQ(At(30 + 20, 10), SheetColor(121));
  m_scene->DrawPictures(&BackBuffer, 0, 1);  // a held frame does not count
  m_scene->DrawPictures(&BackBuffer, 0, 0);
  EXPECT_EQ(m_scene->m_Pictures.size(), 2u);
  m_scene->DrawPictures(&BackBuffer, 0, 0);
  ASSERT_EQ(m_scene->m_Pictures.size(), 1u);
  EXPECT_EQ(Off_Picture.size(), 1u);
  EXPECT_EQ(PictureInfo.size(), 1u);
  EXPECT_EQ(m_scene->m_Pictures.front().m_nPass, 1);
  m_scene->ClearPictures();
  EXPECT_TRUE(m_scene->m_Pictures.empty() && Off_Picture.empty() && PictureInfo.empty());
}

TEST_P(EffectPicture, AFixedPictureKeepsItsScreenPlaceAndScaleZeroDrawsNothing) {
  AddPicture(0, 150, 100, 100, 0, 0, 1);  // (50, 50) on the screen, kept there
  AddPicture(0, 150, 100, 0, 0, 0, 0);
  m_scene->m_ScrollX.m_dPos = 300;
  Clear();
  m_scene->DrawPictures(&BackBuffer, 0, 0);
  EXPECT_EQ(At(50, 50), SheetColor(120));
  EXPECT_EQ(At(49, 50), SheetColor(5));
  m_scene->ClearPictures();
}

INSTANTIATE_TEST_SUITE_P(At32Bits, EffectPicture, testing::Values(0, 1),
                         [](const testing::TestParamInfo<int>& info) { return info.param ? "D3D" : "DDraw"; });

}  // namespace
