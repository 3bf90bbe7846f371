// The scene manager and the frame step, with small scenes of the test's own.
#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "app/base/shell_globals.h"
#include "app/base/thread.h"
#include "app/base/timing.h"
#include "app/svc/mode_manager.h"
#include "draw/frame_pacing.h"
#include "platform/clock.h"
#include "tests/support/temp_dir.h"

namespace {

std::vector<std::string> gEvents;
int gLeaveTo = -1;            // the mode the playing scene asks for; -1 stays
bool gThrowInInit = false;
std::atomic<int> gRuns{0};

void Event(const std::string& what, int mode) { gEvents.push_back(what + " " + std::to_string(mode)); }

// A scene that fades in for one frame, plays, and leaves when gLeaveTo asks.
class cTestScene : public cScene {
 public:
  explicit cTestScene(int mode) : m_nMode(mode) {
    m_PhaseTable = {FadeInPhase, Play, FadeOutPhase};
    Event("new", mode);
  }
  ~cTestScene() override { Event("delete", m_nMode); }
  int Run() override {
    ++gRuns;
    return RunPhases();
  }
  void Init() override {
    Event("init", m_nMode);
    if (gThrowInInit) throw "init failed";
  }
  int FadeIn() override {
    m_nPhase = 1;
    return 0;
  }
  int FadeOut() override {
    Event("faded", m_nMode);
    ModeManager.m_nMode = ModeManager.m_nNextMode;
    ModeManager.m_nPrevMode = m_nMode;
    return 0;
  }
  static int Play(cScene* scene) {
    auto* self = static_cast<cTestScene*>(scene);
    Event("play", self->m_nMode);
    if (gLeaveTo >= 0) {
      ModeManager.m_nNextMode = gLeaveTo;
      self->m_nPhase = 2;
    }
    return 0;
  }

  int m_nMode;
};

template <int Mode>
cScene* MakeScene() {
  return new cTestScene(Mode);
}

cScene* ThrowText() { throw "scene construction failed"; }
cScene* ThrowStd() { throw std::runtime_error("no room for the scene"); }

struct SceneManagerTest : ::testing::Test {
  cTempDir dir;
  void SetUp() override {
    plat::UseVirtualClock(true);
    ResetFrameTiming();
    ResetFramePacing();
    SetSceneFactory(0, &MakeScene<0>);
    SetSceneFactory(1, &MakeScene<1>);
    SetSceneFactory(2, &MakeScene<2>);
    SetSceneFactory(3, &MakeScene<3>);
    SetSceneFactory(4, &MakeScene<4>);
    SetSceneFactory(5, &MakeScene<5>);
    ModeManager.m_nMode = 0;
    ModeManager.m_nFrameRate = 60;
    gEvents.clear();
    gRuns = 0;
    gLeaveTo = -1;
    gThrowInInit = false;
    hMainWnd = plat::RegisterWindow();
    CloseRequests();
  }
  void TearDown() override {
    ModeManager.DeleteScenes();
    plat::UnregisterWindow(hMainWnd);
    hMainWnd = 0;
  }
  int CloseRequests() {
    int n = 0;
    plat::MSG m;
    while (plat::PeekMessage(&m, true))
      if (m.message == plat::WM_CLOSE) ++n;
    return n;
  }
};

TEST_F(SceneManagerTest, AChangeRequestedInOneFrameTakesEffectInTheNext) {
  gLeaveTo = 1;
  ASSERT_TRUE(ModeManager.Frame());  // title made, Init, fade-in
  ASSERT_TRUE(ModeManager.Frame());  // plays and asks for the world map
  ASSERT_TRUE(ModeManager.Frame());  // fades out: the world map becomes current
  EXPECT_EQ(ModeManager.m_nMode, 1);
  EXPECT_EQ(ModeManager.m_nPrevMode, 0);
  EXPECT_NE(ModeManager.m_pTitle, nullptr);
  EXPECT_EQ(ModeManager.m_pWorldMap, nullptr);
  EXPECT_EQ(gEvents, (std::vector<std::string>{"new 0", "init 0", "play 0", "faded 0"}));
  gEvents.clear();
  gLeaveTo = -1;
  ASSERT_TRUE(ModeManager.Frame());  // the old scene goes before the new one comes
  EXPECT_EQ(gEvents, (std::vector<std::string>{"delete 0", "new 1", "init 1"}));
  EXPECT_EQ(ModeManager.m_pTitle, nullptr);
  ASSERT_NE(ModeManager.m_pWorldMap, nullptr);
  EXPECT_EQ(ModeManager.m_pWorldMap->m_nPhase, 1);
}

TEST_F(SceneManagerTest, ChangeModeKeepsOnlyTheRequestedScene) {
  for (int m = 0; m < kModeCount; ++m) {
    ModeManager.ChangeMode(m);
    ModeManager.ChangeMode(m);  // the scene of the current mode stays
  }
  EXPECT_EQ(gEvents, (std::vector<std::string>{"new 0", "delete 0", "new 1", "delete 1", "new 2", "delete 2",
                                               "new 3", "delete 3", "new 4", "delete 4", "new 5"}));
  // The stage-play scene is the current stage context while it exists.
  ModeManager.ChangeMode(MODE_STAGE);
  EXPECT_EQ(CurrentStage.load(), ModeManager.m_pStage);
  ModeManager.ChangeMode(MODE_TITLE);
  EXPECT_EQ(CurrentStage.load(), nullptr);
  // A mode out of range leaves no scene at all.
  gEvents.clear();
  ModeManager.ChangeMode(9);
  EXPECT_EQ(gEvents, (std::vector<std::string>{"delete 0"}));
  for (int m = 0; m < kModeCount; ++m) EXPECT_EQ(ModeManager.Scene(m), nullptr);
}

TEST_F(SceneManagerTest, ATextThrownWhileASceneIsMadeClosesTheGameWithTheTextLogged) {
  struct Case {
    SceneFactory make;
    const char* text;
  } cases[] = {{&ThrowText, "scene construction failed"}, {&ThrowStd, "no room for the scene"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    SetSceneFactory(0, c.make);
    EXPECT_TRUE(ModeManager.Frame());  // the frame itself goes on
    EXPECT_EQ(ModeManager.m_pTitle, nullptr);
    EXPECT_TRUE(dir.ReportContains(c.text));
    EXPECT_EQ(CloseRequests(), 1);
  }
  EXPECT_EQ(FailureExitCode(), 1);
}

TEST_F(SceneManagerTest, ATextThrownByInitClosesTheGameAndTheSceneGoesOn) {
  gThrowInInit = true;
  EXPECT_TRUE(ModeManager.Frame());
  EXPECT_TRUE(dir.ReportContains("init failed"));
  EXPECT_EQ(CloseRequests(), 1);
  ASSERT_NE(ModeManager.m_pTitle, nullptr);
  EXPECT_EQ(ModeManager.m_pTitle->m_nPhase, 1);
}

TEST_F(SceneManagerTest, FramesArePacedAtTheFrameRate) {
  uint32_t start = plat::TimeGetTime();
  for (int i = 0; i < 10; ++i) ASSERT_TRUE(ModeManager.Frame());
  // The first frame starts at once, each later one 1000 / 60 = 16 ms after the last.
  EXPECT_EQ(plat::TimeGetTime() - start, 9u * 16u);
  EXPECT_EQ(gRuns.load(), 10);
}

TEST_F(SceneManagerTest, AModeWithoutASceneClassRunsNoScene) {
  SetSceneFactory(0, nullptr);
  EXPECT_TRUE(ModeManager.Frame());
  EXPECT_EQ(ModeManager.m_pTitle, nullptr);
  EXPECT_EQ(CloseRequests(), 0);
}

// Runs under ThreadSanitizer too: the game thread's loop.
struct GameThreadLoop : SceneManagerTest {};

TEST_F(GameThreadLoop, RunsNoFramesWhileInactiveAndEndsOnQuit) {
  cThread game("thGame");
  bActive = 0;
  ASSERT_TRUE(game.StartPrimed(&GameLoop, nullptr));
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_EQ(gRuns.load(), 0);
  bActive = 1;
  auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (gRuns.load() < 3 && std::chrono::steady_clock::now() < end)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_GE(gRuns.load(), 3);
  game.Exit();
  EXPECT_FALSE(game.IsRunning());
  EXPECT_EQ(plat::ThreadsLeftRunning(), 0);
}

TEST(FrameStep, BounceMovesBetweenItsBounds) {
  int value = 240, direction = 0;
  EXPECT_FALSE(Bounce(value, direction, 10, 0, 255));
  EXPECT_EQ(value, 250);
  EXPECT_FALSE(Bounce(value, direction, 10, 0, 255));  // 260 would pass the top: turns
  EXPECT_EQ(value, 250);
  EXPECT_EQ(direction, 1);
  value = 15;
  EXPECT_FALSE(Bounce(value, direction, 10, 0, 255));
  EXPECT_EQ(value, 5);
  EXPECT_TRUE(Bounce(value, direction, 10, 0, 255));  // a completed fall
  EXPECT_EQ(value, 5);
  EXPECT_EQ(direction, 0);
}

}  // namespace
