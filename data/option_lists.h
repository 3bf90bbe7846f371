#pragma once
#include <string>

#include "app/base/vector.h"

// The names of the values of block and character definition fields (Shift-JIS),
// the authoring vocabulary of those fields. Each list ends with an empty string;
// the flight and both giant-size lists carry one further empty string after it.
// Five of them are also the value lists of the character states.
enum class eOptionList {
  // block module
  kSwitch1, kPaletteChoice, kLinkKinds, kLinkKindsCommon, kLinkKindsStage, kLinkKindsNone, kGraphicKinds,
  kGraphicKinds2, kSwitch2, kDisplay, kCollisionKinds, kPassValues, kFloorEffects, kItemLinkKinds,
  kItemLinkKindsCommon,
  // character module
  kOperators, kInputPlayers, kFlight, kInvincibility, kSwitch3, kGiantSizes, kGiantSizesNoNone, kSightShapes,
  kHitRanges, kActivityRanges, kActivationModes,
  kCount
};
const cVector<std::string>& OptionList(eOptionList list);
