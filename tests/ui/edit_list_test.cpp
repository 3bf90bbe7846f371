// Edit fields and lists of the in-window dialogs, and the framework's edit box
// with its limits.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/ui/dialog.h"
#include "app/ui/edit_box.h"
#include "platform/sjis.h"
#include "tests/ui/ui_driver.h"

namespace {

using namespace plat;
using uitest::Key;
using uitest::Type;

constexpr uint16_t kEdit = 10, kMulti = 11, kList = 20, kMultiList = 21;
constexpr int kVkHome = 0x24, kVkEnd = 0x23, kVkDelete = 0x2E;

cDlg* gDlg = nullptr;

// The framework dialog behind the controls gets the commands (EN_UPDATE).
LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) return 1;
  if (message == WM_COMMAND && gDlg) return gDlg->OnMessage(hwnd, message, wParam, lParam);
  return 0;
}

struct Fields : ::testing::Test {
  HWND dialog = 0;
  cDlg dlg;
  void SetUp() override {
    EnsureQueue();
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION;
    t.cx = 200;
    t.cy = 150;
    t.items = {
        {kEdit, ItemClass::kEdit, WS_TABSTOP, 5, 5, 100, 12, ""},
        {kMulti, ItemClass::kEdit, WS_TABSTOP | ES_MULTILINE | ES_WANTRETURN, 5, 20, 100, 40, ""},
        {kList, ItemClass::kListBox, WS_TABSTOP | LBS_NOTIFY, 5, 65, 100, 40, ""},
        {kMultiList, ItemClass::kListBox, WS_TABSTOP | LBS_NOTIFY | LBS_EXTENDEDSEL, 110, 65, 80, 40, ""},
    };
    dialog = CreateDialogParam(t, 0, &Proc, 0);
    ASSERT_NE(dialog, 0u);
    dlg.m_hWnd = dialog;
    gDlg = &dlg;
  }
  void TearDown() override {
    gDlg = nullptr;
    DestroyWindow(dialog);
    SetKeyDown(VK_BACK, false);
  }
  HWND Item(int id) { return GetDlgItem(dialog, id); }
  std::string Text(int id) { return WindowText(Item(id)); }
  std::pair<int, int> Sel(int id) {
    int s = -1, e = -1;
    SendMessage(Item(id), EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    return {s, e};
  }
  void Focus(int id) {
    SetFocus(Item(id));
    SendMessage(Item(id), EM_SETSEL, static_cast<WPARAM>(-1), 0);
  }
};

TEST_F(Fields, CaretAndDeletionStepOverWholeDoubleByteCharactersAndLineBreaks) {
  Focus(kMulti);
  Type("aあ");
  Key(VK_RETURN);
  Type("いb");
  const std::string all = std::string("a") + SJ("あ") + "\r\n" + SJ("い") + "b";
  ASSERT_EQ(Text(kMulti), all);
  EXPECT_EQ(Sel(kMulti), std::make_pair(8, 8));
  // Left: b, い, the break, あ: one step each.
  const int stops[] = {7, 5, 3, 1, 0, 0};
  for (int at : stops) {
    Key(VK_LEFT);
    EXPECT_EQ(Sel(kMulti).first, at);
  }
  Key(VK_RIGHT);
  Key(kVkDelete);  // あ goes whole
  EXPECT_EQ(Text(kMulti), std::string("a\r\n") + SJ("い") + "b");
  Key(kVkDelete);  // then the whole line break
  EXPECT_EQ(Text(kMulti), std::string("a") + SJ("い") + "b");
  Key(VK_RIGHT);
  Key(VK_BACK);
  EXPECT_EQ(Text(kMulti), "ab");
  // Shift+End selects to the end; typing replaces the selection.
  Key(kVkHome);
  Key(kVkEnd, true);
  EXPECT_EQ(Sel(kMulti), std::make_pair(0, 2));
  Type("z");
  EXPECT_EQ(Text(kMulti), "z");
}

TEST_F(Fields, SelectionSetInsideADoubleByteCharacterNeverSplitsIt) {
  SetWindowText(Item(kEdit), (std::string(SJ("あい"))).c_str());
  Focus(kEdit);
  SendMessage(Item(kEdit), EM_SETSEL, 1, 3);
  const auto [start, end] = Sel(kEdit);
  EXPECT_EQ(start % 2, 0);
  EXPECT_EQ(end % 2, 0);
  Type("x");
  const std::string text = Text(kEdit);
  EXPECT_EQ(SjisToUtf8(Utf8ToSjis(SjisToUtf8(text))), SjisToUtf8(text));
  EXPECT_TRUE(text == std::string("x") + SJ("い") || text == std::string(SJ("あ")) + "x" || text == "x") << text;
  // A read that cannot take the whole of a character stops before it.
  char buffer[4];
  SetWindowText(Item(kEdit), (std::string("a") + SJ("あい")).c_str());
  EXPECT_EQ(GetDlgItemText(dialog, kEdit, buffer, sizeof buffer), 3u);
  EXPECT_EQ(std::string(buffer), std::string("a") + SJ("あ"));
  EXPECT_EQ(GetDlgItemText(dialog, kEdit, buffer, 3), 1u);
  EXPECT_EQ(std::string(buffer), "a");
}

TEST_F(Fields, SingleLineFieldDropsLineBreaksAndIgnoresTypingDuringAComposition) {
  Focus(kEdit);
  Type("a\r\nb");
  EXPECT_EQ(Text(kEdit), "ab");
  uitest::Compose("か");
  Key(VK_BACK);  // the input method's key
  EXPECT_EQ(Text(kEdit), "ab");
  Type("か");
  EXPECT_EQ(Text(kEdit), std::string("ab") + SJ("か"));
}

// The edit box of the framework: its limits enforced on every change.
struct EditLimits : Fields {
  cEditBox box;
  std::string bound;
  void Make(const CTRLDESC& desc) {
    ASSERT_EQ(box.Create(&dlg, desc), 1);
    dlg.m_Controls.push_back(&box);
    // The caret at the end, as after typing the bound text.
    SetFocus(Item(desc.wId));
    const int end = static_cast<int>(Text(desc.wId).size());
    SendMessage(Item(desc.wId), EM_SETSEL, static_cast<WPARAM>(end), end);
  }
};

TEST_F(EditLimits, ThreeCharactersOnOneLineRefuseTheFourth) {
  struct Case {
    int charMode;
    const char* start;  // UTF-8
    const char* typed;
    const char* after;
  } cases[] = {
      {1, "あい", "う", "あいう"},
      {1, "あいう", "え", "あいう"},
      {1, "abc", "d", "abc"},
      {1, "あいう", "x", "あいう"},
      {0, "ab", "c", "abc"},
      {0, "abc", "d", "abc"},
      {0, "ab", "あ", "ab"},  // three bytes at most: never half of あ
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.start) + " + " + c.typed);
    dlg.m_Controls.clear();
    bound = Utf8ToSjis(c.start);
    CTRLDESC desc;
    desc.Set(kEdit, &bound, 3, c.charMode);
    Make(desc);
    EXPECT_EQ(box.ReadCount(), c.charMode ? 7 : 4);
    Type(c.typed);
    const std::string after = Utf8ToSjis(c.after);
    EXPECT_EQ(Text(kEdit), after);
    EXPECT_EQ(Sel(kEdit), std::make_pair(int(after.size()), int(after.size())));
    dlg.UpdateData();
    EXPECT_EQ(bound, after);
  }
}

TEST_F(EditLimits, LongLinesWrapAndTooManyLinesAreUndone) {
  CTRLDESC desc;
  desc.wId = kMulti;
  desc.lpstrText = &bound;
  desc.nMaxChars = 100;
  desc.nMaxLineChars = 4;
  desc.nMaxLines = 2;
  Make(desc);
  Type("abcde");
  EXPECT_EQ(Text(kMulti), "abcd\r\ne");
  EXPECT_EQ(Sel(kMulti), std::make_pair(7, 7));
  Type("fgh");
  EXPECT_EQ(Text(kMulti), "abcd\r\nefgh");
  Type("i");  // a third line: undone
  EXPECT_EQ(Text(kMulti), "abcd\r\nefgh");
  EXPECT_EQ(Sel(kMulti), std::make_pair(10, 10));
}

TEST_F(EditLimits, BackspaceJoiningIntoAFullLineIsUndone) {
  struct Case {
    const char* first;
    bool kept;
  } cases[] = {{"aaaaaaaaaa", false}, {"aaaaaaaaa", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.first);
    dlg.m_Controls.clear();
    bound = std::string(c.first) + "\r\nb";
    CTRLDESC desc;
    desc.wId = kMulti;
    desc.lpstrText = &bound;
    desc.nMaxChars = 100;
    desc.nMaxLineChars = 10;
    desc.nMaxLines = 3;
    Make(desc);
    const int afterBreak = static_cast<int>(std::string(c.first).size()) + 2;
    SendMessage(Item(kMulti), EM_SETSEL, afterBreak, afterBreak);
    SetKeyDown(VK_BACK, true);
    Key(VK_BACK);
    SetKeyDown(VK_BACK, false);
    EXPECT_EQ(Text(kMulti), c.kept ? std::string(c.first) + "b" : bound);
  }
}

TEST_F(EditLimits, BoundTextOverTheLimitsIsCutWhenTheBoxIsMade) {
  bound = "abcdef";
  CTRLDESC desc;
  desc.Set(kEdit, &bound, 3, 1);
  Make(desc);
  EXPECT_EQ(Text(kEdit), "abc");
  // A line limit below the bound text's lines.
  dlg.m_Controls.clear();
  bound = "a\r\nb\r\nc";
  CTRLDESC lines;
  lines.wId = kMulti;
  lines.lpstrText = &bound;
  lines.nMaxLines = 2;
  Make(lines);
  EXPECT_EQ(Text(kMulti), "a\r\nb");
  // Cut in bytes, never through a character.
  dlg.m_Controls.clear();
  bound = Utf8ToSjis("あい\r\nう\r\nえ");
  lines.nMaxLineChars = 3;
  Make(lines);
  EXPECT_EQ(Text(kMulti), Utf8ToSjis("あ"));
}

TEST_F(Fields, ListSelectionKeysAndOutOfRangeIndices) {
  const HWND list = Item(kList);
  for (const char* s : {"zero", "one", "two", "three"})
    SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToSjis(s).c_str()));
  EXPECT_EQ(SendMessage(list, LB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), -1);
  SendMessage(list, LB_SETCURSEL, 2, 0);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 2);
  char text[16] = "unchanged";
  EXPECT_EQ(SendMessage(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(text)), 3);
  EXPECT_STREQ(text, "one");
  // Indices outside the list are refused.
  for (WPARAM bad : {WPARAM(4), WPARAM(-1), WPARAM(1000)}) {
    std::strcpy(text, "unchanged");
    EXPECT_EQ(SendMessage(list, LB_GETTEXT, bad, reinterpret_cast<LPARAM>(text)), -1);
    EXPECT_STREQ(text, "unchanged");
    EXPECT_EQ(SendMessage(list, LB_GETSEL, bad, 0), 0);
    SendMessage(list, LB_SETSEL, 1, static_cast<LPARAM>(bad));
  }
  SendMessage(list, LB_SETCURSEL, 9, 0);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), -1);
  // Keys move the current row, held inside the list.
  SetFocus(list);
  Key(VK_DOWN);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 0);
  Key(kVkEnd);
  Key(VK_DOWN);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 3);
  Key(kVkHome);
  Key(VK_UP);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(SendMessage(list, LB_GETSEL, 0, 0), 1);
  EXPECT_EQ(SendMessage(list, LB_GETSEL, 3, 0), 0);
  // Emptied, a key changes nothing.
  SendMessage(list, LB_RESETCONTENT, 0, 0);
  Key(VK_DOWN);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), -1);
}

TEST_F(Fields, ExtendedListSelectsARangeWithShift) {
  const HWND list = Item(kMultiList);
  for (const char* s : {"a", "b", "c", "d"}) SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
  SetFocus(list);
  SendMessage(list, LB_SETCURSEL, 1, 0);
  Key(VK_DOWN, true);
  Key(VK_DOWN, true);
  int selected[4];
  for (int i = 0; i < 4; ++i) selected[i] = static_cast<int>(SendMessage(list, LB_GETSEL, i, 0));
  EXPECT_EQ(selected[0], 0);
  EXPECT_EQ(selected[1], 1);
  EXPECT_EQ(selected[2], 1);
  EXPECT_EQ(selected[3], 1);
  Key(VK_UP);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(SendMessage(list, LB_GETSEL, i, 0), i == 2 ? 1 : 0) << i;
}

}  // namespace
