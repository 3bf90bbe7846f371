#include "chara/chara_search.h"

#include "app/base/vector.h"
#include "chara/chara.h"
#include "data/project_globals.h"

namespace {

cSearchFacts FactsOf(const cChara* c) {
  if (!c) {
    cSearchFacts none;
    none.bDead = 1;
    return none;
  }
  return SearchFactsOf(*c);
}

// A variable index outside the nine is a damaged flow: reported (which closes the
// game) once per search; the rule then reads variable 0, as the checked vector does.
void ReportBadVariableIndex(const cSearchFilter& f) {
  if (f.bByVariable && (f.nVariableIndex < 0 || f.nVariableIndex >= cChara::kVariables))
    ReportBadIndex('V', f.nVariableIndex, cChara::kVariables, static_cast<int>(sizeof(int32_t)));
}

}  // namespace

cSearchFacts SearchFactsOf(const cChara& c) {
  cSearchFacts f;
  f.nCentreX = c.m_nScreenLeft + c.m_nDrawWidth / 2;
  f.nCentreY = c.m_nScreenTop + c.m_nDrawHeight / 2;
  f.bActive = c.m_bActive;
  f.bInView = c.m_bInView;
  f.bDead = c.m_bDead;
  f.nIdentity = c.m_nId;
  f.nCid = static_cast<uint8_t>(c.m_Def.cid);
  f.nInvincibility = static_cast<uint8_t>(c.m_Def.nInvincible);
  f.bBlock = static_cast<uint8_t>(c.m_Def.bFullCell);
  for (int i = 0; i < cChara::kVariables && i < c.m_Vars.Count(); ++i) f.Vars[i] = c.m_Vars[static_cast<size_t>(i)];
  return f;
}

cChara* FindNearestChara(int x, int y, const std::list<cChara*>& list, int scope, const cSearchFilter& filter) {
  ReportBadVariableIndex(filter);
  auto it = FindNearestIn(list.begin(), list.end(), FactsOf, x, y, scope, filter);
  return it == list.end() ? nullptr : *it;
}

cChara* FindNearestForShotAt(int x, int y, const std::list<cChara*>& list) {
  return FindNearestChara(x, y, list, ShotSearchScope(StageData.bContactActiveOnly), ShotSearchFilter());
}

cChara* FindFirstChara(const std::list<cChara*>& list, const cSearchFilter& filter) {
  ReportBadVariableIndex(filter);
  auto it = FindFirstIn(list.begin(), list.end(), FactsOf, filter);
  return it == list.end() ? nullptr : *it;
}

cChara* cObject::FindNearestForShot(const std::list<cChara*>& list) const {
  return FindNearestForShotAt(m_nScreenLeft + m_nDrawWidth / 2, m_nScreenTop + m_nDrawHeight / 2, list);
}
