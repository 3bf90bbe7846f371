// The charge and the warp in the play step of fixture stages: a charge at the
// player runs into a wall and stops there; a warp into a wall is undone, one past
// it lands.
#include "tests/chara/flow_fixture.h"
#include "tests/stage/play_step_fixture.h"

namespace {

using Rows = std::vector<std::string>;

Rows Field(const std::string& row8) {
  Rows r(10, "");
  r[8] = row8;
  r[9] = std::string(30, '#');
  return r;
}

class TargetMovePlay : public PlayStepTest {
 protected:
  // The stage with the enemy at column `col` of row 8 running `command` from the start.
  static cEdStage WithCommand(const std::string& row8, int col, const cEdCommand& command) {
    cEdStage s = Stage(Field(row8)).Build();
    cEdChara& e = PlacedAt(s, col, 8);
    e.Flows.assign(1, MakeFlow(0, {command}));
    return s;
  }
};

TEST_F(TargetMovePlay, AChargeAtThePlayerStopsAtAWall) {
  cEdCommand charge = MakeMove(5, 50, 30, 0);  // 3 dots a step for 5 seconds
  Load(WithCommand("P..#..E", 6, charge));
  cStageChara& e = StageChara.front();
  const double start = e.m_dX;
  Steps(60);
  const double stopped = e.m_dX;
  Steps(10);
  EXPECT_LT(stopped, start - 32);      // it charged toward the player
  EXPECT_EQ(e.m_dX, stopped);          // and stands at the wall
  // Its body against the wall's right side, within a step of it.
  EXPECT_GE(e.m_BodyBox.dLeft, CellLeft(4));
  EXPECT_LT(e.m_BodyBox.dLeft, CellLeft(4) + 3);
  EXPECT_EQ(e.m_nWallSide, 0);
}

TEST_F(TargetMovePlay, AWarpIntoAWallIsUndoneAndOnePastItLands) {
  struct Case {
    const char* what;
    int distance;
    double moved;
  } cases[] = {{"into the wall", 2, 0}, {"past the wall", 4, -64}, {"out of the stage", 20, 0}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    cEdCommand warp = MakeMove(20, 0, 0, 2);  // left, once
    warp.pMove->nDistance = static_cast<int16_t>(k.distance);
    Load(WithCommand("P.#E", 3, warp));
    cStageChara& e = StageChara.front();
    const double x = e.m_dX;
    Steps(1);
    EXPECT_EQ(e.m_dX, x + k.moved);
  }
}

}  // namespace
