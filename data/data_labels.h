#pragma once
// The names of the values that stage files, the world map and the data files
// store, in value order (Shift-JIS). The game shows none of them; the data tool
// may print them beside the numbers.
#include <string>

#include "app/base/vector.h"

enum class eDataLabels {
  // stage settings
  kScrollModes,        // per axis: follow the player, auto-scroll
  kResizeHorizontal,   // the editor's resizing of a stage
  kResizeVertical,
  kHitLevels,          // levels 1 to 19 (entry 0 is level 1)
  kContactSteps,       // 0 to 5
  kBoxAlign,           // 0 centre, 1 bottom
  kBoxAlignShort,
  kBoxDisplay,         // hidden, shown, frame only
  kBoxColours,         // 0 to 7
  kAxes,
  // world-map stage entries
  kWorldPassage,       // 0 world, 1 road, 2 wall
  kWorldAfterClear,    // 0 nothing, 1 a new play-through, 2 the title
  // the data files' small value sets
  kCharaVariables,     // values 1 to 8 (entry 0 is value 1)
  kOperators,
  kComparisons,
  kConditionSenses,
  kColours,
  kCount
};

const cVector<std::string>& DataLabels(eDataLabels list);
