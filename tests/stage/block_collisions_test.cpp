// Block collisions on fixture stages: the snap at a wall, the probes of a giant,
// deadly blocks, the cell underfoot, landing while rising, the blocks underfoot
// (jump block, conveyor, item block), the auto-scrolling screen's bottom, and
// values from damaged files.
#include <cmath>

#include "chara/jump_rules.h"
#include "tests/stage/play_step_fixture.h"

namespace {

using Rows = std::vector<std::string>;

Rows Field(const std::string& row8, const std::string& floor = std::string(30, '#')) {
  Rows r(10, "");
  r[8] = row8;
  r[9] = floor;
  return r;
}

cEdBlock Deadly() {
  cEdBlock b;
  b.nGraphic = 3;
  b.nHitKind = 2;
  return b;
}

cEdBlock Effect(int effect, int value) {
  cEdBlock b;
  b.nGraphic = 4;
  b.nHitKind = 1;
  b.nFloorEffect = static_cast<int8_t>(effect);
  b.nFloorValue = value;
  return b;
}

int DeathCode(const std::vector<std::string>& events) {
  for (const std::string& e : events) {
    const size_t at = e.find("\"ev\":\"dead\",\"id\":0,\"code\":");
    if (at != std::string::npos) return std::stoi(e.substr(at + 26));
  }
  return -1;
}

void PlaceAt(cChara& c, double x, double y) {
  c.m_dX = x;
  c.m_dY = y;
  c.ClampX(-1);
  c.ClampY(-1);
}

TEST_F(PlayStepTest, ARightEdgeInsideAWallSnapsToTheDotBeforeIt) {
  Load(Stage(Field("..P.E.#")).Build());
  cStageChara& e = StageChara.front();
  // Its right edge at 129.7 dots into the wall's cell row: (129 & 31) + 1 = 2 back.
  const double wall = CellLeft(6);
  PlaceAt(e, wall + 1.7 - (e.m_nWidth - 1), CellTop(8));
  ASSERT_EQ(e.m_dRight, wall + 1.7);
  EXPECT_EQ(m_Scene->CollideRight(e), 0);
  EXPECT_DOUBLE_EQ(e.m_dRight, wall - 0.3);
  EXPECT_EQ(e.LRUD[1], 1);
  EXPECT_EQ(e.m_nWallSide, 1);
}

TEST_F(PlayStepTest, AGiantProbesItsEdgeInStepsOfItsUnscaledSize) {
  // A wall cell beside the middle of a two-cell-high giant's left edge.
  Rows rows = Field("..P");
  rows[6] = "...#";
  Load(Stage(rows).Build());
  cChara probe;
  probe.m_nBaseWidth = probe.m_nBaseHeight = 32;
  probe.m_nWidth = probe.m_nHeight = 64;
  probe.m_nPass = 1;
  struct Case {
    int scale;
    bool hits;
  };
  // Scale 2 probes top, top + 31, top + 62; scale 1 only the top and top + 31
  // (both above the wall); a negative scale probes nothing; 10 probes far below.
  for (const Case c : {Case{2, true}, Case{1, false}, Case{0, false}, Case{-1, false}, Case{10, true}}) {
    SCOPED_TRACE(c.scale);
    probe.m_Def.nGiant = static_cast<int8_t>(c.scale);
    probe.ClearContacts();
    PlaceAt(probe, CellLeft(3) + 20, CellTop(5));
    m_Scene->CollideLeft(probe);
    EXPECT_EQ(probe.LRUD[0], c.hits ? 1 : 0);
  }
}

TEST_F(PlayStepTest, ADeadlyBlockKillsThePlayerAndStopsOthers) {
  struct Case {
    const char* row8;
    const char* floor;
    double move;
    int code;
  };
  // A deadly wall (Dead 1) and a deadly floor (Dead 4).
  for (const Case c : {Case{"..P..D", "##############################", 2.0, 1},
                       Case{"", "DDDDDDDDDDDDDDDDDDDDDDDDDDDDDD", 0, 4}}) {
    SCOPED_TRACE(c.code);
    Rows rows = Field(c.row8, c.floor);
    if (c.code == 4) rows[2] = "..P";
    Load(Stage(rows).Kind('D', Deadly()).Build());
    int end = 0;
    for (int i = 0; i < 300 && !end; ++i) {
      P().m_dMoveX = c.move;
      end = Steps(1);
    }
    EXPECT_GT(end, 0);
    EXPECT_EQ(DeathCode(Events()), c.code);
    PlayTraceRedirect(m_Dir->Path() + "/trace.txt");
  }
  // A stage character stops at a deadly wall as at any wall.
  Load(Stage(Field("..P.E.D")).Kind('D', Deadly()).Build());
  cStageChara& e = StageChara.front();
  for (int i = 0; i < 100; ++i) {
    e.m_dMoveX = 2;
    ASSERT_EQ(Steps(1), 0);
  }
  EXPECT_FALSE(e.m_bDead);
  EXPECT_EQ(static_cast<int>(e.m_dRight), CellLeft(6) - 1);
}

TEST_F(PlayStepTest, TheStrongerCellAndThenTheNearerToTheMiddleIsUnderfoot) {
  // Kind 1 under the left half of the feet, kind 2 under the right half.
  Load(Stage(Field("", "...##DD")).Kind('D', Deadly()).Build());
  cPlayer& p = P();
  const int shift = m_Scene->m_ScrollX.m_nStrideShift;
  PlaceAt(p, CellLeft(4) + 24, CellTop(8) + 32 - p.m_nHeight + 1);  // the feet in row 9
  EXPECT_EQ(m_Scene->FindFootCell(p), CellIndexAt(15, 19, shift));
  // Equal kinds: the cell under the middle of the feet.
  PlaceAt(p, CellLeft(3) + 20, p.m_dY);
  EXPECT_EQ(m_Scene->FindFootCell(p), CellIndexAt(13, 19, shift));
}

TEST_F(PlayStepTest, ARisingCharacterLandsOnlyWithTheRisingLandingSwitch) {
  Load(Stage(Field("")).Build());
  cPlayer& p = P();
  for (int on : {0, 1}) {
    SCOPED_TRACE(on);
    SystemData.bRiseLanding = on;
    PlaceAt(p, CellLeft(3), CellTop(9) + 4 - p.m_nHeight);  // the feet 4 dots into the floor
    p.m_dSpeedY = -1;
    p.ClearContacts();
    m_Scene->CollideDown(p);
    EXPECT_EQ(p.LRUD[3], on);
  }
}

TEST_F(PlayStepTest, AJumpBlockLaunchesAndAConveyorCarries) {
  Load(Stage(Field("..P", std::string(30, 'J'))).Level(12).Kind('J', Effect(1, 3)).Build());
  cPlayer& p = P();
  bool launched = false;
  for (int i = 0; i < 40 && !launched; ++i) {
    Steps(1);
    launched = p.m_dSpeedY < 0;
  }
  ASSERT_TRUE(launched);
  EXPECT_GE(p.m_dSpeedY, JumpSpeedForHbl(StageData.Timing(), 0, 3));
  const std::vector<std::string> ev = Events();
  EXPECT_NE(std::find(ev.begin(), ev.end(), "{\"ev\":\"se\",\"n\":10}"), ev.end());

  // A conveyor to the right with X = 10 at two steps a frame: half a dot a step.
  Load(Stage(Field("..P", std::string(30, 'C'))).Level(12).Kind('C', Effect(5, 10)).Build());
  Steps(20);  // settled on it
  const double x0 = P().m_dX;
  Steps(40);
  EXPECT_NEAR(P().m_dX - x0, 20.0, 1.0);
  EXPECT_EQ(P().m_nBlockEffect, 5);
  EXPECT_DOUBLE_EQ(P().m_dBlockEffectAmount, 0.5);
}

TEST_F(PlayStepTest, AnItemBlockGivesItsItemAtOnceAndThenOnceASecond) {
  cEdBlock giver = Effect(0, 0);
  giver.nItemLinkKind = 2;
  giver.nItemLinkIndex = 1;
  cEdStage s = Stage(Field("..P", std::string(30, 'I'))).Kind('I', giver).Build();
  s.PaletteItems.At(1).nGraphic = 1;
  Load(s);
  cPlayer& p = P();
  int gifts = 0, last = 0;
  for (int i = 0; i < 130; ++i) {
    Steps(1);
    if (p.m_nItemBlockCount > last) ++gifts;
    last = p.m_nItemBlockCount;
  }
  // Steps 1 (or the first landing), 61 and 121.
  EXPECT_EQ(gifts, 3);
}

TEST_F(PlayStepTest, AWalkingPlayerBelowAnAutoScrollingScreenDiesAndAFlyingOneIsHeld) {
  for (int flying : {0, 1}) {
    SCOPED_TRACE(flying);
    Rows rows(30, "");
    rows[28] = "..P";
    rows[29] = std::string(30, '#');
    cPlayStage st = Stage(rows);
    st.Settings().bAutoScrollY = 1;
    st.Settings().nAutoScrollSpeedY = -40;  // upward, four dots a frame
    Load(st.Build());
    if (flying) P().ChangeFlight(2);
    int end = 0;
    for (int i = 0; i < 400 && !end; ++i) end = Steps(1);
    if (flying) {
      EXPECT_EQ(end, 0);
      EXPECT_LE(P().m_dBottom, m_Scene->m_ScrollY.m_dPos + 480);
    } else {
      EXPECT_GT(end, 0);
      EXPECT_EQ(DeathCode(Events()), 3);
    }
    PlayTraceRedirect(m_Dir->Path() + "/trace.txt");
  }
}

TEST_F(PlayStepTest, ValuesFromDamagedFilesNeitherHangNorCrash) {
  cEdBlock odd = Effect(9, 100000);  // an effect beyond the list, a value beyond a byte
  odd.nHitKind = 7;                 // a kind beyond the list collides as solid
  Load(Stage(Field("..P", std::string(30, 'X'))).Level(-5).Kind('X', odd).Build());
  EXPECT_EQ(StageData.Timing().nSteps, 1);  // a level below 1 plays as 1
  cPlayer& p = P();
  for (int i = 0; i < 30; ++i) {
    p.m_dMoveX = 1e6;  // a million dots a step: held to the speed limit
    Steps(1);
  }
  EXPECT_FALSE(p.m_bDead);
  EXPECT_TRUE(std::isfinite(p.m_dX));
  EXPECT_LT(p.m_dBottom, CellTop(9));
  // A character far beyond the map's margin reads empty cells.
  cStageChara& far = StageChara.emplace_back();
  far.m_nId = 77;
  far.m_Def.nGiant = 1;
  far.m_nWidth = far.m_nHeight = far.m_nBaseWidth = far.m_nBaseHeight = 32;
  PlaceAt(far, -5000, -3000);
  EXPECT_EQ(m_Scene->CollideX(far), 0);
  EXPECT_EQ(m_Scene->CollideY(far), 0);
  EXPECT_FALSE(m_Scene->IsPlaceBlocked(far));
  PlaceAt(far, 1e9, 1e9);
  EXPECT_FALSE(m_Scene->IsPlaceBlocked(far));
}

}  // namespace
