// The options, the rankings and the replay input log.
#include <gtest/gtest.h>

#include "data/user_records.h"
#include "tests/data/palette_checks.h"
#include "tests/support/stage_layout.h"
#include "tests/support/temp_dir.h"

namespace {

using fix::Value;

TEST(OptionRecord, AMissingFileKeepsTheDefaultsAndAFileIsReadAsIs) {
  cTempDir dir;
  cOptionData o;
  EXPECT_EQ(o.Load("user_data\\Option.dat"), 0);
  EXPECT_EQ(o.nPaletteSet, 0);
  EXPECT_EQ(o.bMusic, 1);
  EXPECT_EQ(o.nVolume, 7);
  EXPECT_EQ(o.nRegisterMode, 0);
  EXPECT_EQ(o.strName, "aaa");
  EXPECT_TRUE(dir.ReportLines().empty());
  // Values out of range are kept; their users limit them.
  const Value stored = Value().F("palette set", 30).F("music on", 0).F("volume", 11).F("registration mode", 2).S("name", "xyz");
  palfix::ExpectUpgrade<cOptionData>(fix::OptionLayout(), 752, stored, stored);
  palfix::ExpectUpgrade<cOptionData>(fix::OptionLayout(), 150, stored, stored);
  dir.Write("user_data/Option.dat", fix::RecordFile(752, fix::OptionLayout(), stored));
  ASSERT_EQ(o.Load("user_data\\Option.dat"), 1);
  EXPECT_EQ(o.nVolume, 11);
  EXPECT_EQ(o.strName, "xyz");
}

TEST(RankingRecords, AFreshRankingHoldsFiveGenresOfTwentyPlaces) {
  cRankings r;
  ASSERT_EQ(r.Tables.Count(), 5);
  const int highFirst[5] = {1, 1, 0, 1, 1};  // play time ranks the smaller value higher
  for (int g = 0; g < 5; ++g) {
    const cRankingTable& t = r.Tables[static_cast<size_t>(g)];
    EXPECT_EQ(t.bHighFirst, highFirst[g]) << g;
    ASSERT_EQ(t.Entries.Count(), 20);
    for (const cRankingEntry& e : t.Entries) {
      EXPECT_EQ(e.bUsed, 0);
      EXPECT_EQ(e.nValue, 0);
      EXPECT_TRUE(e.strName.empty());
    }
  }
  cRankingTable t;
  t.Entries.resize(3);
  t.bHighFirst = 1;
  t.Reset();
  EXPECT_EQ(t.bHighFirst, 0);
  EXPECT_EQ(t.Entries.Count(), 20);
}

TEST(InputLogRecord, ClearLeavesNoInputAndSeedZero) {
  cInputLog log;
  log.nSeed = 1234;
  log.Values0 = {1, 2};
  log.Values1 = {3};
  log.Runs0 = {5, 6};
  log.Runs1 = {11};
  log.nPos0 = log.nPos1 = log.nRun0 = log.nRun1 = 3;
  log.Clear();
  EXPECT_EQ(log.nSeed, 0);
  EXPECT_TRUE(log.Values0.empty() && log.Values1.empty() && log.Runs0.empty() && log.Runs1.empty());
  EXPECT_EQ(log.nPos0 + log.nPos1 + log.nRun0 + log.nRun1, 0);
  log.RegisterFields(752);
  EXPECT_EQ(log.Fields().Count(), 1);
}

}  // namespace
