#pragma once
#include <string>

#include "app/base/vector.h"
#include "data/param_desc.h"

// The character effect kinds: 0 none, 1 to 16 as named in CharaEffectKindNames.
constexpr int kCharaEffectKinds = 17;

// Kind names in kind order 1 to 16, then an empty entry (Shift-JIS).
const cVector<std::string>& CharaEffectKindNames();
// Caption, limits and default of parameter `slot` (0 to 4) of a kind; kind 0, the
// slots a kind does not use and anything out of range are empty.
const cParamDesc& CharaEffectParamDesc(int kind, int slot);
