// Clamping, edge codes, view and range tests, moves and block corners of stage
// objects on a stage with fixed ranges.
#include <gtest/gtest.h>

#include <cmath>

#include "chara/bounds_rules.h"
#include "data/stage_parts.h"
#include "tests/chara/play_field.h"

namespace {

using Bounds = PlayField;

TEST_F(Bounds, ClampEdgeCodesByMode) {
  struct Case {
    bool vertical;
    int mode;
    double pos;
    double after;
    int code;
  } cases[] = {
      // Horizontal, an object 32 dots wide.
      {false, 2, -0.5, 0, 3}, {false, 2, 0, 0, 2},          // at the outer end; in the margin
      {false, 2, 1889, 1888, 3}, {false, 2, 1888, 1888, 2},  // right end; right margin
      {false, 2, 500, 500, 0}, {false, 2, 350, 350, 1},      // inside; outside the scroll range
      {false, 0, 968, 968, 0}, {false, 1, 968, 968, 0},      // right edge on the range's last dot
      {false, 2, 968, 968, 0},
      {false, 0, 969, 968, 0}, {false, 1, 969, 969, 1}, {false, 2, 969, 969, 1},  // one dot beyond
      {false, 0, 390, 400, 0}, {false, 1, 300, 320, 0}, {false, 1, 1590, 1568, 0},
      {false, 7, -5, -5, 0},                                  // another mode only refreshes
      // Vertical: top and bottom told apart.
      {true, 2, -1, 0, 3}, {true, 2, 1500, 1488, 6}, {true, 2, 100, 100, 2}, {true, 2, 1190, 1190, 5},
      {true, 2, 350, 350, 1}, {true, 2, 880, 880, 4}, {true, 2, 500, 500, 0},
      {true, 1, 350, 350, 1}, {true, 1, 880, 880, 4}, {true, 1, 100, 320, 0}, {true, 1, 1190, 1168, 0},
      {true, 0, 880, 868, 0}, {true, 0, 100, 400, 0},
      {false, 2, NAN, 0, 2}, {true, 2, INFINITY, 0, 2},      // never a position that is not a number
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.vertical ? "y" : "x") << " mode " << c.mode << " at " << c.pos);
    cStageChara o;
    Place(o, 500, 500);
    if (c.vertical) {
      o.m_dY = c.pos;
      EXPECT_EQ(o.ClampY(c.mode), c.code);
      EXPECT_EQ(o.m_dY, c.after);
      EXPECT_EQ(o.m_dBottom, c.after + 31);
      EXPECT_EQ(o.m_nTileTop, static_cast<int>(c.after) >> 5);
    } else {
      o.m_dX = c.pos;
      EXPECT_EQ(o.ClampX(c.mode), c.code);
      EXPECT_EQ(o.m_dX, c.after);
      EXPECT_EQ(o.m_dRight, c.after + 31);
      EXPECT_EQ(o.m_nTileRight, static_cast<int>(c.after + 31) >> 5);
    }
  }
}

TEST_F(Bounds, ViewAndAreaTests) {
  cObject o;
  Place(o, 369, 500);  // right edge on the view's left edge (400)
  EXPECT_TRUE(o.IsInView());
  Place(o, 368, 500);
  EXPECT_FALSE(o.IsInView());
  EXPECT_TRUE(o.IsInViewAxes(true, false));  // only the vertical pair
  EXPECT_FALSE(o.IsInViewAxes(false, true));
  EXPECT_TRUE(o.IsInViewAxes(true, true));
  Place(o, 1040, 500);  // x = S + 640
  EXPECT_FALSE(o.IsInView());
  Place(o, 1039, 879);  // x = S + 639, y = T + 479
  EXPECT_TRUE(o.IsInView());
  Place(o, 500, 880);
  EXPECT_FALSE(o.IsInView());

  Place(o, 320, 320);
  EXPECT_TRUE(o.IsInsideArea(false));
  Place(o, 319, 320);
  EXPECT_FALSE(o.IsInsideArea(false));
  EXPECT_TRUE(o.IsInsideArea(true));
  Place(o, 1888, 0);
  EXPECT_TRUE(o.IsInsideArea(true));
  Place(o, 1889, 0);
  EXPECT_FALSE(o.IsInsideArea(true));

  o.m_nDrawOffsetX = 4;
  o.m_nDrawOffsetY = 8;
  o.m_nDrawWidth = o.m_nDrawHeight = 40;
  Place(o, 500.7, 450.2);
  m_Scene->m_ScrollX.m_dPos = 400.9;  // the scroll position is truncated
  EXPECT_EQ(o.CalcScreenRect(), 42);
  EXPECT_EQ(o.m_nScreenLeft, 96);
  EXPECT_EQ(o.m_nScreenRight, 135);
  EXPECT_EQ(o.m_nScreenBottom, 81);
}

TEST_F(Bounds, OutOfRangeFollowsTheSwitchedSides) {
  const cEdQuadSet none;
  const cEdQuadSet left(1, 0, 0, 0, 2, 0, 0, 0);  // two blocks left of the view
  const cEdQuadSet right(0, 1, 0, 0, 0, 1, 0, 0);
  const cEdQuadSet bottom(0, 0, 0, 1, 0, 0, 0, 1);
  const cEdQuadSet top(0, 0, 1, 0, 0, 0, 1, 0);
  cObject o;
  Place(o, 1, 500);  // far left of the view, not at the stage's edge
  EXPECT_FALSE(o.IsOutOfRange(none));
  Place(o, 305, 500);  // right edge 336 <= 400 - 64
  EXPECT_TRUE(o.IsOutOfRange(left));
  Place(o, 306, 500);
  EXPECT_FALSE(o.IsOutOfRange(left));
  Place(o, 1072, 500);  // x >= 400 + 32 + 640
  EXPECT_TRUE(o.IsOutOfRange(right));
  Place(o, 1071, 500);
  EXPECT_FALSE(o.IsOutOfRange(right));
  Place(o, 500, 912);  // y >= 32 + 400 + 480
  EXPECT_TRUE(o.IsOutOfRange(bottom));
  Place(o, 500, 336);  // bottom 367 <= 400 - 32
  EXPECT_TRUE(o.IsOutOfRange(top));
  // The last dot of the outer limit is out of range whatever the flags...
  Place(o, 1888, 500);
  EXPECT_TRUE(o.IsOutOfRange(none));
  Place(o, 500, 0);
  EXPECT_TRUE(o.IsOutOfRange(none));
  // ...but an object in view never is, even at the stage's edge.
  m_Scene->m_ScrollX.m_dPos = 1280;
  Place(o, 1888, 500);
  EXPECT_FALSE(o.IsOutOfRange(none));
}

TEST_F(Bounds, MovesAreLimitedAndGravityAndFrictionApply) {
  cObject o;
  Place(o, 500, 500);
  o.m_dSpeedX = 100;  // level 15: 12 dots per step at most
  EXPECT_EQ(o.MoveXLimited(2), 0);
  EXPECT_EQ(o.m_dX, 512);
  EXPECT_EQ(o.m_dSpeedX, 12);
  o.m_dSpeedY = -INFINITY;
  o.MoveYLimited(2);
  EXPECT_EQ(o.m_dY, 488);
  o.m_dSpeedY = NAN;
  o.MoveYLimited(2);
  EXPECT_EQ(o.m_dY, 488);
  EXPECT_EQ(o.m_dSpeedY, 0);
  o.m_dSpeedX = -12;
  for (int i = 0; i < 100; ++i) o.MoveXLimited(2);
  EXPECT_EQ(o.m_dX, 0);  // held at the outer end

  o.m_dSpeedY = 0;
  o.AddGravity();
  EXPECT_DOUBLE_EQ(o.m_dSpeedY, 0.4 / 25);
  o.SetFlightOption(1);
  o.AddGravity();
  EXPECT_DOUBLE_EQ(o.m_dSpeedY, 0.4 / 25);

  o.m_dFriction = 0.5;
  double speed = 0.3;
  o.ApplyFriction(speed, 0);
  EXPECT_EQ(speed, 0.3);
  o.ApplyFriction(speed, 1);
  EXPECT_EQ(speed, 0.0);
  EXPECT_EQ(o.FacingSign(), -1);
}

TEST_F(Bounds, InitAndFlightOptions) {
  struct Case {
    int option;
    int flying;
    int contact;
  } cases[] = {{0, 0, kStopAtBlocks}, {1, 1, kPassBlocks}, {2, 1, kStopAtBlocks}, {3, 1, kDieAtBlocks},
               {5, 1, kDieAtBlocks}, {-1, 1, kDieAtBlocks}};
  cObject o;
  o.m_dSpeedX = o.m_dSpeedY = o.m_dMoveX = o.m_dMoveY = 3;
  for (const Case& c : cases) {
    o.Init(7, 1, 0, 2, 12, nullptr, 0, 4, 6, 24, 26, 32, 32, 1, c.option, 3);
    EXPECT_EQ(o.m_bFlying, c.flying) << c.option;
    EXPECT_EQ(o.m_nBlockContact, c.contact) << c.option;
  }
  EXPECT_EQ(o.m_nLifetime, INT32_MAX);
  EXPECT_EQ(o.m_nBaseWidth, 24);
  EXPECT_EQ(o.m_nBaseDrawOffsetY, 6);
  EXPECT_EQ(o.m_nClone, 3);
  EXPECT_EQ(o.m_dSpeedX + o.m_dSpeedY + o.m_dMoveX + o.m_dMoveY, 0);
  EXPECT_EQ(o.FacingSign(), 1);
}

TEST_F(Bounds, BlockCornersAskTheBlockForThePassValue) {
  m_Scene->m_ScrollX.m_nStrideShift = 6;  // 64 cells a row
  ResetBlockMap(64 * 64);
  cEdBlock solid;
  solid.nHitKind = 1;
  solid.nPassValue = 3;
  AddCellBlock(17 + (15 << 6), solid);
  cObject o;
  Place(o, 16 * 32 + 8, 14 * 32 + 8);  // covers cells 16..17 x 14..15
  o.m_nPass = 1;
  EXPECT_TRUE(o.HitsBlockCorners());
  o.m_nPass = 3;  // the block lets its pass value through
  EXPECT_FALSE(o.HitsBlockCorners());
  o.m_nPass = 1;
  Place(o, 15 * 32, 14 * 32 + 8);  // cells 15 x 14..15
  EXPECT_FALSE(o.HitsBlockCorners());
}

}  // namespace
