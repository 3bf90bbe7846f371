// "data\System.dat" and the database, written by the game's own record classes.
#include <cstdio>
#include <iterator>

#include "app/base/record.h"
#include "data/database.h"
#include "data/database_file.h"
#include "data/system_data.h"
#include "platform/files.h"
#include "platform/sjis.h"
#include "tools/make_demo/demo.h"

namespace demo {
namespace {

template <class T>
bool SaveList(const char* path, cVector<T>& list) {
  if (SaveDatabaseList(path, list)) return true;
  std::fprintf(stderr, "korvane-mkdemo: cannot write %s\n", path);
  return false;
}

template <class T>
T FileEntry(const char* name, const std::string& file) {
  T e;
  e.strName = name;
  e.strFile = file;
  return e;
}

bool WriteDatabase() {
  // A new project's lists, with the demo's sounds and its title music.
  cEdDatabase db;
  const char* const soundNames[] = {"Jump", "Coin", "Hit", "Shot"};
  db.SoundList.resize(1);
  for (size_t i = 0; i < DatabaseSoundFiles().size(); ++i)
    db.SoundList.push_back(FileEntry<cEdSound>(soundNames[i % 4], DatabaseSoundFiles()[i]));
  // The title's tune also opens the first stage; the forest and the castle have
  // their own.
  db.BgmList.resize(1);
  for (const cTune& tune : DemoTunes()) db.BgmList.push_back(FileEntry<cEdBgm>(tune.name, tune.file));
  // Screen effect 1: the picture shakes sideways for half a second.
  cEdScrEffect shake;
  shake.strName = "Shake";
  shake.nKind = 2;
  shake.Params[0] = 5;
  shake.Params[1] = 6;
  shake.Params[2] = 6;
  db.ScrEffectList.resize(1);
  db.ScrEffectList.push_back(shake);
  const char* const* f = cEdDatabase::kFileNames;
  return SaveList(f[0], db.AnimeSetList) && SaveList(f[1], db.AnimeList) && SaveList(f[2], db.BmpCharaExcList) &&
         SaveList(f[3], db.SwordTypeList) && SaveList(f[4], db.EffectList) && SaveList(f[5], db.CharaEffectList) &&
         SaveList(f[6], db.ScrEffectList) && SaveList(f[7], db.PictureList) && SaveList(f[8], db.SoundList) &&
         SaveList(f[9], db.BgmList);
}

bool WriteSystemData() {
  cEdSystem system;
  system.strTitle = SJ("コルヴェイン デモ");
  for (int i = 0; i < cEdSystem::kSystemSounds; ++i) system.SystemSounds[static_cast<size_t>(i)] = SystemSoundFile(i);
  system.SceneBgm[0] = 1;  // the title scene plays database music 1
  system.nChallengeStages = 1;  // "data\stg4\c01-1.stg4_752"
  // The title menu as text, and the option captions in the order of the items.
  system.bTitleMenuCentre = 0;
  const char* const options[] = {"パレット", "BGM", "SE", "ランキング登録", "ランキング登録名", "もどる"};
  for (size_t i = 0; i < std::size(options); ++i)
    system.OptionMenu.At(static_cast<int>(i)).strCaption = plat::Utf8ToSjis(options[i]);
  system.bMapLives = 1;
  // The story and the challenge count lives (five to start with); stage files and
  // replays play without a limit.
  system.InfiniteLives = {0, 0, 1, 1};
  if (system.Save("data\\System.dat")) return true;
  std::fprintf(stderr, "korvane-mkdemo: cannot write data/System.dat\n");
  return false;
}

}  // namespace

bool WriteProjectData() {
  if (!plat::MakeDirectory("data") || !plat::MakeDirectory("data\\database")) {
    std::fprintf(stderr, "korvane-mkdemo: cannot make data/database\n");
    return false;
  }
  return WriteDatabase() && WriteSystemData();
}

}  // namespace demo
