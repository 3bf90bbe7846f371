#include "app/base/shell_globals.h"

std::atomic<plat::HWND> hMainWnd{0};
int bTestPlay = 0;
int bStartupStage = 0;
std::atomic<int> bInitialised{0};
std::atomic<int> bActive{1};

namespace {
std::atomic<int> gFailed{0};
}

void RequestClose() {
  gFailed.store(1);
  if (plat::HWND w = hMainWnd.load()) plat::PostMessage(w, plat::WM_CLOSE, 0, 0);
}

int FailureExitCode() { return gFailed.load() ? 1 : 0; }
