#pragma once
#include <string>
#include <vector>

// "System.ini": the display and start-up settings a user may edit by hand, read
// once at start-up.
struct SYSTEMINIDATA {
  int Direct3D = 0;         // 0 DirectDraw, 1 Direct3D, 2 or more: ask at start-up
  int WindowMode = 0;       // 0 full screen, 1 window, 2 resizable window
  int Bpp = 0;              // 8, 16, 32; 0 automatic
  int VSync = 0;            // 0 off, 1 on, 2 or more automatic
  int D3D_FontCache = 0;
  int DD_FontCache = 0;
  int DD_VideoStretch = 0;
  int ShowFps = 0;          // 0 none, 2 small counter, other: counter in a text window
  int English = 0;
  std::string FreeStage;    // stage file played at start-up (at most 259 characters)
};

extern SYSTEMINIDATA SystemIni;

// One "System.ini" key with its default, as the game-wide settings list them
// (kind 0: integer key, 1: text key). The keys are taken by position: Direct3D,
// WindowMode, Bpp, VSync, D3D_FontCache, DD_FontCache, DD_VideoStretch, ShowFps,
// FreeStage, English.
struct SYSTEMINIKEY {
  int nKind = 0;
  std::string strName;
  int nDefault = 0;
  std::string strDefault;
};
using SystemIniKeys = std::vector<SYSTEMINIKEY>;

class cEdSystem;
// The key list of the game-wide settings (their "System.ini" keys and defaults).
SystemIniKeys SystemIniKeysOf(const cEdSystem& settings);

// Members Direct3D..ShowFps := the integer defaults of keys 0..7, FreeStage := the
// text default of key 8, English := 0.
void SetSystemIniDefaults(SYSTEMINIDATA& ini, const SystemIniKeys& keys);

// Reads the file over the values already in ini. True when it was read to its
// "Exit" line (or a zero byte) or through 10,000 keys; false when it cannot be
// opened or ends before "Exit" (ini may then hold part of the file).
bool LoadSystemIni(const char* path, SYSTEMINIDATA& ini, const SystemIniKeys& keys);
// The same over the bytes of a file already in memory.
bool ReadSystemIniText(const char* data, size_t size, SYSTEMINIDATA& ini, const SystemIniKeys& keys);
