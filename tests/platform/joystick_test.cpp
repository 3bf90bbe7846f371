// Joysticks through SDL's virtual joysticks: what a poll reports, and a joystick
// unplugged and plugged in again while the game samples its input.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/svc/input.h"
#include "app/svc/key_config.h"
#include "platform/joystick.h"
#include "platform/key_state.h"

namespace {

struct Joysticks : ::testing::Test {
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    ASSERT_TRUE(plat::InitJoysticks());
    plat::SetVirtualJoysticksOnly(true);  // whatever is plugged into this machine
  }
  void TearDown() override {
    plat::ShutdownJoysticks();
    plat::SetVirtualJoysticksOnly(false);
  }
};

TEST_F(Joysticks, PollReportsAxesAndButtons) {
  plat::JoyInfo j;
  EXPECT_FALSE(plat::JoyGetPos(0, j));
  int h = plat::AttachVirtualJoystick();
  ASSERT_GE(h, 0);
  ASSERT_TRUE(plat::JoyGetPos(0, j));
  EXPECT_EQ(j.dwXpos, 32768u);  // at rest
  EXPECT_EQ(j.dwYpos, 32768u);
  EXPECT_EQ(j.dwButtons, 0u);
  struct Row {
    uint32_t x, y;
  } rows[] = {{0, 65535}, {10000, 10001}, {55535, 55534}, {65535, 0}};
  for (const Row& r : rows) {
    plat::SetVirtualJoystickAxis(h, 0, r.x);
    plat::SetVirtualJoystickAxis(h, 1, r.y);
    ASSERT_TRUE(plat::JoyGetPos(0, j));
    EXPECT_EQ(j.dwXpos, r.x);
    EXPECT_EQ(j.dwYpos, r.y);
  }
  plat::SetVirtualJoystickButton(h, 0, true);
  plat::SetVirtualJoystickButton(h, 9, true);
  plat::SetVirtualJoystickButton(h, 31, true);
  ASSERT_TRUE(plat::JoyGetPos(0, j));
  EXPECT_EQ(j.dwButtons, 1u | 1u << 9 | 1u << 31);
  EXPECT_FALSE(plat::JoyGetPos(1, j));
  EXPECT_FALSE(plat::JoyGetPos(-1, j));
  EXPECT_FALSE(plat::JoyGetPos(plat::kMaxJoysticks, j));
  EXPECT_FALSE(plat::SetVirtualJoystickAxis(h, 2, 0));
  EXPECT_FALSE(plat::SetVirtualJoystickButton(h + 100, 0, true));
}

TEST_F(Joysticks, UnpluggedWhileRunningKeyboardKeepsWorkingAndPollingResumesAfter120Frames) {
  KeyConfig = KEYCONFIGDATA{};
  SetDefaultKeyConfig(KeyConfig);
  plat::ReleaseAllKeys();
  cInput in;
  in.InitJoyButtons();

  // Counts the real polls.
  struct Counting : cInputDevices {
    mutable int polls = 0;
    bool IsKeyDown(int vk) const override { return SystemInputDevices().IsKeyDown(vk); }
    bool JoyGetPos(int n, plat::JoyInfo& out) const override {
      ++polls;
      return SystemInputDevices().JoyGetPos(n, out);
    }
  } dev;

  int h = plat::AttachVirtualJoystick();
  plat::SetVirtualJoystickAxis(h, 0, 65535);  // right
  plat::SetVirtualJoystickButton(h, 1, true);  // button 2
  plat::SetKeyDown(plat::VK_LEFT, true);
  plat::SetKeyDown('Z', true);
  ASSERT_EQ(in.ReadDefault(0, 3, 60, dev), 1);
  EXPECT_EQ(in.m_wDirection, 2);
  EXPECT_EQ(in.m_wButton, 2);

  ASSERT_TRUE(plat::DetachVirtualJoystick(h));
  in.ReadDefault(0, 3, 60, dev);
  EXPECT_EQ(in.m_bJoyPresent[0], 0);
  EXPECT_EQ(in.m_wDirection, 1);  // the keyboard at once
  EXPECT_EQ(in.m_wButton, 1);
  const int polls = dev.polls;

  h = plat::AttachVirtualJoystick();  // plugged in again at once
  plat::SetVirtualJoystickAxis(h, 1, 0);  // up
  for (int frame = 1; frame <= 120; ++frame) {
    in.ReadDefault(0, 3, 60, dev);
    ASSERT_EQ(in.m_wDirection, 1) << "frame " << frame;
  }
  EXPECT_EQ(dev.polls, polls);
  in.ReadDefault(0, 3, 60, dev);
  EXPECT_EQ(dev.polls, polls + 1);
  EXPECT_EQ(in.m_bJoyPresent[0], 1);
  EXPECT_EQ(in.m_wDirection, 4);
  EXPECT_EQ(in.m_wButton, 1);  // the new joystick has no button down: the keys count
  plat::ReleaseAllKeys();
}

TEST_F(Joysticks, NumbersFollowThePluggedJoysticks) {
  int a = plat::AttachVirtualJoystick();
  int b = plat::AttachVirtualJoystick();
  plat::SetVirtualJoystickButton(a, 0, true);
  plat::SetVirtualJoystickButton(b, 1, true);
  plat::JoyInfo j;
  ASSERT_TRUE(plat::JoyGetPos(0, j));
  EXPECT_EQ(j.dwButtons, 1u);
  ASSERT_TRUE(plat::JoyGetPos(1, j));
  EXPECT_EQ(j.dwButtons, 2u);
  plat::DetachVirtualJoystick(a);
  ASSERT_TRUE(plat::JoyGetPos(0, j));
  EXPECT_EQ(j.dwButtons, 2u);
  EXPECT_FALSE(plat::JoyGetPos(1, j));
  EXPECT_FALSE(plat::DetachVirtualJoystick(a));
}

TEST(JoysticksNotStarted, PollsFail) {
  plat::JoyInfo j;
  EXPECT_FALSE(plat::JoyGetPos(0, j));
  EXPECT_EQ(plat::AttachVirtualJoystick(), -1);
}

}  // namespace
