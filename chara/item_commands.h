#pragma once
#include "app/base/vector.h"

class cEdCommand;
class cPlayer;

// The handler of item command type t (0 to 24) run on player 1: the body of
// character command t + 15 for 2 to 23; 1 only from the stage clear.
using ItemCommandHandler = int (*)(cPlayer& player, cEdCommand& command);
constexpr int kItemCommandHandlers = 25;
extern const ItemCommandHandler ItemCommandHandlers[kItemCommandHandlers];

// Item lists that take items whose lists take items again stop at this depth: an
// item that takes itself would otherwise never return.
constexpr int kMaxItemListDepth = 16;

// The flow change of an item command (mode 0 add, 1 replace the group's flows, 2
// remove them; group 0 every flow, 1 to 26 the groups A to Z) on the player. Not
// applied now while the player's own flows run: it waits in the player's list
// until they have finished the step.
void ExecChangeFlow(cPlayer& player, const cEdCommand& command, int applyNow);
