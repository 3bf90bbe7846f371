#include "stage/contact_grid.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <iterator>

namespace {

std::atomic<bool> gBroadPhase{true};

// Lists this short are walked whole: the grid would cost more than it saves.
constexpr uint32_t kFewest = 8;
// A box over more cells than this is a candidate everywhere instead.
constexpr long long kMostCells = 64;
// Boxes beyond this distance do not widen the grid (they sit in its edge cells).
constexpr double kNear = 1e7;

bool Finite(const cContactRect& r) {
  return std::isfinite(r.dLeft) && std::isfinite(r.dTop) && std::isfinite(r.dRight) && std::isfinite(r.dBottom);
}

bool Near(const cContactRect& r) {
  return std::fabs(r.dLeft) <= kNear && std::fabs(r.dTop) <= kNear && std::fabs(r.dRight) <= kNear &&
         std::fabs(r.dBottom) <= kNear;
}

}  // namespace

void SetContactBroadPhase(bool on) { gBroadPhase.store(on); }
bool ContactBroadPhase() { return gBroadPhase.load(); }

// Clamped before the cast, so the cast floors and never overflows (and no call to
// floor is needed).
int cContactShape::Column(double x) const {
  return static_cast<int>(std::clamp((x - dOriginX) * dPerCell, 0.0, dLastColumn));
}

int cContactShape::Row(double y) const {
  return static_cast<int>(std::clamp((y - dOriginY) * dPerCell, 0.0, dLastRow));
}

long long cContactShape::Corner(const cContactRect& r) const {
  if (!Finite(r)) return -1;
  const double l = std::min(r.dLeft, r.dRight), t = std::min(r.dTop, r.dBottom);
  if (!(std::max(r.dLeft, r.dRight) - l <= dSmall && std::max(r.dTop, r.dBottom) - t <= dSmall)) return -1;
  return static_cast<long long>(Row(t)) * nColumns + Column(l);
}

cContactShape cContactShape::For(const std::vector<cContactRect>& rects) {
  double minX = 0, minY = 0, maxX = 0, maxY = 0, extent = 0;
  uint32_t placed = 0;
  for (const cContactRect& r : rects) {
    if (!Finite(r) || !Near(r)) continue;
    const double l = std::min(r.dLeft, r.dRight), h = std::max(r.dLeft, r.dRight);
    const double t = std::min(r.dTop, r.dBottom), b = std::max(r.dTop, r.dBottom);
    if (placed == 0) minX = l, maxX = h, minY = t, maxY = b;
    minX = std::min(minX, l), maxX = std::max(maxX, h), minY = std::min(minY, t), maxY = std::max(maxY, b);
    extent += std::max(h - l, b - t) + 1;
    ++placed;
  }
  // A cell about the size of a typical box, grown while the grid would be much
  // larger than the list.
  cContactShape shape;
  shape.dCell = std::max(16.0, placed ? extent / placed : 16.0);
  shape.dOriginX = minX;
  shape.dOriginY = minY;
  for (;;) {
    const double columns = std::floor((maxX - minX) / shape.dCell) + 1,
                 rows = std::floor((maxY - minY) / shape.dCell) + 1;
    if (columns * rows <= 16.0 * static_cast<double>(rects.size()) + 4096) {
      shape.nColumns = static_cast<int>(columns);
      shape.nRows = static_cast<int>(rows);
      break;
    }
    shape.dCell *= 2;
  }
  shape.dPerCell = 1 / shape.dCell;
  shape.dSmall = shape.dCell - shape.dCell / 1024;
  shape.dLastColumn = shape.nColumns - 1.0;
  shape.dLastRow = shape.nRows - 1.0;
  return shape;
}

// The cells under a box. A box whose edges are the wrong way round still meets
// what its hull meets, so the hull is what is placed. Clamping to the grid keeps
// every pair of meeting boxes in a shared cell.
bool cContactGrid::Cells(const cContactRect& r, int& x0, int& y0, int& x1, int& y1) const {
  if (!Finite(r)) return false;
  x0 = m_Shape.Column(std::min(r.dLeft, r.dRight));
  x1 = m_Shape.Column(std::max(r.dLeft, r.dRight));
  y0 = m_Shape.Row(std::min(r.dTop, r.dBottom));
  y1 = m_Shape.Row(std::max(r.dTop, r.dBottom));
  return true;
}

// An entry sits in the cells under its box stretched one cell up and left, so that
// a query box no larger than a cell meets only entries of the cell under its top
// left corner. The stretch is a little more than the largest such query box, so
// that rounding in the subtraction cannot lose a pair that touches at an edge.
void cContactGrid::StretchedCells(const cContactRect& r, int& x0, int& y0) const {
  x0 = m_Shape.Column(std::min(r.dLeft, r.dRight) - m_Shape.dCell);
  y0 = m_Shape.Row(std::min(r.dTop, r.dBottom) - m_Shape.dCell);
}

void cContactGrid::Build(const std::vector<cContactRect>& rects, const cContactShape* shape) {
  m_nCount = static_cast<uint32_t>(rects.size());
  m_bAll = !ContactBroadPhase() || m_nCount < kFewest;
  m_Always.clear();
  if (m_bAll) return;
  m_Shape = shape ? *shape : cContactShape::For(rects);
  const size_t cells = static_cast<size_t>(m_Shape.nColumns) * static_cast<size_t>(m_Shape.nRows);
  m_CellStart.assign(cells + 1, 0);
  m_Occupied.assign((cells + 63) / 64, 0);
  // Two rounds: count the entries of each cell, then place them.
  for (int round = 0; round < 2; ++round) {
    if (round == 1) {
      for (size_t c = 0; c < cells; ++c) m_CellStart[c + 1] += m_CellStart[c];
      m_CellItems.resize(m_CellStart[cells]);
    }
    std::vector<uint32_t> next;
    if (round == 1) next.assign(m_CellStart.begin(), m_CellStart.end() - 1);
    for (uint32_t i = 0; i < m_nCount; ++i) {
      int x0, y0, x1, y1;
      if (!Cells(rects[i], x0, y0, x1, y1) ||
          static_cast<long long>(x1 - x0 + 1) * static_cast<long long>(y1 - y0 + 1) > kMostCells) {
        if (round == 0) m_Always.push_back(i);
        continue;
      }
      StretchedCells(rects[i], x0, y0);
      for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
          const size_t c = static_cast<size_t>(y) * static_cast<size_t>(m_Shape.nColumns) + static_cast<size_t>(x);
          if (round == 0) {
            ++m_CellStart[c + 1];
            m_Occupied[c / 64] |= uint64_t{1} << (c % 64);
          } else {
            m_CellItems[next[c]++] = i;
          }
        }
    }
  }
  m_Stamp.assign(m_nCount, 0);
  m_nQuery = 0;
}

void cContactGrid::Query(const cContactRect& r, uint32_t from, std::vector<uint32_t>& out) {
  out.clear();
  if (!m_bAll) {
    if (const long long corner = m_Shape.Corner(r); corner >= 0) {
      // The cell under the top left corner holds every entry that may meet the
      // box, already in list order; the entries placed nowhere are merged in.
      const size_t c = static_cast<size_t>(corner);
      // Most cells are empty; their bits are far fewer to keep at hand than the
      // cells' starts.
      if (m_Always.empty() && !(m_Occupied[c / 64] >> (c % 64) & 1)) return;
      const uint32_t* begin = m_CellItems.data() + m_CellStart[c];
      const uint32_t* end = m_CellItems.data() + m_CellStart[c + 1];
      if (from > 0) begin = std::lower_bound(begin, end, from);
      if (m_Always.empty()) {
        out.assign(begin, end);
      } else {
        const auto always = std::lower_bound(m_Always.begin(), m_Always.end(), from);
        std::merge(begin, end, always, m_Always.end(), std::back_inserter(out));
      }
      return;
    }
  }
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  if (m_bAll || !Cells(r, x0, y0, x1, y1) ||
      static_cast<long long>(x1 - x0 + 1) * static_cast<long long>(y1 - y0 + 1) > kMostCells) {
    for (uint32_t i = from; i < m_nCount; ++i) out.push_back(i);
    return;
  }
  if (++m_nQuery == 0) {
    std::fill(m_Stamp.begin(), m_Stamp.end(), 0);
    m_nQuery = 1;
  }
  auto take = [&](uint32_t i) {
    if (i < from || m_Stamp[i] == m_nQuery) return;
    m_Stamp[i] = m_nQuery;
    out.push_back(i);
  };
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      const size_t c = static_cast<size_t>(y) * static_cast<size_t>(m_Shape.nColumns) + static_cast<size_t>(x);
      for (uint32_t k = m_CellStart[c]; k < m_CellStart[c + 1]; ++k) take(m_CellItems[k]);
    }
  for (uint32_t i : m_Always) take(i);
  if (out.size() > 1) std::sort(out.begin(), out.end());
}

bool cContactGrid::NothingAt(long long corner, const cContactShape& shape) const {
  if (m_bAll || corner < 0 || !m_Always.empty() || !m_Shape.Same(shape)) return false;
  const size_t c = static_cast<size_t>(corner);
  return !(m_Occupied[c / 64] >> (c % 64) & 1);
}
