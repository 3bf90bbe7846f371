#pragma once
#include "platform/messages.h"
#include "platform/thread.h"

// One worker thread of the program (thGame, thPause, thRanking, thLoad): started on
// a routine, waited for, suspended and resumed at its safe points, and ended by
// asking its message queue to quit. A thread is never killed: one that does not
// end in time is reported and left running.
class cThread {
 public:
  using Routine = unsigned (*)(void* arg);

  explicit cThread(const char* name = "thread") : m_szName(name) {}
  ~cThread() { Exit(); }
  cThread(const cThread&) = delete;
  cThread& operator=(const cThread&) = delete;

  // Starts the routine; false when the thread cannot be made (the object stays idle)
  // or one is still held.
  bool Start(Routine routine, void* arg);
  // Start, then WM_APP posted to the thread until its queue accepts it, so that it
  // can be sent WM_QUIT from then on. A failed start is reported in the report log
  // and gives false instead of posting for ever.
  bool StartPrimed(Routine routine, void* arg);
  // Blocks until the thread has ended, then forgets it; at once when idle.
  void Wait();
  // Cooperative: the thread stops at its next safe point. True when no thread runs.
  bool Suspend();
  bool Resume();
  // Resumes the thread fully, posts WM_QUIT and waits up to kExitPolls ms, posting
  // WM_QUIT again each millisecond; a thread still running then is reported and
  // left. Nothing when idle.
  void Exit();

  // A thread is held from a successful start until Wait or Exit forgets it.
  bool IsRunning() const { return m_hThread.Holds(); }
  // Whether the routine has not returned yet.
  bool IsAlive() const { return m_hThread.IsRunning(); }
  plat::ThreadId ThreadId() const { return m_hThread.Id(); }
  const char* Name() const { return m_szName; }

  static constexpr int kExitPolls = 200;

 private:
  const char* m_szName;
  plat::Thread m_hThread;
};

// The program's four thread objects, in their order of construction.
extern cThread thGame, thPause, thRanking, thLoad;

// The starter's side of a load on thLoad: serves the calling thread's messages
// (and, on the window thread, the sends) until the thread ends. A WM_QUIT met
// there is taken and not passed on: the result is then false.
bool PumpMessagesUntilEnded(cThread& thread);
