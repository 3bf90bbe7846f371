// "user_data\Boot.dat" and the start-up question of the drawing back end.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/startup_steps.h"
#include "app/svc/system_ini.h"
#include "app/ui/boot_data.h"
#include "app/ui/draw_mode_dlg.h"
#include "app/ui/hook.h"
#include "data/project_globals.h"
#include "platform/sjis.h"
#include "platform/test_controls.h"
#include "res/dialog_templates.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/ui_driver.h"

namespace {

using namespace plat;

cBytes BootFile(int32_t mode, int32_t noAsk) {
  cBytes b;
  b.U32(752).U32(2).I32(mode).I32(noAsk).U32(0);
  return b;
}

struct BootStart : ::testing::Test {
  cTempDir dir;
  int shown = 0;
  void SetUp() override {
    BootData = cBootData{};
    SystemIni = SYSTEMINIDATA{};
    SystemIni.Direct3D = 2;
    SystemData.strTitle = SJ("テスト");
    dir.Write("user_data/keep", "");
    EnsureQueue();
    setenv("KORVANE_ANSWERS", "", 1);
    ReloadTestControls();
  }
  void TearDown() override { SetModalTestDriver(nullptr); }
  // Every dialog opened is counted and handed to the driver.
  void Drive(std::function<void(HWND)> driver) {
    SetModalTestDriver([this, driver](HWND d) {
      ++shown;
      driver(d);
    });
  }
};

TEST_F(BootStart, RecordFileHoldsVersionFieldCountTheTwoIntsAndNoStrings) {
  BootData.m_nDrawMode = 0;
  BootData.m_bNoAsk = 1;
  ASSERT_TRUE(BootData.Save(kBootDataPath));
  EXPECT_EQ(dir.Read("user_data/Boot.dat"), BootFile(0, 1).v);
  cBootData back;
  ASSERT_TRUE(back.Load(kBootDataPath));
  EXPECT_EQ(back.m_nDrawMode, 0);
  EXPECT_EQ(back.m_bNoAsk, 1);
}

TEST_F(BootStart, DamagedFilesLeaveTheFreshValues) {
  std::vector<unsigned char> cut = BootFile(0, 1).v;
  cut.resize(cut.size() - 6);
  const std::vector<std::vector<unsigned char>> files = {
      {},
      {0xF0, 0x02, 0, 0, 2},
      cut,
      cBytes().U32(752).U32(0x7FFFFFFF).I32(0).I32(1).U32(0).v,
      cBytes().U32(752).U32(2).I32(0).I32(1).U32(0xFFFFFFFF).v,
  };
  for (size_t i = 0; i < files.size(); ++i) {
    SCOPED_TRACE(i);
    dir.Write("user_data/Boot.dat", files[i]);
    cBootData boot;
    EXPECT_FALSE(boot.Load(kBootDataPath));
    EXPECT_EQ(boot.m_nDrawMode, 1);
    EXPECT_EQ(boot.m_bNoAsk, 0);
  }
}

TEST_F(BootStart, BackEndChosenInTheIniFileTouchesNeitherFileNorDialog) {
  Drive([](HWND) {});
  for (int d3d : {0, 1}) {
    SystemIni.Direct3D = d3d;
    EXPECT_TRUE(ChooseDrawingMode());
    EXPECT_EQ(SystemIni.Direct3D, d3d);
  }
  EXPECT_EQ(shown, 0);
  EXPECT_FALSE(dir.Exists("user_data/Boot.dat"));
}

TEST_F(BootStart, NoAskUsesTheStoredModeWithoutTheDialog) {
  dir.Write("user_data/Boot.dat", BootFile(0, 1).v);
  Drive([](HWND) {});
  EXPECT_TRUE(ChooseDrawingMode());
  EXPECT_EQ(shown, 0);
  EXPECT_EQ(SystemIni.Direct3D, 0);
}

TEST_F(BootStart, DialogShowsDirect3DFirstAndDirectDrawThenStartWritesTheChoice) {
  Drive([](HWND d) {
    EXPECT_EQ(WindowText(d), SJ("テスト"));
    EXPECT_EQ(uitest::Check(d, IDC_DRAW_D3D), 1);
    EXPECT_EQ(uitest::Check(d, IDC_DRAW_DDRAW), 0);
    EXPECT_EQ(uitest::Check(d, IDC_DRAW_NO_ASK), 0);
    EXPECT_EQ(WindowText(GetDlgItem(d, IDC_DRAW_START)), SJ("ゲーム開始"));
    EXPECT_EQ(GetProp(d, "cHook") != nullptr, true);
    EXPECT_TRUE(cHook::Installed());
    // Tab to Start, Cancel, then the checked radio button; Down picks DirectDraw
    // (through the keyboard hook's repost), Enter starts.
    uitest::Key(0x09);
    uitest::Key(0x09);
    uitest::Key(0x09);
    EXPECT_EQ(uitest::FocusId(), IDC_DRAW_D3D);
    uitest::Key(VK_DOWN);
    EXPECT_EQ(uitest::Check(d, IDC_DRAW_DDRAW), 1);
    uitest::Key(VK_RETURN);
  });
  EXPECT_TRUE(ChooseDrawingMode());
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(SystemIni.Direct3D, 0);
  EXPECT_EQ(dir.Read("user_data/Boot.dat"), BootFile(0, 0).v);
  EXPECT_EQ(lpDrawModeDlg, nullptr);
}

TEST_F(BootStart, DoNotAskTickedIsHonouredAtTheNextStart) {
  Drive([](HWND d) {
    SendMessage(GetDlgItem(d, IDC_DRAW_NO_ASK), BM_CLICK, 0, 0);
    SendMessage(GetDlgItem(d, IDC_DRAW_START), BM_CLICK, 0, 0);
  });
  EXPECT_TRUE(ChooseDrawingMode());
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(SystemIni.Direct3D, 1);
  BootData = cBootData{};
  SystemIni.Direct3D = 2;
  EXPECT_TRUE(ChooseDrawingMode());
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(SystemIni.Direct3D, 1);
}

TEST_F(BootStart, CancelEscapeOrClosingEndsTheStartUpAndWritesNothing) {
  const std::vector<std::function<void(HWND)>> ways = {
      [](HWND d) { SendMessage(GetDlgItem(d, IDC_DRAW_CANCEL), BM_CLICK, 0, 0); },
      [](HWND d) { SendMessage(d, WM_CLOSE, 0, 0); },
      [](HWND) { uitest::Key(VK_ESCAPE); },
      [](HWND) {},  // left open: ended with 0
  };
  for (size_t i = 0; i < ways.size(); ++i) {
    SCOPED_TRACE(i);
    BootData = cBootData{};
    SystemIni.Direct3D = 2;
    Drive(ways[i]);
    EXPECT_FALSE(ChooseDrawingMode());
  }
  EXPECT_FALSE(dir.Exists("user_data/Boot.dat"));
}

TEST_F(BootStart, EnglishCaptionsReplaceTheJapaneseOnesButNotTheRadioButtons) {
  SystemIni.English = 1;
  Drive([](HWND d) {
    EXPECT_EQ(WindowText(GetDlgItem(d, IDC_DRAW_GROUP)), "Drawing mode");
    EXPECT_EQ(WindowText(GetDlgItem(d, IDC_DRAW_START)), "Start");
    EXPECT_EQ(WindowText(GetDlgItem(d, IDC_DRAW_CANCEL)), "Cancel");
    EXPECT_EQ(WindowText(GetDlgItem(d, IDC_DRAW_NOTE)), "Configure the detail settings at \"System.ini\".");
    EXPECT_EQ(WindowText(GetDlgItem(d, IDC_DRAW_NO_ASK)), "Do not ask this dialog again");
    EXPECT_EQ(WindowText(GetDlgItem(d, IDC_DRAW_D3D)), "Direct3D");
    EXPECT_EQ(WindowText(GetDlgItem(d, IDC_DRAW_DDRAW)), "DirectDraw");
  });
  EXPECT_FALSE(ChooseDrawingMode());
}

TEST_F(BootStart, PresetPositionAndCursorFollowTheGameWindow) {
  cWindow owner;
  owner.m_nX = 100;
  owner.m_nY = 100;
  cDrawModeDlg dlg(IDD_DRAW_MODE, &owner, 1, &WindowRegistry);
  EXPECT_EQ(dlg.m_nPresetX, 233);
  EXPECT_EQ(dlg.m_nPresetY, 204);
  POINT p;
  GetCursorPos(&p);
  EXPECT_EQ(p.x, 414);
  EXPECT_EQ(p.y, 402);
}

// Headless (as the tests run) the dialog is not shown: it is reported and answered
// from the script, its default button (Start) when no answer is left.
struct BootHeadless : BootStart {
  void Answers(const char* list) {
    setenv("KORVANE_ANSWERS", list, 1);
    ReloadTestControls();
  }
};

TEST_F(BootHeadless, ScriptedAnswersChooseOrCancelAndNoAnswerStartsWithTheDefault) {
  ASSERT_TRUE(IsHeadless());
  struct Case {
    const char* answers;
    bool started;
    int direct3D, noAsk;
  } cases[] = {
      {"", true, 1, 0},
      {"ddraw", true, 0, 0},
      {"noask,ddraw", true, 0, 1},
      {"cancel", false, 2, 0},
      {"yes", true, 1, 0},  // an answer the dialog does not know: the default button
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answers);
    BootData = cBootData{};
    SystemIni.Direct3D = 2;
    Answers(c.answers);
    EXPECT_EQ(ChooseDrawingMode(), c.started);
    EXPECT_EQ(SystemIni.Direct3D, c.direct3D);
    if (c.started) {
      EXPECT_EQ(dir.Read("user_data/Boot.dat"), BootFile(c.direct3D, c.noAsk).v);
    }
    std::remove("user_data/Boot.dat");
  }
  EXPECT_TRUE(dir.ReportContains("Dialog [" + std::string(SJ("テスト")) + "]"));
}

}  // namespace
