// Starting flows: the trigger latch under each latch setting, the started latch,
// groups, triggers and groups beyond their tables; key conditions and their
// sequences; the character-state and distance conditions.
#include <gtest/gtest.h>

#include "app/svc/input.h"
#include "chara/flow_conditions.h"
#include "chara/key_conditions.h"
#include "data/condition.h"
#include "tests/chara/flow_fixture.h"

namespace {

using FlowTriggers = FlowField;

cEdCondition StageVarAtLeast(int index, int value) {
  cEdCondition c;
  c.nKind = cEdCondition::kStageVar;
  c.nVarIndex = static_cast<int16_t>(index);
  c.nValue = value;
  c.nCompare = 2;
  return c;
}

TEST_F(FlowTriggers, AFlowStartsAtMostOncePerFrame) {
  cStageChara& c = Chara({MakeFlow(0, {MakeCommand(1, 0)})});
  cFlowRun& run = c.m_FlowStates[0];
  c.RunTriggeredFlows(0);
  EXPECT_EQ(run.bRunning, 1);
  c.StepFlowStates(0, 1);
  EXPECT_EQ(run.bRunning, 0);
  c.RunTriggeredFlows(0);
  EXPECT_EQ(run.bRunning, 0);  // its started latch holds it until the next frame
  c.ResetFlowLatches();
  c.RunTriggeredFlows(0);
  EXPECT_EQ(run.bRunning, 1);
}

TEST_F(FlowTriggers, FailedConditionsAreTestedOncePerFrameUnlessNothingLatches) {
  struct Case {
    const char* what;
    int compat525, compat744;
    bool retested;
  } cases[] = {
      {"latch when it could start", 0, 0, false},
      {"early latch", 0, 1, false},
      {"no latch", 1, 1, true},
      {"no latch alone", 1, 0, true},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    SystemData.bCompat525 = k.compat525;
    SystemData.bCompat744 = k.compat744;
    m_Scene->m_StageVars.assign(cStageScene::kStageVars, 0);
    cEdFlow f = MakeFlow(0, {MakeCommand(1, 1)});
    f.Conditions.push_back(StageVarAtLeast(3, 5));
    cStageChara& c = Chara({f});
    c.RunTriggeredFlows(0);
    m_Scene->m_StageVars[3] = 5;
    c.RunTriggeredFlows(0);
    EXPECT_EQ(c.m_FlowStates[0].bRunning, k.retested ? 1 : 0);
    c.ResetFlowLatches();
    c.RunTriggeredFlows(0);
    EXPECT_EQ(c.m_FlowStates[0].bRunning, 1);
    StageChara.clear();
  }
}

TEST_F(FlowTriggers, EarlyLatchMakesAFlowEndingInTheFirstStepWaitForTheNextFrame) {
  for (int early : {0, 1}) {
    SCOPED_TRACE(early);
    SystemData.bCompat744 = early;
    cStageChara& c = Chara({MakeFlow(0, {MakeCommand(1, 1)})});
    cFlowRun& run = c.m_FlowStates[0];
    c.RunTriggeredFlows(0);
    for (int i = 0; i < 5; ++i) c.StepFlowStates(0, 1);
    c.ResetFlowLatches();     // a new frame; the flow has one step left
    c.RunTriggeredFlows(0);   // tested while running
    c.StepFlowStates(0, 1);   // ends in the first step
    EXPECT_EQ(run.bRunning, 0);
    c.RunTriggeredFlows(0);   // a later step of the same frame
    EXPECT_EQ(run.bRunning, early ? 0 : 1);
    StageChara.clear();
  }
}

TEST_F(FlowTriggers, OneFlowOfAGroupRunsAtATime) {
  cStageChara& c = Chara({MakeFlow(0, {MakeCommand(1, 0)}, 4), MakeFlow(0, {MakeCommand(1, 0)}, 4)});
  c.RunTriggeredFlows(0);
  EXPECT_EQ(c.m_FlowStates[0].bRunning, 1);
  EXPECT_EQ(c.m_FlowStates[1].bRunning, 0);
  c.StepFlowStates(0, 1);
  c.RunTriggeredFlows(0);
  EXPECT_EQ(c.m_FlowStates[1].bRunning, 0);  // the group is busy until the step's end
  c.EndFlowStep();
  c.ResetFlowLatches();
  c.RunTriggeredFlows(0);
  EXPECT_EQ(c.m_FlowStates[0].bRunning + c.m_FlowStates[1].bRunning, 1);
}

TEST_F(FlowTriggers, GroupsAndTriggersBeyondTheirTables) {
  cStageChara& c = Chara({MakeFlow(0, {MakeCommand(1, 1)}, 27), MakeFlow(0, {MakeCommand(1, 1)}, -3),
                          MakeFlow(50, {MakeCommand(1, 1)}), MakeFlow(-1, {MakeCommand(1, 1)})});
  c.RunTriggeredFlows(0);
  // Groups beyond 1..26 are no group: both start.
  EXPECT_EQ(c.m_FlowStates[0].bRunning, 1);
  EXPECT_EQ(c.m_FlowStates[1].bRunning, 1);
  for (int t : {19, 20, 255, -7}) c.RunTriggeredFlows(t);
  EXPECT_EQ(c.m_FlowStates[2].bRunning, 0);
  EXPECT_EQ(c.m_FlowStates[3].bRunning, 0);
}

// Key conditions on player 1's input: one word a frame.
class KeyConditions : public FlowField {
 protected:
  void SetUp() override {
    FlowField::SetUp();
    Input.assign(1, cInput());
  }
  void Feed(std::initializer_list<uint16_t> directions) {
    for (uint16_t d : directions) {
      Input[0].m_wDirection = d;
      Input[0].UpdateSequences();
    }
  }
  static cEdKeyCondition Key(std::initializer_list<int> held, int min = 1, int max = 999, int mode = 0) {
    cEdKeyCondition k;
    for (int i : held) k.Keys[static_cast<size_t>(i)] = 1;
    k.nMinFrames = static_cast<int16_t>(min);
    k.nMaxFrames = static_cast<int16_t>(max);
    k.nMode = static_cast<int8_t>(mode);
    return k;
  }
  bool Sequence(std::vector<cEdKeyCondition>& keys, int tolerance, bool facingLeft = false) {
    cVector<cEdKeyCondition*> p;
    for (cEdKeyCondition& k : keys) p.push_back(&k);
    return MatchKeySequence(p, tolerance, Input[0], facingLeft);
  }
};

constexpr uint16_t L = kDirLeft, R = kDirRight, D = kDirDown, DR = kDirDown | kDirRight, N = 0;

TEST_F(KeyConditions, SequencesWithToleranceAndOverlap) {
  struct Case {
    const char* what;
    std::vector<uint16_t> input;
    int tolerance;
    bool match;
  } cases[] = {
      {"down, down-right, right", {D, DR, R}, 0, true},
      {"held longer", {D, D, DR, DR, R}, 0, true},
      {"a gap frame, tolerance 0", {D, N, DR, R}, 0, false},
      {"a gap frame, tolerance 2", {D, N, DR, R}, 2, true},
      {"two gap frames, tolerance 2", {D, N, N, DR, N, R}, 2, true},
      {"three gap frames, tolerance 2", {D, N, N, N, DR, R}, 2, false},
      {"out of order", {DR, D, R}, 2, false},
      {"the last one not held now", {D, DR, R, N}, 0, false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    Input[0] = cInput();
    for (uint16_t w : k.input) Feed({w});
    std::vector<cEdKeyCondition> keys = {Key({4}), Key({8}), Key({2})};
    EXPECT_EQ(Sequence(keys, k.tolerance), k.match);
  }
}

TEST_F(KeyConditions, HoldLengthsCombinationsAndFacing) {
  Feed({N, L, L, L});
  std::vector<cEdKeyCondition> right = {Key({2}, 1, 10)};
  right[0].bRelative = 1;
  EXPECT_TRUE(Sequence(right, 0, true));    // relative: left counts as front
  EXPECT_FALSE(Sequence(right, 0, false));
  std::vector<cEdKeyCondition> longHold = {Key({1}, 4, 10)};
  EXPECT_FALSE(Sequence(longHold, 0));       // held 3 frames
  longHold[0].bAnyLength = 1;
  EXPECT_TRUE(Sequence(longHold, 0));
  std::vector<cEdKeyCondition> anyOf = {Key({1, 2}, 1, 99, 1)}, oneOf = {Key({1, 9}, 1, 99, 2)},
                               allOf = {Key({1, 9}, 1, 99, 0)};
  EXPECT_TRUE(Sequence(anyOf, 0));
  EXPECT_FALSE(Sequence(oneOf, 0));          // left and "any direction" both held
  EXPECT_TRUE(Sequence(allOf, 0));
  cEdKeyCondition released = Key({});
  released.Keys[2] = 2;                      // right not held
  EXPECT_TRUE(IsKeyConditionHeld(&Input[0], released));
  EXPECT_TRUE(IsKeyConditionHeld(&Input[0], Key({1})));
  EXPECT_FALSE(IsKeyConditionHeld(&Input[0], Key({2})));
  // Key-state lists of 0 and 40 entries: the missing keys are unused, the extra ignored.
  cEdKeyCondition none = Key({});
  none.Keys.clear();
  EXPECT_TRUE(IsKeyConditionHeld(&Input[0], none));
  cEdKeyCondition many = Key({1});
  many.Keys.assign(40, 1);
  EXPECT_FALSE(IsKeyConditionHeld(&Input[0], many));  // the 19 keys are all asked for
  EXPECT_EQ(GetDirectionState(Input[0]), 1);
}

TEST_F(KeyConditions, HeldKeysFireOnceUnlessTheFlowRepeats) {
  for (int repeat : {0, 1}) {
    SCOPED_TRACE(repeat);
    Input[0] = cInput();
    cEdFlow f = MakeFlow(0, {MakeCommand(1, 0)});
    f.KeyConditions.push_back(Key({1}));
    f.bKeyRepeat = static_cast<int8_t>(repeat);
    cStageChara& c = Chara({f});
    int starts = 0;
    for (uint16_t w : {L, L, L, N, L}) {
      Feed({w});
      c.ResetFlowLatches();
      c.RunTriggeredFlows(0);
      starts += c.m_FlowStates[0].bRunning;
      c.StepFlowStates(0, 1);
    }
    EXPECT_EQ(starts, repeat ? 4 : 2);
    StageChara.clear();
  }
}

// The state and distance conditions.
using Conditions = FlowField;

TEST_F(Conditions, DistanceShapes) {
  Player.emplace_back();
  cPlayer& p = Player.front();
  struct Case {
    const char* what;
    int shape, facing;
    double px, py;
    bool within;
  } cases[] = {
      {"both sides, right", 0, 0, 680, 600, true},
      {"both sides, too far", 0, 0, 720, 600, false},
      {"front, facing right", 1, 1, 680, 600, true},
      {"front, behind", 1, 1, 520, 600, false},
      {"back, behind a right-facing one", 2, 1, 520, 600, true},
      {"above and below", 3, 0, 600, 680, true},
      {"above when facing left: below is out", 4, 0, 600, 680, false},
      {"below when facing right", 4, 1, 600, 680, true},
      {"circle", 6, 0, 640, 640, true},
      {"circle, corner too far", 6, 0, 680, 680, false},
      {"shape beyond the table", 9, 0, 600, 600, false},
  };
  cStageChara& c = Chara({});
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    c.m_nFacing = k.facing;
    Place(p, k.px, k.py);
    p.m_nDrawWidth = p.m_nDrawHeight = 32;
    cEdCondition d;
    d.nKind = cEdCondition::kDistance;
    d.nValue = 4;  // 64 dots
    d.nShape = static_cast<int8_t>(k.shape);
    EXPECT_EQ(CheckDistanceCondition(d, c), k.within);
    d.nCompare = 1;
    EXPECT_EQ(CheckDistanceCondition(d, c), k.shape <= 6 && !k.within);
  }
  // No target: false, negated or not.
  cEdCondition t;
  t.nKind = cEdCondition::kDistance;
  t.nSubject = 1;
  c.SetTarget(nullptr);
  EXPECT_FALSE(CheckDistanceCondition(t, c));
  t.nCompare = 1;
  EXPECT_FALSE(CheckDistanceCondition(t, c));
}

TEST_F(Conditions, StatesAndComparisons) {
  cStageChara& c = Chara({});
  c.m_nFacing = 1;
  c.m_bFalling = c.m_bRising = 0;
  cEdCondition s;
  s.nKind = cEdCondition::kStatus3;
  s.nLeftItem = 1;
  EXPECT_TRUE(CheckStatusCondition3(s, c));
  s.nCompare = 1;
  EXPECT_FALSE(CheckStatusCondition3(s, c));
  s.nLeftItem = 2;
  s.nCompare = 0;
  EXPECT_TRUE(CheckStatusCondition3(s, c));  // standing
  c.m_bFalling = 1;
  EXPECT_FALSE(CheckStatusCondition3(s, c));
  cEdCondition s2;
  s2.nKind = cEdCondition::kStatus2;
  s2.nLeftItem = 5;
  s2.nVarIndex = 1;
  c.m_Def.nGiant = 1;
  EXPECT_TRUE(CheckStatusCondition2(s2, c));
  s2.nLeftItem = 0;
  EXPECT_FALSE(CheckStatusCondition2(s2, c));
  EXPECT_TRUE(CompareConditionValue(-6, 3, 6));
  EXPECT_TRUE(CompareConditionValue(5, 0, 6));
  EXPECT_FALSE(CompareConditionValue(5, 0, 7));
  EXPECT_FALSE(CompareConditionValue(5, 5, 8));
  // Condition kinds 0 and 9 never hold.
  for (int kind : {0, 9}) {
    cEdCondition k;
    k.nKind = static_cast<int8_t>(kind);
    EXPECT_FALSE(m_Scene->CheckCondition(k, &c));
  }
}

}  // namespace
