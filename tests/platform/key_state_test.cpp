#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/key_state.h"

namespace {

// SDL scancodes are the USB usage numbers of the keys.
TEST(KeyState, ScancodesToVirtualKeys) {
  struct Row {
    int scancode, vk;
  } rows[] = {
      {4, 'A'},   {29, 'Z'},  {27, 'X'},  {6, 'C'},   {25, 'V'},  {22, 'S'},  {7, 'D'},   {9, 'F'},
      {80, 0x25}, {82, 0x26}, {79, 0x27}, {81, 0x28}, {40, 0x0D}, {41, 0x1B}, {44, 0x20}, {30, '1'},
      {39, '0'},  {58, 0x70}, {59, 0x71}, {69, 0x7B}, {225, 0xA0}, {229, 0xA1}, {224, 0xA2}, {226, 0xA4},
      {98, 0x60}, {89, 0x61}, {88, 0x0D}, {135, 0xE2}, {137, 0xDC}, {0, 0},   {1000, 0},  {-1, 0},
  };
  for (const Row& r : rows) EXPECT_EQ(plat::VirtualKeyFromScancode(r.scancode), r.vk) << "scancode " << r.scancode;
}

TEST(KeyState, KeyEventsFillTheTable) {
  plat::ReleaseAllKeys();
  plat::OnSdlKeyEvent(29, true);  // Z
  plat::OnSdlKeyEvent(80, true);  // left
  EXPECT_TRUE(plat::IsKeyDown('Z'));
  EXPECT_TRUE(plat::IsKeyDown(plat::VK_LEFT));
  EXPECT_FALSE(plat::IsKeyDown('X'));
  plat::OnSdlKeyEvent(29, true);  // a repeat changes nothing
  plat::OnSdlKeyEvent(29, false);
  EXPECT_FALSE(plat::IsKeyDown('Z'));
  EXPECT_TRUE(plat::IsKeyDown(plat::VK_LEFT));
  plat::ReleaseAllKeys();
  EXPECT_FALSE(plat::IsKeyDown(plat::VK_LEFT));
}

TEST(KeyState, SideNeutralModifiersAndOutOfRangeCodes) {
  plat::ReleaseAllKeys();
  plat::OnSdlKeyEvent(225, true);  // left shift
  plat::OnSdlKeyEvent(229, true);  // right shift
  EXPECT_TRUE(plat::IsKeyDown(plat::VK_SHIFT));
  plat::OnSdlKeyEvent(225, false);
  EXPECT_TRUE(plat::IsKeyDown(plat::VK_SHIFT));  // the right one is still down
  plat::OnSdlKeyEvent(229, false);
  EXPECT_FALSE(plat::IsKeyDown(plat::VK_SHIFT));
  plat::OnSdlKeyEvent(230, true);  // right alt
  EXPECT_TRUE(plat::IsKeyDown(plat::VK_MENU));
  EXPECT_FALSE(plat::IsKeyDown(plat::VK_CONTROL));
  for (int bad : {-1, 256, 0xFFFF, 1 << 30}) {
    plat::SetKeyDown(bad, true);
    EXPECT_FALSE(plat::IsKeyDown(bad));
  }
}

TEST(KeyState, NamesBothWays) {
  int named = 0;
  for (int vk = 0; vk < plat::kKeyCount; ++vk) {
    const char* name = plat::VirtualKeyName(vk);
    if (!name) continue;
    ++named;
    EXPECT_EQ(plat::VirtualKeyFromName(name), vk) << name;
  }
  EXPECT_GT(named, 100);
  EXPECT_EQ(plat::VirtualKeyFromName("esc"), 0x1B);
  EXPECT_EQ(plat::VirtualKeyFromName("VK_LEFT"), 0x25);
  EXPECT_EQ(plat::VirtualKeyFromName("Enter"), 0x0D);
  EXPECT_EQ(plat::VirtualKeyFromName("z"), 'Z');
  EXPECT_EQ(plat::VirtualKeyFromName("f12"), 0x7B);
  EXPECT_EQ(plat::VirtualKeyFromName("NOSUCH"), -1);
  EXPECT_EQ(plat::VirtualKeyFromName(""), -1);
  EXPECT_EQ(plat::VirtualKeyName(-1), nullptr);
}

// The window thread writes the table while the game thread reads it.
TEST(KeyStateThread, WrittenOnOneThreadReadOnAnother) {
  plat::ReleaseAllKeys();
  std::atomic<bool> done{false};
  std::thread window([&] {
    for (int i = 0; i < 20000; ++i) plat::OnSdlKeyEvent(29, i % 2 == 0);
    plat::OnSdlKeyEvent(29, true);
    done = true;
  });
  int seen = 0;
  while (!done)
    if (plat::IsKeyDown('Z')) ++seen;
  window.join();
  EXPECT_TRUE(plat::IsKeyDown('Z'));
  EXPECT_GE(seen, 0);
}

}  // namespace
