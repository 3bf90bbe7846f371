// Loading the ten database files at start-up.
#include <gtest/gtest.h>

#include "data/database_file.h"
#include "data/project_globals.h"
#include "data/startup_data.h"
#include "platform/sjis.h"
#include "tests/support/database_layout.h"
#include "tests/support/temp_dir.h"

namespace {

using fix::Sj;
using fix::Value;
using Values = std::vector<Value>;

struct DatabaseFile {
  const char* path;  // relative to the project folder
  const fix::RecordType* layout;
  Values entries;
};

// A small project database: two or three entries per file, all at version 752.
std::vector<DatabaseFile> ProjectFiles() {
  auto named = [](const char* n) { return Value().S("name", n); };
  auto def = [](int kind) { return Value().F("kind", kind).F("parameters", {10, 0, 32, 4, 2}); };
  return {
      {"data/database/AnimeSet.dat", &fix::AnimeSetLayout(), {named("set0"), named("set1")}},
      {"data/database/Anime.dat", &fix::AnimeLayout(), {named("a0"), named("a1"), named("a2")}},
      {"data/database/Bmp_CharaExc.dat", &fix::BmpCharaExcLayout(), {named("b0")}},
      {"data/database/SwordType.dat", &fix::SwordTypeLayout(), {named("s0"), named("s1")}},
      {"data/database/Effect.dat", &fix::EffectLayout(), {named("e0"), named("e1"), named("e2")}},
      {"data/database/CharaEffect.dat", &fix::EffectDefLayout(), {def(5), def(4)}},
      {"data/database/ScrEffect.dat", &fix::EffectDefLayout(), {def(6), def(6), def(1)}},
      {"data/database/Picture.dat", &fix::FileEntryLayout(), {named("p0")}},
      {"data/database/Sound.dat", &fix::FileEntryLayout(), {named("se0"), named("se1"), named("se2")}},
      {"data/database/Bgm.dat", &fix::FileEntryLayout(), {named("m0"), named("m1"), named("m2"), named("m3")}},
  };
}

void WriteProject(const cTempDir& dir, const std::vector<DatabaseFile>& files) {
  for (const DatabaseFile& f : files) dir.Write(f.path, fix::ListFile(752, *f.layout, f.entries));
}

TEST(DatabaseLoad, TheTenFilesAreReadAndEffectZeroIsNone) {
  cTempDir dir;
  WriteProject(dir, ProjectFiles());
  cEdDatabase db;
  ASSERT_EQ(db.Load(), 1);
  EXPECT_EQ(db.AnimeSetList.Count(), 2);
  EXPECT_EQ(db.AnimeList[2].strName, "a2");
  EXPECT_EQ(db.BmpCharaExcList.Count(), 1);
  EXPECT_EQ(db.SwordTypeList[1].strName, "s1");
  EXPECT_EQ(db.EffectList.Count(), 3);
  EXPECT_EQ(db.PictureList[0].strName, "p0");
  EXPECT_EQ(db.SoundList.Count(), 3);
  EXPECT_EQ(db.BgmList[3].strName, "m3");
  EXPECT_EQ(db.CharaEffectList[0].nKind, 0);
  EXPECT_EQ(db.CharaEffectList[1].nKind, 4);
  EXPECT_EQ(db.ScrEffectList[0].nKind, 0);
  EXPECT_EQ(db.ScrEffectList[2].nKind, 1);
  EXPECT_TRUE(dir.ReportLines().empty());
}

TEST(DatabaseLoad, AMissingFileStopsTheLoadWithTheGamesMessage) {
  cTempDir dir;
  auto files = ProjectFiles();
  files.erase(files.begin() + 4);  // Effect.dat
  WriteProject(dir, files);
  cEdDatabase db;
  EXPECT_EQ(db.Load(), 0);
  EXPECT_TRUE(dir.ReportContains(plat::Utf8ToSjis("data\\database\\Effect.dat のロードに失敗！")));
  EXPECT_EQ(db.AnimeSetList[1].strName, "set1");  // read before the missing file
  EXPECT_EQ(db.SwordTypeList[1].strName, "s1");
  const cEdDatabase defaults;
  EXPECT_EQ(db.EffectList.Count(), defaults.EffectList.Count());  // the rest keep their defaults
  EXPECT_EQ(db.BgmList.Count(), defaults.BgmList.Count());
  EXPECT_EQ(db.CharaEffectList[0].nKind, 1);
}

TEST(DatabaseLoad, TheStartUpStepEndsWithItsMessage) {
  cTempDir dir;
  EXPECT_FALSE(LoadDatabaseStep());
  EXPECT_TRUE(dir.ReportContains(plat::Utf8ToSjis("data\\database\\AnimeSet.dat のロードに失敗！")));
  EXPECT_TRUE(dir.ReportContains(plat::Utf8ToSjis("データベースの読み込みに失敗…")));
}

// A file with no entries leaves its list empty; nothing of the start-up may then
// index entry 0 of it.
TEST(DatabaseLoad, EmptyListsLoadAndPrepareWithoutAnyBadIndex) {
  cTempDir dir;
  auto files = ProjectFiles();
  for (DatabaseFile& f : files) f.entries.clear();
  WriteProject(dir, files);
  ASSERT_TRUE(LoadDatabaseStep());
  PrepareDatabaseTables();
  EXPECT_TRUE(Database.CharaEffectList.empty());
  EXPECT_TRUE(Database.AnimeList.empty());
  EXPECT_TRUE(AnimeSequences.empty());
  EXPECT_TRUE(ScrEffectTableRev.empty());
  EXPECT_FALSE(dir.ReportContains("err V["));
}

// Reads bytes as database file `index` (0 to 9, in loading order) into db.
bool ReadAsFile(cEdDatabase& db, size_t index, const std::vector<unsigned char>& bytes, std::string& error) {
  DataFilePtr f = DataFileFromBytes(bytes, cEdDatabase::kFileNames[index]);
  bool ok = false;
  switch (index) {
    case 0: ok = ReadDatabaseList(*f, db.AnimeSetList, "entries"); break;
    case 1: ok = ReadDatabaseList(*f, db.AnimeList, "entries"); break;
    case 2: ok = ReadDatabaseList(*f, db.BmpCharaExcList, "entries"); break;
    case 3: ok = ReadDatabaseList(*f, db.SwordTypeList, "entries"); break;
    case 4: ok = ReadDatabaseList(*f, db.EffectList, "entries"); break;
    case 5: ok = ReadDatabaseList(*f, db.CharaEffectList, "entries"); break;
    case 6: ok = ReadDatabaseList(*f, db.ScrEffectList, "entries"); break;
    case 7: ok = ReadDatabaseList(*f, db.PictureList, "entries"); break;
    case 8: ok = ReadDatabaseList(*f, db.SoundList, "entries"); break;
    default: ok = ReadDatabaseList(*f, db.BgmList, "entries"); break;
  }
  error = f->Error();
  return ok;
}

// Damaged files: each cut and each blown-up count or length fails cleanly with the
// place and the reason, never a crash or a bad index, and leaves the list as it was.
TEST(DatabaseLoad, TruncatedAndMutatedFilesFailCleanly) {
  cTempDir dir;
  auto files = ProjectFiles();
  files[1].entries = {Value().S("name", "a").Recs("frames", {Value().F("picture", 1)})};
  files[3].entries = {Value().S("name", "s").Recs("frames", {Value().F("width", 3)})};
  files[4].entries = {Value().S("name", "e").Recs("frames", {Value().F("first", 2)})};
  files[0].entries = {Value().S("name", "set").Recs("motions", {files[1].entries[0]})};
  int failures = 0;
  for (size_t i = 0; i < files.size(); ++i) {
    const auto good = fix::ListFile(752, *files[i].layout, files[i].entries);
    std::vector<std::vector<unsigned char>> cases;
    for (size_t cut = 4; cut < good.size(); ++cut) cases.emplace_back(good.begin(), good.begin() + cut);
    for (size_t at = 4; at + 4 <= good.size(); ++at)
      for (uint32_t bad : {0xFFFFFFFFu, 0x7FFFFFFFu, 0x00100000u}) {
        auto b = good;
        for (int k = 0; k < 4; ++k) b[at + k] = static_cast<unsigned char>(bad >> (8 * k));
        cases.push_back(b);
      }
    for (const auto& c : cases) {
      cEdDatabase db;
      const cEdDatabase before;
      std::string error;
      if (!ReadAsFile(db, i, c, error)) {
        ++failures;
        ASSERT_NE(error.find(std::string(cEdDatabase::kFileNames[i]) + " : offset "), std::string::npos) << error;
        ASSERT_EQ(db.AnimeSetList.Count() + db.AnimeList.Count() + db.EffectList.Count() + db.BgmList.Count(),
                  before.AnimeSetList.Count() + before.AnimeList.Count() + before.EffectList.Count() +
                      before.BgmList.Count());
      }
    }
  }
  EXPECT_GT(failures, 500);
  EXPECT_FALSE(dir.ReportContains("err V["));

  // At start-up: the game's box with the path, the reason in the report log, and
  // the files read before it kept.
  WriteProject(dir, files);
  const auto effect = fix::ListFile(752, *files[4].layout, files[4].entries);
  dir.Write(files[4].path, std::vector<unsigned char>(effect.begin(), effect.end() - 1));
  cEdDatabase db;
  EXPECT_EQ(db.Load(), 0);
  EXPECT_TRUE(dir.ReportContains(plat::Utf8ToSjis("data\\database\\Effect.dat のロードに失敗！")));
  EXPECT_TRUE(dir.ReportContains("Effect.dat : offset "));
  EXPECT_EQ(db.SwordTypeList[0].strName, "s");
  EXPECT_EQ(db.EffectList.Count(), 2);
}

TEST(DatabaseLoad, ANewDatabaseHasItsDefaultEntries) {
  const cEdDatabase db;
  EXPECT_EQ(db.AnimeSetList.Count(), 1);
  ASSERT_EQ(db.AnimeSetList[0].Motions.Count(), 4);
  EXPECT_EQ(db.AnimeSetList[0].Motions[1].strName, Sj("立ち移動"));
  EXPECT_EQ(db.AnimeSetList[0].nFullCellRow, 8);
  ASSERT_EQ(db.AnimeList.Count(), 2);
  EXPECT_EQ(db.AnimeList[0].strName, Sj("なし"));
  EXPECT_EQ(db.AnimeList[1].strName, Sj("アクションA"));
  EXPECT_EQ(db.AnimeList[1].Frames.Count(), 1);
  EXPECT_EQ(db.BmpCharaExcList[1].nCellSize, 2);
  ASSERT_EQ(db.SwordTypeList.Count(), 1);
  EXPECT_EQ(db.SwordTypeList[0].Frames[0].bMirrorX, 1);
  EXPECT_EQ(db.SwordTypeList[0].Frames[0].nDuration, 1);
  EXPECT_EQ(db.EffectList[1].nCellWidth, 32);
  EXPECT_EQ(db.CharaEffectList[0].nKind, 1);
  EXPECT_EQ(db.ScrEffectList.Count() + db.PictureList.Count() + db.SoundList.Count() + db.BgmList.Count(), 8);
  EXPECT_TRUE(db.CharaEffectListRev.empty());
}

}  // namespace
