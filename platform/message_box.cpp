#include "platform/message_box.h"

#include <SDL.h>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/messages.h"
#include "platform/sjis.h"
#include "platform/test_controls.h"
#include "platform/window.h"

namespace plat {
namespace {

struct ButtonName {
  int id;
  const char* word;   // the scripted answer that chooses it
  const char* label;  // shown on the desktop's box
};

constexpr ButtonName kButtons[] = {
    {IDOK, "ok", "OK"},       {IDCANCEL, "cancel", "Cancel"}, {IDABORT, "abort", "Abort"},
    {IDRETRY, "retry", "Retry"}, {IDIGNORE, "ignore", "Ignore"}, {IDYES, "yes", "Yes"},
    {IDNO, "no", "No"},
};

const ButtonName& Button(int id) {
  for (const ButtonName& b : kButtons)
    if (b.id == id) return b;
  return kButtons[0];
}

// The buttons of a box type from left to right.
std::vector<int> ButtonsOf(unsigned type) {
  switch (type & 0xF) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    default: return {IDOK};
  }
}

size_t DefaultIndex(unsigned type, size_t count) {
  size_t i = (type >> 8) & 0xF;
  return i < count ? i : 0;
}

// The button Escape chooses: Cancel, else No, else none.
int EscapeButton(const std::vector<int>& buttons) {
  for (int id : buttons)
    if (id == IDCANCEL) return id;
  for (int id : buttons)
    if (id == IDNO) return id;
  return buttons.size() == 1 ? buttons[0] : 0;
}

struct BoxRun {
  std::mutex mutex;
  std::condition_variable cv;
  bool done = false;
  int result = 0;
};

// The box itself, on a helper thread of its own, so that the thread that asked can
// go on serving sends while it is open.
int RunBox(const std::string& text, const std::string& caption, unsigned type, bool serveSends) {
  std::vector<int> ids = ButtonsOf(type);
  size_t def = DefaultIndex(type, ids.size());
  int escape = EscapeButton(ids);
  auto run = std::make_shared<BoxRun>();
  ThreadId asker = CurrentThreadId();
  std::thread helper([=] {
    std::vector<SDL_MessageBoxButtonData> buttons;
    for (size_t i = 0; i < ids.size(); ++i) {
      SDL_MessageBoxButtonData b{};
      b.buttonid = ids[i];
      b.text = Button(ids[i]).label;
      if (i == def) b.flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
      if (ids[i] == escape) b.flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
      buttons.push_back(b);
    }
    SDL_MessageBoxData data{};
    unsigned icon = type & 0xF0;
    data.flags = icon == MB_ICONERROR ? SDL_MESSAGEBOX_ERROR
                 : icon == MB_ICONWARNING ? SDL_MESSAGEBOX_WARNING
                                          : SDL_MESSAGEBOX_INFORMATION;
    data.title = caption.c_str();
    data.message = text.c_str();
    data.numbuttons = static_cast<int>(buttons.size());
    data.buttons = buttons.data();
    int chosen = 0;
    if (SDL_ShowMessageBox(&data, &chosen) != 0) chosen = 0;
    // Closing the box without a button answers as Escape would.
    if (chosen < 0) chosen = escape ? escape : ids[def];
    {
      std::lock_guard<std::mutex> lock(run->mutex);
      run->result = chosen;
      run->done = true;
    }
    run->cv.notify_all();
    WakeThread(asker);
  });
  if (serveSends) {
    for (;;) {
      {
        std::lock_guard<std::mutex> lock(run->mutex);
        if (run->done) break;
      }
      WaitForSends(20);
    }
  } else {
    std::unique_lock<std::mutex> lock(run->mutex);
    run->cv.wait(lock, [&] { return run->done; });
  }
  helper.join();
  std::lock_guard<std::mutex> lock(run->mutex);
  return run->result;
}

}  // namespace

int DefaultButton(unsigned type) {
  std::vector<int> ids = ButtonsOf(type);
  return ids[DefaultIndex(type, ids.size())];
}

int ScriptedAnswer(unsigned type) {
  std::string word = NextScriptedAnswer();
  for (int id : ButtonsOf(type))
    if (word == Button(id).word) return id;
  return DefaultButton(type);
}

int ShowDesktopMessageBox(const char* textSjis, const char* captionSjis, unsigned type) {
  std::string text = SjisToUtf8(textSjis ? textSjis : "");
  std::string caption = SjisToUtf8(captionSjis ? captionSjis : "");
  HWND window = GameWindow();
  bool onWindowThread = window != 0 && WindowThread(window) == CurrentThreadId();
  if (window && !onWindowThread && !SendsClosed(window)) {
    LRESULT result = 0;
    if (CallOnWindowThread(window, [=] { return static_cast<LRESULT>(RunBox(text, caption, type, true)); },
                           &result))
      return static_cast<int>(result);
    return 0;  // the window closed while the box waited its turn
  }
  // No window, or it is closing: the asking thread shows the box itself.
  return RunBox(text, caption, type, onWindowThread);
}

}  // namespace plat
