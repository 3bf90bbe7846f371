#pragma once

#include <cstdint>
#include <vector>

// The edges of a box, inclusive on both sides.
struct cContactRect {
  double dLeft, dTop, dRight, dBottom;
};

// Where the cells of a grid lie. Grids built on one shape agree on the cell of a
// box, so that a box's cell can be found once for all of them.
struct cContactShape {
  double dOriginX = 0, dOriginY = 0, dCell = 16, dPerCell = 1.0 / 16, dLastColumn = 0, dLastRow = 0;
  double dSmall = 0;  // the largest query box that looks in one cell only
  int nColumns = 1, nRows = 1;

  // The shape a grid over these boxes takes.
  static cContactShape For(const std::vector<cContactRect>& rects);
  int Column(double x) const;
  int Row(double y) const;
  // The one cell a query box no larger than a cell looks in, or -1 for a larger
  // box or one that is not finite.
  long long Corner(const cContactRect& r) const;
  bool Same(const cContactShape& o) const {
    return dOriginX == o.dOriginX && dOriginY == o.dOriginY && dCell == o.dCell && nColumns == o.nColumns &&
           nRows == o.nRows;
  }
};

// A uniform grid over the boxes of one force list, built for one pass, that tells
// which entries may meet a box. It only narrows the candidates: the pass still
// tests each candidate itself, in list order. A box the grid cannot place (not
// finite, or spread over too many cells) is a candidate of every query, and so is
// every entry of a query box that is not finite.
class cContactGrid {
 public:
  // On a shape of its own, or on `shape` when one is given.
  void Build(const std::vector<cContactRect>& rects, const cContactShape* shape = nullptr);
  // Whether no entry may meet a query box whose Corner under `shape` is `corner`
  // (false whenever that cannot be told from the cell alone).
  bool NothingAt(long long corner, const cContactShape& shape) const;
  // The indices from `from` on whose box may meet r, ascending.
  void Query(const cContactRect& r, uint32_t from, std::vector<uint32_t>& out);

 private:
  bool Cells(const cContactRect& r, int& x0, int& y0, int& x1, int& y1) const;
  void StretchedCells(const cContactRect& r, int& x0, int& y0) const;

  uint32_t m_nCount = 0;
  bool m_bAll = true;  // small lists and the plain reference: every entry is a candidate
  cContactShape m_Shape;
  std::vector<uint32_t> m_CellStart;  // per cell, into m_CellItems; one more at the end
  std::vector<uint32_t> m_CellItems;
  std::vector<uint64_t> m_Occupied;  // a bit per cell: set when it holds an entry
  std::vector<uint32_t> m_Always;
  std::vector<uint32_t> m_Stamp;  // the query that last took each entry
  uint32_t m_nQuery = 0;
};

// Whether the contact passes narrow their pairs through the grid (the default) or
// test every pair in list order: the plain reference that the tests and the
// benchmark hold the grid against. Set it only between play steps.
void SetContactBroadPhase(bool on);
bool ContactBroadPhase();
