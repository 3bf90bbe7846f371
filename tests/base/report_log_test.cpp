#include <gtest/gtest.h>

#include "app/base/message_box.h"
#include "app/base/report_log.h"
#include "app/system_report.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(ReportLog, LinesAreAppendedAndPercentSignsKept) {
  cTempDir dir;
  EXPECT_TRUE(ReportLog("one %d", 1));
  EXPECT_TRUE(ReportLogEC("%s", "C:\\100%\\path"));
  EXPECT_TRUE(ReportLogBox("%s", "box 50%"));
  auto lines = dir.ReportLines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], "one 1");
  EXPECT_EQ(lines[1], "C:\\100%\\path");
  EXPECT_EQ(lines[2], "box 50%");
  EXPECT_FALSE(dir.Exists("EC_Game.txt"));  // the trace log stays off
}

TEST(ReportLog, AMissingLogWritesNothing) {
  cTempDir dir(false);
  InitReportLog((dir.Path() + "/Report_Game.txt").c_str());
  std::remove((dir.Path() + "/Report_Game.txt").c_str());
  EXPECT_FALSE(ReportLog("x"));
  EXPECT_FALSE(ReportLogBox("x"));
  EXPECT_FALSE(dir.Exists("Report_Game.txt"));
}

TEST(ReportLog, SystemReportLines) {
  cTempDir dir;
  ASSERT_TRUE(ReportSystemInfo());
  auto lines = dir.ReportLines();
  const char* prefixes[] = {"OS : ", "CPU : ", "Mem Total : ", "Mem Free : ", "Vir Total : ", "Vir Free : ", "HD Free : "};
  ASSERT_EQ(lines.size(), std::size(prefixes));
  for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i].rfind(prefixes[i], 0), 0u) << lines[i];
  EXPECT_NE(lines[0].find("Linux"), std::string::npos);
}

}  // namespace
