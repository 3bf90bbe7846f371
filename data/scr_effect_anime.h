#pragma once
#include <cstdint>

#include "app/base/vector.h"

class cEdScrEffect;
class cEdDatabase;

// A running screen effect, and the start state of one definition in one
// direction (the prepared tables hold one per definition and direction).
struct cScrEffectAnime {
  int16_t nNo = 0;                    // the definition's index; 0 = no effect
  cEdScrEffect* pDef = nullptr;       // in the database list or its reversed copy
  int32_t nPlayMode = 0;              // 1 reversed, 2 there and back, else forward
  int32_t bRepeat = 0;
  int32_t bReversed = 0;
  double dValue = 0;                  // time, shift, width, angle, radius, distance or strength
  double dSwing = 0;                  // kinds 2 and 3: the current offset in dots
  double dStep = 0;                   // change of the value per frame
  int32_t nWorkA = 0;
  int32_t nWorkB = 0;
  int32_t bWaiting = 0;               // start equals end: the effect only waits for its time
  double dWaitCount = 0;              // tenths of a second waited
  int32_t nWaitLimit = 0;

  // Takes the start state of a prepared entry (definition, values, work members).
  void Load(const cScrEffectAnime& entry);
  // Begins effect n from the prepared tables (play mode 1 from the reversed one);
  // a number the tables do not have is reported and leaves no effect running.
  void Start(int n, int playMode, int repeat);
  // Starts the running effect again from its start state; there and back turns
  // round first.
  void Restart();
  // Advances the value (or the wait) by one frame's step on its way from `from`
  // to `to`: 1 when the effect has ended, 0 while it runs or when it began again.
  int Step(int from, int to);
};

// Prepares entry from screen effect n: direction 0 from the database's list,
// direction 1 from its working copy, whose start and end values it exchanges
// first. A definition index the list does not have goes through the checked access.
void PrepareScrEffect(cScrEffectAnime& entry, int n, int direction, cEdDatabase& database);
void PrepareScrEffect(cScrEffectAnime& entry, int n, int direction);
// Sizes both tables to the screen effects and prepares every entry; run once at
// start-up, after the working copies are made.
void PrepareScrEffects(cVector<cScrEffectAnime>& forward, cVector<cScrEffectAnime>& reverse, cEdDatabase& database);
void PrepareScrEffects(cVector<cScrEffectAnime>& forward, cVector<cScrEffectAnime>& reverse);
