#include <gtest/gtest.h>

#include "platform/sjis.h"

namespace {

TEST(Sjis, LiteralsBecomeExactCp932Bytes) {
  EXPECT_STREQ(SJ("エラー"), "\x83\x47\x83\x89\x81\x5B");
  EXPECT_STREQ(SJ("ゲーム"), "\x83\x51\x81\x5B\x83\x80");
  // The wave dash and its JIS twins take their CP932 code.
  EXPECT_EQ(plat::Utf8ToSjis("\xE3\x80\x9C"), "\x81\x60");
  EXPECT_EQ(plat::Utf8ToSjis("\xEF\xBD\x9E"), "\x81\x60");
}

TEST(Sjis, RoundTripAndBadBytes) {
  std::string text = "App : \xE8\xA1\xA8 \xEF\xBD\xB1";  // a kanji and a half-width katakana
  EXPECT_EQ(plat::SjisToUtf8(plat::Utf8ToSjis(text)), text);
  EXPECT_EQ(plat::SjisToUtf8("a\x81"), "a?");       // a lone lead byte at the end
  EXPECT_EQ(plat::SjisToUtf8("\xFD" "b"), "?b");    // a byte with no character
  EXPECT_EQ(plat::Utf8ToSjis("a\xF0\x9F\x98\x80" "b"), "ab");  // no CP932 form: dropped
}

// Messages keep every byte of a name: what does not decode is shown as \xNN; a
// command-line name that is not UTF-8 is kept as given.
TEST(Sjis, NamesInMessagesAndOnTheCommandLineKeepTheirBytes) {
  EXPECT_EQ(plat::SjisToUtf8Escaped("a\xFD" "b\x81"), "a\\xFDb\\x81");
  EXPECT_EQ(plat::SjisToUtf8Escaped("\x83\x65"), "\xE3\x83\x86");  // テ
  EXPECT_EQ(plat::ArgumentToSjis("\xE3\x83\x86.stg4"), "\x83\x65.stg4");
  EXPECT_EQ(plat::ArgumentToSjis("\x83\x65.stg4"), "\x83\x65.stg4");            // Shift-JIS already
  EXPECT_EQ(plat::ArgumentToSjis("a\xF0\x9F\x98\x80"), "a\xF0\x9F\x98\x80");  // no CP932 form: as given
  EXPECT_TRUE(plat::IsUtf8("ab\xE3\x83\x86"));
  EXPECT_FALSE(plat::IsUtf8("\xC0\x80"));
  EXPECT_FALSE(plat::IsUtf8("\xE3\x83"));
}

}  // namespace

