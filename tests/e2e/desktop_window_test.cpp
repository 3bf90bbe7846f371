// The real window on an X display (test.sh gives the tests a virtual one).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "tests/support/run_game.h"
#include "tests/support/temp_dir.h"

namespace {

std::string Shell(const std::string& cmd) {
  std::string out;
  FILE* p = popen((cmd + " 2>/dev/null").c_str(), "r");
  if (!p) return out;
  char buf[512];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  pclose(p);
  return out;
}

TEST(DesktopWindow, OpensA640x480WindowAndEscapeClosesTheGameInOrder) {
  if (!std::getenv("DISPLAY") || Shell("command -v xdotool").empty()) GTEST_SKIP() << "needs an X display and xdotool";
  cTempDir dir(false);
  ASSERT_TRUE(MakeDemoProject(dir.Path(), "Direct3D=0\nWindowMode=1\nExit\n"));
  cBackgroundProgram game("korvane", {}, dir.Path(), {"KORVANE_HEADLESS=0", "KORVANE_LOCK=" + dir.Path() + "/game.lock"});
  std::string window;
  auto end = std::chrono::steady_clock::now() + std::chrono::seconds(15);
  while (window.empty() && std::chrono::steady_clock::now() < end && game.Running()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    // The window is shown once start-up is through.
    if (dir.ReportContains("Mode : Window")) window = Shell("xdotool search --onlyvisible --pid " + std::to_string(game.Pid()));
  }
  while (!window.empty() && (window.back() == '\n' || window.back() == ' ')) window.pop_back();
  ASSERT_FALSE(window.empty()) << "no window appeared";
  window = window.substr(0, window.find('\n'));
  EXPECT_NE(Shell("xdotool getwindowgeometry " + window).find("Geometry: 640x480"), std::string::npos);
  Shell("xdotool key --window " + window + " Escape");
  EXPECT_EQ(game.Wait(10000), 0);
  EXPECT_EQ(dir.Read("user_data/Window.dat").size(), 32u);
}

// A key pressed in the real window shows up as its button bit in the frame's
// sampled input.
TEST(DesktopWindow, AKeyPressedInTheWindowReachesTheFramesInput) {
  if (!std::getenv("DISPLAY") || Shell("command -v xdotool").empty()) GTEST_SKIP() << "needs an X display and xdotool";
  cTempDir dir(false);
  ASSERT_TRUE(MakeDemoProject(dir.Path(), "Direct3D=0\nWindowMode=1\nExit\n"));
  cBackgroundProgram game("korvane", {}, dir.Path(),
                          {"KORVANE_HEADLESS=0", "KORVANE_TRACE_INPUT=1", "KORVANE_LOCK=" + dir.Path() + "/game.lock"});
  std::string window;
  auto end = std::chrono::steady_clock::now() + std::chrono::seconds(15);
  while (window.empty() && std::chrono::steady_clock::now() < end && game.Running()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (dir.ReportContains("Input : frame")) window = Shell("xdotool search --onlyvisible --pid " + std::to_string(game.Pid()));
  }
  window = window.substr(0, window.find('\n'));
  ASSERT_FALSE(window.empty()) << "no window appeared";
  auto pressed = [&] {
    for (const std::string& line : dir.ReportLines())
      if (line.rfind("Input : ", 0) == 0 && line.find(" buttons 2") != std::string::npos) return true;
    return false;
  };
  // The game runs frames only while it has the focus, and without a window manager
  // every window that is shown takes it (another test's too): focus the game, then
  // hold X for a while (the keys are sampled once a frame), and again until seen.
  for (int attempt = 0; attempt < 10 && !pressed(); ++attempt) {
    Shell("xdotool windowfocus --sync " + window);
    Shell("xdotool keydown --window " + window + " x && sleep 0.3 && xdotool keyup --window " + window + " x");
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
  EXPECT_TRUE(pressed()) << "button 2 (X) never sampled";
  Shell("xdotool key --window " + window + " Escape");
  EXPECT_EQ(game.Wait(10000), 0);
}

}  // namespace
