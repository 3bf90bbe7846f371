// The contact grid: over random boxes (with boxes the wrong way round, boxes over
// the whole stage, far away, not finite) every query finds each box that meets
// its own under either rectangle test, in ascending order, from the asked index.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "stage/contact_grid.h"

namespace {

// The two tests of the contact passes: hit boxes (nothing meets a box that is not
// a number) and object rectangles (such a rectangle meets everything).
bool BoxesMeet(const cContactRect& a, const cContactRect& b) {
  return a.dLeft <= b.dRight && a.dRight >= b.dLeft && a.dTop <= b.dBottom && a.dBottom >= b.dTop;
}
bool RectsMeet(const cContactRect& a, const cContactRect& b) {
  return !(a.dLeft > b.dRight || a.dRight < b.dLeft || a.dTop > b.dBottom || a.dBottom < b.dTop);
}

cContactRect RandomRect(std::mt19937& rng, bool odd) {
  auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const double x = pick(0, 2000) + 0.5 * pick(0, 1), y = pick(0, 1000);
  cContactRect r{x, y, x + pick(0, 80), y + pick(0, 80)};
  if (!odd) return r;
  switch (pick(0, 5)) {
    case 0: std::swap(r.dLeft, r.dRight); break;                        // the wrong way round
    case 1: r.dLeft = -5000, r.dRight = 9000; break;                      // over everything
    case 2: r.dLeft += 1e12, r.dRight += 1e12; break;                     // far away
    case 3: r.dTop = std::numeric_limits<double>::quiet_NaN(); break;     // not a number
    case 4: r.dRight = std::numeric_limits<double>::infinity(); break;    // endless
    default: r.dLeft = r.dRight = x; break;                               // one dot wide
  }
  return r;
}

TEST(ContactGrid, QueriesFindEveryMeetingBoxInOrder) {
  size_t found = 0, walked = 0, possible = 0;
  for (unsigned seed = 1; seed <= 300; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    const bool odd = seed % 3 == 0;
    const int n = std::uniform_int_distribution<int>(0, 80)(rng);
    std::vector<cContactRect> rects;
    for (int i = 0; i < n; ++i) rects.push_back(RandomRect(rng, odd && i % 4 == 0));
    cContactGrid grid;
    grid.Build(rects);
    std::vector<uint32_t> out;
    for (int q = 0; q < 30; ++q) {
      const cContactRect box = RandomRect(rng, odd && q % 5 == 0);
      const uint32_t from = std::uniform_int_distribution<uint32_t>(0, static_cast<uint32_t>(n))(rng);
      grid.Query(box, from, out);
      ASSERT_TRUE(std::is_sorted(out.begin(), out.end()));
      ASSERT_EQ(std::adjacent_find(out.begin(), out.end()), out.end());
      for (uint32_t i : out) ASSERT_TRUE(i >= from && i < static_cast<uint32_t>(n)) << i;
      for (uint32_t i = from; i < static_cast<uint32_t>(n); ++i) {
        if (BoxesMeet(rects[i], box) || RectsMeet(rects[i], box)) {
          EXPECT_TRUE(std::binary_search(out.begin(), out.end(), i)) << "entry " << i << " query " << q;
        }
      }
      if (!odd) {
        found += out.size();
        possible += static_cast<size_t>(n) - from;
      }
      walked += out.size();
    }
  }
  // On plain boxes the grid leaves out most of the list.
  EXPECT_LT(found * 5, possible);
  EXPECT_GT(walked, 0u);
}

TEST(ContactGrid, ThePlainReferenceWalksEveryEntry) {
  std::vector<cContactRect> rects(20, cContactRect{0, 0, 10, 10});
  rects[3] = {5000, 5000, 5010, 5010};
  std::vector<uint32_t> out;
  SetContactBroadPhase(false);
  cContactGrid grid;
  grid.Build(rects);
  grid.Query({5000, 5000, 5001, 5001}, 2, out);
  SetContactBroadPhase(true);
  EXPECT_EQ(out.size(), 18u);
  grid.Build(rects);
  grid.Query({5000, 5000, 5001, 5001}, 2, out);
  EXPECT_EQ(out, std::vector<uint32_t>{3});
}

// Boxes that only touch, at fractional places, edge against edge: a query box up
// to the size of a cell looks in one cell only, and must still find each of them.
TEST(ContactGrid, BoxesThatOnlyTouchAreFoundWhateverTheQuerySize) {
  std::vector<cContactRect> rects;
  for (int row = 0; row < 12; ++row)
    for (int column = 0; column < 12; ++column) {
      const double x = column * 97.3 + 0.1, y = row * 71.9 + 0.7;
      rects.push_back({x, y, x + 40.6, y + 40.6});
    }
  cContactGrid grid;
  grid.Build(rects);
  std::vector<uint32_t> out;
  for (double w : {0.0, 1.0, 20.3, 40.0, 41.6, 43.0, 60.0, 90.0}) {
    for (uint32_t i = 0; i < rects.size(); i += 7) {
      const cContactRect& e = rects[i];
      // Touching its right, left, bottom and top edges, and a corner.
      const cContactRect queries[] = {{e.dRight, e.dTop, e.dRight + w, e.dTop + w},
                                      {e.dLeft - w, e.dBottom - w, e.dLeft, e.dBottom},
                                      {e.dLeft, e.dBottom, e.dLeft + w, e.dBottom + w},
                                      {e.dRight - w, e.dTop - w, e.dRight, e.dTop},
                                      {e.dLeft - w, e.dTop - w, e.dLeft, e.dTop}};
      for (const cContactRect& q : queries) {
        grid.Query(q, 0, out);
        EXPECT_TRUE(std::binary_search(out.begin(), out.end(), i)) << "entry " << i << " size " << w;
      }
    }
  }
}

// Grids built on one shape answer for a box from its corner cell alone; a grid of
// another shape never does, and a cell said to hold nothing is one whose query
// finds nothing.
TEST(ContactGrid, GridsOnOneShapeAgreeOnTheCellOfABox) {
  std::mt19937 rng(7);
  std::vector<cContactRect> a, b, all;
  for (int i = 0; i < 60; ++i) a.push_back(RandomRect(rng, false));
  for (int i = 0; i < 40; ++i) b.push_back(RandomRect(rng, false));
  all = a;
  all.insert(all.end(), b.begin(), b.end());
  const cContactShape shape = cContactShape::For(all);
  cContactGrid onShape[2], own;
  onShape[0].Build(a, &shape);
  onShape[1].Build(b, &shape);
  own.Build(b);
  ASSERT_FALSE(cContactShape::For(b).Same(shape));
  std::vector<uint32_t> out;
  int nothing = 0;
  for (int q = 0; q < 400; ++q) {
    const cContactRect box = RandomRect(rng, q % 7 == 0);
    const long long corner = shape.Corner(box);
    EXPECT_FALSE(own.NothingAt(corner, shape));
    for (cContactGrid& grid : onShape) {
      if (!grid.NothingAt(corner, shape)) continue;
      ++nothing;
      grid.Query(box, 0, out);
      EXPECT_TRUE(out.empty()) << "query " << q;
    }
  }
  EXPECT_GT(nothing, 100);
}

}  // namespace
