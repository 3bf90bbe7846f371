#include "data/project_globals.h"

// One unit, so that the objects are built in this order and destroyed in the
// reverse order. Constructors must not rely on the data version being set: each
// record gives its members their defaults directly.
//
// PENDING objects of this unit, each added in its place when it exists: the sound
// table, its load descriptors and the music player (kept with the sound code for
// now) before CommonPalette; Player, the block cells, StageChara and ItemList
// (stage play, characters) after LogPrev; the save-slot summaries (game modes)
// after OptionData.
cEdPalette CommonPalette;
cEdSystem SystemData;
cEdDatabase Database;
cVector<cAnimeSequence> AnimeSequences;
cVector<cAnimeSequence> EffectSequences;
cVector<cCharaEffectAnime> CharaEffectTable;
cVector<cScrEffectAnime> ScrEffectTable;
cVector<cCharaEffectAnime> CharaEffectTableRev;
cVector<cScrEffectAnime> ScrEffectTableRev;
cInputLog LogCur;
cInputLog LogPrev;
cEdStage StageData;
cEdStage PlayStageData;
cEdWorldMap WorldMap;
cSaveData SaveData;
cSaveData SaveAtStart;
cSaveData SaveAtPrevStart;
cOptionData OptionData;
cRankings Rankings;

namespace {
// Links of kind 2 name the palette of the stage that plays; the lists are members
// of StageData and keep their addresses for the whole run.
[[maybe_unused]] const bool kStagePaletteRegistered = (SetStagePalette(StageData.PaletteLists()), true);
}  // namespace
