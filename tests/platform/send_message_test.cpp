// Blocking sends to a window: the test's main thread owns the window and plays the
// window thread; worker threads send to it.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "app/base/thread.h"
#include "platform/messages.h"

namespace {

using namespace std::chrono_literals;
using plat::HWND;
using plat::LPARAM;
using plat::LRESULT;
using plat::UINT;
using plat::WPARAM;

constexpr UINT kSlow = plat::WM_USER + 1;      // the handler takes a while
constexpr UINT kRecord = plat::WM_USER + 2;    // the handler records wParam
constexpr UINT kModal = plat::WM_USER + 3;     // the handler runs a modal loop
constexpr UINT kFinish = plat::WM_USER + 4;    // ends the modal loop
constexpr UINT kClose = plat::WM_USER + 5;     // the handler closes the window's sends
constexpr UINT kLoad = plat::WM_USER + 6;      // the handler pumps while a loader thread sends

HWND gWindow = 0;
std::atomic<bool> gHandlerDone{false};
std::mutex gOrderMutex;
std::vector<int> gOrder;
std::atomic<bool> gModalDone{false};
std::atomic<int> gQueuedSends{0};
std::atomic<bool> gLateSendReturned{false};
std::atomic<bool> gRunningSendReturned{false};
std::atomic<bool> gCloseStarted{false};

bool WaitUntil(const std::atomic<bool>& flag, std::chrono::milliseconds limit) {
  auto end = std::chrono::steady_clock::now() + limit;
  while (!flag.load()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(1ms);
  }
  return true;
}

unsigned LoaderRoutine(void*) {
  // A load that needs the window thread on its way (a box, a sound).
  plat::SendMessage(gWindow, kRecord, 77, 0);
  return 0;
}

cThread gLoader("loader");

LRESULT Proc(HWND window, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case kSlow:
      // Busy until wParam senders have queued up behind this send.
      while (gQueuedSends.load() < static_cast<int>(wParam)) std::this_thread::sleep_for(1ms);
      std::this_thread::sleep_for(30ms);
      gHandlerDone = true;
      return 42;
    case kRecord: {
      std::lock_guard<std::mutex> lock(gOrderMutex);
      gOrder.push_back(static_cast<int>(wParam));
      return static_cast<LRESULT>(wParam) + 1;
    }
    case kModal:
      // The loop of a message box: sends keep being served, posted messages wait.
      while (!gModalDone.load()) plat::WaitForSends(5);
      return 1;
    case kFinish:
      gModalDone = true;
      return 2;
    case kClose: {
      // Let a second sender queue up behind this running send, then close.
      gCloseStarted = true;
      while (gQueuedSends.load() < 1) std::this_thread::sleep_for(1ms);
      std::this_thread::sleep_for(30ms);
      plat::CloseSends(window);
      // Still inside the handler (as WM_CLOSE waits for the threads): both the
      // queued send and the one being run must be let go now.
      EXPECT_TRUE(WaitUntil(gRunningSendReturned, 2000ms));
      EXPECT_TRUE(WaitUntil(gLateSendReturned, 2000ms));
      return 5;
    }
    case kLoad:
      gLoader.Start(&LoaderRoutine, nullptr);
      EXPECT_TRUE(PumpMessagesUntilEnded(gLoader));
      gLoader.Wait();
      return 3;
    default:
      return 0;
  }
}

struct SendMessageTest : ::testing::Test {
  void SetUp() override { gWindow = plat::RegisterWindow(&Proc); }
  void TearDown() override { plat::UnregisterWindow(gWindow); }

  // The window thread's loop, until done is set.
  void ServeUntil(const std::atomic<bool>& done) {
    auto end = std::chrono::steady_clock::now() + 10s;
    while (!done.load() && std::chrono::steady_clock::now() < end) {
      plat::MSG m;
      if (plat::PeekMessage(&m, true))
        plat::DispatchMessage(m);
      else
        plat::WaitMessageTimeout(5);
    }
    ASSERT_TRUE(done.load()) << "the window thread's loop timed out";
  }
};

TEST_F(SendMessageTest, BlocksUntilTheHandlerHasReturned) {
  std::atomic<bool> finished{false};
  LRESULT result = 0;
  bool handlerDoneAtReturn = false;
  std::thread sender([&] {
    result = plat::SendMessage(gWindow, kSlow, 0, 0);
    handlerDoneAtReturn = gHandlerDone.load();
    finished = true;
  });
  ServeUntil(finished);
  sender.join();
  EXPECT_EQ(result, 42);
  EXPECT_TRUE(handlerDoneAtReturn);
}

TEST_F(SendMessageTest, PendingSendsAreServedInTheOrderTheyWereMade) {
  // The window thread is busy in a slow handler while five threads queue up, one
  // after the other.
  std::atomic<bool> all{false};
  std::thread slow([&] { plat::SendMessage(gWindow, kSlow, 5, 0); });
  std::vector<std::thread> senders;
  std::atomic<int> returned{0};
  for (int i = 0; i < 5; ++i) {
    senders.emplace_back([&, i] {
      ++gQueuedSends;
      EXPECT_EQ(plat::SendMessage(gWindow, kRecord, i, 0), i + 1);
      if (++returned == 5) all = true;
    });
    while (gQueuedSends.load() < i + 1) std::this_thread::sleep_for(1ms);
    std::this_thread::sleep_for(10ms);
  }
  ServeUntil(all);
  for (auto& t : senders) t.join();
  slow.join();
  EXPECT_TRUE(gHandlerDone.load());
  EXPECT_EQ(gOrder, (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST_F(SendMessageTest, SendIsServedWhileTheWindowThreadIsInAModalLoop) {
  std::atomic<bool> modalReturned{false};
  LRESULT inner = 0;
  std::thread boxOwner([&] {
    plat::SendMessage(gWindow, kModal, 0, 0);
    modalReturned = true;
  });
  std::thread other([&] {
    std::this_thread::sleep_for(20ms);
    inner = plat::SendMessage(gWindow, kFinish, 0, 0);
  });
  ServeUntil(modalReturned);
  boxOwner.join();
  other.join();
  EXPECT_EQ(inner, 2);
}

TEST_F(SendMessageTest, LoaderSendsAreServedWhileTheStarterPumps) {
  std::atomic<bool> done{false};
  LRESULT r = 0;
  std::thread starter([&] {
    r = plat::SendMessage(gWindow, kLoad, 0, 0);
    done = true;
  });
  ServeUntil(done);
  starter.join();
  EXPECT_EQ(r, 3);
  EXPECT_EQ(gOrder, (std::vector<int>{77}));
}

TEST_F(SendMessageTest, ClosingCompletesPendingAndLaterSendsWithZero) {
  std::atomic<bool> done{false};
  LRESULT running = -1, queued = -1, later = -1;
  std::thread closer([&] {
    running = plat::SendMessage(gWindow, kClose, 0, 0);
    gRunningSendReturned = true;
  });
  std::thread waiter([&] {
    while (!gCloseStarted.load()) std::this_thread::sleep_for(1ms);
    gQueuedSends = 1;
    queued = plat::SendMessage(gWindow, kRecord, 9, 0);
    gLateSendReturned = true;
    later = plat::SendMessage(gWindow, kRecord, 10, 0);
    done = true;
  });
  ServeUntil(done);
  closer.join();
  waiter.join();
  EXPECT_EQ(running, 0);
  EXPECT_EQ(queued, 0);
  EXPECT_EQ(later, 0);
  EXPECT_TRUE(gOrder.empty()) << "a send after the close reached the handler";
  EXPECT_TRUE(plat::SendsClosed(gWindow));
}

TEST_F(SendMessageTest, SendsAndPostsToAWindowThatIsGoneFail) {
  HWND gone = plat::RegisterWindow(&Proc);
  plat::UnregisterWindow(gone);
  EXPECT_FALSE(plat::PostMessage(gone, kRecord, 1, 0));
  LRESULT r = -1;
  std::thread t([&] { r = plat::SendMessage(gone, kRecord, 1, 0); });
  t.join();
  EXPECT_EQ(r, 0);
  EXPECT_TRUE(gOrder.empty());
}

}  // namespace
