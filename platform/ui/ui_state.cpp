// The window services of user.h over the in-window dialogs' own windows and the
// game window.
#include <algorithm>
#include <cstring>

#include "platform/sjis.h"
#include "platform/ui/ui_state.h"

namespace plat {
namespace ui {
namespace {

// The frames the in-window dialogs are drawn with.
constexpr int kCaptionHeight = 20;
constexpr int kDialogFrame = 3;
constexpr int kSizingFrame = 4;
constexpr int kMenuHeight = 20;
constexpr int kScrollBarWidth = 16;

}  // namespace

State& S() {
  static State* state = new State;  // kept to the end: a dialog may outlive static destruction
  return *state;
}

Window* Find(HWND hwnd) {
  auto it = S().windows.find(hwnd);
  return it == S().windows.end() ? nullptr : it->second.get();
}

Window* FindDialog(HWND hwnd) {
  Window* w = Find(hwnd);
  return w && w->dialog ? w : nullptr;
}

Window* FindControl(HWND hwnd) {
  Window* w = Find(hwnd);
  return w && !w->dialog ? w : nullptr;
}

Window* DialogOf(HWND hwnd) {
  Window* w = Find(hwnd);
  if (!w) return nullptr;
  return w->dialog ? w : FindDialog(w->parent);
}

Window* TopDialog() { return S().dialogs.empty() ? nullptr : FindDialog(S().dialogs.back()); }

void Invalidate() { S().dirty = true; }

std::shared_ptr<cFont> DialogFont(const std::string& sjisFace) {
  static auto* fonts = new std::map<std::string, std::shared_ptr<cFont>>;
  auto it = fonts->find(sjisFace);
  if (it != fonts->end()) return it->second;
  FontDesc desc;
  desc.face = sjisFace;
  desc.height = -12;  // 9 points on a 96 dots-per-inch desktop
  desc.antiAliased = true;
  std::shared_ptr<cFont> font = cFont::Create(desc, nullptr);
  (*fonts)[sjisFace] = font;
  return font;
}

POINT FrameOrigin() {
  POINT p;
  HWND game = GameWindow();
  if (game) GetWindowPosition(game, &p.x, &p.y);
  return p;
}

void FrameSize(int* width, int* height) {
  // The dialogs are laid out on the game's 640x480 frame.
  *width = 640;
  *height = 480;
}

RECT ClientRectOnFrame(const Window& d) {
  RECT frame{0, 0, 0, 0};
  AdjustWindowRect(&frame, d.style, false);
  return RECT{d.rect.left - frame.left, d.rect.top - frame.top, d.rect.right - frame.right,
              d.rect.bottom - frame.bottom};
}

RECT ControlRectOnFrame(const Window& c) {
  const Window* d = FindDialog(c.parent);
  if (!d) return c.rect;
  RECT client = ClientRectOnFrame(*d);
  return RECT{client.left + c.rect.left, client.top + c.rect.top, client.left + c.rect.right,
              client.top + c.rect.bottom};
}

void Notify(const Window& control, unsigned code) {
  SendMessage(control.parent, WM_COMMAND, MakeWParam(control.id, code), static_cast<LPARAM>(control.hwnd));
}

bool IsPushButton(const Window& w) {
  if (w.dialog || w.itemClass != ItemClass::kButton) return false;
  const uint32_t kind = w.style & BS_TYPEMASK;
  return kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON;
}

Window* DefaultButton(Window& dialog) {
  for (HWND h : dialog.controls) {
    Window* c = Find(h);
    if (c && c->itemClass == ItemClass::kButton && (c->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return c;
  }
  return nullptr;
}

void ClickButton(Window& button) {
  if (!button.enabled || button.itemClass != ItemClass::kButton) return;
  const uint32_t kind = button.style & BS_TYPEMASK;
  if (kind == BS_GROUPBOX) return;
  if (kind == BS_AUTOCHECKBOX) button.check = button.check ? 0 : 1;
  if (kind == BS_AUTORADIOBUTTON) {
    // The other automatic radio buttons of its group go off.
    Window* d = FindDialog(button.parent);
    if (d) {
      auto self = std::find(d->controls.begin(), d->controls.end(), button.hwnd);
      auto first = self;
      while (first != d->controls.begin()) {
        Window* c = Find(*first);
        if (c && (c->style & WS_GROUP)) break;
        --first;
      }
      for (auto it = first; it != d->controls.end(); ++it) {
        Window* c = Find(*it);
        if (!c) continue;
        if (it != first && (c->style & WS_GROUP)) break;
        if (c->itemClass == ItemClass::kButton && (c->style & BS_TYPEMASK) == BS_AUTORADIOBUTTON) c->check = 0;
      }
    }
    button.check = 1;
  }
  Invalidate();
  Notify(button, BN_CLICKED);
}

namespace {

int CopyText(const std::string& text, char* buffer, int max) {
  if (!buffer || max <= 0) return 0;
  // Never half a double-byte character.
  size_t n = 0;
  const size_t limit = static_cast<size_t>(max - 1);
  while (n < text.size()) {
    const int bytes = SjisCharBytes(text.data() + n, text.size() - n);
    if (n + bytes > limit) break;
    n += static_cast<size_t>(bytes);
  }
  std::memcpy(buffer, text.data(), n);
  buffer[n] = 0;
  return static_cast<int>(n);
}

}  // namespace

LRESULT ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* c = FindControl(hwnd);
  if (!c) return 0;
  switch (message) {
    case WM_SETTEXT: {
      const char* text = reinterpret_cast<const char*>(lParam);
      std::string s = text ? text : "";
      if (c->itemClass == ItemClass::kEdit) {
        EditSetText(*c, s, true);
      } else {
        c->text = s;
        Invalidate();
      }
      return 1;
    }
    case WM_GETTEXT: return CopyText(c->text, reinterpret_cast<char*>(lParam), static_cast<int>(wParam));
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(c->text.size());
    case BM_GETCHECK: return c->check;
    case BM_SETCHECK:
      c->check = static_cast<int>(wParam);
      Invalidate();
      return 0;
    case BM_CLICK: ClickButton(*c); return 0;
    case EM_GETSEL: {
      const int start = EditSelStart(*c), end = EditSelEnd(*c);
      if (wParam) *reinterpret_cast<int*>(wParam) = start;
      if (lParam) *reinterpret_cast<int*>(lParam) = end;
      return static_cast<LRESULT>((start & 0xFFFF) | ((end & 0xFFFF) << 16));
    }
    case EM_SETSEL: EditSetSel(*c, static_cast<int>(static_cast<intptr_t>(wParam)), static_cast<int>(lParam)); return 0;
    case LB_ADDSTRING: {
      const char* text = reinterpret_cast<const char*>(lParam);
      c->list.items.push_back(text ? text : "");
      c->list.selected.push_back(false);
      Invalidate();
      return static_cast<LRESULT>(c->list.items.size() - 1);
    }
    case LB_RESETCONTENT:
      c->list = ListState{};
      Invalidate();
      return 0;
    case LB_GETCOUNT: return static_cast<LRESULT>(c->list.items.size());
    case LB_GETCURSEL: return c->list.caret;
    case LB_SETCURSEL: ListSelectOnly(*c, static_cast<int>(static_cast<intptr_t>(wParam))); return 0;
    case LB_GETSEL: {
      const size_t i = static_cast<size_t>(wParam);
      return i < c->list.selected.size() && c->list.selected[i] ? 1 : 0;
    }
    case LB_SETSEL: {
      const size_t i = static_cast<size_t>(lParam);
      if (i < c->list.selected.size()) c->list.selected[i] = wParam != 0;
      Invalidate();
      return 0;
    }
    case LB_GETTEXT: {
      const size_t i = static_cast<size_t>(wParam);
      if (i >= c->list.items.size()) return -1;
      char* out = reinterpret_cast<char*>(lParam);
      if (out) std::memcpy(out, c->list.items[i].c_str(), c->list.items[i].size() + 1);
      return static_cast<LRESULT>(c->list.items[i].size());
    }
    default: return 0;
  }
}

}  // namespace ui

using namespace ui;

int GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN: return FullScreenClientSize().width;
    case SM_CYSCREEN:
    case SM_CYFULLSCREEN: return FullScreenClientSize().height;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL: return kScrollBarWidth;
    case SM_CYCAPTION: return kCaptionHeight;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return kDialogFrame;
    case SM_CYMENU: return kMenuHeight;
    case SM_CXFRAME:
    case SM_CYFRAME: return kSizingFrame;
    default: return 0;
  }
}

void AdjustWindowRect(RECT* rect, uint32_t style, bool menu) {
  int left = 0, top = 0, right = 0, bottom = 0;
  if (style & WS_CAPTION) top += GetSystemMetrics(SM_CYCAPTION);
  if (style & WS_THICKFRAME) {
    left = right = GetSystemMetrics(SM_CXFRAME);
    top += GetSystemMetrics(SM_CYFRAME);
    bottom = GetSystemMetrics(SM_CYFRAME);
  } else if (style & WS_DLGFRAME) {
    left = right = GetSystemMetrics(SM_CXDLGFRAME);
    top += GetSystemMetrics(SM_CYDLGFRAME);
    bottom = GetSystemMetrics(SM_CYDLGFRAME);
  }
  if (menu) top += GetSystemMetrics(SM_CYMENU);
  rect->left -= left;
  rect->top -= top;
  rect->right += right;
  rect->bottom += bottom;
}

intptr_t GetWindowLong(HWND window, int index) {
  switch (index) {
    case GWL_WNDPROC: return reinterpret_cast<intptr_t>(GetWindowProc(window));
    case GWL_HINSTANCE: return IsWindow(window) ? 1 : 0;  // the program's one module
    case GWL_ID: {
      Window* w = FindControl(window);
      return w ? w->id : 0;
    }
    case GWL_STYLE: {
      if (Window* w = Find(window)) return static_cast<intptr_t>(w->style | (w->visible ? WS_VISIBLE : 0));
      if (window && window == GameWindow())
        return static_cast<intptr_t>(GameWindowStyle(window) | (IsGameWindowShown(window) ? WS_VISIBLE : 0));
      return 0;
    }
    default: return 0;
  }
}

intptr_t SetWindowLong(HWND window, int index, intptr_t value) {
  const intptr_t old = GetWindowLong(window, index);
  switch (index) {
    case GWL_WNDPROC: SetWindowProc(window, reinterpret_cast<WNDPROC>(value)); break;
    case GWL_STYLE:
      if (Window* w = Find(window)) {
        w->style = static_cast<uint32_t>(value) & ~WS_VISIBLE;
        w->visible = (value & WS_VISIBLE) != 0;
        Invalidate();
      } else if (window && window == GameWindow()) {
        SetGameWindowStyle(window, static_cast<uint32_t>(value) & ~WS_VISIBLE);
      }
      break;
    default: break;
  }
  return old;
}

bool SetWindowText(HWND window, const char* sjis) {
  if (Window* w = Find(window)) {
    if (w->dialog) {
      w->text = sjis ? sjis : "";
      Invalidate();
      return true;
    }
    return SendMessage(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(sjis)) != 0;
  }
  if (window && window == GameWindow()) {
    SetWindowTitle(window, sjis ? sjis : "");
    return true;
  }
  return false;
}

int GetWindowText(HWND window, char* buffer, int max) {
  Window* w = Find(window);
  if (!w) {
    if (buffer && max > 0) buffer[0] = 0;
    return 0;
  }
  if (w->dialog) return CopyText(w->text, buffer, max);
  return static_cast<int>(SendMessage(window, WM_GETTEXT, static_cast<WPARAM>(max), reinterpret_cast<LPARAM>(buffer)));
}

std::string WindowText(HWND window) {
  Window* w = Find(window);
  return w ? w->text : std::string();
}

bool IsWindow(HWND window) { return Find(window) != nullptr || (window && window == GameWindow()); }

bool IsWindowVisible(HWND window) {
  if (Window* w = Find(window)) return w->visible;
  return window && window == GameWindow() && IsGameWindowShown(window);
}

bool EnableWindow(HWND window, bool enable) {
  Window* w = Find(window);
  if (!w) return false;
  const bool wasDisabled = !w->enabled;
  w->enabled = enable;
  Invalidate();
  return wasDisabled;
}

bool IsWindowEnabled(HWND window) {
  Window* w = Find(window);
  return w ? w->enabled : IsWindow(window);
}

bool ShowWindow(HWND window, int command) {
  if (Window* w = Find(window)) {
    const bool was = w->visible;
    w->visible = command != SW_HIDE;
    Invalidate();
    return was;
  }
  if (window && window == GameWindow()) {
    const bool was = IsGameWindowShown(window);
    ShowMainWindow(window, command);
    return was;
  }
  return false;
}

HWND GetParent(HWND window) {
  Window* w = Find(window);
  if (!w) return 0;
  return w->dialog ? w->owner : w->parent;
}

bool SetProp(HWND window, const char* name, void* value) {
  if (!IsWindow(window) || !name) return false;
  S().props[window][name] = value;
  return true;
}

void* GetProp(HWND window, const char* name) {
  auto it = S().props.find(window);
  if (it == S().props.end() || !name) return nullptr;
  auto p = it->second.find(name);
  return p == it->second.end() ? nullptr : p->second;
}

void* RemoveProp(HWND window, const char* name) {
  auto it = S().props.find(window);
  if (it == S().props.end() || !name) return nullptr;
  auto p = it->second.find(name);
  if (p == it->second.end()) return nullptr;
  void* value = p->second;
  it->second.erase(p);
  if (it->second.empty()) S().props.erase(it);
  return value;
}

HWND GetActiveWindow() {
  if (Window* d = TopDialog()) return d->hwnd;
  return GameWindow();
}

HWND GetFocus() {
  Window* d = TopDialog();
  if (!d) return GameWindow();
  return d->focus ? d->focus : d->hwnd;
}

HWND SetFocus(HWND window) {
  Window* d = DialogOf(window);
  if (!d) return 0;
  const HWND old = d->focus ? d->focus : d->hwnd;
  const HWND now = window == d->hwnd ? 0 : window;
  if (d->focus == now) return old;
  Window* before = FindControl(d->focus);
  d->focus = now;
  Invalidate();
  if (before && before->itemClass == ItemClass::kEdit) {
    before->edit.composition.clear();
    Notify(*before, EN_KILLFOCUS);
  }
  return old;
}

bool GetWindowRect(HWND window, RECT* rect) {
  const POINT o = FrameOrigin();
  if (Window* w = Find(window)) {
    RECT r = w->dialog ? w->rect : ControlRectOnFrame(*w);
    *rect = RECT{r.left + o.x, r.top + o.y, r.right + o.x, r.bottom + o.y};
    return true;
  }
  if (window && window == GameWindow()) {
    RECT r;
    if (!GetClientScreenRect(window, &r)) return false;
    AdjustWindowRect(&r, GameWindowStyle(window), false);
    *rect = r;
    return true;
  }
  return false;
}

bool GetClientRect(HWND window, RECT* rect) {
  if (Window* w = Find(window)) {
    RECT r = w->dialog ? ClientRectOnFrame(*w) : w->rect;
    *rect = RECT{0, 0, r.right - r.left, r.bottom - r.top};
    return true;
  }
  int cw = 0, ch = 0;
  if (window && window == GameWindow() && GetClientSize(window, &cw, &ch)) {
    *rect = RECT{0, 0, cw, ch};
    return true;
  }
  return false;
}

bool ClientToScreen(HWND window, POINT* point) {
  const POINT o = FrameOrigin();
  if (Window* w = Find(window)) {
    RECT r = w->dialog ? ClientRectOnFrame(*w) : ControlRectOnFrame(*w);
    point->x += r.left + o.x;
    point->y += r.top + o.y;
    return true;
  }
  if (window && window == GameWindow()) {
    point->x += o.x;
    point->y += o.y;
    return true;
  }
  return false;
}

bool ScreenToClient(HWND window, POINT* point) {
  POINT zero;
  if (!ClientToScreen(window, &zero)) return false;
  point->x -= zero.x;
  point->y -= zero.y;
  return true;
}

bool SetWindowPos(HWND window, int x, int y, int cx, int cy, unsigned flags) {
  if (Window* w = Find(window)) {
    RECT r = w->rect;
    if (w->dialog && !(flags & SWP_NOMOVE)) {
      const POINT o = FrameOrigin();
      x -= o.x;
      y -= o.y;
    }
    if (flags & SWP_NOMOVE) x = r.left, y = r.top;
    if (flags & SWP_NOSIZE) cx = r.right - r.left, cy = r.bottom - r.top;
    w->rect = RECT{x, y, x + std::max(cx, 0), y + std::max(cy, 0)};
    Invalidate();
    return true;
  }
  if (window && window == GameWindow()) {
    RECT frame{0, 0, 0, 0};
    AdjustWindowRect(&frame, GameWindowStyle(window), false);
    if (!(flags & SWP_NOMOVE)) MoveGameWindow(window, x - frame.left, y - frame.top);
    if (!(flags & SWP_NOSIZE))
      ResizeClient(window, cx - (frame.right - frame.left), cy - (frame.bottom - frame.top));
    return true;
  }
  return false;
}

bool SetCursorPos(int x, int y) {
  S().cursor = POINT{x, y};
  const POINT o = FrameOrigin();
  MoveCursorOnFrame(x - o.x, y - o.y);
  return true;
}

bool GetCursorPos(POINT* point) {
  int fx = 0, fy = 0;
  if (CursorOnFrame(&fx, &fy)) {
    const POINT o = FrameOrigin();
    S().cursor = POINT{o.x + fx, o.y + fy};
  }
  *point = S().cursor;
  return true;
}

RECT GetWorkArea() {
  const POINT o = FrameOrigin();
  int w = 0, h = 0;
  FrameSize(&w, &h);
  return RECT{o.x, o.y, o.x + w, o.y + h};
}

int SetScrollInfo(HWND bar, int which, const SCROLLINFO& info, bool) {
  Window* w = FindControl(bar);
  if (!w || which != SB_CTL) return 0;
  if (info.fMask & SIF_RANGE) w->bar.min = info.nMin, w->bar.max = info.nMax;
  if (info.fMask & SIF_PAGE) w->bar.page = static_cast<int>(info.nPage);
  if (info.fMask & SIF_POS) w->bar.pos = info.nPos;
  const int top = std::max(w->bar.min, w->bar.max - std::max(w->bar.page - 1, 0));
  w->bar.pos = std::clamp(w->bar.pos, w->bar.min, top);
  Invalidate();
  return w->bar.pos;
}

bool GetScrollInfo(HWND bar, int which, SCROLLINFO* info) {
  Window* w = FindControl(bar);
  if (!w || which != SB_CTL) return false;
  info->nMin = w->bar.min;
  info->nMax = w->bar.max;
  info->nPage = static_cast<unsigned>(w->bar.page);
  info->nPos = w->bar.pos;
  return true;
}

}  // namespace plat
