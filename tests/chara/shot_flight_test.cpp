// Shots in play: launch facing, lifetime and flight distance in updates, a size of
// 0, the aimed-at list kept in step when the target goes, a firing into the
// stage's lists.
#include <gtest/gtest.h>

#include "chara/firing.h"
#include "chara/flow_run.h"
#include "chara/shot.h"
#include "data/command.h"
#include "data/shot_def.h"
#include "tests/chara/play_field.h"

namespace {

class ShotFlight : public PlayField {
 protected:
  void SetUp() override {
    PlayField::SetUp();
    StageData.SetHitLevel(1);
    m_Owner.m_nFacing = 1;
    Place(m_Owner, 600, 600);
  }
  // Updates until the shot ends (at most 1000): how many it took.
  static int UpdatesToEnd(cShot& s) {
    for (int i = 1; i <= 1000; ++i)
      if (s.Update()) return i;
    return -1;
  }
  cStageChara m_Owner;
};

cLaunchValues Values(double vx, double vy, int distance = 0, int lifetime = 0) {
  cLaunchValues lv;
  lv.dVelX = vx;
  lv.dVelY = vy;
  lv.dSpeed = std::abs(vx) + std::abs(vy);
  lv.nX = 600;
  lv.nY = 600;
  lv.nDistance = distance;
  lv.nLifetime = lifetime;
  return lv;
}

}  // namespace

TEST_F(ShotFlight, FacingLifetimeAndRange) {
  cEdShot def;
  cShot still;
  still.Launch(1, m_Owner, 11, def, Values(0, 0));
  EXPECT_EQ(still.m_nFacing, 1);  // the owner's
  cShot left;
  left.Launch(2, m_Owner, 11, def, Values(-2, 0));
  EXPECT_EQ(left.m_nFacing, 0);

  // Lifetime 1 (a tenth) at N = 1: six updates, the seventh ends it.
  cEdShot timed;
  timed.bLifetime = 1;
  cShot t;
  t.Launch(3, m_Owner, 11, timed, Values(1, 0, 0, 1));
  EXPECT_EQ(UpdatesToEnd(t), 7);

  // Range 2 hbl, 16 wide, 8 dots a frame: 2 flight steps, ends on the third.
  cEdShot ranged;
  ranged.bRange = 1;
  cShot r;
  r.Launch(4, m_Owner, 11, ranged, Values(8, 0, 2));
  EXPECT_EQ(r.m_nFlightSteps, 2);
  EXPECT_EQ(UpdatesToEnd(r), 3);
  // Kept after its range: it stops and stays.
  ranged.bKeepAfterRange = 1;
  cShot k;
  k.Launch(5, m_Owner, 11, ranged, Values(8, 0, 2));
  EXPECT_EQ(UpdatesToEnd(k), -1);
  EXPECT_EQ(k.m_dFlightX, 0);
  // Distance 0, faster than its width: it stands for a frame and then ends.
  ranged.bKeepAfterRange = 0;
  cShot z;
  z.Launch(6, m_Owner, 11, ranged, Values(20, 0, 0));
  EXPECT_EQ(z.m_dFlightX, 0);
  EXPECT_EQ(UpdatesToEnd(z), 2);
}

TEST_F(ShotFlight, SizeZeroLaunchesAtOneAndTheDefinitionKeepsIt) {
  cEdShot def;
  def.nSize = 0;
  cShot s;
  s.Launch(1, m_Owner, 11, def, Values(1, 0));
  EXPECT_EQ(def.nSize, 1);
  EXPECT_EQ(s.m_nWidth, 16);
}

TEST_F(ShotFlight, AimingShotsLoseTheirTargetWithIt) {
  auto target = std::make_unique<cStageChara>();
  Place(*target, 800, 600);
  m_Owner.SetTarget(target.get());
  cEdShot def;
  def.nCount = 3;
  def.nSpeed = 20;
  def.nMoveType = 6;
  cCommandRun run;
  cEdCommand command;
  command.nType = 11;
  run.pCommand = &command;
  FireShots(&m_Scene->m_Shots, m_Owner, &run, def);
  ASSERT_EQ(m_Scene->m_Shots.size(), 3u);
  EXPECT_EQ(m_Scene->m_ShotGroups.At(m_Owner.m_Def.nPassValue).size(), 3u);
  EXPECT_EQ(target->m_ShotsAiming.Count(), 3);
  for (const cShot& s : m_Scene->m_Shots) EXPECT_EQ(s.m_pTarget, target.get());
  m_Owner.SetTarget(nullptr);
  target.reset();
  for (cShot& s : m_Scene->m_Shots) {
    EXPECT_EQ(s.m_pTarget, nullptr);
    s.Update();  // homing on a target that is gone steers nowhere
  }
  // Other movement types never keep the target.
  m_Scene->m_Shots.clear();
  for (auto& g : m_Scene->m_ShotGroups) g.clear();
  def.nMoveType = 1;
  FireShots(&m_Scene->m_Shots, m_Owner, &run, def);
  for (const cShot& s : m_Scene->m_Shots) EXPECT_EQ(s.m_pTarget, nullptr);
  m_Scene->m_Shots.clear();
  for (auto& g : m_Scene->m_ShotGroups) g.clear();
}
