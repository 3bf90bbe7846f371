#include "tools/data_tool/project_data_kinds.h"

#include "app/base/record_dump.h"
#include "data/database_file.h"
#include "data/project_globals.h"
#include "platform/sjis.h"

namespace {

std::string Utf8(const std::string& sjis) { return ShownName(sjis); }

// Reads a database file as the game does: the entries start from the game's
// default list and are read over.
template <class T>
bool ReadListFile(const std::string& path, cVector<T> cEdDatabase::*member, const std::string& loadError,
                  cVector<T>& list, uint32_t& version, std::FILE* err) {
  DataFilePtr file = OpenDataFile(path.c_str());
  if (!file) {
    PrintLoadFailure(loadError, path, OpenFailureText(path), err);
    return false;
  }
  list = cEdDatabase().*member;
  if (!ReadDatabaseList(*file, list, "entries")) {
    PrintLoadFailure(loadError, path, file->Error(), err);
    return false;
  }
  version = file->Version();
  return true;
}

template <class T>
cDataKind DatabaseKind(const char* fileName, cVector<T> cEdDatabase::*member) {
  cDataKind k;
  k.name = fileName;
  k.matches = NameIs(fileName);
  k.loadError = SJ("%s のロードに失敗！");
  const std::string loadError = k.loadError;
  const std::string kindName = k.name;
  k.dump = [member, loadError, kindName](const std::string& path, std::FILE* out, std::FILE* err) {
    cVector<T> list;
    uint32_t version = 0;
    if (!ReadListFile(path, member, loadError, list, version, err)) return 1;
    cDumpWriter w(out);
    w.Line("file = \"%s\"", Utf8(path).c_str());
    w.Line("kind = %s", kindName.c_str());
    w.Line("version = %u", version);
    w.RecordList("entries", list);
    return 0;
  };
  k.upgrade = [member, loadError](const std::string& in, const std::string& outPath, std::FILE* err) {
    cVector<T> list;
    uint32_t version = 0;
    if (!ReadListFile(in, member, loadError, list, version, err)) return 1;
    if (!SaveDatabaseList(outPath.c_str(), list)) {
      std::fprintf(err, "%s : cannot be written\n", Utf8(outPath).c_str());
      return 1;
    }
    return 0;
  };
  return k;
}

// The game checks the scene music numbers of "data\System.dat" against the
// database's music list: take the list from the project the file belongs to.
void LoadProjectMusicList(const std::string& systemPath, std::FILE* err) {
  const std::string bgm = FolderOf(systemPath) + "database\\Bgm.dat";
  std::string error;
  cVector<cEdBgm> list = cEdDatabase().BgmList;
  if (LoadDatabaseList(bgm.c_str(), list, error) == eDatabaseRead::kOk) {
    Database.BgmList = list;
    return;
  }
  Database.BgmList = cEdDatabase().BgmList;
  std::fprintf(err, "note: %s not readable; scene music numbers are checked against %d default music entries\n",
               Utf8(bgm).c_str(), Database.BgmList.Count());
}

cDataKind SystemKind() {
  cDataKind k;
  k.name = "System.dat";
  k.matches = NameIs("System.dat");
  k.make = [] { return std::make_unique<cEdSystem>(); };
  k.loadError = SJ("%s の読み込みに失敗…");
  cDataKind plain = k;
  k.dump = [plain](const std::string& path, std::FILE* out, std::FILE* err) {
    LoadProjectMusicList(path, err);
    return DumpDataFile(plain, path, out, err);
  };
  k.upgrade = [plain](const std::string& in, const std::string& out, std::FILE* err) {
    LoadProjectMusicList(in, err);
    return UpgradeDataFile(plain, in, out, err);
  };
  return k;
}

}  // namespace

void AddSystemAndDatabaseKinds(std::vector<cDataKind>& kinds) {
  kinds.push_back(SystemKind());
  kinds.push_back(DatabaseKind("AnimeSet.dat", &cEdDatabase::AnimeSetList));
  kinds.push_back(DatabaseKind("Anime.dat", &cEdDatabase::AnimeList));
  kinds.push_back(DatabaseKind("Bmp_CharaExc.dat", &cEdDatabase::BmpCharaExcList));
  kinds.push_back(DatabaseKind("SwordType.dat", &cEdDatabase::SwordTypeList));
  kinds.push_back(DatabaseKind("Effect.dat", &cEdDatabase::EffectList));
  kinds.push_back(DatabaseKind("CharaEffect.dat", &cEdDatabase::CharaEffectList));
  kinds.push_back(DatabaseKind("ScrEffect.dat", &cEdDatabase::ScrEffectList));
  kinds.push_back(DatabaseKind("Picture.dat", &cEdDatabase::PictureList));
  kinds.push_back(DatabaseKind("Sound.dat", &cEdDatabase::SoundList));
  kinds.push_back(DatabaseKind("Bgm.dat", &cEdDatabase::BgmList));
}
