#include "draw/fast_font.h"

#include <algorithm>

#include "draw/dd_blit.h"
#include "draw/dd_globals.h"
#include "draw/dd_surface.h"

cFastFont::cFastFont(int nKind, int nCellWidth, int nCellHeight, int nColumns, int nRows)
    : m_nKind(nKind),
      m_nCellWidth(std::max(nCellWidth, 0)),
      m_nCellHeight(std::max(nCellHeight, 0)),
      m_nColumns(std::max(nColumns, 0)),
      m_nRows(std::max(nRows, 0)),
      m_nCapacity(m_nColumns * m_nRows) {
  if (m_nCapacity > 0 && m_nCellWidth > 0 && m_nCellHeight > 0)
    DDCreateSurface(&m_SD, m_nCellWidth * m_nColumns, m_nCellHeight * m_nRows, 1, DDMEMKIND_VIDEO,
                    DTMEMORYTYPE_VIDEO_RT, 0, 0);
}

cFastFont::~cFastFont() { DDReleaseSurface(&m_SD); }

bool cFastFont::IsCreated() const {
  if (m_SD.lpDT) return m_SD.lpDT->lpSurface != nullptr;
  return m_SD.lpDDPart && m_SD.lpDDPart->lpSurface;
}

void cFastFont::CellOf(int nSlot, int* x, int* y) const {
  const int columns = std::max(m_nColumns, 1);
  *x = (nSlot % columns) * m_nCellWidth;
  *y = (nSlot / columns) * m_nCellHeight;
}

int cFastFont::AddGlyph(const char* ch) {
  if (!ch || m_nGlyphCount >= m_nCapacity) return 0;
  GLYPH g;
  g.code[0] = static_cast<uint8_t>(ch[0]);
  g.code[1] = static_cast<uint8_t>(ch[1]);
  g.nSlot = m_nGlyphCount;
  CellOf(g.nSlot, &g.x, &g.y);
  m_GlyphList.push_back(g);
  m_SlotOf.emplace(Key(ch), g.nSlot);  // a character added twice is found at its first slot
  ++m_nGlyphCount;
  return 1;
}

int cFastFont::FindGlyph(const char* ch) const {
  if (!ch) return -1;
  auto it = m_SlotOf.find(Key(ch));
  return it == m_SlotOf.end() ? -1 : it->second;
}

void cFastFont::DrawCell(DDSURFACEDATA* lpDstSD, int x, int y, int code, int nFlags) {
  if (code < 0 || code >= m_nCapacity) return;
  int sx, sy;
  CellOf(code, &sx, &sy);
  DDBltFast(lpDstSD, x, y, m_nCellWidth, m_nCellHeight, &m_SD, sx, sy, nFlags);
}

int cFastFont::DrawGlyph(DDSURFACEDATA* lpDstSD, int x, int y, const char* ch, int nFlags) {
  const int slot = FindGlyph(ch);
  if (slot < 0) return 0;
  DrawCell(lpDstSD, x, y, slot, nFlags);
  return 1;
}
