#pragma once
#include <cstdint>
#include <string>

#include "app/base/record.h"
#include "data/record_lists.h"

// A database file: the version word, a u32 entry count and the entries, each its
// class's own record. There is no container header.

// Largest entry count of a database list.
constexpr uint32_t kMaxDatabaseEntries = 1u << 20;

// Reads the count and the entries into list: entries already there stay and are
// read over, new ones are fresh records, surplus ones are dropped. The list
// changes only when every entry was read.
template <class T>
bool ReadDatabaseList(cDataFile& file, cVector<T>& list, const char* what) {
  if (!ReadRecordListOver(file, list, what, kMaxDatabaseEntries)) return false;
  if (bStripCR)
    for (auto& e : list) e.StripCR();
  return true;
}

template <class T>
bool WriteDatabaseList(cDataFile& file, cVector<T>& list) {
  return WriteRecordList(file, list);
}

// Outcome of reading one database file.
enum class eDatabaseRead { kOk, kMissing, kDamaged };

// Opens and reads a database file into list; a damaged file leaves the list as it
// was and puts the reason (path, offset, what) into error.
template <class T>
eDatabaseRead LoadDatabaseList(const char* path, cVector<T>& list, std::string& error) {
  DataFilePtr file = OpenDataFile(path);
  if (!file) return eDatabaseRead::kMissing;
  if (!ReadDatabaseList(*file, list, path)) {
    error = file->Error();
    return eDatabaseRead::kDamaged;
  }
  return eDatabaseRead::kOk;
}

// Writes a database file in the current version; true when every byte reached the disk.
template <class T>
bool SaveDatabaseList(const char* path, cVector<T>& list) {
  DataFilePtr file = CreateDataFile(path);
  if (!file || !WriteDatabaseList(*file, list)) return false;
  return CloseDataFile(std::move(file));
}
