#include "app/base/text_util.h"

#include <cstdint>
#include <cstring>

#include "platform/rand.h"
#include "platform/sjis.h"

bool IsSjisDoubleByte(const char* p) {
  return p && plat::IsSjisLeadByte(static_cast<uint8_t>(p[0])) && plat::IsSjisTrailByte(static_cast<uint8_t>(p[1]));
}

int CountChars(const char* text) {
  if (!text) return 0;
  int n = 0;
  for (const char* p = text; *p; ++p) {
    if (IsSjisDoubleByte(p)) {
      ++p;
      ++n;
    } else if (*p != '\n') {
      ++n;
    }
  }
  return n;
}

int CountChars(const std::string& text) { return CountChars(text.c_str()); }

int TrimToCString(std::string& s) {
  s.resize(std::strlen(s.c_str()));
  return static_cast<int>(s.size());
}

std::string SafeSubstr(const std::string& s, int start, int count) {
  if (start < 0) {
    count += start;
    start = 0;
  }
  const int len = static_cast<int>(s.size());
  if (start > len || count == 0) return std::string();
  if (count < 0 || static_cast<int64_t>(start) + count > len) return s.substr(static_cast<size_t>(start));
  return s.substr(static_cast<size_t>(start), static_cast<size_t>(count));
}

int RandRange(int a, int b) {
  if (b < a) std::swap(a, b);
  int64_t span = static_cast<int64_t>(b) - a + 1;
  return static_cast<int>(a + plat::Rand() % span);
}

size_t SjisPrefixLength(const char* text, size_t length, size_t maxBytes) {
  if (length <= maxBytes) return length;
  size_t i = 0;
  while (i < maxBytes) {
    const size_t step = i + 1 < length && IsSjisDoubleByte(text + i) ? 2 : 1;
    if (i + step > maxBytes) break;
    i += step;
  }
  return i;
}
