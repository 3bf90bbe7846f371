// The run-code language: the worked lines, bad lines, and what an assignment
// drags along (gauges, HP limits, the status-death flag, unlimited lives).
#include <climits>
#include <functional>
#include <string>

#include "tests/chara/status_fixture.h"

namespace {

struct cCodeCase {
  const char* line;
  int legacy;
  bool target;
  std::function<void(cChara& self, cChara& other)> before;
  std::function<void(cChara& self, cChara& other)> check;
  int result;
  std::vector<int> messages;
};

using RunCodeTest = StatusField;

int& V(cChara& c, int i) { return c.m_Vars[static_cast<size_t>(i)]; }
int& C(int i) { return SaveData.CommonVars[static_cast<size_t>(i)]; }
int& S(int i) { return StageScene()->m_StageVars[static_cast<size_t>(i)]; }

TEST_F(RunCodeTest, LinesOfTheLanguage) {
  auto none = [](cChara&, cChara&) {};
  auto v1is = [](int n) { return [n](cChara& s, cChara&) { EXPECT_EQ(V(s, 1), n); }; };
  const std::vector<cCodeCase> cases = {
      {"my.v1 = 2 + 3 * 4", 0, false, none, v1is(14), 1, {}},
      // The right operand stays behind the product, and the addition adds 1 to it.
      {"v1 = 2 * 3 + 1", 1, false, none, v1is(6), 1, {}},
      {"v1 = 2 * 3 + 1", 0, false, none, v1is(7), 1, {}},
      {"v1 = (2 + 3) * 4", 0, false, none, v1is(20), 1, {}},
      {"v1 = ((((7))))", 0, false, none, v1is(7), 1, {}},
      // One word that is neither a variable nor a number: nothing assigned.
      {"v1=(2+3)", 0, false, [](cChara& s, cChara&) { V(s, 1) = 9; }, v1is(9), 1, {}},
      {"v1 = rand(1)", 0, false, [](cChara& s, cChara&) { V(s, 1) = 9; }, v1is(9), 0, {3}},
      {"v1 = 3 - -5", 0, false, none, v1is(8), 1, {}},
      {"v1 = -v2", 0, false, [](cChara& s, cChara&) { V(s, 2) = 5; }, v1is(0), 1, {}},
      {"tg.hp = 0", 0, false, none, [](cChara& s, cChara& o) { EXPECT_EQ(o.m_nHP, 100); EXPECT_EQ(s.m_nHP, 100); }, 0,
       {}},
      {"tg.hp = 0", 0, true, none, [](cChara&, cChara& o) { EXPECT_EQ(o.m_nHP, 0); }, 1, {}},
      {"S3 = 1000000", 0, false, none, [](cChara&, cChara&) { EXPECT_EQ(S(3), 999999); }, 1, {}},
      {"C255 = -1000000", 0, false, none, [](cChara&, cChara&) { EXPECT_EQ(C(255), -999999); }, 1, {}},
      {"cid = 150", 0, false, none, [](cChara& s, cChara&) { EXPECT_EQ(s.m_Def.cid, 99); }, 1, {}},
      {"z = -3", 0, false, none, [](cChara& s, cChara&) { EXPECT_EQ(s.m_Def.z, 0); }, 1, {}},
      {"mark = 70000", 0, false, none, [](cChara& s, cChara&) { EXPECT_EQ(s.m_Def.mark, 119); }, 1, {}},
      {"hp = 5000", 0, false, [](cChara& s, cChara&) { s.m_Def.mhp = 300; },
       [](cChara& s, cChara&) { EXPECT_EQ(s.m_nHP, 300); }, 1, {}},
      {"mhp = 10", 0, false, [](cChara& s, cChara&) { s.m_nHP = 0; },
       [](cChara& s, cChara&) { EXPECT_EQ(s.m_Def.mhp, 10); EXPECT_EQ(s.m_nHP, 1); }, 1, {}},
      {"v1 = (1 / 0)", 0, false, [](cChara& s, cChara&) { V(s, 1) = 9; }, v1is(0), 0, {6}},
      {"v1 = 5 % 0", 0, false, [](cChara& s, cChara&) { V(s, 1) = 9; }, v1is(9), 0, {6}},
      {"v1 = -2147483648 / -1", 0, false, none, v1is(999999), 1, {}},
      {"v1 = -2147483648 % -1", 0, false, [](cChara& s, cChara&) { V(s, 1) = 9; }, v1is(0), 1, {}},
      {"v1 = 2147483647 * 2147483647 - 5", 0, false, none, v1is(999999), 1, {}},
      {"v1 = abs(5)", 0, false, [](cChara& s, cChara&) { V(s, 1) = 9; }, v1is(0), 1, {}},
      // "1" before the full stop is dropped (a token came before it); 5 remains.
      {"v1 = 1.5", 0, false, none, v1is(5), 1, {}},
      {"x.v1 = 5", 0, false, none, v1is(0), 0, {4}},
      {"v1 = (2", 0, false, none, v1is(0), 0, {1}},
      {"v1 = rand(1, 2", 0, false, none, v1is(0), 0, {1}},
      // Operators without an operand: the report, and the statement ends.
      {"= 5", 0, false, none, none, 0, {}},
      {"v1 = 4 +", 0, false, none, v1is(0), 0, {}},
      {"+", 0, false, none, none, 0, {}},
      // The system has no character: its status words are errors.
      {"sys.hp = 5", 0, false, none, [](cChara& s, cChara&) { EXPECT_EQ(s.m_nHP, 100); }, 0, {}},
      {"sys.score = 10", 0, false, none, [](cChara&, cChara&) { EXPECT_EQ(SaveData.nStageScore, 10); }, 1, {}},
      {"score = -5", 0, false, [](cChara&, cChara&) { SaveData.nStageScore = 7; },
       [](cChara&, cChara&) { EXPECT_EQ(SaveData.nStageScore, 0); }, 1, {}},
      {"life = 5", 0, false, [](cChara&, cChara&) { SaveData.nLives = 999999; },
       [](cChara&, cChara&) { EXPECT_EQ(SaveData.nLives, 999999); }, 1, {}},
      {"v1 = life", 0, false, [](cChara&, cChara&) { SaveData.nLives = 999999; }, v1is(0), 1, {}},
      {"pl.cid = 3", 0, false, none, [](cChara&, cChara&) { EXPECT_EQ(Player.front().m_Def.cid, 3); }, 1, {}},
      {"v1 = time", 0, false, [](cChara&, cChara&) { StageScene()->m_bNoTimeLimit = 1; }, v1is(100), 1, {}},
      // Every word reads its value before any operation: v2 is still 1 on the right.
      {"v2 = v2 + 1", 0, false, [](cChara& s, cChara&) { V(s, 2) = 1; },
       [](cChara& s, cChara&) { EXPECT_EQ(V(s, 2), 2); }, 1, {}},
      {"", 0, false, none, none, 1, {}},
  };
  for (const cCodeCase& c : cases) {
    SCOPED_TRACE(std::string("line: ") + c.line + " legacy " + std::to_string(c.legacy));
    TearDown();
    SetUp();
    SystemData.bCompat752 = c.legacy;
    if (c.target) GiveTarget();
    c.before(*m_Self, *m_Other);
    EXPECT_EQ(RunCode(c.line, *m_Self), c.result);
    c.check(*m_Self, *m_Other);
    EXPECT_EQ(gMessages(), c.messages);
  }
}

TEST_F(RunCodeTest, RandGivesBothBoundsInEitherOrder) {
  bool seen[7] = {};
  for (int i = 0; i < 400; ++i) {
    ASSERT_EQ(RunCode(i % 2 ? "v1 = rand(1, 6)" : "v1 = rand(6, 1)", *m_Self), 1);
    const int v = V(*m_Self, 1);
    ASSERT_GE(v, 1);
    ASSERT_LE(v, 6);
    seen[v] = true;
  }
  for (int v = 1; v <= 6; ++v) EXPECT_TRUE(seen[v]) << v;
  EXPECT_TRUE(gMessages().empty());
}

TEST_F(RunCodeTest, BadVariableIndexesReportAndWriteNothing) {
  for (const char* line : {"C256 = 5", "C-1 = 5", "S255 = 5", "S-1 = 7"}) {
    SCOPED_TRACE(line);
    RunCode(line, *m_Self);
    for (int i = 0; i < cSaveData::kCommonVars; ++i) ASSERT_EQ(C(i), 0);
    for (int i = 0; i < cStageScene::kStageVars; ++i) ASSERT_EQ(S(i), 0);
  }
  // A bad index reads 0.
  C(0) = 44;
  EXPECT_EQ(RunCode("v1 = C300 + 1", *m_Self), 1);
  EXPECT_EQ(V(*m_Self, 1), 1);
}

TEST_F(RunCodeTest, AnotherCharactersHpAtZeroRaisesTheStatusDeathFlag) {
  GiveTarget();
  m_Scene->m_bStatusDeath = 0;
  RunCode("hp = 0", *m_Self);
  EXPECT_EQ(m_Scene->m_bStatusDeath, 0);
  RunCode("tg.hp = 0", *m_Self);
  EXPECT_EQ(m_Scene->m_bStatusDeath, 1);
}

TEST_F(RunCodeTest, HpChangesShowTheGaugeAfterTheLine) {
  m_Self->m_Def.mhp = 200;
  m_Self->m_nHP = 100;
  ASSERT_EQ(RunCode("hp = hp - 50", *m_Self), 1);
  EXPECT_EQ(m_Self->m_HPGauge.nFrames, 120);
  EXPECT_EQ(m_Self->m_HPGauge.nLength, 12);  // 50 x 50 / 200
  EXPECT_DOUBLE_EQ(m_Self->m_HPGauge.dChange, -12.5);
  // An error leaves the gauge alone, whatever ran.
  m_Self->m_HPGauge = cGauge();
  EXPECT_EQ(RunCode("hp = 10 / 0", *m_Self), 0);
  EXPECT_EQ(m_Self->m_HPGauge.nFrames, 0);
}

TEST_F(RunCodeTest, LongAndHostileLinesEndSafely) {
  std::string sum = "v1 =";
  while (sum.size() < 6000) sum += " 1 +";
  sum += " 1";
  RunCode(sum, *m_Self);  // cut at its limit, the last operator loses its operand
  EXPECT_GE(V(*m_Self, 1), 0);
  std::string nest = "v1 = " + std::string(2000, '(') + "3" + std::string(2000, ')');
  EXPECT_EQ(RunCode(nest, *m_Self), 1);
  EXPECT_EQ(V(*m_Self, 1), 3);
  std::string deep = "v1 = " + std::string(6000, '(');
  EXPECT_EQ(RunCode(deep, *m_Self), 0);
  EXPECT_EQ(RunCode(std::string("v1 = 4\0 + 5", 11), *m_Self), 1);  // cut at the NUL
  EXPECT_EQ(V(*m_Self, 1), 4);
  std::string ops;
  while (ops.size() < 6000) ops += "+ ";
  EXPECT_EQ(RunCode(ops, *m_Self), 0);
  EXPECT_EQ(RunCode(std::string(3000, '+'), *m_Self), 1);  // one word: the number 0
  EXPECT_EQ(RunCode(std::string(3000, '.'), *m_Self), 0);
}

}  // namespace
