#pragma once
#include <cstdint>

#include "app/base/vector.h"
#include "app/ui/controls.h"
#include "app/ui/dialog.h"

// The start-up question of the drawing back end (dialog 103): Direct3D or
// DirectDraw, and whether to ask again. Start stores the choice in the boot record
// and its file; Cancel (or closing the dialog) ends the start-up.
class cDrawModeDlg : public cDlg {
 public:
  cDrawModeDlg(uint16_t resourceId, cWindow* owner, int extra, cWindowRegistry* registry);
  ~cDrawModeDlg() override;

  void OnCommand(plat::WPARAM wParam, plat::LPARAM lParam) override;
  void OnInitDialog(plat::WPARAM wParam, plat::LPARAM lParam) override;
  static plat::LRESULT DialogProc(plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam);

  struct cRadioRecord {
    cRadioButton ctrl;
    uint16_t wId = 0;
    int* lpnValue = nullptr;
    int nValue = 0;
  };
  struct cCheckRecord {
    cCheckBox ctrl;
    uint16_t wId = 0;
    int* lpnValue = nullptr;
  };
  struct cStaticRecord {
    cStatic ctrl;
    uint16_t wId = 0;
  };
  cVector<cRadioRecord> m_Radios;
  cVector<cCheckRecord> m_Checks;
  cVector<cStaticRecord> m_Statics;

 private:
  void SetCaption(uint16_t id, const char* sjis);
};

// The live drawing-mode dialog, for its dialog procedure.
extern cDrawModeDlg* lpDrawModeDlg;
