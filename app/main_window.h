#pragma once
#include <atomic>

#include "app/window_requests.h"
#include "platform/messages.h"
#include "platform/window.h"

// The game window (class Korvane, 640x480 client area) and its message handler,
// which does everything that needs the window or must not run on the game thread.
class cMainWindow {
 public:
  // The procedure registered for the game window.
  static plat::LRESULT WndProc(plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam);
  plat::LRESULT OnMessage(plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam);
  // The creation hook (empty).
  void OnCreate(plat::WPARAM, plat::LPARAM) {}

  // Test-play notices to the editor.
  void NotifyEditorStart();
  void NotifyEditorEnd(int result);

  plat::HWND m_hWnd = 0;
  int m_bFirstMessage = 0;
  int m_bCreated = 0;
  int m_nClientWidth = 0;   // as last measured on WM_SIZE
  int m_nClientHeight = 0;
  plat::RECT m_rcScreen;    // the client area on the screen, kept on WM_MOVE

  // Flags of the requests with a result: cleared by the requester before it sends,
  // set by the handler.
  std::atomic<int> m_bNameEntryDone{0};
  std::atomic<int> m_bFileRequestDone{0};
  std::atomic<int> m_bFileRequestResult{0};

 private:
  void OnClose(plat::HWND window);
  void SavePlacement(plat::HWND window);
  void SelectPalette();
  // The requests WM_USER+1..+6 and +100 (main_window_requests.cpp).
  plat::LRESULT OnRequest(plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam);
};

extern cMainWindow MainWindow;

// The requester's side: clears the done flag, sends the request to the game
// window and waits for the flag. False when the window closed first (the request
// was then not carried out and the caller must wind up).
bool SendRequest(plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam, std::atomic<int>* doneFlag);

// Around the modal name-entry dialog: thGame, thPause, thRanking and thLoad, in
// this order, each only when it runs.
void SuspendThreads();
void ResumeThreads();
