#pragma once
#include <cstdio>
#include <string>

#include "app/base/record_dump.h"

// A record or list as the data tool prints it, for readable test failures.
std::string DumpText(cRecord& r);
template <class List>
std::string DumpListText(List& list) {
  std::FILE* out = std::tmpfile();
  cDumpWriter w(out);
  w.RecordList("entries", list);
  std::string s;
  std::rewind(out);
  for (int c; (c = std::fgetc(out)) != EOF;) s += static_cast<char>(c);
  std::fclose(out);
  return s;
}
// The lines in which two dumps differ (at most ten), "line N: read "..", expected ".."".
std::string DumpDifference(const std::string& read, const std::string& expected);
