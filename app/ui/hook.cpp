#include "app/ui/hook.h"

#include "app/base/message_box.h"
#include "platform/key_state.h"

namespace {

// The window thread's hook and the Control key's state (window thread only).
plat::HHOOK hKeyboardHook = 0;
int bControlHeld = 0;

constexpr int kVkDelete = 0x2E;
constexpr int kVkF8 = 0x77;

// Whether an input method composition is open in the window; when no input
// context can be had, as if none were open.
bool CompositionOpen(plat::HWND window, bool* noContext) {
  plat::HIMC context = plat::ImmGetContext(window);
  if (!context) {
    DebugBoxf("Err ImmGetContext");
    *noContext = true;
    return false;
  }
  const long length = plat::ImmGetCompositionString(context, plat::GCS_COMPSTR, nullptr, 0);
  plat::ImmReleaseContext(window, context);
  *noContext = false;
  return length > 0;
}

}  // namespace

int cHook::Install(plat::HWND window, int modeless) {
  m_hWnd = window;
  m_bModeless = modeless;
  plat::SetProp(window, "cHook", this);
  if (!hKeyboardHook)
    hKeyboardHook = plat::SetWindowsHookEx(plat::WH_KEYBOARD, &cHook::HookProc, plat::CurrentThreadId());
  return hKeyboardHook ? 1 : 0;
}

void cHook::Uninstall() {
  if (hKeyboardHook) plat::UnhookWindowsHookEx(hKeyboardHook);
  hKeyboardHook = 0;
}

bool cHook::IsForwardedKey(int key) {
  return key == plat::VK_SPACE || (key >= plat::VK_LEFT && key <= plat::VK_DOWN) || key == kVkDelete ||
         (key >= plat::VK_F1 && key <= kVkF8);
}

int cHook::ControlHeld() { return bControlHeld; }
bool cHook::Installed() { return hKeyboardHook != 0; }

plat::LRESULT cHook::HookProc(int code, plat::WPARAM key, plat::LPARAM data) {
  const plat::HHOOK self = hKeyboardHook;
  auto passOn = [&] { return plat::CallNextHookEx(self, code, key, data); };
  if (code < 0 || code == plat::HC_NOREMOVE) return passOn();
  const plat::HWND active = plat::GetActiveWindow();
  auto* hook = static_cast<cHook*>(plat::GetProp(active, "cHook"));
  if (!hook || hook->m_hWnd != active) return passOn();
  const int vk = static_cast<int>(key);
  // Posted unless a modeless dialog's Control key is held.
  auto post = [&](plat::UINT message) {
    if (!(hook->m_bModeless && bControlHeld)) plat::PostMessage(active, message, key, data);
  };
  if (static_cast<uint32_t>(data) & 0x80000000u) {
    if (vk == plat::VK_CONTROL) bControlHeld = 0;
    post(plat::WM_KEYUP);
    return passOn();
  }
  bool noContext = false;
  if (vk == plat::VK_RETURN) {
    // Enter confirms an open composition: it belongs to the input method.
    if (CompositionOpen(active, &noContext)) return passOn();
  } else if (vk == '\t') {
    return passOn();
  } else {
    const bool composing = CompositionOpen(active, &noContext);
    if (!composing && IsForwardedKey(vk)) {
      post(noContext ? plat::WM_KEYDOWN : WM_HOOK_KEY);
      return passOn();
    }
    if (vk == plat::VK_CONTROL) bControlHeld = 1;
  }
  post(plat::WM_KEYDOWN);
  return passOn();
}
