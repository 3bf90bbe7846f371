#pragma once
#include <string>

#include "app/base/vector.h"
#include "app/ui/dialog.h"
#include "app/ui/edit_box.h"

class cScene;

// The name-entry dialog (dialog 102): the player's name for the rankings, at most
// three characters (a double-byte character counts as one). The field is bound to
// the options' registration name while the option scene asks (play kind 5), else
// to the stage-play scene's ranking name while that scene exists, else to nothing.
// OK stores the field; closing the dialog keeps the name as it was.
class cNameDlg : public cDlg {
 public:
  static constexpr int kMaxNameChars = 3;

  cNameDlg(uint16_t resourceId, cWindow* owner, int extra, cWindowRegistry* registry);
  ~cNameDlg() override;

  void OnCommand(plat::WPARAM wParam, plat::LPARAM lParam) override;
  void OnInitDialog(plat::WPARAM wParam, plat::LPARAM lParam) override;
  plat::LRESULT WndProc(plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam) override;
  static plat::LRESULT DialogProc(plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam);

  // The name field. Text that arrives in one piece (an input method's result, a
  // paste) and would pass the limit keeps what fits of it, as a limited edit field
  // does; a character typed into a full field is refused.
  class cNameEditBox : public cEditBox {
   public:
    int OnChange() override;
  };
  struct cEditRecord {
    cNameEditBox ctrl;
    CTRLDESC desc;
  };
  cVector<cEditRecord> m_EditBoxes;
};

// The live name-entry dialog, for its dialog procedure.
extern cNameDlg* lpNameDlg;

// The stage-play scene's ranking name, which the dialog edits when it is not asked
// for by the option scene; installed by stage play (null: nothing to edit there).
using RankingNameSource = std::string* (*)(cScene* stage);
void SetRankingNameSource(RankingNameSource source);
// The string the dialog is bound to now, or null.
std::string* NameEntryTarget();

// The requester's side (game thread, stage-play threads): asks the game window for
// the dialog and waits until it has closed. The shell installs the send; false
// when the request was not carried out (no send yet, or the window closed first).
using NameEntrySender = bool (*)();
void SetNameEntrySender(NameEntrySender send);
bool RequestNameEntry();
