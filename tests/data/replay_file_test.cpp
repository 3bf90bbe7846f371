// Replay files: written and read back whole, and every kind of bad file refused
// with a message naming it while the live stage, play settings, log and save data
// stay exactly as they were.
#include <gtest/gtest.h>

#include "data/project_globals.h"
#include "data/stage_loader.h"
#include "platform/files.h"
#include "tests/data/stage_fixtures.h"
#include "tests/support/dump_text.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace stagefix;

const char kPath[] = "user_data\\rpl4\\w01_00.rpl4_752";

class ReplayFile : public ::testing::Test {
 protected:
  void SetUp() override {
    palfix::SetUpDatabase();
    WorldMap = cEdWorldMap();
    SystemData.nChallengeStages = 3;
    ASSERT_TRUE(plat::MakeDirectory("user_data") && plat::MakeDirectory("user_data\\rpl4"));
    // The attempt being recorded: its stage, settings, log and save data.
    StageData = cEdStage();
    ASSERT_TRUE(palfix::ReadBytes(StageData, StageFile(752, SmallStage())));
    PlayStageData = cEdStage();
    PlayStageData.CopySettings(StageData);
    LogCur.Clear();
    for (int f = 0; f < 600; ++f)
      LogCur.Record(static_cast<uint16_t>(f < 300 ? 2 : (f / 9) % 2 ? 1 : 0), static_cast<uint16_t>(f % 40 < 4));
    LogCur.nSeed = 98765;
    SaveAtStart = cSaveData();
    SaveAtStart.nLives = 3;
    SaveAtStart.nScore = 1200;
    SaveAtStart.StageName = "data\\stg4\\w01.";
    SaveAtStart.CommonVars[5] = 42;
  }

  Bytes GoodFile() {
    EXPECT_EQ(LogCur.SaveReplay(kPath, StageData, PlayStageData, SaveAtStart), 1);
    return dir.Read("user_data/rpl4/w01_00.rpl4_752");
  }

  // The live records as a loaded replay would leave them before a bad one.
  void TakeLiveSnapshot() {
    SaveData = cSaveData();
    SaveData.nLives = 7;
    SaveData.CommonVars[1] = 11;
    SaveData.SaveCheckpoint();
    LogPrev = LogCur;
    live = {DumpText(StageData), DumpText(PlayStageData), DumpText(LogCur), DumpText(SaveData)};
    livePath = StageData.strFilePath = "data\\stg4\\live.stg4_752";
  }
  void ExpectLiveUnchanged() {
    EXPECT_EQ(live, (std::vector<std::string>{DumpText(StageData), DumpText(PlayStageData), DumpText(LogCur),
                                               DumpText(SaveData)}));
    EXPECT_EQ(StageData.strFilePath, livePath);
  }

  cTempDir dir;
  std::vector<std::string> live;
  std::string livePath;
};

TEST_F(ReplayFile, WrittenAndReadBackWhole) {
  const Bytes file = GoodFile();
  ASSERT_GE(file.size(), 4u);
  EXPECT_EQ(file[0] | file[1] << 8, 752);
  cEdStage stage, settings;
  cInputLog log;
  cSaveData save;
  log.nPos0 = 3;
  ASSERT_EQ(log.LoadReplay(kPath, stage, settings, save), 1);
  EXPECT_EQ(DumpText(stage), DumpText(StageData));
  EXPECT_EQ(log.Values0, LogCur.Values0);
  EXPECT_EQ(log.Runs0, LogCur.Runs0);
  EXPECT_EQ(log.Values1, LogCur.Values1);
  EXPECT_EQ(log.Runs1, LogCur.Runs1);
  EXPECT_EQ(log.nSeed, 98765);
  EXPECT_EQ(log.nPos0, 3);  // loading does not move the cursor
  EXPECT_EQ(DumpText(save), DumpText(SaveAtStart));
  // The settings part alone, its six definition lists empty.
  EXPECT_EQ(settings.nWidth, StageData.nWidth);
  EXPECT_EQ(settings.strName, StageData.strName);
  EXPECT_TRUE(settings.Charas.empty() && settings.Blocks.empty() && settings.Items.empty());
  EXPECT_TRUE(settings.PaletteCharas.empty() && settings.PaletteBlocks.empty() && settings.PaletteItems.empty());
  // Written again from what was read: the same bytes.
  ASSERT_EQ(log.SaveReplay("user_data\\rpl4\\again.rpl4_752", stage, settings, save), 1);
  EXPECT_EQ(dir.Read("user_data/rpl4/again.rpl4_752"), file);
}

TEST_F(ReplayFile, BadFilesChangeNothingAndNameTheFile) {
  const Bytes good = GoodFile();
  // Where the sections end: the stage, the log's base part and its four lists.
  const size_t stageEnd = palfix::Written(StageData).size();  // with the version word
  const size_t a = LogCur.Values0.size(), b = LogCur.Values1.size();
  const size_t logBase = stageEnd + 12, values0 = logBase + 4 + 2 * a, values1 = values0 + 4 + 2 * b,
               runs0 = values1 + 4 + 4 * a, runs1 = runs0 + 4 + 4 * b;
  ASSERT_LT(runs1, good.size());

  std::vector<std::pair<std::string, Bytes>> cases;
  for (size_t cut : {size_t{0}, size_t{2}, size_t{4}, stageEnd - 4, stageEnd, logBase, values0, values1, runs0,
                     runs1, runs1 + 8, good.size() - 1}) {
    cases.push_back({"cut at " + std::to_string(cut), Bytes(good.begin(), good.begin() + static_cast<long>(cut))});
  }
  uint32_t seed = 12345;
  for (int i = 0; i < 24; ++i) {
    seed = seed * 1103515245u + 12345u;
    const size_t cut = 4 + (seed >> 8) % (good.size() - 4);
    cases.push_back({"cut at " + std::to_string(cut), Bytes(good.begin(), good.begin() + static_cast<long>(cut))});
  }
  auto patched = [&](size_t at, uint32_t value) {
    Bytes bytes = good;
    for (int k = 0; k < 4; ++k) bytes[at + k] = static_cast<unsigned char>(value >> (8 * k));
    return bytes;
  };
  cases.push_back({"more runs than values", patched(values1, static_cast<uint32_t>(a + 1))});
  cases.push_back({"a run of 0", patched(values1 + 4, 0)});
  cases.push_back({"a run of -1", patched(runs0 + 4, 0xFFFFFFFFu)});
  cases.push_back({"a huge value count", patched(logBase, 0x7FFFFFFF)});
  cases.push_back({"version 999", patched(0, 999)});
  Bytes picture = {'B', 'M', 0x36, 0x10, 0, 0, 0, 0, 0, 0, 0x36, 0, 0, 0};
  picture.resize(4150, 0x7F);
  cases.push_back({"a picture renamed", picture});

  TakeLiveSnapshot();
  for (const auto& [what, bytes] : cases) {
    SCOPED_TRACE(what);
    dir.Write("user_data/rpl4/bad.rpl4_752", bytes);
    EXPECT_EQ(LogCur.LoadReplay("user_data\\rpl4\\bad.rpl4_752", StageData, PlayStageData, SaveData), 0);
    ExpectLiveUnchanged();
  }
  EXPECT_TRUE(dir.ReportContains("user_data\\rpl4\\bad.rpl4_752"));

  // A missing file, and a stage nobody can play.
  EXPECT_EQ(LogCur.LoadReplay("user_data\\rpl4\\none.rpl4_752", StageData, PlayStageData, SaveData), 0);
  EXPECT_TRUE(dir.ReportContains("user_data\\rpl4\\none.rpl4_752"));
  cEdStage noPlayer(StageData);
  noPlayer.Charas.clear();
  ASSERT_EQ(LogPrev.SaveReplay("user_data\\rpl4\\empty.rpl4_752", noPlayer, PlayStageData, SaveAtStart), 1);
  EXPECT_EQ(LogCur.LoadReplay("user_data\\rpl4\\empty.rpl4_752", StageData, PlayStageData, SaveData), 0);
  ExpectLiveUnchanged();
}

TEST_F(ReplayFile, AReplayBefore173LeavesTheSaveDataAlone) {
  cBytes file;
  file.Raw(StageFile(172, SmallStage().F("width", 44)));
  const Bytes logBytes = palfix::Written(LogCur);
  file.Raw(Bytes(logBytes.begin() + 4, logBytes.end()));  // without its version word
  dir.Write("user_data/rpl4/old.rpl4_172", file.v);
  TakeLiveSnapshot();
  const std::string saveBefore = DumpText(SaveData);
  cInputLog log;
  ASSERT_EQ(log.LoadReplay("user_data\\rpl4\\old.rpl4_172", StageData, PlayStageData, SaveData), 1);
  EXPECT_EQ(StageData.nWidth, 44);
  EXPECT_EQ(PlayStageData.nWidth, 44);
  EXPECT_EQ(log.Runs1, LogCur.Runs1);
  EXPECT_EQ(DumpText(SaveData), saveBefore);
}

TEST_F(ReplayFile, AFailedWriteLeavesNoFileAndReportsIt) {
  GoodFile();
  const Bytes before = dir.Read("user_data/rpl4/w01_00.rpl4_752");
  plat::InjectWriteFailures(1);
  EXPECT_EQ(LogCur.SaveReplay(kPath, StageData, PlayStageData, SaveAtStart), 0);
  EXPECT_EQ(dir.Read("user_data/rpl4/w01_00.rpl4_752"), before);
  // No folder: nothing created.
  EXPECT_EQ(LogCur.SaveReplay("user_data\\none\\x.rpl4_752", StageData, PlayStageData, SaveAtStart), 0);
  EXPECT_FALSE(dir.Exists("user_data/none"));
  EXPECT_EQ(plat::ListDirectory("user_data\\rpl4").size(), 1u);
}

}  // namespace
