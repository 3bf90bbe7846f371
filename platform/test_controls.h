#pragma once
#include <string>

// The test controls: environment variables that change how the program meets the
// outside world, so that the command line stays the game's own. Each is read once.
namespace plat {

// KORVANE_HEADLESS=1: no window or audio device; message boxes answered from
// KORVANE_ANSWERS with their texts written to the report log.
bool IsHeadless();

// KORVANE_FRAMES=N: the game window is asked to close after N frames; 0 when unset.
int FrameLimit();

// KORVANE_CLOCK=virtual.
bool WantsVirtualClock();

// KORVANE_TESTPLAY=1: the editor started this run for a test play.
bool IsTestPlayStart();

// KORVANE_LOCK: the single-instance lock file; empty when unset.
std::string LockPathSetting();

// KORVANE_NOTICE: where test-play notices go; empty when unset.
std::string NoticePath();

// KORVANE_TRACE_INPUT=1: the frame step writes each change of the sampled input
// of player 1 to the report log (the end-to-end input test reads it).
bool TraceInput();

// KORVANE_TRACE=FILE: the play trace (one JSON object a line); empty when unset.
std::string PlayTracePath();
// KORVANE_TRACE_DETAIL=1: the play trace also lists every character and shot.
bool PlayTraceDetail();

// The next scripted answer of KORVANE_ANSWERS ("yes", "no", "ok", "cancel", in
// order, lower case, shared by every thread); empty when none is left.
std::string NextScriptedAnswer();

// Forgets what was read, so that a test can change the environment.
void ReloadTestControls();

}  // namespace plat
