#include "app/ui/file_dialog.h"

#include <cstring>

#include "app/svc/system_ini.h"
#include "app/ui/dialog.h"
#include "draw/dd_globals.h"
#include "platform/files.h"
#include "platform/ui/dialog_box.h"
#include "platform/ui/file_dialog.h"

namespace {

constexpr uint32_t kOpenFlags = plat::OFN_HIDEREADONLY | plat::OFN_NOCHANGEDIR | plat::OFN_FILEMUSTEXIST |
                                plat::OFN_NONETWORKBUTTON | plat::OFN_EXPLORER;
constexpr uint32_t kSaveFlags = kOpenFlags | plat::OFN_OVERWRITEPROMPT | plat::OFN_ALLOWMULTISELECT;

// The system this program runs on counts as version 6.0 or later (as the display
// settlement takes it too).
bool IsOSAtLeast(int major, int minor) { return major < 6 || (major == 6 && minor == 0); }

void Prepare(plat::OPENFILENAME& ofn, plat::HWND owner, const char* filter, char* path, uint32_t size,
             const char* folder, const char* title, const char* extension, uint32_t flags) {
  ofn.lStructSize = 76;
  ofn.hwndOwner = owner;
  ofn.hInstance = plat::GetWindowLong(owner, plat::GWL_HINSTANCE);
  ofn.lpstrFilter = filter;
  ofn.lpstrFile = path;
  ofn.nMaxFile = size;
  ofn.lpstrFileTitle = nullptr;
  ofn.nMaxFileTitle = 260;
  ofn.lpstrInitialDir = folder;
  ofn.lpstrTitle = title;
  ofn.lpstrDefExt = extension;
  ofn.Flags = flags;
  // Full screen needs the hook procedure for the dialog to be seen.
  if ((lpDTCon || lpDD) && !DDSettings.bWindowed && IsOSAtLeast(6, 0)) {
    ofn.Flags |= plat::OFN_ENABLEHOOK;
    ofn.lpfnHook = &FileDialogHookProc;
  }
  ofn.bEnglish = SystemIni.English != 0;
  InstallDialogReport();
}

// In 8-bit DirectDraw, colour 0 is black while the dialog is open and its palette
// colour again afterwards, whatever the outcome.
class cBlackColourZero {
 public:
  cBlackColourZero() : m_bOn(!lpDTCon && lpDD && lpDDPalette && DDSettings.nBpp == 8) {
    if (!m_bOn) return;
    const PALETTEENTRY black{};
    lpDDPalette->SetEntries(0, 1, &black);
  }
  ~cBlackColourZero() {
    if (m_bOn && lpDDPalette) lpDDPalette->SetEntries(0, 1, &ScreenPalette[0]);
  }

 private:
  bool m_bOn;
};

}  // namespace

plat::LRESULT FileDialogHookProc(plat::HWND, plat::UINT, plat::WPARAM, plat::LPARAM) { return 0; }

void SplitFileDialogResult(const char* buffer, int size, cVector<std::string>& list) {
  std::vector<std::string> parts;
  int at = 0;
  while (at < size && buffer[at]) {
    const int start = at;
    while (at < size && buffer[at]) ++at;
    parts.emplace_back(buffer + start, buffer + at);
    ++at;
  }
  if (parts.size() == 1) {
    list.push_back(parts[0]);
    return;
  }
  for (size_t i = 1; i < parts.size(); ++i) list.push_back(parts[0] + "\\" + parts[i]);
}

int OpenFileDialog(plat::HWND owner, char* path, int size, const char* folder, const char* title,
                   const char* filter, const char* extension, int multiSelect, cVector<std::string>* list) {
  if (!path || size <= 0) return 0;
  std::memset(path, 0, static_cast<size_t>(size));
  plat::OPENFILENAME ofn;
  Prepare(ofn, owner, filter, path, static_cast<uint32_t>(size), folder, title, extension,
          kOpenFlags | (multiSelect ? plat::OFN_ALLOWMULTISELECT : 0));
  bool chosen;
  {
    cBlackColourZero black;
    chosen = plat::GetOpenFileName(&ofn);
  }
  if (!chosen) return 0;
  if (list) SplitFileDialogResult(path, size, *list);
  return 1;
}

int SaveFileDialog(plat::HWND owner, char* path, const char* folder, const char* title, const char* filter,
                   const char* extension, int keep) {
  if (!path) return 0;
  if (!keep) std::memset(path, 0, plat::kMaxPath);
  plat::OPENFILENAME ofn;
  Prepare(ofn, owner, filter, path, plat::kMaxPath, folder, title, extension, kSaveFlags);
  cBlackColourZero black;
  return plat::GetSaveFileName(&ofn) ? 1 : 0;
}
