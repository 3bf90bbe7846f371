// Making, running and removing the in-window dialogs.
#include "platform/ui/dialog_box.h"

#include <algorithm>
#include <cctype>

#include "platform/sjis.h"
#include "platform/test_controls.h"
#include "platform/ui/canvas.h"
#include "platform/ui/ui_state.h"

namespace plat {
namespace ui {
namespace {

LRESULT DialogWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* d = FindDialog(hwnd);
  if (!d || !d->dialogProc) return 0;
  return d->dialogProc(hwnd, message, wParam, lParam);
}

// The dialog input is on while a dialog is open on a shown (or showable) window.
void UpdateDialogInput() { SetDialogInput(!S().dialogs.empty()); }

HWND FirstTabStop(const Window& d) {
  for (HWND h : d.controls) {
    const Window* c = Find(h);
    if (c && c->visible && c->enabled && (c->style & WS_TABSTOP)) return h;
  }
  return 0;
}

std::string Lower(const std::string& s) {
  std::string out = s;
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// "Dialog [title] item | item ...": the controls' texts, with the state of check
// boxes ([x]), radio buttons ((*)) and the text of edit fields ({...}).
std::string ReportLine(const Window& d) {
  if (!d.reportText.empty()) return d.reportText;
  std::string line = "Dialog [" + d.text + "]";
  bool first = true;
  for (HWND h : d.controls) {
    const Window* c = Find(h);
    if (!c || !c->visible) continue;
    std::string item;
    if (c->itemClass == ItemClass::kEdit) {
      item = "{" + c->text + "}";
    } else if (c->itemClass == ItemClass::kButton) {
      const uint32_t kind = c->style & BS_TYPEMASK;
      if (kind == BS_AUTOCHECKBOX || kind == BS_CHECKBOX)
        item = std::string(c->check ? "[x] " : "[ ] ") + c->text;
      else if (kind == BS_AUTORADIOBUTTON || kind == BS_RADIOBUTTON)
        item = std::string(c->check ? "(*) " : "( ) ") + c->text;
      else if (kind == BS_GROUPBOX)
        item = c->text;
      else
        item = "<" + c->text + ">";
    } else if (c->itemClass == ItemClass::kStatic) {
      item = c->text;
    }
    if (item.empty()) continue;
    line += first ? " " : " | ";
    line += item;
    first = false;
  }
  return line;
}

bool IsDialogMessage(const MSG& m) { return FindDialog(m.hwnd) != nullptr || FindControl(m.hwnd) != nullptr; }

void DispatchDialogMessages() {
  MSG m;
  while (PeekMessageIf(&m, IsDialogMessage)) DispatchMessage(m);
}

bool Ended(HWND hwnd) {
  Window* d = FindDialog(hwnd);
  return !d || d->ended;
}

// A close request of the game window closes the open dialog as its own close does.
bool CloseRequested() {
  HWND game = GameWindow();
  if (!game) return false;
  return HasPostedMessage([game](const MSG& m) { return m.hwnd == game && m.message == WM_CLOSE; });
}

void CloseDialog(HWND hwnd) {
  SendMessage(hwnd, WM_CLOSE, 0, 0);
  if (!Ended(hwnd)) EndDialog(hwnd, 0);
}

void Paint() {
  if (!S().dirty) return;
  S().dirty = false;
  std::vector<uint32_t> pixels;
  int w = 0, h = 0;
  CopyShownFrame(pixels, &w, &h);
  cCanvas canvas(w, h);
  canvas.Pixels().swap(pixels);
  PaintDialogs(canvas);
  ShowDialogPicture(canvas.Pixels(), w, h);
}

// Typed text follows the focus: on while an edit field of the topmost dialog has it.
void UpdateTextInput() {
  Window* d = TopDialog();
  Window* f = d ? FindControl(d->focus) : nullptr;
  if (!f || f->itemClass != ItemClass::kEdit || (f->style & ES_READONLY)) {
    SetTextInput(false, RECT{});
    return;
  }
  RECT r = ControlRectOnFrame(*f);
  SetTextInput(true, r);
}

void RunHeadless(HWND hwnd) {
  if (Window* d = FindDialog(hwnd)) ReportDialogLine(ReportLine(*d));
  // Each answer acts on the dialog; an answer that says nothing to it, or none
  // left, presses its default button, and a dialog that stays open then closes.
  while (!Ended(hwnd)) {
    DispatchDialogMessages();
    if (Ended(hwnd)) break;
    if (CloseRequested()) {
      CloseDialog(hwnd);
      break;
    }
    const std::string answer = NextScriptedAnswer();
    if (!answer.empty() && ApplyScriptedAnswer(hwnd, answer)) continue;
    if (Ended(hwnd)) break;
    PressDefaultButton(hwnd);
    if (!Ended(hwnd)) CloseDialog(hwnd);
  }
}

void RunShown(HWND hwnd) {
  HWND game = GameWindow();
  const bool showGame = game && !IsGameWindowShown(game);
  if (showGame) ShowMainWindow(game, SW_SHOW);
  Invalidate();
  while (!Ended(hwnd)) {
    DispatchDialogMessages();
    if (Ended(hwnd)) break;
    if (CloseRequested()) {
      CloseDialog(hwnd);
      break;
    }
    ProcessUiEvents();
    if (Ended(hwnd)) break;
    UpdateTextInput();
    Paint();
    WaitForSendsAndEvents(10);
  }
  // A window shown for the dialog only goes back to hiding once no dialog is left.
  if (showGame && S().dialogs.size() <= 1 && GameWindow() == game) ShowMainWindow(game, SW_HIDE);
}

}  // namespace
}  // namespace ui

using namespace ui;

int DialogUnitsToPixelsX(int units) { return units * 2; }
int DialogUnitsToPixelsY(int units) { return units * 3 / 2; }

HWND CreateDialogParam(const DialogTemplate& t, HWND owner, WNDPROC proc, LPARAM initParam) {
  auto d = std::make_unique<Window>();
  d->dialog = true;
  d->owner = owner;
  d->style = t.style & ~WS_VISIBLE;
  d->text = t.title;
  d->dialogProc = proc;
  d->answers = t.answers;
  d->font = DialogFont(t.fontFace.empty() ? std::string("MS Shell Dlg") : t.fontFace);
  RECT r{0, 0, DialogUnitsToPixelsX(t.cx), DialogUnitsToPixelsY(t.cy)};
  AdjustWindowRect(&r, d->style, false);
  int fw = 0, fh = 0;
  FrameSize(&fw, &fh);
  const int w = r.right - r.left, h = r.bottom - r.top;
  // A new dialog starts centred on the frame; its owner may move it.
  const int x = (fw - w) / 2, y = (fh - h) / 2;
  d->rect = RECT{x, y, x + w, y + h};
  const HWND hwnd = RegisterWindow(&DialogWindowProc);
  d->hwnd = hwnd;
  S().windows[hwnd] = std::move(d);
  for (const DialogItemTemplate& item : t.items) {
    RECT cr{DialogUnitsToPixelsX(item.x), DialogUnitsToPixelsY(item.y), DialogUnitsToPixelsX(item.x + item.cx),
            DialogUnitsToPixelsY(item.y + item.cy)};
    CreateControl(hwnd, item.itemClass, item.style, cr, item.id, item.text);
  }
  S().dialogs.push_back(hwnd);
  Invalidate();
  UpdateDialogInput();
  Window* dlg = FindDialog(hwnd);
  const LRESULT setFocus = SendMessage(hwnd, WM_INITDIALOG, dlg ? FirstTabStop(*dlg) : 0, initParam);
  dlg = FindDialog(hwnd);
  if (dlg && setFocus && !dlg->focus) {
    if (HWND first = FirstTabStop(*dlg)) {
      SetFocus(first);
      if (Window* c = FindControl(first); c && c->itemClass == ItemClass::kEdit) EditSetSel(*c, 0, -1);
    }
  }
  return hwnd;
}

LRESULT DialogBoxParam(const DialogTemplate& t, HWND owner, WNDPROC proc, LPARAM initParam) {
  const HWND hwnd = CreateDialogParam(t, owner, proc, initParam);
  if (!hwnd) return -1;
  if (S().testDriver) {
    ModalTestDriver driver = S().testDriver;
    driver(hwnd);
  } else if (IsHeadless()) {
    RunHeadless(hwnd);
  } else {
    RunShown(hwnd);
  }
  if (!Ended(hwnd)) EndDialog(hwnd, 0);
  Window* d = FindDialog(hwnd);
  const LRESULT result = d ? d->result : 0;
  DestroyWindow(hwnd);
  return result;
}

bool EndDialog(HWND dialog, LRESULT result) {
  Window* d = FindDialog(dialog);
  if (!d) return false;
  if (!d->ended) {
    d->ended = true;
    d->result = result;
  }
  return true;
}

bool DestroyWindow(HWND window) {
  Window* w = Find(window);
  if (!w) return false;
  if (w->dialog) {
    SendMessage(window, WM_DESTROY, 0, 0);
    if (!(w = FindDialog(window))) return true;
    const std::vector<HWND> controls = w->controls;
    for (HWND c : controls) DestroyWindow(c);
    auto& open = S().dialogs;
    open.erase(std::remove(open.begin(), open.end(), window), open.end());
  } else if (Window* d = FindDialog(w->parent)) {
    d->controls.erase(std::remove(d->controls.begin(), d->controls.end(), window), d->controls.end());
    if (d->focus == window) d->focus = 0;
    if (d->capture == window) d->capture = 0;
  }
  S().props.erase(window);
  UnregisterWindow(window);
  S().windows.erase(window);
  Invalidate();
  UpdateDialogInput();
  return true;
}

HWND CreateControl(HWND dialog, ItemClass itemClass, uint32_t style, const RECT& rect, uint16_t id,
                   const std::string& sjisText) {
  Window* d = FindDialog(dialog);
  if (!d) return 0;
  auto c = std::make_unique<Window>();
  c->parent = dialog;
  c->itemClass = itemClass;
  c->style = (style & ~WS_VISIBLE) | WS_CHILD;
  c->visible = true;
  c->enabled = !(style & WS_DISABLED);
  c->id = id;
  c->rect = rect;
  c->text = sjisText;
  const HWND hwnd = RegisterWindow(&ControlProc);
  c->hwnd = hwnd;
  S().windows[hwnd] = std::move(c);
  d->controls.push_back(hwnd);
  Invalidate();
  return hwnd;
}

HWND GetDlgItem(HWND dialog, int id) {
  Window* d = FindDialog(dialog);
  if (!d) return 0;
  for (HWND h : d->controls)
    if (Window* c = Find(h); c && c->id == static_cast<uint16_t>(id)) return h;
  return 0;
}

int GetDlgCtrlID(HWND control) {
  Window* c = FindControl(control);
  return c ? c->id : 0;
}

unsigned GetDlgItemText(HWND dialog, int id, char* buffer, int max) {
  HWND c = GetDlgItem(dialog, id);
  if (!c) {
    if (buffer && max > 0) buffer[0] = 0;
    return 0;
  }
  return static_cast<unsigned>(GetWindowText(c, buffer, max));
}

bool SetDlgItemText(HWND dialog, int id, const char* sjis) {
  HWND c = GetDlgItem(dialog, id);
  return c && SetWindowText(c, sjis);
}

void SetAnswerHandler(HWND dialog, AnswerHandler handler) {
  if (Window* d = FindDialog(dialog)) d->answerHandler = std::move(handler);
}

void SetDialogReportText(HWND dialog, const std::string& sjisLine) {
  if (Window* d = FindDialog(dialog)) d->reportText = sjisLine;
}

bool ApplyScriptedAnswer(HWND dialog, const std::string& answer) {
  Window* d = FindDialog(dialog);
  if (!d || answer.empty()) return false;
  if (d->answerHandler) {
    AnswerHandler handler = d->answerHandler;
    if (handler(dialog, answer)) return true;
    if (!(d = FindDialog(dialog))) return true;
  }
  const std::string lower = Lower(answer);
  if (lower.rfind("text:", 0) == 0) {
    Window* edit = FindControl(d->focus);
    if (!edit || edit->itemClass != ItemClass::kEdit) {
      edit = nullptr;
      for (HWND h : d->controls)
        if (Window* c = Find(h); c && c->itemClass == ItemClass::kEdit) {
          edit = c;
          break;
        }
    }
    if (!edit) return false;
    EditSetSel(*edit, 0, -1);
    EditReplaceSelection(*edit, TypedTextToSjis(answer.substr(5)));
    if (!Ended(dialog)) PressDefaultButton(dialog);
    return true;
  }
  for (const DialogAnswerWord& word : d->answers) {
    if (Lower(word.word) != lower) continue;
    for (uint16_t id : word.clicks) {
      if (Ended(dialog)) break;
      if (Window* c = FindControl(GetDlgItem(dialog, id))) ClickButton(*c);
    }
    return true;
  }
  if (lower == "ok") {
    PressDefaultButton(dialog);
    return true;
  }
  if (lower == "cancel") {
    if (Window* c = FindControl(GetDlgItem(dialog, IDCANCEL)); c && c->itemClass == ItemClass::kButton)
      ClickButton(*c);
    else
      SendMessage(dialog, WM_CLOSE, 0, 0);
    return true;
  }
  return false;
}

void PressDefaultButton(HWND dialog) {
  Window* d = FindDialog(dialog);
  if (!d) return;
  Window* focus = FindControl(d->focus);
  if (focus && IsPushButton(*focus)) {
    ClickButton(*focus);
    return;
  }
  if (Window* def = DefaultButton(*d)) {
    ClickButton(*def);
    return;
  }
  SendMessage(dialog, WM_COMMAND, MakeWParam(IDOK, BN_CLICKED), 0);
}

void SetDialogReport(DialogReport report) { S().report = report; }
void ReportDialogLine(const std::string& sjisLine) {
  if (S().report) S().report(sjisLine.c_str());
}

void SetModalTestDriver(ModalTestDriver driver) { S().testDriver = std::move(driver); }

std::vector<HWND> OpenDialogs() { return S().dialogs; }

void PostUiEvent(const UiEvent& event) {
  if (S().dialogs.empty()) return;
  S().events.push_back(event);
}

void ProcessUiEvents() {
  while (!S().events.empty()) {
    UiEvent e = S().events.front();
    S().events.pop_front();
    if (S().dialogs.empty()) {
      S().events.clear();
      break;
    }
    HandleEvent(e);
  }
}

bool UiActive() { return !S().dialogs.empty(); }

}  // namespace plat
