#include "app/ui/controls.h"

#include "app/ui/dialog.h"
#include "platform/ui/dialog_box.h"

void cControl::Enable(int flag) { plat::EnableWindow(m_hWnd, flag != 0); }

void cControl::Attach(cDlg* dialog, uint16_t id) {
  m_lpDlg = dialog;
  m_hDlg = dialog ? dialog->m_hWnd : 0;
  m_wId = id;
  m_hWnd = plat::GetDlgItem(m_hDlg, id);
  UpdatePosition();
}

void cControl::UpdatePosition() {
  plat::RECT r, d;
  if (!plat::GetWindowRect(m_hWnd, &r) || !plat::GetWindowRect(m_hDlg, &d)) return;
  m_nScreenX = r.left;
  m_nScreenY = r.top;
  const int frameLeft = m_lpDlg ? m_lpDlg->m_nFrameLeft : 0, frameTop = m_lpDlg ? m_lpDlg->m_nFrameTop : 0;
  m_nX = r.left - frameLeft - d.left;
  m_nY = r.top - frameTop - d.top;
}

void cControl::SetSize(int width, int height) {
  UpdatePosition();
  plat::SetWindowPos(m_hWnd, m_nX, m_nY, width, height, plat::SWP_NOZORDER);
}

void cControl::SetText(const char* sjis) { plat::SetWindowText(m_hWnd, sjis); }

void cControl::AddStyle(uint32_t bits) {
  plat::SetWindowLong(m_hWnd, plat::GWL_STYLE, plat::GetWindowLong(m_hWnd, plat::GWL_STYLE) | static_cast<intptr_t>(bits));
}

void cControl::RemoveStyle(uint32_t bits) {
  plat::SetWindowLong(m_hWnd, plat::GWL_STYLE,
                      plat::GetWindowLong(m_hWnd, plat::GWL_STYLE) & ~static_cast<intptr_t>(bits));
}

void cCheckBox::ShowValue() {
  if (m_lpnValue) plat::SendMessage(m_hWnd, plat::BM_SETCHECK, *m_lpnValue ? plat::BST_CHECKED : plat::BST_UNCHECKED, 0);
}

void cCheckBox::StoreValue() {
  if (m_lpnValue) *m_lpnValue = static_cast<int>(plat::SendMessage(m_hWnd, plat::BM_GETCHECK, 0, 0));
}

void cRadioButton::ShowValue() {
  if (!m_lpnValue) return;
  plat::SendMessage(m_hWnd, plat::BM_SETCHECK, *m_lpnValue == m_nValue ? plat::BST_CHECKED : plat::BST_UNCHECKED, 0);
}

void cRadioButton::StoreValue() {
  if (m_lpnValue && plat::SendMessage(m_hWnd, plat::BM_GETCHECK, 0, 0)) *m_lpnValue = m_nValue;
}

bool cScrollBar::Create(cDlg* dialog, bool vertical) {
  if (!dialog) return false;
  m_bVertical = vertical;
  plat::RECT client;
  plat::GetClientRect(dialog->m_hWnd, &client);
  const int thick = plat::GetSystemMetrics(vertical ? plat::SM_CXVSCROLL : plat::SM_CYHSCROLL);
  const plat::RECT r = vertical ? plat::RECT{client.right - thick, 0, client.right, client.bottom}
                                : plat::RECT{0, client.bottom - thick, client.right, client.bottom};
  m_lpDlg = dialog;
  m_hDlg = dialog->m_hWnd;
  m_hWnd = plat::CreateControl(m_hDlg, plat::ItemClass::kScrollBar, vertical ? plat::SBS_VERT : plat::SBS_HORZ, r, 0, "");
  if (!m_hWnd) return false;
  plat::SetProp(m_hWnd, "CTRL_SCROLL_CLASS", this);
  m_lpfnOldProc = reinterpret_cast<plat::WNDPROC>(
      plat::SetWindowLong(m_hWnd, plat::GWL_WNDPROC, reinterpret_cast<intptr_t>(&cScrollBar::Proc)));
  return true;
}

plat::LRESULT cScrollBar::Proc(plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam) {
  auto* bar = static_cast<cScrollBar*>(plat::GetProp(window, "CTRL_SCROLL_CLASS"));
  if (!bar) return 0;
  const plat::WNDPROC old = bar->m_lpfnOldProc;
  if (message == plat::WM_RBUTTONUP) return 0;
  if (message == plat::WM_DESTROY) {
    plat::SetWindowLong(window, plat::GWL_WNDPROC, reinterpret_cast<intptr_t>(old));
    plat::RemoveProp(window, "CTRL_SCROLL_CLASS");
  }
  return plat::CallWindowProc(old, window, message, wParam, lParam);
}
