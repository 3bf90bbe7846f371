#include <gtest/gtest.h>

#include "tests/support/run_game.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(GameStart, WritesTheReportLogHeader) {
  cTempDir dir(false);
  cProcessResult r = RunProgram("korvane", {}, dir.Path(), {"KORVANE_HEADLESS=1"});
  EXPECT_EQ(r.exitCode, 0) << r.output;
  auto lines = dir.ReportLines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], "App : ver 752");
  EXPECT_EQ(lines[1].rfind("OS : ", 0), 0u);
  EXPECT_EQ(lines[2].rfind("CPU : ", 0), 0u);
}

}  // namespace
