#pragma once
#include <string>

// The program: report log, single instance, game window, InitGame, the game
// thread and the window thread's message loop, then UnInitGame. commandLine is the
// optional stage file path (Shift-JIS); showCommand is SW_SHOW (5) for a test play
// started by the editor. Returns the process's exit code: 0 after an orderly close
// (or when the user declined to start a second copy), non-zero after a failure.
int WinMain(const std::string& commandLine, int showCommand);
