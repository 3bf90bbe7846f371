#include "app/shell_globals.h"

plat::HWND hMainWnd = 0;
int bTestPlay = 0;

void RequestClose() {
  if (hMainWnd) plat::PostMessage(hMainWnd, plat::WM_CLOSE, 0, 0);
}
