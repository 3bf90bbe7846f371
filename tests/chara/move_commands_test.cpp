// The movement commands: a straight move covers the same distance at every
// processing level, diagonals and angles, inertia, the turn command, and an enemy
// patrolling a platform that turns back at each ledge (a stage set up for real and
// played by its own play step).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/svc/mode_manager.h"
#include "chara/block_map.h"
#include "chara/command_handlers.h"
#include "data/project_globals.h"
#include "stage/play_step_watcher.h"
#include "stage/stand_ins.h"
#include "tests/chara/flow_fixture.h"
#include "tests/support/play_stage.h"
#include "tests/support/temp_dir.h"

namespace {

using MoveCommands = FlowField;

// Frames of a character's flows at the stage's level: the sum of the drift each
// logic step adds (what its move would cover), per axis.
std::pair<double, double> Drift(cStageChara& c, int frames) {
  const int n = StageData.Timing().nSteps;
  double x = 0, y = 0;
  for (int f = 0; f < frames; ++f) {
    c.ResetFlowLatches();
    for (int s = 0; s < n; ++s) {
      if (f == 0 && s == 0) c.RunTriggeredFlows(0);
      c.RunFlows(0);
      x += c.m_dSpeedX;
      y += c.m_dSpeedY;
    }
  }
  return {x, y};
}

TEST_F(MoveCommands, AStraightMoveCoversTheSameDistanceAtEveryLevel) {
  for (int level : {1, 3, 5, 15, 19}) {
    SCOPED_TRACE(level);
    StageData.SetHitLevel(level);
    // 1 dot a frame for 1 second.
    cStageChara& c = Chara({MakeFlow(19, {MakeMove(2, 10, 10, 3)})});
    c.m_Def.bFixedFacing = 0;
    c.m_FlowStates[0].Start();
    const auto [x, y] = Drift(c, 70);
    EXPECT_NEAR(x, 60.0, 1e-9);
    EXPECT_EQ(y, 0.0);
    EXPECT_EQ(c.m_nFacing, 1);
    StageChara.clear();
  }
}

TEST_F(MoveCommands, DiagonalsAndAngles) {
  struct Case {
    const char* what;
    int flying, direction, angle;
    double x, y;
  } cases[] = {
      {"up-right walking: right at 1/sqrt2, not up", 0, 10, 0, 1 / std::sqrt(2.0), 0},
      {"up-right flying", 1, 10, 0, 1 / std::sqrt(2.0), -1 / std::sqrt(2.0)},
      {"up-right flying, angle 10: 145 degrees", 1, 10, 10, -std::cos(145 * M_PI / 180), -std::sin(145 * M_PI / 180)},
      {"up walking goes nowhere", 0, 6, 0, 0, 0},
      {"a choice beyond the list", 1, 40, 0, 0, 0},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    cEdCommand m = MakeMove(2, 1, 10, k.direction);
    m.pMove->nAngle = static_cast<int16_t>(k.angle);
    cStageChara& c = Chara({MakeFlow(19, {m})});
    c.m_bFlying = k.flying;
    c.m_FlowStates[0].Start();
    const auto [x, y] = Drift(c, 1);
    EXPECT_NEAR(x, k.x, 1e-9);
    EXPECT_NEAR(y, k.y, 1e-9);
    StageChara.clear();
  }
}

TEST_F(MoveCommands, InertiaAcceleratesUpToItsLimitAndBrakesByTheReversalFactor) {
  StageData.SetHitLevel(15);  // 5 steps a frame
  cEdCommand m = MakeMove(2, 10, 60, 3);
  m.pMove->bInertia = 1;
  m.pMove->nMaxSpeed = 20;  // 2 dots a frame
  m.pMove->dReverseFactor = 3.0;
  cStageChara& c = Chara({MakeFlow(19, {m})});
  c.m_FlowStates[0].Start();
  c.RunFlows(0);
  const double a = 6.0 / 5 / 5 / 60;  // 6 dots a frame, per step, accelerated over a second
  EXPECT_NEAR(c.m_dMoveX, a, 1e-12);
  EXPECT_EQ(c.m_bFrictionX, 0);
  for (int i = 0; i < 200; ++i) c.RunFlows(0);
  EXPECT_NEAR(c.m_dMoveX, 2.0 / 5, 1e-12);
  // Moving left while the command pushes right brakes three times as hard.
  c.m_dMoveX = -0.1;
  c.RunFlows(0);
  EXPECT_NEAR(c.m_dMoveX, -0.1 + 3 * a, 1e-12);
}

TEST_F(MoveCommands, TurnOnlyForFixedFacingAndTowardTheTarget) {
  Player.emplace_back();
  Place(Player.front(), 800, 600);
  cStageChara& c = Chara({MakeFlow(19, {MakeCommand(9, 1, false, {2})})});
  c.m_Def.bFixedFacing = 0;
  c.m_nFacing = 0;
  c.m_FlowStates[0].Start();
  c.RunFlows(0);
  EXPECT_EQ(c.m_nFacing, 0);  // a character that turns by itself ignores the command
  c.m_Def.bFixedFacing = 1;
  c.SetTarget(&Player.front());
  c.RunFlows(0);
  EXPECT_EQ(c.m_nFacing, 1);
  for (int kind : {6, 99, -1}) {
    cEdCommand t = MakeCommand(9, 1, false, {kind});
    cStageChara& d = Chara({MakeFlow(19, {t})});
    d.m_Def.bFixedFacing = 1;
    d.m_nFacing = 1;
    d.m_FlowStates[0].Start();
    d.RunFlows(0);
    EXPECT_EQ(d.m_nFacing, 1) << kind;
  }
}

TEST_F(MoveCommands, TimeOrSpeedZeroDividesNothing) {
  cEdCommand m = MakeMove(2, 0, 0, 3);
  m.pMove->nTimeSpeedMode = 2;  // time from distance and speed: speed 0
  m.pMove->nDistance = 4;
  cEdCommand n = MakeMove(2, 0, 10, 3);
  n.pMove->nTimeSpeedMode = 1;  // speed from distance and time: time 0
  n.pMove->nDistance = 4;
  cStageChara& c = Chara({MakeFlow(0, {m}), MakeFlow(0, {n})});
  EXPECT_EQ(c.m_FlowStates[0].Commands[0].nTime, 0);
  EXPECT_EQ(c.m_FlowStates[1].Commands[0].dSpeed, 1.0);
  // The distance-based forms, for the record: 4 hbl in 1 tenth, or at 1 dot a step.
  cEdCommand p = MakeMove(2, 1, 10, 3);
  p.pMove->nTimeSpeedMode = 1;
  p.pMove->nDistance = 4;
  cEdCommand q = MakeMove(2, 1, 10, 3);
  q.pMove->nTimeSpeedMode = 2;
  q.pMove->nDistance = -4;
  cStageChara& d = Chara({MakeFlow(0, {p}), MakeFlow(0, {q})});
  EXPECT_EQ(d.m_FlowStates[0].Commands[0].dSpeed, 64.0 / 6);
  EXPECT_EQ(d.m_FlowStates[1].Commands[0].nTime, 64);  // a negative time is made positive
}

// The patrolling enemy, checked at the start of each of its turns in the play step.
cStageChara* gPatroller = nullptr;
int gFrame = 0, gTurns = 0;
void CheckOnPlatform(const char* turn, int identity) {
  if (std::string(turn) != "chara" || !gPatroller || identity != gPatroller->m_nId) return;
  ++gTurns;
  // The platform stays under it: no step may leave it hanging over a ledge by
  // more than the step's own move.
  EXPECT_GE(gPatroller->m_dRight, 16 * 32 - 2) << gFrame;
  EXPECT_LE(gPatroller->m_dX, 24 * 32 + 2) << gFrame;
}

// A patrol on a platform of eight blocks with ledges at both ends, played by the
// stage's own play step.
class Patrol : public ::testing::Test {
 protected:
  void SetUp() override {
    Database.AnimeSetList.resize(1);
    m_Scene = std::make_unique<cStageScene>();
    CurrentStage.store(m_Scene.get());
    ModeManager.m_nPlayKind = 3;
    SystemData.bRecordReplay = 0;
    SystemData.bCompat525 = SystemData.bCompat744 = 0;
    BuildCommandParamTable();
  }
  void TearDown() override {
    StageChara.clear();
    ItemList.clear();
    Player.clear();
    ResetBlockMap(0);
    CurrentStage.store(nullptr);
    m_Scene.reset();
  }
  // Sets the stage up and walks the enemy for 600 frames; one line per turn:
  // "frame facing left right".
  std::vector<std::string> Run(int level) {
    cPlayStage s(30, 12);
    s.Level(level);
    s.Map({"", "", "", "", "", "", "", ".........E", "......########", "", "P", std::string(30, '#')});
    s.Settings().nScrollOffsetX = 50 * 32 - 640;
    s.Settings().nScrollOffsetY = 32 * 32 - 640;
    cEdStage st = s.Build();
    cEdCommand walk = MakeMove(3, 10, 20, 0);  // 2 dots a frame, facing forward
    for (cEdChara& c : st.Charas)
      if (c.strName == "enemy") c.Flows.assign(1, MakeFlow(0, {walk}));
    cTempDir dir(false);
    const std::string path = dir.Path() + "/patrol.stg4_752";
    EXPECT_TRUE(st.Save(path.c_str()));
    EXPECT_TRUE(StageData.Load(path.c_str()));
    PlayStageData.CopySettings(StageData);
    SetStage(0, 1);
    EXPECT_EQ(StageChara.size(), 1u);
    cStageChara& e = StageChara.front();
    std::vector<std::string> turns;
    int facing = e.m_nFacing;
    gPatroller = &e;
    gFrame = 0;
    gTurns = 0;
    SetPlayStepWatcher(&CheckOnPlatform);
    for (int frame = 1; frame <= 600; ++frame) {
      gFrame = frame;
      if (m_Scene->RunFrameSteps() != 0) {
        ADD_FAILURE() << "the frame ended early: " << frame;
        break;
      }
      if (e.m_nFacing != facing) {
        facing = e.m_nFacing;
        turns.push_back(std::to_string(frame) + " " + std::to_string(facing) + " " +
                        std::to_string(static_cast<int>(e.m_dX)) + " " + std::to_string(static_cast<int>(e.m_dRight)));
      }
    }
    SetPlayStepWatcher(nullptr);
    // It took its turn in every step of every frame.
    EXPECT_EQ(gTurns, 600 * StageData.Timing().nSteps);
    EXPECT_EQ(Player.front().m_bDead, 0);
    return turns;
  }
  std::unique_ptr<cStageScene> m_Scene;
};

TEST_F(Patrol, TheEnemyTurnsBackAtEachLedgeFor600Frames) {
  const std::vector<std::string> turns = Run(1);
  // Reviewed: it starts facing left on column 9 and walks 2 dots a frame; it turns
  // right in the frame its left foot leaves the platform (left edge before dot
  // 512) and left when its right foot does (right edge from dot 768 on), so the
  // passes between turns all take the same number of frames.
  ASSERT_GE(turns.size(), 5u);
  std::vector<int> frames;
  for (size_t i = 0; i < turns.size(); ++i) {
    SCOPED_TRACE(turns[i]);
    int frame = 0, facing = 0, left = 0, right = 0;
    ASSERT_EQ(std::sscanf(turns[i].c_str(), "%d %d %d %d", &frame, &facing, &left, &right), 4);
    EXPECT_EQ(facing, i % 2 == 0 ? 1 : 0);
    if (facing == 1) {
      EXPECT_LT(left, 512);
      EXPECT_GE(right, 512);
    } else {
      EXPECT_GE(right, 768);
      EXPECT_LT(left, 768);
    }
    frames.push_back(frame);
  }
  for (size_t i = 2; i < frames.size(); ++i) EXPECT_EQ(frames[i] - frames[i - 1], frames[1] - frames[0]);
  EXPECT_EQ(Run(1), turns);   // the same run twice
  EXPECT_EQ(Run(15).size(), turns.size());  // five steps a frame: the same patrol
}

}  // namespace
