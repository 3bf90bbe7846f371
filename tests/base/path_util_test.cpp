#include <gtest/gtest.h>

#include "app/base/path_util.h"
#include "app/base/text_util.h"
#include "platform/files.h"
#include "platform/rand.h"
#include "platform/sjis.h"
#include "tests/support/temp_dir.h"

namespace {

// "表" is 0x95 0x5C in Shift-JIS: its second byte is a backslash.
const std::string kHyou = "\x95\x5C";

TEST(PathHelpers, FindLatestVersion) {
  cTempDir dir;
  std::string out = "unchanged";
  EXPECT_FALSE(FindLatestVersion(out, "data\\stg4\\name.stg4", "stg4"));
  EXPECT_EQ(out, "unchanged");
  dir.Write("data/STG4/name.stg4_001", "");
  dir.Write("data/stg4/Name.stg4_010", "");
  dir.Write("data/stg4/other.stg4_500", "");
  EXPECT_TRUE(FindLatestVersion(out, "data\\stg4\\name.xyz", "stg4"));
  EXPECT_EQ(out, "data\\stg4\\name.stg4_010");
  EXPECT_FALSE(FindLatestVersion(out, "data\\stg4\\none", "stg4"));
  EXPECT_EQ(out, "data\\stg4\\name.stg4_010");
}

TEST(PathHelpers, ExtensionsAndSuffixes) {
  std::string out = "keep";
  EXPECT_FALSE(ChangeExt(out, "noext", nullptr));
  EXPECT_EQ(out, "noext");
  EXPECT_TRUE(ChangeExt(out, "a\\b.stg4_752", "stg4"));
  EXPECT_EQ(out, "a\\b.stg4");
  EXPECT_TRUE(ChangeExt(out, "a.b.c", nullptr));
  EXPECT_EQ(out, "a.b");
  EXPECT_TRUE(AddNumberSuffix(out, "a.b", 1, 2));
  EXPECT_EQ(out, "a_12.b");
  std::string p = "x.txt";
  EXPECT_TRUE(RemoveExt(p));
  EXPECT_EQ(p, "x");
  EXPECT_FALSE(RemoveExt(p));
  EXPECT_TRUE(GetExt(out, "f.rkg"));
  EXPECT_EQ(out, "rkg");
}

TEST(PathHelpers, LimitsOf259CharactersHold) {
  std::string longPath(258, 'a');
  longPath[250] = '.';
  std::string out = "keep";
  EXPECT_FALSE(ChangeExt(out, longPath, "longextension"));
  EXPECT_FALSE(AddNumberSuffix(out, longPath + "x", 1, 2));
  EXPECT_TRUE(ChangeExt(out, longPath, "x"));
  EXPECT_LE(out.size(), kMaxPathChars);
  std::string huge(100000, 'b');
  EXPECT_FALSE(ChangeExt(out, huge, "x"));
  EXPECT_LE(out.size(), kMaxPathChars);
  EXPECT_FALSE(FindLatestVersion(out, huge, "stg4"));
}

TEST(PathHelpers, StripDirectoryKeepsATrailByteBackslash) {
  std::string p = "data\\stg4\\" + kHyou + "a.stg4";
  StripDirectory(p);
  EXPECT_EQ(p, kHyou + "a.stg4");
  p = "x/y\\z";
  StripDirectory(p);
  EXPECT_EQ(p, "z");
}

TEST(PathHelpers, RelativeAndFullPaths) {
  cTempDir dir;
  std::string p = "data\\a.dat";
  EXPECT_TRUE(ToFullPath(p));
  EXPECT_TRUE(plat::IsAbsoluteGamePath(p));
  EXPECT_TRUE(ToRelativePath(p));
  EXPECT_EQ(p, ".\\data\\a.dat");
  dir.Write("data/a.dat", "x");
  EXPECT_TRUE(plat::FileExists(p));
}

TEST(PathResolver, FindsFilesWhateverTheirCaseAndSeparators) {
  cTempDir dir;
  dir.Write("bmp/Block.bmp", "B");
  dir.Write(plat::SjisToUtf8(kHyou) + "/a.txt", "H");
  EXPECT_TRUE(plat::FileExists("BMP\\block.BMP"));
  EXPECT_EQ(plat::NativePath("BMP\\block.BMP"), "bmp/Block.bmp");
  EXPECT_TRUE(plat::FileExists(kHyou + "\\A.TXT"));
  EXPECT_EQ(plat::SplitGamePath(kHyou + "\\a").size(), 2u);
  EXPECT_FALSE(plat::FileExists("bmp\\missing.bmp"));
  EXPECT_FALSE(plat::FileExists(""));
}

TEST(TextHelpers, CountCharsAndDoubleBytes) {
  EXPECT_EQ(CountChars("ab\ncd"), 4);
  EXPECT_EQ(CountChars(kHyou + "a"), 2);
  EXPECT_EQ(CountChars(std::string("\x95")), 1);  // a lone lead byte at the end
  EXPECT_TRUE(IsSjisDoubleByte(kHyou.c_str()));
  EXPECT_FALSE(IsSjisDoubleByte("\x95\n"));
}

TEST(TextHelpers, SafeSubstr) {
  struct Case {
    int start, count;
    const char* want;
  } cases[] = {{0, 3, "abc"}, {-2, 4, "ab"}, {7, 1, ""}, {2, 0, ""}, {3, -1, "def"}, {4, 99, "ef"}, {6, 1, ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.start) + "," + std::to_string(c.count));
    EXPECT_EQ(SafeSubstr("abcdef", c.start, c.count), c.want);
  }
  std::string s("ab\0c", 4);
  EXPECT_EQ(TrimToCString(s), 2);
}

TEST(Random, ClassicSequenceAndRanges) {
  plat::SRand(1);
  EXPECT_EQ(plat::Rand(), 41);
  EXPECT_EQ(plat::Rand(), 18467);
  EXPECT_EQ(plat::Rand(), 6334);
  EXPECT_EQ(plat::Rand(), 26500);
  for (int i = 0; i < 200; ++i) {
    int v = RandRange(5, 1);
    EXPECT_GE(v, 1);
    EXPECT_LE(v, 5);
  }
  int w = RandRange(INT32_MIN, INT32_MAX);  // no overflow
  (void)w;
}

}  // namespace
