// korvane-draw as a user meets it: a project that is not there is refused, and the
// tool keeps its own log.
#include <gtest/gtest.h>

#include "tests/support/run_game.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(DrawTool, AMissingProjectIsRefusedAndNeverMade) {
  cTempDir dir(false);
  cProcessResult r = RunProgram("korvane-draw", {"--backend", "dd", "--bpp", "32", "--window", "--card", "sheets",
                                                 "--out", "out", "--project", "nowhere"},
                                dir.Path(), {"KORVANE_HEADLESS=1"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.output.find("korvane-draw : nowhere : no such project folder"), std::string::npos) << r.output;
  EXPECT_FALSE(dir.Exists("nowhere"));
  EXPECT_FALSE(dir.Exists("out/korvane-draw-report.txt"));
}

}  // namespace
