// The contact pass of a logic step: shots against characters, characters against
// characters, shots against shots, each between different forces only. Hits
// depend on the order of the force lists, so every scan visits its pairs in that
// order; a grid over the boxes of the inner list only leaves out the pairs that
// cannot meet.
#include <algorithm>
#include <cstdint>
#include <list>
#include <vector>

#include "app/sound/sound_effects.h"
#include "chara/item.h"
#include "chara/play_change_count.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "chara/shot.h"
#include "chara/stage_chara.h"
#include "data/project_globals.h"
#include "stage/contact_grid.h"
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

cContactRect BoxRect(const cHitBox& b) { return {b.dLeft, b.dTop, b.dRight, b.dBottom}; }
cContactRect ObjectRect(const cObject& o) { return {o.m_dX, o.m_dY, o.m_dRight, o.m_dBottom}; }

// The characters of one force with a grid over one of their boxes, for a pass that
// walks the candidates of a box in list order. The pass's calls out (flows,
// deaths, items) may move characters or add to the list; then the index is stale
// and is built again before the walk goes on after the character it last visited.
class cCharaIndex {
 public:
  // The box and the grid's shape (nullptr: a shape of its own) of this pass.
  void SetBox(cHitBox cChara::*box, const cContactShape* shape = nullptr) {
    m_Box = box;
    m_bShared = shape != nullptr;
    if (shape) m_Shape = *shape;
    m_pList = nullptr;
  }
  // Built for this list unless already built for it and not stale since.
  void Ensure(std::list<cChara*>& list) {
    if (m_pList != &list || Stale()) Build(list);
  }
  void Build(std::list<cChara*>& list) {
    m_pList = &list;
    m_Charas.assign(list.begin(), list.end());
    m_Rects.clear();
    for (const cChara* c : m_Charas) m_Rects.push_back(BoxRect(c->*m_Box));
    m_Grid.Build(m_Rects, m_bShared ? &m_Shape : nullptr);
    m_nSeen = PlayChangeCount();
  }
  bool Stale() const { return PlayChangeCount() != m_nSeen; }
  // The candidates of a box after `last` (nullptr: from the first).
  void Query(const cHitBox& box, const cChara* last, std::vector<uint32_t>& out) {
    uint32_t from = 0;
    if (last) from = static_cast<uint32_t>(std::find(m_Charas.begin(), m_Charas.end(), last) - m_Charas.begin()) + 1;
    m_Grid.Query(BoxRect(box), from, out);
  }
  // Builds again and queries after `last`; false when `last` has left the list.
  bool Rebuild(const cHitBox& box, const cChara* last, std::vector<uint32_t>& out, size_t& cursor) {
    Build(*m_pList);
    cursor = 0;
    if (last && std::find(m_Charas.begin(), m_Charas.end(), last) == m_Charas.end()) return false;
    Query(box, last, out);
    return true;
  }
  // The candidates of a box from the first, the box given as its edges.
  void QueryRect(const cContactRect& r, std::vector<uint32_t>& out) { m_Grid.Query(r, 0, out); }
  // Whether no character may meet a box whose corner cell under `shape` is this.
  bool NothingAt(long long corner, const cContactShape& shape) const { return m_Grid.NothingAt(corner, shape); }
  cChara& At(uint32_t i) const { return *m_Charas[i]; }

 private:
  cHitBox cChara::*m_Box = &cChara::m_BodyBox;
  cContactShape m_Shape;
  bool m_bShared = false;
  std::list<cChara*>* m_pList = nullptr;
  std::vector<cChara*> m_Charas;
  std::vector<cContactRect> m_Rects;
  cContactGrid m_Grid;
  uint64_t m_nSeen = 0;
};

// One index per force and pass, kept between calls so that their storage is reused.
thread_local cCharaIndex tShotTargets[cStageScene::kForces];
thread_local cCharaIndex tBodies[cStageScene::kForces];

// The shots of one force as they stood when taken: their list places and hit
// boxes in list order, so that a scan can pass over a shot with no candidate
// without reading the shot itself. It holds while the play change count stands
// still: until then the pass alone changes the list (by erasing shots it
// destroys, which it marks here), and no shot moves.
class cShotSnapshot {
 public:
  struct cEntry {
    std::list<cShot*>::iterator it;
    cContactRect box;
    long long corner;  // its cell under the pass's shape
    bool skipped;  // spent or, under the view limit, out of view
    bool erased;   // destroyed and erased by the pass: its list place is gone
  };

  void Take(std::list<cShot*>& shots, bool viewOnly, const cContactShape& shape) {
    m_Entries.clear();
    for (auto it = shots.begin(); it != shots.end(); ++it) {
      const cShot& s = **it;
      const cContactRect box = BoxRect(s.m_HitBox);
      m_Entries.push_back({it, box, shape.Corner(box), s.m_bSpent != 0 || (viewOnly && !s.IsInView()), false});
    }
    m_nSeen = PlayChangeCount();
  }
  bool Holds() const { return PlayChangeCount() == m_nSeen; }
  std::vector<cEntry>& Entries() { return m_Entries; }

 private:
  std::vector<cEntry> m_Entries;
  uint64_t m_nSeen = 0;
};

thread_local cShotSnapshot tShotSnapshot;
thread_local std::vector<cContactRect> tShapeRects;

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
  // One shape for the grids of every force, so that a shot's cell is found once
  // for all of them.
  std::vector<cContactRect>& all = tShapeRects;
  all.clear();
  for (int g = 0; g < kForces; ++g)
    for (const cChara* c : m_CharaGroups.At(g)) all.push_back(BoxRect(c->m_ShotBox));
  const cContactShape shape = cContactShape::For(all);
  for (cCharaIndex& index : tShotTargets) index.SetBox(&cChara::m_ShotBox, &shape);
  std::vector<uint32_t> near;
  // One shot against the characters of one force in list order, its candidates
  // in `near` already: the pass's result (1 or 2 ends it) and whether the shot
  // vanishes.
  auto hitShot = [&](cShot& s, cCharaIndex& targets, bool& vanish) {
    vanish = false;
    const cChara* last = nullptr;
    for (size_t k = 0;;) {
      // A call out of this pass may have moved characters or added some.
      if (targets.Stale() && !targets.Rebuild(s.m_HitBox, last, near, k)) break;
      if (k >= near.size() || s.m_bSpent) break;
      cChara& t = targets.At(near[k++]);
      last = &t;
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
    return 0;
  };
  cShotSnapshot& snapshot = tShotSnapshot;
  for (int f = 0; f < kForces; ++f) {
    std::list<cShot*>& shots = m_ShotGroups.At(f);
    if (shots.empty()) continue;
    bool taken = false;
    for (int g = 0; g < kForces; ++g) {
      if (g == f) continue;
      std::list<cChara*>& charas = m_CharaGroups.At(g);
      if (charas.empty()) continue;
      cCharaIndex& targets = tShotTargets[g];
      targets.Ensure(charas);
      if (!taken || !snapshot.Holds()) {
        snapshot.Take(shots, viewOnly, shape);
        taken = true;
      }
      // The list's shots in order, from the snapshot while it holds, then from
      // the list itself after the last shot the snapshot gave.
      auto it = shots.begin();
      for (cShotSnapshot::cEntry& e : snapshot.Entries()) {
        if (!snapshot.Holds()) break;
        if (e.erased) continue;
        it = std::next(e.it);
        if (e.skipped) continue;
        // The snapshot's box is the shot's own while the snapshot holds.
        if (targets.NothingAt(e.corner, shape)) continue;
        targets.QueryRect(e.box, near);
        if (near.empty()) continue;
        cShot& s = **e.it;
        bool vanish = false;
        if (const int r = hitShot(s, targets, vanish)) return r;
        if (vanish) {
          MarkShotSpent(s);
          it = shots.erase(e.it);
          e.erased = true;
        }
      }
      if (snapshot.Holds()) continue;
      while (it != shots.end()) {
        cShot& s = **it;
        if (s.m_bSpent || (viewOnly && !s.IsInView())) {
          ++it;
          continue;
        }
        bool vanish = false;
        targets.Query(s.m_HitBox, nullptr, near);
        if (const int r = hitShot(s, targets, vanish)) return r;
        if (vanish) {
          MarkShotSpent(s);
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
  for (cCharaIndex& index : tBodies) index.SetBox(&cChara::m_BodyBox);
  std::vector<uint32_t> near;
  for (int i = 0; i < kForces; ++i) {
    std::list<cChara*>& first = m_CharaGroups.At(i);
    if (first.empty()) continue;
    for (int j = i + 1; j < kForces; ++j) {
      std::list<cChara*>& second = m_CharaGroups.At(j);
      if (second.empty()) continue;
      cCharaIndex& others = tBodies[j];
      others.Ensure(second);
      for (cChara* ap : first) {
        cChara& a = *ap;
        if (!takesPart(a)) continue;
        others.Query(a.m_BodyBox, nullptr, near);
        const cChara* last = nullptr;
        for (size_t k = 0;;) {
          if (others.Stale() && !others.Rebuild(a.m_BodyBox, last, near, k)) break;
          if (k >= near.size()) break;
          cChara& b = others.At(near[k++]);
          last = &b;
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
          for (int k2 = 0; k2 < 2; ++k2) {
            if (!hit[k2]) continue;
            cChara& c = *order[k2].first;
            if (died[k2]) {
              if (c.m_nKind != 0) PlaySE(9);
              const int r = KillChara(c);
              if (r == 1 || r == 2) return r;
            } else {
              c.StartInvincibilityAgainst(order[k2].second->m_nId);
            }
          }
        }
      }
    }
  }
  return 0;
}

void cStageScene::RunShotShotContacts() {
  std::vector<std::list<cShot*>::iterator> entries;
  std::vector<cContactRect> rects;
  std::vector<uint8_t> erased;
  std::vector<uint32_t> near;
  cContactGrid grid;
  // Only destructible shots are ever destroyed: a pair of forces without one has
  // nothing to do. Nothing here adds shots, so whether a list held one when the
  // pass began is enough to know.
  bool destructible[kForces] = {};
  for (int f = 0; f < kForces; ++f) {
    const std::list<cShot*>& shots = m_ShotGroups.At(f);
    destructible[f] = std::any_of(shots.begin(), shots.end(), [](const cShot* s) { return s->m_Def.bDestructible != 0; });
  }
  for (int i = 0; i < kForces; ++i) {
    std::list<cShot*>& first = m_ShotGroups.At(i);
    for (int j = i + 1; j < kForces; ++j) {
      std::list<cShot*>& second = m_ShotGroups.At(j);
      if (first.empty() || second.empty() || (!destructible[i] && !destructible[j])) continue;
      // Nothing here calls out of the pass, so the grid holds for the whole scan;
      // shots it erases are marked in it.
      entries.clear();
      rects.clear();
      for (auto ni = second.begin(); ni != second.end(); ++ni) {
        entries.push_back(ni);
        rects.push_back(ObjectRect(**ni));
      }
      erased.assign(entries.size(), 0);
      grid.Build(rects);
      for (auto mi = first.begin(); mi != first.end();) {
        cShot& m = **mi;
        bool mGone = false;
        grid.Query(ObjectRect(m), 0, near);
        for (uint32_t e : near) {
          if (erased[e]) continue;
          cShot& n = **entries[e];
          const bool dm = m.m_Def.bDestructible != 0, dn = n.m_Def.bDestructible != 0;
          if ((!dm && !dn) || !m.OverlapsRect(n.m_dX, n.m_dRight, n.m_dY, n.m_dBottom)) continue;
          bool killM = dm, killN = dn;
          if (dm && dn) {
            killM = m.m_Def.nVanishValue <= n.m_Def.nVanishValue;
            killN = n.m_Def.nVanishValue <= m.m_Def.nVanishValue;
          }
          if (killN) {
            MarkShotSpent(n);
            second.erase(entries[e]);
            erased[e] = 1;
          }
          if (killM) {
            MarkShotSpent(m);
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

void cStageScene::DropSpentShotsFromGroups() {
  for (int f = 0; f < kForces; ++f) m_ShotGroups.At(f).remove_if([](const cShot* s) { return s->m_bSpent != 0; });
}

void cStageScene::SweepSpentShots() {
  m_Shots.remove_if([](const cShot& s) { return s.m_bSpent != 0; });
}

void cStageScene::MarkShotSpent(cShot& s) {
  s.m_bSpent = 1;
  ++m_nShotsMarkedSpent;
}

int cStageScene::RunContacts(cList<cStageChara>&) {
  // Every shot marked spent is swept by the end of this pass, so a pass that
  // marks none has nothing to take out of the lists.
  const uint64_t marked = m_nShotsMarkedSpent;
  int r = 0;
  if (ShotHitsThisStep(*this)) {
    m_bWalkingShots = 1;
    r = RunShotContacts();
    m_bWalkingShots = 0;
    if (m_nShotsMarkedSpent != marked) DropSpentShotsFromGroups();
  }
  if (r == 0) r = RunBodyContacts();
  if (r == 0) RunShotShotContacts();
  if (m_nShotsMarkedSpent != marked) SweepSpentShots();
  return r;
}
