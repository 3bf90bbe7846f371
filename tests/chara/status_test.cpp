// Statuses and variables: the shared arithmetic, status conditions and status
// operations with their ranges, operands and side effects.
#include <climits>
#include <string>

#include "data/command.h"
#include "data/condition.h"
#include "tests/chara/status_fixture.h"

namespace {

TEST(StatusArithmetic, CompareByOperator) {
  struct {
    int a, b, op;
    bool expected;
  } cases[] = {
      {3, 3, 0, true},   {3, 4, 1, true},   {4, 4, 2, true},  {3, 4, 3, true},   {5, 4, 4, true},
      {4, 4, 5, false},  {7, 0, 6, true},   {7, 0, 7, false}, {-9, 3, 6, true},  {-9, 4, 7, true},
      {9, -3, 6, true},  {INT_MIN, -1, 6, true}, {INT_MIN, 3, 7, true}, {1, 1, 8, false}, {1, 1, -1, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CompareByOperator(c.a, c.b, c.op), c.expected) << c.a << " op " << c.op << " " << c.b;
  // The narrow variants compare in their width.
  EXPECT_TRUE(CompareByOperator(static_cast<int8_t>(300), static_cast<int8_t>(44), 0));
  EXPECT_TRUE(CompareByOperator(static_cast<int16_t>(70000), static_cast<int16_t>(4464), 0));
}

TEST(StatusArithmetic, PercentOfRoundsHalfAwayFromZero) {
  EXPECT_EQ(PercentOf(7, 50), 4);
  EXPECT_EQ(PercentOf(-7, 50), -4);
  EXPECT_EQ(PercentOf(0, 12345), 0);
  EXPECT_EQ(PercentOf(200, 150), 300);
  // The product is not cut to 32 bits, and the result holds to the int range.
  EXPECT_EQ(PercentOf(100000, 100000), 100000000);
  EXPECT_EQ(PercentOf(INT_MAX, INT_MAX), INT_MAX);
  EXPECT_EQ(PercentOf(INT_MIN, INT_MAX), INT_MIN);
  EXPECT_EQ(PercentOf(static_cast<int8_t>(300), 50), 22);  // 44 after the cut
}

TEST(StatusArithmetic, ApplyOperationClampsWithoutWrapping) {
  struct {
    int t, n, op, expected;
  } cases[] = {
      {5, 9, 0, 9},          {5, 9, 1, 14},         {5, 9, 2, -4},       {500000, 5000, 3, 999999},
      {-500000, 5000, 3, -999999}, {7, 2, 4, -0 + 3}, {-7, 2, 4, -3},      {7, 0, 4, 7},
      {-7, 3, 5, -1},        {7, 0, 5, 7},          {7, 50, 6, 4},       {7, 1, 7, 7},
      {999999, 999999, 1, 999999}, {INT_MIN, -1, 4, 999999}, {INT_MIN, -1, 5, 0},
  };
  for (const auto& c : cases) {
    int32_t t = c.t;
    ApplyOperation(t, c.n, c.op, -999999, 999999);
    EXPECT_EQ(t, c.expected) << c.t << " op " << c.op << " " << c.n;
  }
  // Division by 0 leaves the target alone, and the clamp still applies.
  int32_t t = 5000;
  ApplyOperation(t, 0, 4, 0, 100);
  EXPECT_EQ(t, 100);
  // A byte status never wraps: 99 + 50 stays at its maximum 99.
  int8_t cid = 99;
  ApplyOperation(cid, static_cast<int8_t>(50), 1, 0, 99);
  EXPECT_EQ(cid, 99);
  int8_t imp = -20;
  ApplyOperation(imp, static_cast<int8_t>(100), 3, -20, 20);
  EXPECT_EQ(imp, -20);
  int16_t stop = 200;
  ApplyOperation(stop, static_cast<int16_t>(32767), 1, 0, 200);
  EXPECT_EQ(stop, 200);
}

using StatusConditionTest = StatusField;

cEdCondition Cond(int left, int scope, int subject, int item, int index, int op, int constant) {
  cEdCondition c;
  c.nKind = cEdCondition::kStatus;
  c.nLeftSide = static_cast<int8_t>(left);
  c.nLeftScope = static_cast<int8_t>(scope);
  c.nSubject = static_cast<int8_t>(subject);
  c.nLeftItem = static_cast<int8_t>(item);
  c.nVarIndex = static_cast<int16_t>(index);
  c.nCompare = static_cast<int8_t>(op);
  c.nValue = constant;
  return c;
}

TEST_F(StatusConditionTest, LeftSidesAndOperands) {
  m_Self->m_Vars[3] = 12;
  SaveData.CommonVars[7] = 5;
  m_Scene->m_StageVars[2] = -4;
  EXPECT_TRUE(CheckStatusCondition(Cond(0, 0, 0, kStatusVar, 3, 0, 12), *m_Self));
  EXPECT_TRUE(CheckStatusCondition(Cond(1, 0, 0, 0, 7, 0, 5), *m_Self));
  EXPECT_TRUE(CheckStatusCondition(Cond(1, 1, 0, 0, 2, 5, 0), *m_Self));
  EXPECT_FALSE(CheckStatusCondition(Cond(1, 2, 0, 0, 2, 1, 99), *m_Self));  // unknown scope
  EXPECT_TRUE(CheckStatusCondition(Cond(0, 0, 0, kStatusHp, 0, 0, 100), *m_Self));
  // No target: false whatever the test.
  EXPECT_FALSE(CheckStatusCondition(Cond(0, 0, 1, kStatusHp, 0, 1, -1), *m_Self));
  GiveTarget();
  m_Other->m_nHP = 30;
  EXPECT_TRUE(CheckStatusCondition(Cond(0, 0, 1, kStatusHp, 0, 0, 30), *m_Self));
  // Status indexes outside the list are false.
  EXPECT_FALSE(CheckStatusCondition(Cond(0, 0, 0, 15, 0, 1, 12345), *m_Self));
  EXPECT_FALSE(CheckStatusCondition(Cond(0, 0, 0, -1, 0, 1, 12345), *m_Self));
  EXPECT_FALSE(CheckStatusCondition(Cond(0, 0, 2, 5, 0, 1, 12345), *m_Self));
  // A byte status compares in its width: 300 is 44.
  m_Self->m_Def.cid = 44;
  EXPECT_TRUE(CheckStatusCondition(Cond(0, 0, 0, kStatusCid, 0, 0, 300), *m_Self));
  // An operand from another status, a variable, a random range.
  cEdCondition c = Cond(0, 0, 0, kStatusHp, 0, 0, 0);
  c.nRightSide = 2;
  c.nRightSubject = 1;
  c.nRightItem = kStatusHp;
  EXPECT_FALSE(CheckStatusCondition(c, *m_Self));
  m_Other->m_nHP = 100;
  EXPECT_TRUE(CheckStatusCondition(c, *m_Self));
  c.nRightItem = kStatusSight;  // another character's sight cannot be read
  m_Self->m_Def.sight = 0;
  m_Other->m_Def.sight = 0;
  c.nLeftItem = kStatusSight;
  EXPECT_FALSE(CheckStatusCondition(c, *m_Self));
  c = Cond(0, 0, 0, kStatusHp, 0, 0, 0);
  c.nRightSide = 1;
  c.nRandMin = 100;
  c.nRandMax = 100;
  EXPECT_TRUE(CheckStatusCondition(c, *m_Self));
  c.nRightSide = 3;
  c.nRightScope = 0;
  c.nRightVarIndex = 7;
  SaveData.CommonVars[7] = 100;
  EXPECT_TRUE(CheckStatusCondition(c, *m_Self));
  c.nRightVarIndex = 256;  // reported, read as 0
  EXPECT_FALSE(CheckStatusCondition(c, *m_Self));
}

TEST_F(StatusConditionTest, PercentTimeAndLife) {
  m_Self->m_Def.mhp = 300;
  m_Self->m_nHP = 150;
  cEdCondition c = Cond(0, 0, 0, kStatusHp, 0, 0, 50);
  c.bPercent = 1;
  EXPECT_TRUE(CheckStatusCondition(c, *m_Self));
  // The percent flag on another status compares against 0.
  c = Cond(0, 0, 0, kStatusPower, 0, 0, 50);
  c.bPercent = 1;
  EXPECT_TRUE(CheckStatusCondition(c, *m_Self));
  // A stage without a time limit holds 999: the left side reads it, an operand 0.
  m_Scene->m_nTimeLeft = 999;
  m_Scene->m_bNoTimeLimit = 1;
  EXPECT_FALSE(CheckStatusCondition(Cond(0, 0, 2, kSysTime, 0, 0, 0), *m_Self));
  c = Cond(0, 0, 0, kStatusPower, 0, 0, 0);
  c.nRightSide = 2;
  c.nRightSubject = 2;
  c.nRightItem = kSysTime;
  EXPECT_TRUE(CheckStatusCondition(c, *m_Self));
  SaveData.nLives = 999999;
  EXPECT_FALSE(CheckStatusCondition(Cond(0, 0, 2, kSysLife, 0, 1, 5), *m_Self));
}

using StatusOperationTest = StatusField;

// The command body on a copy of the command (the handler takes it by reference).
void Exec(cChara& self, cEdCommand command) { EXPECT_EQ(ExecStatusOperation(self, command), 0); }

cEdCommand Op(int kind, int scope, int index, int object, int status, int op, int constant) {
  cEdCommand c;
  c.Values.assign(18, 0);
  c.Values[0] = kind;
  c.Values[1] = scope;
  c.Values[2] = index;
  c.Values[3] = object;
  c.Values[4] = status;
  c.Values[5] = op;
  c.Values[7] = constant;
  return c;
}

TEST_F(StatusOperationTest, TargetsRangesAndBadIndexes) {
  Exec(*m_Self, Op(1, 0, 10, 0, 0, 0, 5000000));
  EXPECT_EQ(SaveData.CommonVars[10], 999999);
  Exec(*m_Self, Op(1, 1, 254, 0, 0, 1, -3));
  EXPECT_EQ(m_Scene->m_StageVars[254], -3);
  Exec(*m_Self, Op(0, 0, 8, 0, kStatusVar, 0, 17));
  EXPECT_EQ(m_Self->m_Vars[8], 17);
  // Bad indexes, scopes, kinds, statuses and operations change nothing.
  const cVector<int32_t> common = SaveData.CommonVars;
  const cVector<int32_t> stage = m_Scene->m_StageVars;
  const cVector<int32_t> vars = m_Self->m_Vars;
  for (const cEdCommand& c : {Op(1, 0, 256, 0, 0, 0, 1), Op(1, 0, -1, 0, 0, 0, 1), Op(1, 1, 255, 0, 0, 0, 1),
                              Op(1, 2, 0, 0, 0, 0, 1), Op(2, 0, 0, 0, 0, 0, 1), Op(0, 0, 9, 0, kStatusVar, 0, 1),
                              Op(0, 0, -1, 0, kStatusVar, 0, 1), Op(0, 0, 0, 0, 15, 0, 1),
                              Op(0, 0, 0, 2, 5, 0, 1), Op(1, 0, 3, 0, 0, 7, 1)}) {
    Exec(*m_Self, c);
  }
  EXPECT_EQ(SaveData.CommonVars, common);
  EXPECT_EQ(m_Scene->m_StageVars, stage);
  EXPECT_EQ(m_Self->m_Vars, vars);
  // Byte and 16-bit statuses end inside their ranges, never wrapped.
  m_Self->m_Def.cid = 99;
  Exec(*m_Self, Op(0, 0, 0, 0, kStatusCid, 1, 50));
  EXPECT_EQ(m_Self->m_Def.cid, 99);
  Exec(*m_Self, Op(0, 0, 0, 0, kStatusMark, 0, 70000));
  EXPECT_EQ(m_Self->m_Def.mark, 119);
  // Multiplying past the range saturates.
  m_Self->m_Def.power = 500000;
  Exec(*m_Self, Op(0, 0, 0, 0, kStatusPower, 3, 5000));
  EXPECT_EQ(m_Self->m_Def.power, 999999);
  m_Self->m_Def.power = -500000;
  Exec(*m_Self, Op(0, 0, 0, 0, kStatusPower, 3, 5000));
  EXPECT_EQ(m_Self->m_Def.power, -999999);
  // Missing target: nothing.
  Exec(*m_Self, Op(0, 0, 0, 1, kStatusHp, 0, 0));
  EXPECT_EQ(m_Other->m_nHP, 100);
}

TEST_F(StatusOperationTest, HpSpAndTheirMaxima) {
  cEdCommand c = Op(0, 0, 0, 0, kStatusHp, 2, 30);
  Exec(*m_Self, c);
  EXPECT_EQ(m_Self->m_nHP, 70);
  c.Values[15] = 1;  // a percentage of mhp
  c.Values[5] = 1;
  c.Values[7] = 10;
  Exec(*m_Self, c);
  EXPECT_EQ(m_Self->m_nHP, 80);
  c.Values[15] = 2;  // a percentage of the current HP
  c.Values[5] = 2;
  c.Values[7] = 50;
  Exec(*m_Self, c);
  EXPECT_EQ(m_Self->m_nHP, 40);
  c.Values[15] = 3;  // no such mode: HP unchanged
  Exec(*m_Self, c);
  EXPECT_EQ(m_Self->m_nHP, 40);
  c = Op(0, 0, 0, 0, kStatusHp, 1, 5000);
  Exec(*m_Self, c);
  EXPECT_EQ(m_Self->m_nHP, 100);  // a heal stops at the maximum
  Exec(*m_Self, Op(0, 0, 0, 0, kStatusMhp, 0, 60));
  EXPECT_EQ(m_Self->m_nHP, 60);
  Exec(*m_Self, Op(0, 0, 0, 0, kStatusMsp, 0, 20));
  EXPECT_EQ(m_Self->m_nSP, 20);
  // The invincible are skipped only when the operation asks.
  m_Self->m_Def.nInvincible = 1;
  c = Op(0, 0, 0, 0, kStatusHp, 2, 10);
  c.Values[17] = 1;
  Exec(*m_Self, c);
  EXPECT_EQ(m_Self->m_nHP, 60);
  c.Values[17] = 0;
  Exec(*m_Self, c);
  EXPECT_EQ(m_Self->m_nHP, 50);
}

TEST_F(StatusOperationTest, StatusDeathFlagOnlyForOthers) {
  GiveTarget();
  Exec(*m_Self, Op(0, 0, 0, 0, kStatusMhp, 0, 0));
  EXPECT_EQ(m_Self->m_nHP, 0);
  EXPECT_EQ(m_Scene->m_bStatusDeath, 0);
  Exec(*m_Self, Op(0, 0, 0, 1, kStatusMhp, 0, 0));
  EXPECT_EQ(m_Other->m_nHP, 0);
  EXPECT_EQ(m_Scene->m_bStatusDeath, 1);
}

TEST_F(StatusOperationTest, SystemValues) {
  SaveData.nLives = 999999;
  Exec(*m_Self, Op(0, 0, 0, 2, kSysLife, 0, 3));
  EXPECT_EQ(SaveData.nLives, 999999);
  SaveData.nLives = 98;
  Exec(*m_Self, Op(0, 0, 0, 2, kSysLife, 1, 5));
  EXPECT_EQ(SaveData.nLives, 99);
  Exec(*m_Self, Op(0, 0, 0, 2, kSysScore, 1, 5000000));
  EXPECT_EQ(SaveData.nStageScore, 999999);
  m_Scene->m_bNoTimeLimit = 1;
  Exec(*m_Self, Op(0, 0, 0, 2, kSysTime, 0, 1234));
  EXPECT_EQ(m_Scene->m_nTimeLeft, 999);
  StageData.bAutoScrollX = 1;
  Exec(*m_Self, Op(0, 0, 0, 2, kSysScrollX, 0, -600));
  EXPECT_EQ(StageData.nAutoScrollSpeedX, -480);
  EXPECT_NE(m_Scene->m_ScrollX.m_dAutoSpeed, 0.0);
  // Percent of the current value.
  cEdCommand c = Op(0, 0, 0, 2, kSysScore, 0, 50);
  c.Values[14] = 1;
  Exec(*m_Self, c);
  EXPECT_EQ(SaveData.nStageScore, 500000);
}

TEST_F(StatusOperationTest, SightAndStopKeepTheirDerivedValues) {
  Exec(*m_Self, Op(0, 0, 0, 0, kStatusSight, 0, 5));
  EXPECT_EQ(m_Self->m_Def.sight, 0);  // only the player has a sight
  Exec(*m_Player, Op(0, 0, 0, 0, kStatusSight, 0, 50));
  EXPECT_EQ(m_Player->m_Def.sight, 40);
  EXPECT_EQ(m_Player->m_nSightDots, 640);
  m_Self->m_dFriction = 0;
  Exec(*m_Self, Op(0, 0, 0, 0, kStatusStop, 0, 100));
  EXPECT_EQ(m_Self->m_Def.stop, 100);
  EXPECT_GT(m_Self->m_dFriction, 0.0);
}

}  // namespace
