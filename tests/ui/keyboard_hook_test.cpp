// The framework dialogs' keyboard hook: what it reposts to the active dialog.
#include <gtest/gtest.h>

#include <vector>

#include "app/ui/hook.h"
#include "tests/ui/ui_driver.h"

namespace {

using namespace plat;

constexpr uint16_t kEdit = 10;

LRESULT TakeFocus(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG ? 1 : 0; }

struct HookFixture : ::testing::Test {
  HWND dialog = 0;
  cHook hook;
  void SetUp() override {
    EnsureQueue();
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION;
    t.cx = 100;
    t.cy = 50;
    t.items = {{kEdit, ItemClass::kEdit, WS_TABSTOP, 5, 5, 80, 12, ""}};
    dialog = CreateDialogParam(t, 0, &TakeFocus, 0);
    ASSERT_NE(dialog, 0u);
    ASSERT_EQ(hook.Install(dialog, 0), 1);
  }
  void TearDown() override {
    cHook::Uninstall();
    DestroyWindow(dialog);
  }
  // The messages the hook posted, taken from the queue.
  std::vector<MSG> Posted() {
    std::vector<MSG> out;
    MSG m;
    while (PeekMessageIf(&m, [](const MSG&) { return true; })) out.push_back(m);
    return out;
  }
};

TEST_F(HookFixture, KeysAreRepostedAsThePartSays) {
  constexpr uint32_t kUp = 0xC0000001u;
  constexpr UINT kNone = 0;
  struct Case {
    const char* name;
    int code;
    int key;
    uint32_t data;
    bool composing;
    UINT posted;
  } cases[] = {
      {"Enter without a composition", HC_ACTION, VK_RETURN, 1, false, WM_KEYDOWN},
      {"Enter confirms a composition", HC_ACTION, VK_RETURN, 1, true, kNone},
      {"Tab is never reposted", HC_ACTION, 0x09, 1, false, kNone},
      {"Left arrow", HC_ACTION, VK_LEFT, 1, false, WM_HOOK_KEY},
      {"Down arrow", HC_ACTION, VK_DOWN, 1, false, WM_HOOK_KEY},
      {"Space", HC_ACTION, VK_SPACE, 1, false, WM_HOOK_KEY},
      {"Delete", HC_ACTION, 0x2E, 1, false, WM_HOOK_KEY},
      {"F1", HC_ACTION, 0x70, 1, false, WM_HOOK_KEY},
      {"F8", HC_ACTION, 0x77, 1, false, WM_HOOK_KEY},
      {"F9 is not forwarded", HC_ACTION, 0x78, 1, false, WM_KEYDOWN},
      {"A letter", HC_ACTION, 'A', 1, false, WM_KEYDOWN},
      {"An arrow while composing", HC_ACTION, VK_LEFT, 1, true, WM_KEYDOWN},
      {"A key up", HC_ACTION, 'A', kUp, false, WM_KEYUP},
      {"Tab's key up", HC_ACTION, 0x09, kUp, false, WM_KEYUP},
      {"HC_NOREMOVE passes on", HC_NOREMOVE, 'A', 1, false, kNone},
      {"A negative code passes on", -1, 'A', 1, false, kNone},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    uitest::Compose(c.composing ? "か" : "");
    Posted();
    // The hook never swallows a key.
    EXPECT_EQ(cHook::HookProc(c.code, static_cast<WPARAM>(c.key), static_cast<LPARAM>(c.data)), 0);
    const std::vector<MSG> got = Posted();
    if (c.posted == kNone) {
      EXPECT_TRUE(got.empty());
      continue;
    }
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].hwnd, dialog);
    EXPECT_EQ(got[0].message, c.posted);
    EXPECT_EQ(got[0].wParam, static_cast<WPARAM>(c.key));
    EXPECT_EQ(static_cast<uint32_t>(got[0].lParam), c.data);
  }
}

TEST_F(HookFixture, ControlHeldFollowsTheControlKeyAndOnlyTheHookedActiveDialogGetsKeys) {
  cHook::HookProc(HC_ACTION, VK_CONTROL, 1);
  EXPECT_EQ(cHook::ControlHeld(), 1);
  cHook::HookProc(HC_ACTION, VK_CONTROL, static_cast<LPARAM>(0xC0000001u));
  EXPECT_EQ(cHook::ControlHeld(), 0);
  Posted();
  // A dialog opened on top without the hook's property: nothing goes anywhere.
  DialogTemplate t;
  t.cx = t.cy = 20;
  const HWND other = CreateDialogParam(t, 0, &TakeFocus, 0);
  cHook::HookProc(HC_ACTION, 'A', 1);
  EXPECT_TRUE(Posted().empty());
  DestroyWindow(other);
  cHook::HookProc(HC_ACTION, 'A', 1);
  EXPECT_EQ(Posted().size(), 1u);
}

TEST_F(HookFixture, InstallAndUninstallAreIdempotent) {
  cHook second;
  EXPECT_EQ(second.Install(dialog, 0), 1);  // the one hook of the thread stays
  EXPECT_TRUE(cHook::Installed());
  // Keys pass the hooks once: one repost, not one per Install.
  Posted();
  UiEvent e;
  e.vk = 'A';
  PostUiEvent(e);
  ProcessUiEvents();
  EXPECT_EQ(Posted().size(), 1u);
  cHook::Uninstall();
  EXPECT_FALSE(cHook::Installed());
  cHook::Uninstall();
  EXPECT_FALSE(cHook::Installed());
  EXPECT_EQ(hook.Install(dialog, 0), 1);
  EXPECT_TRUE(cHook::Installed());
}

}  // namespace
