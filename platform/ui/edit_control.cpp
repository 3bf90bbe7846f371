// Edit fields: Shift-JIS text with a caret and a selection in bytes; a line break
// is "\r\n" and counts as one step of the caret, as does a double-byte character.
#include <algorithm>

#include "platform/key_state.h"
#include "platform/ui/canvas.h"
#include "platform/ui/ui_state.h"

namespace plat::ui {
namespace {

constexpr int kVkEnd = 0x23, kVkHome = 0x24, kVkDelete = 0x2E;

int Length(const Window& e) { return static_cast<int>(e.text.size()); }

// The unit boundaries of the text: every character start and the end.
std::vector<int> Boundaries(const std::string& t) {
  std::vector<int> b;
  size_t i = 0;
  while (i < t.size()) {
    b.push_back(static_cast<int>(i));
    if (t[i] == '\r' && i + 1 < t.size() && t[i + 1] == '\n')
      i += 2;
    else
      i += static_cast<size_t>(SjisCharBytes(t.data() + i, t.size() - i));
  }
  b.push_back(static_cast<int>(t.size()));
  return b;
}

int Prev(const std::string& t, int pos) {
  int best = 0;
  for (int b : Boundaries(t))
    if (b < pos) best = b;
  return best;
}

int Next(const std::string& t, int pos) {
  for (int b : Boundaries(t))
    if (b > pos) return b;
  return static_cast<int>(t.size());
}

int LineStart(const std::string& t, int pos) {
  for (int i = std::min(pos, static_cast<int>(t.size())) - 1; i >= 0; --i)
    if (t[static_cast<size_t>(i)] == '\n') return i + 1;
  return 0;
}

int LineEnd(const std::string& t, int pos) {
  for (int i = std::max(pos, 0); i < static_cast<int>(t.size()); ++i)
    if (t[static_cast<size_t>(i)] == '\r' || t[static_cast<size_t>(i)] == '\n') return i;
  return static_cast<int>(t.size());
}

bool Multiline(const Window& e) { return (e.style & ES_MULTILINE) != 0; }

// EN_UPDATE, then EN_CHANGE (the handler of the first may change the field again).
void NotifyChanged(HWND hwnd) {
  if (Window* e = FindControl(hwnd)) Notify(*e, EN_UPDATE);
  if (Window* e = FindControl(hwnd)) Notify(*e, EN_CHANGE);
}

void Collapse(Window& e, int pos) {
  e.edit.anchor = e.edit.caret = std::clamp(pos, 0, Length(e));
  Invalidate();
}

// The byte offset in [from, to) of the text nearest to the pixel x (0 = from).
int NearestIn(cFont* font, const std::string& t, int from, int to, int x) {
  if (!font) return to;
  int pen = 0;
  int pos = from;
  while (pos < to) {
    const int next = std::min(Next(t, pos), to);
    const int w = TextWidth(*font, std::string_view(t).substr(static_cast<size_t>(pos), static_cast<size_t>(next - pos)));
    if (x < pen + w / 2) return pos;
    pen += w;
    pos = next;
  }
  return to;
}

}  // namespace

int EditSelStart(const Window& e) { return std::min(e.edit.anchor, e.edit.caret); }
int EditSelEnd(const Window& e) { return std::max(e.edit.anchor, e.edit.caret); }

void EditSetSel(Window& e, int start, int end) {
  const int len = Length(e);
  if (start == -1) {
    e.edit.anchor = e.edit.caret;
  } else {
    if (end < 0) end = len;
    // A position inside a double-byte character (or a line break) goes to its
    // start: typing there must never split it.
    e.edit.anchor = Prev(e.text, std::clamp(start, 0, len) + 1);
    e.edit.caret = Prev(e.text, std::clamp(end, 0, len) + 1);
  }
  Invalidate();
}

void EditSetText(Window& e, const std::string& sjis, bool notify) {
  e.text = sjis;
  e.edit.anchor = e.edit.caret = 0;
  e.edit.scroll = 0;
  Invalidate();
  if (notify) NotifyChanged(e.hwnd);
}

void EditReplaceSelection(Window& e, const std::string& sjis) {
  if (e.style & ES_READONLY) return;
  std::string insert = sjis;
  if (!Multiline(e)) insert.erase(std::remove_if(insert.begin(), insert.end(), [](char c) { return c == '\r' || c == '\n'; }),
                                  insert.end());
  const int start = EditSelStart(e), end = EditSelEnd(e);
  e.text.replace(static_cast<size_t>(start), static_cast<size_t>(end - start), insert);
  Collapse(e, start + static_cast<int>(insert.size()));
  NotifyChanged(e.hwnd);
}

bool EditKey(Window& e, int vk) {
  const bool shift = IsKeyDown(VK_SHIFT);
  const int caret = e.edit.caret;
  auto moveTo = [&](int pos) {
    if (shift) {
      e.edit.caret = std::clamp(pos, 0, Length(e));
      Invalidate();
    } else {
      Collapse(e, pos);
    }
  };
  switch (vk) {
    case VK_BACK:
    case kVkDelete: {
      if (e.style & ES_READONLY) return true;
      if (EditSelStart(e) == EditSelEnd(e)) {
        if (vk == VK_BACK && caret == 0) return true;
        if (vk == kVkDelete && caret >= Length(e)) return true;
        if (vk == VK_BACK)
          e.edit.anchor = Prev(e.text, caret);
        else
          e.edit.caret = Next(e.text, caret);
      }
      EditReplaceSelection(e, "");
      return true;
    }
    case VK_LEFT:
      if (!shift && EditSelStart(e) != EditSelEnd(e))
        Collapse(e, EditSelStart(e));
      else
        moveTo(Prev(e.text, caret));
      return true;
    case VK_RIGHT:
      if (!shift && EditSelStart(e) != EditSelEnd(e))
        Collapse(e, EditSelEnd(e));
      else
        moveTo(Next(e.text, caret));
      return true;
    case kVkHome: moveTo(Multiline(e) ? LineStart(e.text, caret) : 0); return true;
    case kVkEnd: moveTo(Multiline(e) ? LineEnd(e.text, caret) : Length(e)); return true;
    case VK_UP:
    case VK_DOWN: {
      if (!Multiline(e)) return true;
      const int start = LineStart(e.text, caret);
      const int column = caret - start;
      int target;
      if (vk == VK_UP) {
        if (start == 0) return true;
        target = LineStart(e.text, start - 1);
      } else {
        const int end = LineEnd(e.text, caret);
        if (end >= Length(e)) return true;
        target = Next(e.text, end);
      }
      int pos = std::min(target + column, LineEnd(e.text, target));
      // Not inside a double-byte character.
      pos = pos == Length(e) ? pos : Prev(e.text, pos + 1);
      moveTo(pos);
      return true;
    }
    case VK_RETURN:
      if (Multiline(e) && (e.style & ES_WANTRETURN)) {
        EditReplaceSelection(e, "\r\n");
        return true;
      }
      return false;
    default: return false;
  }
}

void EditClick(Window& e, int x, int y, bool extend) {
  Window* d = FindDialog(e.parent);
  cFont* font = d && d->font ? d->font.get() : nullptr;
  const RECT r = ControlRectOnFrame(e);
  int pos;
  if (Multiline(e)) {
    const int lineHeight = font ? std::max(font->CellHeight(), 1) : 12;
    int line = std::max(0, (y - r.top - 2) / lineHeight);
    int start = 0;
    while (line > 0 && start < Length(e)) {
      const int end = LineEnd(e.text, start);
      if (end >= Length(e)) break;
      start = Next(e.text, end);
      --line;
    }
    pos = NearestIn(font, e.text, start, LineEnd(e.text, start), x - r.left - 3);
  } else {
    pos = NearestIn(font, e.text, 0, Length(e), x - r.left - 3 + e.edit.scroll);
  }
  if (extend) {
    e.edit.caret = pos;
    Invalidate();
  } else {
    Collapse(e, pos);
  }
}

}  // namespace plat::ui
