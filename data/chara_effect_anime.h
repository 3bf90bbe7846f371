#pragma once
#include <cstdint>

#include "app/base/vector.h"

class cEdCharaEffect;
class cEdDatabase;

// A character's running effect, and the start state of one definition in one
// direction (the prepared tables hold one per definition and direction).
struct cCharaEffectAnime {
  int16_t nNo = 0;                  // the definition's index; 0 = none
  cEdCharaEffect* pDef = nullptr;   // in the database list or its reversed copy
  int32_t nPlayMode = 0;            // 1 reversed, 2 there and back, else forward
  int32_t bRepeat = 0;
  int32_t bReversed = 0;
  int32_t nStart = 0;
  int32_t nEnd = 0;
  double dValue = 0;                // runs from start to end
  double dStep = 0;
  double dWaitCount = 0;            // used when start equals end
  int32_t nTime = 0;                // P0, tenths of a second
  int32_t nWorkA = 0;
  int32_t nWorkB = 0;

  // Takes the start state of a prepared entry (definition, values, work members).
  void Load(const cCharaEffectAnime& entry);
  // Begins effect n from the prepared tables (play mode 1 from the reversed one);
  // a number the tables do not have is reported and leaves no effect running.
  void Start(int n, int playMode, int repeat);
  // Starts the running effect again from its start state; there and back turns
  // round first.
  void Restart();
  // Advances the value (or the wait) by one frame: 1 when the effect has ended,
  // 0 while it runs or when it began again.
  int Step();
};

// Prepares entry from character effect n: direction 0 from the database's list,
// direction 1 from its working copy, whose start and end values it exchanges first.
void PrepareCharaEffect(cCharaEffectAnime& entry, int n, int direction, cEdDatabase& database);
void PrepareCharaEffect(cCharaEffectAnime& entry, int n, int direction);
// Sizes both tables to the character effects and prepares every entry; run once
// at start-up, after the working copies are made.
void PrepareCharaEffects(cVector<cCharaEffectAnime>& forward, cVector<cCharaEffectAnime>& reverse,
                         cEdDatabase& database);
void PrepareCharaEffects(cVector<cCharaEffectAnime>& forward, cVector<cCharaEffectAnime>& reverse);
