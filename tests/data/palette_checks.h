#pragma once
// Helpers of the tests of the palette records: the database sizes the checks run
// against, reading a record from fixture bytes, and the comparison of what a
// record writes with the current file of the hand-written expected values.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/project_globals.h"
#include "tests/support/dump_text.h"
#include "tests/support/palette_layout.h"

namespace palfix {

using fix::Value;
using Bytes = std::vector<unsigned char>;

// Every database list ten entries long (sword type 2 with frames of 5000 and 6000
// tenths), the common palette empty, flows kept only in a test play.
void SetUpDatabase();

template <class T>
Bytes Written(T& r) {
  DataFilePtr f = cDataFile::ForWriting("memory");
  EXPECT_TRUE(r.Write(*f));
  return f->Bytes();
}

// Reads a whole file of one record; the read must succeed and use every byte.
template <class T>
bool ReadBytes(T& r, const Bytes& bytes, const char* name = "record.dat") {
  DataFilePtr f = DataFileFromBytes(bytes, name);
  const bool ok = r.Read(*f);
  EXPECT_TRUE(ok) << f->Error();
  EXPECT_TRUE(!ok || f->AtEnd()) << "bytes left at offset " << f->Offset();
  return ok;
}

// The file of `version` holding `stored`, read and written again, equals the
// current file of `expected` byte for byte (the difference shown member by member).
template <class T>
void ExpectUpgrade(const fix::RecordType& layout, uint32_t version, const Value& stored, const Value& expected) {
  SCOPED_TRACE(std::string(layout.name) + " of version " + std::to_string(version));
  T read;
  if (!ReadBytes(read, fix::RecordFile(version, layout, stored))) return;
  const Bytes actual = Written(read);
  const Bytes want = fix::RecordFile(752, layout, expected);
  if (actual != want) {
    T wanted;
    DataFilePtr w = DataFileFromBytes(want, "expected");
    wanted.Read(*w);
    ADD_FAILURE() << DumpDifference(DumpText(read), DumpText(wanted));
  }
}

// Each bound with the version before it, then the current version and newer ones.
std::vector<uint32_t> Versions(std::vector<uint32_t> bounds);

// Copies the named members (fields, strings or lists) of `from` into `to`.
void Take(Value& to, const Value& from, const std::vector<std::string>& names);

}  // namespace palfix
