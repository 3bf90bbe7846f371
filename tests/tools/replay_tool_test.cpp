// korvane-data on replay files: dumped as their stage, log and save data, upgraded
// whole from an old version, and refused with the game's message when damaged.
#include <gtest/gtest.h>

#include "data/user_records.h"
#include "tests/data/stage_fixtures.h"
#include "tests/support/palette_layout.h"
#include "tests/support/run_game.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace stagefix;

bool Has(const cProcessResult& r, const std::string& text) { return r.output.find(text) != std::string::npos; }

// A replay file of `version`: the stage, the log part and (from 173 on) a save.
Bytes ReplayFile(uint32_t version) {
  cBytes b;
  b.Raw(StageFile(version, SmallStage()));
  b.U32(1).I32(4242).U32(0);                                 // the log's seed
  b.U32(2).U16(2).U16(0).U32(1).U16(1);                      // values of both streams
  b.U32(2).I32(30).I32(10).U32(1).I32(40);                   // their runs
  if (version >= 173) {
    cSaveData save;
    save.nScore = 777;
    DataFilePtr f = cDataFile::ForWriting("save");
    save.Write(*f);
    b.Raw(Bytes(f->Bytes().begin() + 4, f->Bytes().end()));  // without its version word
  }
  return b.v;
}

TEST(ReplayTool, DumpsAndUpgradesAReplay) {
  cTempDir dir;
  // The project's common palette, which an upgrade keeps the links to.
  dir.Write("data/CommonPalette.cplt4", fix::RecordFile(752, fix::PaletteLayout(), fix::Value().Recs("characters", {DefaultChara(), DefaultChara()})));
  dir.Write("user_data/rpl4/w01_00.rpl4_752", ReplayFile(752));
  cProcessResult d = RunProgram("korvane-data", {"dump", "user_data/rpl4/w01_00.rpl4_752"}, dir.Path());
  ASSERT_EQ(d.exitCode, 0) << d.output;
  for (const char* line : {"kind = replay file", "version = 752", "cEdStage", "nWidth = 60", "cInputLog",
                           "nSeed = 4242", "Values0 = [2, 0]", "Runs0 = [30, 10]", "Values1 = [1]", "Runs1 = [40]",
                           "cSaveData", "nScore = 777"})
    EXPECT_TRUE(Has(d, line)) << line;

  dir.Write("user_data/rpl4/old.rpl4_172", ReplayFile(172));
  cProcessResult old = RunProgram("korvane-data", {"dump", "user_data/rpl4/old.rpl4_172"}, dir.Path());
  ASSERT_EQ(old.exitCode, 0) << old.output;
  EXPECT_TRUE(Has(old, "no save data before version 173"));
  cProcessResult u = RunProgram("korvane-data", {"upgrade", "user_data/rpl4/old.rpl4_172", "user_data/rpl4/new.rpl4_752"},
                                dir.Path());
  ASSERT_EQ(u.exitCode, 0) << u.output;
  cProcessResult again = RunProgram("korvane-data", {"dump", "user_data/rpl4/new.rpl4_752"}, dir.Path());
  ASSERT_EQ(again.exitCode, 0) << again.output;
  EXPECT_TRUE(Has(again, "version = 752"));
  EXPECT_TRUE(Has(again, "Runs0 = [30, 10]"));
  EXPECT_TRUE(Has(again, "cSaveData"));
}

TEST(ReplayTool, DamagedReplaysGiveTheGamesMessage) {
  cTempDir dir;
  Bytes cut = ReplayFile(752);
  cut.resize(cut.size() - 9);
  dir.Write("user_data/rpl4/cut.rpl4_752", cut);
  cProcessResult r = RunProgram("korvane-data", {"dump", "user_data/rpl4/cut.rpl4_752"}, dir.Path());
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(Has(r, "リプレイファイル user_data/rpl4/cut.rpl4_752 の読み込みに失敗しました！")) << r.output;
  cProcessResult u = RunProgram("korvane-data", {"upgrade", "user_data/rpl4/cut.rpl4_752", "user_data/rpl4/x.rpl4_752"},
                                dir.Path());
  EXPECT_EQ(u.exitCode, 1);
  EXPECT_FALSE(dir.Exists("user_data/rpl4/x.rpl4_752"));
}

}  // namespace
