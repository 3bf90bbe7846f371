#include <gtest/gtest.h>

#include <cstdio>

#include "app/svc/key_config.h"
#include "tests/support/temp_dir.h"
#include "tools/data_tool/data_tool.h"

namespace {

std::string Slurp(std::FILE* f) {
  std::string s;
  std::rewind(f);
  for (int c; (c = std::fgetc(f)) != EOF;) s += static_cast<char>(c);
  std::fclose(f);
  return s;
}

TEST(DataToolKeyConfig, DumpsEntriesAndWritesAShortFileBackWhole) {
  cTempDir dir;
  KEYCONFIGDATA rec;
  SetDefaultKeyConfig(rec);
  rec.Entry[1] = KEYCONFIGENTRY{0, 512, 0};
  rec.bUse = 1;
  std::vector<uint8_t> bytes = KeyConfigToBytes(rec);
  dir.Write("KeyConfig.dat", std::vector<unsigned char>(bytes.begin(), bytes.end()));

  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  ASSERT_EQ(RunDataTool({"dump", "KeyConfig.dat"}, DataKinds(), out, err), 0);
  std::string text = Slurp(out);
  Slurp(err);
  EXPECT_NE(text.find("Entry[0] left = keyboard, key 37 (LEFT)"), std::string::npos) << text;
  EXPECT_NE(text.find("Entry[1] right = joystick 0, code 0x0200"), std::string::npos) << text;
  EXPECT_NE(text.find("Entry[11] button 8 = keyboard, key 70 (F)"), std::string::npos) << text;
  EXPECT_NE(text.find("bUse = 1"), std::string::npos) << text;

  dir.Write("short/KeyConfig.dat", std::vector<unsigned char>(bytes.begin(), bytes.begin() + 20));
  out = std::tmpfile();
  err = std::tmpfile();
  ASSERT_EQ(RunDataTool({"upgrade", "short/KeyConfig.dat", "whole.dat", "--kind", "KeyConfig.dat"}, DataKinds(),
                        out, err),
            0);
  Slurp(out);
  Slurp(err);
  std::vector<unsigned char> whole = dir.Read("whole.dat");
  ASSERT_EQ(whole.size(), 108u);
  EXPECT_TRUE(std::equal(whole.begin(), whole.begin() + 20, bytes.begin()));
  EXPECT_EQ(whole[104], 0);  // the use flag was beyond the short file

  out = std::tmpfile();
  err = std::tmpfile();
  EXPECT_EQ(RunDataTool({"dump", "missing/KeyConfig.dat"}, DataKinds(), out, err), 1);
  Slurp(out);
  EXPECT_NE(Slurp(err).find("cannot be opened"), std::string::npos);
}

}  // namespace
