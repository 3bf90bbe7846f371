#pragma once
#include <string>

#include "app/base/vector.h"
#include "platform/messages.h"

// The open and save file dialogs of the window's requests, with the care that
// full-screen drawing needs: a hook procedure in full screen, and black for colour
// 0 of an 8-bit DirectDraw palette while the dialog is open. The filter holds pairs
// of zero-terminated strings (name, patterns), ended by an empty one. Paths are
// game paths (Shift-JIS, backslashes).

// 1 when the user chose (path holds the choice; with a list, the chosen files are
// appended to it, each as a whole path), 0 when cancelled. Window thread only.
int OpenFileDialog(plat::HWND owner, char* path, int size, const char* folder, const char* title,
                   const char* filter, const char* extension, int multiSelect, cVector<std::string>* list);
// path holds 260 characters; unless keep is set it starts empty, else it holds the
// name proposed.
int SaveFileDialog(plat::HWND owner, char* path, const char* folder, const char* title, const char* filter,
                   const char* extension, int keep);
// The hook procedure of the full-screen dialogs: changes nothing.
plat::LRESULT FileDialogHookProc(plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam);
// Splits the result of a multiple selection ("folder\0name\0name\0\0", or a whole
// path alone) into whole paths appended to the list.
void SplitFileDialogResult(const char* buffer, int size, cVector<std::string>& list);
