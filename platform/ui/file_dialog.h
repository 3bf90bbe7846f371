#pragma once
#include <cstdint>
#include <string>

#include "platform/messages.h"

// The open and save file dialogs, drawn inside the game window like every dialog
// (dialog_box.h): the folder, a list of its folders and of the files the filter
// matches, the file name field, the filter's name, and the two buttons. A chosen
// file is returned as a game path (backslashes, Shift-JIS): relative to the current
// folder when it lies inside it, else absolute.
//
// Headless the dialog writes "FileDialog [title] folder | filter" to the dialog
// report and takes the scripted answers: "file:PATH" chooses PATH (relative to the
// folder shown, or absolute; several separated by "|" with the multi-selection
// flag), "ok" accepts the name proposed, "cancel" cancels.
namespace plat {

constexpr uint32_t OFN_OVERWRITEPROMPT = 0x2;
constexpr uint32_t OFN_HIDEREADONLY = 0x4;
constexpr uint32_t OFN_NOCHANGEDIR = 0x8;
constexpr uint32_t OFN_ENABLEHOOK = 0x20;
constexpr uint32_t OFN_ALLOWMULTISELECT = 0x200;
constexpr uint32_t OFN_FILEMUSTEXIST = 0x1000;
constexpr uint32_t OFN_NONETWORKBUTTON = 0x20000;
constexpr uint32_t OFN_EXPLORER = 0x80000;

struct OPENFILENAME {
  uint32_t lStructSize = 76;
  HWND hwndOwner = 0;
  intptr_t hInstance = 0;
  // Pairs of zero-terminated strings (name, then patterns separated by ';'), ended
  // by an empty string; the first pair applies.
  const char* lpstrFilter = nullptr;
  // In: the name proposed (may hold a folder); out: the path chosen, or with several
  // files the folder and then each name, each zero-terminated, then an empty string.
  char* lpstrFile = nullptr;
  uint32_t nMaxFile = 0;
  char* lpstrFileTitle = nullptr;
  uint32_t nMaxFileTitle = 0;
  const char* lpstrInitialDir = nullptr;
  const char* lpstrTitle = nullptr;
  uint32_t Flags = 0;
  const char* lpstrDefExt = nullptr;
  // With OFN_ENABLEHOOK: called with the dialog's messages (WM_INITDIALOG here);
  // its result changes nothing.
  WNDPROC lpfnHook = nullptr;
  // The labels of the dialog in English (the game's English setting).
  bool bEnglish = false;
};

// True when the user chose (lpstrFile then holds the choice), false when cancelled.
bool GetOpenFileName(OPENFILENAME* ofn);
bool GetSaveFileName(OPENFILENAME* ofn);

// Tests: what the last file dialog was asked with.
struct FileDialogRequest {
  bool save = false;
  uint32_t flags = 0;
  bool hooked = false;  // the hook procedure was called
  std::string title, folder;
};
FileDialogRequest LastFileDialogRequest();

// Whether a file name matches one pattern with * and ? (letter case ignored).
bool MatchesPattern(const std::string& name, const std::string& pattern);

}  // namespace plat
