// Condition lists with their comparisons, modes and latches, the activity of
// characters under conditions, conditional blocks, and the stage clock.
#include <climits>

#include "app/base/timing.h"
#include "tests/stage/play_step_fixture.h"

namespace {

using Rows = std::vector<std::string>;

cEdCondition StageVar(int index, int compare, int value, int kind = cEdCondition::kStageVar) {
  cEdCondition c;
  c.nKind = static_cast<int8_t>(kind);
  c.nVarIndex = static_cast<int16_t>(index);
  c.nCompare = static_cast<int8_t>(compare);
  c.nValue = value;
  return c;
}

Rows Field(const std::string& row8) {
  Rows r(10, "");
  r[8] = row8;
  r[9] = std::string(30, '#');
  return r;
}

TEST_F(PlayStepTest, ConditionComparisonsKindsAndModes) {
  Load(Stage(Field("..P")).Build());
  struct Case {
    int value, compare, against;
    bool holds;
  };
  const Case cases[] = {
      {5, 0, 5, true},   {5, 0, 4, false},  {5, 1, 4, true},   {5, 1, 5, false},  {5, 2, 5, true},
      {4, 2, 5, false},  {5, 3, 5, true},   {6, 3, 5, false},  {6, 4, 5, true},   {5, 4, 5, false},
      {4, 5, 5, true},   {5, 5, 5, false},  {-6, 6, 3, true},  {7, 6, 3, false},  {7, 6, 0, true},
      {0, 6, 0, true},   {7, 7, 3, true},   {-6, 7, 3, false}, {7, 7, 0, false},  {5, 8, 5, false},
      {5, -1, 5, false}, {INT_MIN + 1, 6, 1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.value) + " op " + std::to_string(c.compare) + " " + std::to_string(c.against));
    m_Scene->m_StageVars.At(3) = c.value;
    EXPECT_EQ(m_Scene->CheckCondition(StageVar(3, c.compare, c.against), &P()), c.holds);
  }
  // Common and character variables; kinds outside the list never hold.
  SaveData.CommonVars.At(7) = 9;
  P().m_Vars.At(2) = -4;
  EXPECT_TRUE(m_Scene->CheckCondition(StageVar(7, 0, 9, cEdCondition::kCommonVar), &P()));
  EXPECT_TRUE(m_Scene->CheckCondition(StageVar(2, 5, 0, cEdCondition::kCharaVar), &P()));
  EXPECT_FALSE(m_Scene->CheckCondition(StageVar(2, 5, 0, cEdCondition::kCharaVar), nullptr));
  for (int kind : {0, 8, 100, -3}) EXPECT_FALSE(m_Scene->CheckCondition(StageVar(3, 0, 0, kind), &P())) << kind;

  // Modes: all, any; the empty list holds in both; other modes never hold.
  m_Scene->m_StageVars.At(3) = 5;
  const cVector<cEdCondition> mixed = {StageVar(3, 0, 5), StageVar(3, 0, 6)};
  EXPECT_FALSE(m_Scene->CheckConditionList(mixed, 0, &P()));
  EXPECT_TRUE(m_Scene->CheckConditionList(mixed, 1, &P()));
  EXPECT_FALSE(m_Scene->CheckConditionList(mixed, 2, &P()));
  EXPECT_FALSE(m_Scene->CheckConditionList(mixed, -1, &P()));
  const cVector<cEdCondition> none;
  EXPECT_TRUE(m_Scene->CheckConditionList(none, 0, &P()));
  EXPECT_TRUE(m_Scene->CheckConditionList(none, 1, &P()));
  SaveData.CommonVars.At(7) = 0;
}

TEST_F(PlayStepTest, AConditionalCharacterIsActiveWhileItsConditionHoldsOrOnceLatched) {
  for (int latch : {0, 1}) {
    SCOPED_TRACE(latch);
    cEdStage s = Stage(Field("..P.E")).Build();
    cEdChara& e = PlacedAt(s, 4, 8);
    e.Conditions = {StageVar(3, 2, 5)};  // stage variable 3 at least 5
    e.bCondLatch = static_cast<int8_t>(latch);
    Load(s);
    cStageChara& c = StageChara.front();
    m_Scene->UpdateActivity();
    EXPECT_FALSE(c.m_bActive);
    m_Scene->m_StageVars.At(3) = 5;
    m_Scene->UpdateActivity();
    EXPECT_TRUE(c.m_bActive);
    EXPECT_TRUE(c.m_bActivated);
    m_Scene->m_StageVars.At(3) = 4;
    m_Scene->UpdateActivity();
    EXPECT_EQ(c.m_bActive, latch);
  }
}

TEST_F(PlayStepTest, AConditionalBlockCollidesOnlyWhileItsConditionsHold) {
  cEdBlock gate;
  gate.nGraphic = 3;
  gate.nHitKind = 1;
  gate.Conditions = {StageVar(3, 0, 1)};
  cPlayStage stage = Stage(Field("..P.....")).Kind('G', gate);
  Rows rows = Field("..P");
  rows[9] = "GGGGGGGGGG";
  stage.Map(rows);
  Load(stage.Build());
  const int cell = CellIndexAt(12, 19, m_Scene->m_ScrollX.m_nStrideShift);
  EXPECT_EQ(CellHitKind(cell, P().m_nPass), 0);
  m_Scene->m_StageVars.At(3) = 1;
  EXPECT_EQ(CellHitKind(cell, P().m_nPass), 1);
  // The player stands on it only while it exists.
  Steps(30);
  EXPECT_TRUE(P().LRUD[3]);
  m_Scene->m_StageVars.At(3) = 0;
  Steps(60);
  EXPECT_GT(P().m_dY, CellTop(9));
}

TEST_F(PlayStepTest, TheTimeLimitTicksOnceASecondAndRunsOut) {
  cPlayStage st = Stage(Field("..P"));
  st.Settings().bTimeLimit = 1;
  st.Settings().nTimeLimit = 1;
  Load(st.Build());
  for (int f = 1; f < 60; ++f) ASSERT_EQ(m_Scene->CountDownTime(-1), 0) << f;
  EXPECT_EQ(m_Scene->CountDownTime(-1), 1);
  EXPECT_EQ(m_Scene->m_nTimeLeft, 0);
  // A setting above 999 shows 999 after the first tick.
  m_Scene->m_nTimeLeft = 1500;
  CountGate(0, 0);
  for (int f = 1; f < 60; ++f) m_Scene->CountDownTime(-1);
  EXPECT_EQ(m_Scene->m_nTimeLeft, 1500);
  m_Scene->CountDownTime(-1);
  EXPECT_EQ(m_Scene->m_nTimeLeft, 999);
  // Without a time limit nothing counts.
  m_Scene->m_bNoTimeLimit = 1;
  for (int f = 0; f < 200; ++f) EXPECT_EQ(m_Scene->CountDownTime(-1), 0);
  EXPECT_EQ(m_Scene->m_nTimeLeft, 999);
}

TEST_F(PlayStepTest, PlayTimeCountsHundredthsAndStopsAt99m59s99) {
  Load(Stage(Field("..P")).Build());
  for (int f = 0; f < 60; ++f) m_Scene->CountPlayTime();
  EXPECT_EQ(m_Scene->m_nPlayTime, 100);
  m_Scene->m_nPlayFrames = 359999;
  m_Scene->CountPlayTime();
  EXPECT_EQ(m_Scene->m_nPlayTime, 599999);
  m_Scene->CountPlayTime();
  EXPECT_EQ(m_Scene->m_nPlayTime, 599999);
  EXPECT_EQ(m_Scene->m_nPlayFrames, 360000);
}

}  // namespace
