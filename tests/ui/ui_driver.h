#pragma once
// Drives the in-window dialogs in-process the way the window feeds them: input
// events through the dialog's queue, then the messages they post (the keyboard
// hook's reposts) dispatched as the modal loop would.
#include <string>

#include "platform/key_state.h"
#include "platform/messages.h"
#include "platform/ui/dialog_box.h"
#include "platform/ui/ui_event.h"

namespace uitest {

inline void DispatchPosted() {
  plat::MSG m;
  while (plat::PeekMessageIf(&m, [](const plat::MSG&) { return true; })) plat::DispatchMessage(m);
}

inline void Send(const plat::UiEvent& e) {
  plat::PostUiEvent(e);
  plat::ProcessUiEvents();
  DispatchPosted();
}

inline void Key(int vk, bool shift = false) {
  if (shift) plat::SetKeyDown(plat::VK_SHIFT, true);
  plat::UiEvent down;
  down.kind = plat::UiEvent::Kind::kKeyDown;
  down.vk = vk;
  Send(down);
  plat::UiEvent up = down;
  up.kind = plat::UiEvent::Kind::kKeyUp;
  Send(up);
  if (shift) plat::SetKeyDown(plat::VK_SHIFT, false);
}

inline void Type(const std::string& utf8) {
  plat::UiEvent e;
  e.kind = plat::UiEvent::Kind::kText;
  e.text = utf8;
  Send(e);
}

inline void Compose(const std::string& utf8) {
  plat::UiEvent e;
  e.kind = plat::UiEvent::Kind::kComposition;
  e.text = utf8;
  Send(e);
}

// The id of the control with the focus in the topmost dialog (0: none).
inline int FocusId() { return plat::GetDlgCtrlID(plat::GetFocus()); }

inline int Check(plat::HWND dialog, int id) {
  return static_cast<int>(plat::SendMessage(plat::GetDlgItem(dialog, id), plat::BM_GETCHECK, 0, 0));
}

// Runs DialogBoxParam with the driver installed for this call only.
template <class Driver>
plat::LRESULT RunModal(const plat::DialogTemplate& t, plat::WNDPROC proc, Driver driver, plat::LPARAM init = 0) {
  plat::EnsureQueue();
  plat::SetModalTestDriver(driver);
  const plat::LRESULT r = plat::DialogBoxParam(t, 0, proc, init);
  plat::SetModalTestDriver(nullptr);
  return r;
}

}  // namespace uitest
