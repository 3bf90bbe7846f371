// The in-window dialogs: a template's controls, keyboard navigation and the result
// a dialog ends with.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/ui_driver.h"

namespace {

using namespace plat;
using uitest::Key;

constexpr uint16_t kEdit = 10, kRadioA = 20, kRadioB = 21, kCheck = 30;

DialogTemplate Form() {
  DialogTemplate t;
  t.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
  t.cx = 200;
  t.cy = 120;
  t.title = "Form";
  t.items = {
      {1, ItemClass::kStatic, SS_LEFT, 5, 5, 40, 10, "Name"},
      {kEdit, ItemClass::kEdit, WS_TABSTOP | WS_BORDER, 50, 5, 80, 12, "abc"},
      {kRadioA, ItemClass::kButton, BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 5, 25, 50, 10, "A"},
      {kRadioB, ItemClass::kButton, BS_AUTORADIOBUTTON, 60, 25, 50, 10, "B"},
      {kCheck, ItemClass::kButton, BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 5, 40, 80, 10, "Check"},
      {static_cast<uint16_t>(IDOK), ItemClass::kButton, BS_DEFPUSHBUTTON | WS_TABSTOP, 40, 90, 50, 14, "OK"},
      {static_cast<uint16_t>(IDCANCEL), ItemClass::kButton, BS_PUSHBUTTON | WS_TABSTOP, 100, 90, 50, 14, "Cancel"},
  };
  return t;
}

// What the procedure saw.
struct Seen {
  int initDialogs = 0;
  LPARAM initParam = 0;
  std::vector<unsigned> commands;  // ids of BN_CLICKED
  int radioB = -1, check = -1;     // the states when OK was pressed
};
Seen gSeen;

LRESULT FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      ++gSeen.initDialogs;
      gSeen.initParam = lParam;
      SendMessage(GetDlgItem(hwnd, kRadioA), BM_SETCHECK, BST_CHECKED, 0);
      return 1;  // the first tab stop takes the focus
    case WM_COMMAND:
      if (HiWord(wParam) != BN_CLICKED) return 1;
      gSeen.commands.push_back(LoWord(wParam));
      if (LoWord(wParam) == IDOK) {
        gSeen.radioB = uitest::Check(hwnd, kRadioB);
        gSeen.check = uitest::Check(hwnd, kCheck);
        EndDialog(hwnd, 100);
      }
      if (LoWord(wParam) == IDCANCEL) EndDialog(hwnd, 200);
      return 1;
    default: return 0;
  }
}

TEST(DialogBox, TemplateMakesItsControlsAndInitDialogCarriesTheParameter) {
  gSeen = {};
  const LRESULT r = uitest::RunModal(Form(), &FormProc, [](HWND d) {
    EXPECT_EQ(WindowText(d), "Form");
    for (int id : {1, int(kEdit), int(kRadioA), int(kRadioB), int(kCheck), IDOK, IDCANCEL})
      EXPECT_NE(GetDlgItem(d, id), 0u) << id;
    EXPECT_EQ(GetDlgItem(d, 999), 0u);
    EXPECT_EQ(WindowText(GetDlgItem(d, kEdit)), "abc");
    // The first tab stop has the focus, its text selected.
    EXPECT_EQ(uitest::FocusId(), kEdit);
    int start = -1, end = -1;
    SendMessage(GetDlgItem(d, kEdit), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 3);
    // Sizes from dialog units: the client area is 400 x 180 pixels.
    RECT c;
    GetClientRect(d, &c);
    EXPECT_EQ(c.right, 400);
    EXPECT_EQ(c.bottom, 180);
    EndDialog(d, 7);
    EndDialog(d, 8);  // the first result stands
  }, 1234);
  EXPECT_EQ(r, 7);
  EXPECT_EQ(gSeen.initDialogs, 1);
  EXPECT_EQ(gSeen.initParam, 1234);
  EXPECT_TRUE(OpenDialogs().empty());
}

// Key sequences and the result, the clicks and the states they leave.
struct KeyCase {
  const char* name;
  std::vector<std::pair<int, bool>> keys;  // key, Shift held
  LRESULT result;
  int radioB, check;  // when OK ended it
};

TEST(DialogBox, KeyboardNavigationGivesTheRightResult) {
  constexpr int kTab = 0x09;
  const std::vector<KeyCase> cases = {
      {"Enter presses the default button", {{VK_RETURN, false}}, 100, 0, 0},
      {"Escape presses Cancel", {{VK_ESCAPE, false}}, 200, -1, -1},
      {"Tab to the radio group, Down checks B", {{kTab, false}, {VK_DOWN, false}, {VK_RETURN, false}}, 100, 1, 0},
      {"Down wraps in the group and back to A", {{kTab, false}, {VK_DOWN, false}, {VK_DOWN, false}, {VK_RETURN, false}},
       100, 0, 0},
      {"Space ticks the check box", {{kTab, false}, {kTab, false}, {VK_SPACE, false}, {VK_RETURN, false}}, 100, 0, 1},
      {"Enter presses the focused push button", {{kTab, false}, {kTab, false}, {kTab, false}, {kTab, false}, {VK_RETURN, false}},
       200, -1, -1},
      {"Shift+Tab goes backwards to Cancel", {{kTab, true}, {VK_SPACE, false}}, 200, -1, -1},
      {"Tab wraps around past the last control", {{kTab, false}, {kTab, false}, {kTab, false}, {kTab, false}, {kTab, false},
                                                   {kTab, false}, {VK_DOWN, false}, {VK_RETURN, false}},
       100, 1, 0},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.name);
    gSeen = {};
    const LRESULT r = uitest::RunModal(Form(), &FormProc, [&](HWND d) {
      (void)d;
      for (auto [vk, shift] : c.keys) Key(vk, shift);
    });
    EXPECT_EQ(r, c.result);
    if (c.result == 100) {
      EXPECT_EQ(gSeen.radioB, c.radioB);
      EXPECT_EQ(gSeen.check, c.check);
    }
  }
}

}  // namespace
