// The keyboard and the mouse of the topmost dialog: the keyboard hooks first, then
// the focused control, then the dialog's own keys (Tab, Enter, Escape, the arrows
// inside a group of buttons, the space bar on a button).
#include <algorithm>

#include "platform/key_state.h"
#include "platform/sjis.h"
#include "platform/ui/ui_state.h"

namespace plat::ui {
namespace {

constexpr int kVkTab = 0x09;

bool Usable(const Window* c) { return c && c->visible && c->enabled; }

bool TakesFocus(const Window* c) {
  if (!Usable(c)) return false;
  if (c->itemClass == ItemClass::kStatic || c->itemClass == ItemClass::kScrollBar) return false;
  return !(c->itemClass == ItemClass::kButton && (c->style & BS_TYPEMASK) == BS_GROUPBOX);
}

bool IsCheckOrRadio(const Window& c) {
  if (c.itemClass != ItemClass::kButton) return false;
  const uint32_t kind = c.style & BS_TYPEMASK;
  return kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON;
}

bool IsAutoRadio(const Window& c) {
  return c.itemClass == ItemClass::kButton && (c.style & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
}

// The next (or previous) control that takes the Tab key. Within a group of radio
// buttons the checked one stands for the group.
void MoveTab(Window& d, bool back) {
  const auto& cs = d.controls;
  if (cs.empty()) return;
  const int n = static_cast<int>(cs.size());
  int at = static_cast<int>(std::find(cs.begin(), cs.end(), d.focus) - cs.begin());
  if (at >= n) at = back ? 0 : n - 1;
  for (int step = 1; step <= n; ++step) {
    const int i = ((at + (back ? -step : step)) % n + n) % n;
    Window* c = Find(cs[static_cast<size_t>(i)]);
    if (!TakesFocus(c) || !(c->style & WS_TABSTOP)) continue;
    if (IsAutoRadio(*c) && !c->check) {
      // Prefer the checked radio button of the same group.
      bool checkedElsewhere = false;
      for (int j = i - 1; j >= 0; --j) {
        Window* o = Find(cs[static_cast<size_t>(j)]);
        if (o && IsAutoRadio(*o) && o->check) checkedElsewhere = true;
        if (o && (o->style & WS_GROUP)) break;
      }
      for (int j = i + 1; j < n; ++j) {
        Window* o = Find(cs[static_cast<size_t>(j)]);
        if (o && (o->style & WS_GROUP)) break;
        if (o && IsAutoRadio(*o) && o->check) checkedElsewhere = true;
      }
      if (checkedElsewhere) continue;
    }
    SetFocus(c->hwnd);
    if (c->itemClass == ItemClass::kEdit) EditSetSel(*c, 0, -1);
    return;
  }
}

// The arrows move among the buttons of the focused button's group; an automatic
// radio button reached so is checked.
void MoveInGroup(Window& d, bool back) {
  const auto& cs = d.controls;
  const int n = static_cast<int>(cs.size());
  const int at = static_cast<int>(std::find(cs.begin(), cs.end(), d.focus) - cs.begin());
  if (at >= n) return;
  int first = at, last = at;
  while (first > 0) {
    Window* c = Find(cs[static_cast<size_t>(first)]);
    if (c && (c->style & WS_GROUP)) break;
    --first;
  }
  while (last + 1 < n) {
    Window* c = Find(cs[static_cast<size_t>(last + 1)]);
    if (c && (c->style & WS_GROUP)) break;
    ++last;
  }
  const int size = last - first + 1;
  for (int step = 1; step < size; ++step) {
    const int i = first + (((at - first) + (back ? -step : step)) % size + size) % size;
    Window* c = Find(cs[static_cast<size_t>(i)]);
    if (!TakesFocus(c) || c->itemClass != ItemClass::kButton) continue;
    SetFocus(c->hwnd);
    if (IsAutoRadio(*c)) ClickButton(*c);
    return;
  }
}

void Escape(Window& d) {
  HWND cancel = 0;
  for (HWND h : d.controls)
    if (Window* c = Find(h); c && c->id == IDCANCEL && c->itemClass == ItemClass::kButton) cancel = h;
  if (Window* c = FindControl(cancel); Usable(c)) {
    ClickButton(*c);
    return;
  }
  SendMessage(d.hwnd, WM_COMMAND, MakeWParam(IDCANCEL, BN_CLICKED), 0);
}

void KeyDown(Window& d, int vk) {
  Window* focus = FindControl(d.focus);
  if (focus && focus->itemClass == ItemClass::kEdit) {
    // Keys that reach the field while a composition is open belong to the input method.
    if (!focus->edit.composition.empty()) return;
    if (EditKey(*focus, vk)) return;
  }
  if (focus && focus->itemClass == ItemClass::kListBox && ListKey(*focus, vk)) return;
  const bool shift = IsKeyDown(VK_SHIFT);
  switch (vk) {
    case kVkTab: MoveTab(d, shift); return;
    case VK_RETURN: PressDefaultButton(d.hwnd); return;
    case VK_ESCAPE: Escape(d); return;
    case VK_SPACE:
      if (focus && focus->itemClass == ItemClass::kButton) ClickButton(*focus);
      return;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      if (focus && focus->itemClass == ItemClass::kButton) MoveInGroup(d, vk == VK_LEFT || vk == VK_UP);
      return;
    default: return;
  }
}

Window* ControlAt(Window& d, int x, int y) {
  // The last one drawn is on top.
  for (auto it = d.controls.rbegin(); it != d.controls.rend(); ++it) {
    Window* c = Find(*it);
    if (!c || !c->visible) continue;
    if (c->itemClass == ItemClass::kStatic) continue;
    if (c->itemClass == ItemClass::kButton && (c->style & BS_TYPEMASK) == BS_GROUPBOX) continue;
    RECT r = ControlRectOnFrame(*c);
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return c;
  }
  return nullptr;
}

bool Inside(const Window& c, int x, int y) {
  RECT r = ControlRectOnFrame(c);
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

void MouseDown(Window& d, const UiEvent& e) {
  if (e.button != 1) return;
  Window* c = ControlAt(d, e.x, e.y);
  if (!Usable(c)) return;
  switch (c->itemClass) {
    case ItemClass::kButton:
      if (TakesFocus(c) && (c->style & WS_TABSTOP || IsCheckOrRadio(*c) || IsPushButton(*c))) SetFocus(c->hwnd);
      d.capture = c->hwnd;
      c->pressed = true;
      Invalidate();
      break;
    case ItemClass::kEdit:
      SetFocus(c->hwnd);
      EditClick(*c, e.x, e.y, IsKeyDown(VK_SHIFT));
      break;
    case ItemClass::kListBox:
      SetFocus(c->hwnd);
      ListClick(*c, e.x, e.y, IsKeyDown(VK_CONTROL), IsKeyDown(VK_SHIFT), e.clicks >= 2);
      break;
    default: break;
  }
}

void MouseUp(Window& d, const UiEvent& e) {
  if (e.button != 1) return;
  Window* c = FindControl(d.capture);
  d.capture = 0;
  if (!c) return;
  const bool click = c->pressed && Inside(*c, e.x, e.y);
  c->pressed = false;
  Invalidate();
  if (click) ClickButton(*c);
}

}  // namespace

void HandleEvent(const UiEvent& e) {
  Window* d = TopDialog();
  if (!d) return;
  const HWND dialog = d->hwnd;
  switch (e.kind) {
    case UiEvent::Kind::kKeyDown:
      if (RunKeyboardHooks(e.vk, e.keyData & ~(1u << 31))) return;
      if ((d = FindDialog(dialog)) && !d->ended) KeyDown(*d, e.vk);
      return;
    case UiEvent::Kind::kKeyUp: RunKeyboardHooks(e.vk, e.keyData | (1u << 31) | (1u << 30)); return;
    case UiEvent::Kind::kText: {
      Window* f = FindControl(d->focus);
      if (!f || f->itemClass != ItemClass::kEdit) return;
      f->edit.composition.clear();
      const std::string sjis = TypedTextToSjis(e.text);
      if (!sjis.empty()) EditReplaceSelection(*f, sjis);
      Invalidate();
      return;
    }
    case UiEvent::Kind::kComposition: {
      Window* f = FindControl(d->focus);
      if (!f || f->itemClass != ItemClass::kEdit) return;
      f->edit.composition = TypedTextToSjis(e.text);
      Invalidate();
      return;
    }
    case UiEvent::Kind::kMouseDown: MouseDown(*d, e); return;
    case UiEvent::Kind::kMouseUp: MouseUp(*d, e); return;
    case UiEvent::Kind::kMouseMove:
      if (Window* c = FindControl(d->capture)) {
        const bool in = Inside(*c, e.x, e.y);
        if (c->pressed != in) {
          c->pressed = in;
          Invalidate();
        }
      }
      return;
    case UiEvent::Kind::kWheel:
      if (Window* c = ControlAt(*d, e.x, e.y); c && c->itemClass == ItemClass::kListBox) ListWheel(*c, e.wheel);
      return;
  }
}

std::string TypedTextToSjis(const std::string& utf8) {
  std::string clean;
  for (char ch : utf8)
    if (static_cast<unsigned char>(ch) >= 0x20 && ch != 0x7F) clean += ch;
  return Utf8ToSjis(clean);
}

}  // namespace plat::ui
