#include "platform/single_instance.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/test_controls.h"

namespace plat {
namespace {

int gLockFd = -1;
bool gLocked = false;
std::atomic<bool> gTermRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the signal handler needs a lock-free flag");

std::string LockPath() {
  std::string set = LockPathSetting();
  if (!set.empty()) return set;
  if (const char* run = std::getenv("XDG_RUNTIME_DIR"); run && *run) return std::string(run) + "/korvane-game.lock";
  return "/tmp/korvane-game-" + std::to_string(getuid()) + ".lock";
}

bool TryLock() {
  if (gLockFd < 0) return false;
  if (flock(gLockFd, LOCK_EX | LOCK_NB) != 0) return false;
  gLocked = true;
  std::string pid = std::to_string(getpid()) + "\n";
  if (ftruncate(gLockFd, 0) == 0) {
    ssize_t n = pwrite(gLockFd, pid.data(), pid.size(), 0);
    (void)n;  // a lock without the id still keeps a second copy out
  }
  return true;
}

pid_t HolderPid() {
  char buf[32] = {};
  ssize_t n = pread(gLockFd, buf, sizeof buf - 1, 0);
  if (n <= 0) return 0;
  long pid = std::strtol(buf, nullptr, 10);
  return pid > 0 && pid != getpid() ? static_cast<pid_t>(pid) : 0;
}

// Tries for the lock until it is free or waitMs have gone.
bool WaitForLock(uint32_t waitMs) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  do {
    if (TryLock()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  } while (std::chrono::steady_clock::now() < deadline);
  return TryLock();
}

void OnTerminate(int) { gTermRequested.store(true); }

}  // namespace

InstanceLock AcquireInstanceLock() {
  if (gLocked) return InstanceLock::kAcquired;
  if (gLockFd < 0) gLockFd = open(LockPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (gLockFd < 0) return InstanceLock::kUnavailable;
  return TryLock() ? InstanceLock::kAcquired : InstanceLock::kHeld;
}

EndCopy EndRunningCopy(uint32_t waitMs) {
  if (gLockFd < 0) return EndCopy::kNoCopy;
  pid_t pid = HolderPid();
  if (pid == 0 || kill(pid, 0) != 0) {
    if (pid != 0 && errno == EPERM) return EndCopy::kCannotEnd;
    TryLock();
    return EndCopy::kNoCopy;
  }
  if (kill(pid, SIGTERM) != 0) return errno == ESRCH ? EndCopy::kNoCopy : EndCopy::kCannotEnd;
  if (WaitForLock(waitMs)) return EndCopy::kEnded;
  // The orderly close did not come in time (the copy hangs, or ignores the
  // request): it is ended by force, so that two copies never run side by side.
  if (kill(pid, SIGKILL) != 0 && errno != ESRCH) return EndCopy::kCannotEnd;
  return WaitForLock(waitMs) ? EndCopy::kForced : EndCopy::kStillRunning;
}

void ReleaseInstanceLock() {
  if (gLockFd >= 0) close(gLockFd);
  gLockFd = -1;
  gLocked = false;
}

void InstallTerminationHandler() {
  struct sigaction sa {};
  sa.sa_handler = OnTerminate;
  sigemptyset(&sa.sa_mask);
  sigaction(SIGTERM, &sa, nullptr);
}

bool TakeTerminationRequest() { return gTermRequested.exchange(false); }

}  // namespace plat
