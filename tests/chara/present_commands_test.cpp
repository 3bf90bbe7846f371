// The presentation commands: where effects and pictures are placed, what the
// effect, picture, screen-effect, character-effect, graphic and background
// commands hand over to the stage, and their bad inputs.
#include <gtest/gtest.h>

#include <memory>

#include "app/svc/mode_manager.h"
#include "chara/chara.h"
#include "chara/command_handlers.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "chara/present_commands.h"
#include "data/command.h"
#include "data/project_globals.h"
#include "draw/dd_vir_back.h"
#include "draw/play_surfaces.h"
#include "stage/stage_scene.h"
#include "tests/support/draw_fixture.h"

namespace {

cEdCommand Command(std::vector<int32_t> values) {
  cEdCommand c;
  c.Values.assign(values.begin(), values.end());
  return c;
}

class PresentCommands : public cDrawTest {
 protected:
  void SetUp() override {
    cDrawTest::SetUp();
    ASSERT_TRUE(StartLayer({0, 32, 0}));
    std::vector<uint8_t> px(40 * 20, 60);
    ASSERT_TRUE(draw_tool::WriteBytes("pic.bmp", draw_tool::EncodeBmp8(40, 20, px, draw_tool::SheetPalette())));
    Database = cEdDatabase();
    Database.EffectList.resize(2);
    Database.EffectList[1].nCellWidth = 33;
    Database.EffectList[1].nCellHeight = 16;
    Database.EffectList[1].Frames = {cIntPair(0, 2)};
    BuildEffectSequences(EffectSequences);
    Database.PictureList.resize(3);
    Database.PictureList[1].strFile = "pic.bmp";
    Database.PictureList[2].strFile = "missing.bmp";
    Database.ScrEffectList.resize(2);
    Database.ScrEffectList[1].nKind = 4;
    Database.ScrEffectList[1].Params[0] = 10;
    Database.MakeWorkingCopies();
    PrepareScrEffects(ScrEffectTable, ScrEffectTableRev);
    StageData = cEdStage();
    m_scene = std::make_unique<cStageScene>();
    CurrentStage.store(m_scene.get());
    m_scene->m_ScrollX.m_dPos = 64.5;
    m_scene->m_ScrollY.m_dPos = 32;
    m_actor.m_nScreenLeft = 100;
    m_actor.m_nScreenTop = 50;
    m_actor.m_nDrawWidth = m_actor.m_nDrawHeight = 32;
  }
  void TearDown() override {
    m_scene->ClearPictures();
    CurrentStage.store(nullptr);
    m_scene.reset();
    Player.clear();
    cDrawTest::TearDown();
  }
  // A picture command: number, position 3 at block (x, 0), an ID when id > 0.
  void Picture(int number, int x, int id, int percent = 100) {
    cEdCommand c = Command({number, 3, x, 0, 0, 0, 0, percent, 1, 0, 0, 0, id > 0, id, 0});
    ExecShowPicture(m_actor, c);
  }
  std::unique_ptr<cStageScene> m_scene;
  cChara m_actor;
};

TEST_F(PresentCommands, PlacingTable) {
  Player.emplace_back();
  Player.back().m_nScreenLeft = 300;
  Player.back().m_nScreenTop = 200;
  Player.back().m_nDrawWidth = Player.back().m_nDrawHeight = 64;
  struct Case {
    int position;
    double x, y;
  } cases[] = {{0, 64.5 + 320 - 5 + 3, 32 + 240 - 2 + 4},
               {1, 100 + 16 + 64.5 - 5 + 3, 50 + 16 + 32 - 2 + 4},
               {2, 300 + 32 + 64.5 - 5 + 3, 200 + 32 + 32 - 2 + 4},
               {3, 64.5 + 2 * 32 + 3, 32 + 1 * 32 + 4},
               {4, (2 + 10) * 32 + 3, (1 + 10) * 32 + 4}};
  for (const Case& c : cases) {
    double x = 0, y = 0;
    PlaceEffect(11, 5, c.position, 2, 1, 3, 4, m_actor, x, y);  // halves of 11 and 5 are 5 and 2
    EXPECT_DOUBLE_EQ(x, c.x) << c.position;
    EXPECT_DOUBLE_EQ(y, c.y) << c.position;
  }
}

TEST_F(PresentCommands, EffectsAreScaledRoundedAndNumberZeroRemovesThemAll) {
  cEdCommand play = Command({1, 4, 0, 0, 0, 0, 150, 0});
  ExecPlayEffect(m_actor, play);
  ExecPlayEffect(m_actor, play);
  ASSERT_EQ(m_scene->m_Effects.size(), 2u);
  const cEffect& fx = m_scene->m_Effects.front();
  EXPECT_EQ(fx.m_nWidth, 50);  // 49.5 rounded up
  EXPECT_EQ(fx.m_nHeight, 24);
  EXPECT_EQ(fx.m_bScaled, 1);
  EXPECT_DOUBLE_EQ(fx.m_dX, 320);
  cEdCommand none = Command({0, 0, 0, 0, 0, 0, 100, 0});
  ExecPlayEffect(m_actor, none);
  EXPECT_TRUE(m_scene->m_Effects.empty());
  m_scene->m_bQuit = 1;  // nothing while the game is closing
  ExecPlayEffect(m_actor, play);
  EXPECT_TRUE(m_scene->m_Effects.empty());
}

TEST_F(PresentCommands, APictureWithTheSameIdReplacesTheFirstInItsPlace) {
  Picture(1, 1, 7);
  Picture(1, 2, 8);   // inserted in front
  Picture(1, 5, 7);   // replaces the first, at its place (the back)
  ASSERT_EQ(m_scene->m_Pictures.size(), 2u);
  EXPECT_EQ(Off_Picture.size(), 2u);
  EXPECT_EQ(PictureInfo.size(), 2u);
  EXPECT_EQ(m_scene->m_Pictures.front().m_nId, 8);
  EXPECT_EQ(m_scene->m_Pictures.back().m_nId, 7);
  EXPECT_DOUBLE_EQ(m_scene->m_Pictures.back().m_dX, 64.5 + 5 * 32);
  Picture(0, 0, 8);   // number 0 with an ID removes that one
  ASSERT_EQ(m_scene->m_Pictures.size(), 1u);
  EXPECT_EQ(Off_Picture.size(), 1u);
  Picture(1, 0, 0, 50);
  EXPECT_EQ(m_scene->m_Pictures.front().m_nWidth, 20);
  EXPECT_EQ(m_scene->m_Pictures.front().m_bScaled, 1);
  Picture(0, 0, 0);   // number 0 without an ID removes them all
  EXPECT_TRUE(m_scene->m_Pictures.empty() && Off_Picture.empty() && PictureInfo.empty());
}

TEST_F(PresentCommands, AMissingPictureIsReportedClosesAndLeavesTheListsTogether) {
  Picture(1, 0, 0);
  Picture(2, 0, 0);
  EXPECT_TRUE(Reported("missing.bmp 読み込み失敗！"));
  EXPECT_EQ(m_scene->m_Pictures.size(), 1u);
  EXPECT_EQ(Off_Picture.size(), 1u);
  EXPECT_EQ(PictureInfo.size(), 1u);
}

TEST_F(PresentCommands, ScreenAndCharacterEffectsStartAndEffectZeroStops) {
  cEdCommand start = Command({1, 2, 1});
  ExecScreenEffect(m_actor, start);
  EXPECT_EQ(m_scene->m_ScrEffect.nNo, 1);
  EXPECT_EQ(m_scene->m_ScrEffect.nPlayMode, 2);
  EXPECT_EQ(m_scene->m_ScrEffect.bRepeat, 1);
  cEdCommand stop = Command({0, 0, 0});
  ExecScreenEffect(m_actor, stop);
  EXPECT_EQ(m_scene->m_ScrEffect.nNo, 0);
  cEdCommand beyond = Command({40, 0, 0});  // a damaged command: reported, nothing runs
  ExecScreenEffect(m_actor, beyond);
  EXPECT_EQ(m_scene->m_ScrEffect.nNo, 0);
  EXPECT_TRUE(Reported("err V[40]"));
}

TEST_F(PresentCommands, GraphicAndBackgroundChanges) {
  cEdCommand graphic = Command({4, 3, 2});
  ExecChangeGraphic(m_actor, graphic);
  EXPECT_EQ(m_actor.m_Def.nGraphicKind, 4);
  EXPECT_EQ(m_actor.m_Def.nGraphic, 3);
  EXPECT_EQ(m_actor.m_nGraphic, 3);
  EXPECT_EQ(m_actor.m_Def.nGraphicSub, 2);
  StageData.Layers.resize(2);
  StageData.Layers[0].bShown = 1;
  StageData.Layers[1].bShown = 0;
  struct Case {
    int layer, mode, shown0, shown1;
  } cases[] = {{0, 1, 1, 0}, {1, 1, 0, 0}, {2, 2, 0, 1}, {2, 2, 0, 0}, {1, 0, 1, 0}, {3, 1, 1, 0}, {1, 5, 1, 0}};
  for (const Case& c : cases) {
    cEdCommand bg = Command({c.layer, c.mode});
    ExecChangeBackground(m_actor, bg);
    EXPECT_EQ(StageData.Layers[0].bShown, c.shown0) << c.layer << "," << c.mode;
    EXPECT_EQ(StageData.Layers[1].bShown, c.shown1) << c.layer << "," << c.mode;
  }
}

}  // namespace
