#include "platform/messages.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

#include "platform/thread.h"

namespace plat {
namespace {

using Clock = std::chrono::steady_clock;

// How often a blocking wait of a thread with an event pump wakes to run it.
constexpr auto kPumpInterval = std::chrono::milliseconds(4);

// One send waiting for (or being run by) the window thread. Guarded by the mutex of
// the queue it was put into.
struct PendingSend {
  HWND hwnd = 0;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  std::function<LRESULT()> call;  // set for CallOnWindowThread
  LRESULT result = 0;
  bool finished = false;  // the sender may go on
  bool served = false;    // the window thread ran it to the end while the sender waited
  std::condition_variable done;
};
using SendPtr = std::shared_ptr<PendingSend>;

struct Queue {
  std::mutex mutex;
  std::condition_variable cv;
  std::deque<MSG> messages;
  std::deque<SendPtr> sends;    // waiting to be served, oldest first
  std::vector<SendPtr> running;  // being served (nested sends stack up here)
  std::set<HWND> closed;         // windows whose sends complete with 0
  bool woken = false;
  bool removed = false;
};
using QueuePtr = std::shared_ptr<Queue>;

struct WindowEntry {
  ThreadId owner = 0;
  WNDPROC proc = nullptr;
};

struct Registry {
  std::mutex mutex;
  std::map<ThreadId, QueuePtr> queues;
  std::map<HWND, WindowEntry> windows;
  HWND nextWindow = 1;
};

Registry& Reg() {
  static Registry* r = new Registry;  // never destroyed: threads may outlive static destruction
  return *r;
}

std::atomic<ThreadId> gNextThreadId{1};
thread_local ThreadId tThreadId = 0;
thread_local QueuePtr tQueue;
thread_local EventPump tPump = nullptr;

QueuePtr FindQueue(ThreadId id) {
  Registry& r = Reg();
  std::lock_guard<std::mutex> lock(r.mutex);
  auto it = r.queues.find(id);
  return it == r.queues.end() ? nullptr : it->second;
}

bool FindWindow(HWND window, WindowEntry* out) {
  Registry& r = Reg();
  std::lock_guard<std::mutex> lock(r.mutex);
  auto it = r.windows.find(window);
  if (it == r.windows.end()) return false;
  *out = it->second;
  return true;
}

bool Push(Queue& q, const MSG& m) {
  {
    std::lock_guard<std::mutex> lock(q.mutex);
    if (q.removed) return false;
    q.messages.push_back(m);
  }
  q.cv.notify_all();
  return true;
}

// Completes a send with 0 for its sender. Queue mutex held.
void Release(PendingSend& s) {
  if (s.finished) return;
  s.result = 0;
  s.finished = true;
  s.done.notify_all();
}

// Releases every waiting and running send to window (0: to any window). Queue mutex held.
void ReleaseSends(Queue& q, HWND window) {
  for (auto it = q.sends.begin(); it != q.sends.end();) {
    if (window == 0 || (*it)->hwnd == window) {
      Release(**it);
      it = q.sends.erase(it);
    } else {
      ++it;
    }
  }
  for (SendPtr& s : q.running)
    if (window == 0 || s->hwnd == window) Release(*s);
}

// Puts a send into the owner's queue and waits until it is finished. False when
// it could not be queued (queue gone, window closing).
bool QueueSendAndWait(const QueuePtr& q, const SendPtr& s) {
  std::unique_lock<std::mutex> lock(q->mutex);
  if (q->removed || q->closed.count(s->hwnd)) return false;
  q->sends.push_back(s);
  q->cv.notify_all();
  s->done.wait(lock, [&] { return s->finished; });
  return s->served;
}

LRESULT RunSend(PendingSend& s) {
  if (s.call) return s.call();
  WindowEntry w;
  if (!FindWindow(s.hwnd, &w) || !w.proc) return 0;
  return w.proc(s.hwnd, s.message, s.wParam, s.lParam);
}

void RunPump() {
  if (tPump) tPump();
}

bool HasPosted(Queue& q) { return !q.messages.empty(); }

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
  {
    Registry& r = Reg();
    std::lock_guard<std::mutex> lock(r.mutex);
    r.queues.erase(tThreadId);
  }
  {
    std::lock_guard<std::mutex> lock(tQueue->mutex);
    tQueue->removed = true;
    ReleaseSends(*tQueue, 0);
  }
  tQueue.reset();
  tPump = nullptr;
}

bool PostThreadMessage(ThreadId thread, UINT message, WPARAM wParam, LPARAM lParam) {
  QueuePtr q = FindQueue(thread);
  if (!q) return false;
  return Push(*q, MSG{0, message, wParam, lParam});
}

bool PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowEntry w;
  if (!FindWindow(window, &w)) return false;
  QueuePtr q = FindQueue(w.owner);
  if (!q) return false;
  return Push(*q, MSG{window, message, wParam, lParam});
}

void PostQuitMessage(int exitCode) {
  EnsureQueue();
  Push(*tQueue, MSG{0, WM_QUIT, static_cast<WPARAM>(exitCode), 0});
}

bool PeekMessage(MSG* msg, bool remove) {
  SafePoint();
  EnsureQueue();
  RunPump();
  ServeSends();
  std::lock_guard<std::mutex> lock(tQueue->mutex);
  if (tQueue->messages.empty()) return false;
  *msg = tQueue->messages.front();
  if (remove) tQueue->messages.pop_front();
  return true;
}

bool PeekMessageIf(MSG* msg, const std::function<bool(const MSG&)>& wanted) {
  SafePoint();
  EnsureQueue();
  RunPump();
  ServeSends();
  // The test runs outside the lock: it may look at windows, which takes other locks.
  std::deque<MSG> copy;
  {
    std::lock_guard<std::mutex> lock(tQueue->mutex);
    copy = tQueue->messages;
  }
  for (const MSG& m : copy) {
    if (!wanted(m)) continue;
    std::lock_guard<std::mutex> lock(tQueue->mutex);
    auto& q = tQueue->messages;
    for (auto it = q.begin(); it != q.end(); ++it) {
      if (it->hwnd == m.hwnd && it->message == m.message && it->wParam == m.wParam && it->lParam == m.lParam) {
        *msg = *it;
        q.erase(it);
        return true;
      }
    }
    return false;
  }
  return false;
}

bool HasPostedMessage(const std::function<bool(const MSG&)>& wanted) {
  EnsureQueue();
  std::deque<MSG> copy;
  {
    std::lock_guard<std::mutex> lock(tQueue->mutex);
    copy = tQueue->messages;
  }
  for (const MSG& m : copy)
    if (wanted(m)) return true;
  return false;
}

bool GetMessage(MSG* msg) {
  for (;;) {
    if (PeekMessage(msg, true)) return msg->message != WM_QUIT;
    WaitMessage();
  }
}

void WaitMessage() {
  EnsureQueue();
  for (;;) {
    RunPump();
    ServeSends();
    std::unique_lock<std::mutex> lock(tQueue->mutex);
    if (HasPosted(*tQueue)) return;
    auto ready = [] { return HasPosted(*tQueue) || !tQueue->sends.empty() || tQueue->woken; };
    if (tPump)
      tQueue->cv.wait_for(lock, kPumpInterval, ready);
    else
      tQueue->cv.wait(lock, ready);
    tQueue->woken = false;
  }
}

bool WaitMessageTimeout(uint32_t ms) {
  EnsureQueue();
  const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
  for (;;) {
    RunPump();
    ServeSends();
    std::unique_lock<std::mutex> lock(tQueue->mutex);
    if (HasPosted(*tQueue)) return true;
    if (tQueue->woken) {
      tQueue->woken = false;
      return true;
    }
    auto now = Clock::now();
    if (now >= deadline) return false;
    auto until = tPump ? std::min(deadline, now + kPumpInterval) : deadline;
    tQueue->cv.wait_until(lock, until,
                          [] { return HasPosted(*tQueue) || !tQueue->sends.empty() || tQueue->woken; });
  }
}

LRESULT DispatchMessage(const MSG& msg) {
  if (msg.hwnd == 0) return 0;
  WindowEntry w;
  if (!FindWindow(msg.hwnd, &w) || !w.proc) return 0;
  return w.proc(msg.hwnd, msg.message, msg.wParam, msg.lParam);
}

HWND RegisterWindow(WNDPROC proc) {
  ThreadId self = CurrentThreadId();
  Registry& r = Reg();
  std::lock_guard<std::mutex> lock(r.mutex);
  HWND w = r.nextWindow++;
  r.windows[w] = WindowEntry{self, proc};
  return w;
}

WNDPROC GetWindowProc(HWND window) {
  WindowEntry w;
  return FindWindow(window, &w) ? w.proc : nullptr;
}

WNDPROC SetWindowProc(HWND window, WNDPROC proc) {
  Registry& r = Reg();
  std::lock_guard<std::mutex> lock(r.mutex);
  auto it = r.windows.find(window);
  if (it == r.windows.end()) return nullptr;
  WNDPROC old = it->second.proc;
  it->second.proc = proc;
  return old;
}

void UnregisterWindow(HWND window) {
  ThreadId owner = 0;
  {
    Registry& r = Reg();
    std::lock_guard<std::mutex> lock(r.mutex);
    auto it = r.windows.find(window);
    if (it == r.windows.end()) return;
    owner = it->second.owner;
    r.windows.erase(it);
  }
  if (QueuePtr q = FindQueue(owner)) {
    std::lock_guard<std::mutex> lock(q->mutex);
    q->closed.insert(window);
    ReleaseSends(*q, window);
  }
}

ThreadId WindowThread(HWND window) {
  WindowEntry w;
  return FindWindow(window, &w) ? w.owner : 0;
}

LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  SafePoint();
  WindowEntry w;
  if (!FindWindow(window, &w)) return 0;
  if (w.owner == CurrentThreadId()) return w.proc ? w.proc(window, message, wParam, lParam) : 0;
  QueuePtr q = FindQueue(w.owner);
  if (!q) return 0;
  auto s = std::make_shared<PendingSend>();
  s->hwnd = window;
  s->message = message;
  s->wParam = wParam;
  s->lParam = lParam;
  QueueSendAndWait(q, s);
  std::lock_guard<std::mutex> lock(q->mutex);
  return s->result;
}

bool CallOnWindowThread(HWND window, std::function<LRESULT()> call, LRESULT* result) {
  SafePoint();
  WindowEntry w;
  if (!FindWindow(window, &w)) return false;
  if (w.owner == CurrentThreadId()) {
    LRESULT r = call();
    if (result) *result = r;
    return true;
  }
  QueuePtr q = FindQueue(w.owner);
  if (!q) return false;
  auto s = std::make_shared<PendingSend>();
  s->hwnd = window;
  s->call = std::move(call);
  bool served = QueueSendAndWait(q, s);
  std::lock_guard<std::mutex> lock(q->mutex);
  if (served && result) *result = s->result;
  return served;
}

int ServeSends() {
  if (!tQueue) return 0;
  int n = 0;
  for (;;) {
    SendPtr s;
    {
      std::lock_guard<std::mutex> lock(tQueue->mutex);
      if (tQueue->sends.empty()) break;
      s = tQueue->sends.front();
      tQueue->sends.pop_front();
      tQueue->running.push_back(s);
    }
    LRESULT r = RunSend(*s);
    {
      std::lock_guard<std::mutex> lock(tQueue->mutex);
      auto& run = tQueue->running;
      run.erase(std::find(run.begin(), run.end(), s));
      if (!s->finished) {
        s->result = r;
        s->served = true;
        s->finished = true;
        s->done.notify_all();
      }
    }
    ++n;
  }
  return n;
}

bool WaitForSends(uint32_t ms) {
  EnsureQueue();
  bool ready;
  {
    std::unique_lock<std::mutex> lock(tQueue->mutex);
    ready = tQueue->cv.wait_for(lock, std::chrono::milliseconds(ms),
                                [] { return !tQueue->sends.empty() || tQueue->woken; });
    tQueue->woken = false;
  }
  ServeSends();
  return ready;
}

bool WaitForSendsAndEvents(uint32_t ms) {
  EnsureQueue();
  const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
  for (;;) {
    RunPump();
    if (ServeSends() > 0) return true;
    std::unique_lock<std::mutex> lock(tQueue->mutex);
    if (tQueue->woken) {
      tQueue->woken = false;
      return true;
    }
    auto now = Clock::now();
    if (now >= deadline) return false;
    auto until = tPump ? std::min(deadline, now + kPumpInterval) : deadline;
    tQueue->cv.wait_until(lock, until, [] { return !tQueue->sends.empty() || tQueue->woken; });
  }
}

void CloseSends(HWND window) {
  WindowEntry w;
  if (!FindWindow(window, &w)) return;
  if (QueuePtr q = FindQueue(w.owner)) {
    std::lock_guard<std::mutex> lock(q->mutex);
    q->closed.insert(window);
    ReleaseSends(*q, window);
  }
}

bool SendsClosed(HWND window) {
  WindowEntry w;
  if (!FindWindow(window, &w)) return true;
  QueuePtr q = FindQueue(w.owner);
  if (!q) return true;
  std::lock_guard<std::mutex> lock(q->mutex);
  return q->removed || q->closed.count(window) != 0;
}

void WakeThread(ThreadId thread) {
  QueuePtr q = FindQueue(thread);
  if (!q) return;
  {
    std::lock_guard<std::mutex> lock(q->mutex);
    q->woken = true;
  }
  q->cv.notify_all();
}

void SetEventPump(EventPump pump) {
  EnsureQueue();
  tPump = pump;
}

}  // namespace plat
