// The look of the in-window dialogs: a grey face with raised and sunken edges, a
// dark caption bar, black text.
#include <algorithm>
#include <cmath>

#include "platform/ui/canvas.h"
#include "platform/ui/ui_state.h"

namespace plat::ui {
namespace {

constexpr uint32_t kFace = 0xD4D0C8;
constexpr uint32_t kLight = 0xFFFFFF;
constexpr uint32_t kShadow = 0x808080;
constexpr uint32_t kDark = 0x404040;
constexpr uint32_t kText = 0x000000;
constexpr uint32_t kGreyText = 0x808080;
constexpr uint32_t kField = 0xFFFFFF;
constexpr uint32_t kCaption = 0x0A246A;
constexpr uint32_t kCaptionText = 0xFFFFFF;
constexpr uint32_t kSelection = 0x0A246A;
constexpr uint32_t kSelectionText = 0xFFFFFF;

RECT Inset(RECT r, int n) { return RECT{r.left + n, r.top + n, r.right - n, r.bottom - n}; }

RECT Intersect(const RECT& a, const RECT& b) {
  return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
}

void Raised(cCanvas& c, const RECT& r, const RECT* clip) {
  c.Edge(r, kLight, kDark, clip);
  c.Edge(Inset(r, 1), kFace, kShadow, clip);
}

void Sunken(cCanvas& c, const RECT& r, const RECT* clip) {
  c.Edge(r, kShadow, kLight, clip);
  c.Edge(Inset(r, 1), kDark, kFace, clip);
}

int CellHeight(cFont* font) { return font ? font->CellHeight() : 12; }

}  // namespace

std::vector<std::string> WrapText(cFont* font, const std::string& text, int width) {
  std::vector<std::string> lines;
  std::string line;
  int lineWidth = 0;
  for (size_t i = 0; i < text.size();) {
    if (text[i] == '\r') {
      ++i;
      continue;
    }
    if (text[i] == '\n') {
      lines.push_back(line);
      line.clear();
      lineWidth = 0;
      ++i;
      continue;
    }
    const int n = SjisCharBytes(text.data() + i, text.size() - i);
    const std::string ch = text.substr(i, static_cast<size_t>(n));
    const int w = font ? TextWidth(*font, ch) : 0;
    if (!line.empty() && lineWidth + w > width) {
      lines.push_back(line);
      line.clear();
      lineWidth = 0;
    }
    line += ch;
    lineWidth += w;
    i += static_cast<size_t>(n);
  }
  lines.push_back(line);
  return lines;
}

namespace {

void PaintStatic(cCanvas& c, cFont* font, const Window& w, const RECT& r, const RECT& clip) {
  if ((w.style & SS_TYPEMASK) == SS_BITMAP || !font) return;
  const uint32_t colour = w.enabled ? kText : kGreyText;
  int y = r.top;
  for (const std::string& line : WrapText(font, w.text, r.right - r.left)) {
    int x = r.left;
    if ((w.style & SS_TYPEMASK) == SS_CENTER) x += (r.right - r.left - TextWidth(*font, line)) / 2;
    c.Text(*font, x, y, line, colour, &clip);
    y += CellHeight(font);
  }
}

void PaintCheckMark(cCanvas& c, int x, int y, uint32_t colour, const RECT* clip) {
  // A tick in a 13x13 box whose inside starts at (x, y).
  static const int kRows[7][2] = {{6, 1}, {5, 2}, {4, 3}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};
  for (const auto& p : kRows) c.Fill(RECT{x + 2 + p[0], y + 1 + p[1], x + 3 + p[0], y + 4 + p[1]}, colour, clip);
}

void PaintRadio(cCanvas& c, int x, int y, bool checked, bool enabled, const RECT* clip) {
  // A 12x12 circle: sunken rim, white inside, a dot when checked.
  for (int j = 0; j < 12; ++j)
    for (int i = 0; i < 12; ++i) {
      const double dx = i - 5.5, dy = j - 5.5, d = std::sqrt(dx * dx + dy * dy);
      uint32_t colour;
      if (d > 6.0) continue;
      if (d > 5.0)
        colour = (dx + dy < 0) ? kShadow : kLight;
      else if (d > 4.0)
        colour = (dx + dy < 0) ? kDark : kFace;
      else
        colour = enabled ? kField : kFace;
      if (checked && d < 2.2) colour = enabled ? kText : kGreyText;
      c.Fill(RECT{x + i, y + j, x + i + 1, y + j + 1}, colour, clip);
    }
}

void PaintButton(cCanvas& c, cFont* font, const Window& d, const Window& w, const RECT& r, const RECT& clip) {
  const uint32_t kind = w.style & BS_TYPEMASK;
  const bool focused = d.focus == w.hwnd;
  const uint32_t colour = w.enabled ? kText : kGreyText;
  const int cell = CellHeight(font);
  if (kind == BS_GROUPBOX) {
    RECT frame{r.left, r.top + cell / 2, r.right, r.bottom};
    c.Edge(frame, kShadow, kLight, &clip);
    c.Edge(Inset(frame, 1), kLight, kShadow, &clip);
    if (font && !w.text.empty()) {
      const int tw = TextWidth(*font, w.text);
      c.Fill(RECT{r.left + 7, r.top, r.left + 11 + tw, r.top + cell}, kFace, &clip);
      c.Text(*font, r.left + 9, r.top, w.text, colour, &clip);
    }
    return;
  }
  if (kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON) {
    const int y = r.top + (r.bottom - r.top - 13) / 2;
    if (kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON) {
      PaintRadio(c, r.left, y, w.check != 0, w.enabled, &clip);
    } else {
      RECT box{r.left, y, r.left + 13, y + 13};
      Sunken(c, box, &clip);
      c.Fill(Inset(box, 2), w.pressed || !w.enabled ? kFace : kField, &clip);
      if (w.check) PaintCheckMark(c, r.left + 1, y + 1, colour, &clip);
    }
    if (font) {
      const int ty = r.top + (r.bottom - r.top - cell) / 2;
      const int end = c.Text(*font, r.left + 17, ty, w.text, colour, &clip);
      if (focused) c.DottedOutline(RECT{r.left + 15, ty - 1, end + 2, ty + cell + 1}, kText, &clip);
    }
    return;
  }
  // Push buttons; the default one has a dark outline.
  RECT face = r;
  const bool isDefault = kind == BS_DEFPUSHBUTTON || focused;
  if (isDefault) {
    c.Outline(face, kDark, &clip);
    face = Inset(face, 1);
  }
  c.Fill(face, kFace, &clip);
  if (w.pressed) {
    c.Outline(face, kShadow, &clip);
  } else {
    Raised(c, face, &clip);
  }
  if (font) {
    const int tw = TextWidth(*font, w.text);
    const int shift = w.pressed ? 1 : 0;
    const int tx = face.left + (face.right - face.left - tw) / 2 + shift;
    const int ty = face.top + (face.bottom - face.top - cell) / 2 + shift;
    const RECT inner = Intersect(Inset(face, 2), clip);
    c.Text(*font, tx, ty, w.text, colour, &inner);
  }
  if (focused) c.DottedOutline(Inset(face, 3), kText, &clip);
}

void PaintEdit(cCanvas& c, cFont* font, const Window& d, Window& w, const RECT& r, const RECT& clip) {
  Sunken(c, r, &clip);
  const RECT inner = Intersect(Inset(r, 2), clip);
  c.Fill(inner, w.enabled && !(w.style & ES_READONLY) ? kField : kFace, &clip);
  if (!font) return;
  const bool focused = d.focus == w.hwnd && &d == TopDialog();
  const int cell = CellHeight(font);
  const int selStart = EditSelStart(w), selEnd = EditSelEnd(w);
  const bool multi = (w.style & ES_MULTILINE) != 0;
  // Single-line fields scroll so that the caret stays in view.
  if (!multi) {
    const int caretX = TextWidth(*font, std::string_view(w.text).substr(0, static_cast<size_t>(w.edit.caret)));
    const int room = std::max(1, inner.right - inner.left - 2);
    if (caretX - w.edit.scroll > room) w.edit.scroll = caretX - room;
    if (caretX < w.edit.scroll) w.edit.scroll = caretX;
  } else {
    w.edit.scroll = 0;
  }
  const int x0 = r.left + 3 - w.edit.scroll;
  int y = multi ? r.top + 2 : r.top + (r.bottom - r.top - cell) / 2;
  size_t lineStart = 0;
  for (;;) {
    size_t lineEnd = multi ? w.text.find("\r\n", lineStart) : std::string::npos;
    if (lineEnd == std::string::npos) lineEnd = w.text.size();
    int x = x0;
    for (size_t i = lineStart; i < lineEnd;) {
      const int n = SjisCharBytes(w.text.data() + i, lineEnd - i);
      const std::string ch = w.text.substr(i, static_cast<size_t>(n));
      const int cw = TextWidth(*font, ch);
      const bool selected = focused && static_cast<int>(i) >= selStart && static_cast<int>(i) < selEnd;
      if (selected) c.Fill(RECT{x, y, x + cw, y + cell}, kSelection, &inner);
      if (focused && static_cast<int>(i) == w.edit.caret && !w.edit.composition.empty()) {
        // The text being composed stands at the caret, underlined.
        const int end = c.Text(*font, x, y, w.edit.composition, kText, &inner);
        c.HLine(x, end, y + cell - 1, kText, &inner);
        x = end;
      }
      c.Text(*font, x, y, ch, selected ? kSelectionText : (w.enabled ? kText : kGreyText), &inner);
      if (focused && static_cast<int>(i) == w.edit.caret && w.edit.composition.empty())
        c.VLine(x, y, y + cell, kText, &inner);
      x += cw;
      i += static_cast<size_t>(n);
    }
    if (focused && w.edit.caret == static_cast<int>(lineEnd)) {
      if (!w.edit.composition.empty()) {
        const int end = c.Text(*font, x, y, w.edit.composition, kText, &inner);
        c.HLine(x, end, y + cell - 1, kText, &inner);
      } else {
        c.VLine(x, y, y + cell, kText, &inner);
      }
    }
    if (lineEnd >= w.text.size()) break;
    lineStart = lineEnd + 2;
    y += cell;
  }
}

void PaintList(cCanvas& c, cFont* font, const Window& d, const Window& w, const RECT& r, const RECT& clip) {
  Sunken(c, r, &clip);
  const RECT inner = Intersect(Inset(r, 2), clip);
  c.Fill(inner, kField, &clip);
  const int row = ListRowHeight(w);
  const bool focused = d.focus == w.hwnd;
  int y = r.top + 2;
  for (size_t i = static_cast<size_t>(std::max(w.list.top, 0)); i < w.list.items.size() && y < r.bottom - 2; ++i) {
    const RECT line{r.left + 2, y, r.right - 2, y + row};
    const bool selected = w.list.selected[i];
    if (selected) c.Fill(line, kSelection, &inner);
    if (font) c.Text(*font, line.left + 2, y + 1, w.list.items[i], selected ? kSelectionText : kText, &inner);
    if (focused && static_cast<int>(i) == w.list.caret) c.DottedOutline(line, selected ? kSelectionText : kText, &inner);
    y += row;
  }
  // Where the view stands in a longer list.
  const int count = static_cast<int>(w.list.items.size());
  const int visible = std::max(1, (r.bottom - r.top - 4) / row);
  if (count > visible) {
    const int h = r.bottom - r.top - 4;
    const int thumb = std::max(8, h * visible / count);
    const int top = r.top + 2 + (h - thumb) * w.list.top / std::max(1, count - visible);
    c.Fill(RECT{r.right - 6, r.top + 2, r.right - 2, r.bottom - 2}, kFace, &clip);
    c.Fill(RECT{r.right - 6, top, r.right - 2, top + thumb}, kShadow, &clip);
  }
}

void PaintScrollBar(cCanvas& c, const Window& w, const RECT& r, const RECT& clip) {
  c.Fill(r, 0xE0E0E0, &clip);
  const bool vertical = (w.style & SBS_VERT) != 0;
  const int span = vertical ? r.bottom - r.top : r.right - r.left;
  const int range = std::max(1, w.bar.max - w.bar.min + 1);
  const int thumb = std::max(8, w.bar.page > 0 ? span * w.bar.page / range : span / 8);
  const int at = (span - thumb) * (w.bar.pos - w.bar.min) / std::max(1, range - std::max(w.bar.page, 1));
  RECT t = vertical ? RECT{r.left, r.top + at, r.right, r.top + at + thumb}
                    : RECT{r.left + at, r.top, r.left + at + thumb, r.bottom};
  c.Fill(t, kFace, &clip);
  Raised(c, t, &clip);
}

void PaintDialog(cCanvas& c, Window& d) {
  cFont* font = d.font.get();
  const RECT outer = d.rect;
  c.Fill(outer, kFace);
  const bool framed = (d.style & (WS_DLGFRAME | WS_THICKFRAME)) != 0;
  if (framed) {
    Raised(c, outer, nullptr);
  } else {
    c.Outline(outer, kDark);
  }
  const RECT client = ClientRectOnFrame(d);
  if (d.style & WS_CAPTION) {
    const int frame = framed ? client.left - outer.left : 0;
    const RECT bar{outer.left + frame, outer.top + frame, outer.right - frame,
                   outer.top + frame + GetSystemMetrics(SM_CYCAPTION) - 1};
    c.Fill(bar, &d == TopDialog() ? kCaption : kShadow);
    if (font) {
      const RECT inner = Inset(bar, 1);
      c.Text(*font, bar.left + 4, bar.top + (bar.bottom - bar.top - CellHeight(font)) / 2, d.text, kCaptionText,
             &inner);
    }
  }
  for (HWND h : d.controls) {
    Window* w = Find(h);
    if (!w || !w->visible) continue;
    const RECT r = ControlRectOnFrame(*w);
    const RECT clip = Intersect(r, client);
    switch (w->itemClass) {
      case ItemClass::kStatic: PaintStatic(c, font, *w, r, clip); break;
      case ItemClass::kButton: PaintButton(c, font, d, *w, r, clip); break;
      case ItemClass::kEdit: PaintEdit(c, font, d, *w, r, clip); break;
      case ItemClass::kListBox: PaintList(c, font, d, *w, r, clip); break;
      case ItemClass::kScrollBar: PaintScrollBar(c, *w, r, clip); break;
    }
  }
}

}  // namespace

void PaintDialogs(cCanvas& canvas) {
  for (HWND h : S().dialogs)
    if (Window* d = FindDialog(h)) PaintDialog(canvas, *d);
}

}  // namespace plat::ui
