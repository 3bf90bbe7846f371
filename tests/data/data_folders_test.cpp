// The data folders: the path tables, the start-up folders and the first start's
// copy of "default\" to "data\".
#include <gtest/gtest.h>
#include <stdlib.h>

#include "data/data_folders.h"
#include "data/startup_data.h"
#include "platform/files.h"
#include "platform/sjis.h"
#include "platform/test_controls.h"
#include "tests/support/temp_dir.h"

namespace {

void Answers(const char* answers) {
  setenv("KORVANE_HEADLESS", "1", 1);
  setenv("KORVANE_ANSWERS", answers, 1);
  plat::ReloadTestControls();
}

const std::string kQuestion = std::string("MessageBox [") + SJ("デフォルトデータ作成の確認") + "] " +
                              SJ("データが存在しません！デフォルトデータを作成しますか？");

// A default tree with files at three depths.
void MakeDefault(const cTempDir& dir) {
  dir.Write("default/System.dat", std::string("system"));
  dir.Write("default/WorldMap.dat", std::string("map"));
  dir.Write("default/database/Bgm.dat", std::string("bgm"));
  dir.Write("default/stg4/s.stg4_752", std::string("stage"));
  dir.Write("default/stg4/old_ver/s.stg4_100", std::string("old"));
}

std::string Text(const cTempDir& dir, const std::string& path) {
  auto b = dir.Read(path);
  return std::string(b.begin(), b.end());
}

bool NoCopyLeft(const cTempDir& dir) {
  for (const std::string& name : plat::ListDirectory("."))
    if (name.rfind("data.", 0) == 0) return false;
  (void)dir;
  return true;
}

TEST(DataFolders, TheTablesHoldTheGamesPaths) {
  EXPECT_STREQ(PathTable[kPathData], "data\\");
  EXPECT_STREQ(PathTable[kPathWorldMap], "data\\WorldMap.dat");
  EXPECT_STREQ(PathTable[kPathSystem], "data\\System.dat");
  EXPECT_STREQ(PathTable[kPathChallengePrefix], "data\\stg4\\c");
  EXPECT_STREQ(PathTable[kPathStoryRanking + 2], "user_data\\free\\");
  EXPECT_STREQ(PathTable[kPathOption], "user_data\\Option.dat");
  EXPECT_STREQ(PathTable[kPathWindow], "user_data\\Window.dat");
  EXPECT_STREQ(PathTable[kPathDatabaseFirst + 18], "data\\database\\Bgm.dat");
  EXPECT_STREQ(ExtTable[kExtStage], "stg4");
  EXPECT_STREQ(ExtTable[kExtRanking], "rkg");
  int folders = 0;
  while (*StartupFolders[folders]) ++folders;
  EXPECT_EQ(folders, 22);
}

TEST(DataFolders, StartUpMakesItsFoldersAndLeavesExistingOnesAlone) {
  cTempDir dir;
  dir.Write("bmp/keep.bmp", std::string("x"));
  CreateStartupFolders();
  for (const char* const* f = StartupFolders; **f; ++f) EXPECT_TRUE(plat::DirectoryExists(*f)) << *f;
  EXPECT_EQ(Text(dir, "bmp/keep.bmp"), "x");
}

TEST(DefaultDataCopy, NothingIsAskedWhenDataExistsOrNoDefaultDoes) {
  Answers("no");
  {
    cTempDir dir;
    MakeDefault(dir);
    dir.Write("data/System.dat", std::string("mine"));
    EXPECT_EQ(CopyDefaultData(), 1);
    EXPECT_EQ(Text(dir, "data/System.dat"), "mine");
    EXPECT_FALSE(dir.Exists("data/WorldMap.dat"));
    EXPECT_FALSE(dir.ReportContains("MessageBox"));
  }
  {
    cTempDir dir;
    EXPECT_EQ(CopyDefaultData(), 0);
    EXPECT_FALSE(dir.ReportContains("MessageBox"));
    // Start-up ends with the folder message.
    EXPECT_FALSE(CopyDefaultDataStep());
    EXPECT_TRUE(dir.ReportContains(SJ("「data」フォルダの作成に失敗…")));
  }
}

TEST(DefaultDataCopy, YesCopiesTheWholeTree) {
  Answers("yes");
  cTempDir dir;
  MakeDefault(dir);
  EXPECT_EQ(CopyDefaultData(), 1);
  EXPECT_TRUE(dir.ReportContains(kQuestion));
  EXPECT_EQ(dir.ReportLines().size(), 2u);  // the question and its line break: nothing else asked
  for (const char* f : {"System.dat", "WorldMap.dat", "database/Bgm.dat", "stg4/s.stg4_752", "stg4/old_ver/s.stg4_100"})
    EXPECT_EQ(Text(dir, std::string("data/") + f), Text(dir, std::string("default/") + f)) << f;
  EXPECT_TRUE(NoCopyLeft(dir));
  EXPECT_TRUE(dir.Exists("default/stg4/old_ver/s.stg4_100"));
}

TEST(DefaultDataCopy, NoEndsWithoutACopy) {
  Answers("no");
  cTempDir dir;
  MakeDefault(dir);
  EXPECT_EQ(CopyDefaultData(), 0);
  EXPECT_FALSE(dir.Exists("data"));
  EXPECT_TRUE(NoCopyLeft(dir));
}

TEST(DefaultDataCopy, AFailureInTheMiddleLeavesNoDataFolderAndRemovesNothing) {
  Answers("yes,yes");
  cTempDir dir;
  MakeDefault(dir);
  plat::InjectCopyFailureAfter(3);
  EXPECT_EQ(CopyDefaultData(), 0);
  plat::InjectCopyFailureAfter(-1);
  EXPECT_FALSE(dir.Exists("data"));
  EXPECT_TRUE(NoCopyLeft(dir));
  EXPECT_EQ(Text(dir, "default/stg4/s.stg4_752"), "stage");
  // Something named "data" that is no folder is neither replaced nor removed.
  dir.Write("data", std::string("a file"));
  EXPECT_EQ(CopyDefaultData(), 0);
  EXPECT_EQ(Text(dir, "data"), "a file");
  EXPECT_TRUE(NoCopyLeft(dir));
}

}  // namespace
