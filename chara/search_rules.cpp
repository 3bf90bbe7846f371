#include "chara/search_rules.h"

#include "chara/status.h"

bool PassesSearchFilters(const cSearchFacts& c, const cSearchFilter& f) {
  if (f.bById && c.nCid != f.nId) return false;
  if (f.bExcludeIdentity && c.nIdentity == f.nIdentity) return false;
  if (f.bSkipInvincible1 && c.nInvincibility == 1) return false;
  if (f.bSkipInvincible2 && c.nInvincibility == 2) return false;
  if (f.bSkipBlock && c.bBlock) return false;
  if (f.bByVariable) {
    const int index = f.nVariableIndex >= 0 && f.nVariableIndex < 9 ? f.nVariableIndex : 0;
    if (!CompareByOperator(c.Vars[index], f.nValue, f.nOperator)) return false;
  }
  return true;
}

int64_t SearchDistance(const cSearchFacts& c, int x, int y) {
  return std::llabs(static_cast<int64_t>(c.nCentreY) - y) + std::llabs(static_cast<int64_t>(c.nCentreX) - x);
}

cSearchFilter ShotSearchFilter() {
  cSearchFilter f;
  f.bSkipInvincible2 = 1;
  return f;
}

int ShotSearchScope(int inViewOnly) { return inViewOnly ? kSearchInView : kSearchPreferInView; }
