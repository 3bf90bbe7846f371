#pragma once
#include <cstdint>

#include "app/base/vector.h"
#include "app/ui/controls.h"
#include "app/ui/hook.h"
#include "app/ui/window.h"

// A modal dialog from a template of res/ (dialog_templates.h), drawn inside the
// game window. It keeps a list of controls, each bound to one program variable:
// UpdateControls shows them all, UpdateData stores them all back.
//
// A dialog class has one static procedure and one program-wide pointer to its
// instance (set by its constructor); the procedure calls the instance's WndProc,
// which is cDlg::WndProc unless the class replaces it.
class cDlg : public cWindow {
 public:
  cDlg();
  ~cDlg() override;

  void OnCommand(plat::WPARAM wParam, plat::LPARAM lParam) override;
  plat::LRESULT WndProc(plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam) override;
  int OnMessage(plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam) override;
  virtual void OnInitDialog(plat::WPARAM wParam, plat::LPARAM lParam);

  // The extra value is kept and read by nothing.
  void InitMembers(uint16_t resourceId, cWindow* owner, int extra, cWindowRegistry* registry);
  void Init(uint16_t resourceId, cWindow* owner, cWindowRegistry* registry);
  // Runs the dialog of the resource id; its result (EndDialog's), 0 at once when
  // the dialog window already exists, -1 when the template is unknown.
  plat::LRESULT DoModal(int flags);
  // Keeps the result, empties the control list and ends the dialog.
  void Close(plat::LRESULT result);
  void UpdateControls();
  void UpdateData();

  int m_bModeless = 0;  // always 0: this program makes no modeless dialogs
  int m_nDoModalFlags = 0;
  plat::WNDPROC m_lpfnSavedProc = nullptr;
  plat::LRESULT m_nResult = 0;
  cHook m_Hook;
  cWindow* m_lpOwnerWindow = nullptr;
  cVector<cControl*> m_Controls;
  int m_bReady = 0;
  int m_nExtra = 0;
  cScrollBar* m_lpHScroll = nullptr;
  cScrollBar* m_lpVScroll = nullptr;

 private:
  static plat::LRESULT SubclassProc(plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam);
  void ShowRegistered(bool hide);
};

// Whether a dialog takes a command: every command is taken.
int AcceptCommand(int id);

// Headless, the dialogs' captions go to the report log.
void InstallDialogReport();
