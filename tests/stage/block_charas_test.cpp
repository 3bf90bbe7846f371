// Block characters on fixture stages (their speeds set directly): riding a moving
// platform, a crush between a descending block and the floor, a push against a
// wall, the side list and the place test.
#include <algorithm>

#include "tests/stage/play_step_fixture.h"

namespace {

using Rows = std::vector<std::string>;

Rows Field(const std::string& row7, const std::string& row8) {
  Rows r(10, "");
  r[7] = row7;
  r[8] = row8;
  r[9] = std::string(30, '#');
  return r;
}

int DeathCode(const std::vector<std::string>& events) {
  for (const std::string& e : events) {
    const size_t at = e.find("\"ev\":\"dead\",\"id\":0,\"code\":");
    if (at != std::string::npos) return std::stoi(e.substr(at + 26));
  }
  return -1;
}

TEST_F(PlayStepTest, ARiderIsCarriedByItsPlatformEachStep) {
  // The player above a flying platform (block character) standing on nothing.
  cEdStage s = Stage(Field("....P", "....E")).Build();
  cEdChara& platform = PlacedAt(s, 4, 8);
  platform.bFullCell = 1;
  platform.nFlight = 2;
  Load(s);
  cPlayer& p = P();
  cStageChara& b = StageChara.front();
  Steps(10);
  ASSERT_TRUE(p.m_bRiding);
  EXPECT_EQ(p.m_nRiddenId, b.m_nId);
  EXPECT_EQ(p.m_dBottom, b.m_dY - 1);
  // Three dots right per step: the rider moves with it.
  for (int i = 0; i < 12; ++i) {
    b.m_dMoveX = 3;
    const double px = p.m_dX, bx = b.m_dX;
    Steps(1);
    if (i > 0) {
      EXPECT_EQ(p.m_dX - px, b.m_dX - bx) << i;
    }
  }
  EXPECT_TRUE(p.m_bRiding);
  // Rising, it lifts the rider too.
  for (int i = 0; i < 10; ++i) {
    b.m_dMoveX = 0;
    b.m_dMoveY = -1;
    Steps(1);
  }
  EXPECT_TRUE(p.m_bRiding);
  EXPECT_EQ(p.m_dBottom, b.m_dY - 1);
  EXPECT_FALSE(p.m_bDead);
}

TEST_F(PlayStepTest, ABlockCharacterDescendingOntoThePlayerCrushesItAgainstTheFloor) {
  Rows rows = Field("", "..P");
  rows[5] = "..E";
  cEdStage s = Stage(rows).Build();
  cEdChara& press = PlacedAt(s, 2, 5);
  press.bFullCell = 1;
  press.nFlight = 1;  // through blocks: nothing but the player stops it
  Load(s);
  cStageChara& b = StageChara.front();
  int end = 0;
  for (int i = 0; i < 200 && !end; ++i) {
    b.m_dMoveY = 1;
    end = Steps(1);
  }
  ASSERT_GT(end, 0);
  EXPECT_TRUE(P().m_bDead);
  EXPECT_EQ(DeathCode(Events()), 6);
}

TEST_F(PlayStepTest, ThePlayerPushedIntoAWallByABlockCharacterDies) {
  cEdStage s = Stage(Field("", "#.P...E")).Build();
  PlacedAt(s, 6, 8).bFullCell = 1;
  Load(s);
  cStageChara& b = StageChara.front();
  int end = 0;
  for (int i = 0; i < 300 && !end; ++i) {
    b.m_dMoveX = -1;
    end = Steps(1);
  }
  ASSERT_GT(end, 0);
  EXPECT_TRUE(P().m_bDead);
  const int code = DeathCode(Events());
  EXPECT_TRUE(code == 6 || code == 9 || code == 10) << code;
  // The player was never pushed more than 1.5 dots into the wall.
  EXPECT_GE(P().m_dX, CellLeft(1) - 1.5);
}

TEST_F(PlayStepTest, TheCrushGraceKeepsAPlayerWhoseFlyingChangedAlive) {
  Rows rows = Field("", "..P");
  rows[5] = "..E";
  cEdStage s = Stage(rows).Build();
  cEdChara& press = PlacedAt(s, 2, 5);
  press.bFullCell = 1;
  press.nFlight = 1;
  Load(s);
  cStageChara& b = StageChara.front();
  // The press stops resting on the player's head; with the grace renewed each
  // step the player is never crushed.
  for (int i = 0; i < 120; ++i) {
    b.m_dMoveY = 1;
    P().m_nCrushGrace = 2;
    ASSERT_EQ(Steps(1), 0) << i;
  }
  EXPECT_FALSE(P().m_bDead);
}

TEST_F(PlayStepTest, TheSideListHoldsTheBlockCharactersInListOrderAndLosesRemovedOnes) {
  cEdStage s = Stage(Field("", "..P.E.E.E.E")).Build();
  PlacedAt(s, 4, 8).bFullCell = 1;
  PlacedAt(s, 8, 8).bFullCell = 1;
  PlacedAt(s, 10, 8).bFullCell = 1;
  Load(s);
  std::vector<int> ids;
  for (cStageChara* c : m_Scene->m_BlockCharas) ids.push_back(c->m_nId);
  EXPECT_EQ(ids, (std::vector<int>{1, 3, 4}));
  EraseStageChara(std::next(StageChara.begin(), 2));  // id 3
  ids.clear();
  for (cStageChara* c : m_Scene->m_BlockCharas) ids.push_back(c->m_nId);
  EXPECT_EQ(ids, (std::vector<int>{1, 4}));
  // The place test: a block character covers its cell, the open air does not.
  cStageChara probe;
  probe.m_nId = 99;
  probe.m_Def.nGiant = 1;
  probe.m_nWidth = probe.m_nHeight = 32;
  probe.m_dX = CellLeft(4);
  probe.m_dY = CellTop(8);
  probe.ClampX(-1);
  probe.ClampY(-1);
  EXPECT_TRUE(m_Scene->IsPlaceBlocked(probe));
  probe.m_dY = CellTop(5);
  probe.ClampY(-1);
  EXPECT_FALSE(m_Scene->IsPlaceBlocked(probe));
  probe.m_dY = CellTop(9);  // the floor
  probe.ClampY(-1);
  EXPECT_TRUE(m_Scene->IsPlaceBlocked(probe));
  probe.m_bFlying = 1;
  probe.m_nBlockContact = kPassBlocks;
  EXPECT_FALSE(m_Scene->IsPlaceBlocked(probe));
}

TEST_F(PlayStepTest, APlayerSqueezedSidewaysInTheAirDropsBelowInsteadOfDying) {
  Rows rows = Field("", "");
  rows[4] = ".E.E";
  rows[5] = "..P";
  cEdStage s = Stage(rows).Build();
  for (int col : {1, 3}) {
    cEdChara& b = PlacedAt(s, col, 4);
    b.bFullCell = 1;
    b.nFlight = 2;
  }
  Load(s);
  cStageChara& left = StageChara.front();
  cStageChara& right = StageChara.back();
  // The player hangs still between the two as they close in.
  bool squeezed = false;
  for (int i = 0; i < 40 && !squeezed; ++i) {
    left.m_dMoveX = 1;
    right.m_dMoveX = -1;
    P().m_dSpeedY = 0;
    P().m_dY = CellTop(4) + 4;
    P().ClampY(-1);
    ASSERT_EQ(Steps(1), 0) << i << ": dead " << DeathCode(Events());
    squeezed = P().m_dY >= left.m_dBottom;
  }
  ASSERT_TRUE(squeezed);
  EXPECT_FALSE(P().m_bDead);
  EXPECT_EQ(P().m_dY, left.m_dBottom + 1);
  EXPECT_EQ(P().LRUD[0] + P().LRUD[1], 0);
}

}  // namespace
