// Story slots and the challenge record on disk: round trips, the lives rules,
// damaged and out-of-range slots, and the kept copy of a damaged challenge record.
#include <gtest/gtest.h>

#include "data/data_folders.h"
#include "data/project_globals.h"
#include "modes/story_slots.h"
#include "platform/files.h"
#include "tests/data/stage_fixtures.h"
#include "tests/support/dump_text.h"
#include "tests/support/temp_dir.h"

namespace {

using fix::Value;

class SaveSlots : public ::testing::Test {
 protected:
  void SetUp() override {
    palfix::SetUpDatabase();
    WorldMap = cEdWorldMap();
    SystemData.nChallengeStages = 3;
    SystemData.StartLives.assign(4, 5);
    SystemData.InfiniteLives.assign(4, 0);
    ASSERT_TRUE(plat::MakeDirectory("user_data") && plat::MakeDirectory("user_data\\story") &&
                plat::MakeDirectory("user_data\\challenge"));
    SaveData = cSaveData();
    SlotInfos.assign(kStorySlots, cSaveSlotInfo());
  }
  cTempDir dir;
};

TEST_F(SaveSlots, PathsRunFromStory01ToStory99) {
  EXPECT_EQ(MakeSaveSlotPath(0), "user_data\\story\\Story01.dat");
  EXPECT_EQ(MakeSaveSlotPath(98), "user_data\\story\\Story99.dat");
}

TEST_F(SaveSlots, SaveAndLoadRoundTrip) {
  SaveData.nLives = 3;
  SaveData.nScore = 4500;
  SaveData.Flags[17] = 1;
  SaveData.AddStageResult("data\\stg4\\w01.", 300);
  ASSERT_EQ(SaveData.SaveSlot(4), 1);
  EXPECT_TRUE(dir.Exists("user_data/story/Story05.dat"));
  EXPECT_EQ(SlotInfos[4].bUsed, 1);
  EXPECT_NE(SlotInfos[4].SaveTime.wYear, 0);
  const std::string saved = DumpText(SaveData);

  SaveData = cSaveData();
  ASSERT_EQ(SaveData.LoadSlot(4), 1);
  EXPECT_EQ(DumpText(SaveData), saved);

  // The list sees the slot, with its time, and nothing else.
  cVector<cSaveSlotInfo> slots(kStorySlots);
  ScanSaveSlots(slots);
  EXPECT_EQ(slots[4].bUsed, 1);
  EXPECT_EQ(slots[4].SaveTime.wMinute, SlotInfos[4].SaveTime.wMinute);
  EXPECT_EQ(slots[3].bUsed, 0);
}

TEST_F(SaveSlots, LivesRuleOfTheStory) {
  SaveData.nLives = 999999;
  ASSERT_EQ(SaveData.SaveSlot(0), 1);
  ASSERT_EQ(SaveData.LoadSlot(0), 1);
  EXPECT_EQ(SaveData.nLives, 5);  // saved unlimited, the story now limited
  SystemData.InfiniteLives[cEdSystem::kStory] = 1;
  ASSERT_EQ(SaveData.LoadSlot(0), 1);
  EXPECT_EQ(SaveData.nLives, 999999);
  EXPECT_EQ(SaveData.nLivesAtStart, 999999);
}

// A current file (every value already inside its range) read and written again is
// the same file.
TEST_F(SaveSlots, ACurrentFileIsRewrittenByteForByte) {
  Value v;
  int k = 0;
  for (const fix::Field& f : fix::SaveDataLayout().fields) v.F(f.name, k++ % 3);
  v.F("slot", 2).F("map x", 4).F("map y", 5).F("challenge stage", 2);
  v.S("stage name", "data\\stg4\\w01.").S("second name", "x").S("player name", "abc");
  v.N("year", 2025).N("month", 2).N("day", 3).N("hour", 4).N("minute", 5);
  v.Nums("carry flags", std::vector<double>(25, 1));
  v.Recs("carried characters", {Value().F("hp", 5).F("sp", 6).F("time", 7).F("lives", 8).F("music", 9)
                                    .Rec("character", stagefix::Player(3, 4))});
  v.Recs("stage results", {Value().F("value", 50).S("name", "data\\stg4\\w01.")});
  v.Recs("challenge records", {Value().F("first", 1).F("second", 500), Value().F("first", 0).F("second", 0),
                               Value().F("first", 1).F("second", 20)});
  v.Nums("stage flags", std::vector<double>(1000, 1));
  v.Nums("common variables", std::vector<double>(256, 2));
  const auto bytes = fix::RecordFile(752, fix::SaveDataLayout(), v);
  dir.Write("user_data/story/Story03.dat", bytes);
  ASSERT_EQ(SaveData.LoadSlot(2), 1);
  ASSERT_EQ(SaveData.Save("user_data\\story\\Story04.dat"), 1);
  EXPECT_EQ(dir.Read("user_data/story/Story04.dat"), bytes);
}

TEST_F(SaveSlots, DamagedAndOutOfRangeSlotsLeaveTheGameAlone) {
  SaveData.nScore = 77;
  ASSERT_EQ(SaveData.SaveSlot(1), 1);
  const auto good = dir.Read("user_data/story/Story02.dat");
  SaveData.nScore = 12;
  const std::string live = DumpText(SaveData);
  for (size_t cut = 0; cut < good.size(); cut += (cut < 200 ? 1 : 97)) {
    dir.Write("user_data/story/Story02.dat", std::vector<unsigned char>(good.begin(), good.begin() + static_cast<long>(cut)));
    ASSERT_EQ(SaveData.LoadSlot(1), 0) << cut;
  }
  // A count far beyond the file: the stage-flag count of the last lists.
  auto huge = good;
  const size_t vars = good.size() - 4 - 256 * 4;
  for (int k = 0; k < 4; ++k) huge[vars + k] = 0xFF;
  dir.Write("user_data/story/Story02.dat", huge);
  EXPECT_EQ(SaveData.LoadSlot(1), 0);
  EXPECT_EQ(DumpText(SaveData), live);
  // The list shows the damaged slot as used.
  cVector<cSaveSlotInfo> slots(kStorySlots);
  ScanSaveSlots(slots);
  EXPECT_EQ(slots[1].bUsed, 1);
  for (int n : {-1, 99, 1000}) {
    EXPECT_EQ(SaveData.LoadSlot(n), 0);
    EXPECT_EQ(SaveData.SaveSlot(n), 0);
  }
  EXPECT_EQ(DumpText(SaveData), live);
}

TEST_F(SaveSlots, OutOfRangeValuesAreNormalisedAfterAGoodRead) {
  ASSERT_TRUE(SaveData.Save("user_data\\story\\Story07.dat"));
  // The field section starts after the version word and the field count.
  auto bytes = dir.Read("user_data/story/Story07.dat");
  auto put = [&](size_t pos, int32_t v) {
    for (int k = 0; k < 4; ++k) bytes[8 + pos + k] = static_cast<unsigned char>(static_cast<uint32_t>(v) >> (8 * k));
  };
  put(76, 9);    // map direction
  put(96, 150);  // slot
  put(108, -3);  // ranking genre
  dir.Write("user_data/story/Story07.dat", bytes);
  ASSERT_EQ(SaveData.LoadSlot(6), 1);
  EXPECT_EQ(SaveData.nSlot, -1);
  EXPECT_EQ(SaveData.nMapDir, 0);
  EXPECT_EQ(SaveData.nRankGenre, 0);
}

TEST_F(SaveSlots, TheChallengeRecord) {
  EXPECT_EQ(SaveData.LoadChallenge(), 0);  // none yet
  SaveData.nLives = 999999;
  SaveData.ChallengeRecords.assign(3, cIntPair());
  SaveData.ChallengeRecords[1] = cIntPair(1, 900);
  ASSERT_TRUE(SaveData.Save(PathTable[kPathChallengeRecord]));
  SaveData = cSaveData();
  ASSERT_EQ(SaveData.LoadChallenge(), 1);
  EXPECT_EQ(SaveData.ChallengeRecords[1].nSecond, 900);
  EXPECT_EQ(SaveData.nLives, 5);

  // Damaged: kept as a copy beside it, the game's record untouched.
  auto bytes = dir.Read("user_data/challenge/Challenge.dat");
  bytes.resize(bytes.size() / 2);
  dir.Write("user_data/challenge/Challenge.dat", bytes);
  const std::string live = DumpText(SaveData);
  EXPECT_EQ(SaveData.LoadChallenge(), 0);
  EXPECT_EQ(DumpText(SaveData), live);
  EXPECT_EQ(dir.Read("user_data/challenge/Challenge.dat.bak"), bytes);
}

TEST_F(SaveSlots, ANewStoryStartsOnTheMapsStartCell) {
  WorldMap.nStartX = 2;
  WorldMap.nStartY = 3;
  SaveData.nRound = 4;
  SaveData.nScore = 9;
  StartNewStory();
  EXPECT_EQ(SaveData.nMapX, 2);
  EXPECT_EQ(SaveData.nMapY, 3);
  EXPECT_EQ(SaveData.nRound, 0);
  EXPECT_EQ(SaveData.nScore, 0);
  EXPECT_EQ(SaveData.nLivesAtStart, 5);
  EXPECT_EQ(SaveData.nLives, 4);
  SystemData.InfiniteLives[cEdSystem::kStory] = 1;
  StartNewStory();
  EXPECT_EQ(SaveData.nLives, 999999);
}

}  // namespace
