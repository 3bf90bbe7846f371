#include "platform/display/display_window.h"

#include <mutex>

#include "platform/display/display_control.h"

namespace plat {
namespace {
std::mutex gMutex;
DisplayWindowHooks gHooks;
DisplayWindowState gState;
}  // namespace

void SetDisplayWindowHooks(const DisplayWindowHooks& hooks) {
  std::lock_guard<std::mutex> lock(gMutex);
  gHooks = hooks;
}

Rect WindowClientRect(uint32_t window) {
  Rect (*fn)(uint32_t) = nullptr;
  {
    std::lock_guard<std::mutex> lock(gMutex);
    fn = gHooks.clientRect;
  }
  return fn ? fn(window) : Rect{0, 0, 640, 480};
}

void SetWindowFullScreen(uint32_t window, bool on) {
  void (*fn)(uint32_t, bool) = nullptr;
  {
    std::lock_guard<std::mutex> lock(gMutex);
    gState.fullScreen = on;
    fn = gHooks.setFullScreen;
  }
  if (fn) fn(window, on);
}

int ShowCursor(bool show) {
  void (*fn)(bool) = nullptr;
  int count;
  {
    std::lock_guard<std::mutex> lock(gMutex);
    count = gState.cursorCount += show ? 1 : -1;
    fn = gHooks.showCursor;
  }
  if (fn) fn(count >= 0);
  return count;
}

void ShowGameWindow(uint32_t window, int command) {
  void (*fn)(uint32_t, int) = nullptr;
  {
    std::lock_guard<std::mutex> lock(gMutex);
    gState.lastShowCommand = command;
    fn = gHooks.showWindow;
  }
  if (fn) fn(window, command);
}

int ShowMessageBox(uint32_t window, const char* text, const char* caption, unsigned type) {
  int (*fn)(uint32_t, const char*, const char*, unsigned) = nullptr;
  {
    std::lock_guard<std::mutex> lock(gMutex);
    ++gState.messageBoxes;
    gState.lastBoxText = text ? text : "";
    gState.lastBoxCaption = caption ? caption : "";
    fn = gHooks.messageBox;
  }
  if (fn) return fn(window, text, caption, type);
  constexpr unsigned kYesNo = 4;
  constexpr int kIdOk = 1, kIdYes = 6;
  return (type & 0xF) == kYesNo ? kIdYes : kIdOk;
}

bool ChangeDesktopRefresh(int hz, bool testOnly) {
  DisplayMachine& m = DisplayControl().Machine();
  if (hz != m.desktopRefresh && !(hz == 60 && m.desktopCan60Hz)) return false;
  if (!testOnly) m.desktopRefresh = hz;
  return true;
}

DisplayWindowState GetDisplayWindowState() {
  std::lock_guard<std::mutex> lock(gMutex);
  return gState;
}

void ResetDisplayWindowState() {
  std::lock_guard<std::mutex> lock(gMutex);
  gState = DisplayWindowState{};
}

}  // namespace plat
