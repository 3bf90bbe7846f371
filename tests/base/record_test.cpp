#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/base/record.h"
#include "platform/files.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_records.h"

namespace {

std::vector<unsigned char> Written(cRecord& r) {
  DataFilePtr f = cDataFile::ForWriting("memory");
  r.Write(*f);
  return f->Bytes();
}

cBytes ExampleFile() {
  // version, N=3, 7, (1, 2), 3, S=2, "ab", ""
  return cBytes().U32(752).U32(3).I32(7).U16(1).U16(2).U8(3).U32(2).Str("ab").Str("");
}

cBytes GatedFile(uint32_t version) {
  cBytes b;
  b.U32(version);
  if (version < 300)
    b.U32(3).I32(11).I32(999).F64(2.25);
  else
    b.U32(3).I32(11).I32(12).F64(2.25);
  b.U32(1).Str("old").U32(1);
  b.U32(3).I32(7).U16(1).U16(2).U8(3).U32(2).Str("ab").Str("");
  return b;
}

TEST(RecordFile, WorkedExampleIsWrittenByteForByteAndReadBack) {
  cExampleRecord r;
  r.m_nValue = 7;
  r.m_sPair[0] = 1;
  r.m_sPair[1] = 2;
  r.m_bFlag = 3;
  r.m_strA = "ab";
  EXPECT_EQ(Written(r), ExampleFile().v);

  cExampleRecord back;
  DataFilePtr f = DataFileFromBytes(ExampleFile().v);
  ASSERT_TRUE(back.Read(*f));
  EXPECT_TRUE(f->AtEnd());
  EXPECT_EQ(back.m_nValue, 7);
  EXPECT_EQ(back.m_sPair[1], 2);
  EXPECT_EQ(back.m_bFlag, 3);
  EXPECT_EQ(back.m_strA, "ab");
  EXPECT_EQ(back.m_strB, "");
}

TEST(RecordFile, FieldOfALaterVersionKeepsItsDefaultAndIsWrittenAtTheCurrentVersion) {
  cTempDir dir;
  dir.Write("old.dat", GatedFile(250).v);
  cGatedRecord r;
  ASSERT_EQ(r.Load("old.dat"), 1);
  EXPECT_EQ(r.m_nFirst, 11);
  EXPECT_EQ(r.m_nNew, 77);  // not in version 250
  EXPECT_EQ(r.m_dReal, 2.25);
  ASSERT_EQ(r.m_List.size(), 1u);
  EXPECT_EQ(r.m_List[0].m_strA, "ab");

  ASSERT_EQ(r.Save("new.dat"), 1);
  cBytes expect = GatedFile(752);
  expect.v[8 + 4] = 77;  // m_nNew written with its default
  EXPECT_EQ(dir.Read("new.dat"), expect.v);
}

TEST(RecordFile, FewerFieldsAndStringsThanRegisteredLeaveTheRestAsTheyWere) {
  cExampleRecord r;
  r.m_bFlag = 9;
  r.m_strB = "x\ry";
  auto bytes = cBytes().U32(752).U32(2).I32(4).U16(5).U16(6).U32(1).Str("a\r\nb").v;
  DataFilePtr f = DataFileFromBytes(bytes);
  ASSERT_TRUE(r.Read(*f));
  EXPECT_EQ(r.m_nValue, 4);
  EXPECT_EQ(r.m_bFlag, 9);
  EXPECT_EQ(r.m_strA, "a\nb");
  EXPECT_EQ(r.m_strB, "xy");  // every registered string loses its carriage returns
}

TEST(RecordFile, StringsAreCutAtTheirFirstZeroByte) {
  cExampleRecord r;
  r.m_strA = std::string("ab\0cd", 5);
  auto bytes = Written(r);
  auto expect = cBytes().U32(752).U32(3).I32(0).U16(0).U16(0).U8(0).U32(2).Str("ab").Str("").v;
  EXPECT_EQ(bytes, expect);
}

TEST(RecordFile, ContainerRecordIsItsVersionAndEightZeroBytes) {
  cContainerRecord r;
  EXPECT_EQ(Written(r), cBytes().U32(752).U32(0).U32(0).v);
}

TEST(RecordFile, CopiesWriteTheirOwnValues) {
  cExampleRecord a;
  a.m_nValue = 1;
  a.m_strA = "source";
  a.Write(*cDataFile::ForWriting("m"));  // the source's references are registered
  cExampleRecord copy(a);
  copy.m_nValue = 2;
  copy.m_strA = "copy";
  cExampleRecord assigned;
  assigned = a;
  assigned.m_nValue = 3;
  assigned.m_strA = "assigned";
  EXPECT_EQ(Written(copy), cBytes().U32(752).U32(3).I32(2).U16(0).U16(0).U8(0).U32(2).Str("copy").Str("").v);
  EXPECT_EQ(Written(assigned),
            cBytes().U32(752).U32(3).I32(3).U16(0).U16(0).U8(0).U32(2).Str("assigned").Str("").v);
  EXPECT_EQ(Written(a), cBytes().U32(752).U32(3).I32(1).U16(0).U16(0).U8(0).U32(2).Str("source").Str("").v);
}

TEST(RecordFile, ResetAndCopyFields) {
  cExampleRecord a, b;
  a.m_nValue = 5;
  a.m_strA = "x";
  b.CopyFields(a);
  EXPECT_EQ(b.m_nValue, 5);
  EXPECT_EQ(b.m_strA, "x");
  b.ResetFields();
  EXPECT_EQ(b.m_nValue, 0);
  EXPECT_EQ(b.m_strA, "");
}

TEST(RecordFile, OpenDataFileWithAnEmptyPathOpensErr) {
  cTempDir dir;
  EXPECT_EQ(OpenDataFile(""), nullptr);
  EXPECT_EQ(OpenDataFile(nullptr), nullptr);
  dir.Write("err", cBytes().U32(99).v);
  DataFilePtr f = OpenDataFile("");
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->Version(), 99u);
  EXPECT_EQ(nReadVersion, 99u);
}

// Damaged files: the load fails, the target keeps every value, the report log
// says where, and nothing is allocated for counts the file cannot hold.
struct DamageCase {
  const char* name;
  std::vector<unsigned char> bytes;
};

std::vector<unsigned char> Patch(std::vector<unsigned char> b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(v >> (8 * i));
  return b;
}

TEST(RecordFile, DamagedFilesAreRefusedAndLeaveTheTargetUnchanged) {
  const auto good = GatedFile(752).v;
  const size_t fieldCount = 4, stringCount = 24, firstLen = 28, listCount = 36;
  std::vector<DamageCase> cases;
  for (uint32_t bad : {0xFFFFFFFFu, 0x80000000u, 0x7FFFFFFFu}) {
    cases.push_back({"field count", Patch(good, fieldCount, bad)});
    cases.push_back({"string count", Patch(good, stringCount, bad)});
    cases.push_back({"string length", Patch(good, firstLen, bad)});
    cases.push_back({"list count", Patch(good, listCount, bad)});
  }
  // One more field or string than the version defines; a list longer than the file.
  cases.push_back({"one field too many", Patch(good, fieldCount, 4)});
  cases.push_back({"one string too many", Patch(good, stringCount, 2)});
  cases.push_back({"string past the end", Patch(good, firstLen, 200)});
  cases.push_back({"list of two with one", Patch(good, listCount, 2)});
  for (size_t cut = 4; cut < good.size(); ++cut)
    cases.push_back({"truncated", std::vector<unsigned char>(good.begin(), good.begin() + cut)});

  cTempDir dir;
  for (const DamageCase& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " size " + std::to_string(c.bytes.size()));
    dir.Write("bad.dat", c.bytes);
    cGatedRecord r;
    r.m_nFirst = 123;
    r.m_strName = "keep";
    r.m_List.resize(2);
    EXPECT_EQ(r.Load("bad.dat"), 0);
    EXPECT_EQ(r.m_nFirst, 123);
    EXPECT_EQ(r.m_strName, "keep");
    EXPECT_EQ(r.m_List.size(), 2u);
  }
  EXPECT_TRUE(dir.ReportContains("bad.dat : offset "));
  EXPECT_FALSE(dir.ReportContains("err V["));
}

TEST(RecordFile, OddButDefinedInputsReadAsDefined) {
  // Version 0 is read with the oldest layout, 753 and 0xFFFFFFFF with the newest;
  // a string length of 0 (never written) reads as empty.
  for (uint32_t version : {0u, 753u, 0xFFFFFFFFu}) {
    SCOPED_TRACE(version);
    auto bytes = GatedFile(version).v;
    cGatedRecord r;
    DataFilePtr f = DataFileFromBytes(bytes);
    ASSERT_TRUE(r.Read(*f)) << f->Error();
    EXPECT_EQ(r.m_nNew, version < 300 ? 77 : 12);
  }
  auto bytes = cBytes().U32(752).U32(0).U32(2).U32(0).U32(0).v;
  cExampleRecord r;
  r.m_strA = "x";
  ASSERT_TRUE(r.Read(*DataFileFromBytes(bytes)));
  EXPECT_EQ(r.m_strA, "");
}

TEST(RecordFile, FailedSaveKeepsTheOldFile) {
  cTempDir dir;
  cExampleRecord r;
  r.m_nValue = 1;
  ASSERT_EQ(r.Save("rec.dat"), 1);
  auto before = dir.Read("rec.dat");
  r.m_nValue = 2;
  plat::InjectWriteFailures(1);
  EXPECT_EQ(r.Save("rec.dat"), 0);
  EXPECT_EQ(dir.Read("rec.dat"), before);
  EXPECT_EQ(r.Save("no_such_folder\\rec.dat"), 0);
  EXPECT_EQ(dir.Read("rec.dat"), before);
  // A read-only folder, where the file system enforces it (not for root).
  if (geteuid() != 0) {
    dir.Write("ro/rec.dat", before);
    chmod((dir.Path() + "/ro").c_str(), 0555);
    EXPECT_EQ(r.Save("ro\\rec.dat"), 0);
    EXPECT_EQ(dir.Read("ro/rec.dat"), before);
  }
}

}  // namespace
