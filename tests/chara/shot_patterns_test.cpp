// The firing patterns against values worked by hand: a 32x32 firer at screen
// (200, 100), its 32x32 target at (400, 300), the view at (0, 0), 16-dot shots
// at 3 dots per frame.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "chara/shot_patterns.h"
#include "data/shot_def.h"

namespace {

const double K = 1.0 / std::sqrt(2.0);

cPatternRect Rect(int left, int top, int w, int h) {
  cPatternRect r;
  r.nLeft = left;
  r.nTop = top;
  r.nRight = left + w - 1;
  r.nBottom = top + h - 1;
  r.nDrawWidth = w;
  r.nDrawHeight = h;
  return r;
}

cFiringView View(int facing, bool target = true) {
  cFiringView v;
  v.Firer = Rect(200, 100, 32, 32);
  v.nFacing = facing;
  v.bHasTarget = target;
  v.Target = Rect(400, 300, 32, 32);
  v.bHasPlayer = 1;
  v.Player = Rect(50, 50, 32, 32);
  return v;
}

cEdShot Def(int pattern, int direction, int count, int param1) {
  cEdShot d;
  d.nFormation = static_cast<int8_t>(pattern);
  d.nShotDirection = static_cast<int8_t>(direction);
  d.nCount = static_cast<int8_t>(count);
  d.nFormationParam[0] = static_cast<int16_t>(param1);
  d.bMirrorAngle = 0;
  d.nSpeed = 30;
  return d;
}

std::vector<cLaunchValues> Fire(const cFiringView& v, const cEdShot& d) {
  std::vector<cLaunchValues> out;
  FireShotPasses(v, d, [](void* user, const cLaunchValues& lv) {
    static_cast<std::vector<cLaunchValues>*>(user)->push_back(lv);
  }, &out);
  return out;
}

double Mod360(double a) {
  a = std::fmod(a, 360.0);
  return a < 0 ? a + 360 : a;
}

struct cCase {
  const char* name;
  int pattern, direction, count, param1, facing;
  std::vector<std::pair<int, int>> places;
  double vx, vy;  // of the first object
};

}  // namespace

TEST(ShotPatterns, GeometryByPatternAndDirection) {
  const std::vector<cCase> cases = {
      // Straight A beside the firer, centred on its centre line (CY = 116).
      {"A right", 0, 3, 3, 1, 1, {{232, 76}, {232, 108}, {232, 140}}, 3, 0},
      {"A left", 0, 2, 3, 1, 0, {{185, 76}, {185, 108}, {185, 140}}, -3, 0},
      {"A up", 0, 6, 3, 1, 0, {{176, 84}, {208, 84}, {240, 84}}, 0, -3},
      {"A down", 0, 7, 3, 1, 0, {{176, 132}, {208, 132}, {240, 132}}, 0, 3},
      // Diagonal anchors: AL = 191, AU = 91, DX = DY = 2K x 16; steps of 22.
      {"A up-left single", 0, 8, 1, 1, 0, {{191, 91}}, -K * 3, -K * 3},
      {"A up-left", 0, 8, 3, 1, 0, {{168, 113}, {190, 91}, {212, 69}}, -K * 3, -K * 3},
      {"A down-right single", 0, 11, 1, 1, 0, {{224, 124}}, K * 3, K * 3},
      // Straight B stands on the firer's feet (bottom 131) and grows upward.
      {"B up facing left", 1, 6, 3, 1, 0, {{185, 116}, {185, 84}, {185, 52}}, 0, -3},
      {"B up facing right", 1, 6, 2, 0, 1, {{232, 116}, {232, 100}}, 0, -3},
      {"B right", 1, 3, 1, 0, 0, {{232, 116}}, 3, 0},
      // Spread from one point.
      {"spread left", 2, 2, 1, 30, 0, {{185, 108}}, -3, 0},
      {"spread up", 2, 6, 1, 30, 0, {{208, 84}}, 0, -3},
      {"spread down", 2, 7, 1, 30, 0, {{208, 132}}, 0, 3},
      // Front-Y: up facing left, down facing right.
      {"front-Y left", 0, 4, 1, 0, 0, {{208, 84}}, 0, -3},
      {"front-Y right", 0, 4, 1, 0, 1, {{208, 132}}, 0, 3},
      // Explosion from the firer's centre.
      {"explosion", 4, 2, 4, 0, 0, {{208, 108}, {208, 108}, {208, 108}, {208, 108}}, -3, 0},
      // Surround the target (centre 416, 316), R = 96: the +0.5 truncates toward
      // zero, so the left and upper objects sit 95 dots out.
      {"surround", 5, 2, 4, 6, 0, {{504, 308}, {408, 404}, {313, 308}, {408, 213}}, -3, 0},
  };
  for (const cCase& c : cases) {
    SCOPED_TRACE(c.name);
    const auto got = Fire(View(c.facing), Def(c.pattern, c.direction, c.count, c.param1));
    ASSERT_EQ(got.size(), c.places.size());
    for (size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].nX, c.places[i].first) << "object " << i;
      EXPECT_EQ(got[i].nY, c.places[i].second) << "object " << i;
    }
    EXPECT_NEAR(got[0].dVelX, c.vx, 1e-9);
    EXPECT_NEAR(got[0].dVelY, c.vy, 1e-9);
  }
}

TEST(ShotPatterns, FanAndRingAngles) {
  auto angles = [](const std::vector<cLaunchValues>& got) {
    std::vector<double> a;
    for (const auto& lv : got) a.push_back(Mod360(lv.dFlightAngle));
    return a;
  };
  EXPECT_EQ(angles(Fire(View(0), Def(2, 2, 4, 30))), (std::vector<double>{315, 345, 15, 45}));
  EXPECT_EQ(angles(Fire(View(0), Def(2, 2, 3, 30))), (std::vector<double>{330, 0, 30}));
  // Explosion from base angle 0: left, up, right, down.
  EXPECT_EQ(angles(Fire(View(0), Def(4, 2, 4, 0))), (std::vector<double>{0, 90, 180, 270}));
  // The surround flies inward: the object right of the centre flies left.
  const auto ring = Fire(View(0), Def(5, 2, 4, 6));
  EXPECT_NEAR(ring[0].dVelX, -3, 1e-12);
  EXPECT_NEAR(ring[1].dVelY, -3, 1e-12);
}

TEST(ShotPatterns, LightningRowsAndPacking) {
  cEdShot d = Def(3, 2, 1, 0);
  d.nFormationParam[1] = 2;  // rows
  d.nFormationParam[2] = 2;  // 32 dots apart
  const auto rows = Fire(View(0), d);
  ASSERT_EQ(rows.size(), 2u);
  // From the view's right edge, 16 above and below the target's centre line.
  EXPECT_EQ(rows[0].nX, 624);
  EXPECT_EQ(rows[0].nY, 292);
  EXPECT_EQ(rows[1].nX, 624);
  EXPECT_EQ(rows[1].nY, 324);
  // Packing leaves no interval between the objects.
  cEdShot p = Def(3, 3, 3, 1);
  p.nFormationParam[1] = 1;
  cFiringView v = View(0);
  EXPECT_EQ(Fire(v, p)[1].nX - Fire(v, p)[0].nX, 32);
  v.bPacking = 1;
  EXPECT_EQ(Fire(v, p)[1].nX - Fire(v, p)[0].nX, 16);
  // Without its centre object nothing comes.
  EXPECT_TRUE(Fire(View(0, false), d).empty());
  cEdShot ring = Def(5, 2, 4, 6);
  EXPECT_TRUE(Fire(View(0, false), ring).empty());
  // The player as the centre is there even without a target.
  d.nFormationTarget = 1;
  EXPECT_EQ(Fire(View(0, false), d).size(), 2u);
  // Rows from a damaged definition are bounded.
  d.nFormationParam[1] = 30000;
  EXPECT_EQ(Fire(View(0), d).size(), static_cast<size_t>(kMaxLightningRows));
}

TEST(ShotPatterns, AnglesMirrorsAndAim) {
  // Mirrored offset 30 facing right: 330 on base 180 flies at 150, up and right.
  cEdShot d = Def(0, 0, 1, 0);
  d.bMirrorAngle = 1;
  d.nAngleOffset = 30;
  auto right = Fire(View(1), d);
  EXPECT_NEAR(Mod360(right[0].dFlightAngle), 150, 1e-9);
  EXPECT_GT(right[0].dVelX, 0);
  EXPECT_LT(right[0].dVelY, 0);
  auto left = Fire(View(0), d);
  EXPECT_NEAR(Mod360(left[0].dFlightAngle), 30, 1e-9);
  EXPECT_LT(left[0].dVelX, 0);
  EXPECT_LT(left[0].dVelY, 0);
  // Aim without a target: along the facing.
  cEdShot aim = Def(0, 0, 1, 0);
  aim.bAim = 1;
  EXPECT_NEAR(Fire(View(1, false), aim)[0].dVelX, 3, 1e-9);
  EXPECT_NEAR(Fire(View(0, false), aim)[0].dVelX, -3, 1e-9);
  // Aim at the target from the spread's point (232, 108): toward (416, 316).
  cEdShot spread = Def(2, 3, 1, 30);
  spread.bAim = 1;
  EXPECT_EQ(Mod360(Fire(View(1), spread)[0].dFlightAngle), 229);
}

TEST(ShotPatterns, ClonePassesAndBadDefinitions) {
  cEdShot d = Def(0, 2, 1, 0);
  d.nClonesPerShot = 2;
  d.nSpeedClone = 5;
  d.nRange = 4;
  d.nRangeClone = 1;
  d.nLifetime = 10;
  d.nLifetimeClone = 2;
  d.nOffsetX = 3;
  d.nOffsetXClone = 2;
  const auto got = Fire(View(0), d);
  ASSERT_EQ(got.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(got[i].nClone, i);
    EXPECT_DOUBLE_EQ(got[i].dSpeed, 3.0 + 0.5 * i);
    EXPECT_EQ(got[i].nDistance, 4 + i);
    EXPECT_EQ(got[i].nLifetime, 10 + 2 * i);
    EXPECT_EQ(got[i].nX, 185 + 3 + 2 * i);
  }
  // The x offset is mirrored for a firer facing right.
  d.nShotDirection = 3;
  EXPECT_EQ(Fire(View(1), d)[1].nX, 232 - 5);
  for (int bad : {0, -1}) {
    cEdShot b = Def(0, 2, bad, 0);
    EXPECT_TRUE(Fire(View(0), b).empty());
  }
  cEdShot neg = Def(0, 2, 3, 0);
  neg.nClonesPerShot = -1;
  EXPECT_TRUE(Fire(View(0), neg).empty());
  for (int pattern : {6, 127, -1}) EXPECT_TRUE(Fire(View(0), Def(pattern, 2, 3, 0)).empty());
  // A size of 0 fires 16-dot objects.
  cEdShot zero = Def(0, 3, 1, 0);
  zero.nSize = 0;
  EXPECT_EQ(Fire(View(0), zero)[0].nWidth, 16);
}
