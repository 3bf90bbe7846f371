#pragma once
#include <cstdint>
#include <deque>

#include "app/base/vector.h"
#include "data/block_def.h"

// The running stage's block map. A cell names its block by index into BlockDefs
// (the stage's placed blocks and the blocks summoned since), so a large stage costs
// a few bytes per cell, not a block record each. BlockDefs never moves its
// entries: a character may keep a pointer to the block it stands on.
struct cBlockCell {
  static constexpr int32_t kEmpty = -1;
  int32_t nDef = kEmpty;
  uint8_t nFlags = 0;
};

extern cVector<cBlockCell> BlockMap;
extern std::deque<cEdBlock> BlockDefs;

// Empties the map and the definitions, then makes `cells` empty cells.
void ResetBlockMap(int cells);
// The block of a cell: null for an empty cell or an index outside the map.
cEdBlock* CellBlock(int cell);
// The collision kind of a cell for an object of that pass value: 0 when empty.
int CellHitKind(int cell, int passValue);
// Points a cell at an entry of BlockDefs (kEmpty empties it); an index outside the
// map or the definitions changes nothing.
void SetCellDef(int cell, int def);
// Keeps a copy of `block` in BlockDefs and points the cell at it; the new index.
int AddCellBlock(int cell, const cEdBlock& block);
