#include "app/base/format.h"

#include <cstdarg>
#include <cstdio>

namespace {
std::string VFormat(const char* format, va_list args) {
  char buf[kFormatBufferSize];
  int n = std::vsnprintf(buf, sizeof buf, format, args);
  if (n < 0) return {};
  return std::string(buf, static_cast<size_t>(n) < sizeof buf ? static_cast<size_t>(n) : sizeof buf - 1);
}
}  // namespace

std::string& FormatString(std::string& out, const char* format, ...) {
  va_list args;
  va_start(args, format);
  out = VFormat(format, args);
  va_end(args);
  return out;
}

std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string s = VFormat(format, args);
  va_end(args);
  return s;
}

std::string& AppendFormat(std::string& text, const char* format, ...) {
  va_list args;
  va_start(args, format);
  text += VFormat(format, args);
  va_end(args);
  return text;
}
