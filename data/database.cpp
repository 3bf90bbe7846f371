#include "data/database.h"

#include "app/base/message_box.h"
#include "app/base/report_log.h"
#include "data/database_file.h"
#include "platform/sjis.h"

const char* const cEdDatabase::kFileNames[kFiles] = {
    "data\\database\\AnimeSet.dat", "data\\database\\Anime.dat",       "data\\database\\Bmp_CharaExc.dat",
    "data\\database\\SwordType.dat", "data\\database\\Effect.dat",     "data\\database\\CharaEffect.dat",
    "data\\database\\ScrEffect.dat", "data\\database\\Picture.dat",    "data\\database\\Sound.dat",
    "data\\database\\Bgm.dat"};

void cEdDatabase::SetDefault() {
  ResetFields();
  AnimeSetList.assign(1, cEdAnimeSet());
  AnimeList.assign(2, cEdAnime());
  AnimeList[0].strName = SJ("なし");
  AnimeList[1].strName = SJ("アクションA");
  BmpCharaExcList.assign(2, cEdBmpCharaExc());
  SwordTypeList.assign(1, cEdSwordType());
  EffectList.assign(2, cEdEffect());
  CharaEffectList.assign(2, cEdCharaEffect());
  ScrEffectList.assign(2, cEdScrEffect());
  PictureList.assign(2, cEdPicture());
  SoundList.assign(2, cEdSound());
  BgmList.assign(2, cEdBgm());
}

namespace {
template <class T>
bool LoadOne(const char* path, cVector<T>& list) {
  std::string error;
  switch (LoadDatabaseList(path, list, error)) {
    case eDatabaseRead::kOk:
      return true;
    case eDatabaseRead::kDamaged:
      ReportLog("%s", error.c_str());
      break;
    case eDatabaseRead::kMissing:
      break;
  }
  ErrorBoxf(SJ("%s のロードに失敗！"), path);
  return false;
}
}  // namespace

int cEdDatabase::Load() {
  bool ok = LoadOne(kFileNames[0], AnimeSetList) && LoadOne(kFileNames[1], AnimeList) &&
            LoadOne(kFileNames[2], BmpCharaExcList) && LoadOne(kFileNames[3], SwordTypeList) &&
            LoadOne(kFileNames[4], EffectList) && LoadOne(kFileNames[5], CharaEffectList) &&
            LoadOne(kFileNames[6], ScrEffectList) && LoadOne(kFileNames[7], PictureList) &&
            LoadOne(kFileNames[8], SoundList) && LoadOne(kFileNames[9], BgmList);
  if (!ok) return 0;
  FixDefaults();
  return 1;
}

void cEdDatabase::FixDefaults() {
  // A file may hold no entries at all; there is then no entry 0 to fix.
  if (!CharaEffectList.empty()) CharaEffectList[0].nKind = 0;
  if (!ScrEffectList.empty()) ScrEffectList[0].nKind = 0;
}

void cEdDatabase::MakeWorkingCopies() {
  CharaEffectListRev = CharaEffectList;
  ScrEffectListRev = ScrEffectList;
}
