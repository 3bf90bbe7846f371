#include "platform/thread.h"

#include <condition_variable>
#include <mutex>
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
}

Thread::~Thread() = default;

bool Thread::Start(std::function<unsigned()> routine) {
  if (m_state && !m_state->ended) return false;
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
  std::unique_lock<std::mutex> lock(state->mutex);
  state->cv.wait(lock, [&] { return state->started; });
  m_state = state;
  return true;
}

ThreadId Thread::Id() const {
  if (!m_state) return 0;
  std::lock_guard<std::mutex> lock(m_state->mutex);
  return m_state->id;
}

bool Thread::IsRunning() const {
  if (!m_state) return false;
  std::lock_guard<std::mutex> lock(m_state->mutex);
  return !m_state->ended;
}

bool Thread::WaitFor(uint32_t ms) const {
  if (!m_state) return true;
  std::unique_lock<std::mutex> lock(m_state->mutex);
  if (ms == kInfinite) {
    m_state->cv.wait(lock, [&] { return m_state->ended; });
    return true;
  }
  return m_state->cv.wait_for(lock, std::chrono::milliseconds(ms), [&] { return m_state->ended; });
}

unsigned Thread::ExitCode() const {
  if (!m_state) return 0;
  std::lock_guard<std::mutex> lock(m_state->mutex);
  return m_state->exitCode;
}

int Thread::Suspend() {
  if (!m_state) return -1;
  std::lock_guard<std::mutex> lock(m_state->mutex);
  if (m_state->ended) return -1;
  return m_state->suspendCount++;
}

int Thread::Resume() {
  if (!m_state) return -1;
  int previous;
  {
    std::lock_guard<std::mutex> lock(m_state->mutex);
    if (m_state->ended) return -1;
    previous = m_state->suspendCount;
    if (m_state->suspendCount > 0) --m_state->suspendCount;
  }
  m_state->cv.notify_all();
  return previous;
}

void Thread::Reset() {
  if (m_state && m_state->ended) m_state.reset();
}

void SafePoint() {
  std::shared_ptr<Thread::State> self = tSelf;
  if (!self) return;
  std::unique_lock<std::mutex> lock(self->mutex);
  self->cv.wait(lock, [&] { return self->suspendCount <= 0; });
}

}  // namespace plat
