#include "app/main_window.h"

#include "app/base/shell_globals.h"
#include "app/base/thread.h"
#include "app/sound/music_player.h"
#include "app/svc/system_ini.h"
#include "app/window_data.h"
#include "draw/dd_globals.h"
#include "platform/clock.h"
#include "platform/editor_notice.h"
#include "platform/key_state.h"
#include "stage/stage_scene.h"

plat::LRESULT cMainWindow::Proc(plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam) {
  return MainWindow.WndProc(window, message, wParam, lParam);
}

void cMainWindow::KeepPosition() {
  int x = 0, y = 0;
  if (plat::GetWindowPosition(m_hWnd, &x, &y)) m_nX = x, m_nY = y;
}

plat::LRESULT cMainWindow::WndProc(plat::HWND window, plat::UINT message, plat::WPARAM wParam,
                                   plat::LPARAM lParam) {
  m_hWnd = window;
  m_bFirstMessage = 1;
  UpdateMouse(0, 7);
  switch (message) {
    case plat::WM_CREATE:
      m_bCreated = 1;
      KeepPosition();
      OnCreate(wParam, lParam);
      return 0;
    case plat::WM_DESTROY:
      m_hWnd = 0;
      hMainWnd.store(0);
      if (bTestPlay) NotifyEditorEnd(1);
      plat::PostQuitMessage(0);
      return 0;
    case plat::WM_MOVE:
      plat::GetClientScreenRect(window, &m_rcScreen);
      KeepPosition();
      return 0;
    case plat::WM_SIZE:
      UpdateGeometry();
      if (m_hBand) plat::SendMessage(m_hBand, plat::WM_SIZE, wParam, lParam);
      return 0;
    case plat::WM_PAINT:
      // The window shows the last presented frame again on its own. The back buffer
      // is not blitted from here: the game thread may be drawing into it, and the
      // window would show half a frame.
      return 0;
    case plat::WM_CLOSE:
      OnClose(window);
      return 0;
    case plat::WM_ACTIVATEAPP:
      bActive.store(wParam != 0 ? 1 : 0);
      return 0;
    case plat::WM_GETMINMAXINFO:
      // Under Direct3D the window keeps the platform's own limits.
      if (!lpDTCon && lParam) GetMinMaxInfo(reinterpret_cast<plat::MINMAXINFO*>(lParam));
      return 0;
    case plat::WM_KEYDOWN:
      if (wParam == plat::VK_ESCAPE) plat::PostMessage(window, plat::WM_CLOSE, 0, 0);
      return 0;
    case plat::WM_PALETTECHANGED:
      if (wParam == window) return 0;
      SelectPalette();
      return 0;
    case plat::WM_QUERYNEWPALETTE:
      SelectPalette();
      return 0;
    case WM_NAME_ENTRY:
    case WM_LOAD_STAGE:
    case WM_LOAD_REPLAY:
    case WM_SAVE_REPLAY:
    case WM_PLAY_SE:
    case WM_PLAY_BGM:
    case WM_RESTORE_DEVICE:
      return OnRequest(message, wParam, lParam);
    default:
      return 0;
  }
}

void cMainWindow::SavePlacement(plat::HWND window) {
  int x = 0, y = 0;
  plat::GetWindowPosition(window, &x, &y);
  // A minimised window keeps the placement stored before.
  if (plat::IsIconic(window)) return;
  WindowData.Set(x, y, m_nClientWidth, m_nClientHeight, plat::IsZoomed(window) ? 1 : 0);
  WindowData.Save(kWindowDataPath);  // a placement that cannot be written is not worth a message
}

void cMainWindow::OnClose(plat::HWND window) {
  if (SystemIni.WindowMode != 0 && bInitialised.load()) SavePlacement(window);
  if (thPause.IsRunning()) {
    // The held stage ends the pause first and asks again.
    if (cStageScene* stage = StageScene()) stage->m_bQuit.store(1);
    plat::PostThreadMessage(thPause.ThreadId(), plat::WM_QUIT, 0, 0);
    return;
  }
  // From here the window goes: no thread may stay blocked in a send to it.
  plat::CloseSends(window);
  BgmPlayer.Stop();
  thLoad.Exit();
  thPause.Exit();
  thRanking.Exit();
  thGame.Exit();
  plat::DestroyGameWindow(window);
}

void cMainWindow::SelectPalette() {
  // Under DirectDraw the palette goes back onto the primary surface (the desktop
  // may have changed the shown colours). This platform never sends the two palette
  // messages; they are served as the window always served them.
  if (lpDTCon || !lpDDPalette || !PrimarySD.lpDDPart || !PrimarySD.lpDDPart->lpSurface) return;
  PrimarySD.lpDDPart->lpSurface->SetPalette(lpDDPalette);
}

void cMainWindow::NotifyEditorStart() { plat::SendEditorNotice(1, 1); }
void cMainWindow::NotifyEditorEnd(int result) { plat::SendEditorNotice(0, result); }

bool SendRequest(plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam, std::atomic<int>* doneFlag) {
  plat::HWND window = hMainWnd.load();
  if (doneFlag) doneFlag->store(0);
  plat::SendMessage(window, message, wParam, lParam);
  if (!doneFlag) return !plat::SendsClosed(window);
  while (!doneFlag->load()) {
    if (plat::SendsClosed(window)) return false;
    plat::Sleep(1);
  }
  return true;
}

void SuspendThreads() {
  for (cThread* t : {&thGame, &thPause, &thRanking, &thLoad})
    if (t->IsRunning()) t->Suspend();
}

void ResumeThreads() {
  for (cThread* t : {&thGame, &thPause, &thRanking, &thLoad})
    if (t->IsRunning()) t->Resume();
}
