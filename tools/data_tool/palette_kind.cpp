#include "tools/data_tool/palette_kind.h"

#include "app/base/path_util.h"
#include "app/base/shell_globals.h"
#include "tools/data_tool/data_tool.h"
#include "data/database_file.h"
#include "data/project_globals.h"
#include "platform/sjis.h"

namespace {

template <class T>
bool LoadList(const std::string& folder, int file, cVector<T> cEdDatabase::*member) {
  std::string name = cEdDatabase::kFileNames[file];
  StripDirectory(name);
  const std::string path = folder + "database\\" + name;
  cVector<T> list = cEdDatabase().*member;
  std::string error;
  if (LoadDatabaseList(path.c_str(), list, error) != eDatabaseRead::kOk) return false;
  Database.*member = list;
  return true;
}

}  // namespace

void LoadProjectDatabase(const std::string& folder, std::FILE* err) {
  Database = cEdDatabase();
  int missing = 0;
  missing += !LoadList(folder, 0, &cEdDatabase::AnimeSetList);
  missing += !LoadList(folder, 1, &cEdDatabase::AnimeList);
  missing += !LoadList(folder, 2, &cEdDatabase::BmpCharaExcList);
  missing += !LoadList(folder, 3, &cEdDatabase::SwordTypeList);
  missing += !LoadList(folder, 4, &cEdDatabase::EffectList);
  missing += !LoadList(folder, 5, &cEdDatabase::CharaEffectList);
  missing += !LoadList(folder, 6, &cEdDatabase::ScrEffectList);
  missing += !LoadList(folder, 7, &cEdDatabase::PictureList);
  missing += !LoadList(folder, 8, &cEdDatabase::SoundList);
  missing += !LoadList(folder, 9, &cEdDatabase::BgmList);
  if (missing)
    std::fprintf(err, "note: %d files of %sdatabase\\ are not readable; references are checked against the game's "
                 "default lists for those\n", missing, ShownName(folder).c_str());
}

void AddCommonPaletteKind(std::vector<cDataKind>& kinds) {
  cDataKind k;
  k.name = "CommonPalette.cplt4";
  k.matches = ExtensionStartsWith("cplt4");
  k.make = [] { return std::make_unique<cEdPalette>(); };
  k.loadError = SJ("%s のロードに失敗！");
  const cDataKind plain = k;
  // The tool reads as a test play does: flows meant for test play only are kept,
  // so that an upgrade loses none of them.
  k.dump = [plain](const std::string& path, std::FILE* out, std::FILE* err) {
    bTestPlay = 1;
    LoadProjectDatabase(FolderOf(path), err);
    return DumpDataFile(plain, path, out, err);
  };
  k.upgrade = [plain](const std::string& in, const std::string& out, std::FILE* err) {
    bTestPlay = 1;
    LoadProjectDatabase(FolderOf(in), err);
    return UpgradeDataFile(plain, in, out, err);
  };
  kinds.push_back(k);
}
