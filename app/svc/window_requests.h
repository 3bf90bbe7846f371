#pragma once
#include "platform/messages.h"

// The requests that the game thread and the stage-play threads send to the game
// window (the window thread carries them out; see main_window_requests.cpp).
constexpr plat::UINT WM_NAME_ENTRY = plat::WM_USER + 1;     // modal name-entry dialog
constexpr plat::UINT WM_LOAD_STAGE = plat::WM_USER + 2;     // open dialog and stage start
constexpr plat::UINT WM_LOAD_REPLAY = plat::WM_USER + 3;    // open dialog and replay read
constexpr plat::UINT WM_SAVE_REPLAY = plat::WM_USER + 4;    // save dialog and replay write (wParam 0/1)
constexpr plat::UINT WM_PLAY_SE = plat::WM_USER + 5;        // sound effect (wParam: entry)
constexpr plat::UINT WM_PLAY_BGM = plat::WM_USER + 6;       // music (wParam: kind, lParam: number)
constexpr plat::UINT WM_RESTORE_DEVICE = plat::WM_USER + 100;
