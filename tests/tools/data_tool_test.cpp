#include <gtest/gtest.h>

#include <cstdio>

#include "tests/support/temp_dir.h"
#include "tests/support/test_records.h"
#include "tools/data_tool/data_tool.h"

namespace {

std::vector<cDataKind> TestKinds() {
  cDataKind gated;
  gated.name = "Gated.dat";
  gated.matches = NameIs("Gated.dat");
  gated.make = [] { return std::make_unique<cGatedRecord>(); };
  gated.loadError = "%s load failed";
  return {gated};
}

struct ToolRun {
  int code;
  std::string out, err;
};

ToolRun RunTool(std::vector<std::string> args) {
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  int code = RunDataTool(args, TestKinds(), out, err);
  auto slurp = [](std::FILE* f) {
    std::string s;
    std::rewind(f);
    int c;
    while ((c = std::fgetc(f)) != EOF) s += static_cast<char>(c);
    std::fclose(f);
    return s;
  };
  return {code, slurp(out), slurp(err)};
}

TEST(DataTool, DumpsByMemberNameAndUpgradesToTheCurrentVersion) {
  cTempDir dir;
  cGatedRecord r;
  r.m_nFirst = 42;
  r.m_strName = "\x95\x5C";  // Shift-JIS, shown as UTF-8
  r.m_List.resize(1);
  r.m_List[0].m_sPair[1] = -3;
  ASSERT_EQ(r.Save("sub_gated.dat"), 1);
  std::rename("sub_gated.dat", "GATED.DAT");

  ToolRun d = RunTool({"dump", "GATED.DAT"});
  ASSERT_EQ(d.code, 0) << d.err;
  EXPECT_NE(d.out.find("version = 752"), std::string::npos);
  EXPECT_NE(d.out.find("m_nFirst = 42"), std::string::npos);
  EXPECT_NE(d.out.find("m_dReal = 0.5"), std::string::npos);
  EXPECT_NE(d.out.find("m_strName = \"\xE8\xA1\xA8\""), std::string::npos);
  EXPECT_NE(d.out.find("m_List: 1 entries"), std::string::npos);
  EXPECT_NE(d.out.find("m_sPair = [0, -3]"), std::string::npos);

  // An old file is written back at 752 with the new field at its default.
  auto old = cBytes().U32(250).U32(3).I32(1).I32(2).F64(1).U32(1).Str("o").U32(0).v;
  dir.Write("old.bin", old);
  ToolRun u = RunTool({"upgrade", "old.bin", "new.bin", "--kind", "gated.dat"});
  ASSERT_EQ(u.code, 0) << u.err;
  auto expect = cBytes().U32(752).U32(3).I32(1).I32(77).F64(1).U32(1).Str("o").U32(0).v;
  EXPECT_EQ(dir.Read("new.bin"), expect);
}

TEST(DataTool, DamagedAndUnknownFilesFail) {
  cTempDir dir;
  dir.Write("Gated.dat", cBytes().U32(752).U32(0xFFFFFFFF).v);
  ToolRun d = RunTool({"dump", "Gated.dat"});
  EXPECT_EQ(d.code, 1);
  EXPECT_NE(d.err.find("Gated.dat load failed"), std::string::npos);
  EXPECT_NE(d.err.find("offset 4"), std::string::npos);
  EXPECT_EQ(RunTool({"dump", "Other.dat"}).code, 1);
  EXPECT_EQ(RunTool({"dump", "Missing.dat", "--kind", "Gated.dat"}).code, 1);
  EXPECT_EQ(RunTool({"frobnicate"}).code, 2);
}

}  // namespace
