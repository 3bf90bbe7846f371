// "data\System.dat" of every data version: fixtures from the independent layout
// writer, read by the game's record, written again at the current version.
#include <gtest/gtest.h>

#include "app/base/record_dump.h"
#include "data/project_globals.h"
#include "tests/data/system_expectations.h"
#include "tests/support/dump_text.h"
#include "tests/support/temp_dir.h"

namespace {

using fix::Sj;

std::vector<unsigned char> Written(cRecord& r) {
  DataFilePtr f = cDataFile::ForWriting("memory");
  r.Write(*f);
  return f->Bytes();
}

bool ReadInto(cEdSystem& r, const std::vector<unsigned char>& bytes) {
  DataFilePtr f = DataFileFromBytes(bytes, "System.dat");
  bool ok = r.Read(*f);
  EXPECT_TRUE(ok) << f->Error();
  EXPECT_TRUE(!ok || f->AtEnd());
  return ok;
}

class SystemVersions : public ::testing::Test {
 protected:
  // Scene music numbers are checked against the database's music list.
  void SetUp() override { Database.BgmList.resize(10); }
};

// The heart of it: each version's file read and written again equals the current
// file of the expected values, byte for byte.
TEST_F(SystemVersions, EveryVersionReadsToTheExpectedValuesAndWritesTheCurrentLayout) {
  for (uint32_t v : sysfix::SweepVersions()) {
    SCOPED_TRACE("version " + std::to_string(v));
    cEdSystem read;
    ASSERT_TRUE(ReadInto(read, fix::RecordFile(v, fix::SystemLayout(), sysfix::Stored(v))));
    const auto expected = fix::RecordFile(752, fix::SystemLayout(), sysfix::Expected(v));
    const auto actual = Written(read);
    if (actual != expected) {
      // Show the difference member by member.
      cEdSystem want;
      ReadInto(want, expected);
      ADD_FAILURE() << DumpDifference(DumpText(read), DumpText(want));
    }
    EXPECT_TRUE(actual == expected);
  }
}

TEST_F(SystemVersions, AVersion160FileGetsItsCarryFlagsAndTextsInserted) {
  fix::Value stored = sysfix::Stored(160);
  std::vector<double> flags;
  for (int i = 0; i < 24; ++i) flags.push_back(200 + i);
  stored.Nums("carry-over flags", flags);
  cEdSystem r;
  ASSERT_TRUE(ReadInto(r, fix::RecordFile(160, fix::SystemLayout(), stored)));
  // f0 .. f8, 0, f9 .. f13, 0, f14, f15, 1, f16 .. f21
  std::vector<uint8_t> want;
  for (int i = 0; i <= 8; ++i) want.push_back(static_cast<uint8_t>(200 + i));
  want.push_back(0);
  for (int i = 9; i <= 13; ++i) want.push_back(static_cast<uint8_t>(200 + i));
  want.insert(want.end(), {0, 214, 215, 1});
  for (int i = 16; i <= 21; ++i) want.push_back(static_cast<uint8_t>(200 + i));
  EXPECT_EQ(std::vector<uint8_t>(r.CarryFlags.begin(), r.CarryFlags.end()), want);
  ASSERT_EQ(r.Texts.Count(), 28);
  EXPECT_EQ(r.Texts[8], Sj("残りHP"));
  EXPECT_EQ(r.Texts[9], Sj("残りSP"));
  EXPECT_EQ(r.Texts[14], Sj("オートセーブＯＮ"));
  EXPECT_EQ(r.Texts[15], Sj("オートセーブＯＦＦ"));
  EXPECT_EQ(r.Texts[16], Sj("保存先が不明です！一度は「セーブ」して下さい！"));
  EXPECT_EQ(r.Texts[22], Sj("リトライ"));
  EXPECT_EQ(r.Texts[23], Sj("マップへ戻る"));
}

TEST_F(SystemVersions, Version751GetsOnlyTheLastStepAnd752None) {
  fix::Value stored = sysfix::Stored(752);
  for (int m : {29, 31, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49}) stored.F("m" + std::to_string(m), 0);
  cEdSystem at751, at752;
  ASSERT_TRUE(ReadInto(at751, fix::RecordFile(751, fix::SystemLayout(), stored)));
  ASSERT_TRUE(ReadInto(at752, fix::RecordFile(752, fix::SystemLayout(), stored)));
  EXPECT_EQ(at751.bCompat752, 1);
  EXPECT_EQ(at752.bCompat752, 0);
  at751.bCompat752 = 0;
  EXPECT_EQ(Written(at751), Written(at752));
  EXPECT_EQ(Written(at752), fix::RecordFile(752, fix::SystemLayout(), stored));
}

TEST_F(SystemVersions, Version168WorldMapMenuGetsTheAutosaveEntry) {
  cEdSystem r;
  ASSERT_TRUE(ReadInto(r, fix::RecordFile(168, fix::SystemLayout(), sysfix::Stored(168))));
  ASSERT_EQ(r.WorldMapMenu.Count(), 4);
  EXPECT_EQ(r.WorldMapMenu[0].strCaption, "W0");
  EXPECT_EQ(r.WorldMapMenu[1].strCaption, Sj("オートセーブ"));
  EXPECT_EQ(r.WorldMapMenu[1].bShow, 1);
  EXPECT_EQ(r.WorldMapMenu[2].strCaption, "W1");
  EXPECT_EQ(r.WorldMapMenu[3].strCaption, "W2");
}

TEST_F(SystemVersions, SceneMusicBeyondTheMusicListReadsAsNone) {
  Database.BgmList.resize(5);
  fix::Value stored = sysfix::Stored(600);
  stored.Nums("scene music", {7, 4, 5, -1});
  cEdSystem r;
  ASSERT_TRUE(ReadInto(r, fix::RecordFile(600, fix::SystemLayout(), stored)));
  EXPECT_EQ(std::vector<int32_t>(r.SceneBgm.begin(), r.SceneBgm.end()), (std::vector<int32_t>{0, 4, 0, 0}));
}

TEST_F(SystemVersions, Version190KeepsDefaultRankModesAndDropsTheMissDropFlags) {
  cEdSystem r;
  ASSERT_TRUE(ReadInto(r, fix::RecordFile(190, fix::SystemLayout(), sysfix::Stored(190))));
  EXPECT_EQ(r.RankModes[0], Sj("手動登録（登録名入力）"));
  EXPECT_EQ(r.RankModes[3], Sj("自動登録（登録名固定）"));
  EXPECT_EQ(r.MissDropFlags, cVector<uint8_t>(25));
}

TEST_F(SystemVersions, OldVSyncAboveTwoBecomesTwo) {
  for (int vsync : {5, 3, 2}) {
    fix::Value stored = sysfix::Stored(285);
    auto& keys = stored.lists["display keys"].recs;
    keys[2].F("int default", vsync);  // WindowMode, Bpp, VSync, ...
    cEdSystem r;
    ASSERT_TRUE(ReadInto(r, fix::RecordFile(285, fix::SystemLayout(), stored)));
    EXPECT_EQ(r.IniKeys[3].strName, "VSync");
    EXPECT_EQ(r.IniKeys[3].nInt, vsync >= 3 ? 2 : vsync) << vsync;
  }
}

TEST_F(SystemVersions, TheDroppedFieldOfVersion240IsSkipped) {
  fix::Value stored = sysfix::Stored(240);
  stored.F("m29", 7).F("m30", 99).F("m31", 8);
  cEdSystem r;
  ASSERT_TRUE(ReadInto(r, fix::RecordFile(240, fix::SystemLayout(), stored)));
  EXPECT_EQ(r.bCompat214, 7);
  EXPECT_EQ(r.bCompat261, 1);  // not in 240: the old behaviour
  EXPECT_EQ(r.strTitle, Sj("ゲーム"));
}

TEST_F(SystemVersions, PaletteRotationFollowsTheColourModeBefore289) {
  for (int mode : {0, 1}) {
    fix::Value stored = sysfix::Stored(288);
    stored.F("m25", mode);
    cEdSystem r;
    ASSERT_TRUE(ReadInto(r, fix::RecordFile(288, fix::SystemLayout(), stored)));
    EXPECT_EQ(r.bPaletteRotation, mode == 0 ? 1 : 0);
  }
}

}  // namespace
