#pragma once
#include <string>

// What stage play needs of the game modes above it, installed by the shell.

// Starts a stage file again from its path (the fade-out of a stage-file play):
// 1 on success, 0 when it could not be loaded (the loader has said why).
using StageFileStarter = int (*)(const std::string& path, int newest);
void SetStageFileStarter(StageFileStarter starter);
int StartStageFileAgain(const std::string& path);
