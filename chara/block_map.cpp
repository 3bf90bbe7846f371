#include "chara/block_map.h"

#include <map>
#include <new>

#include "data/stage.h"

cVector<cBlockCell> BlockMap;
std::deque<cEdBlock> BlockDefs;

namespace {

// The entries made for summoned blocks, by the palette block they copy. Emptied
// with the map: a new stage starts a new list.
std::map<const cEdBlock*, int> gSummoned;

// More cells than this is no stage an author can make: 32767 columns and rows
// with their margins stay far below it.
constexpr long long kMaxCells = 1LL << 28;

}  // namespace

void ResetBlockMap(int cells) {
  BlockMap.clear();
  BlockDefs.clear();
  gSummoned.clear();
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

int CellIndexAt(long long column, long long row, int shift) {
  if (column < 0 || row < 0 || shift < 0 || shift > 30) return -1;
  const long long stride = 1LL << shift;
  if (column >= stride) return -1;
  const long long index = (row << shift) + column;
  if (index >= BlockMap.Count()) return -1;
  return static_cast<int>(index);
}

bool CellHasTile(int cell) {
  const cEdBlock* block = CellBlock(cell);
  return block && block->nGraphic != 0;
}

bool CellNoSummon(int cell) {
  const cEdBlock* block = CellBlock(cell);
  return block && block->bKeep != 0;
}

bool CellLatched(int cell) {
  return cell >= 0 && cell < BlockMap.Count() && (BlockMap[cell].nFlags & kCellLatched) != 0;
}

void SetCellLatched(int cell, bool latched) {
  if (cell < 0 || cell >= BlockMap.Count()) return;
  if (latched) BlockMap[cell].nFlags |= kCellLatched;
  else BlockMap[cell].nFlags &= static_cast<uint8_t>(~kCellLatched);
}

bool FillBlockMap(const cEdStage& stage, int shift, int& skipped) {
  skipped = 0;
  ResetBlockMap(0);
  const long long rows = static_cast<long long>(stage.nHeight) + 20;
  if (stage.nWidth < 1 || stage.nHeight < 1 || shift < 0 || shift > 30) return false;
  const long long cells = rows << shift;
  if (cells > kMaxCells) return false;
  try {
    BlockMap.assign(static_cast<size_t>(cells), cBlockCell());
  } catch (const std::bad_alloc&) {
    BlockMap.clear();
    return false;
  }
  for (const cEdBlock& b : stage.Blocks) {
    if (b.nCol < 0 || b.nCol >= stage.nWidth || b.nRow < 0 || b.nRow >= stage.nHeight) {
      ++skipped;
      continue;
    }
    AddCellBlock(CellIndexAt(b.nCol + 10LL, b.nRow + 10LL, shift), b);
  }
  return true;
}

int SummonedBlockDef(const cEdBlock& source) {
  auto it = gSummoned.find(&source);
  if (it != gSummoned.end()) return it->second;
  BlockDefs.push_back(source);
  const int def = static_cast<int>(BlockDefs.size()) - 1;
  gSummoned.emplace(&source, def);
  return def;
}
