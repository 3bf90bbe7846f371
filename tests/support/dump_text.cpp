#include "tests/support/dump_text.h"

#include <algorithm>
#include <vector>

std::string DumpText(cRecord& r) {
  std::FILE* out = std::tmpfile();
  cDumpWriter w(out);
  r.Dump(w);
  std::string s;
  std::rewind(out);
  for (int c; (c = std::fgetc(out)) != EOF;) s += static_cast<char>(c);
  std::fclose(out);
  return s;
}

namespace {
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
    lines.push_back(text.substr(start, nl - start));
  return lines;
}
}  // namespace

std::string DumpDifference(const std::string& read, const std::string& expected) {
  const auto a = Lines(read), b = Lines(expected);
  std::string out;
  int shown = 0;
  for (size_t i = 0; i < std::max(a.size(), b.size()) && shown < 10; ++i) {
    const std::string x = i < a.size() ? a[i] : "(none)", y = i < b.size() ? b[i] : "(none)";
    if (x == y) continue;
    out += "line " + std::to_string(i + 1) + ": read \"" + x + "\", expected \"" + y + "\"\n";
    ++shown;
  }
  return out;
}
