#include "chara/block_map.h"

cVector<cBlockCell> BlockMap;
std::deque<cEdBlock> BlockDefs;

void ResetBlockMap(int cells) {
  BlockMap.clear();
  BlockDefs.clear();
  if (cells > 0) BlockMap.assign(cells, cBlockCell());
}

cEdBlock* CellBlock(int cell) {
  if (cell < 0 || cell >= BlockMap.Count()) return nullptr;
  const int32_t def = BlockMap[cell].nDef;
  if (def < 0 || static_cast<size_t>(def) >= BlockDefs.size()) return nullptr;
  return &BlockDefs[def];
}

int CellHitKind(int cell, int passValue) {
  cEdBlock* block = CellBlock(cell);
  return block ? block->GetHitKind(passValue) : 0;
}

void SetCellDef(int cell, int def) {
  if (cell < 0 || cell >= BlockMap.Count()) return;
  if (def != cBlockCell::kEmpty && (def < 0 || static_cast<size_t>(def) >= BlockDefs.size())) return;
  BlockMap[cell].nDef = def;
}

int AddCellBlock(int cell, const cEdBlock& block) {
  BlockDefs.push_back(block);
  const int def = static_cast<int>(BlockDefs.size()) - 1;
  SetCellDef(cell, def);
  return def;
}
