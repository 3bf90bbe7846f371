// Feeds arbitrary bytes to the readers of the ten database files: the first byte
// picks the file, the rest is its content. Nothing may crash, read out of bounds or
// allocate what the input cannot hold; a list that reads is written again and the
// start-up tables are built from it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "data/database_file.h"
#include "data/project_globals.h"

namespace {

template <class T>
void Check(cDataFile& f, cVector<T>& list, cEdDatabase& db) {
  if (!ReadDatabaseList(f, list, "entries")) return;
  DataFilePtr out = cDataFile::ForWriting("out");
  WriteDatabaseList(*out, list);
  cVector<T> back;
  DataFilePtr again = DataFileFromBytes(out->Bytes(), "again");
  if (!ReadDatabaseList(*again, back, "entries")) std::abort();
  db.FixDefaults();
  db.MakeWorkingCopies();
  cVector<cAnimeSequence> anime, effects;
  BuildAnimeSequences(anime, db);
  BuildEffectSequences(effects, db);
  cVector<cCharaEffectAnime> cf, cr;
  cVector<cScrEffectAnime> sf, sr;
  PrepareCharaEffects(cf, cr, db);
  PrepareScrEffects(sf, sr, db);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  std::vector<uint8_t> bytes(data + 1, data + size);
  DataFilePtr f = DataFileFromBytes(bytes, "database");
  if (f->Failed()) return 0;
  cEdDatabase db;
  switch (data[0] % cEdDatabase::kFiles) {
    case 0: Check(*f, db.AnimeSetList, db); break;
    case 1: Check(*f, db.AnimeList, db); break;
    case 2: Check(*f, db.BmpCharaExcList, db); break;
    case 3: Check(*f, db.SwordTypeList, db); break;
    case 4: Check(*f, db.EffectList, db); break;
    case 5: Check(*f, db.CharaEffectList, db); break;
    case 6: Check(*f, db.ScrEffectList, db); break;
    case 7: Check(*f, db.PictureList, db); break;
    case 8: Check(*f, db.SoundList, db); break;
    default: Check(*f, db.BgmList, db); break;
  }
  return 0;
}
