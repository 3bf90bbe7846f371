// What play does with the save data: results and their total, the checkpoint of
// a retry, the carried status, new play-throughs and the ranking genre.
#include <gtest/gtest.h>

#include "app/base/shell_globals.h"
#include "data/project_globals.h"

namespace {

class SaveProgress : public ::testing::Test {
 protected:
  void SetUp() override {
    SystemData = cEdSystem();
    WorldMap = cEdWorldMap();
    bStartupStage = 0;
    SetPlayCategoryReader([] { return gCategory; });
  }
  void TearDown() override { SetPlayCategoryReader(nullptr); }
  static inline int gCategory = 0;
  cSaveData save;
};

TEST_F(SaveProgress, BestResultsRaiseTheTotalByWhatTheyAdd) {
  save.nTotal = 10;
  save.AddStageResult("data\\stg4\\a.", 50);
  EXPECT_EQ(save.nTotal, 60);
  save.AddStageResult("data\\stg4\\a.", 30);  // smaller: nothing
  EXPECT_EQ(save.nTotal, 60);
  save.AddStageResult("data\\stg4\\a.", 80);  // larger: the difference
  EXPECT_EQ(save.nTotal, 90);
  save.AddStageResult("data\\stg4\\A.", 5);  // names compare exactly
  EXPECT_EQ(save.StageResults.Count(), 2);
  EXPECT_EQ(save.FindStageResult("data\\stg4\\a."), 80);
  EXPECT_EQ(save.FindStageResult("data\\stg4\\b."), 0);
}

TEST_F(SaveProgress, TheWorldMapTotalCountsOnlyStagesStillOnTheMap) {
  cEdWorldEvent event;
  cEdWorldStage entry;
  entry.strFile = "data\\stg4\\w01-1.stg4";
  event.Stages.push_back(entry);
  entry.strFile = "data\\stg4\\w02.stg4";
  event.Stages.push_back(entry);
  entry.nPassage = 1;  // not a stage entry
  entry.strFile = "data\\stg4\\w03.stg4";
  event.Stages.push_back(entry);
  WorldMap.Events.push_back(event);
  EXPECT_EQ(WorldMap.HasStage("data\\stg4\\w01."), 1);
  EXPECT_EQ(WorldMap.HasStage("data\\stg4\\w02."), 1);
  EXPECT_EQ(WorldMap.HasStage("data\\stg4\\w03."), 0);
  save.AddStageResult("data\\stg4\\w01.", 100);
  save.AddStageResult("data\\stg4\\w02.", 20);
  save.AddStageResult("data\\stg4\\w03.", 7);
  save.AddStageResult("data\\stg4\\gone.", 1000);
  save.SumWorldMapResults();
  EXPECT_EQ(save.nTotal, 120);
}

TEST_F(SaveProgress, RetryCheckpointByPlayCategory) {
  SystemData.bStoryCheckpoint = 1;
  SystemData.bChallengeCheckpoint = 0;
  SystemData.bFileCheckpoint = 0;
  SystemData.bTestCheckpoint = 1;
  struct Case {
    int category, startup, full;
    bool varsBack, livesBack;
  } cases[] = {
      {0, 0, 0, true, false},  {1, 0, 0, false, false}, {2, 0, 0, false, false}, {3, 0, 0, true, false},
      {2, 1, 0, true, false},  {1, 0, 1, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "category " << c.category << " start-up " << c.startup << " full " << c.full);
    gCategory = c.category;
    bStartupStage = c.startup;
    save.CommonVars[3] = 30;
    save.nLives = 4;
    save.nScore = 500;
    save.SaveCheckpoint();
    save.CommonVars[3] = 31;
    save.nLives = 2;
    save.nScore = 900;
    save.RestoreCheckpoint(c.full);
    EXPECT_EQ(save.nScore, 500);  // always
    EXPECT_EQ(save.CommonVars[3], c.varsBack ? 30 : 31);
    EXPECT_EQ(save.nLives, c.livesBack ? 4 : 2);
  }
}

TEST_F(SaveProgress, CarriedStatusGoesOnlyWhereItsSwitchIsOn) {
  SystemData.CarryFlags.assign(25, 0);
  for (int k : {0, 4, 11, 13, 21, 22, 23, 24}) SystemData.CarryFlags[static_cast<size_t>(k)] = 1;
  cEdChara def;
  def.nGraphic = 0;  // stored as 0, put back as 1
  def.nGraphicSub = 7;
  def.mhp = 80;
  def.power = 9;  // its switch is off
  def.Flows.resize(3);
  save.StoreCarriedStatus(0, def, 55, 66, 12, 3, 4, 120, 6, 9);
  EXPECT_EQ(save.bCarry, 1);
  for (int k = 0; k < 25; ++k) EXPECT_EQ(save.CarryFlags[static_cast<size_t>(k)], SystemData.CarryFlags[static_cast<size_t>(k)]) << k;

  cEdChara next;
  cEdStage stage;
  next.power = 1;
  save.nLives = 0;
  save.ApplyCarriedStatus(0, next, stage);
  EXPECT_EQ(next.nGraphic, 1);
  EXPECT_EQ(next.nGraphicSub, 7);
  EXPECT_EQ(next.nStartEffect, 12);
  EXPECT_EQ(next.nStartEffectParam1, 3);
  EXPECT_EQ(next.mhp, 80);
  EXPECT_EQ(next.power, 1);
  EXPECT_EQ(next.Flows.Count(), 3);
  EXPECT_EQ(stage.nTimeLimit, 120);
  EXPECT_EQ(stage.nMusic, 9);
  EXPECT_EQ(save.nLives, 6);
  int hp = -1, sp = -1;
  save.GetCarriedHpSp(0, hp, sp);
  EXPECT_EQ(hp, 55);
  EXPECT_EQ(sp, -1);  // item 12 is not carried
  // Another player index, or no carry at all: nothing.
  save.GetCarriedHpSp(5, hp, sp);
  save.bCarry = 0;
  hp = -1;
  save.GetCarriedHpSp(0, hp, sp);
  EXPECT_EQ(hp, -1);

  // A lost life drops the items of the carry-reset list.
  SystemData.MissDropFlags.assign(25, 0);
  SystemData.MissDropFlags[11] = 1;
  SystemData.MissDropFlags[23] = 1;
  save.ClearCarryFlags();
  EXPECT_EQ(save.CarryFlags[11], 0);
  EXPECT_EQ(save.CarryFlags[23], 0);
  EXPECT_EQ(save.CarryFlags[13], 1);
}

TEST_F(SaveProgress, NewRoundAndCounters) {
  WorldMap.nStartX = 3;
  WorldMap.nStartY = 4;
  save.Flags[0] = 1;
  save.Flags[12] = 1;
  save.nMapX = 9;
  save.StartNewRound();
  EXPECT_EQ(save.nRound, 1);
  EXPECT_EQ(save.Flags, cVector<int32_t>(1000, 0));
  EXPECT_EQ(save.nMapX, 3);
  EXPECT_EQ(save.nMapY, 4);
  save.nScore = save.nResultTime = save.nResultPlayTime = save.nResultHp = save.nResultSp = 5;
  save.nStageScore = 5;
  save.ClearStageCounters();
  EXPECT_EQ(save.nScore + save.nResultTime + save.nResultPlayTime + save.nResultHp + save.nResultSp, 0);
  EXPECT_EQ(save.nStageScore, 5);
}

TEST_F(SaveProgress, RankGenreMovesAmongEnabledGenres) {
  cVector<uint8_t>& genres = SystemData.RankSettings[1].Genres;
  genres.assign(5, 0);
  save.nRankGenre = 2;
  save.SelectRankGenre(1, 1);  // none enabled: unchanged
  EXPECT_EQ(save.nRankGenre, 2);
  genres[0] = genres[3] = 1;
  struct Case {
    int from, steps, to;
  } cases[] = {{2, 0, 3}, {3, 0, 3}, {3, 1, 0}, {0, 1, 3}, {0, -1, 3}, {3, -1, 0}, {1, 2, 0}, {0, 2000000001, 3},
               {0, -2147483647 - 1, 0}};
  for (const Case& c : cases) {
    save.nRankGenre = c.from;
    save.SelectRankGenre(1, c.steps);
    EXPECT_EQ(save.nRankGenre, c.to) << c.from << " by " << c.steps;
  }
  save.SelectRankGenre(9, 1);  // no such category
}

}  // namespace
