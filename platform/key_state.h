#pragma once
#include <string_view>

// The keyboard as the game reads it: a 256-entry table of held keys in Windows
// virtual-key numbering, written by the window thread from SDL key events (or by the
// scripted input of the tests) and read by any thread.
namespace plat {

constexpr int kKeyCount = 256;

// The virtual keys the game names itself.
constexpr int VK_BACK = 0x08;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_F1 = 0x70;
constexpr int VK_F2 = 0x71;
constexpr int VK_LSHIFT = 0xA0;
constexpr int VK_RSHIFT = 0xA1;
constexpr int VK_LCONTROL = 0xA2;
constexpr int VK_RCONTROL = 0xA3;
constexpr int VK_LMENU = 0xA4;
constexpr int VK_RMENU = 0xA5;

// Whether a key is held now (what the high bit of GetAsyncKeyState told). Shift,
// Control and Alt are held when either side is. Codes outside 0..255 are never held.
bool IsKeyDown(int vk);

// Sets one entry of the table (codes outside 0..255 are ignored).
void SetKeyDown(int vk, bool down);

// Releases every key (focus lost, start of a scripted run).
void ReleaseAllKeys();

// The window thread's event pump calls this for every SDL_KEYDOWN and SDL_KEYUP
// event: scancode is event.key.keysym.scancode, down is (event.type == SDL_KEYDOWN).
// Ignored while scripted input drives the keyboard.
void OnSdlKeyEvent(int scancode, bool down);

// The virtual key of an SDL scancode (a key's position on a US keyboard, as Windows
// numbers it); 0 for keys the game cannot name.
int VirtualKeyFromScancode(int scancode);

// The name of a key for scripts and tools ("LEFT", "Z", "F1", "ESCAPE"...), and back
// (without regard to case, an optional "VK_" prefix allowed); nullptr / -1 when unknown.
const char* VirtualKeyName(int vk);
int VirtualKeyFromName(std::string_view name);

}  // namespace plat
