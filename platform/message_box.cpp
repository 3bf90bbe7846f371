#include "platform/message_box.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/messages.h"
#include "platform/sjis.h"
#include "platform/test_controls.h"
#include "platform/font/font.h"
#include "platform/ui/canvas.h"
#include "platform/ui/dialog_box.h"
#include "platform/ui/ui_state.h"
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

// The box inside the game window: the text over a row of buttons.
struct InWindowBox {
  std::vector<int> ids;
  int escape = 0;
  int fallback = 0;
  RECT text;
  std::vector<RECT> buttons;  // in the order of ids
  std::string report;
};

constexpr uint16_t kTextId = 0xFFFF;

LRESULT InWindowBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* box = static_cast<InWindowBox*>(GetProp(hwnd, "MessageBox"));
  switch (message) {
    case WM_INITDIALOG: {
      box = reinterpret_cast<InWindowBox*>(lParam);
      SetProp(hwnd, "MessageBox", box);
      // Laid out in pixels: dialog units would round the measured text.
      const RECT& t = box->text;
      SetWindowPos(GetDlgItem(hwnd, kTextId), t.left, t.top, t.right - t.left, t.bottom - t.top, SWP_NOZORDER);
      for (size_t i = 0; i < box->ids.size(); ++i) {
        const RECT& r = box->buttons[i];
        SetWindowPos(GetDlgItem(hwnd, box->ids[i]), r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER);
      }
      SetFocus(GetDlgItem(hwnd, box->fallback));
      SetDialogReportText(hwnd, box->report);
      SetAnswerHandler(hwnd, [box](HWND dialog, const std::string& answer) {
        std::string word = answer;
        for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        for (int id : box->ids)
          if (word == Button(id).word) return EndDialog(dialog, id);
        return false;
      });
      return 0;
    }
    case WM_COMMAND: {
      if (!box) return 0;
      const int id = static_cast<int>(LoWord(wParam));
      if (std::find(box->ids.begin(), box->ids.end(), id) != box->ids.end())
        EndDialog(hwnd, id);
      else if (id == IDCANCEL && box->escape)
        EndDialog(hwnd, box->escape);
      return 1;
    }
    case WM_CLOSE:
      if (box) EndDialog(hwnd, box->escape ? box->escape : box->fallback);
      return 1;
    default: return 0;
  }
}

int RunInWindowBox(const std::string& text, const std::string& caption, unsigned type) {
  InWindowBox box;
  box.ids = ButtonsOf(type);
  const size_t def = DefaultIndex(type, box.ids.size());
  box.escape = EscapeButton(box.ids);
  box.fallback = box.ids[def];
  constexpr int kMargin = 12, kButtonW = 75, kButtonH = 23, kGap = 6, kMaxText = 560;
  const char* face = SJ("ＭＳ Ｐゴシック");
  std::shared_ptr<cFont> font = ui::DialogFont(face);
  int textW = 1;
  int lines = 1;
  if (font) {
    for (const std::string& line : ui::WrapText(font.get(), text, kMaxText))
      textW = std::max(textW, TextWidth(*font, line));
    lines = static_cast<int>(ui::WrapText(font.get(), text, textW).size());
  }
  const int cell = font ? font->CellHeight() : 12;
  // The box stays on the frame with its buttons: a text too long for it shows the
  // lines that fit.
  constexpr uint32_t kStyle = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT;
  int frameW = 0, frameH = 0;
  ui::FrameSize(&frameW, &frameH);
  RECT chrome{0, 0, 0, 0};
  AdjustWindowRect(&chrome, kStyle, false);
  const int room = frameH - (chrome.bottom - chrome.top) - (kMargin + 16 + kButtonH + kMargin) - 2;
  lines = std::clamp(lines, 1, std::max(1, room / std::max(cell, 1)));
  const int buttonsW = static_cast<int>(box.ids.size()) * (kButtonW + kGap) - kGap;
  // Dialog units rounded up hold the pixels laid out.
  DialogTemplate t;
  t.style = kStyle;
  t.title = caption;
  t.fontFace = face;
  t.cx = (std::max({textW, buttonsW, 160}) + 2 * kMargin + 1) / 2;
  t.cy = ((kMargin + lines * cell + 16 + kButtonH + kMargin) * 2 + 2) / 3;
  const int width = DialogUnitsToPixelsX(t.cx), height = DialogUnitsToPixelsY(t.cy);
  const int textLeft = std::max(kMargin, (width - textW) / 2);
  box.text = RECT{textLeft, kMargin, textLeft + textW + 1, kMargin + lines * cell};
  t.items.push_back({kTextId, ItemClass::kStatic, SS_LEFT, 0, 0, 0, 0, text});
  int x = (width - buttonsW) / 2;
  const int y = height - kMargin - kButtonH;
  for (size_t i = 0; i < box.ids.size(); ++i) {
    t.items.push_back({static_cast<uint16_t>(box.ids[i]), ItemClass::kButton,
                       WS_TABSTOP | (i == def ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0, 0, 0, 0, Button(box.ids[i]).label});
    box.buttons.push_back(RECT{x, y, x + kButtonW, y + kButtonH});
    x += kButtonW + kGap;
  }
  // Headless the box is reported as a message box.
  box.report = "MessageBox [" + caption + "] " + text;
  return static_cast<int>(DialogBoxParam(t, GameWindow(), &InWindowBoxProc, reinterpret_cast<LPARAM>(&box)));
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

int ShowMessageBoxInWindow(const char* textSjis, const char* captionSjis, unsigned type) {
  return RunInWindowBox(textSjis ? textSjis : "", captionSjis ? captionSjis : "", type);
}

int ShowWindowMessageBox(const char* textSjis, const char* captionSjis, unsigned type) {
  const std::string text = textSjis ? textSjis : "";
  const std::string caption = captionSjis ? captionSjis : "";
  HWND window = GameWindow();
  const bool onWindowThread = window != 0 && WindowThread(window) == CurrentThreadId();
  if (window && !SendsClosed(window)) {
    if (onWindowThread) return RunInWindowBox(text, caption, type);
    LRESULT result = 0;
    if (CallOnWindowThread(window, [=] { return static_cast<LRESULT>(RunInWindowBox(text, caption, type)); },
                           &result))
      return static_cast<int>(result);
    return 0;  // the window closed while the box waited its turn
  }
  // No window, or it is closing: the desktop's box, shown by the asking thread.
  return RunBox(SjisToUtf8(text), SjisToUtf8(caption), type, onWindowThread);
}

}  // namespace plat
