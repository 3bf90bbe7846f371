// The real program, run headless on the virtual clock in a project folder.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "platform/sjis.h"
#include "platform/window.h"
#include "tests/support/run_game.h"
#include "tests/support/temp_dir.h"

namespace {

const std::string kWindowed = "WindowMode=1\nExit\n";

int32_t I32At(const std::vector<unsigned char>& b, size_t at) {
  return static_cast<int32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24);
}

// The demo project with its own "System.ini" (none when systemIni is empty).
void MakeProject(const cTempDir& dir, const std::string& systemIni) {
  ASSERT_TRUE(MakeDemoProject(dir.Path()));
  std::remove((dir.Path() + "/System.ini").c_str());
  if (!systemIni.empty()) dir.Write("System.ini", systemIni);
}

bool WaitForReportLine(const cTempDir& dir, const std::string& text, int ms) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end) {
    if (dir.ReportContains(text)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

// Also run under ThreadSanitizer: the window thread, the game thread and the close.
TEST(GameThreadRun, HeadlessRunsItsFramesAndClosesInOrder) {
  cTempDir dir(false);
  MakeProject(dir, kWindowed);
  cProcessResult r = RunGame(dir.Path(), {"KORVANE_FRAMES=120"});
  EXPECT_EQ(r.exitCode, 0) << r.output;
  auto lines = dir.ReportLines();
  ASSERT_GE(lines.size(), 10u);
  EXPECT_EQ(lines[0], "App : ver 752");
  EXPECT_EQ(lines[1].rfind("OS : ", 0), 0u);
  EXPECT_EQ(lines[2].rfind("CPU : ", 0), 0u);
  EXPECT_TRUE(dir.ReportContains("Mode : Window"));
  EXPECT_TRUE(dir.ReportContains("Bpp : 32"));
  // The placement of the centred window, in the record format: 32 bytes.
  auto b = dir.Read("user_data/Window.dat");
  ASSERT_EQ(b.size(), 32u);
  EXPECT_EQ(I32At(b, 0), 752);
  EXPECT_EQ(I32At(b, 4), 5);
  EXPECT_EQ(I32At(b, 8), (plat::kHeadlessDesktopWidth - 640) / 2);
  EXPECT_EQ(I32At(b, 12), (plat::kHeadlessDesktopHeight - 480) / 2);
  EXPECT_EQ(I32At(b, 16), 640);
  EXPECT_EQ(I32At(b, 20), 480);
  EXPECT_EQ(I32At(b, 24), 0);
  EXPECT_EQ(I32At(b, 28), 0);
}

TEST(GameRun, UnreadableSystemIniIsReportedAndTheDefaultsApply) {
  cTempDir dir(false);
  MakeProject(dir, "WindowMode=1\n");  // no "Exit" line
  cProcessResult r = RunGame(dir.Path(), {"KORVANE_FRAMES=2"}, {"data/stg4/none.stg4"});
  EXPECT_EQ(r.exitCode, 0) << r.output;
  std::string message = SJ("System.ini の読み込みに失敗しました！");
  EXPECT_TRUE(dir.ReportContains(message));
  EXPECT_TRUE(dir.ReportContains("MessageBox [" + std::string(SJ("エラー")) + "] " + message));
  // The defaults: full screen, so no placement is kept.
  EXPECT_TRUE(dir.ReportContains("Mode : Fullscreen"));
  EXPECT_FALSE(dir.Exists("user_data/Window.dat"));
  // A start-up stage that does not exist is only logged.
  EXPECT_TRUE(dir.ReportContains(SJ("「data/stg4/none.stg4」の読み込みに失敗しました！")));
}

TEST(GameRun, StoredPlacementComesBackOnTheScreen) {
  struct Case {
    const char* what;
    std::vector<unsigned char> file;
    int x, y;
  };
  auto placement = [](int x, int y) {
    return cBytes().U32(752).U32(5).I32(x).I32(y).I32(640).I32(480).I32(0).U32(0).v;
  };
  auto truncated = placement(10, 10);
  truncated.resize(20);
  const int centreX = (plat::kHeadlessDesktopWidth - 640) / 2, centreY = (plat::kHeadlessDesktopHeight - 480) / 2;
  const Case cases[] = {
      {"inside", placement(30, 40), 30, 40},
      {"partly off the left edge", placement(-20, 50), 0, 50},
      {"below the screen", placement(10, 5000), 10, plat::kHeadlessDesktopHeight},
      {"truncated", truncated, centreX, centreY},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cTempDir dir(false);
    MakeProject(dir, kWindowed);
    dir.Write("user_data/Window.dat", c.file);
    cProcessResult r = RunGame(dir.Path(), {"KORVANE_FRAMES=2"});
    EXPECT_EQ(r.exitCode, 0) << r.output;
    auto b = dir.Read("user_data/Window.dat");
    ASSERT_EQ(b.size(), 32u);
    EXPECT_EQ(I32At(b, 8), c.x);
    EXPECT_EQ(I32At(b, 12), c.y);
  }
}

TEST(GameRun, TestPlayTellsTheEditorOfItsStartAndEnd) {
  struct Case {
    const char* what;
    std::string systemIni;
    int exitCode;
    const char* notices;
  };
  const Case cases[] = {
      {"orderly end", kWindowed, 0, "NOTICE 1 1\nNOTICE 0 1\n"},
      // A 16-bit window on a 32-bit desktop is refused: start-up fails.
      {"failed start", "WindowMode=1\nBpp=16\nExit\n", 1, "NOTICE 1 1\nNOTICE 0 0\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cTempDir dir(false);
    MakeProject(dir, c.systemIni);
    cProcessResult r = RunGame(dir.Path(), {"KORVANE_FRAMES=3", "KORVANE_TESTPLAY=1",
                                            "KORVANE_NOTICE=" + dir.Path() + "/notices.txt"});
    EXPECT_EQ(r.exitCode, c.exitCode) << r.output;
    auto n = dir.Read("notices.txt");
    EXPECT_EQ(std::string(n.begin(), n.end()), c.notices);
  }
}

TEST(GameRun, SecondCopyAsksAndEndsTheFirstOnlyWhenToldTo) {
  cTempDir first(false), second(false);
  MakeProject(first, kWindowed);
  MakeProject(second, kWindowed);
  const std::string lock = "KORVANE_LOCK=" + first.Path() + "/shared.lock";
  // The first copy runs until it is asked to end (real clock: it idles at 60 frames a second).
  cBackgroundProgram running("korvane", {}, first.Path(), {"KORVANE_HEADLESS=1", lock});
  ASSERT_TRUE(WaitForReportLine(first, "Mode : Window", 10000));

  cProcessResult no = RunGame(second.Path(), {lock, "KORVANE_ANSWERS=no"});
  EXPECT_EQ(no.exitCode, 0) << no.output;
  EXPECT_TRUE(second.ReportContains(std::string("MessageBox [") + SJ("二重起動") + "] " + SJ("既に起動しています。")));
  EXPECT_FALSE(second.ReportContains("Mode : "));
  EXPECT_TRUE(running.Running());

  cProcessResult yes = RunGame(second.Path(), {lock, "KORVANE_ANSWERS=yes", "KORVANE_FRAMES=5"});
  EXPECT_EQ(yes.exitCode, 0) << yes.output;
  EXPECT_TRUE(second.ReportContains("Mode : Window"));
  // The first copy has ended: in order (exit code 0, its placement saved) when it closed
  // within the wait, else by force (SIGKILL), which a loaded machine can make it need.
  const int firstExit = running.Wait(5000);
  if (firstExit == 0) {
    EXPECT_EQ(first.Read("user_data/Window.dat").size(), 32u);
  } else {
    EXPECT_EQ(firstExit, 128 + 9) << "the first copy neither closed in order nor was ended";
  }
}

}  // namespace
