// The rankings: rank lookup and registration, their file in every shape it comes
// in, the ranking paths, and a damaged file kept aside.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/ranking_file.h"
#include "data/user_records.h"
#include "platform/sjis.h"
#include "tests/support/temp_dir.h"

namespace {

cRankingTable Table(int highFirst, std::vector<int> values) {
  cRankingTable t;
  t.bHighFirst = highFirst;
  for (size_t i = 0; i < values.size(); ++i) {
    t.Entries[i].bUsed = 1;
    t.Entries[i].nValue = values[i];
    t.Entries[i].strName = "p" + std::to_string(i);
  }
  return t;
}

std::vector<int> Values(const cRankingTable& t) {
  std::vector<int> v;
  for (const cRankingEntry& e : t.Entries) v.push_back(e.bUsed ? e.nValue : -999);
  return v;
}

TEST(RankingTable, FindRankOrdersTiesAfterAndFillsEmptyPlaces) {
  const cRankingTable score = Table(1, {500, 300, 300, 100});
  EXPECT_EQ(score.FindRank(300), 3);  // after both 300s
  EXPECT_EQ(score.FindRank(50), 4);   // the first empty place
  EXPECT_EQ(score.FindRank(501), 0);
  EXPECT_EQ(score.FindRank(-7), 4);   // any value beats an empty place
  std::vector<int> times(20);
  for (int i = 0; i < 20; ++i) times[static_cast<size_t>(i)] = 100 + i;
  cRankingTable full = Table(0, times);
  EXPECT_EQ(full.FindRank(1000), -1);
  EXPECT_EQ(full.FindRank(119), -1);  // equal to the last: does not beat it
  EXPECT_EQ(full.FindRank(99), 0);
  const std::vector<int> before = Values(full);
  full.Insert("zzz", 1000);
  EXPECT_EQ(Values(full), before);
  cRankingTable empty;
  EXPECT_EQ(empty.FindRank(0), 0);
  empty.Entries.clear();
  EXPECT_EQ(empty.FindRank(0), -1);
}

TEST(RankingTable, InsertShiftsTheTableAndKeepsItsLength) {
  cRankingTable t = Table(1, {500, 300, 100});
  t.Insert("abc", 300);
  t.Insert("", 900);  // an empty name stays empty
  ASSERT_EQ(t.Entries.Count(), 20);
  EXPECT_EQ(Values(t)[0], 900);
  EXPECT_EQ(t.Entries[0].strName, "");
  EXPECT_EQ(Values(t)[3], 300);
  EXPECT_EQ(t.Entries[3].strName, "abc");
  EXPECT_EQ(t.Entries[2].strName, "p1");  // the earlier 300 stays above
  EXPECT_EQ(Values(t)[5], -999);
  // A full table: the last place drops out.
  std::vector<int> v(20, 10);
  cRankingTable full = Table(1, v);
  full.Insert("new", 11);
  EXPECT_EQ(full.Entries.Count(), 20);
  EXPECT_EQ(full.Entries[0].strName, "new");
  EXPECT_EQ(full.Entries[19].strName, "p18");
}

// --- the file ---

struct cEntry {
  int used, value;
  std::string name;
};
struct cTableBytes {
  int order;
  std::vector<cEntry> entries;
};

cBytes RankingFile(uint32_t version, const std::vector<cTableBytes>& tables) {
  cBytes b;
  b.U32(version).U32(0).U32(0).U32(static_cast<uint32_t>(tables.size()));
  for (const cTableBytes& t : tables) {
    b.U32(1).I32(t.order).U32(0).U32(static_cast<uint32_t>(t.entries.size()));
    for (const cEntry& e : t.entries) b.U32(2).I32(e.used).I32(e.value).U32(1).Str(e.name);
  }
  return b;
}

std::vector<cTableBytes> WrittenTables() {
  std::vector<cTableBytes> t;
  for (int g = 0; g < 5; ++g) t.push_back({g == 2 ? 0 : 1, std::vector<cEntry>(20, cEntry{0, 0, ""})});
  t[0].entries[0] = {1, 1200, "ABC"};
  t[2].entries[0] = {1, 4521, SJ("あいう")};
  return t;
}

struct RankingFiles : ::testing::Test {
  cTempDir dir;
  cRankings r;
  void Put(const cBytes& b) { dir.Write("user_data/story/w01.rkg", b.v); }
  bool Load() { return LoadRankingFile(r, 0, "data\\stg4\\w01."); }
  std::vector<int> Orders() const {
    std::vector<int> o;
    for (const cRankingTable& t : r.Tables) o.push_back(t.bHighFirst);
    return o;
  }
  void ExpectFresh() const {
    ASSERT_EQ(r.Tables.Count(), 5);
    EXPECT_EQ(Orders(), (std::vector<int>{1, 1, 0, 1, 1}));
    for (const cRankingTable& t : r.Tables) {
      ASSERT_EQ(t.Entries.Count(), 20);
      for (const cRankingEntry& e : t.Entries) EXPECT_EQ(e.bUsed, 0);
    }
  }
};

TEST_F(RankingFiles, WrittenByteForByteAndReadBack) {
  r.Tables[0].Insert("ABC", 1200);
  r.Tables[2].Insert(SJ("あいう"), 4521);
  ASSERT_TRUE(SaveRankingFile(r, 0, "data\\stg4\\w01."));
  EXPECT_EQ(dir.Read("user_data/story/w01.rkg"), RankingFile(752, WrittenTables()).v);
  cRankings back;
  back.Tables[1].Insert("x", 1);
  ASSERT_TRUE(LoadRankingFile(back, 0, "w01."));
  EXPECT_EQ(back.Tables[0].Entries[0].strName, "ABC");
  EXPECT_EQ(back.Tables[2].Entries[0].nValue, 4521);
  EXPECT_EQ(back.Tables[1].Entries[0].bUsed, 0);
  // Each category has its own folder; "user_data\free\" is made when missing.
  ASSERT_TRUE(SaveRankingFile(r, 1, "c01."));
  ASSERT_TRUE(SaveRankingFile(r, 2, "sub\\mine."));
  EXPECT_TRUE(dir.Exists("user_data/challenge/c01.rkg"));
  EXPECT_TRUE(dir.Exists("user_data/free/mine.rkg"));
  EXPECT_FALSE(SaveRankingFile(r, 3, "w01."));  // replays keep no ranking
}

TEST_F(RankingFiles, OldFilesBecomeFiveGenresAndLaterOnesArePaddedToWhatTheWindowShows) {
  std::vector<cTableBytes> three(3, cTableBytes{0, std::vector<cEntry>(20, cEntry{0, 0, ""})});
  three[0].entries[0] = {1, 77, "old"};
  Put(RankingFile(180, three));
  ASSERT_TRUE(Load());
  EXPECT_EQ(Orders(), (std::vector<int>{0, 0, 0, 1, 1}));  // as stored, HP and SP larger first
  EXPECT_EQ(r.Tables[0].Entries[0].strName, "old");
  // Version 181 keeps its three tables as stored and gains the two the window shows.
  Put(RankingFile(181, three));
  ASSERT_TRUE(Load());
  EXPECT_EQ(Orders(), (std::vector<int>{0, 0, 0, 1, 1}));
  // Seven tables of 180 are cut to five.
  Put(RankingFile(150, std::vector<cTableBytes>(7, cTableBytes{1, {}})));
  ASSERT_TRUE(Load());
  EXPECT_EQ(r.Tables.Count(), 5);
  // No table at all, or tables without entries: the missing places come fresh.
  Put(RankingFile(752, {}));
  ASSERT_TRUE(Load());
  ExpectFresh();
  Put(RankingFile(752, std::vector<cTableBytes>(5, cTableBytes{1, {}})));
  ASSERT_TRUE(Load());
  for (const cRankingTable& t : r.Tables) EXPECT_EQ(t.Entries.Count(), 20);
  EXPECT_EQ(r.Tables[2].FindRank(5), 0);
  // More places than twenty are kept.
  Put(RankingFile(752, {cTableBytes{1, std::vector<cEntry>(25, cEntry{1, 3, "m"})}}));
  ASSERT_TRUE(Load());
  EXPECT_EQ(r.Tables[0].Entries.Count(), 25);
}

TEST_F(RankingFiles, ATruncatedFileIsKeptAsBakAndAFreshSetUsed) {
  const std::vector<unsigned char> whole = RankingFile(752, WrittenTables()).v;
  for (size_t n = 0; n < whole.size(); ++n) {
    SCOPED_TRACE(n);
    dir.Write("user_data/story/w01.rkg", std::vector<unsigned char>(whole.begin(), whole.begin() + n));
    r.Tables[0].Insert("x", 5);
    ASSERT_FALSE(Load());
    ExpectFresh();
    ASSERT_TRUE(dir.Exists("user_data/story/w01.rkg.bak"));
    EXPECT_FALSE(dir.Exists("user_data/story/w01.rkg"));
    EXPECT_EQ(dir.Read("user_data/story/w01.rkg.bak").size(), n);
  }
  EXPECT_TRUE(dir.ReportContains("w01.rkg.bak"));
}

TEST_F(RankingFiles, HugeCountsAndAMissingFile) {
  cBytes tables;
  tables.U32(752).U32(0).U32(0).U32(0x7FFFFFFF);
  Put(tables);
  EXPECT_FALSE(Load());
  ExpectFresh();
  cBytes entries;
  entries.U32(752).U32(0).U32(0).U32(1).U32(1).I32(1).U32(0).U32(0xFFFFFFFF);
  Put(entries);
  EXPECT_FALSE(Load());
  // Nothing there: a fresh set and no copy made.
  EXPECT_FALSE(LoadRankingFile(r, 1, "none."));
  ExpectFresh();
  EXPECT_FALSE(dir.Exists("user_data/challenge/none.rkg.bak"));
}

TEST(RankingPaths, FolderPerCategoryStageNameWithoutFoldersAndTheLengthLimit) {
  std::string p = "unchanged";
  EXPECT_TRUE(MakeRankingPath(p, 0, "data\\stg4\\w01."));
  EXPECT_EQ(p, "user_data\\story\\w01.rkg");
  EXPECT_TRUE(MakeRankingPath(p, 1, "c01."));
  EXPECT_EQ(p, "user_data\\challenge\\c01.rkg");
  EXPECT_TRUE(MakeRankingPath(p, 2, SJ("data\\stg4\\表.")));  // a 0x5C trail byte is no separator
  EXPECT_EQ(p, std::string("user_data\\free\\") + SJ("表.") + "rkg");
  p = "unchanged";
  EXPECT_FALSE(MakeRankingPath(p, 3, "w01."));
  EXPECT_FALSE(MakeRankingPath(p, -1, "w01."));
  const std::string longest(259 - std::string("user_data\\challenge\\rkg").size(), 'a');
  EXPECT_TRUE(MakeRankingPath(p, 1, longest));
  EXPECT_EQ(p.size(), 259u);
  p = "unchanged";
  EXPECT_FALSE(MakeRankingPath(p, 1, longest + "a"));
  EXPECT_FALSE(MakeRankingPath(p, 0, std::string(300, 'b')));
  EXPECT_EQ(p, "unchanged");
  EXPECT_TRUE(MakeRankingPath(p, 0, ""));  // an empty stage name is the file "rkg"
  EXPECT_EQ(p, "user_data\\story\\rkg");
}

}  // namespace
