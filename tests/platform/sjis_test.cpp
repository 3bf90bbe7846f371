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

}  // namespace
