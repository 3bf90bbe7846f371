// A ranking registered as the stage-clear screen registers one: the name asked
// through the game window's name-entry request (answered from the script), the
// table updated and its file written, the file dumped by the data tool and read
// back with the name at the place the value reached.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/main_window.h"
#include "app/svc/mode_manager.h"
#include "app/ui/name_dlg.h"
#include "data/project_globals.h"
#include "data/ranking_file.h"
#include "platform/sjis.h"
#include "platform/test_controls.h"
#include "tests/support/temp_dir.h"
#include "tools/data_tool/data_tool.h"

namespace {

std::string gRankName;
std::string* RankName(cScene*) { return &gRankName; }

std::string Dump(const std::string& path) {
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  EXPECT_EQ(RunDataTool({"dump", path}, DataKinds(), out, err), 0);
  std::string s;
  std::rewind(out);
  for (int c; (c = std::fgetc(out)) != EOF;) s += static_cast<char>(c);
  std::fclose(out);
  std::fclose(err);
  return s;
}

// Each text after the one before it.
::testing::AssertionResult InOrder(const std::string& text, std::initializer_list<std::string> parts) {
  size_t at = 0;
  for (const std::string& p : parts) {
    at = text.find(p, at);
    if (at == std::string::npos) return ::testing::AssertionFailure() << "missing in order: " << p << "\n" << text;
    at += p.size();
  }
  return ::testing::AssertionSuccess();
}

TEST(RankingRegistration, AScriptedNameIsWrittenDumpedAndReadBackAtItsPlace) {
  ASSERT_TRUE(plat::IsHeadless());
  cTempDir dir;
  cScene stage;
  ModeManager.m_nPlayKind = 0;
  ModeManager.m_nPlayCategory = 0;
  ModeManager.m_pStage = &stage;
  SetRankingNameSource(&RankName);
  const std::string stageName = "data\\stg4\\w01.";
  // A story stage whose score ranking already holds three names.
  Rankings.Reset();
  Rankings.Tables[0].Insert("AAA", 900);
  Rankings.Tables[0].Insert("BBB", 500);
  Rankings.Tables[0].Insert("CCC", 100);
  ASSERT_TRUE(SaveRankingFile(Rankings, 0, stageName));
  Rankings.Reset();
  ASSERT_TRUE(LoadRankingFile(Rankings, 0, stageName));

  // This clear scored 500: it reaches place 2, below the earlier 500.
  const int place = Rankings.Tables[0].FindRank(500);
  ASSERT_EQ(place, 2);
  gRankName = SaveData.Name;
  setenv("KORVANE_ANSWERS", "text:ＺＯＥＹ", 1);
  plat::ReloadTestControls();
  MainWindow.WndProc(0, WM_NAME_ENTRY, 0, 0);
  ASSERT_EQ(MainWindow.m_bNameEntryDone.load(), 1);
  ASSERT_EQ(gRankName, SJ("ＺＯＥ"));  // three characters of four
  Rankings.Tables[0].Insert(gRankName, 500);
  ASSERT_TRUE(SaveRankingFile(Rankings, 0, stageName));

  const std::string dump = Dump("user_data/story/w01.rkg");
  EXPECT_TRUE(InOrder(dump, {"version = 752", "Tables: 5 entries", "[0] cRankingTable", "bHighFirst = 1",
                             "Entries: 20 entries", "[1] cRankingEntry", "nValue = 500", "\"BBB\"",
                             "[2] cRankingEntry", "bUsed = 1", "nValue = 500", "\"ＺＯＥ\"", "[3] cRankingEntry",
                             "nValue = 100", "\"CCC\"", "[2] cRankingTable", "bHighFirst = 0"}));

  cRankings back;
  ASSERT_TRUE(LoadRankingFile(back, 0, "w01."));
  EXPECT_EQ(back.Tables[0].Entries[2].strName, SJ("ＺＯＥ"));
  EXPECT_EQ(back.Tables[0].Entries[2].nValue, 500);
  EXPECT_EQ(back.Tables[0].Entries[3].strName, "CCC");
  EXPECT_EQ(back.Tables[0].Entries[4].bUsed, 0);
  ModeManager.m_pStage = nullptr;
  SetRankingNameSource(nullptr);
}

}  // namespace
