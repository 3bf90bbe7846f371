// The character searches over a force's list of characters: what they read of a
// character, null entries, and the shots' search with the stage's in-view-only
// switch.
#include <gtest/gtest.h>

#include <list>

#include "chara/chara_search.h"
#include "chara/shot.h"
#include "chara/stage_chara.h"
#include "data/project_globals.h"

namespace {

// A character whose screen rectangle puts its centre at (cx, cy).
void At(cChara& c, int cx, int cy, int id) {
  c.m_nDrawWidth = 32;
  c.m_nDrawHeight = 48;
  c.m_nScreenLeft = cx - 16;
  c.m_nScreenTop = cy - 24;
  c.m_bActive = 1;
  c.m_bInView = 1;
  c.m_nId = id;
}

TEST(CharaSearch, ReadsTheCharactersOwnMembers) {
  cStageChara a, b, c;
  At(a, 100, 100, 1);
  At(b, 130, 100, 2);
  At(c, 200, 100, 3);
  b.m_Def.cid = static_cast<int8_t>(200);  // a byte: ID 200, not -56
  b.m_Def.nInvincible = 1;
  c.m_Def.bFullCell = 1;
  c.m_Vars[4] = -12;
  const cSearchFacts f = SearchFactsOf(b);
  EXPECT_EQ(f.nCentreX, 130);
  EXPECT_EQ(f.nCentreY, 100);
  EXPECT_EQ(f.nCid, 200);
  std::list<cChara*> list = {nullptr, &a, &b, &c};
  EXPECT_EQ(FindNearestChara(131, 100, list, kSearchAll, {}), &b);
  EXPECT_EQ(FindNearestChara(131, 100, list, kSearchAll, {.bExcludeIdentity = 1, .nIdentity = 2}), &a);
  EXPECT_EQ(FindNearestChara(0, 0, list, kSearchAll, {.bById = 1, .nId = 200}), &b);
  EXPECT_EQ(FindNearestChara(0, 0, list, kSearchAll, {.bSkipInvincible1 = 1, .bSkipBlock = 1}), &a);
  EXPECT_EQ(FindFirstChara(list, {.bByVariable = 1, .nVariableIndex = 4, .nValue = 0, .nOperator = 5}), &c);
  EXPECT_EQ(FindFirstChara(list, {.bSkipBlock = 1}), &a);
  a.m_bDead = 1;
  EXPECT_EQ(FindFirstChara(list, {.bSkipBlock = 1}), &b);
  EXPECT_EQ(FindNearestChara(0, 0, {}, kSearchPreferInView, {}), nullptr);
  EXPECT_EQ(FindFirstChara({nullptr}, {}), nullptr);
}

TEST(CharaSearch, ShotsSearchFromTheirCentreWithTheInViewSwitch) {
  cStageChara near, far;
  At(near, 40, 40, 1);
  At(far, 300, 300, 2);
  near.m_bInView = 0;
  cShot shot;
  shot.m_nScreenLeft = 30;
  shot.m_nScreenTop = 30;
  shot.m_nDrawWidth = shot.m_nDrawHeight = 8;
  const std::list<cChara*> list = {&far, &near};
  StageData.bContactActiveOnly = 0;
  EXPECT_EQ(shot.FindNearestForShot(list), &far);  // those in view first
  far.m_Def.nInvincible = 2;
  EXPECT_EQ(shot.FindNearestForShot(list), &near);
  StageData.bContactActiveOnly = 1;
  EXPECT_EQ(shot.FindNearestForShot(list), nullptr);
  far.m_Def.nInvincible = 1;
  EXPECT_EQ(FindNearestForShotAt(0, 0, list), &far);
}

}  // namespace
