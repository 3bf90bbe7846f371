#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

#include "platform/messages.h"

// Program threads: each has a message queue (made before its routine runs), an
// end signal that others can wait on, and a cooperative suspend count that the
// thread honours at its safe points. Threads are never killed.
namespace plat {

constexpr uint32_t kInfinite = 0xFFFFFFFF;

class Thread {
 public:
  Thread() = default;
  ~Thread();  // leaves a running thread running (detached)
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;

  // Starts routine on a new thread; false when the thread cannot be made or this
  // object already holds a running thread.
  bool Start(std::function<unsigned()> routine);

  ThreadId Id() const;          // 0 when never started
  bool IsRunning() const;       // started and its routine has not returned
  // Waits until the routine has returned; true when it did within ms.
  bool WaitFor(uint32_t ms) const;
  unsigned ExitCode() const;

  // Cooperative suspension: the thread stops at its next safe point while the
  // count is above 0. Suspend returns the previous count (-1 when not running).
  int Suspend();
  int Resume();

  // Forgets an ended thread so that the object can start another.
  void Reset();
  // Forgets the thread whether it has ended or not; a running one goes on unobserved.
  void Release();
  // Whether the object holds a thread (started and not yet forgotten).
  bool Holds() const;

  struct State;

 private:
  std::shared_ptr<State> Get() const;

  mutable std::mutex m_mutex;  // guards m_state: the object is used from several threads
  std::shared_ptr<State> m_state;
};

// Called by a program thread at its safe points (top of its frame loop, entry of a
// send, its queue poll): blocks while the thread is suspended. Does nothing on
// threads not started through Thread.
void SafePoint();

// Threads that were asked to end, did not, and were left running. A process that
// left one must end without running static destructors the thread may still use.
void NoteThreadLeftRunning();
int ThreadsLeftRunning();

// Ends the process at once with the exit code: output streams are flushed, static
// destructors do not run.
[[noreturn]] void ExitProcessNow(int exitCode);

}  // namespace plat
