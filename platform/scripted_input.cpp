#include "platform/scripted_input.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdlib>
#include <mutex>
#include <string_view>
#include <vector>

#include "platform/files.h"
#include "platform/joystick.h"
#include "platform/key_state.h"
#include "platform/window.h"

namespace plat {
namespace {

// A script is a test's: a few thousand lines at most.
constexpr size_t kMaxScriptBytes = 16u << 20;

enum class Target { kKey, kJoyPlug, kJoyLeft, kJoyRight, kJoyUp, kJoyDown, kJoyButton };

struct Change {
  uint32_t frame;
  Target target;
  int index;  // the virtual key or the joystick button
  bool on;
};

struct ScriptedJoystick {
  bool plugged = false;
  int handle = -1;
  bool left = false, right = false, up = false, down = false;
  uint32_t buttons = 0;
};

std::atomic<bool> g_active{false};
std::mutex g_mutex;
std::vector<Change> g_changes;
size_t g_next = 0;
ScriptedJoystick g_joy;

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

bool ParseTarget(const std::string& name, Change& c) {
  std::string n = Upper(name);
  if (n == "JOY") return c.target = Target::kJoyPlug, true;
  if (n == "JOY_LEFT") return c.target = Target::kJoyLeft, true;
  if (n == "JOY_RIGHT") return c.target = Target::kJoyRight, true;
  if (n == "JOY_UP") return c.target = Target::kJoyUp, true;
  if (n == "JOY_DOWN") return c.target = Target::kJoyDown, true;
  if (n.rfind("JOY_B", 0) == 0 && n.size() > 5 && n.size() <= 7) {
    int b = 0;
    for (size_t i = 5; i < n.size(); ++i) {
      if (!std::isdigit(static_cast<unsigned char>(n[i]))) return false;
      b = b * 10 + (n[i] - '0');
    }
    if (b < 1 || b > 32) return false;
    c.target = Target::kJoyButton;
    c.index = b - 1;
    return true;
  }
  int vk = VirtualKeyFromName(n);
  if (vk < 0) return false;
  c.target = Target::kKey;
  c.index = vk;
  return true;
}

// "<frame> <name>=<0|1>"; false with the reason in error.
bool ParseLine(const std::string& line, Change& c, std::string& error) {
  size_t i = 0;
  while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
  uint64_t frame = 0;
  size_t digits = 0;
  for (; i < line.size() && std::isdigit(static_cast<unsigned char>(line[i])); ++i, ++digits) {
    frame = frame * 10 + static_cast<uint64_t>(line[i] - '0');
    if (frame > 0xFFFFFFFFu) return error = "frame number too large", false;
  }
  if (digits == 0) return error = "a frame number must come first", false;
  std::string rest;
  for (; i < line.size(); ++i)
    if (!std::isspace(static_cast<unsigned char>(line[i]))) rest += line[i];
  size_t eq = rest.find('=');
  if (eq == std::string::npos || eq == 0) return error = "expected <name>=<0 or 1>", false;
  std::string value = rest.substr(eq + 1);
  if (value != "0" && value != "1") return error = "the value must be 0 or 1", false;
  c.frame = static_cast<uint32_t>(frame);
  c.on = value == "1";
  c.index = 0;
  if (!ParseTarget(rest.substr(0, eq), c)) return error = "unknown key or button '" + rest.substr(0, eq) + "'", false;
  return true;
}

void PushJoystickState() {
  if (!g_joy.plugged) return;
  SetVirtualJoystickAxis(g_joy.handle, 0, g_joy.left ? 0 : g_joy.right ? 65535 : 32768);
  SetVirtualJoystickAxis(g_joy.handle, 1, g_joy.up ? 0 : g_joy.down ? 65535 : 32768);
  for (int b = 0; b < 32; ++b) SetVirtualJoystickButton(g_joy.handle, b, (g_joy.buttons >> b) & 1);
}

void Unplug() {
  if (g_joy.plugged) DetachVirtualJoystick(g_joy.handle);
  g_joy.plugged = false;
  g_joy.handle = -1;
}

void Apply(const Change& c) {
  switch (c.target) {
    case Target::kKey:
      // The key table, then the window's key message, as a key of the desktop does
      // (Escape closes the game).
      SetKeyDown(c.index, c.on);
      PostScriptedKeyMessage(c.index, c.on);
      return;
    case Target::kJoyPlug:
      if (c.on && !g_joy.plugged) {
        g_joy.handle = AttachVirtualJoystick();
        g_joy.plugged = g_joy.handle >= 0;
      } else if (!c.on) {
        Unplug();
      }
      break;
    case Target::kJoyLeft: g_joy.left = c.on; break;
    case Target::kJoyRight: g_joy.right = c.on; break;
    case Target::kJoyUp: g_joy.up = c.on; break;
    case Target::kJoyDown: g_joy.down = c.on; break;
    case Target::kJoyButton:
      if (c.on)
        g_joy.buttons |= 1u << c.index;
      else
        g_joy.buttons &= ~(1u << c.index);
      break;
  }
  PushJoystickState();
}

}  // namespace

bool LoadScriptedInput(const std::string& path, std::string& error) {
  // A folder, a FIFO or a file that cannot be read is no script (and is never waited on).
  std::vector<uint8_t> bytes;
  ReadStatus status = ReadNativeFile(path, bytes, kMaxScriptBytes);
  if (status != ReadStatus::kOk) {
    error = path + " : " + ReadStatusText(status);
    return false;
  }
  std::vector<Change> changes;
  std::string text(bytes.begin(), bytes.end());
  int lineNumber = 0;
  for (size_t at = 0; at < text.size();) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(at, end - at);
    at = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    Change c{};
    std::string why;
    if (!ParseLine(line, c, why)) {
      error = path + " line " + std::to_string(lineNumber) + ": " + why;
      return false;
    }
    changes.push_back(c);
  }
  // Lines may come in any order; within one frame they apply in file order.
  std::stable_sort(changes.begin(), changes.end(),
                   [](const Change& a, const Change& b) { return a.frame < b.frame; });
  std::lock_guard<std::mutex> lock(g_mutex);
  Unplug();
  g_joy = ScriptedJoystick{};
  g_changes = std::move(changes);
  g_next = 0;
  SetVirtualJoysticksOnly(true);
  ReleaseAllKeys();
  g_active.store(true);
  return true;
}

bool LoadScriptedInputFromEnvironment(std::string& error) {
  const char* path = std::getenv("KORVANE_INPUT");
  if (!path || !*path) return true;
  return LoadScriptedInput(path, error);
}

bool IsScriptedInput() { return g_active.load(); }

void ApplyScriptedInput(uint32_t frameNumber) {
  if (!g_active.load()) return;
  std::lock_guard<std::mutex> lock(g_mutex);
  while (g_next < g_changes.size() && g_changes[g_next].frame <= frameNumber) Apply(g_changes[g_next++]);
}

void EndScriptedInput() {
  std::lock_guard<std::mutex> lock(g_mutex);
  Unplug();
  g_joy = ScriptedJoystick{};
  g_changes.clear();
  g_next = 0;
  SetVirtualJoysticksOnly(false);
  g_active.store(false);
}

}  // namespace plat
