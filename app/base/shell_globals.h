#pragma once
#include <atomic>

#include "platform/messages.h"

// The game window's handle kept for the error paths: every fatal error posts
// WM_CLOSE to it. 0 before the window exists and after it is destroyed.
extern std::atomic<plat::HWND> hMainWnd;

// 1 when the editor started this run for a test play.
extern int bTestPlay;

// 1 when play began from the start-up stage file (the command line or FreeStage):
// such a play has unlimited lives; set by start-up before the file is played.
extern int bStartupStage;

// Set once InitGame has succeeded, just before the game thread starts: the main
// window saves its placement only then.
extern std::atomic<int> bInitialised;

// wParam of the last WM_ACTIVATEAPP: the game thread runs frames only while it is
// set, and the window thread waits for messages while it is clear. The program
// starts active (a desktop may never report the focus).
extern std::atomic<int> bActive;

// The program version written to the report log and into file names.
constexpr const char* kProgramVersion = "752";

// The close request of the fatal error paths: posts WM_CLOSE to the game window
// (nothing when it does not exist) and makes the run end with a non-zero exit code.
void RequestClose();

// The exit code that the failures seen so far call for: 0, or 1 after a fatal error.
int FailureExitCode();
