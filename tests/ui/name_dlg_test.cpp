// The name-entry dialog: what its field is bound to, the three-character limit
// against typed, composed, pasted and unconvertible text, its commands, captions
// and place, and the game window's request around it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/main_window.h"
#include "app/svc/mode_manager.h"
#include "app/svc/system_ini.h"
#include "app/ui/name_dlg.h"
#include "app/ui/window.h"
#include "data/project_globals.h"
#include "platform/sjis.h"
#include "platform/test_controls.h"
#include "res/dialog_templates.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/ui_driver.h"

namespace {

using namespace plat;

std::string gStageName;
std::string* StageName(cScene*) { return &gStageName; }

struct NameEntry : ::testing::Test {
  cTempDir dir;
  cScene stage;
  void SetUp() override {
    EnsureQueue();
    SystemIni = SYSTEMINIDATA{};
    OptionData = cOptionData{};
    ModeManager.m_nPlayKind = 5;
    ModeManager.m_pStage = nullptr;
    SetRankingNameSource(&StageName);
    gStageName = "old";
  }
  void TearDown() override {
    SetModalTestDriver(nullptr);
    ModeManager.m_pStage = nullptr;
    SetRankingNameSource(nullptr);
  }
  // Runs the dialog with the driver; its result.
  template <class Driver>
  LRESULT Run(Driver driver) {
    SetModalTestDriver(driver);
    cNameDlg dlg(IDD_NAME_ENTRY, &MainWindow, 1, &WindowRegistry);
    const LRESULT r = dlg.DoModal(0);
    SetModalTestDriver(nullptr);
    return r;
  }
  static std::string Field(HWND d) { return WindowText(GetDlgItem(d, IDC_NAME_EDIT)); }
  static void Ok(HWND d) { SendMessage(d, WM_COMMAND, MakeWParam(IDC_NAME_OK, BN_CLICKED), 0); }
};

TEST_F(NameEntry, TheOptionSceneEditsTheRegistrationNameWhichIsSelectedAtTheStart) {
  EXPECT_EQ(Run([](HWND d) {
              EXPECT_EQ(Field(d), "aaa");
              EXPECT_EQ(uitest::FocusId(), IDC_NAME_EDIT);
              uitest::Type("XY");  // replaces the selected name
              EXPECT_EQ(Field(d), "XY");
              Ok(d);
            }),
            1);
  EXPECT_EQ(OptionData.strName, "XY");
  EXPECT_EQ(gStageName, "old");
  // An empty field confirmed is an empty name.
  Run([](HWND d) {
    uitest::Key(VK_BACK);
    Ok(d);
  });
  EXPECT_EQ(OptionData.strName, "");
}

TEST_F(NameEntry, AtMostThreeCharactersWhateverWayTheTextComes) {
  struct Case {
    const char* what;
    void (*input)();
    const char* field;  // UTF-8
  } cases[] = {
      {"four typed one by one", [] { for (const char* c : {"A", "B", "C", "D"}) uitest::Type(c); }, "ABC"},
      {"four at once", [] { uitest::Type("ABCD"); }, "ABC"},
      {"double-byte characters count once", [] { uitest::Type("あいうえ"); }, "あいう"},
      {"mixed widths", [] { uitest::Type("aｶあ1"); }, "aｶあ"},
      {"an emoji has no Shift-JIS form: nothing arrives", [] { uitest::Type("😀"); }, "aaa"},
      {"an emoji among letters", [] { uitest::Type("A😀B"); }, "AB"},
      {"an over-long composition, then its result",
       [] {
         uitest::Compose("やまだたろうさまですよ");
         uitest::Type("山田太郎様");
       },
       "山田太"},
      {"a piece into the middle keeps what fits",
       [] {
         uitest::Type("AB");
         uitest::Key(VK_LEFT);
         uitest::Type("xyz");
       },
       "AxB"},
      {"a character into a full field is refused",
       [] {
         uitest::Type("ABC");
         uitest::Key(VK_LEFT);
         uitest::Type("x");
       },
       "ABC"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    OptionData.strName = "aaa";
    Run([&](HWND d) {
      c.input();
      Ok(d);
    });
    EXPECT_EQ(OptionData.strName, Utf8ToSjis(c.field));
  }
}

TEST_F(NameEntry, TheStageSceneNameOrNothingAndClosingKeepsTheName) {
  ModeManager.m_nPlayKind = 0;
  ModeManager.m_pStage = &stage;
  Run([](HWND d) {
    EXPECT_EQ(Field(d), "old");
    uitest::Type("NEW");
    Ok(d);
  });
  EXPECT_EQ(gStageName, "NEW");
  EXPECT_EQ(OptionData.strName, "aaa");
  // Escape sends the command 2, which no control has: the dialog stays; closing
  // it keeps the name.
  EXPECT_EQ(Run([](HWND d) {
              uitest::Type("ZZ");
              SendMessage(d, WM_COMMAND, MakeWParam(IDCANCEL, BN_CLICKED), 0);
              EXPECT_TRUE(IsWindow(d));
              SendMessage(d, WM_CLOSE, 0, 0);
            }),
            0);
  EXPECT_EQ(gStageName, "NEW");
  // Without the stage scene nothing is bound: the field starts empty and OK
  // stores nowhere.
  ModeManager.m_pStage = nullptr;
  Run([](HWND d) {
    EXPECT_EQ(Field(d), "");
    uitest::Type("Q");
    Ok(d);
  });
  EXPECT_EQ(gStageName, "NEW");
  EXPECT_EQ(OptionData.strName, "aaa");
}

TEST_F(NameEntry, EnglishLabelAndThePlaceOnTheScreen) {
  Run([](HWND d) { EXPECT_EQ(WindowText(GetDlgItem(d, IDC_NAME_LABEL)), SJ("登録名(3文字まで)")); });
  SystemIni.English = 1;
  Run([](HWND d) {
    EXPECT_EQ(WindowText(GetDlgItem(d, IDC_NAME_LABEL)), "     Name");
    EXPECT_EQ(WindowText(GetDlgItem(d, IDC_NAME_OK)), "OK");
  });
  cWindow owner;
  owner.m_nX = 100;
  owner.m_nY = 50;
  SystemIni.WindowMode = 1;
  {
    cNameDlg dlg(IDD_NAME_ENTRY, &owner, 1, &WindowRegistry);
    EXPECT_EQ(dlg.m_nPresetX, 340);
    EXPECT_EQ(dlg.m_nPresetY, 270);
    POINT p;
    GetCursorPos(&p);
    EXPECT_EQ(p.x, 420);
    EXPECT_EQ(p.y, 335);
  }
  SystemIni.WindowMode = 0;
  cNameDlg full(IDD_NAME_ENTRY, &owner, 1, &WindowRegistry);
  EXPECT_EQ(full.m_nPresetX, 240);
  EXPECT_EQ(full.m_nPresetY, 220);
}

// Headless (as the tests run) the game window's request answers the dialog from
// the script and raises its done flag.
TEST_F(NameEntry, TheWindowRequestRunsTheScriptedDialogAndRaisesTheDoneFlag) {
  ASSERT_TRUE(IsHeadless());
  struct Case {
    const char* answers;
    const char* name;  // UTF-8
  } cases[] = {
      {"text:ＡＢＣＤ", "ＡＢＣ"}, {"text:😀", ""}, {"text:Bob", "Bob"}, {"", "aaa"}, {"cancel", "aaa"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answers);
    OptionData.strName = "aaa";
    setenv("KORVANE_ANSWERS", c.answers, 1);
    ReloadTestControls();
    MainWindow.m_bNameEntryDone.store(0);
    MainWindow.WndProc(0, WM_NAME_ENTRY, 0, 0);
    EXPECT_EQ(MainWindow.m_bNameEntryDone.load(), 1);
    EXPECT_EQ(OptionData.strName, Utf8ToSjis(c.name));
  }
  EXPECT_TRUE(dir.ReportContains(SJ("登録名(3文字まで)")));
}

}  // namespace
