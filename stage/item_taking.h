#pragma once

class cItem;
class cPlayer;
class cEdItem;

// The player takes one item: its window, its sound and its commands; 0, 1 (the
// stage is cleared) or 2 (the player died). Nothing for a missing item, one
// without a graphic, one never taken or one not active.
int TakeItem(cItem* item, cPlayer& player);

// The item definition that a palette kind (1 common, 2 stage) and index name; null
// when none does.
const cEdItem* FindItemDefinition(int kind, int index);
