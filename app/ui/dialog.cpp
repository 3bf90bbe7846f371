#include "app/ui/dialog.h"

#include <memory>

#include "app/base/message_box.h"
#include "app/base/report_log.h"
#include "app/base/shell_globals.h"
#include "platform/key_state.h"
#include "platform/sjis.h"
#include "platform/ui/dialog_box.h"
#include "res/dialog_templates.h"

namespace {

constexpr int kVkPrior = 0x21, kVkNext = 0x22, kVkEnd = 0x23, kVkHome = 0x24;

// The headless dialogs' lines go to the report log.
void ReportDialog(const char* line) { ReportLog("%s", line); }

}  // namespace

int AcceptCommand(int) { return 1; }

void InstallDialogReport() { plat::SetDialogReport(&ReportDialog); }

cDlg::cDlg() = default;

cDlg::~cDlg() {
  m_Controls.clear();
  delete m_lpHScroll;
  delete m_lpVScroll;
}

void cDlg::InitMembers(uint16_t resourceId, cWindow* owner, int extra, cWindowRegistry* registry) {
  m_bModeless = 0;
  m_nDoModalFlags = 0;
  m_bReady = 0;
  m_nExtra = extra;
  Init(resourceId, owner, registry);
}

void cDlg::Init(uint16_t resourceId, cWindow* owner, cWindowRegistry* registry) {
  m_lpOwnerWindow = owner;
  m_lpfnSavedProc = nullptr;
  cWindow::Init(resourceId, owner ? owner->m_hWnd : 0, registry);
}

void cDlg::ShowRegistered(bool hide) {
  if (!m_lpRegistry) return;
  for (plat::HWND w : m_lpRegistry->m_Modeless) {
    if (m_nDoModalFlags & kDoModalHideRegistered) plat::ShowWindow(w, hide ? plat::SW_HIDE : plat::SW_SHOW);
    if (m_nDoModalFlags & kDoModalDisableRegistered) plat::EnableWindow(w, !hide);
  }
}

plat::LRESULT cDlg::DoModal(int flags) {
  if (m_hWnd && plat::IsWindow(m_hWnd)) return 0;
  Close(0);
  m_bModeless = 0;
  m_nDoModalFlags = flags;
  const plat::DialogTemplate* dialog = FindDialogTemplate(m_wResourceId);
  if (!dialog) return -1;
  InstallDialogReport();
  ShowRegistered(true);
  const plat::LRESULT result = plat::DialogBoxParam(*dialog, m_hOwner, m_lpfnProc, 0);
  m_hWnd = 0;
  return result;
}

plat::LRESULT cDlg::WndProc(plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam) {
  const int handled = OnMessage(window, message, wParam, lParam);
  if (message == plat::WM_DESTROY) return 1;
  if (message == plat::WM_CLOSE) {
    Close(0);
    return 1;
  }
  return handled ? 1 : 0;
}

plat::LRESULT cDlg::SubclassProc(plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam) {
  auto* dialog = static_cast<cDlg*>(plat::GetProp(window, "DLG_CLASS"));
  if (!dialog) return 0;
  const plat::WNDPROC saved = dialog->m_lpfnSavedProc;
  if (message == plat::WM_DESTROY) plat::RemoveProp(window, "DLG_CLASS");
  return plat::CallWindowProc(saved, window, message, wParam, lParam);
}

void cDlg::OnInitDialog(plat::WPARAM, plat::LPARAM) {
  m_Controls.clear();
  if (!plat::GetProp(m_hWnd, "DLG_CLASS")) {
    plat::SetProp(m_hWnd, "DLG_CLASS", this);
    m_lpfnSavedProc = reinterpret_cast<plat::WNDPROC>(plat::GetWindowLong(m_hWnd, plat::GWL_WNDPROC));
    plat::SetWindowLong(m_hWnd, plat::GWL_WNDPROC, reinterpret_cast<intptr_t>(&cDlg::SubclassProc));
  }
  UpdateGeometry();
  if (m_nRequestWidth > 0 && m_nRequestHeight > 0) ResizeClient(m_nRequestWidth, m_nRequestHeight);
  PlaceOnOpen();
  if (m_nBarFlags & 1) {
    m_lpHScroll = new cScrollBar;
    m_lpHScroll->Create(this, false);
  }
  if (m_nBarFlags & 2) {
    m_lpVScroll = new cScrollBar;
    m_lpVScroll->Create(this, true);
  }
  if (!m_Hook.Install(m_hWnd, m_bModeless)) ErrorBox(SJ("KeyboardHookに失敗!"));
}

void cDlg::OnCommand(plat::WPARAM wParam, plat::LPARAM) {
  const unsigned id = plat::LoWord(wParam), code = plat::HiWord(wParam);
  for (size_t i = 0; i < m_Controls.size(); ++i) {
    cControl* c = m_Controls[i];
    if (!c || c->m_wId != id) continue;
    const bool edit = c->m_nType == 2 || c->m_nType == kCtrlEditBox;
    if (edit && code == plat::EN_UPDATE) {
      c->OnChange();
      return;
    }
    if (edit && code == plat::EN_KILLFOCUS) {
      c->OnKillFocus();
      return;
    }
  }
}

int cDlg::OnMessage(plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam) {
  const int result = cWindow::OnMessage(window, message, wParam, lParam);
  switch (message) {
    case plat::WM_INITDIALOG: OnInitDialog(wParam, lParam); break;
    case plat::WM_NOTIFY:
      for (size_t i = 0; i < m_Controls.size(); ++i)
        if (m_Controls[i] && m_Controls[i]->OnNotify(static_cast<int>(wParam), lParam)) break;
      break;
    case WM_HOOK_KEY: plat::SendMessage(m_hWnd, plat::WM_KEYDOWN, wParam, lParam); break;
    case plat::WM_KEYDOWN: {
      // The paging and arrow keys scroll the dialog's own bars.
      struct cScrollKey {
        int key;
        plat::UINT message;
        int code;
      };
      static const cScrollKey kKeys[] = {
          {kVkPrior, plat::WM_VSCROLL, plat::SB_PAGEUP},      {kVkNext, plat::WM_VSCROLL, plat::SB_PAGEDOWN},
          {kVkEnd, plat::WM_HSCROLL, plat::SB_PAGERIGHT},     {kVkHome, plat::WM_HSCROLL, plat::SB_PAGELEFT},
          {plat::VK_LEFT, plat::WM_HSCROLL, plat::SB_LINELEFT}, {plat::VK_UP, plat::WM_VSCROLL, plat::SB_LINEUP},
          {plat::VK_RIGHT, plat::WM_HSCROLL, plat::SB_LINERIGHT}, {plat::VK_DOWN, plat::WM_VSCROLL, plat::SB_LINEDOWN},
      };
      for (const cScrollKey& k : kKeys) {
        if (static_cast<int>(wParam) != k.key) continue;
        cScrollBar* bar = k.message == plat::WM_VSCROLL ? m_lpVScroll : m_lpHScroll;
        plat::PostMessage(m_hWnd, k.message, static_cast<plat::WPARAM>(k.code),
                          static_cast<plat::LPARAM>(bar ? bar->m_hWnd : 0));
      }
      if (!m_bModeless)
        for (size_t i = 0; i < m_Controls.size(); ++i)
          if (m_Controls[i]) m_Controls[i]->OnKey(static_cast<int>(wParam), lParam, cHook::ControlHeld());
      break;
    }
    case plat::WM_HSCROLL:
    case plat::WM_VSCROLL: {
      cScrollBar* bar = message == plat::WM_VSCROLL ? m_lpVScroll : m_lpHScroll;
      if (bar && bar->m_hWnd) {
        plat::SCROLLINFO info;
        plat::GetScrollInfo(bar->m_hWnd, plat::SB_CTL, &info);
        const int code = static_cast<int>(plat::LoWord(wParam));
        const int page = static_cast<int>(info.nPage > 0 ? info.nPage : 1);
        int pos = info.nPos;
        if (code == plat::SB_LINEUP) pos -= 1;
        if (code == plat::SB_LINEDOWN) pos += 1;
        if (code == plat::SB_PAGEUP) pos -= page;
        if (code == plat::SB_PAGEDOWN) pos += page;
        plat::SCROLLINFO set;
        set.fMask = plat::SIF_POS;
        set.nPos = pos;
        if (plat::SetScrollInfo(bar->m_hWnd, plat::SB_CTL, set, true) != info.nPos) OnPaint();
      }
      for (size_t i = 0; i < m_Controls.size(); ++i)
        if (m_Controls[i] && m_Controls[i]->OnScroll(static_cast<int>(plat::LoWord(wParam)), lParam)) break;
      break;
    }
    case plat::WM_SIZE: {
      plat::RECT client;
      plat::GetClientRect(m_hWnd, &client);
      const int thick = plat::GetSystemMetrics(plat::SM_CXVSCROLL);
      if (m_lpHScroll)
        plat::SetWindowPos(m_lpHScroll->m_hWnd, 0, client.bottom - thick, client.right - (m_lpVScroll ? thick : 0),
                           thick, plat::SWP_NOZORDER);
      if (m_lpVScroll)
        plat::SetWindowPos(m_lpVScroll->m_hWnd, client.right - thick, 0, thick,
                           client.bottom - (m_lpHScroll ? thick : 0), plat::SWP_NOZORDER);
      break;
    }
    case plat::WM_DESTROY: ShowRegistered(false); break;
    default: break;
  }
  return result;
}

void cDlg::Close(plat::LRESULT result) {
  m_nResult = result;
  m_Controls.clear();
  if (m_hWnd && plat::IsWindow(m_hWnd)) plat::EndDialog(m_hWnd, result);
}

void cDlg::UpdateControls() {
  for (size_t i = 0; i < m_Controls.size(); ++i)
    if (m_Controls[i]) m_Controls[i]->ShowValue();
}

void cDlg::UpdateData() {
  for (size_t i = 0; i < m_Controls.size(); ++i)
    if (m_Controls[i]) m_Controls[i]->StoreValue();
}
