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
  dir.Write("System.ini", "Direct3D=0\nWindowMode=1\nExit\n");
  dir.Write("user_data/.keep", std::string());
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

}  // namespace
