#pragma once
#include <cstdio>
#include <string>

#include "app/base/record.h"

// Prints records field by field, by member name, one "name = value" line each,
// nested lists indented. Texts are shown in the terminal's UTF-8.
class cDumpWriter {
 public:
  explicit cDumpWriter(std::FILE* out) : m_out(out) {}

  void Field(const FIELDREF& f);
  void String(const char* name, const std::string& sjis);
  void Value(const char* name, long long v);
  void Line(const char* format, ...) __attribute__((format(printf, 2, 3)));

  // A list of records: "name: N entries", then each element as "[i]" with its
  // members indented.
  template <class List>
  void RecordList(const char* name, List& list) {
    Line("%s: %zu entries", name, list.size());
    int i = 0;
    for (auto& e : list) {
      Line("[%d] %s", i++, e.ClassName());
      Indent(+1);
      e.Dump(*this);
      Indent(-1);
    }
  }
  // A list of plain numbers on one line.
  template <class List>
  void NumberList(const char* name, const List& list) {
    std::string s;
    for (auto v : list) s += (s.empty() ? "" : ", ") + std::to_string(static_cast<long long>(v));
    Line("%s = [%s]", name, s.c_str());
  }

  void Indent(int delta) { m_depth += delta; }

 private:
  std::FILE* m_out;
  int m_depth = 0;
};
