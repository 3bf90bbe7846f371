#include "app/svc/system_ini.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "data/system_data.h"
#include "platform/files.h"

SYSTEMINIDATA SystemIni;

namespace {

constexpr int kMaxKeyReadings = 10000;
// The work areas of a key and of a value; longer text is cut there.
constexpr size_t kWorkArea = 2047;
constexpr size_t kMaxStagePath = 259;

int ToInt(const std::string& value) {
  // atoi's reading, without its overflow: out-of-range numbers are clamped.
  errno = 0;
  long v = std::strtol(value.c_str(), nullptr, 10);
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}

void Store(SYSTEMINIDATA& ini, int index, const std::string& value) {
  int* ints[] = {&ini.Direct3D,     &ini.WindowMode,      &ini.Bpp,     &ini.VSync,  &ini.D3D_FontCache,
                 &ini.DD_FontCache, &ini.DD_VideoStretch, &ini.ShowFps, nullptr,     &ini.English};
  if (index == 8) {
    if (value.size() >= 2 && value.size() <= kMaxStagePath) ini.FreeStage = value;
    return;
  }
  if (index >= 0 && index < 10 && ints[index]) *ints[index] = ToInt(value);
}

}  // namespace

SystemIniKeys SystemIniKeysOf(const cEdSystem& settings) {
  SystemIniKeys keys;
  for (const cEdIniKey& k : settings.IniKeys) keys.push_back(SYSTEMINIKEY{k.nKind, k.strName, k.nInt, k.strText});
  return keys;
}

void SetSystemIniDefaults(SYSTEMINIDATA& ini, const SystemIniKeys& keys) {
  auto intDefault = [&](size_t i) { return i < keys.size() ? keys[i].nDefault : 0; };
  ini.Direct3D = intDefault(0);
  ini.WindowMode = intDefault(1);
  ini.Bpp = intDefault(2);
  ini.VSync = intDefault(3);
  ini.D3D_FontCache = intDefault(4);
  ini.DD_FontCache = intDefault(5);
  ini.DD_VideoStretch = intDefault(6);
  ini.ShowFps = intDefault(7);
  ini.FreeStage = keys.size() > 8 ? keys[8].strDefault : std::string();
  ini.English = 0;
}

namespace {

// The reading itself, over any source of bytes (next() gives a byte or EOF).
template <class Next>
bool ParseSystemIni(Next next, SYSTEMINIDATA& ini, const SystemIniKeys& keys) {
  for (int turn = 0; turn < kMaxKeyReadings; ++turn) {
    // The key: blanks, tabs and carriage returns do not count; the line feed ends a
    // line without "=" (only "Exit" means something there).
    std::string key;
    int c;
    for (;;) {
      c = next();
      if (c == EOF) return false;  // no "Exit" line: the whole file is unreadable
      if (c == 0) return true;
      if (c == ' ' || c == '\t' || c == '\r') continue;
      if (c == '\n' || c == '=') break;
      if (key.size() < kWorkArea) key += static_cast<char>(c);
    }
    if (c == '\n') {
      if (key == "Exit") return true;
      continue;
    }
    // The value: up to a blank, a tab, a slash, a line feed, a zero byte or the end
    // of the file (which then leaves "Exit" missing).
    std::string value;
    for (;;) {
      c = next();
      if (c == EOF || c == ' ' || c == '\t' || c == '/' || c == '\n' || c == 0) break;
      if (value.size() < kWorkArea) value += static_cast<char>(c);
    }
    for (size_t i = 0; i < keys.size() && i < 10; ++i) {
      if (keys[i].strName == key) {
        Store(ini, static_cast<int>(i), value);
        break;
      }
    }
  }
  return true;
}

}  // namespace

bool LoadSystemIni(const char* path, SYSTEMINIDATA& ini, const SystemIniKeys& keys) {
  FILE* f = plat::OpenFile(path ? path : "", "rb");
  if (!f) return false;
  bool ok = ParseSystemIni([f] { return std::fgetc(f); }, ini, keys);
  std::fclose(f);
  return ok;
}

bool ReadSystemIniText(const char* data, size_t size, SYSTEMINIDATA& ini, const SystemIniKeys& keys) {
  size_t at = 0;
  return ParseSystemIni([&] { return at < size ? static_cast<unsigned char>(data[at++]) : EOF; }, ini, keys);
}
