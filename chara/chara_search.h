#pragma once
#include <list>

#include "chara/search_rules.h"

class cChara;

// The character searches over a force's character list of the stage scene, as
// the target command and the homing shots use them (chara/search_rules.h holds
// the rules). Null entries never match.

// What the searches read of a character: its screen centre as last computed, its
// flags, identity, definition bytes and variables.
cSearchFacts SearchFactsOf(const cChara& c);

// The nearest active, living character that passes the filters, by scope (0 in
// view first, 1 all, 2 in view only); null when none or for another scope.
cChara* FindNearestChara(int x, int y, const std::list<cChara*>& list, int scope, const cSearchFilter& filter);
// The homing shots' search from (x, y): only characters that shots pass through
// are skipped; only those in view when the stage limits contacts to the view.
cChara* FindNearestForShotAt(int x, int y, const std::list<cChara*>& list);
// The first living character in list order that passes the filters.
cChara* FindFirstChara(const std::list<cChara*>& list, const cSearchFilter& filter);
