// The open and save file dialogs: the folder listed through the filter, moving
// between folders, and the path handed back in the game's form.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/ui/file_dialog.h"
#include "platform/files.h"
#include "platform/sjis.h"
#include "platform/ui/file_dialog.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/ui_driver.h"

namespace {

using namespace plat;

constexpr uint16_t kList = 1102, kName = 1103;
const char kFilter[] = "StageFile ( *.stg4_*;*.rpl4_* )\0*.stg4_*;*.rpl4_*\0\0";

std::vector<std::string> Rows(HWND d) {
  const HWND list = GetDlgItem(d, kList);
  std::vector<std::string> out;
  for (int i = 0; i < SendMessage(list, LB_GETCOUNT, 0, 0); ++i) {
    char buffer[300] = {};
    SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer));
    out.push_back(buffer);
  }
  return out;
}

int RowOf(HWND d, const std::string& row) {
  std::vector<std::string> rows = Rows(d);
  auto it = std::find(rows.begin(), rows.end(), row);
  return it == rows.end() ? -1 : static_cast<int>(it - rows.begin());
}

// Puts the list's current row on the row given, with the keys.
void KeyTo(HWND d, const std::string& row) {
  SetFocus(GetDlgItem(d, kList));
  uitest::Key(0x24);  // Home
  for (int i = RowOf(d, row); i > 0; --i) uitest::Key(VK_DOWN);
}

struct FileDialogs : ::testing::Test {
  cTempDir dir;
  char path[260] = {};
  cVector<std::string> list;
  void SetUp() override {
    EnsureQueue();
    dir.Write("a.stg4_1", "x");
    dir.Write("b.RPL4_2", "x");
    dir.Write("c.txt", "x");
    dir.Write("sub/d.stg4_3", "x");
    dir.Write(".hidden.stg4_1", "x");
    ASSERT_TRUE(WriteFileAtomic(std::string(SJ("ステージ")) + ".stg4_0", "x", 1));
  }
  void TearDown() override { SetModalTestDriver(nullptr); }
  int Open(std::function<void(HWND)> driver, const char* folder = "", int multi = 0) {
    SetModalTestDriver(driver);
    return OpenFileDialog(0, path, sizeof path, folder, "Open", kFilter, "stg4_0", multi, &list);
  }
};

TEST_F(FileDialogs, FolderIsListedThroughTheFilterWithShiftJisNames) {
  std::vector<std::string> rows;
  EXPECT_EQ(Open([&](HWND d) { rows = Rows(d); }), 0);
  std::vector<std::string> sorted = rows;
  std::sort(sorted.begin(), sorted.end());
  const std::vector<std::string> expected = {std::string(SJ("ステージ")) + ".stg4_0", "[..]", "[sub]", "a.stg4_1",
                                             "b.RPL4_2"};
  std::vector<std::string> want = expected;
  std::sort(want.begin(), want.end());
  EXPECT_EQ(sorted, want);
  // Up first, then the folders, then the files.
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[0], "[..]");
  EXPECT_EQ(rows[1], "[sub]");
  EXPECT_EQ(LastFileDialogRequest().folder, ".\\");
  EXPECT_EQ(LastFileDialogRequest().flags, 0xA100Cu);
}

TEST_F(FileDialogs, ChoosingByKeysReturnsThePathRelativeToTheCurrentFolder) {
  const std::string name = std::string(SJ("ステージ")) + ".stg4_0";
  EXPECT_EQ(Open([&](HWND d) {
              KeyTo(d, name);
              EXPECT_EQ(WindowText(GetDlgItem(d, kName)), name);
              uitest::Key(VK_RETURN);
            }),
            1);
  EXPECT_EQ(std::string(path), name);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0], name);
}

TEST_F(FileDialogs, FoldersAreEnteredAndLeftWithEnterEvenAfterAFileWasSelected) {
  EXPECT_EQ(Open([&](HWND d) {
              KeyTo(d, "a.stg4_1");  // the name field now holds a file
              KeyTo(d, "[sub]");
              uitest::Key(VK_RETURN);
              EXPECT_EQ(Rows(d), (std::vector<std::string>{"[..]", "d.stg4_3"}));
              EXPECT_EQ(WindowText(GetDlgItem(d, 1101)), "sub\\");
              KeyTo(d, "[..]");
              uitest::Key(VK_RETURN);
              EXPECT_NE(RowOf(d, "[sub]"), -1);
              KeyTo(d, "[sub]");
              uitest::Key(VK_RETURN);
              KeyTo(d, "d.stg4_3");
              uitest::Key(VK_RETURN);
            }),
            1);
  EXPECT_EQ(std::string(path), "sub\\d.stg4_3");
}

TEST_F(FileDialogs, MissingFilesAndFoldersAreHandled) {
  // A missing initial folder opens the current one; a missing file keeps the
  // dialog open (a box says so) and Escape cancels.
  int rows = 0;
  EXPECT_EQ(Open([&](HWND d) {
              rows = static_cast<int>(Rows(d).size());
              EXPECT_TRUE(ApplyScriptedAnswer(d, "file:nothere.stg4_1"));
              uitest::Key(VK_ESCAPE);
            },
                 "nothere"),
            0);
  EXPECT_EQ(rows, 5);
  EXPECT_EQ(path[0], 0);
  EXPECT_TRUE(list.empty());
  EXPECT_TRUE(dir.ReportContains("nothere.stg4_1"));
}

TEST_F(FileDialogs, InitialFolderAndMultipleSelection) {
  EXPECT_EQ(Open([&](HWND d) { EXPECT_TRUE(ApplyScriptedAnswer(d, "file:a.stg4_1|b.RPL4_2")); }, "", 1), 1);
  ASSERT_EQ(list.size(), 2u);
  for (const std::string& p : list) EXPECT_TRUE(FileExists(p)) << p;
  EXPECT_EQ(list[0].substr(list[0].size() - 9), "\\a.stg4_1");
  list.clear();
  EXPECT_EQ(Open([&](HWND d) { EXPECT_TRUE(ApplyScriptedAnswer(d, "file:d.stg4_3")); }, "sub"), 1);
  EXPECT_EQ(std::string(path), "sub\\d.stg4_3");
}

TEST_F(FileDialogs, SaveAddsTheExtensionAndAsksBeforeReplacing) {
  SetModalTestDriver([](HWND d) { EXPECT_TRUE(ApplyScriptedAnswer(d, "file:new")); });
  EXPECT_EQ(SaveFileDialog(0, path, "", "Save", kFilter, "rpl4_0", 0), 1);
  EXPECT_EQ(std::string(path), "new.rpl4_0");
  // Replacing: the box's default answer is No, so the dialog stays and is left.
  SetModalTestDriver([](HWND d) { EXPECT_TRUE(ApplyScriptedAnswer(d, "file:a.stg4_1")); });
  EXPECT_EQ(SaveFileDialog(0, path, "", "Save", kFilter, "rpl4_0", 0), 0);
  EXPECT_TRUE(dir.ReportContains("a.stg4_1"));
}

TEST(FileDialogPattern, MatchesLikeTheDesktopAndNeverInsideACharacter) {
  struct Case {
    const char* name;
    const char* pattern;
    bool match;
  } cases[] = {
      {"a.stg4_1", "*.stg4_*", true},   {"A.STG4_1", "*.stg4_*", true}, {"a.stg4", "*.stg4_*", false},
      {"ab", "a?", true},               {"a", "a?", false},            {"abc", "*", true},
      {"", "*", true},                  {"x.rpl4_", "*.rpl4_*", true},
  };
  for (const Case& c : cases) EXPECT_EQ(MatchesPattern(c.name, c.pattern), c.match) << c.name << " " << c.pattern;
  // Shift-JIS: ア (83 41) and ャ (83 61) differ only in the case of their second
  // byte; ? takes a whole character.
  EXPECT_FALSE(MatchesPattern(SJ("ャ.stg4_0"), std::string(SJ("ア")) + "*"));
  EXPECT_TRUE(MatchesPattern(SJ("ア.stg4_0"), std::string(SJ("ア")) + "*"));
  EXPECT_TRUE(MatchesPattern(SJ("ア"), "?"));
  EXPECT_FALSE(MatchesPattern(SJ("ア"), "??"));
}

}  // namespace
