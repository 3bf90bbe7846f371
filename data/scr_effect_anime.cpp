#include "data/scr_effect_anime.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "data/database.h"
#include "data/project_globals.h"

void cScrEffectAnime::Load(const cScrEffectAnime& e) {
  pDef = e.pDef;
  dValue = e.dValue;
  dSwing = e.dSwing;
  dStep = e.dStep;
  nWorkA = e.nWorkA;
  nWorkB = e.nWorkB;
  bWaiting = e.bWaiting;
  dWaitCount = e.dWaitCount;
  nWaitLimit = e.nWaitLimit;
}

void cScrEffectAnime::Start(int n, int playMode, int repeat) {
  cVector<cScrEffectAnime>& table = playMode == 1 ? ScrEffectTableRev : ScrEffectTable;
  if (n < 0 || n >= table.Count()) {
    // A damaged command: the checked access reports it; nothing runs.
    if (n != 0) table.At(n);
    nNo = 0;
    return;
  }
  Load(table[static_cast<size_t>(n)]);
  bReversed = playMode == 1 ? 1 : 0;
  nNo = static_cast<int16_t>(n);
  nPlayMode = playMode;
  bRepeat = repeat;
}

void cScrEffectAnime::Restart() {
  if (nPlayMode == 2) bReversed ^= 1;
  cVector<cScrEffectAnime>& table = bReversed == 1 ? ScrEffectTableRev : ScrEffectTable;
  if (nNo < 0 || nNo >= table.Count()) {
    nNo = 0;
    return;
  }
  Load(table[static_cast<size_t>(nNo)]);
}

int cScrEffectAnime::Step(int from, int to) {
  bool ended;
  if (bWaiting) {
    dWaitCount += dStep;
    ended = !(dWaitCount <= nWaitLimit);
  } else if (to < from) {
    dValue -= dStep;
    ended = !(std::trunc(dValue) >= to);
  } else {
    dValue += dStep;
    ended = !(to >= std::trunc(dValue));
  }
  if (!ended) return 0;
  if (bRepeat || (nPlayMode == 2 && bReversed == 0)) {
    Restart();
    return 0;
  }
  return 1;
}

namespace {
// The value runs from start to end in P0 x 6 frames. A running time below one
// tenth (never offered by the editor) counts as one, so that no step is infinite.
double StepPerFrame(int start, int end, int time) {
  return std::fabs(static_cast<double>(end) - start) / (std::max(time, 1) * 6.0);
}
}  // namespace

void PrepareScrEffect(cScrEffectAnime& entry, int n, int direction, cEdDatabase& database) {
  entry.nNo = static_cast<int16_t>(n);
  entry.bWaiting = 0;
  cEdScrEffect& def = direction == 1 ? database.ScrEffectListRev.At(n) : database.ScrEffectList.At(n);
  entry.pDef = &def;
  int32_t* p = def.Params;
  const bool reversed = direction == 1;
  switch (def.nKind) {
    case 1:
      if (reversed) {
        std::swap(p[1], p[3]);
        std::swap(p[2], p[4]);
      }
      entry.dValue = 0;
      entry.dStep = 1.0 / 6;
      entry.nWorkA = p[1];
      entry.nWorkB = p[2];
      break;
    case 2:
    case 3:
      entry.dValue = 0;
      entry.dSwing = 0;
      entry.dStep = 1.0 / 6;
      entry.nWorkA = 0;
      break;
    case 8:
      entry.dValue = 0;
      entry.dStep = 1.0 / 6;
      entry.nWorkA = 0;
      entry.nWorkB = 0;
      break;
    case 4: case 5: case 6: case 7: case 9: case 10: case 11: case 12: case 13:
      if (reversed) std::swap(p[1], p[2]);
      entry.dValue = p[1];
      entry.dStep = StepPerFrame(p[1], p[2], p[0]);
      if (def.nKind == 6 || def.nKind == 7) entry.nWorkA = 0;
      if (p[1] == p[2]) {
        entry.bWaiting = 1;
        entry.dStep = 1.0 / 6;
        entry.dWaitCount = 0;
        entry.nWaitLimit = p[0];
      }
      break;
    default:
      break;
  }
}

void PrepareScrEffect(cScrEffectAnime& entry, int n, int direction) {
  PrepareScrEffect(entry, n, direction, Database);
}

void PrepareScrEffects(cVector<cScrEffectAnime>& forward, cVector<cScrEffectAnime>& reverse, cEdDatabase& database) {
  const int count = database.ScrEffectList.Count();
  forward.assign(static_cast<size_t>(count), cScrEffectAnime());
  reverse.assign(static_cast<size_t>(count), cScrEffectAnime());
  for (int i = 0; i < count; ++i) {
    PrepareScrEffect(forward[i], i, 0, database);
    PrepareScrEffect(reverse[i], i, 1, database);
  }
}

void PrepareScrEffects(cVector<cScrEffectAnime>& forward, cVector<cScrEffectAnime>& reverse) {
  PrepareScrEffects(forward, reverse, Database);
}
