// The save data in every version where its layout changes, its validation against
// the world map and the settings, its reset, the stage name, and damaged files.
#include <gtest/gtest.h>

#include "data/project_globals.h"
#include "tests/data/stage_fixtures.h"
#include "tests/support/temp_dir.h"

namespace {

using fix::Value;

class SaveDataFile : public ::testing::Test {
 protected:
  void SetUp() override {
    palfix::SetUpDatabase();
    WorldMap = cEdWorldMap();  // 20 x 15, start (9, 7)
    SystemData.nChallengeStages = 3;
  }
};

std::vector<double> Numbers(int n, int from) {
  std::vector<double> v(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) v[static_cast<size_t>(i)] = from + i;
  return v;
}

Value Pair(int a, int b) { return Value().F("first", a).F("second", b); }

Value Stored() {
  Value v;
  int k = 0;
  for (const fix::Field& f : fix::SaveDataLayout().fields) v.F(f.name, 200 + k++);
  return v.F("map x", 12).F("map y", 4)
      .S("stage name", "data\\stg4\\w01.").S("second name", "two").S("player name", "abc")
      .N("year", 2024).N("month", 5).N("day of week", 3).N("day", 22).N("hour", 13).N("minute", 14).N("second", 15)
      .N("milliseconds", 999)
      .Nums("carry flags", Numbers(25, 0))
      .Recs("carried characters", {Value().F("hp", 5).F("sp", 6).F("time", 7).F("lives", 8).F("music", 9)
                                       .Rec("character", stagefix::Player(3, 4))})
      .Recs("stage results", {Value().F("value", 50).S("name", "data\\stg4\\a."), Value().F("value", 7)})
      .Recs("challenge records", {Pair(1, 500), Pair(0, 0), Pair(1, 20)})
      .Nums("stage flags", Numbers(1000, 0))
      .Nums("common variables", Numbers(256, -100));
}

Value Expected(uint32_t v) {
  Value e = Stored();
  // The selected challenge stage is above the three challenge stages; the slot,
  // the map figure's facing and the ranking genre are outside their ranges.
  e.F("challenge stage", 3).F("slot", -1).F("map direction", 0).F("ranking genre", 0);
  if (v < 166) e.F("music loops", 1);
  if (v < 169) e.F("auto save", 0);
  if (v < 182) e.F("hp total", 0).F("sp total", 0);
  if (v < 190) e.F("back from miss", 0);
  if (v < 191) e.F("map previous x", 0).F("map previous y", 0);
  if (v < 194) e.F("map direction", 0);
  if (v < 501) e.Nums("carry flags", std::vector<double>(25, 1));
  // Fields no upgrade step names keep what the record held: a fresh record here.
  if (v < 678) e.F("start position", 0).F("start x", 0).F("start y", 0);
  if (v < 679) e.F("start facing", 0);
  if (v < 724) e.S("second name", "");
  Value& chara = e.lists["carried characters"].recs[0].lists["character"].recs[0];
  chara = stagefix::ExpectedChara(v, chara);
  return e;
}

TEST_F(SaveDataFile, EveryLayoutChangeReadsAndWritesTheCurrentFile) {
  for (uint32_t v : palfix::Versions({166, 169, 182, 190, 191, 194, 501, 678, 679, 724}))
    palfix::ExpectUpgrade<cSaveData>(fix::SaveDataLayout(), v, Stored(), Expected(v));
  EXPECT_EQ(fix::RecordFile(752, fix::SaveDataLayout(), Stored())[4], 32);
  cSaveData s;
  s.RegisterFields(752);
  EXPECT_EQ(s.Fields().Count(), 32);
  EXPECT_EQ(s.Strings().Count(), 3);
}

TEST_F(SaveDataFile, Version400GetsAllCarryFlagsAndItsTotals) {
  cSaveData s;
  ASSERT_TRUE(palfix::ReadBytes(s, fix::RecordFile(400, fix::SaveDataLayout(), Stored())));
  EXPECT_EQ(s.CarryFlags, cVector<int32_t>(25, 1));
  EXPECT_EQ(s.nResultHp, 214);  // genre 3 and 4 totals exist from 182 on
  EXPECT_EQ(s.bAutoSave, 225);
  cSaveData old;
  ASSERT_TRUE(palfix::ReadBytes(old, fix::RecordFile(165, fix::SaveDataLayout(), Stored())));
  EXPECT_EQ(old.nResultHp, 0);
  EXPECT_EQ(old.nResultSp, 0);
  EXPECT_EQ(old.bAutoSave, 0);
  EXPECT_EQ(old.bMusicLoop, 1);
}

TEST_F(SaveDataFile, ValidationFollowsTheWorldMapAndTheChallengeStages) {
  WorldMap.SetSize(9, 6);
  WorldMap.nStartX = 2;
  WorldMap.nStartY = 3;
  SystemData.nChallengeStages = 40;
  cSaveData s;
  s.nMapX = 12;
  s.nMapY = 5;
  s.ChallengeRecords.assign(10, cIntPair(1, 2));
  s.nChallengeOpen = 45;
  s.Flags.resize(10);
  s.CommonVars.clear();
  s.Validate();
  EXPECT_EQ(s.nMapX, 2);
  EXPECT_EQ(s.nMapY, 5);
  ASSERT_EQ(s.ChallengeRecords.Count(), 40);
  EXPECT_EQ(s.ChallengeRecords[9].nFirst, 1);
  EXPECT_EQ(s.ChallengeRecords[10].nFirst, 0);
  EXPECT_EQ(s.nChallengeOpen, 40);
  EXPECT_EQ(s.Flags.Count(), 1000);
  EXPECT_EQ(s.CommonVars.Count(), 256);
  s.nMapX = -1;
  s.nMapY = 6;
  SystemData.nChallengeStages = 2;
  s.Validate();
  EXPECT_EQ(s.nMapX, 2);
  EXPECT_EQ(s.nMapY, 3);
  EXPECT_EQ(s.ChallengeRecords.Count(), 2);
  EXPECT_EQ(s.nChallengeOpen, 2);
}

TEST_F(SaveDataFile, ResetGivesANewGameAndKeepsTheSaveTime) {
  cSaveData s;
  s.SaveTime.wYear = 2020;
  s.nLives = 4;
  s.StageResults.resize(2);
  s.Flags[3] = 1;
  s.Name = "zzz";
  s.Reset();
  EXPECT_EQ(s.SaveTime.wYear, 2020);
  EXPECT_EQ(s.nLives, 0);
  EXPECT_EQ(s.nChallengeOpen, 1);
  EXPECT_EQ(s.nSlot, -1);
  EXPECT_EQ(s.Name, "aaa");
  EXPECT_EQ(s.CarryFlags, cVector<int32_t>(25, 0));
  EXPECT_EQ(s.CarriedCharas.Count(), 1);
  EXPECT_TRUE(s.StageResults.empty());
  EXPECT_TRUE(s.ChallengeRecords.empty());
  ASSERT_EQ(s.Flags.Count(), 1000);
  EXPECT_EQ(s.Flags[0], 1);
  EXPECT_EQ(s.Flags[3], 0);
  EXPECT_EQ(s.CommonVars, cVector<int32_t>(256, 0));
}

TEST_F(SaveDataFile, TheStageNameEndsAtThePartSuffixOrAfterTheLastDot) {
  struct Case {
    const char* path;
    const char* name;
    int parted;
  } cases[] = {{"data\\stg4\\w01-1.stg4_752", "data\\stg4\\w01.", 1},
               {"data\\stg4\\w01-2.stg4", "data\\stg4\\w01-2.", 0},
               {"data\\stg4\\c05.stg4", "data\\stg4\\c05.", 0},
               {"data-1\\stg4\\x.stg4", "data.", 1},
               {"noext", "", 0},
               {"", "", 0}};
  cSaveData s;
  for (const Case& c : cases) {
    s.SetFileName(c.path);
    EXPECT_EQ(s.StageName, c.name) << c.path;
    EXPECT_EQ(s.bParted, c.parted) << c.path;
  }
}

TEST_F(SaveDataFile, DamagedSavesAreRefusedAndChangeNothing) {
  const auto good = fix::RecordFile(752, fix::SaveDataLayout(), Stored());
  cTempDir dir;
  for (size_t cut = 4; cut < good.size(); cut += 97) {
    SCOPED_TRACE(cut);
    dir.Write("user_data/story/Story01.dat", std::vector<unsigned char>(good.begin(), good.begin() + static_cast<long>(cut)));
    cSaveData s;
    s.nScore = 77;
    EXPECT_EQ(s.Load("user_data\\story\\Story01.dat"), 0);
    EXPECT_EQ(s.nScore, 77);
  }
  EXPECT_TRUE(dir.ReportContains("user_data\\story\\Story01.dat : offset"));
  dir.Write("user_data/story/Story01.dat", good);
  cSaveData s;
  EXPECT_EQ(s.Load("user_data\\story\\Story01.dat"), 1);
  EXPECT_EQ(s.Name, "abc");
}

}  // namespace
