#pragma once
#include <atomic>

#include "app/svc/window_requests.h"
#include "app/ui/window.h"
#include "platform/messages.h"
#include "platform/window.h"

// The game window (class Korvane, 640x480 client area) and its message handler,
// which does everything that needs the window or must not run on the game thread.
// A window of the framework (app/ui/window.h) whose message handler is its own.
class cMainWindow : public cWindow {
 public:
  // The procedure registered for the game window: every message goes to WndProc.
  static plat::LRESULT Proc(plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam);
  plat::LRESULT WndProc(plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam) override;
  // The creation hook (empty).
  void OnCreate(plat::WPARAM, plat::LPARAM) {}
  // The window's top-left as the platform has it now (the framework keeps it from
  // the window's moves; start-up moves the window before it handles a message).
  void KeepPosition();

  // Test-play notices to the editor.
  void NotifyEditorStart();
  void NotifyEditorEnd(int result);

  int m_bFirstMessage = 0;
  int m_bCreated = 0;
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
  void OnFileRequest(plat::UINT message, plat::WPARAM wParam);
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
