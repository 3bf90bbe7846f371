// The stage commands on a live scene: the stage clear's next part, path, world-map
// place and start position; the target search with its fallbacks; the second
// status operation on characters and the system; vanish of characters and shots
// in view or everywhere; and value lists shorter than a command needs.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "chara/command_handlers.h"
#include "chara/shot.h"
#include "data/command.h"
#include "data/user_records.h"
#include "data/world_map.h"
#include "tests/chara/play_field.h"

namespace {

cEdCommand Command(int type, std::vector<int> values, const std::string& text = "") {
  cEdCommand c;
  c.nType = static_cast<uint8_t>(type);
  c.Values.assign(values.begin(), values.end());
  c.strText = text;
  return c;
}

class StageCommands : public PlayField {
 protected:
  void SetUp() override {
    PlayField::SetUp();
    m_Player = &Player.emplace_back();
    m_Player->m_nKind = 0;
    m_Player->m_nId = 1;
    Place(*m_Player, 500, 500);
  }
  void TearDown() override {
    m_Scene->m_Shots.clear();
    PlayField::TearDown();
  }
  cStageChara& Chara(int force, double x, double y) {
    cStageChara& c = StageChara.emplace_back();
    c.m_nKind = 1;
    c.m_nId = 100 + static_cast<int>(StageChara.size());
    c.m_nPass = force;
    c.m_bActive = 1;
    Place(c, x, y);
    m_Scene->m_CharaGroups.At(force).push_back(&c);
    return c;
  }
  cShot& Shot(int force, double x, double y) {
    cShot& s = m_Scene->m_Shots.emplace_back();
    s.m_nPass = force;
    s.m_bActive = 1;
    Place(s, x, y, 16, 16);
    m_Scene->m_ShotGroups.At(force).push_back(&s);
    return s;
  }
  static void Target(cChara& actor, std::vector<int> values) {
    cEdCommand c = Command(21, std::move(values));
    ExecSetTarget(actor, c);
  }
  cPlayer* m_Player = nullptr;
};

TEST_F(StageCommands, StageClearChoosesTheNextPartAndKeepsTheMapPlaceOnTheMap) {
  SaveData.nPart = 3;
  WorldMap.nWidth = 20;
  WorldMap.nHeight = 15;
  cEdCommand next = Command(17, {0, 0, 1, 99, -5, 1, 4, 6, 2});
  m_Player->m_nFacing = 1;
  EXPECT_EQ(ExecStageClear(*m_Player, next), 1);
  EXPECT_EQ(m_Scene->m_nNextPart, 4);
  EXPECT_EQ(SaveData.nMapX, 19);  // the last column
  EXPECT_EQ(SaveData.nMapY, 0);
  EXPECT_EQ(SaveData.bStartPos, 1);
  EXPECT_EQ(SaveData.nStartX, 4);
  EXPECT_EQ(SaveData.nStartY, 6);
  EXPECT_EQ(SaveData.nStartDir, 1);  // the player's facing now

  cEdCommand byNumber = Command(17, {1, 7, 0, 0, 0, 0, 0, 0, 0});
  ExecStageClear(*m_Player, byNumber);
  EXPECT_EQ(m_Scene->m_nNextPart, 7);
  EXPECT_EQ(SaveData.bStartPos, 0);

  cEdCommand byPath = Command(17, {2, 0, 0, 0, 0, 0, 0, 0, 0}, "data\\stg4\\next.stg4");
  ExecStageClear(*m_Player, byPath);
  EXPECT_EQ(byPath.strText, "data\\stg4\\next.");
  EXPECT_EQ(m_Scene->m_strNextStage, "data\\stg4\\next.");
  EXPECT_EQ(m_Scene->m_nNextPart, 3);

  cEdCommand worldClear = Command(17, {3, 0, 0, 0, 0, 0, 0, 0, 0});
  ExecStageClear(*m_Player, worldClear);
  EXPECT_EQ(m_Scene->m_nNextPart, 0);
  EXPECT_TRUE(m_Scene->m_strNextStage.empty());
}

TEST_F(StageCommands, TheTargetSearchKeepsOrDropsTheTargetWhenNobodyIsFound) {
  cStageChara& actor = Chara(1, 500, 500);
  // The player; then the nearest of the empty force 2: kept, then dropped.
  Target(actor, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(actor.m_pTarget, m_Player);
  Target(actor, {2, 2, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1});
  EXPECT_EQ(actor.m_pTarget, m_Player);
  Target(actor, {2, 2, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(actor.m_pTarget, nullptr);
  // Found in any force, the actor itself excluded.
  cStageChara& other = Chara(3, 600, 500);
  Target(actor, {3, 0, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(actor.m_pTarget, &other);
  ASSERT_EQ(other.m_TargetedBy.Count(), 1);
  EXPECT_EQ(other.m_TargetedBy[0], &actor);
}

TEST_F(StageCommands, TheSecondStatusOperationOnCharactersAndTheSystem) {
  cStageChara& actor = Chara(1, 500, 500);
  cStageChara& target = Chara(2, 520, 500);
  actor.m_pTarget = nullptr;
  actor.SetTarget(&target);
  StageData.nAutoScrollSpeedX = 20;
  cEdCommand scrollOn = Command(23, {2, 0, 1});
  ExecStatusOperation2(actor, scrollOn);
  EXPECT_EQ(StageData.bAutoScrollX, 1);
  EXPECT_EQ(m_Scene->m_ScrollX.m_bAuto, 1);
  EXPECT_DOUBLE_EQ(m_Scene->m_ScrollX.m_dAutoSpeed, 20 * 0.1 / StageData.Timing().dSteps);  // the stage's own speed
  cEdCommand scrollOff = Command(23, {2, 0, 0});
  ExecStatusOperation2(actor, scrollOff);
  EXPECT_EQ(m_Scene->m_ScrollX.m_bAuto, 0);

  cEdCommand fly = Command(23, {0, 3, 1});
  const int8_t flight = actor.m_Def.nFlight;
  ExecStatusOperation2(actor, fly);
  EXPECT_EQ(actor.m_Def.nFlight, flight);  // only the player flies by this
  cEdCommand giant = Command(23, {0, 5, 40});
  ExecStatusOperation2(actor, giant);
  EXPECT_EQ(actor.m_Def.nGiant, 10);
  cEdCommand vanishTarget = Command(23, {1, 0, 0});
  m_Scene->m_bStatusDeath = 0;
  ExecStatusOperation2(actor, vanishTarget);
  EXPECT_EQ(target.m_bVanish, 1);
  EXPECT_EQ(m_Scene->m_bStatusDeath, 1);
  actor.SetTarget(nullptr);
  ExecStatusOperation2(actor, vanishTarget);  // no target: nothing
  EXPECT_EQ(actor.m_bVanish, 0);
}

TEST_F(StageCommands, VanishTakesWhatIsInViewOrEverything) {
  cStageChara& actor = Chara(1, 500, 500);
  cStageChara& near = Chara(2, 600, 500);
  cStageChara& far = Chara(2, 1400, 500);  // the view is 400..1039
  cEdCommand inView = Command(24, {0, 2, 0});
  ExecVanish(actor, inView);
  EXPECT_EQ(near.m_bVanish, 1);
  EXPECT_EQ(far.m_bVanish, 0);
  cEdCommand everywhere = Command(24, {0, 2, 1});
  ExecVanish(actor, everywhere);
  EXPECT_EQ(far.m_bVanish, 1);

  Shot(3, 600, 500);
  cShot& away = Shot(3, 1500, 500);
  cEdCommand shotsInView = Command(24, {1, 3, 0});
  ExecVanish(actor, shotsInView);
  ASSERT_EQ(m_Scene->m_Shots.size(), 1u);
  EXPECT_EQ(&m_Scene->m_Shots.front(), &away);
  EXPECT_EQ(m_Scene->m_ShotGroups.At(3).size(), 1u);
}

// A death or item flow started by the shot pass may vanish shots of the very
// list the pass stands in: they are only marked, and leave the lists after it.
TEST_F(StageCommands, VanishDuringTheShotPassMarksShotsAndTheSweepTakesThem) {
  cStageChara& actor = Chara(1, 500, 500);
  cShot& a = Shot(3, 600, 500);
  cShot& b = Shot(3, 620, 500);
  std::list<cShot*>& group = m_Scene->m_ShotGroups.At(3);
  const auto walking = group.begin();
  m_Scene->m_bWalkingShots = 1;
  cEdCommand shotsInView = Command(24, {1, 3, 0});
  ExecVanish(actor, shotsInView);
  EXPECT_EQ(*walking, &a);  // the node the pass stands on is still there
  EXPECT_EQ(a.m_bSpent, 1);
  EXPECT_EQ(b.m_bSpent, 1);
  EXPECT_EQ(m_Scene->m_Shots.size(), 2u);
  m_Scene->m_bWalkingShots = 0;
  m_Scene->DropSpentShotsFromGroups();
  m_Scene->SweepSpentShots();
  EXPECT_TRUE(group.empty());
  EXPECT_TRUE(m_Scene->m_Shots.empty());
}

TEST_F(StageCommands, ValueListsShorterThanTheCommandNeedsReadZero) {
  cStageChara& actor = Chara(1, 500, 500);
  cEdCommand tooShort = Command(23, {1});
  EXPECT_NO_FATAL_FAILURE(ExecStatusOperation2(actor, tooShort));
  cEdCommand empty = Command(24, {});
  EXPECT_NO_FATAL_FAILURE(ExecVanish(actor, empty));
  cEdCommand shortClear = Command(17, {});
  EXPECT_EQ(ExecStageClear(actor, shortClear), 1);
  cEdCommand shortTarget = Command(21, {2});
  EXPECT_NO_FATAL_FAILURE(ExecSetTarget(actor, shortTarget));
}

}  // namespace
