#include "data/anime_sequences.h"

#include <algorithm>

#include "data/database.h"
#include "data/project_globals.h"

namespace {

// Tenths of a second as frames of 1/60 s. A duration from a file can be anything;
// the product is kept inside an int rather than overflowing.
int32_t TenthsToFrames(int32_t tenths) {
  const int64_t frames = static_cast<int64_t>(tenths) * 6;
  return static_cast<int32_t>(std::clamp<int64_t>(frames, INT32_MIN, INT32_MAX));
}

}  // namespace

void BuildAnimeSequences(cVector<cAnimeSequence>& tables, const cEdDatabase& database) {
  tables.clear();
  tables.resize(database.AnimeList.size());
  for (int i = 0; i < database.AnimeList.Count(); ++i) {
    const cEdAnime& anime = database.AnimeList[i];
    cAnimeSequence& steps = tables[i];
    if (i == 0) {
      for (const cEdAnimeFrame& f : anime.Frames) steps.push_back({f.nPicture, 0, 1});
      steps.push_back({kAnimeLoop, 0, 1});
      continue;
    }
    int32_t flag = 0;
    for (const cEdAnimeFrame& f : anime.Frames) {
      if (f.bNoInterrupt) flag = 1;
      steps.push_back({f.nPicture, TenthsToFrames(f.nDuration), flag});
    }
    steps.push_back({kAnimeEnd, 0, 0});
  }
}

void BuildAnimeSequences(cVector<cAnimeSequence>& tables) { BuildAnimeSequences(tables, Database); }

void BuildEffectSequences(cVector<cAnimeSequence>& tables, const cEdDatabase& database) {
  tables.clear();
  tables.resize(database.EffectList.size());
  for (int i = 0; i < database.EffectList.Count(); ++i) {
    const cEdEffect& effect = database.EffectList[i];
    cAnimeSequence& steps = tables[i];
    for (const cIntPair& f : effect.Frames)
      steps.push_back(i == 0 ? ANIMESTEP{f.nFirst, 0, 1} : ANIMESTEP{f.nFirst, TenthsToFrames(f.nSecond), 0});
    steps.push_back(i == 0 ? ANIMESTEP{kAnimeLoop, 0, 1} : ANIMESTEP{kAnimeEnd, 0, 0});
  }
}

void BuildEffectSequences(cVector<cAnimeSequence>& tables) { BuildEffectSequences(tables, Database); }
