#pragma once
#include <cstdint>
#include <string>

#include "app/base/record.h"

// Lists that records append after their base part: a u32 count, then the entries.
// Every reader checks the count against the bytes that remain (each entry takes at
// least its minimum size) and a cap before it allocates, reads into a copy and
// replaces the list only when every entry was read.

// Largest entry count accepted for a settings list.
constexpr uint32_t kMaxListEntries = 1u << 16;

// One string entry: u32 length counting the terminating zero, then (unless the
// length is 1) that many bytes; the text ends at its first zero byte. A length of
// 0 is never written and reads as empty.
bool ReadString(cDataFile& file, std::string& text, const char* what);
// maxBytes: longer texts are cut (whole characters kept).
void WriteString(cDataFile& file, const std::string& text, size_t maxBytes = static_cast<size_t>(-1));

bool ReadByteList(cDataFile& file, cVector<uint8_t>& list, const char* what, uint32_t maxCount = kMaxListEntries);
bool ReadIntList(cDataFile& file, cVector<int32_t>& list, const char* what, uint32_t maxCount = kMaxListEntries);
bool ReadStringList(cDataFile& file, cVector<std::string>& list, const char* what,
                    uint32_t maxCount = kMaxListEntries);
void WriteByteList(cDataFile& file, const cVector<uint8_t>& list);
void WriteIntList(cDataFile& file, const cVector<int32_t>& list);
void WriteStringList(cDataFile& file, const cVector<std::string>& list, size_t maxBytes = static_cast<size_t>(-1));

// Reads a record list whose entries already present stay and are read over; new
// entries are fresh records; surplus entries at the end are dropped.
template <class T>
bool ReadRecordListOver(cDataFile& file, cVector<T>& list, const char* what, uint32_t maxCount = kMaxListEntries) {
  uint32_t n = 0;
  if (!file.ReadCount(n, 8, maxCount, what)) return false;
  cVector<T> fresh(list);
  fresh.resize(n);
  for (auto& e : fresh)
    if (!e.Read(file)) return false;
  list.swap(fresh);
  return true;
}

// Inserts value at index: the entries index .. size-2 move one place up and the
// last entry is lost, so the size stays the same. Nothing happens at an index the
// list does not have.
template <class T>
void InsertKeepingSize(cVector<T>& list, int index, const T& value) {
  if (index < 0 || index >= list.Count()) return;
  for (int i = list.Count() - 1; i > index; --i) list[i] = list[i - 1];
  list[index] = value;
}

class cDumpWriter;
// "name: N entries" and one "[i] = "text"" line per string.
void DumpStringList(cDumpWriter& out, const char* name, const cVector<std::string>& list);
