// korvane-data on stage files, the world map and the user's progress files.
#include <gtest/gtest.h>

#include "tests/data/stage_fixtures.h"
#include "tests/support/database_layout.h"
#include "tests/support/run_game.h"
#include "tests/support/temp_dir.h"

namespace {

using fix::Value;
using namespace stagefix;

bool Has(const cProcessResult& r, const std::string& text) { return r.output.find(text) != std::string::npos; }

// The project beside the files: ten music entries and a common palette of three
// characters (the stage links to its character 2).
void WriteProject(const cTempDir& dir) {
  dir.Write("data/database/Bgm.dat", fix::ListFile(752, fix::FileEntryLayout(), std::vector<Value>(10)));
  dir.Write("data/CommonPalette.cplt4",
            fix::RecordFile(752, fix::PaletteLayout(),
                            Value().Recs("characters", {DefaultChara(), DefaultChara(), DefaultChara().F("mhp", 55)})));
}

Value LinkedStage() {
  return SmallStage().F("music", 8).Recs("placed characters", {Enemy(8, 11).F("link kind", 1).F("link index", 2),
                                                               Player(2, 11)});
}

TEST(StageTool, DumpsAndUpgradesAStageFileAgainstItsProject) {
  cTempDir dir;
  WriteProject(dir);
  dir.Write("data/stg4/w01-1.stg4_150", StageFile(150, LinkedStage()));
  cProcessResult d = RunProgram("korvane-data", {"dump", "data/stg4/w01-1.stg4_150"}, dir.Path());
  ASSERT_EQ(d.exitCode, 0) << d.output;
  for (const char* line : {"kind = stage file", "version = 150", "cEdStage", "nWidth = 60", "nMusic = 8",
                           "bMusicLoop = 1", "RankGenres = [1, 1, 1, 0, 0]", "Charas: 2 entries", "nLinkKind = 1",
                           "Ranges[other shot]", "Layers: 1 entries"})
    EXPECT_TRUE(Has(d, line)) << line;
  cProcessResult u = RunProgram("korvane-data", {"upgrade", "data/stg4/w01-1.stg4_150", "data/stg4/w01-1.stg4_752"},
                                dir.Path());
  ASSERT_EQ(u.exitCode, 0) << u.output;
  cProcessResult again = RunProgram("korvane-data", {"dump", "data/stg4/w01-1.stg4_752"}, dir.Path());
  ASSERT_EQ(again.exitCode, 0) << again.output;
  EXPECT_TRUE(Has(again, "version = 752"));
  EXPECT_TRUE(Has(again, "nLinkIndex = 2"));
  EXPECT_TRUE(Has(again, "bStatusShown = 1"));
}

// Away from its project a stage's links to the common palette cannot be checked:
// the upgrade is refused rather than cutting them, unless --palette names the file.
// Names are bytes: a name that is no text keeps its kind and shows escaped.
TEST(StageTool, AnUpgradeAwayFromTheProjectKeepsThePaletteLinksOrRefuses) {
  cTempDir dir;
  WriteProject(dir);
  const std::string odd = "x\xff\xfe.stg4_150";
  dir.Write(odd, StageFile(150, LinkedStage()));
  cProcessResult refused = RunProgram("korvane-data", {"upgrade", odd, "out.stg4_752"}, dir.Path());
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_TRUE(Has(refused, "CommonPalette.cplt4 : the common palette cannot be read")) << refused.output;
  EXPECT_FALSE(dir.Exists("out.stg4_752"));

  cProcessResult u = RunProgram("korvane-data", {"upgrade", odd, "out.stg4_752", "--palette", "data/CommonPalette.cplt4"},
                                dir.Path());
  ASSERT_EQ(u.exitCode, 0) << u.output;
  cProcessResult d = RunProgram("korvane-data", {"dump", "out.stg4_752", "--palette", "data/CommonPalette.cplt4"},
                                dir.Path());
  EXPECT_TRUE(Has(d, "nLinkIndex = 2")) << d.output;

  dir.Write("bad\xfe.stg4_752", std::string("\x01"));
  cProcessResult bad = RunProgram("korvane-data", {"dump", "bad\xfe.stg4_752"}, dir.Path());
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_TRUE(Has(bad, "bad\\xFE.stg4_752")) << bad.output;
  EXPECT_FALSE(Has(bad, "unknown kind")) << bad.output;
}

TEST(StageTool, DamagedStagesGiveTheGamesMessages) {
  cTempDir dir;
  WriteProject(dir);
  dir.Write("data/stg4/bad.stg4_752", StageFile(752, SmallStage().N("trailer", 1)));
  cProcessResult r = RunProgram("korvane-data", {"dump", "data/stg4/bad.stg4_752"}, dir.Path());
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(Has(r, "ステージファイル data/stg4/bad.stg4_752 が破損しています！")) << r.output;
  Bytes cut = StageFile(752, SmallStage());
  cut.resize(200);
  cut[0] = 173;  // before the trailer was checked
  cut[1] = 0;
  dir.Write("data/stg4/cut.stg4_173", cut);
  r = RunProgram("korvane-data", {"upgrade", "data/stg4/cut.stg4_173", "out"}, dir.Path());
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(Has(r, "ステージファイル data/stg4/cut.stg4_173 の読み込みに失敗しました！")) << r.output;
  EXPECT_TRUE(Has(r, "offset"));
  EXPECT_FALSE(dir.Exists("out"));
}

TEST(StageTool, WorldMapSavesAndOptionsHaveTheirKinds) {
  cTempDir dir;
  WriteProject(dir);
  const Value map = Value().F("width", 3).F("height", 2).F("pitch", 4).F("pitch shift", 2).F("start column", 1)
                        .S("name", fix::Sj("ワールド")).Nums("cells", {1, 2, 3, 0, 4, 5, 6, 0})
                        .Recs("events", {Value().F("column", 2).Recs("entries", {Value().S("stage file", "data\\stg4\\w01-1.stg4")})});
  dir.Write("data/WorldMap.dat", fix::RecordFile(200, fix::WorldMapLayout(), map));
  cProcessResult m = RunProgram("korvane-data", {"dump", "data/WorldMap.dat"}, dir.Path());
  ASSERT_EQ(m.exitCode, 0) << m.output;
  for (const char* line : {"kind = WorldMap.dat", "strName = \"ワールド\"", "row 1 = [4 5 6]", "Events: 1 entries",
                           "strFile = \"data\\\\stg4\\\\w01-1.stg4\""})
    EXPECT_TRUE(Has(m, line)) << line;
  ASSERT_EQ(RunProgram("korvane-data", {"upgrade", "data/WorldMap.dat", "new.dat"}, dir.Path()).exitCode, 0);
  EXPECT_TRUE(dir.Read("new.dat") == fix::RecordFile(752, fix::WorldMapLayout(), map));

  // The save is checked against the project's world map (3 x 2: the column goes
  // back to the start) and settings (none here: the default 40 challenge stages).
  const Value save = Value().F("map x", 7).S("player name", "bob").Nums("stage flags", std::vector<double>(1000, 0))
                         .Nums("common variables", std::vector<double>(256, 0))
                         .Recs("challenge records", {Value().F("first", 1)});
  dir.Write("user_data/story/Story07.dat", fix::RecordFile(752, fix::SaveDataLayout(), save));
  cProcessResult s = RunProgram("korvane-data", {"dump", "user_data/story/Story07.dat"}, dir.Path());
  ASSERT_EQ(s.exitCode, 0) << s.output;
  for (const char* line : {"kind = StoryNN.dat", "nMapX = 1", "Name = \"bob\"", "ChallengeRecords: 40 entries",
                           "CarryFlags = [0, 0", "note: data\\System.dat not readable"})
    EXPECT_TRUE(Has(s, line)) << line;
  dir.Write("user_data/challenge/Challenge.dat", fix::RecordFile(400, fix::SaveDataLayout(), save));
  cProcessResult c = RunProgram("korvane-data", {"dump", "user_data/challenge/Challenge.dat"}, dir.Path());
  ASSERT_EQ(c.exitCode, 0) << c.output;
  EXPECT_TRUE(Has(c, "CarryFlags = [1, 1"));

  dir.Write("user_data/Option.dat", fix::RecordFile(752, fix::OptionLayout(), Value().F("volume", 3).S("name", "abc")));
  cProcessResult o = RunProgram("korvane-data", {"dump", "user_data/Option.dat"}, dir.Path());
  ASSERT_EQ(o.exitCode, 0) << o.output;
  EXPECT_TRUE(Has(o, "nVolume = 3"));
  EXPECT_TRUE(Has(o, "strName = \"abc\""));

  cProcessResult k = RunProgram("korvane-data", {"kinds"}, dir.Path());
  for (const char* kind : {"stage file", "WorldMap.dat", "StoryNN.dat", "Challenge.dat", "Option.dat"})
    EXPECT_TRUE(Has(k, kind)) << kind;
}

}  // namespace
