// The world-map scene in-process, back from stage play: the auto-save of the
// progress the stage left, and the stage that progress opens.
#include <gtest/gtest.h>

#include "app/base/shell_globals.h"
#include "app/svc/mode_manager.h"
#include "data/project_globals.h"
#include "modes/world_map_rules.h"
#include "modes/world_map_scene.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "tests/support/draw_fixture.h"

namespace {

class WorldMapReturn : public cDrawTest {
 protected:
  void SetUp() override {
    cDrawTest::SetUp();
    hMainWnd = plat::RegisterWindow();
    ASSERT_TRUE(StartLayer({0, 32, 1}));
    ASSERT_TRUE(plat::MakeDirectory("user_data") && plat::MakeDirectory("user_data\\story"));
    // Stage 1 at (9, 7); stage 2 two cells right, offered once stage 1 is cleared.
    WorldMap = cEdWorldMap();
    cEdWorldEvent first;
    first.nCol = 9;
    first.nRow = 7;
    first.Stages[0].nStageNo = 1;
    first.Stages[0].bNoAutoStart = 1;
    first.Stages[0].strFile = "data\\stg4\\w01-1.stg4";
    cEdWorldEvent second = first;
    second.nCol = 11;
    second.Stages[0].nStageNo = 2;
    second.Stages[0].nNeedFlag = 1;
    WorldMap.Events.push_back(first);
    WorldMap.Events.push_back(second);
    SaveData.Reset();
    SaveData.nMapX = 9;
    SaveData.nMapY = 7;
    SaveData.Flags[1] = 1;  // as the stage clear leaves it
    SaveData.bAutoSave = 1;
    SaveData.nSlot = 2;
  }
  void TearDown() override {
    plat::UnregisterWindow(hMainWnd);
    hMainWnd = 0;
    cDrawTest::TearDown();
  }
};

TEST_F(WorldMapReturn, BackFromAClearedStageTheProgressIsSavedAndTheNextStageOffered) {
  ModeManager.m_nPrevMode = MODE_STAGE;
  {
    cWorldMapScene scene;
    scene.Run();  // Init and the first frame of the fade-in
    EXPECT_EQ(scene.m_nPhase, cWorldMapScene::kFadeIn);
    EXPECT_EQ(scene.Col(), 9);
    EXPECT_EQ(scene.Row(), 7);
  }
  cSaveData saved;
  ASSERT_EQ(saved.Load("user_data\\story\\Story03.dat"), 1);
  EXPECT_EQ(saved.Flags[1], 1);
  EXPECT_EQ(saved.nMapX, 9);
  EXPECT_NE(FindActiveStage(WorldMap, saved, 11, 7), nullptr);
  EXPECT_FALSE(Reported("MessageBox"));
}

TEST_F(WorldMapReturn, FromTheMenuNothingIsSaved) {
  ModeManager.m_nPrevMode = MODE_WORLDMAP_MENU;
  {
    cWorldMapScene scene;
    scene.Run();
  }
  EXPECT_FALSE(m_dir->Exists("user_data/story/Story03.dat"));
}

}  // namespace
