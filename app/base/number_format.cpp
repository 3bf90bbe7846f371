#include "app/base/number_format.h"

#include <cstdint>

int DigitCount(int v) {
  // Widened first: the magnitude of INT_MIN does not fit an int.
  int64_t m = v < 0 ? -int64_t{v} : int64_t{v};
  int n = 1;
  while (m >= 10) {
    m /= 10;
    ++n;
  }
  return n;
}

std::string& FormatNumber(std::string& out, int v, int n, bool zeroPad, bool plus) {
  const int d = DigitCount(v);
  if (n <= 0 || n < d) n = d;
  uint64_t m = v < 0 ? static_cast<uint64_t>(-int64_t{v}) : static_cast<uint64_t>(v);
  std::string digits(static_cast<size_t>(n), '0');
  for (int i = n - 1; i >= 0 && m; --i, m /= 10) digits[static_cast<size_t>(i)] = static_cast<char>('0' + m % 10);
  if (!zeroPad)
    for (size_t i = 0; i + 1 < digits.size() && digits[i] == '0'; ++i) digits[i] = ' ';
  out.clear();
  if (v < 0)
    out = "-";
  else if (plus)
    out = "+";
  out += digits;
  return out;
}

namespace {
// At least two digits with leading zeros, "-" in front when negative.
std::string TwoDigits(int v) {
  std::string s;
  FormatNumber(s, v, 2, true, false);
  return s;
}
}  // namespace

std::string& FormatTime(std::string& out, int t) {
  const int m = t / 100 / 60, s = (t / 100) % 60, c = t % 100;
  std::string cs;
  FormatNumber(cs, c, 2, true, false);
  out = TwoDigits(m) + ":" + TwoDigits(s) + "." + cs;
  return out;
}

int CountValue(const std::vector<int>& values, int v) {
  int n = 0;
  for (int e : values)
    if (e == v) ++n;
  return n;
}
