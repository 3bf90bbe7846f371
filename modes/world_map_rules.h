#pragma once
#include <cstdint>

class cEdWorldMap;
class cEdWorldStage;
class cSaveData;

// The rules of the world map, as plain functions of the map and the progress.

// Entry kinds of a world-map event.
enum { kWorldEntryStage = 0, kWorldEntryWall = 2 };

// The cell index of (col, row), both clamped to the map (-1 for a map without
// cells or an index outside its cell list).
int WorldCellIndex(const cEdWorldMap& map, int col, int row);
// Whether the chip of the cell stops the figure (a chip number outside the chip
// list stops nothing).
bool WorldCellBlocks(const cEdWorldMap& map, int col, int row);
// The event standing on the cell (its index, -1 none) and its active entry: the
// first one whose conditions hold (null none).
int WorldEventAt(const cEdWorldMap& map, int col, int row);
const cEdWorldStage* FindActiveStage(const cEdWorldMap& map, const cSaveData& save, int col, int row);
// Cleared: its stage flag is set (a stage number outside the flags never is).
bool IsStageCleared(const cEdWorldStage& entry, const cSaveData& save);
// Waits for button 1: the confirm flag, or cleared.
bool StageNeedsConfirm(const cEdWorldStage& entry, const cSaveData& save);
// The handle the save data keeps for the entry (0 when it is not on the map).
int32_t WorldStageHandleOf(const cEdWorldMap& map, const cEdWorldStage* entry);

// One move of the figure by a direction word (1 left, 2 right, 4 up, 8 down; one
// direction acts, in that order): where it stands afterwards and which way it
// faces (0 down, 1 up, 2 left, 3 right; unchanged without a direction). A refused
// move (an active wall entry, or no active entry on a blocking chip) leaves the
// cell as it was but still turns the figure.
struct WorldMove {
  int col = 0, row = 0;
  int facing = 0;
  bool moved = false;    // a direction was pressed
  bool refused = false;
};
WorldMove MoveOnWorldMap(const cEdWorldMap& map, const cSaveData& save, int col, int row, int facing,
                         uint16_t directions);
