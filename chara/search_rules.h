#pragma once
#include <cstdint>
#include <cstdlib>
#include <iterator>

// The two searches over a character list that the target command and the homing
// shots use: the nearest character by screen distance, and the first one in list
// order, each among the characters that pass a set of filters. The rules work on
// plain facts of each candidate, so that the game (with its characters) and the
// probe and tests (with facts written out) run the very same arithmetic.

// What a search reads of one candidate.
struct cSearchFacts {
  int32_t nCentreX = 0, nCentreY = 0;  // the screen centre as last computed
  int32_t bActive = 0, bInView = 0, bDead = 0;
  int32_t nIdentity = 0;
  uint8_t nCid = 0;                    // its definition's character ID
  uint8_t nInvincibility = 0;          // 0 off, 1 shots hit, 2 shots pass through
  uint8_t bBlock = 0;                  // a block character
  int32_t Vars[9] = {};                // its character variables
};

// The filters of a search; each applies only when switched on.
struct cSearchFilter {
  int bById = 0;
  int nId = 0;
  int bByVariable = 0;
  int nVariableIndex = 0;
  int nValue = 0;
  int nOperator = 0;
  int bExcludeIdentity = 0;
  int nIdentity = 0;
  int bSkipInvincible1 = 0;
  int bSkipInvincible2 = 0;
  int bSkipBlock = 0;
};

// Search scopes (the target command's choices).
enum { kSearchPreferInView = 0, kSearchAll = 1, kSearchInView = 2 };

// The filters only (not activity, life or view). A variable index outside 0 to 8
// reads variable 0, as the game's checked vector does (which also reports it).
bool PassesSearchFilters(const cSearchFacts& c, const cSearchFilter& f);

// |cy - y| + |cx - x|, in 64 bits.
int64_t SearchDistance(const cSearchFacts& c, int x, int y);

// The nearest active, living candidate that passes the filters, from (x, y) on the
// screen: scope 1 among all, scope 2 among those in view, scope 0 among those in
// view and, when none of them passes, among the others; on a tie the earlier one
// stays. `factsOf(element)` gives a candidate's facts. end when none (or the scope
// is none of these).
template <class It, class FactsOf>
It FindNearestIn(It first, It last, FactsOf factsOf, int x, int y, int scope, const cSearchFilter& filter) {
  // view: 0 any, 1 in view only, 2 out of view only.
  auto pass = [&](int view) {
    It best = last;
    int64_t bestDistance = 0;
    for (It it = first; it != last; ++it) {
      const cSearchFacts c = factsOf(*it);
      if (!c.bActive || c.bDead) continue;
      if ((view == 1 && !c.bInView) || (view == 2 && c.bInView)) continue;
      if (!PassesSearchFilters(c, filter)) continue;
      const int64_t d = SearchDistance(c, x, y);
      if (best == last || d < bestDistance) {
        best = it;
        bestDistance = d;
      }
    }
    return best;
  };
  switch (scope) {
    case kSearchAll: return pass(0);
    case kSearchInView: return pass(1);
    case kSearchPreferInView: {
      const It inView = pass(1);
      return inView != last ? inView : pass(2);
    }
    default: return last;
  }
}

// The first living candidate in list order that passes the filters, active or
// not, in view or not; end when none.
template <class It, class FactsOf>
It FindFirstIn(It first, It last, FactsOf factsOf, const cSearchFilter& filter) {
  for (It it = first; it != last; ++it) {
    const cSearchFacts c = factsOf(*it);
    if (!c.bDead && PassesSearchFilters(c, filter)) return it;
  }
  return last;
}

// The shots' homing search: scope 2 when the stage's in-view-only switch is set,
// else scope 0; only the candidates whose shots pass through are skipped.
cSearchFilter ShotSearchFilter();
int ShotSearchScope(int inViewOnly);
