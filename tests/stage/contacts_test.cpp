// The contact pass: fixed cases of two forces with placed shots and characters,
// and seeded random small worlds checked against a plain reference loop written
// here (same hits, same sounds, in the same order).
#include <algorithm>
#include <climits>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "app/sound/sound_requests.h"
#include "chara/play_change_count.h"
#include "chara/shot.h"
#include "stage/contact_grid.h"
#include "stage/contact_rules.h"
#include "stage/shot_schedule.h"
#include "tests/chara/play_field.h"

namespace {

std::vector<int> gSounds;
// The characters whose HP is noted at every sound (the random worlds).
std::vector<cChara*>* gWatch = nullptr;
std::vector<std::vector<int>> gHpAtSound;
// What a sound's call out of the contact pass does to the world (a flow's command).
std::function<void()> gOnSound;
plat::LRESULT CaptureSound(plat::HWND, plat::UINT, plat::WPARAM w, plat::LPARAM) {
  gSounds.push_back(static_cast<int>(w));
  if (gOnSound) gOnSound();
  if (gWatch) {
    std::vector<int> hp;
    for (const cChara* c : *gWatch) hp.push_back(c->m_nHP);
    gHpAtSound.push_back(hp);
  }
  return 0;
}

void SetRect(cObject& o, cHitBox& box, double x, double y, double w, double h) {
  box.dLeft = x;
  box.dTop = y;
  box.dRight = x + w - 1;
  box.dBottom = y + h - 1;
  o.m_dX = x;
  o.m_dY = y;
  o.m_dRight = x + w - 1;
  o.m_dBottom = y + h - 1;
}

class ContactTest : public PlayField {
 protected:
  void SetUp() override {
    PlayField::SetUp();
    StageData.bContactActiveOnly = 0;
    StageData.nOtherDamageInvincible = 0;
    StageData.nOtherHitInvincible = 0;
    StageData.nPlayerDamageInvincible = 0;
    StageData.nPlayerHitInvincible = 0;
    SystemData.bDeathEffect = 1;
    SaveData.nStageScore = 0;
    gSounds.clear();
    gHpAtSound.clear();
    SetSoundRequestSender(&CaptureSound);
  }
  void TearDown() override {
    gOnSound = nullptr;
    SetContactBroadPhase(true);
    SetSoundRequestSender(nullptr);
    m_Scene->m_Shots.clear();
    PlayField::TearDown();
  }
  cStageChara& Chara(int force, double x, double y, int hp = 100, int power = 0) {
    StageChara.emplace_back();
    cStageChara& c = StageChara.back();
    c.m_nKind = 1;
    c.m_nId = 100 + static_cast<int>(StageChara.size());
    c.m_nPass = force;
    c.m_bActive = 1;
    c.m_Def.mhp = std::max(hp, 1);
    c.m_nHP = hp;
    c.m_Def.power = power;
    SetRect(c, c.m_BodyBox, x, y, 32, 32);
    c.m_ShotBox = c.m_BodyBox;
    m_Scene->m_CharaGroups.At(force).push_back(&c);
    return c;
  }
  cShot& Shot(int force, double x, double y, int power = 10) {
    m_Scene->m_Shots.emplace_back();
    cShot& s = m_Scene->m_Shots.back();
    s.m_nPass = force;
    s.m_Def.nPower = power;
    SetRect(s, s.m_HitBox, x, y, 16, 16);
    m_Scene->m_ShotGroups.At(force).push_back(&s);
    return s;
  }
  int Run() { return m_Scene->RunContacts(StageChara); }
};

TEST_F(ContactTest, SameForceNeverTouches) {
  cStageChara& a = Chara(1, 500, 500, 100, 10);
  cStageChara& b = Chara(1, 510, 500, 100, 10);
  Shot(1, 505, 505);
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(a.m_nHP, 100);
  EXPECT_EQ(b.m_nHP, 100);
  EXPECT_TRUE(gSounds.empty());
  EXPECT_EQ(m_Scene->m_Shots.size(), 1u);
}

TEST_F(ContactTest, BodiesExchangeDamageAndOnePairSoundsOnce) {
  cStageChara& a = Chara(1, 500, 500, 100, 10);
  cStageChara& b = Chara(2, 531, 531, 100, 25);  // only the corners touch
  StageData.nOtherHitInvincible = 1;
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(a.m_nHP, 75);
  EXPECT_EQ(b.m_nHP, 90);
  EXPECT_EQ(gSounds, std::vector<int>{7});
  // Each is now invincible against the other only.
  EXPECT_TRUE(a.IsInvincibleAgainst(b.m_nId));
  EXPECT_FALSE(a.IsInvincible());
  Run();
  EXPECT_EQ(a.m_nHP, 75);
  // Without power and impact nobody is hurt and nothing sounds.
  a.m_Def.power = b.m_Def.power = 0;
  a.m_AttackerInvincible.clear();
  b.m_AttackerInvincible.clear();
  gSounds.clear();
  Run();
  EXPECT_TRUE(gSounds.empty());
}

TEST_F(ContactTest, MutualKillKillsAThenB) {
  cStageChara& a = Chara(1, 500, 500, 5, 10);
  cStageChara& b = Chara(2, 500, 500, 5, 10);
  a.m_Def.getsc = 1;
  b.m_Def.getsc = 1000;
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(a.m_bDead, 1);
  EXPECT_EQ(b.m_bDead, 1);
  EXPECT_EQ(SaveData.nStageScore, 1001);
  EXPECT_EQ(gSounds, (std::vector<int>{7, 9, 9}));
}

TEST_F(ContactTest, BlockCharactersTakeNoBodyContactsButShotsHitThem) {
  cStageChara& block = Chara(1, 500, 500, 100, 10);
  block.m_Def.bFullCell = 1;
  cStageChara& b = Chara(2, 500, 500, 100, 10);
  cShot& s = Shot(2, 505, 505, 7);
  s.m_Def.bPierceBlockChara = 1;
  Run();
  EXPECT_EQ(b.m_nHP, 100);
  EXPECT_EQ(block.m_nHP, 93);
  EXPECT_EQ(m_Scene->m_Shots.size(), 1u);  // it pierces block characters
  EXPECT_EQ(s.m_HitCharas, cVector<int32_t>{block.m_nId});
}

TEST_F(ContactTest, ShotsVanishPierceAndSwordsHitOnce) {
  cStageChara& t1 = Chara(2, 500, 500);
  cStageChara& t2 = Chara(2, 505, 500);
  Shot(1, 505, 505, 10);  // vanishes, but still meets t2 in this scan
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(t1.m_nHP, 90);
  EXPECT_EQ(t2.m_nHP, 90);
  EXPECT_TRUE(m_Scene->m_Shots.empty());
  EXPECT_TRUE(m_Scene->m_ShotGroups.At(1).empty());
  cShot& sword = Shot(1, 505, 505, 10);
  sword.m_bSword = 1;
  for (int i = 0; i < 3; ++i) Run();
  EXPECT_EQ(t1.m_nHP, 80);
  EXPECT_EQ(t2.m_nHP, 80);
  EXPECT_EQ(m_Scene->m_Shots.size(), 1u);
  cShot& pierce = Shot(1, 505, 505, 10);
  pierce.m_Def.bPierceChara = 1;
  Run();
  Run();
  EXPECT_EQ(t1.m_nHP, 70);
}

TEST_F(ContactTest, HarmlessShotsTriggerOnlyAndInvincibleOnesPassThrough) {
  cStageChara& t = Chara(2, 500, 500);
  Shot(1, 505, 505, 0);
  for (int i = 0; i < 3; ++i) Run();
  EXPECT_EQ(m_Scene->m_Shots.size(), 1u);
  EXPECT_TRUE(gSounds.empty());
  m_Scene->m_Shots.clear();
  m_Scene->m_ShotGroups.At(1).clear();
  // General invincibility stops a shot's damage; the shot stays.
  Shot(1, 505, 505, 10);
  t.m_nInvincible = 5;
  Run();
  EXPECT_EQ(t.m_nHP, 100);
  EXPECT_EQ(m_Scene->m_Shots.size(), 1u);
  // Shots ignore the per-attacker list.
  t.m_nInvincible = 0;
  t.StartInvincibilityAgainst(0);
  t.m_nInvincible = 0;
  Run();
  EXPECT_EQ(t.m_nHP, 90);
  EXPECT_TRUE(m_Scene->m_Shots.empty());
  // Option 2: shots pass.
  t.m_Def.nInvincible = 2;
  Shot(1, 505, 505, 10);
  Run();
  EXPECT_EQ(m_Scene->m_Shots.size(), 1u);
}

TEST_F(ContactTest, DestructibleShotPairs) {
  cShot& a = Shot(1, 500, 500);
  cShot& b = Shot(2, 505, 505);
  a.m_Def.bDestructible = b.m_Def.bDestructible = 1;
  a.m_Def.nVanishValue = 2;
  b.m_Def.nVanishValue = 5;
  Run();
  ASSERT_EQ(m_Scene->m_Shots.size(), 1u);
  EXPECT_EQ(m_Scene->m_Shots.front().m_Def.nVanishValue, 5);
  m_Scene->m_Shots.clear();
  for (auto& g : m_Scene->m_ShotGroups) g.clear();
  cShot& c = Shot(1, 500, 500);
  cShot& d = Shot(2, 505, 505);
  c.m_Def.bDestructible = d.m_Def.bDestructible = 1;
  c.m_Def.nVanishValue = d.m_Def.nVanishValue = 4;
  Run();
  EXPECT_TRUE(m_Scene->m_Shots.empty());
  cShot& e = Shot(1, 500, 500);
  Shot(2, 505, 505);
  Shot(3, 505, 505);
  e.m_Def.bDestructible = 1;
  Run();
  EXPECT_EQ(m_Scene->m_Shots.size(), 2u);  // the destructible one is gone, the others fly on
  Run();
  EXPECT_EQ(m_Scene->m_Shots.size(), 2u);  // neither is destructible
}

TEST_F(ContactTest, ThePlayersDeathEndsThePass) {
  Player.emplace_back();
  cPlayer& p = Player.back();
  p.m_nKind = 0;
  p.m_nId = 1;
  p.m_nPass = 0;
  p.m_Def.mhp = 10;
  p.m_nHP = 10;
  SetRect(p, p.m_BodyBox, 500, 500, 32, 32);
  p.m_ShotBox = p.m_BodyBox;
  m_Scene->m_CharaGroups.At(0).push_back(&p);
  cStageChara& later = Chara(2, 500, 500, 100, 50);
  Shot(1, 505, 505, 10);
  EXPECT_EQ(Run(), 2);
  EXPECT_EQ(p.m_nHP, 0);
  EXPECT_EQ(p.m_bDead, 0);  // the play step kills the player
  EXPECT_EQ(later.m_nHP, 100);
  EXPECT_TRUE(gSounds.empty());
}

TEST_F(ContactTest, TheScheduleGatesShotsAgainstCharacters) {
  cStageChara& t = Chara(2, 500, 500);
  cShot& s = Shot(1, 505, 505, 10);
  s.m_bSword = 1;
  m_Scene->m_ShotHitSchedule = ShotHitSchedule(4, 2);  // 1, 0, 1, 0
  m_Scene->m_nStepIndex = 2;
  Run();
  EXPECT_EQ(t.m_nHP, 100);
  m_Scene->m_nStepIndex = 3;
  Run();
  EXPECT_EQ(t.m_nHP, 90);
}

TEST_F(ContactTest, TheViewLimitLeavesOutObjectsOutsideTheView) {
  StageData.bContactActiveOnly = 1;
  // The view is 400..1039 x 400..879.
  cStageChara& inside = Chara(2, 500, 500);
  cStageChara& outside = Chara(2, 1100, 500);
  Shot(1, 505, 505, 10).m_bSword = 1;
  Shot(1, 1105, 505, 10).m_bSword = 1;
  Run();
  EXPECT_EQ(inside.m_nHP, 90);
  EXPECT_EQ(outside.m_nHP, 100);
}

// A call out of the pass (a flow's command, here run by the first hit's sound)
// that moves a later character onto the attacker or adds one there: the pass
// meets it in this very scan, through the grid as when walking every pair.
TEST_F(ContactTest, CharactersMovedOrAddedByAHitAreMetInTheSameScan) {
  struct Case {
    const char* what;
    bool bodies, added;
  } cases[] = {
      {"a shot, a later character moved onto it", false, false},
      {"a shot, a character added under it", false, true},
      {"a body, a later character moved onto it", true, false},
      {"a body, a character added onto it", true, true},
  };
  for (const Case& k : cases)
    for (bool grid : {true, false}) {
      SCOPED_TRACE(std::string(k.what) + (grid ? ", grid" : ", plain"));
      TearDown();
      SetUp();
      SetContactBroadPhase(grid);
      if (k.bodies) Chara(1, 500, 500, 100, 10);
      else Shot(1, 505, 505, 10).m_bSword = 1;
      Chara(2, 500, 500, 100, k.bodies ? 10 : 0);
      // Enough others in the force for the grid to narrow them.
      for (int i = 0; i < 10; ++i) Chara(2, 2000 + 100 * i, 2000);
      cStageChara* later = k.added ? nullptr : &Chara(2, 3000, 500);
      cStageChara* met = later;
      gOnSound = [&] {
        if (met && met != later) return;
        if (later) {
          SetRect(*later, later->m_BodyBox, 500, 500, 32, 32);
          later->m_ShotBox = later->m_BodyBox;
          later = nullptr;
        } else {
          met = &Chara(2, 500, 500);
        }
        NotePlayChange();
      };
      EXPECT_EQ(Run(), 0);
      ASSERT_NE(met, nullptr);
      EXPECT_EQ(met->m_nHP, 90);
      EXPECT_EQ(gSounds, (std::vector<int>{7, 7}));
    }
}

TEST_F(ContactTest, HitBoxRectangles) {
  cHitBox a, b;
  a.dLeft = 0, a.dTop = 0, a.dRight = 10, a.dBottom = 10;
  b.dLeft = 10, b.dTop = 10, b.dRight = 20, b.dBottom = 20;
  EXPECT_TRUE(a.Overlaps(b));
  b.dLeft = 10.5;
  EXPECT_FALSE(a.Overlaps(b));
  b.nWidth = 7;
  a.CopyRect(b);
  EXPECT_EQ(a.dLeft, 10.5);
  EXPECT_EQ(a.nWidth, 0);
  a.ClearRect();
  EXPECT_EQ(a.dRight, 0);
  b.Clear();
  EXPECT_EQ(b.nWidth, 0);
}

// --- The reference: the rules written as plainly as possible. ---
struct cRefChara {
  int id, force, kind, hp, mhp, power, def, inv, block, active, dead = 0;
  double box[4];
  int invTime = 0;
  std::vector<std::pair<int, int>> att;
};
struct cRefShot {
  int force, power, sword, pierce, pierceBlock, destr, vanish, spent = 0;
  double box[4];
  std::vector<int> hits;
};
struct cRefWorld {
  std::vector<cRefChara> charas;  // force lists keep creation order
  std::vector<cRefShot> shots;
  int damageSteps = 0, hitSteps = 0;
  std::vector<int> sounds;
  std::vector<std::vector<int>> hpAtSound;
};

bool Meet(const double* a, const double* b) { return a[0] <= b[2] && a[2] >= b[0] && a[1] <= b[3] && a[3] >= b[1]; }

int RefChangeHP(cRefChara& c, long long amount) {
  if (amount <= 0 && c.inv) return 0;
  if (amount > 0) amount = std::min<long long>(amount, c.mhp - c.hp);
  c.hp = static_cast<int>(std::clamp<long long>(c.hp + amount, 0, std::max(c.mhp, 0)));
  return c.hp <= 0 ? 1 : 0;
}
int RefDamage(cRefChara& t, int power) {
  long long d = power;
  if (d > 0) d = std::clamp<long long>(d - t.def, 0, 999999);
  return RefChangeHP(t, -d);
}
void RefSound(cRefWorld& w, int n) {
  w.sounds.push_back(n);
  std::vector<int> hp;
  for (const cRefChara& c : w.charas) hp.push_back(c.hp);
  w.hpAtSound.push_back(hp);
}
int RefKill(cRefChara& c) {
  if (c.kind == 0) return 2;
  if (c.dead) return 0;
  c.dead = 1;
  return 0;
}

int RefPass(cRefWorld& w) {
  auto eligible = [](const cRefChara& c) { return (c.kind == 0 || c.active) && !c.dead; };
  for (int f = 0; f < 8; ++f)
    for (int g = 0; g < 8; ++g) {
      if (g == f) continue;
      for (cRefShot& s : w.shots) {
        if (s.force != f || s.spent) continue;
        bool vanish = false;
        for (cRefChara& t : w.charas) {
          if (t.force != g || !eligible(t) || t.inv == 2 || !Meet(t.box, s.box) ||
              std::count(s.hits.begin(), s.hits.end(), t.id))
            continue;
          if (s.power == 0 || t.invTime > 0) continue;
          if (RefDamage(t, s.power)) {
            if (t.kind != 0) RefSound(w, 9);
            const int r = RefKill(t);
            if (r) return r;
          } else {
            RefSound(w, 7);
            t.invTime = w.damageSteps;
          }
          if (s.sword || (t.block ? s.pierceBlock : s.pierce) == 1) s.hits.push_back(t.id);
          else vanish = true;
        }
        if (vanish) s.spent = 1;
      }
    }
  for (int i = 0; i < 8; ++i)
    for (int j = i + 1; j < 8; ++j)
      for (cRefChara& a : w.charas) {
        if (a.force != i) continue;
        for (cRefChara& b : w.charas) {
          if (b.force != j) continue;
          if (!eligible(a) || a.block || !eligible(b) || b.block || !Meet(a.box, b.box)) continue;
          auto against = [](const cRefChara& c, int id) {
            return c.invTime > 0 || std::any_of(c.att.begin(), c.att.end(), [id](auto& e) { return e.first == id; });
          };
          bool hitA = false, hitB = false;
          int diedA = 0, diedB = 0;
          if (b.power != 0 && !against(a, b.id)) hitA = true, diedA = RefDamage(a, b.power);
          if (a.power != 0 && !against(b, a.id)) hitB = true, diedB = RefDamage(b, a.power);
          if (!hitA && !hitB) continue;
          RefSound(w, 7);
          cRefChara* who[2] = {&a, &b};
          const bool hit[2] = {hitA, hitB};
          const int died[2] = {diedA, diedB};
          for (int k = 0; k < 2; ++k) {
            if (!hit[k]) continue;
            cRefChara& c = *who[k];
            if (died[k]) {
              if (c.kind != 0) RefSound(w, 9);
              const int r = RefKill(c);
              if (r) return r;
            } else {
              c.invTime = w.damageSteps;
              c.att.push_back({who[1 - k]->id, w.hitSteps});
            }
          }
        }
      }
  for (int i = 0; i < 8; ++i)
    for (int j = i + 1; j < 8; ++j)
      for (cRefShot& m : w.shots) {
        if (m.force != i || m.spent) continue;
        for (cRefShot& n : w.shots) {
          if (n.force != j || n.spent || m.spent) continue;
          if (!(m.destr || n.destr) || !Meet(m.box, n.box)) continue;
          bool killM = m.destr, killN = n.destr;
          if (m.destr && n.destr) killM = m.vanish <= n.vanish, killN = n.vanish <= m.vanish;
          if (killN) n.spent = 1;
          if (killM) m.spent = 1;
        }
      }
  return 0;
}

void RefCountdown(cRefChara& c) {
  c.invTime = c.invTime <= 1 ? 0 : c.invTime - 1;
  std::vector<std::pair<int, int>> kept;
  for (auto& e : c.att)
    if (e.second > 1) kept.push_back({e.first, e.second - 1});
  c.att = kept;
}

class ContactReferenceTest : public ContactTest {};

TEST_F(ContactReferenceTest, RandomSmallWorldsMatchTheReference) {
  size_t heard = 0;
  // Each world twice: through the grid and walking every pair.
  for (unsigned run = 0; run < 600; ++run) {
    const unsigned seed = run / 2 + 1;
    const bool grid = run % 2 == 0;
    SCOPED_TRACE("seed " + std::to_string(seed) + (grid ? " grid" : " plain"));
    TearDown();
    SetUp();
    SetContactBroadPhase(grid);
    std::mt19937 rng(seed);
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    StageData.nOtherDamageInvincible = pick(0, 2);
    StageData.nOtherHitInvincible = pick(0, 3);
    StageData.nPlayerDamageInvincible = StageData.nOtherDamageInvincible;
    StageData.nPlayerHitInvincible = StageData.nOtherHitInvincible;
    StageData.SetHitLevel(pick(0, 1) ? 1 : 12);
    cRefWorld w;
    const int steps = StageData.Timing().nSteps;
    w.damageSteps = StageData.nOtherDamageInvincible * steps;
    w.hitSteps = StageData.nOtherHitInvincible * steps;
    const int forces = pick(2, 4);
    const bool withPlayer = pick(0, 3) == 0;
    // Every other world is spread wider with more in each force, so that the grid
    // has lists long enough to narrow, and a few odd boxes.
    const bool spread = seed % 2 == 0;
    const int area = spread ? 400 : 80;
    const int nCharas = spread ? pick(8, 48) : pick(1, 12), nShots = spread ? pick(0, 60) : pick(0, 16);
    std::vector<cChara*> real;
    for (int i = 0; i < nCharas + (withPlayer ? 1 : 0); ++i) {
      const bool isPlayer = withPlayer && i == 0;
      cChara* c = nullptr;
      if (isPlayer) {
        Player.emplace_back();
        c = &Player.back();
        c->m_nKind = 0;
      } else {
        StageChara.emplace_back();
        c = &StageChara.back();
        c->m_nKind = 1;
      }
      c->m_nId = i + 1;
      c->m_nPass = pick(0, forces - 1);
      c->m_Def.mhp = pick(1, 60);
      c->m_nHP = pick(0, c->m_Def.mhp);
      c->m_Def.power = pick(-5, 40) * (pick(0, 2) ? 1 : 0);
      c->m_Def.def = pick(0, 10);
      c->m_Def.nInvincible = static_cast<int8_t>(pick(0, 6) == 0 ? pick(1, 2) : 0);
      c->m_Def.bFullCell = static_cast<int8_t>(!isPlayer && pick(0, 5) == 0);
      c->m_bActive = pick(0, 7) != 0;
      const int odd = spread ? pick(0, 15) : 0;
      const int width = odd == 1 ? -pick(8, 40) : odd == 2 ? 4000 : pick(8, 40);  // the wrong way round, or huge
      SetRect(*c, c->m_BodyBox, 500 + pick(0, area), 500 + pick(0, area), width, pick(8, 40));
      c->m_ShotBox = c->m_BodyBox;
      m_Scene->m_CharaGroups.At(c->m_nPass).push_back(c);
      real.push_back(c);
      cRefChara r{c->m_nId, c->m_nPass, c->m_nKind, c->m_nHP, c->m_Def.mhp, c->m_Def.power, c->m_Def.def,
                  c->m_Def.nInvincible, c->m_Def.bFullCell, c->m_bActive, 0,
                  {c->m_BodyBox.dLeft, c->m_BodyBox.dTop, c->m_BodyBox.dRight, c->m_BodyBox.dBottom}, 0, {}};
      w.charas.push_back(r);
    }
    // Force lists in the reference: creation order within each force, as in the scene.
    std::vector<cShot*> realShots;
    for (int i = 0; i < nShots; ++i) {
      cShot& s = Shot(pick(0, forces - 1), 500 + pick(0, area + 10), 500 + pick(0, area + 10),
                      pick(0, 3) ? pick(1, 30) : 0);
      s.m_bSword = pick(0, 4) == 0;
      s.m_Def.bPierceChara = static_cast<int8_t>(pick(0, 2) == 0);
      s.m_Def.bPierceBlockChara = static_cast<int8_t>(pick(0, 1));
      s.m_Def.bDestructible = static_cast<int8_t>(pick(0, 2) == 0);
      s.m_Def.nVanishValue = static_cast<int8_t>(pick(1, 3));
      realShots.push_back(&s);
      w.shots.push_back({s.m_nPass, s.m_Def.nPower, s.m_bSword, s.m_Def.bPierceChara, s.m_Def.bPierceBlockChara,
                         s.m_Def.bDestructible, s.m_Def.nVanishValue, 0,
                         {s.m_HitBox.dLeft, s.m_HitBox.dTop, s.m_HitBox.dRight, s.m_HitBox.dBottom}, {}});
    }
    gWatch = &real;
    for (int step = 0; step < 4; ++step) {
      for (cChara* c : real) c->UpdateInvincibility();
      for (cRefChara& r : w.charas) RefCountdown(r);
      const int got = Run();
      const int want = RefPass(w);
      ASSERT_EQ(got, want) << "step " << step;
      if (got) break;
    }
    gWatch = nullptr;
    // Same sounds in the same order, and the same HP at each of them.
    EXPECT_EQ(gSounds, w.sounds);
    EXPECT_EQ(gHpAtSound, w.hpAtSound);
    for (size_t k = 0; k < real.size(); ++k) {
      EXPECT_EQ(real[k]->m_nHP, w.charas[k].hp) << "character " << k;
      EXPECT_EQ(real[k]->m_bDead, w.charas[k].dead) << "character " << k;
      EXPECT_EQ(real[k]->m_nInvincible, w.charas[k].invTime) << "character " << k;
      EXPECT_EQ(real[k]->m_AttackerInvincible.Count(), static_cast<int>(w.charas[k].att.size())) << k;
    }
    heard += gSounds.size();
    size_t alive = 0;
    for (const cRefShot& s : w.shots) alive += s.spent ? 0 : 1;
    EXPECT_EQ(m_Scene->m_Shots.size(), alive);
    auto it = m_Scene->m_Shots.begin();
    for (const cRefShot& s : w.shots) {
      if (s.spent) continue;
      ASSERT_NE(it, m_Scene->m_Shots.end());
      EXPECT_EQ(std::vector<int>(it->m_HitCharas.begin(), it->m_HitCharas.end()), s.hits);
      ++it;
    }
  }
  // The worlds are busy enough to matter.
  EXPECT_GT(heard, 300u);
}

}  // namespace

namespace {

// Deaths after status changes: the player first, then stage characters in order;
// characters leave the list only at the play step's sweep.
TEST_F(ContactTest, StatusDeathsAreMarkedForTheSweep) {
  cStageChara& gone = Chara(1, 500, 500);
  gone.m_bVanish = 1;
  cStageChara& dying = Chara(1, 600, 500, 0);
  cStageChara& alive = Chara(1, 700, 500);
  dying.m_Def.getsc = 30;
  EXPECT_EQ(m_Scene->HandleStatusDeaths(), 0);
  EXPECT_EQ(gone.m_bRemoved, 1);
  EXPECT_EQ(gone.m_bDead, 0);
  EXPECT_EQ(dying.m_bDead, 1);
  EXPECT_EQ(dying.m_bRemoved, 0);  // it plays its death effect
  EXPECT_EQ(alive.m_bRemoved, 0);
  EXPECT_EQ(SaveData.nStageScore, 30);
  EXPECT_EQ(gSounds, std::vector<int>{9});
  EXPECT_EQ(StageChara.size(), 3u);
  // A removed character takes no part in contacts.
  cShot& s = Shot(2, 505, 505, 10);
  s.m_bSword = 1;
  gone.m_nHP = 100;
  m_Scene->RunContacts(StageChara);
  EXPECT_EQ(gone.m_nHP, 100);
  // Without death effects the dead are removed at once; the player's death ends it.
  SystemData.bDeathEffect = 0;
  alive.m_nHP = 0;
  EXPECT_EQ(m_Scene->HandleStatusDeaths(), 0);
  EXPECT_EQ(alive.m_bRemoved, 1);
}

}  // namespace
