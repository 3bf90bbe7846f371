#include "app/svc/system_ini.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "app/base/report_log.h"
#include "data/system_data.h"
#include "platform/files.h"

SYSTEMINIDATA SystemIni;

namespace {

constexpr int kMaxKeyReadings = 10000;
// The work areas of a key and of a value; longer text is cut there.
constexpr size_t kWorkArea = 2047;
constexpr size_t kMaxStagePath = 259;

// A value as the report line shows it: control bytes as \xNN, at most 64 bytes.
std::string EscapedValue(const std::string& value) {
  std::string out;
  for (size_t i = 0; i < value.size() && i < 64; ++i) {
    unsigned char c = static_cast<unsigned char>(value[i]);
    if (c < 0x20 || c == 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  }
  if (value.size() > 64) out += "...";
  return out;
}

// A whole decimal number (an optional sign, then digits, nothing else); numbers
// out of range are clamped. False when the text is not a number at all.
bool ToInt(const std::string& value, int& out) {
  size_t i = (value.size() > 0 && (value[0] == '-' || value[0] == '+')) ? 1 : 0;
  if (i == value.size()) return false;
  for (size_t k = i; k < value.size(); ++k)
    if (value[k] < '0' || value[k] > '9') return false;
  errno = 0;
  long long v = std::strtoll(value.c_str(), nullptr, 10);
  out = v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v);
  return true;
}

void Store(SYSTEMINIDATA& ini, int index, const SYSTEMINIKEY& key, const std::string& value) {
  int* ints[] = {&ini.Direct3D,     &ini.WindowMode,      &ini.Bpp,     &ini.VSync,  &ini.D3D_FontCache,
                 &ini.DD_FontCache, &ini.DD_VideoStretch, &ini.ShowFps, nullptr,     &ini.English};
  if (index == 8) {
    if (value.size() >= 2 && value.size() <= kMaxStagePath) ini.FreeStage = value;
    return;
  }
  if (index < 0 || index >= 10 || !ints[index]) return;
  // A value that is no number (garbage, a zero byte after "=") must not turn into 0,
  // which would mean full screen or 8 bits: the key keeps its default.
  int number = 0;
  if (ToInt(value, number)) {
    *ints[index] = number;
  } else {
    const int fallback = index == 9 ? 0 : key.nDefault;  // English has no default of its own
    *ints[index] = fallback;
    ReportLog("System.ini : %s : \"%s\" is not a number; the default %d is used", key.strName.c_str(),
              EscapedValue(value).c_str(), fallback);
  }
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
template <class NextByte>
bool ParseSystemIni(NextByte nextByte, SYSTEMINIDATA& ini, const SystemIniKeys& keys) {
  // Files written on Windows end their lines with CR LF: the pair is one line end,
  // so no value keeps the carriage return.
  int ahead = EOF - 1;  // nothing read ahead
  auto next = [&]() -> int {
    int c = ahead != EOF - 1 ? ahead : nextByte();
    ahead = EOF - 1;
    if (c != '\r') return c;
    ahead = nextByte();
    if (ahead == '\n') {
      ahead = EOF - 1;
      return '\n';
    }
    return c;
  };
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
        Store(ini, static_cast<int>(i), keys[i], value);
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
