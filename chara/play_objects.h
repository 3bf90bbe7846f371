#pragma once
#include <cstdint>
#include <list>

#include "app/base/vector.h"
#include "data/block_def.h"

class cPlayer;
class cStageChara;
class cItem;

// One cell of the running stage's block map: its block and the cell's flags.
struct cBlockCell {
  cEdBlock Block;
  uint8_t nFlags = 0;
};

// The play objects of the project data: the players (element P1 is the player of
// play), the running stage's block map (cell = column + (row << stride shift)),
// the stage characters and the items lying in the stage. Every object that others
// point at lives in a list, so its address holds until it is removed.
constexpr int P1 = 0;
extern cList<cPlayer> Player;
extern cVector<cBlockCell> BlockMap;
extern cList<cStageChara> StageChara;
extern cList<cItem> ItemList;
