#pragma once

#include <cstdint>
#include <vector>

// The edges of a box, inclusive on both sides.
struct cContactRect {
  double dLeft, dTop, dRight, dBottom;
};

// A uniform grid over the boxes of one force list, built for one pass, that tells
// which entries may meet a box. It only narrows the candidates: the pass still
// tests each candidate itself, in list order. A box the grid cannot place (not
// finite, or spread over too many cells) is a candidate of every query, and so is
// every entry of a query box that is not finite.
class cContactGrid {
 public:
  void Build(const std::vector<cContactRect>& rects);
  // The indices from `from` on whose box may meet r, ascending.
  void Query(const cContactRect& r, uint32_t from, std::vector<uint32_t>& out);

 private:
  bool Cells(const cContactRect& r, int& x0, int& y0, int& x1, int& y1) const;
  void StretchedCells(const cContactRect& r, int& x0, int& y0) const;
  int Column(double x) const;
  int Row(double y) const;

  uint32_t m_nCount = 0;
  bool m_bAll = true;  // small lists and the plain reference: every entry is a candidate
  double m_dOriginX = 0, m_dOriginY = 0, m_dCell = 1, m_dPerCell = 1, m_dLastColumn = 0, m_dLastRow = 0;
  double m_dSmall = 0;  // the largest query box that looks in one cell only
  int m_nColumns = 0, m_nRows = 0;
  std::vector<uint32_t> m_CellStart;  // per cell, into m_CellItems; one more at the end
  std::vector<uint32_t> m_CellItems;
  std::vector<uint32_t> m_Always;
  std::vector<uint32_t> m_Stamp;  // the query that last took each entry
  uint32_t m_nQuery = 0;
};

// Whether the contact passes narrow their pairs through the grid (the default) or
// test every pair in list order: the plain reference that the tests and the
// benchmark hold the grid against. Set it only between play steps.
void SetContactBroadPhase(bool on);
bool ContactBroadPhase();
