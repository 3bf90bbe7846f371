#pragma once
// The project's data, held in globals that exist from before the program's entry
// until after it returns. Start-up reads the project files into them.
#include "app/base/vector.h"
#include "chara/chara_effect_anime.h"
#include "data/anime_sequences.h"
#include "data/database.h"
#include "data/palette.h"
#include "data/system_data.h"
#include "stage/scr_effect_anime.h"

extern cEdPalette CommonPalette;  // "data\CommonPalette.cplt4"
extern cEdSystem SystemData;  // "data\System.dat"
extern cEdDatabase Database;  // the ten files under "data\database\"
// Built at start-up from the database; read by stage play and the characters.
extern cVector<cAnimeSequence> AnimeSequences;   // one step table per animation
extern cVector<cAnimeSequence> EffectSequences;  // one step table per effect
extern cVector<cCharaEffectAnime> CharaEffectTable;
extern cVector<cScrEffectAnime> ScrEffectTable;
extern cVector<cCharaEffectAnime> CharaEffectTableRev;
extern cVector<cScrEffectAnime> ScrEffectTableRev;
