#include "app/ui/name_dlg.h"

#include <atomic>

#include "app/base/message_box.h"
#include "app/base/text_util.h"
#include "app/svc/mode_manager.h"
#include "app/svc/system_ini.h"
#include "app/ui/dialog_item_text.h"
#include "data/project_globals.h"
#include "platform/sjis.h"
#include "platform/ui/dialog_box.h"
#include "res/dialog_templates.h"

cNameDlg* lpNameDlg = nullptr;

namespace {

constexpr int kPlayKindOption = 5;
// The dialog's place in the game's frame, and the mouse put on it before it shows.
constexpr int kDialogX = 240, kDialogY = 220;
constexpr int kMouseX = 80, kMouseY = 65;

std::atomic<RankingNameSource> gNameSource{nullptr};
std::atomic<NameEntrySender> gSend{nullptr};

// Byte length of the first n characters of a Shift-JIS text.
size_t PrefixOfChars(const std::string& text, int n) {
  size_t i = 0;
  for (int c = 0; c < n && i < text.size(); ++c) i += IsSjisDoubleByte(text.c_str() + i) ? 2 : 1;
  return i < text.size() ? i : text.size();
}

}  // namespace

void SetRankingNameSource(RankingNameSource source) { gNameSource.store(source); }

std::string* NameEntryTarget() {
  if (ModeManager.m_nPlayKind == kPlayKindOption) return &OptionData.strName;
  cScene* stage = ModeManager.m_pStage;
  RankingNameSource source = gNameSource.load();
  return stage && source ? source(stage) : nullptr;
}

void SetNameEntrySender(NameEntrySender send) { gSend.store(send); }

bool RequestNameEntry() {
  NameEntrySender send = gSend.load();
  return send ? send() : false;
}

cNameDlg::cNameDlg(uint16_t resourceId, cWindow* owner, int extra, cWindowRegistry* registry) {
  InitMembers(resourceId, owner, extra, registry);
  lpNameDlg = this;
  m_lpfnProc = &cNameDlg::DialogProc;
  SetClientSize(0, 0, 100, 100, 640, 480, 0, 0, 0, 0, 0, 0);
  // Full screen the frame is the screen; in a window, the window's corner is added.
  const bool windowed = SystemIni.WindowMode != 0;
  m_nPresetX = kDialogX + (windowed && owner ? owner->m_nX : 0);
  m_nPresetY = kDialogY + (windowed && owner ? owner->m_nY : 0);
  plat::SetCursorPos(m_nPresetX + kMouseX, m_nPresetY + kMouseY);
  m_EditBoxes.resize(1);
  m_EditBoxes[0].desc.Set(IDC_NAME_EDIT, NameEntryTarget(), kMaxNameChars, 1);
}

cNameDlg::~cNameDlg() {
  if (m_hWnd && plat::IsWindow(m_hWnd)) Close(0);
  m_Controls.clear();
  if (lpNameDlg == this) lpNameDlg = nullptr;
}

plat::LRESULT cNameDlg::DialogProc(plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam) {
  return lpNameDlg ? lpNameDlg->WndProc(window, message, wParam, lParam) : 0;
}

plat::LRESULT cNameDlg::WndProc(plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam) {
  const int handled = OnMessage(window, message, wParam, lParam);
  if (message == plat::WM_CLOSE) {
    Close(0);
    return 1;
  }
  if (message == plat::WM_DESTROY) return 1;
  return handled ? 1 : 0;
}

void cNameDlg::OnInitDialog(plat::WPARAM wParam, plat::LPARAM lParam) {
  cDlg::OnInitDialog(wParam, lParam);
  for (cEditRecord& r : m_EditBoxes) {
    r.ctrl.Create(this, r.desc);
    m_Controls.push_back(&r.ctrl);
  }
  UpdateControls();
  if (!m_Controls.empty()) {
    plat::SetFocus(m_Controls[0]->m_hWnd);
    plat::SendMessage(m_Controls[0]->m_hWnd, plat::EM_SETSEL, 0, 0x7fffffff);
  }
  if (SystemIni.English) plat::SetDlgItemText(m_hWnd, IDC_NAME_LABEL, "     Name");
  m_bReady = 1;
}

void cNameDlg::OnCommand(plat::WPARAM wParam, plat::LPARAM lParam) {
  cDlg::OnCommand(wParam, lParam);
  const unsigned id = plat::LoWord(wParam);
  if (id == IDC_NAME_OK) {
    UpdateData();
    Close(1);
  } else if (id == 1001) {
    Close(0);
  }
}

int cNameDlg::cNameEditBox::OnChange() {
  if (m_bInChange || m_bSetting) return cEditBox::OnChange();
  std::string text;
  GetDlgItemString(m_hDlg, m_wId, text, ReadCount());
  if (CountChars(text) > m_nMaxLineChars && text.find('\n') == std::string::npos) {
    // The piece that arrived: what lies between the text's common start and end
    // with the text before the change. What fits of it is kept.
    const std::string& before = m_strPrevious;
    size_t head = 0;
    while (head < before.size()) {
      const size_t n = IsSjisDoubleByte(before.c_str() + head) ? 2 : 1;
      if (head + n > text.size() || before.compare(head, n, text, head, n) != 0) break;
      head += n;
    }
    size_t tail = 0;
    while (tail < before.size() - head && tail < text.size() - head &&
           before[before.size() - 1 - tail] == text[text.size() - 1 - tail])
      ++tail;
    // The common end must start on a character of the new text.
    while (tail > 0) {
      const size_t at = text.size() - tail;
      size_t i = 0;
      while (i < at) i += IsSjisDoubleByte(text.c_str() + i) ? 2 : 1;
      if (i == at) break;
      --tail;
    }
    const std::string start = text.substr(0, head), end = text.substr(text.size() - tail);
    const std::string piece = text.substr(head, text.size() - tail - head);
    const int room = m_nMaxLineChars - CountChars(start) - CountChars(end);
    const std::string kept = room > 0 ? piece.substr(0, PrefixOfChars(piece, room)) : std::string();
    m_bInChange = 1;  // the field's own notice of this change is not a new change
    SetDlgItemString(m_hDlg, m_wId, start + kept + end);
    m_bInChange = 0;
    const int caret = static_cast<int>(start.size() + kept.size());
    plat::SendMessage(m_hWnd, plat::EM_SETSEL, static_cast<plat::WPARAM>(caret), caret);
  }
  return cEditBox::OnChange();
}
