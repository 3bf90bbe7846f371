#include "platform/thread.h"

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace plat {

struct Thread::State {
  std::mutex mutex;
  std::condition_variable cv;
  ThreadId id = 0;
  bool started = false;  // the routine is about to run (id known)
  bool ended = false;
  unsigned exitCode = 0;
  int suspendCount = 0;
};

namespace {
thread_local std::shared_ptr<Thread::State> tSelf;
std::atomic<int> gLeftRunning{0};
}  // namespace

Thread::~Thread() = default;

std::shared_ptr<Thread::State> Thread::Get() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_state;
}

bool Thread::Start(std::function<unsigned()> routine) {
  std::lock_guard<std::mutex> guard(m_mutex);
  if (m_state) {
    std::lock_guard<std::mutex> lock(m_state->mutex);
    if (!m_state->ended) return false;
  }
  auto state = std::make_shared<State>();
  try {
    std::thread t([state, routine = std::move(routine)]() {
      tSelf = state;
      EnsureQueue();
      {
        std::lock_guard<std::mutex> lock(state->mutex);
        state->id = CurrentThreadId();
        state->started = true;
      }
      state->cv.notify_all();
      unsigned code = routine();
      RemoveQueue();
      {
        std::lock_guard<std::mutex> lock(state->mutex);
        state->exitCode = code;
        state->ended = true;
      }
      state->cv.notify_all();
      tSelf.reset();
    });
    t.detach();
  } catch (...) {
    return false;
  }
  {
    std::unique_lock<std::mutex> lock(state->mutex);
    state->cv.wait(lock, [&] { return state->started; });
  }
  m_state = state;
  return true;
}

ThreadId Thread::Id() const {
  auto s = Get();
  if (!s) return 0;
  std::lock_guard<std::mutex> lock(s->mutex);
  return s->id;
}

bool Thread::IsRunning() const {
  auto s = Get();
  if (!s) return false;
  std::lock_guard<std::mutex> lock(s->mutex);
  return !s->ended;
}

bool Thread::WaitFor(uint32_t ms) const {
  auto s = Get();
  if (!s) return true;
  std::unique_lock<std::mutex> lock(s->mutex);
  if (ms == kInfinite) {
    s->cv.wait(lock, [&] { return s->ended; });
    return true;
  }
  return s->cv.wait_for(lock, std::chrono::milliseconds(ms), [&] { return s->ended; });
}

unsigned Thread::ExitCode() const {
  auto s = Get();
  if (!s) return 0;
  std::lock_guard<std::mutex> lock(s->mutex);
  return s->exitCode;
}

int Thread::Suspend() {
  auto s = Get();
  if (!s) return -1;
  std::lock_guard<std::mutex> lock(s->mutex);
  if (s->ended) return -1;
  return s->suspendCount++;
}

int Thread::Resume() {
  auto s = Get();
  if (!s) return -1;
  int previous;
  {
    std::lock_guard<std::mutex> lock(s->mutex);
    if (s->ended) return -1;
    previous = s->suspendCount;
    if (s->suspendCount > 0) --s->suspendCount;
  }
  s->cv.notify_all();
  return previous;
}

void Thread::Reset() {
  std::lock_guard<std::mutex> guard(m_mutex);
  if (!m_state) return;
  bool ended;
  {
    std::lock_guard<std::mutex> lock(m_state->mutex);
    ended = m_state->ended;
  }
  if (ended) m_state.reset();
}

void Thread::Release() {
  std::lock_guard<std::mutex> guard(m_mutex);
  m_state.reset();
}

bool Thread::Holds() const { return Get() != nullptr; }

void SafePoint() {
  std::shared_ptr<Thread::State> self = tSelf;
  if (!self) return;
  std::unique_lock<std::mutex> lock(self->mutex);
  self->cv.wait(lock, [&] { return self->suspendCount <= 0; });
}

void NoteThreadLeftRunning() { gLeftRunning.fetch_add(1); }
int ThreadsLeftRunning() { return gLeftRunning.load(); }

void ExitProcessNow(int exitCode) {
  std::fflush(nullptr);
  std::_Exit(exitCode);
}

}  // namespace plat
