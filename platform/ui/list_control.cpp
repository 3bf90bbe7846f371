// Lists: rows of text with a current row, one selected row or (with
// LBS_EXTENDEDSEL) several, scrolled to keep the current row in view.
#include <algorithm>

#include "platform/key_state.h"
#include "platform/ui/ui_state.h"

namespace plat::ui {
namespace {

constexpr int kVkPrior = 0x21, kVkNext = 0x22, kVkEnd = 0x23, kVkHome = 0x24;

int Count(const Window& l) { return static_cast<int>(l.list.items.size()); }

int VisibleRows(const Window& l) {
  const int h = l.rect.bottom - l.rect.top - 4;
  return std::max(1, h / ListRowHeight(l));
}

void Reveal(Window& l) {
  const int rows = VisibleRows(l);
  if (l.list.caret < l.list.top) l.list.top = l.list.caret;
  if (l.list.caret >= l.list.top + rows) l.list.top = l.list.caret - rows + 1;
  l.list.top = std::clamp(l.list.top, 0, std::max(0, Count(l) - rows));
}

void SelectRange(Window& l, int a, int b) {
  std::fill(l.list.selected.begin(), l.list.selected.end(), false);
  for (int i = std::min(a, b); i <= std::max(a, b); ++i)
    if (i >= 0 && i < Count(l)) l.list.selected[static_cast<size_t>(i)] = true;
}

void MoveCaret(Window& l, int to, bool shift) {
  if (Count(l) == 0) return;
  to = std::clamp(to, 0, Count(l) - 1);
  const bool multi = (l.style & LBS_EXTENDEDSEL) != 0;
  if (multi && shift) {
    if (l.list.anchor < 0) l.list.anchor = std::max(l.list.caret, 0);
    l.list.caret = to;
    SelectRange(l, l.list.anchor, to);
  } else {
    ListSelectOnly(l, to);
  }
  Reveal(l);
  Invalidate();
  Notify(l, LBN_SELCHANGE);
}

}  // namespace

int ListRowHeight(const Window& l) {
  const Window* d = FindDialog(l.parent);
  const int cell = d && d->font ? d->font->CellHeight() : 12;
  return std::max(cell, 8) + 2;
}

void ListSelectOnly(Window& l, int index) {
  std::fill(l.list.selected.begin(), l.list.selected.end(), false);
  if (index >= 0 && index < Count(l)) {
    l.list.selected[static_cast<size_t>(index)] = true;
    l.list.caret = index;
  } else {
    l.list.caret = -1;
  }
  l.list.anchor = l.list.caret;
  if (l.list.caret >= 0) Reveal(l);
  Invalidate();
}

bool ListKey(Window& l, int vk) {
  const int rows = VisibleRows(l);
  const bool shift = IsKeyDown(VK_SHIFT);
  switch (vk) {
    case VK_UP: MoveCaret(l, l.list.caret - 1, shift); return true;
    case VK_DOWN: MoveCaret(l, l.list.caret + 1, shift); return true;
    case kVkPrior: MoveCaret(l, l.list.caret - (rows - 1), shift); return true;
    case kVkNext: MoveCaret(l, l.list.caret + (rows - 1), shift); return true;
    case kVkHome: MoveCaret(l, 0, shift); return true;
    case kVkEnd: MoveCaret(l, Count(l) - 1, shift); return true;
    default: return false;
  }
}

void ListClick(Window& l, int x, int y, bool ctrl, bool shift, bool doubleClick) {
  (void)x;
  const RECT r = ControlRectOnFrame(l);
  const int row = l.list.top + (y - r.top - 2) / ListRowHeight(l);
  if (row < 0 || row >= Count(l)) return;
  const bool multi = (l.style & LBS_EXTENDEDSEL) != 0;
  if (multi && ctrl) {
    l.list.selected[static_cast<size_t>(row)] = !l.list.selected[static_cast<size_t>(row)];
    l.list.caret = l.list.anchor = row;
  } else if (multi && shift) {
    if (l.list.anchor < 0) l.list.anchor = row;
    l.list.caret = row;
    SelectRange(l, l.list.anchor, row);
  } else {
    ListSelectOnly(l, row);
  }
  Invalidate();
  const HWND hwnd = l.hwnd;
  Notify(l, LBN_SELCHANGE);
  if (doubleClick)
    if (Window* again = FindControl(hwnd)) Notify(*again, LBN_DBLCLK);
}

void ListWheel(Window& l, int lines) {
  const int rows = VisibleRows(l);
  l.list.top = std::clamp(l.list.top - lines * 3, 0, std::max(0, Count(l) - rows));
  Invalidate();
}

}  // namespace plat::ui
