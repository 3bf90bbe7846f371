#pragma once
// The project's data and the user's progress, held in globals that exist from
// before the program's entry until after it returns. Start-up reads the project
// files into them; the game modes and stage play use them for the rest of the run.
#include "app/base/vector.h"
#include "data/anime_sequences.h"
#include "data/chara_effect_anime.h"
#include "data/database.h"
#include "data/palette.h"
#include "data/save_data.h"
#include "data/scr_effect_anime.h"
#include "data/stage.h"
#include "data/system_data.h"
#include "data/user_records.h"
#include "data/world_map.h"

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
// The replay logs of the current and the previous attempt.
extern cInputLog LogCur;
extern cInputLog LogPrev;
// The stage being played: the loader's target, read and changed by stage play. Its
// palette is the stage palette that definitions link to with kind 2.
extern cEdStage StageData;
// The settings part of the loaded stage, put back into StageData at every
// (re)start; its palette and placement lists stay empty.
extern cEdStage PlayStageData;
extern cEdWorldMap WorldMap;  // "data\WorldMap.dat"
extern cSaveData SaveData;    // the running game's progress
// Snapshots of the save data at the start of the current and the previous attempt.
extern cSaveData SaveAtStart;
extern cSaveData SaveAtPrevStart;
extern cOptionData OptionData;  // "user_data\Option.dat"
extern cRankings Rankings;      // the rankings of the stage or course being played
