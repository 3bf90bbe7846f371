// The contact pass of a logic step: shots against characters, characters against
// characters, shots against shots, each between different forces only.
#include <algorithm>

#include "app/sound/sound_effects.h"
#include "chara/item.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "chara/shot.h"
#include "chara/stage_chara.h"
#include "data/project_globals.h"
#include "stage/contact_rules.h"
#include "stage/stage_scene.h"
#include "stage/stand_ins.h"

namespace {

bool InHitList(const cShot& s, int id) {
  return std::find(s.m_HitCharas.begin(), s.m_HitCharas.end(), id) != s.m_HitCharas.end();
}

// A shot's item, taken by player 1 at once: 0, or the take's non-zero result.
int GiveShotItem(const cShot& s) {
  const cEdItem* found = FindItemDefinition(s.m_Def.nItemKind, s.m_Def.nItemIndex);
  if (!found || Player.empty()) return 0;
  cEdItem def = *found;
  cItem item;
  item.Setup(0, def, 0);
  item.m_bActive = 1;
  return TakeItem(&item, Player.front());
}

}  // namespace

bool IsContactActive(const cChara& c) {
  // A stage character removed in this step stays in its force list until the sweep.
  if (c.m_nKind != 0 && static_cast<const cStageChara&>(c).m_bRemoved) return false;
  return c.m_nKind == 0 || c.m_bActive;
}

bool ShotHitsThisStep(const cStageScene& scene) {
  const int i = scene.m_nStepIndex - 1;
  if (i < 0 || i >= scene.m_ShotHitSchedule.Count()) return true;
  return scene.m_ShotHitSchedule[static_cast<size_t>(i)] != 0;
}

int cStageScene::KillChara(cChara& chara) {
  if (chara.m_nKind == 0) return 2;
  if (chara.m_bDead) return 0;
  return chara.Die();
}

int cStageScene::RunShotContacts() {
  const bool viewOnly = StageData.bContactActiveOnly != 0;
  for (int f = 0; f < kForces; ++f) {
    std::list<cShot*>& shots = m_ShotGroups.At(f);
    if (shots.empty()) continue;
    for (int g = 0; g < kForces; ++g) {
      if (g == f) continue;
      std::list<cChara*>& charas = m_CharaGroups.At(g);
      for (auto it = shots.begin(); it != shots.end();) {
        cShot& s = **it;
        if (viewOnly && !s.IsInView()) {
          ++it;
          continue;
        }
        bool vanish = false;
        for (cChara* tp : charas) {
          cChara& t = *tp;
          if ((viewOnly && !t.IsInView()) || !IsContactActive(t) || t.m_bDead || t.m_Def.nInvincible == 2 ||
              !t.m_ShotBox.Overlaps(s.m_HitBox) || InHitList(s, t.m_nId))
            continue;
          t.RunTriggeredFlows(7);
          const cShotSpec& d = s.m_Def;
          if ((d.nPower == 0 && d.nImpact == 0 && d.nItemKind == 0) || t.IsInvincible()) continue;
          if (t.TakeShotHit(s)) {
            if (t.m_nKind != 0) PlaySE(9);
            const int r = KillChara(t);
            if (r == 1 || r == 2) return r;
          } else {
            PlaySE(7);
            t.StartInvincibility();
          }
          const int8_t pierce = t.m_Def.bFullCell ? d.bPierceBlockChara : d.bPierceChara;
          if (s.m_bSword || pierce == 1) s.m_HitCharas.push_back(t.m_nId);
          else vanish = true;
          if (d.nItemKind != 0) {
            const int r = GiveShotItem(s);
            if (r != 0) return r;
          }
        }
        if (vanish) {
          s.m_bSpent = 1;
          it = shots.erase(it);
        } else {
          ++it;
        }
      }
    }
  }
  return 0;
}

int cStageScene::RunBodyContacts() {
  const bool viewOnly = StageData.bContactActiveOnly != 0;
  auto takesPart = [viewOnly](const cChara& c) {
    return (!viewOnly || c.IsInView()) && !c.m_Def.bFullCell && IsContactActive(c) && !c.m_bDead;
  };
  for (int i = 0; i < kForces; ++i) {
    std::list<cChara*>& first = m_CharaGroups.At(i);
    if (first.empty()) continue;
    for (int j = i + 1; j < kForces; ++j) {
      std::list<cChara*>& second = m_CharaGroups.At(j);
      if (second.empty()) continue;
      for (cChara* ap : first) {
        cChara& a = *ap;
        for (cChara* bp : second) {
          cChara& b = *bp;
          // a may have died against an earlier b of this scan.
          if (!takesPart(a)) break;
          if (!takesPart(b) || !a.m_BodyBox.Overlaps(b.m_BodyBox)) continue;
          a.RunTriggeredFlows(4);
          b.RunTriggeredFlows(4);
          bool hitA = false, hitB = false;
          int diedA = 0, diedB = 0;
          if ((b.m_Def.power != 0 || b.m_Def.imp != 0) && !a.IsInvincibleAgainst(b.m_nId)) {
            hitA = true;
            diedA = a.TakeBodyHit(b);
          }
          if ((a.m_Def.power != 0 || a.m_Def.imp != 0) && !b.IsInvincibleAgainst(a.m_nId)) {
            hitB = true;
            diedB = b.TakeBodyHit(a);
          }
          if (!hitA && !hitB) continue;
          PlaySE(7);
          const std::pair<cChara*, cChara*> order[2] = {{&a, &b}, {&b, &a}};
          const bool hit[2] = {hitA, hitB};
          const int died[2] = {diedA, diedB};
          for (int k = 0; k < 2; ++k) {
            if (!hit[k]) continue;
            cChara& c = *order[k].first;
            if (died[k]) {
              if (c.m_nKind != 0) PlaySE(9);
              const int r = KillChara(c);
              if (r == 1 || r == 2) return r;
            } else {
              c.StartInvincibilityAgainst(order[k].second->m_nId);
            }
          }
        }
      }
    }
  }
  return 0;
}

void cStageScene::RunShotShotContacts() {
  for (int i = 0; i < kForces; ++i) {
    std::list<cShot*>& first = m_ShotGroups.At(i);
    for (int j = i + 1; j < kForces; ++j) {
      std::list<cShot*>& second = m_ShotGroups.At(j);
      if (first.empty() || second.empty()) continue;
      // Only destructible shots are ever destroyed: a pair of forces without one
      // has nothing to do.
      auto destructible = [](const cShot* s) { return s->m_Def.bDestructible != 0; };
      if (std::none_of(first.begin(), first.end(), destructible) &&
          std::none_of(second.begin(), second.end(), destructible))
        continue;
      for (auto mi = first.begin(); mi != first.end();) {
        cShot& m = **mi;
        bool mGone = false;
        for (auto ni = second.begin(); ni != second.end();) {
          cShot& n = **ni;
          const bool dm = m.m_Def.bDestructible != 0, dn = n.m_Def.bDestructible != 0;
          if ((!dm && !dn) || !m.OverlapsRect(n.m_dX, n.m_dRight, n.m_dY, n.m_dBottom)) {
            ++ni;
            continue;
          }
          bool killM = dm, killN = dn;
          if (dm && dn) {
            killM = m.m_Def.nVanishValue <= n.m_Def.nVanishValue;
            killN = n.m_Def.nVanishValue <= m.m_Def.nVanishValue;
          }
          if (killN) {
            n.m_bSpent = 1;
            ni = second.erase(ni);
          } else {
            ++ni;
          }
          if (killM) {
            m.m_bSpent = 1;
            mGone = true;
            break;
          }
        }
        if (mGone) mi = first.erase(mi);
        else ++mi;
      }
    }
  }
}

void cStageScene::SweepSpentShots() {
  m_Shots.remove_if([](const cShot& s) { return s.m_bSpent != 0; });
}

int cStageScene::RunContacts(cList<cStageChara>&) {
  int r = 0;
  if (ShotHitsThisStep(*this)) r = RunShotContacts();
  if (r == 0) r = RunBodyContacts();
  if (r == 0) RunShotShotContacts();
  SweepSpentShots();
  return r;
}
