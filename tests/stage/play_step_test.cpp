// The play step on fixture stages: the order of acting, landing and walls,
// lifetimes, deaths of characters with and without their death effect, and
// characters that remove themselves or summon others during their turn.
#include <climits>

#include "chara/jump_run.h"
#include "tests/stage/play_step_fixture.h"

namespace {

using Rows = std::vector<std::string>;

// Ten rows: the player in the air at column 2, a solid floor on the last row.
Rows OpenField(const std::string& row8 = "..P") {
  Rows r(10, "");
  r[8] = row8;
  r[9] = std::string(30, '#');
  return r;
}

TEST_F(PlayStepTest, EachStepActsInItsOrderBlockCharactersFirst) {
  // An enemy placed before the block character in the list still acts after it.
  cEdStage s = Stage(OpenField("..P.E.E")).Build();
  PlacedAt(s, 6, 8).bFullCell = 1;
  Load(s);
  ASSERT_EQ(StageChara.size(), 2u);
  const int enemy = StageChara.front().m_nId, block = StageChara.back().m_nId;
  for (int& on : m_Scene->m_bRemoveOutOfRange) on = 0;
  EXPECT_EQ(Steps(1), 0);
  EXPECT_EQ(Turns(), (std::vector<std::string>{"block " + std::to_string(block), "player 0",
                                               "chara " + std::to_string(enemy), "contacts 0", "pickup 0"}));
  // With the out-of-range switch on, the first step of a frame removes what has
  // left its range, after the characters and shots.
  Turns().clear();
  m_Scene->m_bRemoveOutOfRange[0] = 1;
  Steps(1);
  EXPECT_EQ(Turns()[3], "range 0");
}

TEST_F(PlayStepTest, AFallingPlayerLandsOnTheFloorAndStaysOnIt) {
  Rows rows(10, "");
  rows[2] = "..P";
  rows[9] = std::string(30, '#');
  Load(Stage(rows).Build());
  cPlayer& p = P();
  int landed = 0;
  for (int i = 1; i <= 200 && !landed; ++i) {
    Steps(1);
    if (p.LRUD[3]) landed = i;
  }
  ASSERT_GT(landed, 0);
  // The feet on the last dot row above the floor's cells, the fall stopped.
  EXPECT_EQ(static_cast<int>(p.m_dBottom), CellTop(9) - 1);
  EXPECT_EQ(p.m_dSpeedY, 0);
  EXPECT_NE(p.m_pBlockUnder, nullptr);
  // Standing: the feet never sink into the floor.
  for (int i = 0; i < 100; ++i) {
    Steps(1);
    ASSERT_LT(p.m_dBottom, CellTop(9));
    ASSERT_GE(p.m_dBottom, CellTop(9) - 2);
  }
  EXPECT_FALSE(p.m_bDead);
}

TEST_F(PlayStepTest, AStandingCharacterSinksWithinItsDotRowAndLandsAgain) {
  // Gravity acts while a character stands: its feet sink through the last dot row
  // above the floor and snap back when they reach the floor's cell, the fraction
  // kept. Its dot row and its picture on the screen never move, the landings come
  // again, and under a weak gravity, where they come later than the airborne
  // threshold, it still does not fall.
  struct Case {
    double gravity;
    int level;
  } cases[] = {{0.4, 10}, {1.0, 11}, {9.0, 11}, {0.05, 3}, {0.02, 10}};
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << "gravity " << k.gravity << " level " << k.level);
    Load(Stage(OpenField("..P...E"), k.level).Gravity(k.gravity).Build());
    cPlayer& p = P();
    cStageChara& e = StageChara.front();
    const int n = StageData.Timing().nSteps;
    Steps(20 * n);
    p.UpdateScreenRect();
    const int playerTop = p.m_nScreenTop, charaTop = e.CalcScreenRect();
    int playerLandings = 0, charaLandings = 0;
    for (int i = 0; i < 60 * n; ++i) {
      Steps(1);
      ASSERT_EQ(static_cast<int>(p.m_dBottom), CellTop(9) - 1);
      ASSERT_EQ(static_cast<int>(e.m_dBottom), CellTop(9) - 1);
      p.UpdateScreenRect();
      ASSERT_EQ(p.m_nScreenTop, playerTop);
      ASSERT_EQ(e.CalcScreenRect(), charaTop);
      ASSERT_EQ(p.m_bFalling, 0);
      ASSERT_EQ(e.m_bFalling, 0);
      playerLandings += p.LRUD[3];
      charaLandings += e.LRUD[3];
    }
    EXPECT_GT(playerLandings, 0);
    EXPECT_GT(charaLandings, 0);
    EXPECT_FALSE(p.m_bDead);
    StageChara.clear();
    Player.clear();
  }
}

TEST_F(PlayStepTest, AJumpCommandWaitsForTheNextLandingOfAStandingCharacter) {
  // A standing character may start its jump only in a step after a landing. Under
  // a weak gravity the next landing can come later than the command waits for
  // ground; standing, it jumps then all the same. One in the air gives up.
  struct Case {
    double gravity;
    int row;  // where it is placed: 8 stands on the floor, 2 falls
    bool jumps;
  } cases[] = {{0.4, 8, true}, {0.1, 8, true}, {0.05, 8, true}, {0.05, 2, false}};
  for (const Case& k : cases) {
    for (int wait = 0; wait < 60; wait += 3) {
      SCOPED_TRACE(testing::Message() << "gravity " << k.gravity << " row " << k.row << " after " << wait);
      Rows rows(10, "");
      rows[k.row] = "......E";
      rows[9] = std::string(30, '#');
      Load(Stage(rows, 10).Gravity(k.gravity).Build());
      cStageChara& e = StageChara.front();
      Steps((k.row == 8 ? 200 : 0) + wait);
      cJumpRun run;
      run.dSpeed = -3;
      run.nCountdown = 1000;
      for (int i = 0; i < 200 && !run.bStarted; ++i) {
        e.StepJump(run);
        ++run.nStepCount;
        Steps(1);
      }
      ASSERT_EQ(run.bStarted, 1);
      EXPECT_EQ(run.nCountdown != 0, k.jumps);
      EXPECT_EQ(e.m_bRising != 0, k.jumps);
      StageChara.clear();
      Player.clear();
    }
  }
}

TEST_F(PlayStepTest, WallsStopTheWalkOnBothSides) {
  // Walls at columns 0 and 6 on the player's row.
  Load(Stage(OpenField("#.P...#")).Build());
  cPlayer& p = P();
  for (int i = 0; i < 80; ++i) {
    p.m_dMoveX = 2.5;
    Steps(1);
    ASSERT_LT(p.m_dRight, CellLeft(6));
  }
  EXPECT_EQ(static_cast<int>(p.m_dRight), CellLeft(6) - 1);
  EXPECT_EQ(p.m_nWallSide, 1);
  for (int i = 0; i < 120; ++i) {
    p.m_dMoveX = -2.5;
    Steps(1);
    ASSERT_GE(p.m_dX, CellLeft(1));
  }
  EXPECT_EQ(static_cast<int>(p.m_dX), CellLeft(1));
  EXPECT_EQ(p.m_nWallSide, 0);
  EXPECT_EQ(p.LRUD[0], 1);
}

TEST_F(PlayStepTest, LifetimesCountLogicStepsAndUnlimitedNeverEnds) {
  Load(Stage(OpenField("..P.E.E.E")).Build());
  auto it = StageChara.begin();
  cStageChara& three = *it++;
  cStageChara& zero = *it++;
  cStageChara& unlimited = *it;
  const int idThree = three.m_nId, idZero = zero.m_nId, idUnlimited = unlimited.m_nId;
  three.m_nLifetime = 3;
  zero.m_nLifetime = 0;
  unlimited.m_nLifetime = INT_MAX;
  auto alive = [](int id) {
    for (const cStageChara& c : StageChara)
      if (c.m_nId == id) return true;
    return false;
  };
  Steps(1);
  EXPECT_FALSE(alive(idZero));
  Steps(2);
  EXPECT_TRUE(alive(idThree));
  Steps(1);  // the fourth step
  EXPECT_FALSE(alive(idThree));
  Steps(50);
  EXPECT_TRUE(alive(idUnlimited));
  EXPECT_EQ(Chara(idUnlimited).m_nLifetime, INT_MAX);
}

TEST_F(PlayStepTest, ACharacterWithoutHpStaysDeadForItsEffectOrIsErasedAtOnce) {
  for (int effect : {1, 0}) {
    SCOPED_TRACE(effect);
    Load(Stage(OpenField("..P.E")).Build());
    SystemData.bDeathEffect = effect;
    StageChara.front().m_nHP = 0;
    const int id = StageChara.front().m_nId;
    EXPECT_EQ(Steps(1), 0);
    const std::vector<std::string> ev = Events();
    const bool sound9 = std::find(ev.begin(), ev.end(), "{\"ev\":\"se\",\"n\":9}") != ev.end();
    if (effect) {
      ASSERT_EQ(StageChara.size(), 1u);
      EXPECT_TRUE(StageChara.front().m_bDead);
      EXPECT_TRUE(sound9);
    } else {
      EXPECT_TRUE(StageChara.empty());
      EXPECT_FALSE(sound9);
    }
    EXPECT_NE(std::find(ev.begin(), ev.end(), "{\"ev\":\"dead\",\"id\":" + std::to_string(id) + ",\"code\":0}"),
              ev.end());
    PlayTraceRedirect(m_Dir->Path() + "/trace.txt");  // a fresh trace for the next case
  }
}

// A character's own turn removes it and summons another: the list walk goes on.
void RemoveSelfAndSummon(const char* turn, int id) {
  if (std::string(turn) != "chara") return;
  for (auto it = StageChara.begin(); it != StageChara.end(); ++it)
    if (it->m_nId == id) {
      RemoveStageChara(it);
      break;
    }
  StageChara.emplace_back();
  StageChara.back().m_nId = 100 + id;
}

TEST_F(PlayStepTest, ACharacterThatRemovesItselfOrSummonsDuringItsTurnIsSafe) {
  Load(Stage(OpenField("..P.E.E")).Build());
  SetPlayStepWatcher(&RemoveSelfAndSummon);
  EXPECT_EQ(Steps(1), 0);
  SetPlayStepWatcher(nullptr);
  // Both acted and were erased at the step's removal point; their summons stay.
  ASSERT_EQ(StageChara.size(), 2u);
  EXPECT_EQ(StageChara.front().m_nId, 101);
  EXPECT_EQ(StageChara.back().m_nId, 102);
  EXPECT_TRUE(m_Scene->m_CharaGroups.At(1).size() == 1u);  // only the player is left in the force list
}

TEST_F(PlayStepTest, FallingOutOfTheStageKillsThePlayerOnce) {
  Rows rows(10, "");
  rows[2] = "..P";
  Load(Stage(rows).Build());
  const int end = Steps(400);
  ASSERT_GT(end, 0);
  EXPECT_TRUE(P().m_bDead);
  const std::vector<std::string> ev = Events();
  EXPECT_EQ(std::count(ev.begin(), ev.end(), "{\"ev\":\"dead\",\"id\":0,\"code\":2}"), 1);
  EXPECT_EQ(std::count(ev.begin(), ev.end(), "{\"ev\":\"se\",\"n\":8}"), 1);
  // A dead player: nothing acts any more.
  Turns().clear();
  Steps(5);
  EXPECT_TRUE(Turns().empty());
}

// Items lying on the player, by take mode; the item's sound (entry 17) counts
// the takes. One without a graphic gives nothing but is used up all the same.
TEST_F(PlayStepTest, ItemsAreTakenByTheirTakeMode) {
  struct Case {
    int mode, graphic, takes, left;
  };
  for (const Case c : {Case{0, 1, 1, 0}, Case{1, 1, 2, 1}, Case{2, 1, 0, 1}, Case{0, 0, 0, 0}}) {
    SCOPED_TRACE(c.mode);
    Load(Stage(OpenField()).Build());
    cEdItem def;
    def.nGraphic = static_cast<int16_t>(c.graphic);
    def.nSound = 1;
    def.bItemWindow = 0;
    def.nTakeMode = static_cast<int8_t>(c.mode);
    cItem& item = ItemList.emplace_back();
    item.Setup(50, def, 0);
    auto onPlayer = [&] {
      item.m_dX = P().m_dX;
      item.m_dY = P().m_dY;
      item.ClampX(-1);
      item.ClampY(-1);
    };
    onPlayer();
    Steps(5);  // touched for five steps
    if (!ItemList.empty()) {
      item.m_dX += 200;  // left
      item.ClampX(-1);
      Steps(1);
      onPlayer();  // touched again
      Steps(3);
    }
    const std::vector<std::string> ev = Events();
    EXPECT_EQ(std::count(ev.begin(), ev.end(), "{\"ev\":\"se\",\"n\":17}"), c.takes);
    EXPECT_EQ(static_cast<int>(ItemList.size()), c.left);
    ItemList.clear();
    PlayTraceRedirect(m_Dir->Path() + "/trace.txt");
  }
}

}  // namespace
