#include "app/win_main.h"

#include "app/base/message_box.h"
#include "app/base/path_util.h"
#include "app/base/report_log.h"
#include "app/base/shell_globals.h"
#include "app/base/thread.h"
#include "app/init_game.h"
#include "app/main_window.h"
#include "app/svc/mode_manager.h"
#include "app/system_report.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/single_instance.h"
#include "platform/sjis.h"
#include "platform/thread.h"
#include "platform/window.h"

namespace {

constexpr int kFailure = 1;

// A second copy: asks whether to end the running one. False when this copy must end
// (exitCode says how).
bool SettleSingleInstance(int& exitCode) {
  if (plat::AcquireInstanceLock() != plat::InstanceLock::kHeld) return true;
  int answer = MesBox(SJ("既に起動しています。\n実行中のプログラムを閉じて再起動しますか？\n\nRunning this program now. Restart?"),
                      SJ("二重起動"), MB_YESNO);
  if (answer != IDYES) {
    exitCode = 0;
    return false;
  }
  if (plat::EndRunningCopy(500) == plat::EndCopy::kCannotEnd) {
    MesBox(SJ("プログラムの終了に失敗しました。"), SJ("二重起動"), MB_OK);
    exitCode = kFailure;
    return false;
  }
  return true;
}

int RunMessageLoop() {
  plat::MSG msg;
  for (;;) {
    if (plat::PeekMessage(&msg, true)) {
      if (msg.message == plat::WM_QUIT) return static_cast<int>(msg.wParam);
      plat::DispatchMessage(msg);
    } else if (!bActive.load()) {
      plat::WaitMessage();
    }
    // The pause of each turn waits in real time and wakes for work: the game's
    // clock is the frame thread's alone.
    plat::WaitMessageTimeout(1);
  }
}

}  // namespace

int WinMain(const std::string& commandLine, int showCommand) {
  InitECLog(0, "EC_Game.txt");
  std::string logPath = "Report_Game.txt";
  ToFullPath(logPath);
  // Without its report log the program ends at once; standard error says why.
  if (!InitReportLog(logPath.c_str())) {
    const std::string why = plat::LastErrorText();
    ReportFailure(SJ("%s を作成できません！ (%s)"), logPath.c_str(), why.c_str());
    return kFailure;
  }
  ReportLog("App : ver %s", kProgramVersion);
  // A game nobody can see would wait for ever in its first message box.
  std::string videoProblem;
  if (!plat::StartVideo(videoProblem)) {
    ReportFailure("no display can be opened (%s): a desktop (DISPLAY or WAYLAND_DISPLAY) is needed, or "
                  "KORVANE_HEADLESS=1 to run without a window",
                  videoProblem.c_str());
    return kFailure;
  }
  ReportSystemInfo();
  bTestPlay = showCommand == plat::SW_SHOW ? 1 : 0;

  int exitCode = 0;
  if (!SettleSingleInstance(exitCode)) {
    plat::ReleaseInstanceLock();
    return exitCode;
  }

  // A 640x480 client area, which the DirectDraw window keeps (its size limits).
  MainWindow.SetClientSize(640, 480, 640, 480, 640, 480,
                           plat::WS_POPUP | plat::WS_CAPTION | plat::WS_SYSMENU | plat::WS_MINIMIZEBOX |
                               plat::WS_MAXIMIZEBOX,
                           0, 0, 0, 0, 0);
  plat::HWND window = plat::CreateGameWindow(&cMainWindow::Proc, 100, 100, 640, 480);
  if (!window) {
    ReportFailureBox("%s", SJ("ウインドウが生成出来ません！"));
    plat::ReleaseInstanceLock();
    return kFailure;
  }
  plat::CentreOnDesktop(window);
  if (bTestPlay) MainWindow.NotifyEditorStart();

  if (!InitGame(commandLine, showCommand)) {
    UnInitGame();
    if (bTestPlay) MainWindow.NotifyEditorEnd(0);
    plat::ReleaseInstanceLock();
    return kFailure;
  }

  bInitialised.store(1);
  if (!thGame.StartPrimed(&GameLoop, nullptr)) {
    UnInitGame();
    if (bTestPlay) MainWindow.NotifyEditorEnd(0);
    plat::ReleaseInstanceLock();
    return kFailure;
  }

  int quitCode = RunMessageLoop();
  // A thread left running may still be inside the scenes and devices: they are
  // left to the end of the process rather than released under it.
  if (plat::ThreadsLeftRunning() == 0) UnInitGame();
  plat::ReleaseInstanceLock();
  return quitCode != 0 ? quitCode : FailureExitCode();
}
