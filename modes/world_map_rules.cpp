#include "modes/world_map_rules.h"

#include <algorithm>

#include "data/save_data.h"
#include "data/world_map.h"

int WorldCellIndex(const cEdWorldMap& map, int col, int row) {
  if (map.nWidth <= 0 || map.nHeight <= 0) return -1;
  col = std::clamp(col, 0, map.nWidth - 1);
  row = std::clamp(row, 0, map.nHeight - 1);
  const int64_t index = (int64_t{row} << std::clamp(map.nPitchShift, 0, 30)) + col;
  return index < map.Cells.Count() ? static_cast<int>(index) : -1;
}

bool WorldCellBlocks(const cEdWorldMap& map, int col, int row) {
  const int cell = WorldCellIndex(map, col, row);
  if (cell < 0) return false;
  const int chip = map.Cells[static_cast<size_t>(cell)];
  return chip >= 0 && chip < map.Chips.Count() && map.Chips[static_cast<size_t>(chip)].bBlock != 0;
}

int WorldEventAt(const cEdWorldMap& map, int col, int row) {
  for (int i = 0; i < map.Events.Count(); ++i) {
    const cEdWorldEvent& e = map.Events[static_cast<size_t>(i)];
    if (e.nCol == col && e.nRow == row) return i;
  }
  return -1;
}

const cEdWorldStage* FindActiveStage(const cEdWorldMap& map, const cSaveData& save, int col, int row) {
  const int event = WorldEventAt(map, col, row);
  if (event < 0) return nullptr;
  const cEdWorldEvent& e = map.Events[static_cast<size_t>(event)];
  for (const cEdWorldStage& s : e.Stages) {
    // Conditions on flags and variables that the save data cannot hold never hold.
    if (s.nNeedFlag > 0 && (s.nNeedFlag >= save.Flags.Count() || !save.Flags[static_cast<size_t>(s.nNeedFlag)]))
      continue;
    if (s.nVarNo != 0) {
      if (s.nVarNo < 0 || s.nVarNo >= save.CommonVars.Count()) continue;
      if (!WorldCompare(save.CommonVars[static_cast<size_t>(s.nVarNo)], s.nVarValue, s.nVarCompare)) continue;
    }
    if (save.nTotal < s.nNeedTotal) continue;
    return &s;
  }
  return nullptr;
}

bool IsStageCleared(const cEdWorldStage& entry, const cSaveData& save) {
  return entry.nStageNo >= 0 && entry.nStageNo < save.Flags.Count() &&
         save.Flags[static_cast<size_t>(entry.nStageNo)] != 0;
}

bool StageNeedsConfirm(const cEdWorldStage& entry, const cSaveData& save) {
  return entry.bNoAutoStart != 0 || IsStageCleared(entry, save);
}

int32_t WorldStageHandleOf(const cEdWorldMap& map, const cEdWorldStage* entry) {
  for (int e = 0; e < map.Events.Count(); ++e) {
    const cEdWorldEvent& ev = map.Events[static_cast<size_t>(e)];
    for (int s = 0; s < ev.Stages.Count(); ++s)
      if (&ev.Stages[static_cast<size_t>(s)] == entry) return WorldStageHandle(e, s);
  }
  return 0;
}

WorldMove MoveOnWorldMap(const cEdWorldMap& map, const cSaveData& save, int col, int row, int facing,
                         uint16_t directions) {
  WorldMove m;
  m.col = col;
  m.row = row;
  m.facing = facing;
  if (!(directions & 15)) return m;
  m.moved = true;
  int c = col, r = row;
  if (directions & 1) {
    m.facing = 2;
    c = std::max(col - 1, 0);
  } else if (directions & 2) {
    m.facing = 3;
    c = std::min(col + 1, map.nWidth - 1);
  } else if (directions & 4) {
    m.facing = 1;
    r = std::max(row - 1, 0);
  } else {
    m.facing = 0;
    r = std::min(row + 1, map.nHeight - 1);
  }
  const cEdWorldStage* active = FindActiveStage(map, save, c, r);
  if ((active && active->nPassage == kWorldEntryWall) || (!active && WorldCellBlocks(map, c, r))) {
    m.refused = true;
    return m;
  }
  m.col = c;
  m.row = r;
  return m;
}
