#pragma once
#include <cstdint>

// One running copy of the game at a time: an exclusive lock (flock) on a lock file
// that holds the owner's process id. The lock file is KORVANE_LOCK when set, else a
// file in the user's runtime folder. "End the running copy" sends the owner
// SIGTERM, which the owner handles as an orderly close of its window, and SIGKILL
// when that close does not come in time.
namespace plat {

enum class InstanceLock {
  kAcquired,     // this copy holds the lock
  kHeld,         // another running copy holds it
  kUnavailable,  // the lock file cannot be made: the copy runs unguarded
};
InstanceLock AcquireInstanceLock();

enum class EndCopy {
  kEnded,         // the other copy closed when asked and this one took the lock over
  kForced,        // it did not close in time, was ended by force, and this one took the lock over
  kNoCopy,        // no other copy could be found (it may be ending already)
  kStillRunning,  // not gone even after the forced end; this copy goes on without the lock
  kCannotEnd,     // the other copy may not be signalled
};
// Asks the copy holding the lock to end (an orderly close that keeps its window
// placement) and waits at most waitMs for it; when it is still there, ends it by
// force (SIGKILL) and waits at most waitMs again.
EndCopy EndRunningCopy(uint32_t waitMs);

// Gives the lock up (the file stays).
void ReleaseInstanceLock();

// SIGTERM becomes a close request for the game window (taken by the window
// thread's event pump).
void InstallTerminationHandler();
bool TakeTerminationRequest();

}  // namespace plat
