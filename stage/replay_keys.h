#pragma once
#include "platform/messages.h"

// F1 and F2 during stage play: the replay of the current (F1) or the previous (F2)
// attempt saved through the game window's save request. Called once per frame by
// the stage-play phases; 1 when a replay was saved during this call (the frame
// then ends), else 0. Nothing during replay playback or when the game does not
// record replays.
int CheckReplaySaveKeys();

// Frames before an empty log's refusal sound may sound again.
extern int ReplayBuzzCooldown;

// A file request to the game window (WM_LOAD_REPLAY, WM_SAVE_REPLAY): sent, waited
// for, and answered with its result flag (1 when a file was chosen and acted on).
// The shell installs the send; without one a request is not carried out (0).
using FileRequestSender = int (*)(plat::UINT message, plat::WPARAM wParam);
void SetFileRequestSender(FileRequestSender send);
int SendFileRequest(plat::UINT message, plat::WPARAM wParam);
