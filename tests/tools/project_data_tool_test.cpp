// korvane-data on "data\System.dat" and the database files.
#include <gtest/gtest.h>

#include "tests/data/system_expectations.h"
#include "tests/support/database_layout.h"
#include "tests/support/run_game.h"
#include "tests/support/temp_dir.h"

namespace {

using fix::Sj;
using fix::Value;

void WriteMusicList(const cTempDir& dir, int entries) {
  dir.Write("data/database/Bgm.dat", fix::ListFile(752, fix::FileEntryLayout(), std::vector<Value>(entries)));
}

TEST(ProjectDataTool, DumpsTheSettingsWithTextsForTheTerminal) {
  cTempDir dir;
  WriteMusicList(dir, 10);
  dir.Write("data/System.dat", fix::RecordFile(752, fix::SystemLayout(), sysfix::Stored(752)));
  cProcessResult r = RunProgram("korvane-data", {"dump", "data/System.dat"}, dir.Path());
  ASSERT_EQ(r.exitCode, 0) << r.output;
  for (const char* line : {"version = 752", "strTitle = \"ゲーム\"", "bCompat721 = 1044", "byTransG = 22",
                           "Texts: 28 entries", "[27] = \"T27\"", "SceneBgm = [2, 3, 4, 5]", "[9] cEdIniKey",
                           "strName = \"English\""})
    EXPECT_NE(r.output.find(line), std::string::npos) << line;
}

TEST(ProjectDataTool, UpgradesAnOldSettingsFileToTheCurrentLayout) {
  cTempDir dir;
  WriteMusicList(dir, 10);  // beside the file: its scene music numbers stay
  dir.Write("data/System.dat", fix::RecordFile(160, fix::SystemLayout(), sysfix::Stored(160)));
  cProcessResult r = RunProgram("korvane-data", {"upgrade", "data/System.dat", "new.dat", "--kind", "System.dat"},
                                dir.Path());
  ASSERT_EQ(r.exitCode, 0) << r.output;
  EXPECT_TRUE(dir.Read("new.dat") == fix::RecordFile(752, fix::SystemLayout(), sysfix::Expected(160)));
}

TEST(ProjectDataTool, DumpsAndUpgradesDatabaseFiles) {
  cTempDir dir;
  dir.Write("Picture.dat", fix::ListFile(150, fix::FileEntryLayout(),
                                         {Value().S("name", Sj("絵")).S("file", "bmp\\a.bmp"), Value()}));
  cProcessResult d = RunProgram("korvane-data", {"dump", "Picture.dat"}, dir.Path());
  ASSERT_EQ(d.exitCode, 0) << d.output;
  EXPECT_NE(d.output.find("version = 150"), std::string::npos);
  EXPECT_NE(d.output.find("entries: 2 entries"), std::string::npos);
  EXPECT_NE(d.output.find("strName = \"絵\""), std::string::npos);
  cProcessResult u = RunProgram("korvane-data", {"upgrade", "Picture.dat", "out.dat"}, dir.Path());
  ASSERT_EQ(u.exitCode, 0) << u.output;
  EXPECT_TRUE(dir.Read("out.dat") ==
              fix::ListFile(752, fix::FileEntryLayout(), {Value().S("name", Sj("絵")).S("file", "bmp\\a.bmp"), Value()}));

  dir.Write("AnimeSet.dat", fix::ListFile(118, fix::AnimeSetLayout(), {Value().S("name", "s")}));
  cProcessResult a = RunProgram("korvane-data", {"dump", "AnimeSet.dat"}, dir.Path());
  ASSERT_EQ(a.exitCode, 0) << a.output;
  EXPECT_NE(a.output.find("Motions: 4 entries"), std::string::npos);
  EXPECT_NE(a.output.find("strName = \"飛行移動\""), std::string::npos);
}

TEST(ProjectDataTool, DamagedFilesGiveTheGamesMessage) {
  cTempDir dir;
  dir.Write("Effect.dat", std::vector<unsigned char>{0xF0, 0x02, 0, 0, 0xFF, 0xFF, 0xFF, 0x0F});
  cProcessResult r = RunProgram("korvane-data", {"dump", "Effect.dat"}, dir.Path());
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.output.find("Effect.dat のロードに失敗！"), std::string::npos) << r.output;
  EXPECT_NE(r.output.find("offset 4"), std::string::npos);
  dir.Write("System.dat", std::vector<unsigned char>{0xF0, 0x02, 0, 0, 60, 0, 0, 0});
  r = RunProgram("korvane-data", {"dump", "System.dat"}, dir.Path());
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.output.find("System.dat の読み込みに失敗…"), std::string::npos) << r.output;
}

}  // namespace
