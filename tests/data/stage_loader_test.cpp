// Loading a stage for play on thLoad: the newest version, the trailer check, the
// player check, damaged files, the copy of the settings, the window thread that
// keeps serving sends meanwhile and a close in the middle of a load.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "app/base/thread.h"
#include "data/project_globals.h"
#include "data/stage_loader.h"
#include "platform/messages.h"
#include "platform/sjis.h"
#include "platform/thread.h"
#include "tests/data/stage_fixtures.h"
#include "tests/support/dump_text.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace std::chrono_literals;
using namespace stagefix;

const char kStagePath[] = "data\\stg4\\s.stg4";

std::string Box(const std::string& text) { return "MessageBox [" + std::string(SJ("エラー")) + "] " + text; }

class StageLoadThread : public ::testing::Test {
 protected:
  void SetUp() override {
    palfix::SetUpDatabase();
    StageData = cEdStage();
    PlayStageData = cEdStage();
  }
  void TearDown() override { SetStageLoadHook(nullptr); }

  // A stage already loaded, whose place a failed load must leave alone.
  void LoadFirstStage() {
    dir.Write("data/stg4/first.stg4_752", StageFile(752, SmallStage().S("name", "first")));
    ASSERT_EQ(LoadStageForPlay("data\\stg4\\first.stg4", 1, &PlayStageData), 1);
    before = DumpText(StageData);
    playBefore = DumpText(PlayStageData);
  }
  void ExpectUnchanged() {
    EXPECT_EQ(DumpText(StageData), before);
    EXPECT_EQ(DumpText(PlayStageData), playBefore);
    EXPECT_EQ(StageData.strFilePath, "data\\stg4\\first.stg4_752");
  }

  cTempDir dir;
  std::string before, playBefore;
};

TEST_F(StageLoadThread, TheNewestVersionIsLoadedAndItsSettingsCopied) {
  dir.Write("data/stg4/s.stg4_010", StageFile(752, SmallStage().F("width", 50)));
  dir.Write("data/stg4/s.stg4_100", StageFile(752, SmallStage().F("width", 70)));
  dir.Write("data/stg4/s.stg4_99", StageFile(752, SmallStage().F("width", 90)));  // not three digits
  ASSERT_EQ(LoadStageForPlay(kStagePath, 1, &PlayStageData), 1);
  EXPECT_EQ(StageData.strFilePath, "data\\stg4\\s.stg4_100");
  EXPECT_EQ(StageData.bLoaded, 1);
  EXPECT_EQ(StageData.bNewestVersion, 1);
  EXPECT_EQ(StageData.nWidth, 70);
  EXPECT_EQ(StageData.Blocks.Count(), 2);
  EXPECT_EQ(StageData.Charas.Count(), 2);
  EXPECT_EQ(StageData.PaletteBlocks.Count(), 2);
  // The settings part only, the six definition lists empty and without storage.
  EXPECT_EQ(PlayStageData.nWidth, 70);
  EXPECT_EQ(PlayStageData.strName, "small");
  EXPECT_EQ(PlayStageData.nSteps, 10);
  EXPECT_EQ(PlayStageData.Layers.Count(), 1);
  EXPECT_EQ(PlayStageData.RankGenres.Count(), 5);
  EXPECT_EQ(PlayStageData.Ranges[cEdStage::kRangeOtherShot].nLeft, 10);
  for (size_t capacity : {PlayStageData.Blocks.capacity(), PlayStageData.Charas.capacity(),
                          PlayStageData.Items.capacity(), PlayStageData.PaletteBlocks.capacity(),
                          PlayStageData.PaletteCharas.capacity(), PlayStageData.PaletteItems.capacity()})
    EXPECT_EQ(capacity, 0u);
  // No numbered version at all: nothing loaded and nothing said.
  EXPECT_EQ(LoadStageForPlay("data\\stg4\\none.stg4", 1, &PlayStageData), 0);
  EXPECT_EQ(StageData.nWidth, 70);
  EXPECT_FALSE(dir.ReportContains("MessageBox"));
}

TEST_F(StageLoadThread, TheTrailerIsCheckedFromVersion174On) {
  struct Case {
    uint32_t version;
    bool goodTrailer;
    bool loads;
  };
  const Case cases[] = {{172, false, true}, {173, false, true}, {173, true, true}, {174, false, false},
                        {174, true, true}, {752, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.version) + (c.goodTrailer ? " good trailer" : " bad trailer"));
    cTempDir here;
    const std::string name = "data/stg4/t.stg4_" + std::to_string(c.version);
    here.Write(name, StageFile(c.version, SmallStage().N("trailer", c.goodTrailer ? kStageTrailer : 4)));
    StageData = cEdStage();
    const std::string path = "data\\stg4\\t.stg4_" + std::to_string(c.version);
    EXPECT_EQ(CheckStageFile(path), c.loads ? 1 : 0);
    EXPECT_EQ(LoadStageForPlay(path, 0, &PlayStageData), c.loads ? 1 : 0);
    EXPECT_EQ(StageData.nWidth, c.loads ? 60 : 0);
    const std::string damaged = Box(std::string(SJ("ステージファイル ")) + path + SJ(" が破損しています！"));
    EXPECT_EQ(here.ReportContains(damaged), !c.loads);
  }
}

TEST_F(StageLoadThread, AStageWithoutThePlayerIsRefusedAndChangesNothing) {
  LoadFirstStage();
  // Every character of the stage is computer-operated.
  dir.Write("data/stg4/s.stg4_752", StageFile(752, SmallStage().Recs("placed characters", {Enemy(1, 1), Enemy(2, 2)})));
  EXPECT_EQ(LoadStageForPlay(kStagePath, 1, &PlayStageData), 0);
  EXPECT_TRUE(dir.ReportContains(Box(SJ("主人公が配置されていないのでプレイできません！"))));
  ExpectUnchanged();
  // A player without a graphic does not count either.
  dir.Write("data/stg4/s.stg4_752", StageFile(752, SmallStage().Recs("placed characters", {Player(1, 1).F("graphic number", 0)})));
  EXPECT_EQ(LoadStageForPlay(kStagePath, 1, &PlayStageData), 0);
  ExpectUnchanged();
}

TEST_F(StageLoadThread, DamagedOrMissingFilesAreRefusedWithTheGamesMessage) {
  LoadFirstStage();
  const Bytes good = StageFile(752, SmallStage());
  const std::string failed = Box(std::string(SJ("ステージファイル data\\stg4\\s.stg4_752 の読み込みに失敗しました！")));
  // Cut anywhere before the trailer (a cut file ends with the wrong word, so stamp
  // it 173 where the trailer is not checked), and counts beyond the file.
  std::vector<Bytes> damaged;
  for (size_t cut = 4; cut + 4 < good.size(); cut += 89) {
    Bytes b(good.begin(), good.begin() + static_cast<long>(cut));
    b[0] = 173;
    damaged.push_back(b);
  }
  Bytes hugeList = StageFile(752, SmallStage());
  // The ranking-genre count follows the 98 fields (416 bytes), the name and the counts.
  const size_t genresAt = 4 + 4 + 416 + 4 + 4 + 6;
  hugeList[genresAt + 3] = 0x7F;
  damaged.push_back(hugeList);
  Bytes tooManyFields = good;
  tooManyFields[4] = 99;
  damaged.push_back(tooManyFields);
  for (size_t i = 0; i < damaged.size(); ++i) {
    SCOPED_TRACE("damaged file " + std::to_string(i) + " of " + std::to_string(damaged[i].size()) + " bytes");
    dir.Write("data/stg4/s.stg4_752", damaged[i]);
    EXPECT_EQ(LoadStageForPlay(kStagePath, 1, &PlayStageData), 0);
    ExpectUnchanged();
  }
  EXPECT_TRUE(dir.ReportContains(failed));
  EXPECT_TRUE(dir.ReportContains("data\\stg4\\s.stg4_752 : offset"));
  EXPECT_TRUE(dir.ReportContains("RankGenres: count"));
  // A path given as it stands that does not exist.
  EXPECT_EQ(LoadStageForPlay("data\\stg4\\gone.stg4_752", 0, &PlayStageData), 0);
  EXPECT_TRUE(dir.ReportContains(Box(std::string(SJ("ステージファイル data\\stg4\\gone.stg4_752 の読み込みに失敗しました！")))));
  ExpectUnchanged();
}

// --- the loader thread and the window thread ---

constexpr plat::UINT kPing = plat::WM_USER + 50;
std::atomic<int> gPings{0};
std::atomic<bool> gLoaderSent{false};

plat::LRESULT PingProc(plat::HWND, plat::UINT message, plat::WPARAM, plat::LPARAM) {
  if (message == kPing) ++gPings;
  return 1;
}

plat::HWND gWindow = 0;

// On thLoad: a send of its own to the window, then waits until another thread's
// sends have been served too. Both need the starter, which is inside its load,
// to keep serving.
void SendWhileLoading() {
  gLoaderSent = plat::SendMessage(gWindow, kPing, 0, 0) == 1;
  const auto end = std::chrono::steady_clock::now() + 5s;
  while (gPings.load() < 6 && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(1ms);
}

TEST_F(StageLoadThread, TheWindowThreadKeepsServingSendsWhileItLoads) {
  gWindow = plat::RegisterWindow(&PingProc);
  dir.Write("data/stg4/s.stg4_752", StageFile(752, SmallStage()));
  SetStageLoadHook(&SendWhileLoading);
  std::atomic<bool> stop{false};
  std::thread sender([&] {
    for (int i = 0; i < 5 && !stop.load(); ++i) plat::SendMessage(gWindow, kPing, 0, 0);
  });
  EXPECT_EQ(LoadStageForPlay(kStagePath, 1, &PlayStageData), 1);
  stop = true;
  sender.join();
  EXPECT_TRUE(gLoaderSent.load());
  EXPECT_EQ(gPings.load(), 6);
  EXPECT_EQ(StageData.nWidth, 60);
  EXPECT_FALSE(thLoad.IsRunning());
  plat::UnregisterWindow(gWindow);
}

// A game thread that loads a stage, then serves its queue until it is told to quit.
std::atomic<int> gGameResult{-1};
std::atomic<bool> gLoadStarted{false};
std::atomic<bool> gReleaseLoader{false};

unsigned GameWithLoad(void*) {
  gGameResult = LoadStageForPlay(kStagePath, 1, &PlayStageData);
  for (;;) {
    plat::MSG m;
    while (plat::PeekMessage(&m, true))
      if (m.message == plat::WM_QUIT) return 0;
    plat::WaitMessageTimeout(1);
  }
}

// Holds the load until released, or 50 ms at most, well within the bound that
// ending thLoad waits for.
void HoldTheLoad() {
  gLoadStarted = true;
  const auto end = std::chrono::steady_clock::now() + 50ms;
  while (!gReleaseLoader.load() && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(1ms);
}

TEST_F(StageLoadThread, AQuitMessageDuringTheLoadEndsItWithoutTheStage) {
  LoadFirstStage();
  dir.Write("data/stg4/s.stg4_752", StageFile(752, SmallStage().F("width", 99)));
  SetStageLoadHook(&HoldTheLoad);
  cThread game("thTestGame");
  ASSERT_TRUE(game.StartPrimed(&GameWithLoad, nullptr));
  while (!gLoadStarted.load()) std::this_thread::sleep_for(1ms);
  // The quit is taken by the loader's pump and not passed on: the game thread
  // still runs until it is ended.
  plat::PostThreadMessage(game.ThreadId(), plat::WM_QUIT, 0, 0);
  while (gGameResult.load() == -1) std::this_thread::sleep_for(1ms);
  EXPECT_EQ(gGameResult.load(), 0);
  EXPECT_TRUE(game.IsAlive());
  ExpectUnchanged();
  game.Exit();
  EXPECT_FALSE(thLoad.IsRunning());
  EXPECT_EQ(plat::ThreadsLeftRunning(), 0);
  EXPECT_FALSE(dir.ReportContains("left running"));
}

TEST_F(StageLoadThread, ClosingDuringALoadEndsEveryThreadInOrder) {
  dir.Write("data/stg4/s.stg4_752", StageFile(752, SmallStage()));
  SetStageLoadHook(&HoldTheLoad);
  cThread game("thTestGame");
  ASSERT_TRUE(game.StartPrimed(&GameWithLoad, nullptr));
  while (!gLoadStarted.load()) std::this_thread::sleep_for(1ms);
  // What the window's close does: thLoad first, then the game thread.
  gReleaseLoader = true;
  thLoad.Exit();
  game.Exit();
  EXPECT_FALSE(game.IsRunning());
  EXPECT_FALSE(thLoad.IsRunning());
  EXPECT_EQ(plat::ThreadsLeftRunning(), 0);
  EXPECT_FALSE(dir.ReportContains("left running"));
  EXPECT_NE(gGameResult.load(), -1);
}

}  // namespace
