#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/window_data.h"
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

TEST(ShellKinds, WindowPlacementIsDumpedAsStoredAndTruncatedFilesAreRefused) {
  cTempDir dir;
  cWindowData w;
  w.Set(-20, 50, 640, 480, 1);
  ASSERT_EQ(w.Save("Window.dat"), 1);
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  EXPECT_EQ(RunDataTool({"dump", "Window.dat"}, DataKinds(), out, err), 0);
  std::string text = Slurp(out);
  Slurp(err);
  for (const char* line : {"m_nX = -20", "m_nY = 50", "m_nWidth = 640", "m_nHeight = 480", "m_bMaximised = 1"})
    EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;

  auto bytes = dir.Read("Window.dat");
  ASSERT_EQ(bytes.size(), 32u);
  bytes.resize(20);
  dir.Write("cut/Window.dat", bytes);
  out = std::tmpfile();
  err = std::tmpfile();
  EXPECT_EQ(RunDataTool({"dump", "cut/Window.dat"}, DataKinds(), out, err), 1);
  Slurp(out);
  EXPECT_FALSE(Slurp(err).empty());
}

}  // namespace
