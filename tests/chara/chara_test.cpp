// Characters: rescaling with the feet kept, HP and SP, knock-back, landing and
// ceilings, set-up, copies, and removal with every link to the removed one.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>

#include "chara/shot.h"
#include "tests/chara/play_field.h"

namespace {

using Characters = PlayField;

void Body(cChara& c) {
  c.m_nWidth = c.m_nBaseWidth = 32;
  c.m_nHeight = c.m_nBaseHeight = 32;
  c.m_nDrawOffsetX = c.m_nBaseDrawOffsetX = 0;
  c.m_nDrawOffsetY = c.m_nBaseDrawOffsetY = 4;
  c.m_nDrawWidth = c.m_nBaseDrawWidth = 32;
  c.m_nDrawHeight = c.m_nBaseDrawHeight = 32;
  c.m_BodyBox = cHitBox{0, 0, 0, 0, 5, 6, 20, 24, 5, 6, 20, 24};
  c.m_dX = 600;
  c.m_dY = 600;
  c.m_nKind = 1;
}

TEST_F(Characters, RescaleKeepsTheCentreAndTheFeet) {
  struct Case {
    const char* what;
    int scale, oldScale, feetByBody, blockChara;
    double x, y;
    int width, bodyOffsetY, bodyWidth;
  } cases[] = {
      {"1 to 2, feet by the drawing", 2, 1, 0, 0, 584, 572, 64, 12, 40},
      {"1 to 2, feet by the body", 2, 1, 1, 0, 584, 568, 64, 12, 40},
      {"block character: boxes cover the body", 2, 1, 0, 1, 584, 572, 64, 0, 64},
      {"2 to 1", 1, 2, 0, 0, 616, 628, 32, 6, 20},
      {"equal scales change nothing", 2, 2, 0, 0, 600, 600, 32, 6, 20},
      {"scale 0 counts as 1", 0, 1, 0, 0, 600, 600, 32, 6, 20},
      {"negative scale counts as 1", -3, 2, 0, 0, 616, 628, 32, 6, 20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SystemData.bCompat261 = c.feetByBody;
    cStageChara o;
    o.m_Def.bFullCell = static_cast<int8_t>(c.blockChara);
    Body(o);
    if (c.oldScale == 2 && c.scale != c.oldScale) {
      // Start from a body already at scale 2.
      o.m_nWidth = 64;
      o.m_BodyBox.nOffsetY = 12;
    }
    o.SetScale(c.scale, c.oldScale);
    EXPECT_EQ(o.m_dX, c.x);
    EXPECT_EQ(o.m_dY, c.y);
    EXPECT_EQ(o.m_nWidth, c.width);
    EXPECT_EQ(o.m_BodyBox.nOffsetY, c.bodyOffsetY);
    EXPECT_EQ(o.m_BodyBox.nWidth, c.bodyWidth);
  }
  SystemData.bCompat261 = 0;
}

TEST_F(Characters, HPChanges) {
  struct Case {
    const char* what;
    int mhp, hp, invincible, amount, forced;
    int result, after;
    int gaugeLength;
    double gaugeChange;
  } cases[] = {
      {"damage on an invincible character does nothing", 100, 50, 1, -10, 0, 0, 50, 0, 0},
      {"forced damage applies", 100, 50, 1, -10, 1, 0, 40, 20, -5},
      {"a heal fills to the maximum and shows the capped amount", 100, 50, 0, 80, 0, 0, 100, 50, 25},
      {"damage to 0", 100, 50, 0, -200, 0, 1, 0, 0, 0},
      {"maximum 0", 0, 0, 0, 5, 0, 1, 0, 0, 0},
      {"negative maximum", -5, 0, 0, -1, 0, 1, 0, 0, 0},
      {"heal at the int limits", INT_MAX, INT_MAX - 1, 0, INT_MAX, 0, 0, INT_MAX, 50, 50.0 / INT_MAX},
      {"damage at the int limit", INT_MAX, 7, 0, INT_MIN, 0, 1, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cStageChara o;
    o.m_Def.mhp = c.mhp;
    o.m_Def.nInvincible = static_cast<int8_t>(c.invincible);
    o.m_nHP = c.hp;
    EXPECT_EQ(o.ChangeHP(c.amount, c.forced, 1), c.result);
    EXPECT_EQ(o.m_nHP, c.after);
    EXPECT_EQ(o.m_HPGauge.nLength, c.gaugeLength);
    EXPECT_DOUBLE_EQ(o.m_HPGauge.dChange, c.gaugeChange);
    EXPECT_EQ(o.m_HPGauge.nFrames, c.gaugeLength || c.gaugeChange ? 120 : 0);
  }
}

TEST_F(Characters, SPChanges) {
  cStageChara o;
  o.m_Def.msp = 0;
  o.m_nSP = 3;
  EXPECT_EQ(o.ChangeSP(4, 1), 1);  // no maximum: no gauge, SP 0
  EXPECT_EQ(o.m_nSP, 0);
  EXPECT_EQ(o.m_SPGauge.nFrames, 0);
  o.m_Def.msp = -7;
  EXPECT_EQ(o.ChangeSP(-1, 1), 1);
  o.m_Def.msp = 10;
  o.m_nSP = 5;
  EXPECT_EQ(o.ChangeSP(10, 1), 0);
  EXPECT_EQ(o.m_nSP, 10);
  EXPECT_EQ(o.m_SPGauge.nLength, 50);
  EXPECT_DOUBLE_EQ(o.m_SPGauge.dChange, 25);
  EXPECT_EQ(o.ChangeSP(-20, 0), 0);  // SP at 0 has no effect of its own
  EXPECT_EQ(o.m_nSP, 0);
}

TEST_F(Characters, ImpactStrengthAgainstResistance) {
  const double n = 5;
  auto speed = [n](double d) {
    return d > 0 ? (std::sqrt(1 + 128 * n * d) - 1) / (2 * n) : -(std::sqrt(1 - 128 * n * d) - 1) / (2 * n);
  };
  struct Case {
    int strength, resistance;
    double impactX;
  } cases[] = {
      {15, 20, 0},   {-30, 5, speed(-20)}, {30, 5, speed(20)},   {12, 2, speed(10)},  {-12, 2, speed(-10)},
      {-128, -128, speed(-20)}, {127, -128, speed(20)}, {127, 127, 0}, {-128, 127, speed(-1)}, {0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.strength << " against " << c.resistance);
    cStageChara o;
    o.m_Def.impd = static_cast<int8_t>(c.resistance);
    o.ApplyImpact(static_cast<int8_t>(c.strength), 1, 0);
    EXPECT_DOUBLE_EQ(o.m_dImpactX, c.impactX);
    EXPECT_EQ(o.m_dImpactY, 0);
    EXPECT_EQ(o.m_bImpact, c.strength != 0 ? 1 : 0);
    EXPECT_TRUE(std::isfinite(o.m_dImpactX));
  }
  // A move against the impact stops; one along it stays.
  cStageChara o;
  o.m_dMoveX = 2;
  o.m_dMoveY = -1;
  o.m_dSpeedY = -3;
  o.ApplyImpact(10, -1, 1);
  EXPECT_EQ(o.m_dMoveX, 0);
  EXPECT_EQ(o.m_dMoveY, 0);
  EXPECT_EQ(o.m_dSpeedY, 0);
  o.m_dMoveX = -2;
  o.ApplyImpact(10, -1, 0);
  EXPECT_EQ(o.m_dMoveX, -2);

  // The knock-back decays by 1/N a step and stops at 0.
  o.m_dImpactX = 0.3;
  o.m_dImpactY = -0.3;
  o.DecayImpactX();
  o.DecayImpactY();
  EXPECT_DOUBLE_EQ(o.m_dImpactX, 0.3 - 0.2);
  EXPECT_DOUBLE_EQ(o.m_dImpactY, -0.3 + 0.2);
  o.DecayImpactX();
  o.DecayImpactY();
  EXPECT_EQ(o.m_dImpactX, 0);
  EXPECT_EQ(o.m_dImpactY, 0);
}

TEST_F(Characters, BodyAndShotImpactsTakeTheirDirection) {
  cStageChara attacker, target;
  attacker.m_Def.imp = 10;
  attacker.m_dSpeedX = 2;
  attacker.m_dSpeedY = 0.1;  // walking and not falling fast: no vertical part
  target.ApplyBodyImpact(attacker);
  EXPECT_GT(target.m_dImpactX, 0);
  EXPECT_EQ(target.m_dImpactY, 0);
  cShot sword;
  sword.m_Def.nImpact = 10;
  sword.m_bSword = 1;
  sword.m_nFacing = 0;
  target.ApplyShotImpact(sword);
  EXPECT_LT(target.m_dImpactX, 0);
}

TEST_F(Characters, GravityLandingAndCeiling) {
  cStageChara o;
  Body(o);
  o.m_dSpeedY = 0;
  o.ApplyGravity();
  EXPECT_DOUBLE_EQ(o.m_dSpeedY, 0.016);
  for (int which = 0; which < 4; ++which) {
    cStageChara held;
    held.m_bFlying = which == 0;
    held.m_bRiding = which == 1;
    held.m_bMoveDisabled = which == 2;
    held.m_dImpactY = which == 3 ? -0.5 : 0;
    held.ApplyGravity();
    EXPECT_EQ(held.m_dSpeedY, 0) << which;
  }

  o.m_dY = 64.7;
  o.m_dBottom = 95.7;
  o.m_dSpeedY = 3;
  o.m_bFalling = o.m_bJumped = o.m_bRising = o.m_bCeiling = o.m_bImpact = 1;
  o.m_nAirSteps = 9;
  o.LandOnBlock();
  EXPECT_DOUBLE_EQ(o.m_dY, 32.7);  // the bottom becomes 63.7
  EXPECT_EQ(o.m_dSpeedY, 0);
  EXPECT_EQ(o.LRUD[3], 1);
  EXPECT_EQ(o.m_bFalling + o.m_bJumped + o.m_bRising + o.m_bCeiling + o.m_bImpact + o.m_nAirSteps, 0);
  cPlayer& p = Player.emplace_back();
  p.m_bCeiling = 1;
  p.LandOnBlock();
  EXPECT_EQ(p.m_bCeiling, 1);  // the player keeps its ceiling flag

  o.m_dY = 70.3;
  o.m_dSpeedY = -4;
  o.HitCeiling();
  EXPECT_DOUBLE_EQ(o.m_dY, 96.3);
  EXPECT_EQ(o.m_bCeiling + o.m_bJumped + o.m_bRising + o.LRUD[2], 4);
  EXPECT_EQ(o.m_dSpeedY, 0);

  // A downward impact on the ground is lost; in the air it becomes speed.
  cEdBlock floor;
  floor.nHitKind = 1;
  o.m_pBlockUnder = &floor;
  o.m_dImpactY = 0.5;
  o.ApplyVerticalImpact();
  EXPECT_EQ(o.m_dImpactY, 0);
  o.m_pBlockUnder = nullptr;
  o.m_dImpactY = 0.5;
  o.m_dSpeedY = 1;
  o.ApplyVerticalImpact();
  EXPECT_DOUBLE_EQ(o.m_dSpeedY, 1.5);
  EXPECT_DOUBLE_EQ(o.m_dPrevImpactY, 0.5);

  o.m_dX = 1;
  o.SavePosition();
  o.m_dX = 2;
  o.RestorePosition();
  EXPECT_EQ(o.m_dX, 1);
}

TEST_F(Characters, ResetLinksToThePlayerAndSetsUp) {
  cPlayer& p = Player.emplace_back();
  cEdChara def;
  def.mhp = 30;
  def.msp = 4;
  def.sight = -2;
  def.stop = 50;
  cStageChara& c = StageChara.emplace_back();
  c.Reset(&def, 100, 200, 2);
  EXPECT_EQ(c.m_pTarget, &p);
  EXPECT_EQ(c.m_nHP, 30);
  EXPECT_EQ(c.m_nSP, 4);
  EXPECT_EQ(c.m_nSightDots, -32);
  EXPECT_DOUBLE_EQ(c.m_dFriction, 50 * 0.01 / 25);
  EXPECT_EQ(c.m_nWallSide, -1);
  EXPECT_EQ(c.m_bFalling, 1);
  EXPECT_EQ(c.m_Vars.Count(), 9);
  EXPECT_EQ(c.m_nClone, 2);
  c.Reset(nullptr, 0, 0, 0);  // without a definition: the copy stays, HP and SP 0
  EXPECT_EQ(c.m_Def.mhp, 30);
  EXPECT_EQ(c.m_nHP, 0);
  EXPECT_EQ(c.m_nSP, 0);
  // Listed once however often it is set up.
  EXPECT_EQ(std::count(p.m_TargetedBy.begin(), p.m_TargetedBy.end(), &c), 1);
  c.SetTarget(&p);
  EXPECT_EQ(std::count(p.m_TargetedBy.begin(), p.m_TargetedBy.end(), &c), 1);

  c.m_nDrawOffsetX = 2;
  c.m_nDrawOffsetY = 4;
  c.SetBodyHitBox(true, 20, 24);
  EXPECT_EQ(c.m_BodyBox.nOffsetX, 16 - 2 - 10);
  EXPECT_EQ(c.m_BodyBox.nOffsetY, 32 - 4 - 24);
  c.SetBodyHitBox(false, 21, 25);
  EXPECT_EQ(c.m_BodyBox.nOffsetX, 16 - 2 - 10);
  EXPECT_EQ(c.m_BodyBox.nOffsetY, 16 - 4 - 12);
  EXPECT_EQ(c.m_BodyBox.nBaseHeight, 25);
}

TEST_F(Characters, AnimationSetsFromTheDatabase) {
  Database.AnimeSetList.resize(2);
  cEdAnime walk;
  walk.Frames.resize(2);
  walk.Frames[0].nPicture = 3;
  walk.Frames[0].nDuration = 2;
  walk.Frames[1].nPicture = 4;
  walk.Frames[1].nDuration = INT_MAX;
  Database.AnimeSetList[1].Motions.assign(1, walk);
  cStageChara c;
  c.SetAnimeSet(1, 1);
  ASSERT_EQ(c.m_Anime.m_Sequences.Count(), 1);
  const cVector<ANIMESTEP>& s = c.m_Anime.m_Sequences[0];
  ASSERT_EQ(s.Count(), 3);
  EXPECT_EQ(s[0], (ANIMESTEP{3, 12, 1}));
  EXPECT_EQ(s[1], (ANIMESTEP{4, INT_MAX, 1}));
  EXPECT_EQ(s[2].nValue, kAnimeLoop);
  c.m_Anime.m_nStep = 1;
  c.SetAnimeSet(1, 0);  // the current set, not forced: nothing
  EXPECT_EQ(c.m_Anime.m_nStep, 1);
  // A set beyond the list is reported and entry 0 is read; an empty list gives an
  // empty set: neither reads outside the list.
  c.SetAnimeSet(9, 1);
  EXPECT_EQ(c.m_Anime.m_Sequences.Count(), Database.AnimeSetList[0].Motions.Count());
  c.SetAnimeSet(-1, 1);
  Database.AnimeSetList.clear();
  c.SetAnimeSet(3, 1);
  EXPECT_EQ(c.m_Anime.m_nStep, 0);
  Database.AnimeSetList.resize(1);
}

TEST_F(Characters, ACopyInheritsNoLinks) {
  cPlayer& p = Player.emplace_back();
  cStageChara& a = StageChara.emplace_back();
  cStageChara& b = StageChara.emplace_back();
  a.Reset(nullptr, 0, 0, 0);
  b.Reset(nullptr, 0, 0, 0);
  b.SetTarget(&a);
  a.m_nHP = 17;
  a.m_Vars[3] = 5;
  a.m_Item.m_nCount = 9;
  cStageChara& copy = StageChara.emplace_back();
  copy.Assign(a);
  EXPECT_EQ(copy.m_nHP, 17);
  EXPECT_EQ(copy.m_Vars[3], 5);
  EXPECT_EQ(copy.m_Item.m_nCount, 9);
  EXPECT_EQ(copy.m_pTarget, nullptr);
  EXPECT_TRUE(copy.m_TargetedBy.empty());
  EXPECT_EQ(a.m_TargetedBy.Count(), 1);
  EXPECT_EQ(std::count(p.m_TargetedBy.begin(), p.m_TargetedBy.end(), &copy), 0);
  copy.SetTarget(&p);  // registered once stored
  EXPECT_EQ(std::count(p.m_TargetedBy.begin(), p.m_TargetedBy.end(), &copy), 1);
}

// The removed character is aimed at by others, by shots, is listed in its force
// list and aims at someone itself; afterwards nothing anywhere points at it.
TEST_F(Characters, RemovalClearsEveryPointerToTheRemoved) {
  cPlayer& p = Player.emplace_back();
  p.Reset(nullptr, 0, 0, 0);
  cStageChara& a = StageChara.emplace_back();
  cStageChara& victim = StageChara.emplace_back();
  cStageChara& c = StageChara.emplace_back();
  for (cStageChara* s : {&a, &victim, &c}) {
    s->Reset(nullptr, 0, 0, 0);
    s->m_nPass = 2;
    m_Scene->m_CharaGroups.At(2).push_back(s);
  }
  a.SetTarget(&victim);
  c.SetTarget(&victim);
  victim.SetTarget(&a);
  cShot& s1 = m_Scene->m_Shots.emplace_back();
  cShot& s2 = m_Scene->m_Shots.emplace_back();
  s1.SetTarget(&victim);
  s2.SetTarget(&victim);
  ASSERT_EQ(victim.m_TargetedBy.Count(), 2);
  ASSERT_EQ(victim.m_ShotsAiming.Count(), 2);

  const cChara* gone = &victim;
  auto next = RemoveStageChara(std::next(StageChara.begin()));
  EXPECT_EQ(&*next, &c);
  EXPECT_EQ(StageChara.Count(), 2);
  EXPECT_EQ(a.m_pTarget, nullptr);
  EXPECT_EQ(c.m_pTarget, nullptr);
  EXPECT_EQ(s1.m_pTarget, nullptr);
  EXPECT_EQ(s2.m_pTarget, nullptr);
  for (const cChara* ch : {static_cast<const cChara*>(&p), static_cast<const cChara*>(&a),
                           static_cast<const cChara*>(&c)}) {
    EXPECT_EQ(std::count(ch->m_TargetedBy.begin(), ch->m_TargetedBy.end(), gone), 0);
  }
  for (const auto& group : m_Scene->m_CharaGroups)
    EXPECT_EQ(std::count(group.begin(), group.end(), gone), 0);
  // The shots keep flying with no target, and may be removed after it.
  m_Scene->m_Shots.clear();
  EXPECT_TRUE(a.m_ShotsAiming.empty());
  // A shot removed before its target leaves the target's list.
  cShot& s3 = m_Scene->m_Shots.emplace_back();
  s3.SetTarget(&a);
  m_Scene->m_Shots.clear();
  EXPECT_TRUE(a.m_ShotsAiming.empty());
  // The end position removes nothing.
  EXPECT_EQ(RemoveStageChara(StageChara.end()), StageChara.end());
}

}  // namespace
