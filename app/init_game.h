#pragma once
#include <string>

// Loads the project and sets up the engine services in their fixed order (on the
// window thread, after the game window exists). False ends the program.
bool InitGame(const std::string& commandLine, int showCommand);
// Releases the engine services; safe after a partial start-up.
void UnInitGame();
