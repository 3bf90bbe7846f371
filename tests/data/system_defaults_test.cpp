// A new game-wide settings record: exactly its defaults, written out by hand.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "data/project_globals.h"
#include "tests/data/system_expectations.h"
#include "tests/support/temp_dir.h"

namespace {

using fix::Sj;

std::vector<unsigned char> Written(cRecord& r) {
  DataFilePtr f = cDataFile::ForWriting("memory");
  r.Write(*f);
  return f->Bytes();
}

// The committed bytes of a new record. When the defaults change on purpose, look at
// the difference first (korvane-data dump of the old and the new file), then
// regenerate with KORVANE_WRITE_GOLDEN=1 and commit the file with the reason.
const char* const kGolden = KORVANE_SOURCE_DIR "/tests/golden/system_defaults.dat";

TEST(SystemDefaults, ANewRecordWritesItsDefaults) {
  cEdSystem fresh;
  EXPECT_EQ(Written(fresh), fix::RecordFile(752, fix::SystemLayout(), sysfix::Defaults()));
}

TEST(SystemDefaults, ANewRecordMatchesTheGoldenFile) {
  cEdSystem fresh;
  const auto bytes = Written(fresh);
  if (std::getenv("KORVANE_WRITE_GOLDEN")) {
    std::ofstream(kGolden, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                   static_cast<std::streamsize>(bytes.size()));
  }
  std::ifstream in(kGolden, std::ios::binary);
  ASSERT_TRUE(in) << kGolden;
  std::vector<unsigned char> golden((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_TRUE(bytes == golden) << "new record differs from " << kGolden;
}

TEST(SystemDefaults, ANewRecordSurvivesWriteAndRead) {
  cEdSystem fresh;
  ASSERT_EQ(fresh.Texts.Count(), 28);
  ASSERT_EQ(fresh.SystemSounds.Count(), 17);
  ASSERT_EQ(fresh.IniKeys.Count(), 10);
  cTempDir dir;
  ASSERT_EQ(fresh.Save("System.dat"), 1);
  cEdSystem back;
  back.OptionMenu.clear();
  back.Texts.clear();
  ASSERT_EQ(back.Load("System.dat"), 1);
  ASSERT_EQ(back.OptionMenu.Count(), 6);
  EXPECT_EQ(back.OptionMenu[5].bShow, 1);
  EXPECT_EQ(back.OptionMenu[5].strCaption, "");
  EXPECT_EQ(back.Texts[27], Sj("F3キーでランキングへ登録"));
  EXPECT_EQ(back.SystemSounds, cVector<std::string>(17));
  EXPECT_EQ(Written(back), Written(fresh));
  EXPECT_TRUE(dir.ReportLines().empty());
}

TEST(SystemDefaults, NewSubRecordsAreTheEntriesAGrowingListGets) {
  cEdMenuItem menu;
  EXPECT_EQ(menu.bShow, 1);
  cEdRankSetting rank;
  EXPECT_EQ(rank.bEnable, 0);
  EXPECT_EQ(rank.Genres, cVector<uint8_t>(5));
  cEdStatusItem item;
  EXPECT_EQ(item.bShow + item.bIcon + item.nDigits + item.bShowValue + item.nWarning + item.bWarnPercent, 0);
  cEdIniKey key;
  EXPECT_EQ(key.nKind + key.nInt, 0);
}

}  // namespace
