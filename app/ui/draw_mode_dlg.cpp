#include "app/ui/draw_mode_dlg.h"

#include <new>

#include "app/base/message_box.h"
#include "app/base/shell_globals.h"
#include "app/svc/system_ini.h"
#include "app/ui/boot_data.h"
#include "data/project_globals.h"
#include "platform/sjis.h"
#include "platform/ui/dialog_box.h"
#include "res/dialog_templates.h"

cDrawModeDlg* lpDrawModeDlg = nullptr;

cDrawModeDlg::cDrawModeDlg(uint16_t resourceId, cWindow* owner, int extra, cWindowRegistry* registry) {
  InitMembers(resourceId, owner, extra, registry);
  lpDrawModeDlg = this;
  m_lpfnProc = &cDrawModeDlg::DialogProc;
  SetClientSize(0, 0, 100, 100, 640, 480, 0, 0, 0, 0, 0, 0);
  // Centred on the game window, with the mouse put on the dialog before it shows.
  const int ownerX = owner ? owner->m_nX : 0, ownerY = owner ? owner->m_nY : 0;
  m_nPresetX = static_cast<int>(ownerX + 320.0 - 187.0);
  m_nPresetY = static_cast<int>(ownerY + 240.0 - 136.0);
  plat::SetCursorPos(static_cast<int>(m_nPresetX + 181.9), static_cast<int>(m_nPresetY + 198.9));
  m_Radios.resize(2);
  m_Radios[0].wId = IDC_DRAW_D3D;
  m_Radios[0].lpnValue = &BootData.m_nDrawMode;
  m_Radios[0].nValue = 1;
  m_Radios[1].wId = IDC_DRAW_DDRAW;
  m_Radios[1].lpnValue = &BootData.m_nDrawMode;
  m_Radios[1].nValue = 0;
  m_Checks.resize(1);
  m_Checks[0].wId = IDC_DRAW_NO_ASK;
  m_Checks[0].lpnValue = &BootData.m_bNoAsk;
  m_Statics.resize(1);
  m_Statics[0].wId = IDC_DRAW_NOTE;
}

cDrawModeDlg::~cDrawModeDlg() {
  m_Controls.clear();
  if (lpDrawModeDlg == this) lpDrawModeDlg = nullptr;
}

plat::LRESULT cDrawModeDlg::DialogProc(plat::HWND window, plat::UINT message, plat::WPARAM wParam,
                                       plat::LPARAM lParam) {
  return lpDrawModeDlg ? lpDrawModeDlg->WndProc(window, message, wParam, lParam) : 0;
}

void cDrawModeDlg::SetCaption(uint16_t id, const char* sjis) {
  for (cStaticRecord& r : m_Statics)
    if (r.wId == id) {
      r.ctrl.SetText(sjis);
      return;
    }
  for (cCheckRecord& r : m_Checks)
    if (r.wId == id) {
      r.ctrl.SetText(sjis);
      return;
    }
  DebugBoxf(SJ("コントロールID 【%u】 が見つかりません！"), static_cast<unsigned>(id));
  RequestClose();
}

void cDrawModeDlg::OnInitDialog(plat::WPARAM wParam, plat::LPARAM lParam) {
  cDlg::OnInitDialog(wParam, lParam);
  plat::SetWindowText(m_hWnd, SystemData.strTitle.c_str());
  for (cRadioRecord& r : m_Radios) {
    r.ctrl.Attach(this, r.wId);
    r.ctrl.m_lpnValue = r.lpnValue;
    r.ctrl.m_nValue = r.nValue;
    m_Controls.push_back(&r.ctrl);
  }
  for (cCheckRecord& r : m_Checks) {
    r.ctrl.Attach(this, r.wId);
    r.ctrl.m_lpnValue = r.lpnValue;
    m_Controls.push_back(&r.ctrl);
  }
  for (cStaticRecord& r : m_Statics) {
    r.ctrl.Attach(this, r.wId);
    m_Controls.push_back(&r.ctrl);
  }
  UpdateControls();
  if (SystemIni.English) {
    plat::SetDlgItemText(m_hWnd, IDC_DRAW_GROUP, "Drawing mode");
    plat::SetDlgItemText(m_hWnd, IDC_DRAW_START, "Start");
    plat::SetDlgItemText(m_hWnd, IDC_DRAW_CANCEL, "Cancel");
    SetCaption(IDC_DRAW_NOTE, "Configure the detail settings at \"System.ini\".");
    SetCaption(IDC_DRAW_NO_ASK, "Do not ask this dialog again");
  }
  m_bReady = 1;
}

void cDrawModeDlg::OnCommand(plat::WPARAM wParam, plat::LPARAM lParam) {
  const unsigned id = plat::LoWord(wParam);
  AcceptCommand(static_cast<int>(id));
  cDlg::OnCommand(wParam, lParam);
  if (id == IDC_DRAW_START) {
    UpdateData();
    BootData.Save(kBootDataPath);  // a choice that cannot be kept still starts the game
    Close(1);
  } else if (id == IDC_DRAW_CANCEL) {
    Close(0);
  }
}
