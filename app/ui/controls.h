#pragma once
#include <cstdint>
#include <string>

#include "platform/messages.h"

// The controls of the dialog framework. Each is attached to one dialog item and
// bound to one program variable: ShowValue puts the variable into the item,
// StoreValue takes it back (cDlg::UpdateControls and cDlg::UpdateData run them on
// every control of a dialog).

class cDlg;

// Type codes.
constexpr int kCtrlStatic = 0;
constexpr int kCtrlEditBox = 3;
constexpr int kCtrlButton = 4;
constexpr int kCtrlCheckBox = 5;
constexpr int kCtrlRadioButton = 6;
constexpr int kCtrlScrollBar = 11;

class cControl {
 public:
  cControl() = default;
  virtual ~cControl() = default;
  virtual void Enable(int flag);
  virtual void ShowValue() {}
  virtual void StoreValue() {}
  // On EN_UPDATE (and once when an edit box is made); 1 when it ran.
  virtual int OnChange() { return 0; }
  virtual int OnNotify(int /*code*/, plat::LPARAM) { return 0; }
  virtual int OnScroll(int /*code*/, plat::LPARAM) { return 0; }
  // On EN_KILLFOCUS.
  virtual void OnKillFocus() {}
  virtual void OnKey(int /*key*/, plat::LPARAM, int /*controlHeld*/) {}

  void Attach(cDlg* dialog, uint16_t id);
  void UpdatePosition();
  void SetSize(int width, int height);
  void SetText(const char* sjis);
  void AddStyle(uint32_t bits);
  void RemoveStyle(uint32_t bits);

  plat::HWND m_hWnd = 0;
  cDlg* m_lpDlg = nullptr;
  plat::HWND m_hDlg = 0;
  int m_nType = kCtrlStatic;
  uint16_t m_wId = 0;
  int m_nScreenX = 0, m_nScreenY = 0;  // top-left on the screen
  int m_nX = 0, m_nY = 0;              // top-left in the dialog's client area
  int m_bInChange = 0;                 // the edit box's re-entry guard
};

class cStatic : public cControl {
 public:
  cStatic() { m_nType = kCtrlStatic; }
};

class cButton : public cControl {
 public:
  cButton() { m_nType = kCtrlButton; }
  ~cButton() override = default;
};

class cCheckBox : public cControl {
 public:
  cCheckBox() { m_nType = kCtrlCheckBox; }
  void ShowValue() override;
  void StoreValue() override;
  int* m_lpnValue = nullptr;
};

class cRadioButton : public cControl {
 public:
  cRadioButton() { m_nType = kCtrlRadioButton; }
  void ShowValue() override;   // checked when the bound int equals the own value
  void StoreValue() override;  // a checked button writes its own value
  int* m_lpnValue = nullptr;
  int m_nValue = 0;
};

// A dialog's own scroll bar, made by cDlg::OnInitDialog when the bar flags of
// cWindow::SetClientSize ask for one; the bar swallows WM_RBUTTONUP.
class cScrollBar : public cControl {
 public:
  cScrollBar() { m_nType = kCtrlScrollBar; }
  ~cScrollBar() override = default;
  // Makes the bar along the bottom (horizontal) or right (vertical) edge.
  bool Create(cDlg* dialog, bool vertical);
  static plat::LRESULT Proc(plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam);
  bool m_bVertical = false;
  plat::WNDPROC m_lpfnOldProc = nullptr;
};
