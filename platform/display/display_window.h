#pragma once
#include <cstdint>
#include <string>

#include "platform/display/surface.h"

// What the display device asks of the game window: its client area, the
// full-screen style, the mouse cursor, showing or minimising it, and the desktop's
// refresh rate. The window side installs hooks; without them the requests are
// only recorded (headless runs and tests), and the client area is 640 x 480.
namespace plat {

// Show commands the drawing layer uses.
constexpr int kShowNormal = 1;
constexpr int kShowMaximize = 3;
constexpr int kShowMinNoActive = 7;

struct DisplayWindowHooks {
  Rect (*clientRect)(uint32_t window) = nullptr;
  void (*setFullScreen)(uint32_t window, bool on) = nullptr;
  void (*showCursor)(bool visible) = nullptr;
  void (*showWindow)(uint32_t window, int command) = nullptr;
  // A modal message box owned by the window (Shift-JIS text and caption, the
  // game's box type); returns the button chosen.
  int (*messageBox)(uint32_t window, const char* text, const char* caption, unsigned type) = nullptr;
};
void SetDisplayWindowHooks(const DisplayWindowHooks& hooks);

// The window's client area, origin 0, 0.
Rect WindowClientRect(uint32_t window);
// The window becomes a top-most borderless full-screen window (or returns to normal).
void SetWindowFullScreen(uint32_t window, bool on);
// The cursor display counter: show adds one, hide takes one; the cursor is visible
// while it is 0 or more. Returns the new count.
int ShowCursor(bool show);
void ShowGameWindow(uint32_t window, int command);

// A modal message box owned by the window; returns the button chosen. Without a
// hook the box is only recorded and answered with its default button (OK, or Yes
// for a Yes/No box).
int ShowMessageBox(uint32_t window, const char* text, const char* caption, unsigned type);

// Asks the desktop for a refresh rate (testOnly: only whether it could); true on success.
bool ChangeDesktopRefresh(int hz, bool testOnly);

// Recorded requests (tests).
struct DisplayWindowState {
  int cursorCount = 0;
  bool fullScreen = false;
  int lastShowCommand = 0;
  int messageBoxes = 0;  // boxes shown through ShowMessageBox
  std::string lastBoxText, lastBoxCaption;
};
DisplayWindowState GetDisplayWindowState();
void ResetDisplayWindowState();

}  // namespace plat
