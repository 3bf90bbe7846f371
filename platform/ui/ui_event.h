#pragma once
#include <cstdint>
#include <string>

// The input of the in-window dialogs: what the window system turns its keyboard,
// text and mouse events into while a dialog is open (tests make them too).
namespace plat {

struct UiEvent {
  enum class Kind : uint8_t { kKeyDown, kKeyUp, kText, kComposition, kMouseDown, kMouseUp, kMouseMove, kWheel };
  Kind kind = Kind::kKeyDown;
  int vk = 0;             // keys: the virtual key
  uint32_t keyData = 1;   // keys: repeat count 1, scan code in bits 16-23, bit 30 previous state, bit 31 up
  std::string text;       // kText: committed text; kComposition: the text being composed (UTF-8)
  int x = 0, y = 0;       // mouse: position in the game frame
  int button = 1;         // 1 left, 2 right, 3 middle
  int clicks = 1;         // 2 for the second press of a double click
  int wheel = 0;          // lines, positive away from the user
};

// Queues an event for the open dialogs; they take it in their next turn (or at
// ProcessUiEvents). Ignored when no dialog is open.
void PostUiEvent(const UiEvent& event);
// Runs the queued events through the topmost dialog (the keyboard hooks first for
// keys), in order.
void ProcessUiEvents();
// Whether an in-window dialog is open (the window then gives it its input and shows
// its picture instead of the game's frames).
bool UiActive();

}  // namespace plat
