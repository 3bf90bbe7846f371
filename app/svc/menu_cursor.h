#pragma once
#include <cstdint>

#include "app/base/vector.h"

// One menu level's cursor: the cell (column, row; in a list one of them is the
// item index) and the screen position the last move computed.
struct MENUCURSOR {
  int32_t nColumn = 0;
  int32_t nRow = 0;
  int32_t nX = 0;
  int32_t nY = 0;
};

// The cursor of every menu: a stack with one entry per open menu level, the top
// one current, moved by the direction word of Input[0] after key repeat.
class cMenuCursor {
 public:
  cMenuCursor();
  cMenuCursor(const cMenuCursor&) = delete;  // the pointers point into the stack
  cMenuCursor& operator=(const cMenuCursor&) = delete;

  // Exactly one zeroed entry, current.
  void Reset();
  // A new level: a zeroed entry, or with copy 1 a copy of the level below.
  void Push(int copy);
  // Closes the top level (nothing with fewer than two): the level below becomes
  // current and is zeroed (mode 0), kept (1) or takes the closed level's entry (2).
  void Pop(int mode);

  // A wrapping grid: left/right move the column, up/down the row; then
  // x = x0 + dx * column, y = y0 + dy * row. Nothing when columns or rows is below 0.
  void MoveGrid(uint16_t word, int x0, int y0, int dx, int dy, int columns, int rows);
  // A scrolling list (no wrap): the item is the row when useRow is set, else the
  // column; top is the caller's first visible line; with pageMoves, right and left
  // move a page. The coordinate along the list becomes base + step * (item - top),
  // the other one fixed.
  void MoveList(uint16_t word, int useRow, int& top, int base, int step, int fixed, int visible, int count,
                int pageMoves);

  MENUCURSOR& Cur() { return *m_pCur; }
  int Depth() const { return m_Stack.Count(); }

  MENUCURSOR* m_pCur = nullptr;
  MENUCURSOR* m_pBelow = nullptr;  // null with one level
  cVector<MENUCURSOR> m_Stack;

 private:
  void TakePointers();
};

extern cMenuCursor MenuCursor;
