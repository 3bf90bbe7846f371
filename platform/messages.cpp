#include "platform/messages.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>

namespace plat {
namespace {

struct Queue {
  std::mutex mutex;
  std::condition_variable cv;
  std::deque<MSG> messages;
};

struct Registry {
  std::mutex mutex;
  std::map<ThreadId, std::shared_ptr<Queue>> queues;
  std::map<HWND, ThreadId> windows;
  HWND nextWindow = 1;
};

Registry& Reg() {
  static Registry* r = new Registry;  // never destroyed: threads may outlive static destruction
  return *r;
}

std::atomic<ThreadId> gNextThreadId{1};
thread_local ThreadId tThreadId = 0;
thread_local std::shared_ptr<Queue> tQueue;

std::shared_ptr<Queue> FindQueue(ThreadId id) {
  Registry& r = Reg();
  std::lock_guard<std::mutex> lock(r.mutex);
  auto it = r.queues.find(id);
  return it == r.queues.end() ? nullptr : it->second;
}

void Push(Queue& q, const MSG& m) {
  {
    std::lock_guard<std::mutex> lock(q.mutex);
    q.messages.push_back(m);
  }
  q.cv.notify_all();
}

}  // namespace

ThreadId CurrentThreadId() {
  EnsureQueue();
  return tThreadId;
}

void EnsureQueue() {
  if (tQueue) return;
  if (tThreadId == 0) tThreadId = gNextThreadId.fetch_add(1);
  tQueue = std::make_shared<Queue>();
  Registry& r = Reg();
  std::lock_guard<std::mutex> lock(r.mutex);
  r.queues[tThreadId] = tQueue;
}

void RemoveQueue() {
  if (!tQueue) return;
  Registry& r = Reg();
  std::lock_guard<std::mutex> lock(r.mutex);
  r.queues.erase(tThreadId);
  tQueue.reset();
}

bool PostThreadMessage(ThreadId thread, UINT message, WPARAM wParam, LPARAM lParam) {
  std::shared_ptr<Queue> q = FindQueue(thread);
  if (!q) return false;
  Push(*q, MSG{0, message, wParam, lParam});
  return true;
}

bool PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ThreadId owner = WindowThread(window);
  if (owner == 0) return false;
  std::shared_ptr<Queue> q = FindQueue(owner);
  if (!q) return false;
  Push(*q, MSG{window, message, wParam, lParam});
  return true;
}

void PostQuitMessage(int exitCode) {
  EnsureQueue();
  Push(*tQueue, MSG{0, WM_QUIT, static_cast<WPARAM>(exitCode), 0});
}

bool PeekMessage(MSG* msg, bool remove) {
  EnsureQueue();
  std::lock_guard<std::mutex> lock(tQueue->mutex);
  if (tQueue->messages.empty()) return false;
  *msg = tQueue->messages.front();
  if (remove) tQueue->messages.pop_front();
  return true;
}

bool GetMessage(MSG* msg) {
  EnsureQueue();
  std::unique_lock<std::mutex> lock(tQueue->mutex);
  tQueue->cv.wait(lock, [] { return !tQueue->messages.empty(); });
  *msg = tQueue->messages.front();
  tQueue->messages.pop_front();
  return msg->message != WM_QUIT;
}

void WaitMessage() {
  EnsureQueue();
  std::unique_lock<std::mutex> lock(tQueue->mutex);
  tQueue->cv.wait(lock, [] { return !tQueue->messages.empty(); });
}

HWND RegisterWindow() {
  ThreadId self = CurrentThreadId();
  Registry& r = Reg();
  std::lock_guard<std::mutex> lock(r.mutex);
  HWND w = r.nextWindow++;
  r.windows[w] = self;
  return w;
}

void UnregisterWindow(HWND window) {
  Registry& r = Reg();
  std::lock_guard<std::mutex> lock(r.mutex);
  r.windows.erase(window);
}

ThreadId WindowThread(HWND window) {
  Registry& r = Reg();
  std::lock_guard<std::mutex> lock(r.mutex);
  auto it = r.windows.find(window);
  return it == r.windows.end() ? 0 : it->second;
}

}  // namespace plat
