#pragma once
#include "app/base/vector.h"
#include "data/name_tables.h"

constexpr int kItemCommandTypes = 25;

// Entry t: label and parameter count of item command type t (0 to 24), then an
// empty terminator. Type 1 changes the player's flows; types 2 to 24 run the
// character commands 17 to 39 and carry their labels and counts.
const cVector<cLabelItem>& ItemCommandTable();

// The character command type whose body item command type t runs (t + 15 for 2 to
// 24); -1 for the types of the item set alone.
inline int CharaTypeOfItemCommand(int t) { return t >= 2 && t < kItemCommandTypes ? t + 15 : -1; }
