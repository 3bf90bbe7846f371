// The real program started in the generated demo project: the whole start-up,
// frames drawn and presented by the drawing layer, and what a failed start does.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/sjis.h"
#include "tests/support/run_game.h"
#include "tests/support/temp_dir.h"

namespace {

// Report lines that tell of a failure: error boxes, the drawing layer's and the
// loaders' error lines.
std::vector<std::string> FailureLines(const cTempDir& dir) {
  const std::string marks[] = {"MessageBox", "Err", "err ", SJ("失敗"), SJ("エラー")};
  std::vector<std::string> found;
  for (const std::string& line : dir.ReportLines())
    for (const std::string& m : marks)
      if (line.find(m) != std::string::npos) found.push_back(line);
  return found;
}

uint32_t BigEndian32(const std::vector<unsigned char>& b, size_t at) {
  return uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 | b[at + 3];
}

TEST(DemoGameRun, StartsAndRunsItsFramesWithoutAFailure) {
  cTempDir dir(false);
  ASSERT_TRUE(MakeDemoProject(dir.Path()));
  cProcessResult r = RunGame(dir.Path(), {"KORVANE_FRAMES=60"});
  EXPECT_EQ(r.exitCode, 0) << r.output;
  EXPECT_TRUE(dir.ReportContains("Mode : Window"));
  EXPECT_TRUE(dir.ReportContains("RR : 60"));  // the display report of DirectDraw
  EXPECT_TRUE(dir.ReportContains("Sound : no audio device, sound is off"));
  EXPECT_EQ(FailureLines(dir), std::vector<std::string>{});
  EXPECT_EQ(dir.Read("user_data/Window.dat").size(), 32u);
}

TEST(DemoGameRun, EachBackEndAndDepthStartsFromSystemIni) {
  struct Case {
    const char* systemIni;
    const char* mode;
    int bpp;
    bool direct3D;
  };
  // A window takes the desktop's depth (32 headless); 16 and 8 bits run full screen.
  const Case cases[] = {
      {"Direct3D=0\nWindowMode=1\nExit\n", "Mode : Window", 32, false},
      {"Direct3D=1\nWindowMode=1\nExit\n", "Mode : Window", 32, true},
      {"Direct3D=0\nWindowMode=0\nBpp=16\nExit\n", "Mode : Fullscreen", 16, false},
      {"Direct3D=1\nWindowMode=0\nBpp=16\nExit\n", "Mode : Fullscreen", 16, true},
      {"Direct3D=1\nWindowMode=0\nBpp=32\nExit\n", "Mode : Fullscreen", 32, true},
      {"Direct3D=0\nWindowMode=0\nBpp=8\nExit\n", "Mode : Fullscreen", 8, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.systemIni);
    cTempDir dir(false);
    ASSERT_TRUE(MakeDemoProject(dir.Path(), c.systemIni));
    cProcessResult r = RunGame(dir.Path(), {"KORVANE_FRAMES=3"});
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_TRUE(dir.ReportContains(c.mode));
    EXPECT_TRUE(dir.ReportContains("Bpp : " + std::to_string(c.bpp)));
    // The Direct3D set-up names its device; the DirectDraw report its refresh rate.
    EXPECT_EQ(dir.ReportContains("Device HAL"), c.direct3D);
    EXPECT_EQ(dir.ReportContains("RR : "), !c.direct3D);
    EXPECT_EQ(FailureLines(dir), std::vector<std::string>{});
  }
}

TEST(DemoGameRun, AMissingDatabaseFileEndsTheStartUpWithTheGamesMessage) {
  cTempDir dir(false);
  ASSERT_TRUE(MakeDemoProject(dir.Path()));
  std::remove((dir.Path() + "/data/database/Sound.dat").c_str());
  cProcessResult r = RunGame(dir.Path(), {"KORVANE_FRAMES=3"});
  EXPECT_NE(r.exitCode, 0) << r.output;
  EXPECT_TRUE(dir.ReportContains(SJ("data\\database\\Sound.dat のロードに失敗！")));
  EXPECT_TRUE(dir.ReportContains(std::string("MessageBox [") + SJ("エラー") + "] " + SJ("データベースの読み込みに失敗…")));
  EXPECT_FALSE(dir.ReportContains("Mode : "));  // ended before the drawing layer
}

// At 8 bits the start-up applies the option record's palette set: without its
// blend table the start ends with the game's message.
TEST(DemoGameRun, AMissingBlendTableEndsAnEightBitStart) {
  cTempDir dir(false);
  ASSERT_TRUE(MakeDemoProject(dir.Path(), "Direct3D=0\nWindowMode=0\nBpp=8\nExit\n"));
  std::remove((dir.Path() + "/bmp/hbt/hbt00.dat").c_str());
  cProcessResult r = RunGame(dir.Path(), {"KORVANE_FRAMES=3"});
  EXPECT_NE(r.exitCode, 0) << r.output;
  EXPECT_TRUE(dir.ReportContains(std::string("MessageBox [") + SJ("エラー") + "] " +
                                 SJ("bmp\\hbt\\hbt00.dat の読み込みに失敗！")));
  EXPECT_TRUE(dir.ReportContains("Bpp : 8"));
}

TEST(DemoGameRun, DumpWritesTheAskedFramesAsPictures) {
  cTempDir dir(false);
  ASSERT_TRUE(MakeDemoProject(dir.Path()));
  cProcessResult r = RunGame(dir.Path(), {"KORVANE_FRAMES=3", "KORVANE_DUMP=" + dir.Path() + "/frames",
                                          "KORVANE_DUMP_FRAMES=1,3"});
  EXPECT_EQ(r.exitCode, 0) << r.output;
  EXPECT_FALSE(dir.Exists("frames/frame-000002.png"));
  for (const char* name : {"frames/frame-000001.png", "frames/frame-000003.png"}) {
    SCOPED_TRACE(name);
    std::vector<unsigned char> png = dir.Read(name);
    ASSERT_GE(png.size(), 24u);
    EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR");
    EXPECT_EQ(BigEndian32(png, 16), 640u);
    EXPECT_EQ(BigEndian32(png, 20), 480u);
  }
}

// KORVANE_INPUT and KORVANE_TRACE_INPUT count frames as KORVANE_FRAMES does: the
// script's changes reach the sample of the frame they name.
TEST(DemoGameRun, ScriptedKeysReachTheFramesTheyName) {
  cTempDir dir(false);
  ASSERT_TRUE(MakeDemoProject(dir.Path()));
  dir.Write("keys.txt", "2 Z=1\n2 RIGHT=1\n4 Z=0\n5 RIGHT=0\n5 X=1\n");
  cProcessResult r = RunGame(dir.Path(), {"KORVANE_FRAMES=6", "KORVANE_INPUT=" + dir.Path() + "/keys.txt",
                                          "KORVANE_TRACE_INPUT=1"});
  EXPECT_EQ(r.exitCode, 0) << r.output;
  std::vector<std::string> input;
  for (const std::string& line : dir.ReportLines())
    if (line.rfind("Input : ", 0) == 0) input.push_back(line);
  EXPECT_EQ(input, (std::vector<std::string>{"Input : frame 1 direction 0 buttons 0",
                                             "Input : frame 2 direction 2 buttons 1",
                                             "Input : frame 4 direction 2 buttons 0",
                                             "Input : frame 5 direction 0 buttons 2"}));
}

TEST(DemoGameRun, AnUnreadableInputScriptEndsTheStartUp) {
  cTempDir dir(false);
  ASSERT_TRUE(MakeDemoProject(dir.Path()));
  dir.Write("keys.txt", "2 NOSUCHKEY=1\n");
  cProcessResult r = RunGame(dir.Path(), {"KORVANE_FRAMES=3", "KORVANE_INPUT=" + dir.Path() + "/keys.txt"});
  EXPECT_NE(r.exitCode, 0) << r.output;
  EXPECT_TRUE(dir.ReportContains("KORVANE_INPUT : "));
  EXPECT_TRUE(dir.ReportContains("keys.txt line 1"));
}

}  // namespace
