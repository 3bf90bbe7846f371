// The demo project's world map, first stage and challenge stage, read as the game
// reads them.
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

}  // namespace
