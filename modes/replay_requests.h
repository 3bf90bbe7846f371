#pragma once
#include <string>

// The name proposed for a replay of the stage named stageName: the stage name's
// file part with the replay extension and the first free suffix _00, _01, ..., _08,
// _10, ..., _88 in "user_data\rpl4\" (the _88 name when all are taken); empty for an
// empty stage name. Without its folder.
std::string ProposeReplayName(const std::string& stageName);

// The save dialog for a replay, with the proposed name in it: 1 when the user
// chose (path, 260 bytes, holds the choice), 0 when cancelled. Window thread.
int ChooseReplaySavePath(char* path, const std::string& stageName);

// The title's replay item: asks the game window to let the player choose a replay
// and to read it; 1 when one was read (play then starts from it), 0 otherwise.
int RequestReplayLoad();

// What the game window does for the two replay requests (on its own thread, while
// the sender waits). Save: the dialog, then the current (attempt 0) or previous
// (1) attempt's log written with the stage and the save data of that attempt; 1
// when a file was chosen (a file that cannot be written gives a message and play
// goes on). Load: the open dialog, then the replay read into the stage, the play
// settings and the save data and its path kept as the play file's name; 1 when a
// good replay was read, 0 when the dialog was cancelled or the replay refused (the
// reader has shown why; nothing changed).
int SaveReplayFromDialog(int attempt);
int LoadReplayFromDialog();
