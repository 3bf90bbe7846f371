// The replay requests on the window's side: the proposed names, the save dialog
// answered by the test script, and a replay read back in a fresh process by the
// data tool.
#include <gtest/gtest.h>

#include "data/project_globals.h"
#include "modes/replay_requests.h"
#include "platform/files.h"
#include "platform/key_state.h"
#include "platform/test_controls.h"
#include "stage/replay_keys.h"
#include "tests/data/stage_fixtures.h"
#include "tests/support/run_game.h"
#include "tests/support/temp_dir.h"

namespace {

class ReplayRequests : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(plat::MakeDirectory("user_data") && plat::MakeDirectory("user_data\\rpl4")); }
  cTempDir dir;
};

TEST_F(ReplayRequests, TheFirstFreeNameIsProposed) {
  EXPECT_EQ(ProposeReplayName("data\\stg4\\w01."), "w01_00.rpl4_752");
  dir.Write("user_data/rpl4/w01_00.rpl4_752", "x");
  dir.Write("user_data/rpl4/w01_01.rpl4_752", "x");
  EXPECT_EQ(ProposeReplayName("data\\stg4\\w01."), "w01_02.rpl4_752");
  EXPECT_EQ(ProposeReplayName(""), "");
  // The digit 9 is never used: after _08 comes _10; with all 81 taken, _88.
  for (int a = 0; a <= 8; ++a)
    for (int b = 0; b <= 8; ++b)
      dir.Write("user_data/rpl4/c05_" + std::to_string(a) + std::to_string(b) + ".rpl4_752", "x");
  EXPECT_EQ(ProposeReplayName("data\\stg4\\c05."), "c05_88.rpl4_752");
  plat::RemoveFile("user_data\\rpl4\\c05_10.rpl4_752");
  EXPECT_EQ(ProposeReplayName("data\\stg4\\c05."), "c05_10.rpl4_752");
}

// 600 frames recorded, saved with F1 through the save dialog (answered "ok" to
// its proposal), then a second F1 proposing the next name; the file read in a
// fresh process by the data tool gives the same seed, words and save data.
TEST_F(ReplayRequests, F1SavesTheLogThroughTheDialogAndAFreshProcessReadsIt) {
  palfix::SetUpDatabase();
  setenv("KORVANE_ANSWERS", "ok,ok", 1);
  plat::ReloadTestControls();
  ASSERT_TRUE(palfix::ReadBytes(StageData, stagefix::StageFile(752, stagefix::SmallStage())));
  PlayStageData.CopySettings(StageData);
  SaveData.StageName = "data\\stg4\\w01.";
  SaveAtStart = cSaveData();
  SaveAtStart.nScore = 4321;
  SystemData.bRecordReplay = 1;
  LogCur.Clear();
  LogCur.nSeed = 2024;
  for (int f = 0; f < 600; ++f)
    LogCur.Record(static_cast<uint16_t>(f < 250 ? 2 : f < 400 ? 6 : 0), static_cast<uint16_t>((f / 30) % 2));
  // The window's side runs here, as the game window would run it for the sender.
  SetFileRequestSender([](plat::UINT, plat::WPARAM wParam) { return SaveReplayFromDialog(static_cast<int>(wParam)); });
  plat::SetKeyDown(plat::VK_F1, true);
  EXPECT_EQ(CheckReplaySaveKeys(), 1);
  EXPECT_EQ(CheckReplaySaveKeys(), 1);
  plat::ReleaseAllKeys();
  SetFileRequestSender(nullptr);
  EXPECT_TRUE(dir.Exists("user_data/rpl4/w01_00.rpl4_752"));
  EXPECT_TRUE(dir.Exists("user_data/rpl4/w01_01.rpl4_752"));

  const cProcessResult dump = RunProgram("korvane-data", {"dump", "user_data/rpl4/w01_00.rpl4_752"}, dir.Path());
  ASSERT_EQ(dump.exitCode, 0) << dump.output;
  std::string values0, runs0, values1, runs1;
  for (uint16_t v : LogCur.Values0) values0 += (values0.empty() ? "" : ", ") + std::to_string(v);
  for (int32_t v : LogCur.Runs0) runs0 += (runs0.empty() ? "" : ", ") + std::to_string(v);
  for (uint16_t v : LogCur.Values1) values1 += (values1.empty() ? "" : ", ") + std::to_string(v);
  for (int32_t v : LogCur.Runs1) runs1 += (runs1.empty() ? "" : ", ") + std::to_string(v);
  EXPECT_NE(dump.output.find("nSeed = 2024"), std::string::npos) << dump.output;
  EXPECT_NE(dump.output.find("Values0 = [" + values0 + "]"), std::string::npos);
  EXPECT_NE(dump.output.find("Runs0 = [" + runs0 + "]"), std::string::npos);
  EXPECT_NE(dump.output.find("Values1 = [" + values1 + "]"), std::string::npos);
  EXPECT_NE(dump.output.find("Runs1 = [" + runs1 + "]"), std::string::npos);
  EXPECT_NE(dump.output.find("nScore = 4321"), std::string::npos);
}

TEST_F(ReplayRequests, AFileThatCannotBeWrittenGivesAMessageAndPlayGoesOn) {
  palfix::SetUpDatabase();
  setenv("KORVANE_ANSWERS", "ok,ok", 1);
  plat::ReloadTestControls();
  ASSERT_TRUE(palfix::ReadBytes(StageData, stagefix::StageFile(752, stagefix::SmallStage())));
  SaveData.StageName = "data\\stg4\\w01.";
  LogCur.Record(1, 1);
  plat::InjectWriteFailures(1);
  EXPECT_EQ(SaveReplayFromDialog(0), 1);
  EXPECT_TRUE(plat::ListDirectory("user_data\\rpl4").empty());
  EXPECT_TRUE(dir.ReportContains("w01_00.rpl4_752"));
}

}  // namespace

namespace {

// The window's read request: a good replay replaces the stage, the settings, the
// log and the save data and keeps its path; a bad one (the open dialog answered
// with it) changes nothing and answers 0, so the title stays.
TEST_F(ReplayRequests, TheReadRequestTakesOnlyAGoodReplay) {
  palfix::SetUpDatabase();
  ASSERT_TRUE(palfix::ReadBytes(StageData, stagefix::StageFile(752, stagefix::SmallStage().F("width", 33))));
  PlayStageData.CopySettings(StageData);
  LogCur.Clear();
  LogCur.Record(8, 2);
  LogCur.nSeed = 5;
  SaveAtStart = cSaveData();
  SaveAtStart.nScore = 66;
  ASSERT_EQ(LogCur.SaveReplay("user_data\\rpl4\\good.rpl4_752", StageData, PlayStageData, SaveAtStart), 1);
  auto bad = dir.Read("user_data/rpl4/good.rpl4_752");
  bad.resize(bad.size() / 2);
  dir.Write("user_data/rpl4/bad.rpl4_752", bad);

  // The live game: another stage, log and save.
  ASSERT_TRUE(palfix::ReadBytes(StageData, stagefix::StageFile(752, stagefix::SmallStage().F("width", 44))));
  StageData.strFilePath = "data\\stg4\\live.stg4_752";
  PlayStageData.CopySettings(StageData);
  LogCur.Clear();
  SaveData = cSaveData();
  SaveData.nScore = 1;

  setenv("KORVANE_ANSWERS", "file:bad.rpl4_752,ok,file:good.rpl4_752,cancel", 1);
  plat::ReloadTestControls();
  EXPECT_EQ(LoadReplayFromDialog(), 0);
  EXPECT_EQ(StageData.nWidth, 44);
  EXPECT_EQ(PlayStageData.nWidth, 44);
  EXPECT_EQ(StageData.strFilePath, "data\\stg4\\live.stg4_752");
  EXPECT_FALSE(LogCur.HasFrames());
  EXPECT_EQ(SaveData.nScore, 1);
  EXPECT_TRUE(dir.ReportContains("bad.rpl4_752"));

  EXPECT_EQ(LoadReplayFromDialog(), 1);
  EXPECT_EQ(StageData.nWidth, 33);
  EXPECT_EQ(PlayStageData.nWidth, 33);
  EXPECT_NE(StageData.strFilePath.find("good.rpl4_752"), std::string::npos);
  EXPECT_EQ(LogCur.nSeed, 5);
  EXPECT_EQ(SaveData.nScore, 66);
  EXPECT_EQ(LoadReplayFromDialog(), 0);  // cancelled
  EXPECT_EQ(SaveData.nScore, 66);
}

}  // namespace
