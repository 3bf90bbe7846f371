#pragma once
#include "app/base/record.h"
#include "data/anime_records.h"
#include "data/effect_defs.h"
#include "data/effect_record.h"
#include "data/file_entries.h"
#include "data/sword_type.h"

// The project's catalogue of shared resources, each kind in its own file under
// "data\database\". Characters, stages and commands refer to entries by index;
// entry 0 stands for none. Loaded once at start-up, read-only afterwards.
class cEdDatabase : public cRecord {
  RECORD_CLASS(cEdDatabase)
 public:
  // The ten files, in loading order.
  static constexpr int kFiles = 10;
  static const char* const kFileNames[kFiles];

  cEdDatabase() { SetDefault(); }

  cVector<cEdAnimeSet> AnimeSetList;
  cVector<cEdAnime> AnimeList;
  cVector<cEdBmpCharaExc> BmpCharaExcList;
  cVector<cEdSwordType> SwordTypeList;
  cVector<cEdEffect> EffectList;
  cVector<cEdCharaEffect> CharaEffectList;
  cVector<cEdScrEffect> ScrEffectList;
  cVector<cEdPicture> PictureList;
  cVector<cEdSound> SoundList;
  cVector<cEdBgm> BgmList;
  // Working copies of the character and screen effects: preparing the reverse
  // direction exchanges the start and end values of these definitions.
  cVector<cEdCharaEffect> CharaEffectListRev;
  cVector<cEdScrEffect> ScrEffectListRev;

  // Lists 1 to 10 get their default entries; the working copies stay as they are.
  void SetDefault();
  // Reads the ten files in order: 1, or 0 at the first file that is missing (box
  // "%s のロードに失敗！" with its path) or damaged (the same box, the reason in
  // the report log). Lists read before it keep what they read, the others keep
  // what they had.
  int Load();
  // Character effect 0 and screen effect 0 are "no effect".
  void FixDefaults();
  // Each working copy becomes a copy of its list.
  void MakeWorkingCopies();
};
