#pragma once
#include <string>

#include "app/base/vector.h"
#include "data/param_desc.h"

// The vocabulary of the shot definitions (Shift-JIS): the six firing patterns and
// the ten shot movement types, each with the caption, limits and default of its
// three values, and the label lists of further shot settings. Play reads only the
// ranges (an arranged pattern or movement value is clamped to them).
constexpr int kShotPatterns = 6;
constexpr int kShotMoveTypes = 10;

// Names in pattern order, then an empty terminator.
const cVector<std::string>& ShotPatternNames();
// Value k (0 to 2) of a pattern; empty for values the pattern does not use and
// for anything out of range.
const cParamDesc& ShotPatternParamDesc(int pattern, int k);
const cVector<std::string>& ShotMoveTypeNames();
const cParamDesc& ShotMoveTypeParamDesc(int type, int k);

// Further label lists of the shot settings, each ended by an empty string.
enum class eShotLabels { kCentres, kBlockSummonModes, kPalettes, kSummonFactions, kCount };
const cVector<std::string>& ShotLabels(eShotLabels list);
