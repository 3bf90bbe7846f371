#include "app/base/thread.h"

#include "app/base/report_log.h"

bool cThread::Start(Routine routine, void* arg) {
  if (!routine) return false;
  return m_hThread.Start([routine, arg] { return routine(arg); });
}

bool cThread::StartPrimed(Routine routine, void* arg) {
  if (!Start(routine, arg)) {
    ReportLog("%s : the thread could not be started", m_szName);
    return false;
  }
  while (!plat::PostThreadMessage(m_hThread.Id(), plat::WM_APP, 0, 0)) {
    // A routine that has already returned has no queue left to prime.
    if (!m_hThread.IsRunning()) break;
  }
  return true;
}

void cThread::Wait() {
  if (!m_hThread.Holds()) return;
  m_hThread.WaitFor(plat::kInfinite);
  m_hThread.Reset();
}

bool cThread::Suspend() {
  m_hThread.Suspend();
  return true;
}

bool cThread::Resume() {
  m_hThread.Resume();
  return true;
}

void cThread::Exit() {
  if (!m_hThread.Holds()) return;
  // A suspended thread must run to see its quit message.
  while (m_hThread.Resume() > 1) {
  }
  plat::ThreadId id = m_hThread.Id();
  plat::PostThreadMessage(id, plat::WM_QUIT, 0, 0);
  // Real milliseconds: the bound must hold under the virtual clock too, and the
  // game's clock belongs to the thread that runs frames.
  int polls = 0;
  while (!m_hThread.WaitFor(1)) {
    plat::PostThreadMessage(id, plat::WM_QUIT, 0, 0);
    if (++polls >= kExitPolls) {
      ReportLog("%s : the thread did not end within %d ms and was left running", m_szName, kExitPolls);
      plat::NoteThreadLeftRunning();
      m_hThread.Release();
      return;
    }
  }
  m_hThread.Reset();
}

bool PumpMessagesUntilEnded(cThread& thread) {
  while (thread.IsAlive()) {
    plat::MSG msg;
    while (plat::PeekMessage(&msg, true)) {
      if (msg.message == plat::WM_QUIT) return false;
      plat::DispatchMessage(msg);
    }
    // Wakes for the next message at once; the thread's end is seen within a millisecond.
    plat::WaitMessageTimeout(1);
  }
  return true;
}
