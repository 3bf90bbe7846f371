// Damage of body and shot hits, the two kinds of invincibility, and death.
#include <climits>

#include "chara/shot.h"
#include "tests/chara/status_fixture.h"

namespace {

using DamageTest = StatusField;

TEST_F(DamageTest, BodyHitDamageTable) {
  struct {
    int power, def, hp, mhp, invincible;
    int hpAfter, died;
  } cases[] = {
      {30, 10, 100, 100, 0, 80, 0},
      {5, 10, 100, 100, 0, 100, 0},   // all taken by the defence
      {-3, 0, 98, 100, 0, 100, 0},    // a negative power heals, never past mhp
      {-3, 0, 50, 100, 0, 53, 0},
      {30, 0, 100, 100, 1, 100, 0},   // invincible: no HP lost
      {30, 0, 100, 100, 2, 100, 0},
      {0, 0, 0, 100, 0, 0, 1},        // already at 0: a hit of 0 reports the death
      {0, 0, 0, 100, 1, 0, 0},
      {INT_MAX, 0, 999999, 999999, 0, 0, 1},
      {INT_MAX, INT_MAX, 100, 100, 0, 100, 0},
      {INT_MIN, 0, 10, 100, 0, 100, 0},
      {100, -999999, 2000000, 2000000, 0, 1000001, 0},  // damage above 999999 is cut
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "power " << c.power << " def " << c.def << " hp " << c.hp);
    m_Other->m_Def.power = c.power;
    m_Self->m_Def.def = c.def;
    m_Self->m_Def.mhp = c.mhp;
    m_Self->m_nHP = c.hp;
    m_Self->m_Def.nInvincible = static_cast<int8_t>(c.invincible);
    EXPECT_EQ(m_Self->TakeBodyHit(*m_Other), c.died);
    EXPECT_EQ(m_Self->m_nHP, c.hpAfter);
  }
}

TEST_F(DamageTest, ShotHitUsesTheShotsPower) {
  cShot s;
  s.m_Def.nPower = 40;
  m_Self->m_Def.def = 15;
  EXPECT_EQ(m_Self->TakeShotHit(s), 0);
  EXPECT_EQ(m_Self->m_nHP, 75);
  s.m_Def.nPower = 1000;
  EXPECT_EQ(m_Self->TakeShotHit(s), 1);
  EXPECT_EQ(m_Self->m_nHP, 0);
}

TEST_F(DamageTest, InvincibilityCountdowns) {
  StageData.SetHitLevel(12);  // two logic steps a frame
  StageData.nOtherDamageInvincible = 3;
  StageData.nOtherHitInvincible = 2;
  m_Self->StartInvincibilityAgainst(7);
  EXPECT_EQ(m_Self->m_nInvincible, 6);
  for (int step = 0; step < 6; ++step) {
    EXPECT_TRUE(m_Self->IsInvincible()) << step;
    m_Self->UpdateInvincibility();
  }
  EXPECT_FALSE(m_Self->IsInvincible());
  // The per-attacker entry was made with 4 steps: it has run out too.
  EXPECT_FALSE(m_Self->IsInvincibleAgainst(7));
  StageData.nOtherDamageInvincible = 0;
  m_Self->StartInvincibilityAgainst(7);
  m_Self->StartInvincibilityAgainst(7);  // a second entry for the same attacker
  EXPECT_EQ(m_Self->m_AttackerInvincible.Count(), 2);
  EXPECT_TRUE(m_Self->IsInvincibleAgainst(7));
  EXPECT_FALSE(m_Self->IsInvincibleAgainst(8));
  for (int step = 0; step < 4; ++step) m_Self->UpdateInvincibility();
  EXPECT_FALSE(m_Self->IsInvincibleAgainst(7));
  // A per-attacker time of 0 is gone at the next countdown step.
  StageData.nOtherHitInvincible = 0;
  m_Self->StartInvincibilityAgainst(7);
  EXPECT_TRUE(m_Self->IsInvincibleAgainst(7));
  m_Self->UpdateInvincibility();
  EXPECT_FALSE(m_Self->IsInvincibleAgainst(7));
  // The player takes the player's settings.
  StageData.nPlayerDamageInvincible = 5;
  m_Player->StartInvincibility();
  EXPECT_EQ(m_Player->m_nInvincible, 10);
  // A huge setting holds to the int range.
  StageData.nPlayerDamageInvincible = INT_MAX;
  m_Player->StartInvincibility();
  EXPECT_EQ(m_Player->m_nInvincible, INT_MAX);
}

TEST_F(DamageTest, DieScoresUnlinksAndMarks) {
  m_Self->SetTarget(m_Other);
  m_Other->SetTarget(m_Self);
  m_Self->m_Def.getsc = 250;
  SaveData.nStageScore = 999900;
  EXPECT_EQ(m_Self->Die(), 0);
  EXPECT_EQ(m_Self->m_bDead, 1);
  EXPECT_EQ(SaveData.nStageScore, 999999);
  EXPECT_EQ(m_Self->m_pTarget, nullptr);
  EXPECT_EQ(m_Other->m_pTarget, nullptr);
  EXPECT_TRUE(m_Other->m_TargetedBy.empty());
  m_Other->m_Def.getsc = -5000000;
  EXPECT_EQ(m_Other->Die(), 0);
  EXPECT_EQ(SaveData.nStageScore, 0);
}

TEST_F(DamageTest, DieDuringAStageClearLeavesTheCharacterAlive) {
  m_Scene->m_nResultRequest = 1;
  m_Self->SetTarget(m_Other);
  EXPECT_EQ(m_Self->Die(), 1);
  EXPECT_EQ(m_Self->m_bDead, 0);
  EXPECT_EQ(m_Self->m_pTarget, m_Other);
}

TEST_F(DamageTest, FlowAnimesPauseResumeAndEnd) {
  cAnimeOverlay running, spent, other;
  running.nFlowKey = spent.nFlowKey = 4;
  other.nFlowKey = 5;
  running.nCountdown = 3;
  spent.nCountdown = -2;
  spent.nFrames = 1;
  m_Self->m_Overlays = {running, spent, other};
  m_Self->PauseFlowAnimes(4);
  ASSERT_EQ(m_Self->m_Overlays.Count(), 2);
  EXPECT_EQ(m_Self->m_Overlays[0].bPaused, 1);
  EXPECT_EQ(m_Self->m_Overlays[1].bPaused, 0);
  m_Self->ResumeFlowAnimes(4);
  EXPECT_EQ(m_Self->m_Overlays[0].bPaused, 0);
  m_Self->EndFlowAnimes(4);
  ASSERT_EQ(m_Self->m_Overlays.Count(), 1);
  EXPECT_EQ(m_Self->m_Overlays[0].nFlowKey, 5);
}

}  // namespace
