#include "data/project_globals.h"

// One unit, so that the objects are built in this order and destroyed in the
// reverse order. Constructors must not rely on the data version being set: each
// record gives its members their defaults directly.
cEdPalette CommonPalette;
cEdSystem SystemData;
cEdDatabase Database;
cVector<cAnimeSequence> AnimeSequences;
cVector<cAnimeSequence> EffectSequences;
cVector<cCharaEffectAnime> CharaEffectTable;
cVector<cScrEffectAnime> ScrEffectTable;
cVector<cCharaEffectAnime> CharaEffectTableRev;
cVector<cScrEffectAnime> ScrEffectTableRev;
