// The project-data steps of the start-up, run by the real program in the demo
// project and in projects that lack or damage what it reads.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/sjis.h"
#include "tests/data/stage_fixtures.h"
#include "tests/support/run_game.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

std::string Box(const std::string& text) { return "MessageBox [" + std::string(SJ("エラー")) + "] " + text; }

std::vector<std::string> FailureLines(const cTempDir& dir) {
  std::vector<std::string> found;
  for (const std::string& line : dir.ReportLines())
    for (const std::string& mark : {std::string("MessageBox"), std::string("offset"), std::string(SJ("失敗"))})
      if (line.find(mark) != std::string::npos) found.push_back(line);
  return found;
}

TEST(ProjectDataStartUp, TheDemoProjectRunsEveryDataStep) {
  cTempDir dir(false);
  ASSERT_TRUE(MakeDemoProject(dir.Path()));
  // Options that cannot be read keep their defaults: no message, only the reason
  // in the report log, as for every file read.
  dir.Write("user_data/Option.dat", std::vector<unsigned char>{0xF0, 2, 0, 0, 9});
  cProcessResult r = RunGame(dir.Path(), {"KORVANE_FRAMES=5"});
  EXPECT_EQ(r.exitCode, 0) << r.output;
  EXPECT_EQ(FailureLines(dir),
            std::vector<std::string>{"user_data\\Option.dat : offset 4 : field count: 4 bytes expected, 1 remain"});
  for (const char* folder : {"user_data/story", "user_data/challenge", "user_data/free", "user_data/rpl4",
                             "data/plt4", "bmp/hbt", "wave", "bgm"})
    EXPECT_TRUE(fs::is_directory(dir.Path() + "/" + folder)) << folder;
}

TEST(ProjectDataStartUp, TheStartUpStageIsLoadedAndPlayed) {
  cTempDir dir(false);
  ASSERT_TRUE(MakeDemoProject(dir.Path()));
  cProcessResult r = RunGame(dir.Path(), {"KORVANE_FRAMES=5"}, {"data\\stg4\\w01-1.stg4"});
  EXPECT_EQ(r.exitCode, 0) << r.output;
  EXPECT_EQ(FailureLines(dir), std::vector<std::string>{});
  // The challenge stage by FreeStage, in its newest version.
  cTempDir free(false);
  ASSERT_TRUE(MakeDemoProject(free.Path(), "WindowMode=1\nFreeStage=data\\stg4\\c01-1.stg4_100\nExit\n"));
  r = RunGame(free.Path(), {"KORVANE_FRAMES=5"});
  EXPECT_EQ(r.exitCode, 0) << r.output;
  EXPECT_EQ(FailureLines(free), std::vector<std::string>{});
}

TEST(ProjectDataStartUp, DamagedProjectFilesEndTheStartUpWithTheirMessages) {
  struct Case {
    const char* what;
    const char* file;  // replaced, or removed when bytes is empty
    std::vector<unsigned char> bytes;
    std::vector<std::string> args;
    std::string message;
  };
  using namespace stagefix;
  std::vector<unsigned char> cutMap = fix::RecordFile(752, fix::WorldMapLayout(), fix::Value().F("width", 20));
  // The trailer in its place, but more fields than the version defines.
  std::vector<unsigned char> tooManyFields = StageFile(752, SmallStage());
  tooManyFields[4] = 120;
  const Case cases[] = {
      {"no world map", "data/WorldMap.dat", {}, {}, Box(SJ("data\\WorldMap.dat のロードに失敗！"))},
      {"a damaged world map", "data/WorldMap.dat", cutMap, {}, Box(SJ("data\\WorldMap.dat のロードに失敗！"))},
      {"a start-up stage without its trailer", "data/stg4/w01-1.stg4_752",
       StageFile(752, SmallStage().N("trailer", 0)), {"data\\stg4\\w01-1.stg4"},
       Box(SJ("ステージファイル data\\stg4\\w01-1.stg4_752 が破損しています！"))},
      {"a start-up stage without the player", "data/stg4/w01-1.stg4_752",
       StageFile(752, SmallStage().Recs("placed characters", {Enemy(1, 1)})), {"data\\stg4\\w01-1.stg4"},
       Box(SJ("主人公が配置されていないのでプレイできません！"))},
      {"a damaged start-up stage", "data/stg4/w01-1.stg4_752", tooManyFields,
       {"data\\stg4\\w01-1.stg4"}, Box(SJ("ステージファイル data\\stg4\\w01-1.stg4_752 の読み込みに失敗しました！"))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cTempDir dir(false);
    ASSERT_TRUE(MakeDemoProject(dir.Path()));
    if (c.bytes.empty())
      std::remove((dir.Path() + "/" + c.file).c_str());
    else
      dir.Write(c.file, c.bytes);
    cProcessResult r = RunGame(dir.Path(), {"KORVANE_FRAMES=5"}, c.args);
    EXPECT_NE(r.exitCode, 0) << r.output;
    EXPECT_TRUE(dir.ReportContains(c.message)) << c.message;
  }
  // A start-up stage that does not exist is only logged: the game starts.
  cTempDir dir(false);
  ASSERT_TRUE(MakeDemoProject(dir.Path()));
  cProcessResult r = RunGame(dir.Path(), {"KORVANE_FRAMES=5"}, {"data\\stg4\\none.stg4"});
  EXPECT_EQ(r.exitCode, 0) << r.output;
  EXPECT_TRUE(dir.ReportContains(SJ("「data\\stg4\\none.stg4」の読み込みに失敗しました！")));
}

TEST(ProjectDataStartUp, EmptyFoldersAndTheDefaultDataBootstrap) {
  const std::string folderMessage = Box(SJ("「data」フォルダの作成に失敗…\n「default」フォルダに問題がある可能性があります。"));
  {
    SCOPED_TRACE("an empty folder");
    cTempDir dir(false);
    dir.Write("System.ini", std::string("WindowMode=1\nExit\n"));
    cProcessResult r = RunGame(dir.Path(), {"KORVANE_FRAMES=5"});
    EXPECT_NE(r.exitCode, 0);
    EXPECT_TRUE(dir.ReportContains(SJ("「data」フォルダの作成に失敗…")));
    EXPECT_FALSE(dir.ReportContains(SJ("デフォルトデータ作成の確認")));
    EXPECT_FALSE(dir.Exists("user_data/story"));
  }
  {
    SCOPED_TRACE("an empty data folder");
    cTempDir dir(false);
    dir.Write("data/.keep", std::string());
    cProcessResult r = RunGame(dir.Path(), {"KORVANE_FRAMES=5"});
    EXPECT_NE(r.exitCode, 0);
    EXPECT_TRUE(dir.ReportContains(Box(SJ("データベースの読み込みに失敗…"))));
    EXPECT_TRUE(dir.Exists("user_data/story"));  // the folders come first
  }
  for (const char* answer : {"yes", "no"}) {
    SCOPED_TRACE(std::string("default data, answered ") + answer);
    cTempDir dir(false);
    ASSERT_TRUE(MakeDemoProject(dir.Path()));
    fs::rename(dir.Path() + "/data", dir.Path() + "/default");
    cProcessResult r = RunGame(dir.Path(), {"KORVANE_FRAMES=5", std::string("KORVANE_ANSWERS=") + answer});
    EXPECT_TRUE(dir.ReportContains(std::string("MessageBox [") + SJ("デフォルトデータ作成の確認") + "] " +
                                   SJ("データが存在しません！デフォルトデータを作成しますか？")));
    if (std::string(answer) == "yes") {
      EXPECT_EQ(r.exitCode, 0) << r.output;
      EXPECT_TRUE(dir.Exists("data/WorldMap.dat"));
      EXPECT_TRUE(dir.Exists("data/stg4/w01-1.stg4_752"));
      EXPECT_FALSE(dir.ReportContains(SJ("「data」フォルダの作成に失敗…")));
    } else {
      EXPECT_NE(r.exitCode, 0);
      EXPECT_FALSE(dir.Exists("data"));
      EXPECT_TRUE(dir.ReportContains(SJ("「data」フォルダの作成に失敗…")));
    }
    EXPECT_TRUE(dir.Exists("default/WorldMap.dat"));
  }
}

}  // namespace
