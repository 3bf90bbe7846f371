#pragma once
#include <string>

// Starts play from a stage file: a new game's save data, the stage loaded for
// play (its newest numbered version when `newest` is set), stage 1 part 1, the
// lives of the stage-file category (unlimited from the start-up stage), and the
// stage's name kept for results and rankings. 1 on success; 0 when the load
// failed (the loader has shown why).
int StartStageFile(const std::string& path, int newest);
// The stage file chosen in the title's dialog: the same start, except that a file
// that cannot be played (damaged, without the player) leaves the game running
// after the loader's message, so that the title stays.
int StartChosenStageFile(const std::string& path);

// The title's stage-file item: asks the game window for its dialog and the start
// of the chosen file; 1 when a stage was started.
int RequestStageFileLoad();

// The start-up stage (the command line or FreeStage), already found in its newest
// version: played at once with unlimited lives; the first frame then creates the
// stage-play scene. False when it could not be loaded (start-up ends).
bool StartStartupStage(const std::string& path);
