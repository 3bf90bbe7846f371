#pragma once

// A test build's view of the order of acting inside a logic step: when a watcher
// is installed, the play step names each turn as it starts ("block", "player",
// "chara" with the character's identity; "shots", "range", "contacts", "pickup"
// with 0). No watcher is installed in play.
using PlayStepWatcher = void (*)(const char* turn, int identity);
void SetPlayStepWatcher(PlayStepWatcher watcher);
void WatchPlayStep(const char* turn, int identity);
