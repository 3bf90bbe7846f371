#pragma once
#include "platform/messages.h"
#include "platform/ui/user.h"

// A key reposted to a framework dialog by the keyboard hook (wParam and lParam of
// the key message).
constexpr plat::UINT WM_HOOK_KEY = plat::WM_USER + 1000;

// The keyboard hook every framework dialog installs when it opens: while a dialog
// is the active window, the keys typed in it are posted to the dialog window
// itself, so that it sees them although the focus is on one of its controls. The
// Enter key is left to the input method while a composition is open. One hook for
// the window thread, installed by the first dialog and kept until shut-down; each
// dialog window carries its own "cHook" property.
class cHook {
 public:
  cHook() = default;
  virtual ~cHook() = default;

  // 1 when the thread's hook exists after the call.
  int Install(plat::HWND window, int modeless);
  static void Uninstall();
  static plat::LRESULT HookProc(int code, plat::WPARAM key, plat::LPARAM data);
  // Space, the arrows, Delete and F1 to F8 reach the dialog as WM_HOOK_KEY.
  static bool IsForwardedKey(int key);
  // 1 between a Control key-down and its key-up.
  static int ControlHeld();
  static bool Installed();

  plat::HWND m_hWnd = 0;
  int m_bModeless = 0;
};
