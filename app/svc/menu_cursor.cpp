#include "app/svc/menu_cursor.h"

#include <algorithm>

cMenuCursor MenuCursor;

cMenuCursor::cMenuCursor() { Reset(); }

void cMenuCursor::TakePointers() {
  // Taken again after every change: the vector may have moved its entries.
  m_pCur = &m_Stack.back();
  m_pBelow = m_Stack.size() >= 2 ? &m_Stack[m_Stack.size() - 2] : nullptr;
}

void cMenuCursor::Reset() {
  m_Stack.assign(1, MENUCURSOR{});
  TakePointers();
}

void cMenuCursor::Push(int copy) {
  bool hadEntries = !m_Stack.empty();
  m_Stack.push_back(MENUCURSOR{});
  if (copy == 1 && hadEntries) m_Stack.back() = m_Stack[m_Stack.size() - 2];
  TakePointers();
}

void cMenuCursor::Pop(int mode) {
  if (m_Stack.size() < 2) return;
  MENUCURSOR removed = m_Stack.back();
  m_Stack.pop_back();
  TakePointers();
  if (mode == 0)
    *m_pCur = MENUCURSOR{};
  else if (mode == 2)
    *m_pCur = removed;
}

void cMenuCursor::MoveGrid(uint16_t word, int x0, int y0, int dx, int dy, int columns, int rows) {
  if (columns < 0 || rows < 0) return;
  MENUCURSOR& c = *m_pCur;
  if (word & 1)
    --c.nColumn;
  else if (word & 2)
    ++c.nColumn;
  if (word & 4)
    --c.nRow;
  else if (word & 8)
    ++c.nRow;
  if (c.nRow < 0)
    c.nRow = rows - 1;
  else if (c.nRow >= rows)
    c.nRow = 0;
  if (c.nColumn < 0)
    c.nColumn = columns - 1;
  else if (c.nColumn >= columns)
    c.nColumn = 0;
  c.nX = x0 + dx * c.nColumn;
  c.nY = y0 + dy * c.nRow;
}

void cMenuCursor::MoveList(uint16_t word, int useRow, int& top, int base, int step, int fixed, int visible,
                           int count, int pageMoves) {
  MENUCURSOR& c = *m_pCur;
  int32_t& index = useRow ? c.nRow : c.nColumn;
  if (word & 4) {
    if (index - top < 1) --top;
    --index;
  } else if (word & 8) {
    if (index - top >= visible - 1) ++top;
    ++index;
  }
  const int lastTop = count - visible;
  if (pageMoves) {
    if (word & 2) {
      if (top == lastTop) {
        index = count - 1;
      } else {
        top += visible - 1;
        index += visible - 1;
      }
    } else if (word & 1) {
      if (top == 0) {
        index = 0;
      } else {
        top -= visible - 1;
        index -= visible - 1;
      }
    }
  }
  if (index > count - 1) index = count - 1;
  if (index < 0) index = 0;
  if (top < 0)
    top = 0;
  else
    top = std::min(top, std::max(lastTop, 0));
  const int along = base + step * (index - top);
  if (useRow) {
    c.nY = along;
    c.nX = fixed;
  } else {
    c.nX = along;
    c.nY = fixed;
  }
}
