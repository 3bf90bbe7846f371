#include "platform/key_state.h"

#include <SDL.h>

#include <array>
#include <atomic>
#include <cctype>
#include <string>

#include "platform/scripted_input.h"

namespace plat {
namespace {

std::array<std::atomic<bool>, kKeyCount> g_keys{};

struct ScancodeKey {
  SDL_Scancode scancode;
  int vk;
};

// Keys by position, as Windows numbers them on a US keyboard; the Japanese keys
// where SDL reports them.
constexpr ScancodeKey kScancodeKeys[] = {
    {SDL_SCANCODE_BACKSPACE, 0x08}, {SDL_SCANCODE_TAB, 0x09}, {SDL_SCANCODE_RETURN, 0x0D},
    {SDL_SCANCODE_KP_ENTER, 0x0D}, {SDL_SCANCODE_PAUSE, 0x13}, {SDL_SCANCODE_CAPSLOCK, 0x14},
    {SDL_SCANCODE_ESCAPE, 0x1B}, {SDL_SCANCODE_SPACE, 0x20}, {SDL_SCANCODE_PAGEUP, 0x21},
    {SDL_SCANCODE_PAGEDOWN, 0x22}, {SDL_SCANCODE_END, 0x23}, {SDL_SCANCODE_HOME, 0x24},
    {SDL_SCANCODE_LEFT, 0x25}, {SDL_SCANCODE_UP, 0x26}, {SDL_SCANCODE_RIGHT, 0x27},
    {SDL_SCANCODE_DOWN, 0x28}, {SDL_SCANCODE_PRINTSCREEN, 0x2C}, {SDL_SCANCODE_INSERT, 0x2D},
    {SDL_SCANCODE_DELETE, 0x2E}, {SDL_SCANCODE_LGUI, 0x5B}, {SDL_SCANCODE_RGUI, 0x5C},
    {SDL_SCANCODE_APPLICATION, 0x5D}, {SDL_SCANCODE_KP_MULTIPLY, 0x6A}, {SDL_SCANCODE_KP_PLUS, 0x6B},
    {SDL_SCANCODE_KP_MINUS, 0x6D}, {SDL_SCANCODE_KP_PERIOD, 0x6E}, {SDL_SCANCODE_KP_DIVIDE, 0x6F},
    {SDL_SCANCODE_NUMLOCKCLEAR, 0x90}, {SDL_SCANCODE_SCROLLLOCK, 0x91}, {SDL_SCANCODE_LSHIFT, 0xA0},
    {SDL_SCANCODE_RSHIFT, 0xA1}, {SDL_SCANCODE_LCTRL, 0xA2}, {SDL_SCANCODE_RCTRL, 0xA3},
    {SDL_SCANCODE_LALT, 0xA4}, {SDL_SCANCODE_RALT, 0xA5}, {SDL_SCANCODE_SEMICOLON, 0xBA},
    {SDL_SCANCODE_EQUALS, 0xBB}, {SDL_SCANCODE_COMMA, 0xBC}, {SDL_SCANCODE_MINUS, 0xBD},
    {SDL_SCANCODE_PERIOD, 0xBE}, {SDL_SCANCODE_SLASH, 0xBF}, {SDL_SCANCODE_GRAVE, 0xC0},
    {SDL_SCANCODE_LEFTBRACKET, 0xDB}, {SDL_SCANCODE_BACKSLASH, 0xDC}, {SDL_SCANCODE_RIGHTBRACKET, 0xDD},
    {SDL_SCANCODE_APOSTROPHE, 0xDE}, {SDL_SCANCODE_NONUSBACKSLASH, 0xE2},
    {SDL_SCANCODE_INTERNATIONAL1, 0xE2},  // ろ
    {SDL_SCANCODE_INTERNATIONAL3, 0xDC},  // ¥
    {SDL_SCANCODE_INTERNATIONAL2, 0xF2},  // katakana/hiragana
    {SDL_SCANCODE_INTERNATIONAL4, 0x1C},  // henkan
    {SDL_SCANCODE_INTERNATIONAL5, 0x1D},  // muhenkan
};

struct KeyName {
  int vk;
  const char* name;
};

// The first name of a key is its own; later rows with the same key are aliases.
constexpr KeyName kKeyNames[] = {
    {0x08, "BACK"}, {0x08, "BACKSPACE"}, {0x09, "TAB"}, {0x0D, "RETURN"}, {0x0D, "ENTER"},
    {0x10, "SHIFT"}, {0x11, "CONTROL"}, {0x11, "CTRL"}, {0x12, "MENU"}, {0x12, "ALT"},
    {0x13, "PAUSE"}, {0x14, "CAPITAL"}, {0x1B, "ESCAPE"}, {0x1B, "ESC"}, {0x1C, "CONVERT"},
    {0x1D, "NONCONVERT"}, {0x20, "SPACE"}, {0x21, "PRIOR"}, {0x21, "PAGEUP"}, {0x22, "NEXT"},
    {0x22, "PAGEDOWN"}, {0x23, "END"}, {0x24, "HOME"}, {0x25, "LEFT"}, {0x26, "UP"},
    {0x27, "RIGHT"}, {0x28, "DOWN"}, {0x2C, "SNAPSHOT"}, {0x2D, "INSERT"}, {0x2E, "DELETE"},
    {0x5B, "LWIN"}, {0x5C, "RWIN"}, {0x5D, "APPS"}, {0x6A, "MULTIPLY"}, {0x6B, "ADD"},
    {0x6D, "SUBTRACT"}, {0x6E, "DECIMAL"}, {0x6F, "DIVIDE"}, {0x90, "NUMLOCK"}, {0x91, "SCROLL"},
    {0xA0, "LSHIFT"}, {0xA1, "RSHIFT"}, {0xA2, "LCONTROL"}, {0xA3, "RCONTROL"}, {0xA4, "LMENU"},
    {0xA5, "RMENU"}, {0xBA, "OEM_1"}, {0xBB, "OEM_PLUS"}, {0xBC, "OEM_COMMA"}, {0xBD, "OEM_MINUS"},
    {0xBE, "OEM_PERIOD"}, {0xBF, "OEM_2"}, {0xC0, "OEM_3"}, {0xDB, "OEM_4"}, {0xDC, "OEM_5"},
    {0xDD, "OEM_6"}, {0xDE, "OEM_7"}, {0xE2, "OEM_102"}, {0xF2, "OEM_COPY"},
};

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

bool IsKeyDown(int vk) {
  if (vk < 0 || vk >= kKeyCount) return false;
  if (g_keys[vk].load(std::memory_order_relaxed)) return true;
  // The side-neutral codes follow either side's key.
  switch (vk) {
    case VK_SHIFT: return IsKeyDown(VK_LSHIFT) || IsKeyDown(VK_RSHIFT);
    case VK_CONTROL: return IsKeyDown(VK_LCONTROL) || IsKeyDown(VK_RCONTROL);
    case VK_MENU: return IsKeyDown(VK_LMENU) || IsKeyDown(VK_RMENU);
    default: return false;
  }
}

void SetKeyDown(int vk, bool down) {
  if (vk < 0 || vk >= kKeyCount) return;
  g_keys[vk].store(down, std::memory_order_relaxed);
}

void ReleaseAllKeys() {
  for (auto& k : g_keys) k.store(false, std::memory_order_relaxed);
}

void OnSdlKeyEvent(int scancode, bool down) {
  // A scripted run must not depend on whatever the desktop's keyboard does.
  if (IsScriptedInput()) return;
  int vk = VirtualKeyFromScancode(scancode);
  if (vk) SetKeyDown(vk, down);
}

int VirtualKeyFromScancode(int scancode) {
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) return 'A' + (scancode - SDL_SCANCODE_A);
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) return '1' + (scancode - SDL_SCANCODE_1);
  if (scancode == SDL_SCANCODE_0) return '0';
  if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12) return 0x70 + (scancode - SDL_SCANCODE_F1);
  if (scancode >= SDL_SCANCODE_F13 && scancode <= SDL_SCANCODE_F24) return 0x7C + (scancode - SDL_SCANCODE_F13);
  if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9) return 0x61 + (scancode - SDL_SCANCODE_KP_1);
  if (scancode == SDL_SCANCODE_KP_0) return 0x60;
  for (const ScancodeKey& k : kScancodeKeys)
    if (k.scancode == scancode) return k.vk;
  return 0;
}

const char* VirtualKeyName(int vk) {
  static const std::array<std::string, kKeyCount> generated = [] {
    std::array<std::string, kKeyCount> names;
    for (int c = '0'; c <= '9'; ++c) names[c] = std::string(1, static_cast<char>(c));
    for (int c = 'A'; c <= 'Z'; ++c) names[c] = std::string(1, static_cast<char>(c));
    for (int i = 0; i < 10; ++i) names[0x60 + i] = "NUMPAD" + std::to_string(i);
    for (int i = 0; i < 24; ++i) names[0x70 + i] = "F" + std::to_string(i + 1);
    return names;
  }();
  if (vk < 0 || vk >= kKeyCount) return nullptr;
  for (const KeyName& k : kKeyNames)
    if (k.vk == vk) return k.name;
  return generated[vk].empty() ? nullptr : generated[vk].c_str();
}

int VirtualKeyFromName(std::string_view name) {
  std::string n = Upper(name);
  if (n.rfind("VK_", 0) == 0) n.erase(0, 3);
  if (n.empty()) return -1;
  for (const KeyName& k : kKeyNames)
    if (n == k.name) return k.vk;
  for (int vk = 0; vk < kKeyCount; ++vk) {
    const char* own = VirtualKeyName(vk);
    if (own && n == own) return vk;
  }
  return -1;
}

}  // namespace plat
