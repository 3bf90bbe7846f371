// The flow runtime: how commands of a flow are scheduled step by step (instant
// chains, holding back, the last-finish rule, waiting for a message, the set-up
// trigger), loop unrolling with its cap, the dispatch of command types beyond the
// table, and arranges.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "chara/arrange.h"
#include "chara/command_handlers.h"
#include "chara/flow_trace.h"
#include "data/save_data.h"
#include "data/shot_kinds.h"
#include "tests/chara/flow_fixture.h"

namespace {

using FlowSchedule = FlowField;

// The trace of a flow started and stepped until it finishes (at most `steps`).
std::vector<std::string> Trace(cChara& c, int flow, int steps) {
  cFlowRun& run = c.m_FlowStates[static_cast<size_t>(flow)];
  SetCurrentActor(&c);
  run.Start();
  std::vector<std::string> lines;
  for (int i = 0; i < steps && run.bRunning; ++i) {
    const cFlowStepTrace t = TraceFlowStep(run);
    lines.push_back(t.Text());
    if (t.bFlowFinished) run.Stop(c);
  }
  SetCurrentActor(nullptr);
  return lines;
}

TEST_F(FlowSchedule, TracesOfInstantAndHeldBackCommands) {
  struct Case {
    const char* what;
    cEdFlow flow;
    std::vector<std::string> trace;
  } cases[] = {
      {"time 0 finishes in the step it starts", MakeFlow(0, {MakeCommand(1, 0)}), {"started=0 running=0 finished=0 end"}},
      {"instant A (2 tenths) and B (1 tenth): B's end ends the flow",
       MakeFlow(0, {MakeCommand(1, 2, true), MakeCommand(1, 1)}),
       {"started=0,1 running=0,1 finished=-", "started=- running=0,1 finished=-", "started=- running=0,1 finished=-",
        "started=- running=0,1 finished=-", "started=- running=0,1 finished=-",
        "started=- running=0,1 finished=1 end"}},
      {"a non-instant command holds the next back",
       MakeFlow(0, {MakeCommand(1, 0), MakeCommand(1, 0, true), MakeCommand(1, 0)}),
       {"started=0 running=0 finished=0", "started=1,2 running=1,2 finished=1,2 end"}},
      {"an instant chain runs side by side, then the held command",
       MakeFlow(0, {MakeCommand(1, 0, true), MakeCommand(1, 0, true), MakeCommand(1, 0), MakeCommand(1, 0)}),
       {"started=0,1,2 running=0,1,2 finished=0,1,2", "started=3 running=3 finished=3 end"}},
  };
  for (Case& k : cases) {
    SCOPED_TRACE(k.what);
    cStageChara& c = Chara({k.flow});
    EXPECT_EQ(Trace(c, 0, 20), k.trace);
    StageChara.clear();
  }
}

TEST_F(FlowSchedule, CommandTimesScaleWithTheStepsOfAFrame) {
  for (int level : {1, 15}) {
    StageData.SetHitLevel(level);
    const int n = StageData.Timing().nSteps;
    cStageChara& c = Chara({MakeFlow(0, {MakeCommand(1, 1)})});
    EXPECT_EQ(Trace(c, 0, 100).size(), static_cast<size_t>(6 * n));
    StageChara.clear();
  }
}

TEST_F(FlowSchedule, AWaitlessMessageMarksTheFlowUntilTheNextHeldCommandStarts) {
  cStageChara& c = Chara({MakeFlow(0, {MakeCommand(19, 0, false, std::vector<int32_t>(16, 0)), MakeCommand(1, 1)})});
  cFlowRun& run = c.m_FlowStates[0];
  SetCurrentActor(&c);
  run.Start();
  run.Step();
  EXPECT_EQ(run.bMessageWait, 1);
  run.Step();
  EXPECT_EQ(run.bMessageWait, 0);
  SetCurrentActor(nullptr);
}

TEST_F(FlowSchedule, TheSetUpTriggerRunsOnlyInstantCommandsOfTheLaterTypesOnce) {
  const cEdCommand arrange = MakeCommand(38, 0, true, {2, 0, 0, 2, 1});
  cStageChara& c = Chara({MakeFlow(18, {MakeMove(2, 1, 10, 3), arrange, MakeCommand(22, 1), MakeCommand(1, 0, true)})});
  c.RunTriggeredFlows(18);
  const cFlowRun& run = c.m_FlowStates[0];
  EXPECT_EQ(run.bRunning, 0);
  EXPECT_EQ(run.Commands[0].bDone, 0);  // a movement type never runs
  EXPECT_EQ(run.Commands[1].bDone, 1);  // instant, type 38
  EXPECT_EQ(run.Commands[2].bDone, 0);  // not instant
  EXPECT_EQ(run.Commands[3].bDone, 0);  // type 1
  EXPECT_TRUE(run.Arranges.empty());    // dropped when the flow stopped
}

TEST_F(FlowSchedule, StoppedForGoodKeepsRunningButNeverStepsOrStartsAgain) {
  cStageChara& c = Chara({MakeFlow(0, {MakeCommand(1, 1)})});
  c.RunTriggeredFlows(0);
  cFlowRun& run = c.m_FlowStates[0];
  run.StopForever(c);
  EXPECT_EQ(run.bRunning, 1);
  const int32_t countdown = run.Commands[0].nCountdown;
  c.StepFlowStates(0, 1);
  EXPECT_EQ(run.Commands[0].nCountdown, countdown);
  run.bRunning = 0;
  c.ResetFlowLatches();
  c.RunTriggeredFlows(0);
  EXPECT_EQ(run.bRunning, 0);
}

// Loop unrolling: L(r, c) stands for a loop command repeating the next c commands r times.
cEdCommand Loop(int64_t r, int64_t c) { return MakeCommand(39, 0, false, {static_cast<int32_t>(r), static_cast<int32_t>(c)}); }
cEdCommand Tag(int n) { return MakeCommand(1, n); }

std::string Names(const cVector<cEdCommand>& list) {
  std::string s;
  for (const cEdCommand& c : list) s += c.nType == 39 ? 'L' : static_cast<char>('A' + c.nTime);
  return s;
}

TEST(FlowLoops, UnrollingTable) {
  struct Case {
    const char* what;
    cVector<cEdCommand> list;
    std::string expected;
  } cases[] = {
      {"3 x 2", {Loop(3, 2), Tag(0), Tag(1), Tag(2)}, "ABABABC"},
      {"repeat 1 only removes the loop", {Loop(1, 2), Tag(0), Tag(1)}, "AB"},
      {"repeat 0 too", {Loop(0, 2), Tag(0), Tag(1)}, "AB"},
      {"negative repeat", {Loop(-5, 2), Tag(0), Tag(1)}, "AB"},
      {"negative cover", {Loop(3, -1), Tag(0), Tag(1)}, "AB"},
      {"cover cut to the rest", {Tag(0), Loop(2, 9), Tag(1), Tag(2)}, "ABCBC"},
      {"two loops, the first first", {Loop(2, 1), Tag(0), Loop(2, 1), Tag(1)}, "AABB"},
      {"a loop inside a copied part is unrolled in each copy", {Loop(2, 3), Tag(0), Loop(2, 1), Tag(1)}, "ABBABB"},
      {"a loop at the end covers nothing", {Tag(0), Loop(5, 1)}, "A"},
  };
  for (Case& k : cases) {
    SCOPED_TRACE(k.what);
    ExpandAllLoopCommands(k.list);
    EXPECT_EQ(Names(k.list), k.expected);
  }
}

TEST(FlowLoops, HugeAndNestedRepeatsStopAtTheCap) {
  cVector<cEdCommand> list = {Loop(1000000000, 1), Tag(0)};
  ExpandAllLoopCommands(list);
  EXPECT_LE(list.Count(), kMaxExpandedCommands);
  EXPECT_GE(list.Count(), kMaxExpandedCommands - 1);
  cVector<cEdCommand> nested = {Loop(1000, 2), Loop(1000, 1), Tag(0), Loop(1000, 1), Tag(1)};
  ExpandAllLoopCommands(nested);
  EXPECT_LE(nested.Count(), kMaxExpandedCommands);
  EXPECT_EQ(Names(nested).find('L'), std::string::npos);
}

TEST_F(FlowSchedule, TypesBeyondTheTableDoNothing) {
  for (int type : {40, 200, 255}) {
    SCOPED_TRACE(type);
    cStageChara& c = Chara({MakeFlow(0, {MakeCommand(type, 1)})});
    const double x = c.m_dX;
    EXPECT_EQ(Trace(c, 0, 100).size(), 6u);  // the countdown still runs
    EXPECT_EQ(c.m_dX, x);
    StageChara.clear();
  }
}

// Arranges.
using Arranges = FlowField;

TEST_F(Arranges, ArithmeticTable) {
  struct Case {
    const char* what;
    int32_t cur, x;
    int op;
    int32_t min, max, expected;
  } cases[] = {
      {"set", 5, 300, 0, 1, 127, 127},
      {"set below", 5, -5, 0, 1, 127, 1},
      {"multiply past int32", 100000, 100000, 3, -7200, 7200, 7200},
      {"multiply past int32, signs differ", -100000, 100000, 3, -7200, 7200, -7200},
      {"divide by 0 keeps", 9, 0, 4, -100, 100, 9},
      {"remainder by 0 keeps", 9, 0, 5, -100, 100, 9},
      {"remainder takes the sign of cur", -7, 3, 5, -100, 100, -1},
      {"INT_MIN / -1 in 64 bits, clamped", INT_MIN, -1, 4, INT_MIN, INT_MAX, INT_MAX},
      {"INT_MIN % -1", INT_MIN, -1, 5, INT_MIN, INT_MAX, 0},
      {"percent rounds half away from zero", 15, 50, 6, -100, 100, 8},
      {"percent, negative", -15, 50, 6, -100, 100, -8},
      {"add past int32", INT_MAX, 10, 1, INT_MIN, INT_MAX, INT_MAX},
      {"subtract past int32", INT_MIN, 10, 2, INT_MIN, INT_MAX, INT_MIN},
      {"unknown operation keeps", 42, 7, 9, -100, 100, 42},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    EXPECT_EQ(ArrangeValue(k.cur, k.x, k.op, k.min, k.max), k.expected);
  }
}

TEST_F(Arranges, PendingArrangesApplyToTheNextCommandOfTheirType) {
  SaveData.CommonVars.assign(cSaveData::kCommonVars, 0);
  m_Scene->m_StageVars.assign(cStageScene::kStageVars, 0);
  cStageChara& c = Chara({});
  c.m_Vars[0] = 10;
  c.m_Vars[1] = 2;
  cEdCommand shot = MakeCommand(11);
  NewEdShot(shot.pShot);
  shot.pShot->nCount = 5;
  cFlowRun run;
  // "+" by a variable holding 10, then "x" by one holding 2: 5 becomes 30.
  run.Arranges = {{11, 5, 1, 2, 0}, {11, 5, 3, 2, 1}};
  ApplyFlowArranges(shot, c, run);
  EXPECT_EQ(shot.pShot->nCount, 30);
  // An arrange for type 2 is no arrange for type 5.
  cEdCommand charge = MakeMove(5, 1, 10, 0);
  ApplyArrange(charge, {2, 4, 0, 2, 0}, c);
  EXPECT_EQ(charge.pMove->nAngle, 0);
  ApplyArrange(charge, {5, 4, 0, 2, 0}, c);
  EXPECT_EQ(charge.pMove->nAngle, 10);
  // Common and stage variable 0 are no source; character variable 0 is.
  SaveData.CommonVars[0] = 77;
  ApplyArrange(charge, {5, 4, 0, 0, 0}, c);
  EXPECT_EQ(charge.pMove->nAngle, 10);
  ApplyArrange(charge, {5, 4, 0, 1, 0}, c);
  EXPECT_EQ(charge.pMove->nAngle, 10);
  SaveData.CommonVars[1] = 77;
  ApplyArrange(charge, {5, 4, 0, 0, 1}, c);
  EXPECT_EQ(charge.pMove->nAngle, 77);
  // An item "message" (item type 4) takes arranges of table type 19.
  cEdCommand message = MakeCommand(4, 0, false, std::vector<int32_t>(16, 0));
  message.nSet = cEdCommand::kItemSet;
  ApplyArrange(message, {19, 0, 0, 2, 0}, c);
  EXPECT_EQ(message.Values[13], 10);
}

TEST_F(Arranges, FormationValuesUseThePatternsOwnRange) {
  cStageChara& c = Chara({});
  c.m_Vars[0] = 1000000;
  cEdCommand shot = MakeCommand(11);
  NewEdShot(shot.pShot);
  for (int pattern = 0; pattern < 6; ++pattern) {
    SCOPED_TRACE(pattern);
    shot.pShot->nFormation = static_cast<int8_t>(pattern);
    shot.pShot->nFormationParam[0] = 0;
    ApplyArrange(shot, {11, 2, 0, 2, 0}, c);
    EXPECT_LE(shot.pShot->nFormationParam[0], 32767);
    EXPECT_EQ(shot.pShot->nFormationParam[0], ShotPatternParamDesc(pattern, 0).nMax);
  }
  // A pattern beyond the table has no range: nothing changes.
  shot.pShot->nFormation = 40;
  shot.pShot->nFormationParam[0] = 3;
  ApplyArrange(shot, {11, 2, 0, 2, 0}, c);
  EXPECT_EQ(shot.pShot->nFormationParam[0], 3);
}

TEST_F(Arranges, TheArrangeCommandFillsTheFlowAndTheNextCommandEmptiesIt) {
  cEdCommand move = MakeMove(2, 1, 10, 3);
  cStageChara& c = Chara({MakeFlow(0, {MakeCommand(38, 0, true, {2, 4, 0, 2, 0}), move})});
  c.m_Vars[0] = 45;
  c.RunTriggeredFlows(0);
  c.StepFlowStates(0, 1);
  EXPECT_EQ(c.m_Def.Flows[0].Commands[1].pMove->nAngle, 45);
  EXPECT_TRUE(c.m_FlowStates[0].Arranges.empty());
}

}  // namespace
