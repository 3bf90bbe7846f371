#pragma once
#include <cstdint>
#include <list>
#include <unordered_map>

#include "draw/dd_types.h"

// A glyph atlas of a font: a keyed surface of equal cells, slot s at
// ((s mod columns) x cell width, (s div columns) x cell height). Kind 0 holds the
// 256 single-byte codes, slot = code; kind 1 holds double-byte characters in the
// order they were added. The font draws the glyphs into the cells; the atlas
// only keeps the slots and blits cells.
class cFastFont {
 public:
  struct GLYPH {
    uint8_t code[2];  // the character's lead and trail byte
    int nSlot;
    int x, y;  // the cell's top-left in the atlas
  };

  // Makes the atlas surface (video memory, keyed; a render target under Direct3D).
  cFastFont(int nKind, int nCellWidth, int nCellHeight, int nColumns, int nRows);
  ~cFastFont();
  cFastFont(const cFastFont&) = delete;
  cFastFont& operator=(const cFastFont&) = delete;

  // Whether the surface could be made.
  bool IsCreated() const;

  // Gives a double-byte character the next free slot: 1, or 0 when the atlas is full.
  int AddGlyph(const char* ch);
  // Blits the cell of slot `code` (0-255 for single-byte codes) to (x, y).
  void DrawCell(DDSURFACEDATA* lpDstSD, int x, int y, int code, int nFlags);
  // Blits the cell of a held double-byte character: 1, or 0 when it is not held.
  int DrawGlyph(DDSURFACEDATA* lpDstSD, int x, int y, const char* ch, int nFlags);
  // The slot of a held double-byte character, -1 when it is not held.
  int FindGlyph(const char* ch) const;
  void CellOf(int nSlot, int* x, int* y) const;

  int m_nKind;
  int m_nCellWidth, m_nCellHeight;
  int m_nColumns, m_nRows;
  int m_nCapacity;
  DDSURFACEDATA m_SD;
  std::list<GLYPH> m_GlyphList;
  int m_nGlyphCount = 0;

 private:
  static uint16_t Key(const char* ch) {
    return static_cast<uint16_t>(static_cast<uint8_t>(ch[0]) << 8 | static_cast<uint8_t>(ch[1]));
  }
  std::unordered_map<uint16_t, int> m_SlotOf;  // first slot of each held character
};
