// The message box drawn inside the game window: answers by keyboard, and a size
// that keeps it (and its buttons) on the frame.
#include <gtest/gtest.h>

#include <string>

#include "platform/message_box.h"
#include "tests/ui/ui_driver.h"

namespace {

using namespace plat;

struct InWindowBox : ::testing::Test {
  void SetUp() override { EnsureQueue(); }
  void TearDown() override { SetModalTestDriver(nullptr); }
};

TEST_F(InWindowBox, KeysAnswerTheBox) {
  constexpr int kTab = 0x09;
  struct Case {
    unsigned type;
    std::vector<int> keys;
    int answer;
  } cases[] = {
      {MB_OK, {VK_RETURN}, IDOK},
      {MB_OK, {VK_ESCAPE}, IDOK},
      {MB_YESNO, {VK_RETURN}, IDYES},
      {MB_YESNO | MB_DEFBUTTON2, {VK_RETURN}, IDNO},
      {MB_YESNO, {VK_ESCAPE}, IDNO},
      {MB_YESNO, {kTab, VK_RETURN}, IDNO},
      {MB_YESNO, {kTab, VK_SPACE}, IDNO},
      {MB_OKCANCEL, {VK_ESCAPE}, IDCANCEL},
      {MB_YESNOCANCEL | MB_DEFBUTTON3, {VK_RETURN}, IDCANCEL},
      {MB_YESNOCANCEL, {VK_ESCAPE}, IDCANCEL},
      {MB_ABORTRETRYIGNORE, {VK_ESCAPE, VK_RETURN}, IDABORT},  // no Escape answer
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "type " << c.type << " first key " << c.keys[0]);
    SetModalTestDriver([&](HWND) {
      for (int vk : c.keys) uitest::Key(vk);
    });
    EXPECT_EQ(ShowMessageBoxInWindow("Text", "Caption", c.type), c.answer);
  }
  // Closed without a button: as Escape, else the default button.
  SetModalTestDriver([](HWND d) { SendMessage(d, WM_CLOSE, 0, 0); });
  EXPECT_EQ(ShowMessageBoxInWindow("Text", "Caption", MB_YESNO), IDNO);
  EXPECT_EQ(ShowMessageBoxInWindow("Text", "Caption", MB_ABORTRETRYIGNORE | MB_DEFBUTTON2), IDRETRY);
}

TEST_F(InWindowBox, LongTextsKeepTheBoxAndItsButtonsOnTheFrame) {
  std::string manyLines, oneLongLine;
  for (int i = 0; i < 200; ++i) manyLines += "line " + std::to_string(i) + "\n";
  for (int i = 0; i < 400; ++i) oneLongLine += "word ";
  for (const std::string& text : {manyLines, oneLongLine, std::string("short")}) {
    SetModalTestDriver([&](HWND d) {
      RECT box;
      ASSERT_TRUE(GetWindowRect(d, &box));
      EXPECT_GE(box.left, 0);
      EXPECT_GE(box.top, 0);
      EXPECT_LE(box.right, 640);
      EXPECT_LE(box.bottom, 480);
      for (int id : {IDYES, IDNO}) {
        RECT b;
        ASSERT_TRUE(GetWindowRect(GetDlgItem(d, id), &b));
        EXPECT_GE(b.top, box.top);
        EXPECT_LE(b.bottom, box.bottom);
        EXPECT_GE(b.left, box.left);
        EXPECT_LE(b.right, box.right);
      }
      EndDialog(d, IDYES);
    });
    EXPECT_EQ(ShowMessageBoxInWindow(text.c_str(), "Caption", MB_YESNO), IDYES);
  }
}

}  // namespace
