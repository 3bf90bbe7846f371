#pragma once
#include <string>
#include <vector>

#include "platform/messages.h"

// What the game window does for the sound and music requests of other threads,
// and how the senders reach it.

// The blocking send to the game window that PlaySE uses. Until the shell
// installs its send, requests are posted (the window plays them in order).
using WindowSendFunction = plat::LRESULT (*)(plat::HWND, plat::UINT, plat::WPARAM, plat::LPARAM);
void SetSoundRequestSender(WindowSendFunction send);
plat::LRESULT SendSoundRequest(plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam);

// WM_USER+5 on the window thread: plays entry `entry` of SoundTable; a bad index
// is reported by the checked table (and entry 0 is played).
void OnPlaySoundEffectRequest(plat::WPARAM entry);

// WM_USER+6 on the window thread, after the window has looked up what the kind
// needs: for kinds 0 to 3 the game-wide settings' music number and loop flag of
// that kind, for kind 4 the stage's number (lParam) and the save data's loop
// flag; `fileName` is the file name of database music entry `number`. Number 0
// stops the music (kind 4 names its track first). Other kinds do nothing.
void OnMusicRequest(int kind, int number, const std::string& fileName, int loop);

// Start-up: sizes SoundTable and SoundInfoTable to the database sound count + 16
// (at least the 17 system sounds) and fills the descriptors: the 17 system sound
// file names, then database sounds 1, 2, ... (`databaseFiles` is the database's
// sound list, entry 0 included); every descriptor gets 1 buffer, volume 0, flag 1.
void SetUpSoundTable(const std::vector<std::string>& systemFiles, const std::vector<std::string>& databaseFiles);
