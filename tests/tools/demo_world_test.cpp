// The demo project's world map and stages, read as the game reads them.
#include <gtest/gtest.h>

#include "app/base/format.h"
#include "data/data_folders.h"
#include "data/project_globals.h"
#include "data/stage_loader.h"
#include "tests/support/run_game.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(DemoProjectData, TheStartCellLeadsToAPlayableFirstStageAndTheChallengeStageLoads) {
  cTempDir dir;
  ASSERT_TRUE(MakeDemoProject(dir.Path()));
  ASSERT_EQ(Database.Load(), 1);
  ASSERT_EQ(CommonPalette.Load(PathTable[kPathCommonPalette]), 1);
  ASSERT_EQ(WorldMap.Load(PathTable[kPathWorldMap]), 1);
  cSaveData save;  // a new story
  const cEdWorldEvent* event = WorldMap.FindWorldEventAt(WorldMap.nStartX, WorldMap.nStartY);
  ASSERT_NE(event, nullptr);
  const cEdWorldStage* entry = event->OfferedEntry(save);
  ASSERT_NE(entry, nullptr);
  ASSERT_EQ(LoadStageForPlay(entry->strFile, 1, &PlayStageData), 1);
  EXPECT_EQ(StageData.strFilePath, "data\\stg4\\w01-1.stg4_752");
  EXPECT_GT(StageData.Blocks.Count(), 100);
  EXPECT_EQ(StageData.Charas[static_cast<size_t>(StageData.FindPlayer())].nGraphic, 1);
  EXPECT_GE(StageData.Charas.Count(), 3);
  EXPECT_GE(StageData.Items.Count(), 3);
  // Placed definitions took their groups from the common palette and the stage's own.
  EXPECT_EQ(StageData.Blocks[0].nHitKind, 1);
  EXPECT_EQ(StageData.Blocks.back().nGraphic, 2);
  // The challenge scene's name of stage 1.
  std::string challenge;
  FormatString(challenge, "%s%02d-1.%s", PathTable[kPathChallengePrefix], 1, ExtTable[kExtStage]);
  EXPECT_EQ(LoadStageForPlay(challenge, 1, &PlayStageData), 1);
  EXPECT_FALSE(dir.ReportContains("MessageBox"));
}

// The story's stages stand in a row from the start cell, each offered once the one
// before it is cleared; every stage file loads with one player and an end (a goal
// flag, or the boss).
TEST(DemoProjectData, TheStoryOpensStageByStageAndEveryStageHasAPlayerAndAnEnd) {
  cTempDir dir;
  ASSERT_TRUE(MakeDemoProject(dir.Path()));
  ASSERT_EQ(Database.Load(), 1);
  ASSERT_EQ(CommonPalette.Load(PathTable[kPathCommonPalette]), 1);
  ASSERT_EQ(WorldMap.Load(PathTable[kPathWorldMap]), 1);
  struct Story {
    int column;  // cells right of the start
    const char* file;
  } story[] = {{0, "data\\stg4\\w01-1.stg4"}, {2, "data\\stg4\\w02-1.stg4"}, {4, "data\\stg4\\w03-1.stg4"}};
  cSaveData save;
  save.Reset();
  for (int n = 0; n < 3; ++n) {
    SCOPED_TRACE(story[n].file);
    const cEdWorldEvent* event = WorldMap.FindWorldEventAt(WorldMap.nStartX + story[n].column, WorldMap.nStartY);
    ASSERT_NE(event, nullptr);
    if (n > 0) {
      EXPECT_EQ(event->OfferedEntry(save), nullptr) << "offered before the stage before it is cleared";
      save.Flags[static_cast<size_t>(n)] = 1;
    }
    const cEdWorldStage* entry = event->OfferedEntry(save);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->strFile, story[n].file);
    EXPECT_EQ(entry->nStageNo, n + 1);
  }
  const char* const files[] = {"w01-1", "w02-1", "w02-2", "w03-1", "c01-1"};
  for (const char* name : files) {
    SCOPED_TRACE(name);
    ASSERT_EQ(LoadStageForPlay(std::string("data\\stg4\\") + name + ".stg4", 1, &PlayStageData), 1);
    int players = 0, ends = 0;
    for (const cEdChara& c : StageData.Charas) {
      players += c.nOperator == 0;
      for (const cEdFlow& f : c.Flows)
        for (const cEdCommand& command : f.Commands) ends += command.nType == 17;  // clears the stage
    }
    EXPECT_EQ(players, 1);
    EXPECT_EQ(ends, 1);
  }
  EXPECT_FALSE(dir.ReportContains("MessageBox"));
}

}  // namespace
