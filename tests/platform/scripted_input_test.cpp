// KORVANE_INPUT: keys and a joystick driven frame by frame from a script.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/svc/input.h"
#include "app/svc/input_startup.h"
#include "app/svc/key_config.h"
#include "platform/joystick.h"
#include "platform/key_state.h"
#include "platform/scripted_input.h"
#include "tests/support/temp_dir.h"

namespace {

struct ScriptedInput : ::testing::Test {
  cTempDir dir;
  void TearDown() override {
    plat::EndScriptedInput();
    plat::ShutdownJoysticks();
    plat::ReleaseAllKeys();
  }
  bool Load(const std::string& text, std::string& error) {
    dir.Write("input.txt", text);
    return plat::LoadScriptedInput(dir.Path() + "/input.txt", error);
  }
};

TEST_F(ScriptedInput, BadLinesAreRefusedWithTheirLineNumber) {
  struct Row {
    const char* text;
    const char* error;
  } rows[] = {
      {"LEFT=1\n", "line 1: a frame number must come first"},
      {"# fine\n\n5 LEFT=2\n", "line 3: the value must be 0 or 1"},
      {"5 LEFT=1\n6 NOSUCHKEY=1\n", "line 2: unknown key or button 'NOSUCHKEY'"},
      {"5 LEFT\n", "line 1: expected <name>=<0 or 1>"},
      {"5 =1\n", "line 1: expected <name>=<0 or 1>"},
      {"5 JOY_B33=1\n", "line 1: unknown key or button"},
      {"5 JOY_B0=1\n", "line 1: unknown key or button"},
      {"99999999999 Z=1\n", "line 1: frame number too large"},
  };
  for (const Row& r : rows) {
    std::string error;
    EXPECT_FALSE(Load(r.text, error)) << r.text;
    EXPECT_NE(error.find(r.error), std::string::npos) << r.text << " gave: " << error;
    EXPECT_FALSE(plat::IsScriptedInput());
  }
  std::string error;
  EXPECT_FALSE(plat::LoadScriptedInput(dir.Path() + "/missing.txt", error));
  EXPECT_NE(error.find("missing.txt : file not found"), std::string::npos) << error;
  // A folder (or a FIFO) is no script, and is never waited on.
  EXPECT_FALSE(plat::LoadScriptedInput(dir.Path(), error));
  EXPECT_NE(error.find(" : not a regular file"), std::string::npos) << error;
}

TEST_F(ScriptedInput, KeysChangeAtTheirFrameAndStay) {
  std::string error;
  ASSERT_TRUE(Load("# keys\r\n0 right=1\r\n 3 RIGHT = 0\n3 Z=1\n\n10 z=0\n2 VK_UP=1\n", error)) << error;
  ASSERT_TRUE(plat::IsScriptedInput());
  struct Row {
    uint32_t frame;
    bool right, up, z;
  } rows[] = {{1, true, false, false}, {2, true, true, false}, {3, false, true, true},
              {9, false, true, true},  {10, false, true, false}, {50, false, true, false}};
  for (const Row& r : rows) {
    plat::ApplyScriptedInput(r.frame);
    EXPECT_EQ(plat::IsKeyDown(plat::VK_RIGHT), r.right) << "frame " << r.frame;
    EXPECT_EQ(plat::IsKeyDown(plat::VK_UP), r.up) << "frame " << r.frame;
    EXPECT_EQ(plat::IsKeyDown('Z'), r.z) << "frame " << r.frame;
  }
}

TEST_F(ScriptedInput, DesktopKeyEventsAreIgnoredWhileAScriptRuns) {
  std::string error;
  ASSERT_TRUE(Load("1 X=1\n", error));
  plat::OnSdlKeyEvent(29, true);  // Z on the real keyboard
  plat::ApplyScriptedInput(1);
  EXPECT_FALSE(plat::IsKeyDown('Z'));
  EXPECT_TRUE(plat::IsKeyDown('X'));
  plat::EndScriptedInput();
  plat::OnSdlKeyEvent(29, true);
  EXPECT_TRUE(plat::IsKeyDown('Z'));
}

TEST_F(ScriptedInput, ScriptedJoystickPlugsInMovesAndIsUnplugged) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  ASSERT_TRUE(plat::InitJoysticks());
  std::string error;
  ASSERT_TRUE(Load("2 JOY_LEFT=1\n3 JOY=1\n4 JOY_B3=1\n4 JOY_DOWN=1\n5 JOY_LEFT=0\n5 JOY_RIGHT=1\n6 JOY=0\n"
                   "7 JOY=1\n",
                   error))
      << error;
  plat::JoyInfo j;
  plat::ApplyScriptedInput(2);
  EXPECT_FALSE(plat::JoyGetPos(0, j));  // not plugged in yet
  plat::ApplyScriptedInput(3);
  ASSERT_TRUE(plat::JoyGetPos(0, j));
  EXPECT_EQ(j.dwXpos, 0u);
  EXPECT_EQ(j.dwYpos, 32768u);
  plat::ApplyScriptedInput(4);
  ASSERT_TRUE(plat::JoyGetPos(0, j));
  EXPECT_EQ(j.dwButtons, 4u);
  EXPECT_EQ(j.dwYpos, 65535u);
  plat::ApplyScriptedInput(5);
  ASSERT_TRUE(plat::JoyGetPos(0, j));
  EXPECT_EQ(j.dwXpos, 65535u);
  plat::ApplyScriptedInput(6);
  EXPECT_FALSE(plat::JoyGetPos(0, j));
  plat::ApplyScriptedInput(7);  // plugged in again with the state it had
  ASSERT_TRUE(plat::JoyGetPos(0, j));
  EXPECT_EQ(j.dwXpos, 65535u);
  EXPECT_EQ(j.dwButtons, 4u);
}

TEST_F(ScriptedInput, StartUpLoadsTheScriptAndTheSampledWordsFollowIt) {
  dir.Write("input.txt", "1 Z=1\n1 LEFT=1\n2 Z=0\n2 F=1\n");
  setenv("KORVANE_INPUT", (dir.Path() + "/input.txt").c_str(), 1);
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  KeyConfig = KEYCONFIGDATA{};
  InitInputRepeat();
  ASSERT_TRUE(InitInputDevices());
  LoadKeyConfig();
  cInput& in = Input.At(0);
  EXPECT_EQ(in.m_nRepeatDelay, 18u);
  EXPECT_EQ(in.m_nRepeatInterval, 6u);
  EXPECT_EQ(in.m_wJoyMask[7], 128);
  const uint16_t buttons[] = {1, 128, 128};
  for (uint32_t frame = 1; frame <= 3; ++frame) {
    plat::ApplyScriptedInput(frame);
    ASSERT_EQ(in.ReadDefault(0, 3, 60), 1);
    EXPECT_EQ(in.m_wDirection, 1) << "frame " << frame;
    EXPECT_EQ(in.m_wButton, buttons[frame - 1]) << "frame " << frame;
  }
  unsetenv("KORVANE_INPUT");
}

TEST_F(ScriptedInput, StartUpFailsOnABadScript) {
  dir.Write("input.txt", "1 NOPE=1\n");
  setenv("KORVANE_INPUT", (dir.Path() + "/input.txt").c_str(), 1);
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  EXPECT_FALSE(InitInputDevices());
  EXPECT_TRUE(dir.ReportContains("KORVANE_INPUT : "));
  EXPECT_TRUE(dir.ReportContains("line 1: unknown key or button 'NOPE'"));
  unsetenv("KORVANE_INPUT");
}

}  // namespace
