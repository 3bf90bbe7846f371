#include "data/chara_effect_anime.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "data/database.h"
#include "data/project_globals.h"

void cCharaEffectAnime::Load(const cCharaEffectAnime& e) {
  pDef = e.pDef;
  nStart = e.nStart;
  nEnd = e.nEnd;
  dValue = e.dValue;
  dStep = e.dStep;
  dWaitCount = e.dWaitCount;
  nTime = e.nTime;
  nWorkA = e.nWorkA;
  nWorkB = e.nWorkB;
}

void cCharaEffectAnime::Start(int n, int playMode, int repeat) {
  cVector<cCharaEffectAnime>& table = playMode == 1 ? CharaEffectTableRev : CharaEffectTable;
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

void cCharaEffectAnime::Restart() {
  if (nPlayMode == 2) bReversed ^= 1;
  cVector<cCharaEffectAnime>& table = bReversed == 1 ? CharaEffectTableRev : CharaEffectTable;
  if (nNo < 0 || nNo >= table.Count()) return;
  Load(table[static_cast<size_t>(nNo)]);
}

int cCharaEffectAnime::Step() {
  bool ended;
  if (nStart == nEnd) {
    dWaitCount += dStep;
    ended = !(dWaitCount <= nTime);
  } else if (nStart < nEnd) {
    dValue += dStep;
    ended = !(dValue <= nEnd);
  } else {
    dValue -= dStep;
    ended = !(dValue >= nEnd);
  }
  if (!ended) return 0;
  if (bRepeat || (nPlayMode == 2 && bReversed == 0)) {
    Restart();
    return 0;
  }
  return 1;
}

void PrepareCharaEffect(cCharaEffectAnime& entry, int n, int direction, cEdDatabase& database) {
  entry.nNo = static_cast<int16_t>(n);
  cEdCharaEffect& def = direction == 1 ? database.CharaEffectListRev.At(n) : database.CharaEffectList.At(n);
  entry.pDef = &def;
  int32_t* p = def.Params;
  entry.nTime = p[0];
  if (def.nKind == 6 || def.nKind == 14) {
    // Blinking kinds count time, not a value.
    entry.nStart = 0;
    entry.nEnd = p[0];
    entry.dValue = 0;
    entry.dStep = 1.0 / 6;
    entry.nWorkA = 0;
    entry.nWorkB = 0;
  } else {
    if (direction == 1) std::swap(p[1], p[2]);
    entry.nStart = p[1];
    entry.nEnd = p[2];
    entry.dValue = p[1];
    // A running time below one tenth (never offered by the editor) counts as one,
    // so that no step is infinite.
    entry.dStep = std::fabs(static_cast<double>(p[2]) - p[1]) / (std::max(p[0], 1) * 6.0);
    if (def.nKind == 4 || def.nKind == 5) entry.nWorkA = 0;
  }
  if (def.nKind != 0 && entry.nStart == entry.nEnd) {
    entry.dStep = 1.0 / 6;
    entry.dWaitCount = 0;
  }
}

void PrepareCharaEffect(cCharaEffectAnime& entry, int n, int direction) {
  PrepareCharaEffect(entry, n, direction, Database);
}

void PrepareCharaEffects(cVector<cCharaEffectAnime>& forward, cVector<cCharaEffectAnime>& reverse,
                         cEdDatabase& database) {
  const int count = database.CharaEffectList.Count();
  forward.assign(static_cast<size_t>(count), cCharaEffectAnime());
  reverse.assign(static_cast<size_t>(count), cCharaEffectAnime());
  for (int i = 0; i < count; ++i) {
    PrepareCharaEffect(forward[i], i, 0, database);
    PrepareCharaEffect(reverse[i], i, 1, database);
  }
}

void PrepareCharaEffects(cVector<cCharaEffectAnime>& forward, cVector<cCharaEffectAnime>& reverse) {
  PrepareCharaEffects(forward, reverse, Database);
}
