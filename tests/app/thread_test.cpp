// The thread class: priming, quit, wait, suspension and the bounded exit.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "app/base/thread.h"
#include "platform/clock.h"
#include "platform/messages.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace std::chrono_literals;

std::atomic<int> gAppMessages{0};
std::atomic<int> gTurns{0};
std::atomic<bool> gRelease{false};

// A well-behaved routine: drains its queue, counts WM_APP, ends on WM_QUIT.
unsigned QueueLoop(void*) {
  for (;;) {
    plat::MSG m;
    while (plat::PeekMessage(&m, true)) {
      if (m.message == plat::WM_QUIT) return 7;
      if (m.message == plat::WM_APP) ++gAppMessages;
    }
    ++gTurns;
    std::this_thread::sleep_for(1ms);
  }
}

// A routine that never looks at its queue.
unsigned Deaf(void*) {
  while (!gRelease.load()) std::this_thread::sleep_for(1ms);
  return 0;
}

unsigned Quick(void*) { return 3; }

int TurnsOver(std::chrono::milliseconds span) {
  int before = gTurns.load();
  std::this_thread::sleep_for(span);
  return gTurns.load() - before;
}

TEST(ThreadClass, PrimingReachesTheNewQueueAndQuitEndsTheRoutine) {
  cThread t("worker");
  ASSERT_TRUE(t.StartPrimed(&QueueLoop, nullptr));
  plat::ThreadId id = t.ThreadId();
  EXPECT_TRUE(t.IsRunning());
  EXPECT_TRUE(plat::PostThreadMessage(id, plat::WM_QUIT, 0, 0));
  t.Wait();
  EXPECT_FALSE(t.IsRunning());
  EXPECT_EQ(gAppMessages.load(), 1);
  // The queue went with the thread.
  EXPECT_FALSE(plat::PostThreadMessage(id, plat::WM_APP, 0, 0));
}

TEST(ThreadClass, WaitCollectsAnEndedThreadAndTheObjectStartsAgain) {
  cThread t("worker");
  ASSERT_TRUE(t.Start(&Quick, nullptr));
  t.Wait();
  EXPECT_FALSE(t.IsRunning());
  t.Wait();  // idle: returns at once
  ASSERT_TRUE(t.Start(&Quick, nullptr));
  t.Wait();
}

TEST(ThreadClass, SuspendStopsTheThreadAtItsSafePointUntilResumed) {
  cThread t("worker");
  ASSERT_TRUE(t.Start(&QueueLoop, nullptr));
  EXPECT_TRUE(t.Suspend());
  std::this_thread::sleep_for(20ms);  // it reaches its next queue poll and stops there
  EXPECT_EQ(TurnsOver(30ms), 0);
  EXPECT_TRUE(t.Resume());
  EXPECT_GT(TurnsOver(30ms), 0);
  t.Exit();
}

TEST(ThreadClass, ExitEndsIdleAndSuspendedThreadsCleanly) {
  cTempDir dir;
  for (bool suspended : {false, true}) {
    SCOPED_TRACE(suspended ? "suspended twice" : "idle");
    cThread t("worker");
    ASSERT_TRUE(t.StartPrimed(&QueueLoop, nullptr));
    if (suspended) {
      t.Suspend();
      t.Suspend();
      std::this_thread::sleep_for(10ms);
    }
    auto start = std::chrono::steady_clock::now();
    t.Exit();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 150ms);
    EXPECT_FALSE(t.IsRunning());
    t.Exit();  // nothing left to end
  }
  EXPECT_TRUE(dir.ReportLines().empty());
  EXPECT_EQ(plat::ThreadsLeftRunning(), 0);
}

TEST(ThreadClass, ExitGivesUpOnAThreadThatNeverAnswers) {
  cTempDir dir;
  plat::UseVirtualClock(true);  // the bound is real time all the same
  cThread t("thDeaf");
  ASSERT_TRUE(t.StartPrimed(&Deaf, nullptr));
  auto start = std::chrono::steady_clock::now();
  t.Exit();
  auto took = std::chrono::steady_clock::now() - start;
  EXPECT_GE(took, 150ms);
  EXPECT_LT(took, 3000ms);
  EXPECT_FALSE(t.IsRunning());
  EXPECT_EQ(plat::ThreadsLeftRunning(), 1);
  EXPECT_TRUE(dir.ReportContains("thDeaf : the thread did not end within 200 ms and was left running"));
  gRelease = true;  // let it go before the test process ends
}

}  // namespace
