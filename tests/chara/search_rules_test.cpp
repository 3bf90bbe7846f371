// The nearest and first character searches: scopes, ties, filters and the
// shots' homing search, over candidates written out as facts.
#include <gtest/gtest.h>

#include <vector>

#include "chara/search_rules.h"

namespace {

cSearchFacts Facts(int x, int y, int active = 1, int inView = 1, int dead = 0) {
  cSearchFacts c;
  c.nCentreX = x;
  c.nCentreY = y;
  c.bActive = active;
  c.bInView = inView;
  c.bDead = dead;
  return c;
}

const auto kSame = [](const cSearchFacts& c) { return c; };

int Nearest(const std::vector<cSearchFacts>& list, int scope, const cSearchFilter& f = {}, int x = 0, int y = 0) {
  auto it = FindNearestIn(list.begin(), list.end(), kSame, x, y, scope, f);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

int First(const std::vector<cSearchFacts>& list, const cSearchFilter& f) {
  auto it = FindFirstIn(list.begin(), list.end(), kSame, f);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TEST(FindNearest, ScopesTiesAndWhoTakesPart) {
  // 0 far in view, 1 nearer out of view, 2 nearest but inactive, 3 nearest but dead.
  const std::vector<cSearchFacts> list = {Facts(50, 50), Facts(5, 5, 1, 0), Facts(1, 1, 0, 1), Facts(0, 1, 1, 1, 1)};
  struct Case {
    const char* what;
    int scope, found;
  } cases[] = {
      {"scope 0 prefers the one in view although one out of view is nearer", kSearchPreferInView, 0},
      {"scope 1: every candidate", kSearchAll, 1},
      {"scope 2: only those in view", kSearchInView, 0},
      {"scope 3 is none", 3, -1},
      {"scope -1 is none", -1, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Nearest(list, c.scope), c.found);
  }
  // Scope 0 falls back to those out of view when none in view passes.
  EXPECT_EQ(Nearest({Facts(50, 50, 1, 0, 1), Facts(9, 9, 1, 0), Facts(3, 3, 1, 0)}, kSearchPreferInView), 2);
  EXPECT_EQ(Nearest({Facts(9, 9, 1, 0)}, kSearchInView), -1);
  // Distance |dy| + |dx|: (3, 4) and (-7, 0) and (0, -7) tie at 7; the earliest stays.
  EXPECT_EQ(Nearest({Facts(10, 10), Facts(3, 4), Facts(-7, 0), Facts(0, -7)}, kSearchAll), 1);
  EXPECT_EQ(Nearest({Facts(-7, 0), Facts(3, 4)}, kSearchAll), 0);
  // Measured from the given point, in 64 bits at the ends of the int range.
  EXPECT_EQ(Nearest({Facts(INT32_MIN, INT32_MIN), Facts(INT32_MAX, INT32_MAX)}, kSearchAll, {}, INT32_MAX, 0), 1);
  EXPECT_EQ(Nearest({Facts(100, 0), Facts(0, 100)}, kSearchAll, {}, 90, 0), 0);
  // Empty lists and lists with nobody alive and active.
  EXPECT_EQ(Nearest({}, kSearchPreferInView), -1);
  EXPECT_EQ(Nearest({Facts(1, 1, 0), Facts(2, 2, 1, 1, 1)}, kSearchAll), -1);
}

TEST(SearchFilters, EachFilterOnlyWhenSwitchedOn) {
  cSearchFacts c = Facts(0, 0);
  c.nCid = 7;
  c.nIdentity = 42;
  c.nInvincibility = 1;
  c.bBlock = 1;
  for (int i = 0; i < 9; ++i) c.Vars[i] = 10 * i - 30;  // v0 = -30 .. v8 = 50
  struct Case {
    const char* what;
    cSearchFilter f;
    bool passes;
  } cases[] = {
      {"no filter", {}, true},
      {"ID equal", {.bById = 1, .nId = 7}, true},
      {"ID other", {.bById = 1, .nId = 8}, false},
      {"ID beyond a byte never matches", {.bById = 1, .nId = 263}, false},
      {"ID not switched on", {.nId = 8}, true},
      {"excluded identity", {.bExcludeIdentity = 1, .nIdentity = 42}, false},
      {"another identity", {.bExcludeIdentity = 1, .nIdentity = 41}, true},
      {"skip invincible 1", {.bSkipInvincible1 = 1}, false},
      {"skip invincible 2 keeps option 1", {.bSkipInvincible2 = 1}, true},
      {"skip block characters", {.bSkipBlock = 1}, false},
      {"v5 (20) = 20", {.bByVariable = 1, .nVariableIndex = 5, .nValue = 20, .nOperator = 0}, true},
      {"v5 (20) != 20", {.bByVariable = 1, .nVariableIndex = 5, .nValue = 20, .nOperator = 1}, false},
      {"v8 (50) >= 50", {.bByVariable = 1, .nVariableIndex = 8, .nValue = 50, .nOperator = 2}, true},
      {"v8 (50) <= 49", {.bByVariable = 1, .nVariableIndex = 8, .nValue = 49, .nOperator = 3}, false},
      {"v0 (-30) > -31", {.bByVariable = 1, .nVariableIndex = 0, .nValue = -31, .nOperator = 4}, true},
      {"v0 (-30) < -30", {.bByVariable = 1, .nVariableIndex = 0, .nValue = -30, .nOperator = 5}, false},
      {"v0 (-30) divisible by 7", {.bByVariable = 1, .nVariableIndex = 0, .nValue = 7, .nOperator = 6}, false},
      {"v0 (-30) divisible by 3: the magnitude counts",
       {.bByVariable = 1, .nVariableIndex = 0, .nValue = 3, .nOperator = 6},
       true},
      {"anything divisible by 0", {.bByVariable = 1, .nVariableIndex = 1, .nValue = 0, .nOperator = 6}, true},
      {"v1 (-20) not divisible by 0", {.bByVariable = 1, .nVariableIndex = 1, .nValue = 0, .nOperator = 7}, false},
      {"v1 (-20) not divisible by 3", {.bByVariable = 1, .nVariableIndex = 1, .nValue = 3, .nOperator = 7}, true},
      {"operator 8 passes nobody", {.bByVariable = 1, .nVariableIndex = 5, .nValue = 20, .nOperator = 8}, false},
      {"operator -1 passes nobody", {.bByVariable = 1, .nVariableIndex = 5, .nValue = 20, .nOperator = -1}, false},
      {"index 9 reads variable 0", {.bByVariable = 1, .nVariableIndex = 9, .nValue = -30, .nOperator = 0}, true},
      {"index -1 reads variable 0", {.bByVariable = 1, .nVariableIndex = -1, .nValue = 20, .nOperator = 0}, false},
      {"variable filter not switched on", {.nVariableIndex = 5, .nValue = 21, .nOperator = 0}, true},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    EXPECT_EQ(PassesSearchFilters(c, k.f), k.passes);
    // The searches apply the same filters.
    EXPECT_EQ(Nearest({c}, kSearchAll, k.f), k.passes ? 0 : -1);
    EXPECT_EQ(First({c}, k.f), k.passes ? 0 : -1);
  }
}

TEST(FindFirst, ListOrderActivityAndViewNotTested) {
  std::vector<cSearchFacts> list = {Facts(0, 0, 1, 1, 1), Facts(90, 90, 0, 0), Facts(1, 1)};
  list[1].nCid = 3;
  list[2].nCid = 3;
  EXPECT_EQ(First(list, {}), 1);  // the dead one is passed over; inactive and out of view count
  EXPECT_EQ(First(list, {.bById = 1, .nId = 3}), 1);
  EXPECT_EQ(First(list, {.bById = 1, .nId = 4}), -1);
  EXPECT_EQ(First({}, {}), -1);
}

// The shots' nearest search skips only "shots pass through" characters and, with
// the in-view-only switch, those out of view.
TEST(FindNearestForShot, SkipsOnlyPassThroughCharacters) {
  std::vector<cSearchFacts> list = {Facts(1, 1), Facts(2, 2), Facts(3, 3, 1, 0), Facts(60, 60)};
  list[0].nInvincibility = 2;
  list[1].nInvincibility = 1;
  list[1].bBlock = 1;
  list[1].nIdentity = 5;
  auto shot = [&](int inViewOnly) {
    auto it = FindNearestIn(list.begin(), list.end(), kSame, 0, 0, ShotSearchScope(inViewOnly), ShotSearchFilter());
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
  };
  EXPECT_EQ(shot(0), 1);
  list[1].nInvincibility = 2;
  EXPECT_EQ(shot(0), 3);  // in view first, so not the nearer 2
  EXPECT_EQ(shot(1), 3);
  list[3].bInView = 0;
  EXPECT_EQ(shot(0), 2);  // none in view passes: the nearest out of view
  EXPECT_EQ(shot(1), -1);
}

}  // namespace
