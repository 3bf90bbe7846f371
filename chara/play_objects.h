#pragma once
#include <cstdint>
#include <list>

#include "app/base/vector.h"
#include "chara/block_map.h"

class cPlayer;
class cStageChara;
class cItem;

// The play objects of the project data: the players (element P1 is the player of
// play), the running stage's block map (chara/block_map.h), the stage characters
// and the items lying in the stage. Every object that others point at lives in a
// list, so its address holds until it is removed.
constexpr int P1 = 0;
extern cList<cPlayer> Player;
extern cList<cStageChara> StageChara;
extern cList<cItem> ItemList;
