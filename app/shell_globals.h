#pragma once
#include "platform/messages.h"

// The game window's handle kept for the error paths: every fatal error posts
// WM_CLOSE to it. 0 before the window exists and after it is destroyed.
extern plat::HWND hMainWnd;

// 1 when the editor started this run for a test play.
extern int bTestPlay;

// The program version written to the report log and into file names.
constexpr const char* kProgramVersion = "752";

// Posts WM_CLOSE to the game window (nothing when it does not exist).
void RequestClose();
