#pragma once
#include <string>

#include "app/base/vector.h"
#include "data/param_desc.h"

// The screen effect kinds: 0 none, 1 to 13 as named in ScrEffectKindNames.
constexpr int kScrEffectKinds = 14;
constexpr int kEffectParams = 5;  // P0 (running time, tenths of a second) to P4

// Kind names in kind order 1 to 13, then an empty entry (Shift-JIS).
const cVector<std::string>& ScrEffectKindNames();
// Caption, limits and default of parameter `slot` (0 to 4) of a kind; kind 0, the
// slots a kind does not use and anything out of range are empty.
const cParamDesc& ScrEffectParamDesc(int kind, int slot);
