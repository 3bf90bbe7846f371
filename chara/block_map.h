#pragma once
#include <cstdint>
#include <deque>

#include "app/base/vector.h"
#include "data/block_def.h"

class cEdStage;

// The running stage's block map. A cell names its block by index into BlockDefs
// (the stage's placed blocks and the blocks summoned since), so a large stage costs
// a few bytes per cell, not a block record each. BlockDefs never moves its
// entries: a character may keep a pointer to the block it stands on.
//
// A cell's flags: kCellLatched, the block's conditions have held once (their latch
// option). Whether summons may touch a cell is the block's own keep byte (bKeep),
// so it changes with the block the cell names.
struct cBlockCell {
  static constexpr int32_t kEmpty = -1;
  int32_t nDef = kEmpty;
  uint8_t nFlags = 0;
};
constexpr uint8_t kCellLatched = 1;

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

// The cell index of a map column and row (the margin included) for a row stride of
// 1 << shift; -1 outside the map.
int CellIndexAt(long long column, long long row, int shift);
// Whether the cell shows a block at all (its tile number is not 0); its conditions
// are not asked.
bool CellHasTile(int cell);
// A cell whose block keeps summons off it (its keep byte); false for empty cells.
bool CellNoSummon(int cell);
// The latched flag of a cell.
bool CellLatched(int cell);
void SetCellLatched(int cell, bool latched);

// The map of a stage: (rows + 20) rows of 1 << shift cells, every placed block in
// its cell (column + 10, row + 10). Placements outside the stage are skipped and
// their count returned through `skipped`. False when the map cannot be allocated
// (too large for memory or for an int index): the map is then left empty.
bool FillBlockMap(const cEdStage& stage, int shift, int& skipped);

// The BlockDefs entry that a summon writes for `source` (a palette block, which
// lives as long as the stage): one entry per source, made at its first summon, so
// summoning and toggling never grow the list beyond one entry per palette block.
int SummonedBlockDef(const cEdBlock& source);
