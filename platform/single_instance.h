#pragma once
#include <cstdint>

// One running copy of the game at a time: an exclusive lock (flock) on a lock file
// that holds the owner's process id. The lock file is KORVANE_LOCK when set, else a
// file in the user's runtime folder. "End the running copy" sends the owner
// SIGTERM, which the owner handles as an orderly close of its window.
namespace plat {

enum class InstanceLock {
  kAcquired,     // this copy holds the lock
  kHeld,         // another running copy holds it
  kUnavailable,  // the lock file cannot be made: the copy runs unguarded
};
InstanceLock AcquireInstanceLock();

enum class EndCopy {
  kEnded,         // the other copy ended and this one took the lock over
  kNoCopy,        // no other copy could be found (it may be ending already)
  kStillRunning,  // asked to end, it did not within the wait; this copy goes on without the lock
  kCannotEnd,     // the other copy may not be signalled
};
// Asks the copy holding the lock to end and waits at most waitMs for it.
EndCopy EndRunningCopy(uint32_t waitMs);

// Gives the lock up (the file stays).
void ReleaseInstanceLock();

// SIGTERM becomes a close request for the game window (taken by the window
// thread's event pump).
void InstallTerminationHandler();
bool TakeTerminationRequest();

}  // namespace plat
