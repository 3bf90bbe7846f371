// Numbers and times as the rankings and the result panel show them.
#include <gtest/gtest.h>

#include <climits>

#include "app/base/number_format.h"

namespace {

TEST(NumberFormat, NumbersPaddedSignedAndCut) {
  struct Case {
    int v, n;
    bool zeroPad, plus;
    const char* out;
  } cases[] = {
      {7, 3, false, false, "  7"},      {7, 3, true, false, "007"},   {-5, 4, false, false, "-   5"},
      {-5, 4, true, false, "-0005"},    {12345, 3, true, false, "12345"},  // never fewer digits than the value
      {0, 0, false, false, "0"},        {0, 3, false, false, "  0"},  // the last zero always stays
      {0, 2, true, true, "+00"},        {42, 0, false, true, "+42"},  {-42, 0, false, true, "-42"},
      {100, 5, false, false, "  100"},  // inner zeros are digits, not padding
      {INT_MAX, 0, false, false, "2147483647"},
      {INT_MIN, 12, false, false, "-  2147483648"},
  };
  for (const Case& c : cases) {
    std::string out = "old";
    EXPECT_EQ(FormatNumber(out, c.v, c.n, c.zeroPad, c.plus), c.out) << c.v << " " << c.n;
  }
}

TEST(NumberFormat, DigitCountAndCountValue) {
  const std::pair<int, int> digits[] = {{0, 1}, {9, 1}, {10, 2}, {-10, 2}, {999999, 6}, {INT_MAX, 10}, {INT_MIN, 10}};
  for (auto [v, d] : digits) EXPECT_EQ(DigitCount(v), d) << v;
  EXPECT_EQ(CountValue({-1, 3, -1, -1, 0}, -1), 3);
  EXPECT_EQ(CountValue({}, 0), 0);
}

TEST(NumberFormat, TimesInHundredths) {
  const std::pair<int, const char*> cases[] = {
      {12345, "02:03.45"}, {599999, "99:59.99"}, {5, "00:00.05"}, {0, "00:00.00"},
      {6000, "01:00.00"},  {600000, "100:00.00"},  // minutes grow past two digits
      {-6105, "-01:-01.-05"},                      // each part keeps its own sign
  };
  for (auto [t, text] : cases) {
    std::string out;
    EXPECT_EQ(FormatTime(out, t), text) << t;
  }
}

}  // namespace
