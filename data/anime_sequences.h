#pragma once
#include <cstdint>

#include "app/base/vector.h"

class cEdDatabase;

// One step of a frame sequence: a value (picture or frame number; below 0 a
// control step), how many frames it lasts, and whether it may be interrupted.
struct ANIMESTEP {
  int32_t nValue = 0;
  int32_t nFrames = 0;
  int32_t bNoInterrupt = 0;
  bool operator==(const ANIMESTEP&) const = default;
};
using cAnimeSequence = cVector<ANIMESTEP>;

// Control values that close the sequences built here.
constexpr int32_t kAnimeLoop = -2;
constexpr int32_t kAnimeEnd = -4;

// One step table per database animation: a step per frame (duration x 6 frames)
// and a closing step. Animation 0 ("none") loops without time; every other
// animation ends with -4 and may not be interrupted from its first flagged frame on.
void BuildAnimeSequences(cVector<cAnimeSequence>& tables, const cEdDatabase& database);
void BuildAnimeSequences(cVector<cAnimeSequence>& tables);
// The same for the database's effects (never flagged).
void BuildEffectSequences(cVector<cAnimeSequence>& tables, const cEdDatabase& database);
void BuildEffectSequences(cVector<cAnimeSequence>& tables);
