#include <gtest/gtest.h>

#include "app/svc/menu_cursor.h"

namespace {

constexpr uint16_t kL = 1, kR = 2, kU = 4, kD = 8;

TEST(MenuCursorStack, ResetPushAndPop) {
  cMenuCursor m;
  EXPECT_EQ(m.Depth(), 1);
  EXPECT_EQ(m.m_pBelow, nullptr);
  m.Cur() = MENUCURSOR{1, 2, 3, 4};
  m.Pop(0);  // one entry: nothing
  EXPECT_EQ(m.Cur().nRow, 2);

  m.Push(1);
  EXPECT_EQ(m.Depth(), 2);
  EXPECT_EQ(m.Cur().nColumn, 1);  // a copy of the level below
  EXPECT_EQ(m.m_pBelow, &m.m_Stack[0]);
  m.Cur().nRow = 7;
  for (int i = 0; i < 20; ++i) m.Push(0);  // the vector moves: the pointers follow
  EXPECT_EQ(m.m_pCur, &m.m_Stack.back());
  EXPECT_EQ(m.Cur().nRow, 0);
  for (int i = 0; i < 20; ++i) m.Pop(1);
  EXPECT_EQ(m.Cur().nRow, 7);

  m.Pop(2);  // hands the sub-menu's cursor back to the menu below
  EXPECT_EQ(m.Depth(), 1);
  EXPECT_EQ(m.Cur().nColumn, 1);
  EXPECT_EQ(m.Cur().nRow, 7);
  EXPECT_EQ(m.m_pBelow, nullptr);

  m.Push(0);
  m.Cur().nRow = 5;
  m.Pop(0);
  EXPECT_EQ(m.Cur().nRow, 0);
  EXPECT_EQ(m.Cur().nColumn, 0);

  m.Push(1);
  m.Push(1);
  m.Reset();
  EXPECT_EQ(m.Depth(), 1);
  EXPECT_EQ(m.m_pCur, &m.m_Stack[0]);
  EXPECT_EQ(m.m_pBelow, nullptr);
  EXPECT_EQ(m.Cur().nX + m.Cur().nY + m.Cur().nRow + m.Cur().nColumn, 0);
}

TEST(MenuCursorGrid, WrapsBothWays) {
  struct Row {
    int col, row;
    uint16_t word;
    int wantCol, wantRow;
  } rows[] = {
      {0, 0, kL, 2, 0}, {2, 0, kR, 0, 0}, {0, 1, kD, 0, 0}, {0, 0, kU, 0, 1},
      {1, 0, kR | kD, 2, 1}, {0, 0, kL | kU, 2, 1}, {1, 1, kL | kR, 0, 1}, {1, 0, kU | kD, 1, 1},
  };
  for (const Row& r : rows) {
    cMenuCursor m;
    m.Cur().nColumn = r.col;
    m.Cur().nRow = r.row;
    m.MoveGrid(r.word, 100, 50, 20, 16, 3, 2);
    EXPECT_EQ(m.Cur().nColumn, r.wantCol) << r.col << "," << r.row << " word " << r.word;
    EXPECT_EQ(m.Cur().nRow, r.wantRow) << r.col << "," << r.row << " word " << r.word;
    EXPECT_EQ(m.Cur().nX, 100 + 20 * r.wantCol);
    EXPECT_EQ(m.Cur().nY, 50 + 16 * r.wantRow);
  }
  cMenuCursor m;
  m.MoveGrid(kR, 1, 1, 1, 1, -1, 2);
  EXPECT_EQ(m.Cur().nColumn, 0);
  EXPECT_EQ(m.Cur().nX, 0);  // nothing at all
}

TEST(MenuCursorList, ScrollsPagesAndClamps) {
  struct Row {
    const char* what;
    int index, top;
    uint16_t word;
    int pages;
    int wantIndex, wantTop;
  } rows[] = {
      {"down inside the view", 1, 0, kD, 0, 2, 0},
      {"down from the last visible line scrolls", 3, 0, kD, 0, 4, 1},
      {"up from the first visible line scrolls", 4, 4, kU, 0, 3, 3},
      {"up on the first item stays", 0, 0, kU, 0, 0, 0},
      {"down on the last item stays", 9, 6, kD, 0, 9, 6},
      {"page right", 1, 0, kR, 1, 4, 3},
      {"page right from the last top", 7, 6, kR, 1, 9, 6},
      {"page right near the end is clamped", 5, 5, kR, 1, 8, 6},
      {"page left", 7, 6, kL, 1, 4, 3},
      {"page left from the top", 2, 0, kL, 1, 0, 0},
      {"page left near the top is clamped", 2, 2, kL, 1, 0, 0},
      {"no page moves without the flag", 1, 0, kR, 0, 1, 0},
  };
  for (const Row& r : rows) {
    cMenuCursor m;
    m.Cur().nRow = r.index;
    int top = r.top;
    m.MoveList(r.word, 1, top, 40, 24, 300, 4, 10, r.pages);
    EXPECT_EQ(m.Cur().nRow, r.wantIndex) << r.what;
    EXPECT_EQ(top, r.wantTop) << r.what;
    EXPECT_EQ(m.Cur().nY, 40 + 24 * (r.wantIndex - r.wantTop)) << r.what;
    EXPECT_EQ(m.Cur().nX, 300) << r.what;
  }
}

TEST(MenuCursorList, ColumnListAndShortLists) {
  cMenuCursor m;
  m.Cur().nColumn = 1;
  m.Cur().nRow = 9;
  int top = 0;
  m.MoveList(kD, 0, top, 10, 50, 7, 4, 10, 0);
  EXPECT_EQ(m.Cur().nColumn, 2);
  EXPECT_EQ(m.Cur().nRow, 9);
  EXPECT_EQ(m.Cur().nX, 110);
  EXPECT_EQ(m.Cur().nY, 7);

  // Fewer items than lines, and an empty list.
  m.Cur().nColumn = 2;
  top = 0;
  m.MoveList(kD | kR, 0, top, 0, 1, 0, 8, 3, 1);
  EXPECT_EQ(m.Cur().nColumn, 2);
  EXPECT_EQ(top, 0);
  m.MoveList(kD, 0, top, 0, 1, 0, 8, 0, 1);
  EXPECT_EQ(m.Cur().nColumn, 0);
  EXPECT_EQ(top, 0);
}

TEST(MenuCursorGlobal, OneZeroedEntryFromTheStart) {
  EXPECT_EQ(MenuCursor.Depth(), 1);
  EXPECT_EQ(MenuCursor.m_pCur, &MenuCursor.m_Stack[0]);
  EXPECT_EQ(MenuCursor.Cur().nRow, 0);
}

}  // namespace
