// The game-wide settings' helpers, short lists and damaged files.
#include <gtest/gtest.h>

#include "data/project_globals.h"
#include "data/startup_data.h"
#include "platform/sjis.h"
#include "tests/data/system_expectations.h"
#include "tests/support/temp_dir.h"

namespace {

using fix::Sj;

TEST(SystemRules, CheckWarningByValueOrPercentage) {
  cEdSystem s;
  s.StatusItems[2].nWarning = 33;
  s.StatusItems[2].bWarnPercent = 1;
  EXPECT_EQ(s.CheckWarning(2, 66, 200), 1);  // 33 >= 33.0
  EXPECT_EQ(s.CheckWarning(2, 67, 200), 0);
  s.StatusItems[3].nWarning = 10;
  EXPECT_EQ(s.CheckWarning(3, 10, 200), 1);
  EXPECT_EQ(s.CheckWarning(3, 11, 200), 0);
}

TEST(SystemRules, CountRankGenresOfADisabledSettingIsZero) {
  cEdSystem s;
  EXPECT_EQ(s.CountRankGenres(cEdSystem::kStory), 5);
  s.RankSettings[1].Genres = {1, 0, 1, 0, 0};
  EXPECT_EQ(s.CountRankGenres(cEdSystem::kChallenge), 2);
  s.RankSettings[3].Genres = {1, 1, 1, 1, 1};
  EXPECT_EQ(s.CountRankGenres(cEdSystem::kReplay), 0);
}

TEST(SystemRules, TextBlockLeftCentresTheWidestText) {
  cEdSystem s;  // texts 0 and 1 are "ワールド" and "ステージ"
  EXPECT_EQ(s.TextBlockLeft(320, 0, 2, 0), 288);
  EXPECT_EQ(s.TextBlockLeft(320, 0, 2, 1), 280);
  EXPECT_EQ(s.TextBlockLeft(320, 4, 1, 0), 320 - 7 * 8);  // "トータルスコア"
}

// Every string the settings write goes out through a 5,120-byte buffer: at most
// 5,119 bytes, a double-byte character at the cut left out whole; the record
// itself keeps its texts.
TEST(SystemRules, WrittenStringsAreCutAt5119Bytes) {
  const std::string long6000(6000, 'a');
  const std::string straddling = std::string(5118, 'b') + Sj("あ");
  cEdSystem s;
  s.strTitle = long6000;
  s.Texts[0] = long6000;
  s.Texts[1] = straddling;
  s.SystemSounds[0] = long6000;
  s.TitleMenu[0].strCaption = long6000;
  s.StatusItems[0].strCaption = straddling;
  s.IniKeys[8].strText = long6000;
  DataFilePtr out = cDataFile::ForWriting("memory");
  ASSERT_TRUE(s.Write(*out));
  EXPECT_EQ(s.Texts[0].size(), 6000u);
  cEdSystem back;
  DataFilePtr in = DataFileFromBytes(out->Bytes(), "System.dat");
  ASSERT_TRUE(back.Read(*in));
  EXPECT_EQ(back.strTitle, long6000.substr(0, 5119));
  EXPECT_EQ(back.Texts[0], long6000.substr(0, 5119));
  EXPECT_EQ(back.Texts[1], straddling.substr(0, 5118));
  EXPECT_EQ(back.SystemSounds[0].size(), 5119u);
  EXPECT_EQ(back.TitleMenu[0].strCaption.size(), 5119u);
  EXPECT_EQ(back.StatusItems[0].strCaption, straddling.substr(0, 5118));
  EXPECT_EQ(back.IniKeys[8].strText.size(), 5119u);
  // Texts that fit come back unchanged.
  EXPECT_EQ(back.Texts[2], s.Texts[2]);
}

// Lists are indexed by fixed positions; a file with short lists gets the missing
// default entries (and says so in the report log) instead of ending the game at
// the first use.
TEST(SystemRules, ShortListsArePaddedWithTheDefaultsAndLogged) {
  cTempDir dir;
  Database.BgmList.resize(10);
  fix::Value stored = sysfix::Stored(752);
  stored.Nums("starting lives", {3});
  stored.Strs("texts", {"only"});
  stored.Recs("ranking settings", {fix::Value().F("enabled", 1).Nums("genres", {1, 0})});
  stored.Recs("display keys", {});
  dir.Write("System.dat", fix::RecordFile(752, fix::SystemLayout(), stored));
  cEdSystem r;
  ASSERT_EQ(r.Load("System.dat"), 1);
  const cEdSystem d;
  EXPECT_EQ(r.StartLives, (cVector<int32_t>{3, 5, 5, 99}));
  ASSERT_EQ(r.Texts.Count(), 28);
  EXPECT_EQ(r.Texts[0], "only");
  EXPECT_EQ(r.Texts[27], d.Texts[27]);
  ASSERT_EQ(r.RankSettings.Count(), 4);
  EXPECT_EQ(r.RankSettings[0].Genres, (cVector<uint8_t>{1, 0, 0, 0, 0}));
  EXPECT_EQ(r.RankSettings[3].bEnable, 0);
  ASSERT_EQ(r.IniKeys.Count(), 10);
  EXPECT_EQ(r.IniKeys[9].strName, "English");
  EXPECT_TRUE(dir.ReportContains("StartLives has 1 entries, 4 expected"));
  EXPECT_TRUE(dir.ReportContains("RankSettings[0] has 2 genre flags"));
  EXPECT_FALSE(dir.ReportContains("err V["));
}

TEST(SystemRules, AnOldFileWithFewRankingSettingsDoesNotIndexPastThem) {
  cTempDir dir;
  fix::Value stored = sysfix::Stored(200);
  stored.Recs("ranking settings", {fix::Value().F("enabled", 1).Nums("genres", {1, 1, 1})});
  dir.Write("System.dat", fix::RecordFile(200, fix::SystemLayout(), stored));
  cEdSystem r;
  ASSERT_EQ(r.Load("System.dat"), 1);
  ASSERT_EQ(r.RankSettings.Count(), 4);
  EXPECT_EQ(r.RankSettings[0].Genres, (cVector<uint8_t>{1, 1, 1, 0, 0}));
  EXPECT_FALSE(dir.ReportContains("err V["));
}

// Every cut and every count or length blown up: the read fails or reads something
// sane, and nothing indexes past a list. A failed load leaves the record as it was.
TEST(SystemRules, TruncatedAndMutatedFilesAreRefusedCleanly) {
  cTempDir dir;
  const std::vector<std::vector<unsigned char>> goods = {
      fix::RecordFile(752, fix::SystemLayout(), sysfix::Stored(752)),
      fix::RecordFile(160, fix::SystemLayout(), sysfix::Stored(160))};
  int refused = 0;
  for (const auto& good : goods) {
    std::vector<std::vector<unsigned char>> cases;
    for (size_t cut = 4; cut < good.size(); ++cut) cases.emplace_back(good.begin(), good.begin() + cut);
    // Blown-up values in the current layout; the old one is cut only.
    for (size_t at = 4; &good == &goods[0] && at + 4 <= good.size(); ++at)
      for (uint32_t bad : {0xFFFFFFFFu, 0x00010001u}) {
        auto b = good;
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(bad >> (8 * i));
        cases.push_back(b);
      }
    for (const auto& c : cases) {
      cEdSystem r;
      DataFilePtr f = DataFileFromBytes(c, "System.dat");
      if (!r.Read(*f)) {
        ++refused;
        ASSERT_NE(f->Error().find("System.dat : offset "), std::string::npos);
      }
    }
  }
  EXPECT_GT(refused, 2000);
  EXPECT_FALSE(dir.ReportContains("err V["));

  dir.Write("System.dat", std::vector<unsigned char>(goods[0].begin(), goods[0].end() - 1));
  cEdSystem r;
  r.strTitle = "keep";
  r.Texts.resize(3);
  EXPECT_EQ(r.Load("System.dat"), 0);
  EXPECT_EQ(r.strTitle, "keep");
  EXPECT_EQ(r.Texts.Count(), 3);
  EXPECT_TRUE(dir.ReportContains("System.dat : offset "));
}

TEST(SystemRules, TheStartUpStepReportsAMissingOrDamagedFile) {
  cTempDir dir;
  EXPECT_FALSE(LoadSystemDataStep());
  EXPECT_TRUE(dir.ReportContains(plat::Utf8ToSjis("data\\System.dat の読み込みに失敗…")));
  dir.Write("data/System.dat", std::vector<unsigned char>{0xF0, 0x02, 0, 0, 9});
  EXPECT_FALSE(LoadSystemDataStep());
  EXPECT_TRUE(dir.ReportContains("data\\System.dat : offset 4"));
  fix::Value stored = sysfix::Defaults();
  stored.S("title", "Mine");
  dir.Write("data/System.dat", fix::RecordFile(752, fix::SystemLayout(), stored));
  EXPECT_TRUE(LoadSystemDataStep());
  EXPECT_EQ(SystemData.strTitle, "Mine");
}

}  // namespace
