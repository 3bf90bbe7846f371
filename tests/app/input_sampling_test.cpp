// Sampling the keyboard and joysticks into the direction and button words: the
// built-in mapping, the configured mapping and the joystick retry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/svc/input.h"
#include "app/svc/key_config.h"
#include "tests/support/fake_input.h"

namespace {

constexpr int L = 0x25, U = 0x26, R = 0x27, D = 0x28;

struct InputSampling : ::testing::Test {
  cInput in;
  cFakeInputDevices dev;
  void SetUp() override {
    KeyConfig = KEYCONFIGDATA{};
    SetDefaultKeyConfig(KeyConfig);
    in.InitJoyButtons();
  }
  int Default() { return in.ReadDefault(0, 3, 60, dev); }
};

struct AxisRow {
  uint32_t x, y;
  uint16_t dir;
  int pos;
};

TEST_F(InputSampling, JoystickAxisThresholds) {
  const AxisRow rows[] = {
      {0, 32767, 1, 4},          {10000, 32767, 1, 4},     {10001, 32767, 0, 5},
      {55534, 32767, 0, 5},      {55535, 32767, 2, 6},     {65535, 32767, 2, 6},
      {32767, 10000, 4, 2},      {32767, 10001, 0, 5},     {32767, 55535, 8, 8},
      {0, 0, 5, 1},              {65535, 65535, 10, 9},    {10000, 55535, 9, 7},
  };
  for (const AxisRow& r : rows) {
    dev.Plug(0, r.x, r.y);
    EXPECT_EQ(Default(), 1);
    EXPECT_EQ(in.m_wDirection, r.dir) << "x " << r.x << " y " << r.y;
    EXPECT_EQ(in.m_nPosition, r.pos) << "x " << r.x << " y " << r.y;
  }
}

TEST(InputJoyAxis, AxisCodes) {
  struct Row {
    uint32_t x, y;
    uint16_t code;
    int pressed;
  } rows[] = {
      {10000, 32767, 256, 1}, {10001, 32767, 256, 0}, {55535, 32767, 512, 1}, {55534, 32767, 512, 0},
      {32767, 10000, 1024, 1}, {32767, 10001, 1024, 0}, {32767, 55535, 2048, 1}, {32767, 55534, 2048, 0},
      {0, 0, 0, 0},            {0, 0, 3, 0},            {0, 0, 256 | 1024, 0}, {65535, 0, 4096, 0},
  };
  for (const Row& r : rows)
    EXPECT_EQ(cInput::JoyAxisPressed(plat::JoyInfo{r.x, r.y, 0}, r.code), r.pressed) << "code " << r.code;
}

struct PriorityRow {
  const char* what;
  std::vector<int> keys;
  bool joystick;
  uint32_t x, y, buttons;
  uint16_t dir;
  int pos;
  uint16_t button;
};

TEST_F(InputSampling, BuiltInMappingKeysAndJoystickPriority) {
  const uint32_t mid = 32767;
  const PriorityRow rows[] = {
      {"no input", {}, false, 0, 0, 0, 0, 5, 0},
      {"left arrow", {L}, false, 0, 0, 0, 1, 4, 0},
      {"left and right together", {L, R}, false, 0, 0, 0, 3, 5, 0},
      {"up and down together", {U, D}, false, 0, 0, 0, 12, 5, 0},
      {"down-right", {D, R}, false, 0, 0, 0, 10, 9, 0},
      {"keys Z X C V A S D F", {'Z', 'X', 'C', 'V', 'A', 'S', 'D', 'F'}, false, 0, 0, 0, 0, 5, 255},
      {"Z and F", {'Z', 'F'}, false, 0, 0, 0, 0, 5, 1 | 128},
      {"stick right beats the left arrow", {L}, true, 65535, mid, 0, 2, 6, 0},
      {"stick at rest leaves the arrows", {L, U}, true, mid, mid, 0, 5, 1, 0},
      {"stick up only: the arrows are not added", {L}, true, mid, 0, 0, 4, 2, 0},
      {"any joystick button beats all keys", {'Z', 'X', 'C'}, true, mid, mid, 2, 0, 5, 2},
      {"joystick without buttons leaves the keys", {'Z'}, true, mid, mid, 0, 0, 5, 1},
      {"joystick button 9 is not mapped", {'X'}, true, mid, mid, 1u << 8, 0, 5, 2},
      {"joystick buttons 1 and 8", {}, true, mid, mid, 1 | 128, 0, 5, 1 | 128},
  };
  for (const PriorityRow& r : rows) {
    cInput fresh;
    fresh.InitJoyButtons();
    cFakeInputDevices d;
    d.keys.insert(r.keys.begin(), r.keys.end());
    if (r.joystick) d.Plug(0, r.x, r.y, r.buttons);
    EXPECT_EQ(fresh.ReadDefault(0, 3, 60, d), 1) << r.what;
    EXPECT_EQ(fresh.m_wDirection, r.dir) << r.what;
    EXPECT_EQ(fresh.m_nPosition, r.pos) << r.what;
    EXPECT_EQ(fresh.m_wButton, r.button) << r.what;
  }
}

TEST_F(InputSampling, BuiltInMappingFlags) {
  dev.Plug(0, 0, 32767, 4);
  dev.Hold({R, 'Z'});
  // Joystick only: the keys are not read.
  EXPECT_EQ(in.ReadDefault(0, 1, 60, dev), 1);
  EXPECT_EQ(in.m_wDirection, 1);
  EXPECT_EQ(in.m_wButton, 4);
  // Keyboard only: the joystick is still polled but gives nothing.
  int polls = dev.polls[0];
  EXPECT_EQ(in.ReadDefault(0, 2, 60, dev), 1);
  EXPECT_EQ(dev.polls[0], polls + 1);
  EXPECT_EQ(in.m_wDirection, 2);
  EXPECT_EQ(in.m_wButton, 1);
}

TEST_F(InputSampling, ConfiguredMappingRefusesWhenNotInUseAndTheBuiltInOneWhenInUse) {
  in.m_wDirection = 7;
  in.m_wButton = 9;
  dev.Hold({L, 'Z'});
  EXPECT_EQ(in.ReadConfigured(1, 60, dev), 0);
  EXPECT_EQ(in.m_wDirection, 7);
  KeyConfig.bUse = 1;
  EXPECT_EQ(in.ReadDefault(0, 3, 60, dev), 0);
  EXPECT_EQ(in.m_wButton, 9);
  EXPECT_EQ(dev.polls[0], 0);
  EXPECT_EQ(in.ReadConfigured(1, 60, dev), 1);
  EXPECT_EQ(in.m_wDirection, 1);
  EXPECT_EQ(in.m_wButton, 1);
}

struct ConfiguredRow {
  const char* what;
  std::vector<int> keys;
  uint32_t x, y, buttons;
  uint16_t dir;
  int pos;
  uint16_t button;
};

TEST_F(InputSampling, ConfiguredMappingOverridesAndPriority) {
  // left: Left arrow; right: stick X max; up: stick Y min; down: Down arrow;
  // button 1: Z; button 2: joystick buttons 1 or 2; button 3: joystick 0 with an
  // axis code (never pressed: button entries test button bits only); button 4: V.
  KeyConfig.bUse = 1;
  KeyConfig.nJoyCount = 1;
  KeyConfig.nCount = 8;
  KeyConfig.Entry[0] = {8, 37, 0};
  KeyConfig.Entry[1] = {0, 512, 0};
  KeyConfig.Entry[2] = {0, 1024, 0};
  KeyConfig.Entry[3] = {8, 40, 0};
  KeyConfig.Entry[4] = {8, 'Z', 0};
  KeyConfig.Entry[5] = {0, 3, 0};
  KeyConfig.Entry[6] = {0, 256, 0};
  KeyConfig.Entry[7] = {8, 'V', 0};
  KeyConfig.Entry[8] = {8, 'A', 0};  // beyond the entry count: never read
  const uint32_t mid = 32767;
  const ConfiguredRow rows[] = {
      {"nothing", {}, mid, mid, 0, 0, 5, 0},
      {"left key", {L}, mid, mid, 0, 1, 4, 0},
      {"stick right", {}, 65535, mid, 0, 2, 6, 0},
      {"left and right both pressed: left wins", {L}, 65535, mid, 0, 1, 4, 0},
      {"up and down both pressed: up wins", {D}, mid, 0, 0, 4, 2, 0},
      {"down key and stick right", {D}, 65535, mid, 0, 10, 9, 0},
      {"stick left: not configured, and no button for button 3's axis code", {}, 0, mid, 0, 0, 5, 0},
      {"joystick button 2 makes button 2", {}, mid, mid, 2, 0, 5, 2},
      {"keys and joystick buttons together", {'Z', 'V'}, mid, mid, 1, 0, 5, 1 | 2 | 8},
      {"direction entries also test button bits", {}, mid, mid, 512, 2, 6, 0},
      {"entries beyond the count are not read", {'A'}, mid, mid, 0, 0, 5, 0},
  };
  for (const ConfiguredRow& r : rows) {
    cInput fresh;
    cFakeInputDevices d;
    d.keys.insert(r.keys.begin(), r.keys.end());
    d.Plug(0, r.x, r.y, r.buttons);
    EXPECT_EQ(fresh.ReadConfigured(1, 60, d), 1) << r.what;
    EXPECT_EQ(fresh.m_wDirection, r.dir) << r.what;
    EXPECT_EQ(fresh.m_nPosition, r.pos) << r.what;
    EXPECT_EQ(fresh.m_wButton, r.button) << r.what;
  }
}

TEST_F(InputSampling, UnpluggedJoystickWaitsTwiceTheRetryFramesWhileTheKeyboardWorks) {
  dev.Plug(0, 65535, 32767);
  dev.Hold({L});
  ASSERT_EQ(Default(), 1);
  EXPECT_EQ(in.m_wDirection, 2);
  EXPECT_EQ(in.m_bJoyPresent[0], 1);

  dev.present[0] = false;  // unplugged
  Default();
  EXPECT_EQ(in.m_wDirection, 1);  // the arrow key at once
  EXPECT_EQ(in.m_nJoyRetry[0], 120);
  int polls = dev.polls[0];
  dev.Plug(0, 65535, 32767);  // back at once, but not looked at for 120 frames
  for (int frame = 1; frame <= 120; ++frame) {
    Default();
    ASSERT_EQ(in.m_wDirection, 1) << "frame " << frame;
  }
  EXPECT_EQ(dev.polls[0], polls);
  Default();
  EXPECT_EQ(dev.polls[0], polls + 1);
  EXPECT_EQ(in.m_wDirection, 2);
}

TEST_F(InputSampling, ConfiguredMappingRetriesEachJoystickOnItsOwn) {
  // Joystick 0 stays; joystick 1 is missing: joystick 0 keeps being read every frame.
  KeyConfig.bUse = 1;
  KeyConfig.nJoyCount = 2;
  KeyConfig.nCount = 6;
  KeyConfig.Entry[0] = {0, 256, 0};
  KeyConfig.Entry[4] = {1, 1, 0};
  KeyConfig.Entry[5] = {0, 1, 0};
  dev.Plug(0, 0, 32767, 1);
  for (int frame = 0; frame < 130; ++frame) {
    ASSERT_EQ(in.ReadConfigured(1, 60, dev), 1);
    ASSERT_EQ(in.m_wDirection, 1) << "frame " << frame;
    ASSERT_EQ(in.m_wButton, 2) << "frame " << frame;
  }
  EXPECT_EQ(dev.polls[0], 130);
  EXPECT_EQ(dev.polls[1], 2);  // frame 0 and frame 121
  EXPECT_EQ(dev.polls[2], 0);
}

TEST(InputDirToNumber, PositionsOfDirectionWords) {
  const int expected[16] = {5, 4, 6, 4, 2, 1, 3, 1, 8, 7, 9, 7, 2, 1, 3, 1};
  for (int bits = 0; bits < 16; ++bits) EXPECT_EQ(DirToNumber(static_cast<uint16_t>(bits)), expected[bits]) << bits;
}

}  // namespace
