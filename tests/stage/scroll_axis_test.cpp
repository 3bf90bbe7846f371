// The scroll axes: set up from a stage, clamped at its edges, auto-scrolled, and
// the player's camera follow; the probe prints the same numbers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/stage.h"
#include "stage/scroll_axis.h"
#include "stage/scroll_setup.h"
#include "tests/support/run_game.h"
#include "tests/support/temp_dir.h"

namespace {

cScrollAxis Horizontal(int columns, int first = 0, int last = 0, int limitFirst = 0, int limitLast = 0) {
  cEdStage s;
  s.nWidth = columns;
  s.nHeight = 15;
  s.nLimitLeft = first;
  s.nLimitRight = last;
  s.bLimitLeft = limitFirst;
  s.bLimitRight = limitLast;
  cScrollAxis h, v;
  SetUpScrollAxes(s, 1, h, v);
  return h;
}

TEST(ScrollAxis, IsSetUpFromTheStageSize) {
  cEdStage s;
  s.nWidth = 100;
  s.nHeight = 30;
  s.nScrollOffsetX = 5;
  s.nScrollOffsetY = 7;
  cScrollAxis h, v;
  SetUpScrollAxes(s, 1, h, v);
  EXPECT_EQ(h.m_nCells, 120);
  EXPECT_EQ(h.m_nBaseMin, 320);
  EXPECT_EQ(h.m_nBaseMax, 110 * 32);
  EXPECT_EQ(h.m_nStride, 128);  // the smallest power of two above 100 + 19
  EXPECT_EQ(h.m_nStrideShift, 7);
  EXPECT_EQ(h.m_nOuterLimit, 645);
  EXPECT_EQ(v.m_nCells, 50);
  EXPECT_EQ(v.m_nStride, 50);
  EXPECT_EQ(v.m_nStrideShift, 0);
  EXPECT_EQ(v.m_nViewSize, 480);
  EXPECT_EQ(v.m_nOuterLimit, 647);  // 640 on both axes
  EXPECT_EQ(1 << CellStrideShift(109), 256);  // 109 + 19 = 128: the stride must be above it
  EXPECT_EQ(1 << CellStrideShift(108), 128);
}

TEST(ScrollAxis, ClampCases) {
  struct Case {
    const char* what;
    cScrollAxis axis;
    double pos;
    double expected;
    int clamped;
  };
  const Case cases[] = {
      {"inside the stage", Horizontal(100), 1000, 1000, 0},
      {"before the near edge", Horizontal(100), 100, 320, 1},
      {"past the far edge", Horizontal(100), 5000, 110 * 32 - 640, 1},
      {"exactly at the far edge counts as clamped", Horizontal(100), 110 * 32 - 640, 110 * 32 - 640, 1},
      {"just before the far edge", Horizontal(100), 110 * 32 - 640.5, 110 * 32 - 640.5, 0},
      {"a stage narrower than the view stays at its near edge", Horizontal(10), 500, 320, 1},
      {"a stage of no columns", Horizontal(0), 0, 320, 1},
      {"a range from column 5", Horizontal(100, 5, 50, 1, 1), 300, 320 + 5 * 32, 1},
      {"a range to column 50", Horizontal(100, 5, 50, 1, 1), 3000, 320 + 51 * 32 - 640, 1},
      {"a range whose last column lies before its first", Horizontal(100, 40, 10, 1, 1), 3000, 320 + 40 * 32, 1},
      {"only the far limit", Horizontal(100, 40, 60, 0, 1), 100, 320, 1},
  };
  for (Case c : cases) {
    SCOPED_TRACE(c.what);
    c.axis.m_dPos = c.pos;
    c.axis.Clamp();
    EXPECT_EQ(c.axis.m_dPos, c.expected);
    EXPECT_EQ(c.axis.m_bClamped, c.clamped);
  }
  cScrollAxis backwards = Horizontal(100, 40, 10, 1, 1);
  EXPECT_EQ(backwards.m_nMax, backwards.m_nMin);
}

TEST(ScrollAxis, AutoScrollSpreadsTheFrameSpeedOverTheSteps) {
  cScrollAxis a = Horizontal(100);
  a.m_dPos = 1000;
  a.SetAutoScroll(1, 10, 2);  // 1 dot a frame, 0.5 a step
  EXPECT_EQ(a.m_dAutoSpeed, 0.5);
  a.Advance();
  EXPECT_EQ(a.m_dPos, 1000.5);
  a.Advance();
  EXPECT_EQ(a.m_dPos, 1001);
  a.SetAutoScroll(0, 10, 2);
  EXPECT_EQ(a.m_bAuto, 0);
  EXPECT_EQ(a.m_dAutoSpeed, 0.0);
  a.SetAutoScroll(1, 10, 0);  // no steps count as one
  EXPECT_EQ(a.m_dAutoSpeed, 1.0);
  // At the far edge the scroll stops there.
  a.m_dPos = 110 * 32 - 640 - 0.25;
  a.SetAutoScroll(1, 10, 2);
  a.Advance();
  EXPECT_EQ(a.m_dPos, 110 * 32 - 640);
  EXPECT_EQ(a.m_bClamped, 1);
}

TEST(ScrollAxis, TheFollowCentresThePlayerInsideTheRange) {
  cScrollAxis a = Horizontal(100);
  a.Follow(1000, 33);  // 1000 - (320 - 16)
  EXPECT_EQ(a.m_dPos, 696);
  a.Follow(10, 32);
  EXPECT_EQ(a.m_dPos, 320);
  a.Follow(5000, 32);
  EXPECT_EQ(a.m_dPos, 110 * 32 - 640);
  cScrollAxis narrow = Horizontal(10);
  narrow.Follow(900, 32);
  EXPECT_EQ(narrow.m_dPos, 320);
}

std::vector<std::string> ProbeLines(const std::vector<std::string>& args, int* code = nullptr) { return RunProbe(args, code); }

std::vector<std::string> ScrollArgs(std::vector<std::string> changes) {
  std::vector<std::string> args = {"scroll", "--columns=30", "--rows=30", "--first-column=0", "--last-column=29",
                                   "--limit-left=0", "--limit-right=0", "--first-row=0", "--last-row=14",
                                   "--limit-top=0", "--limit-bottom=0", "--auto-scroll-x=0",
                                   "--auto-scroll-speed-x=0", "--auto-scroll-y=0", "--auto-scroll-speed-y=0",
                                   "--steps-per-frame=2", "--player-x=400", "--player-y=600", "--player-width=32",
                                   "--player-height=32", "--player-speed-x=0", "--player-speed-y=0", "--frames=2"};
  for (const std::string& c : changes) {
    const std::string name = c.substr(0, c.find('=') + 1);
    for (std::string& a : args)
      if (a.rfind(name, 0) == 0) a = c;
  }
  return args;
}

TEST(ScrollProbe, PrintsTheAxesFrameByFrame) {
  int code = -1;
  // Auto-scroll 10 at two steps a frame: one dot a frame; the player walks right
  // at 8 dots a step with the vertical follow on.
  std::vector<std::string> lines =
      ProbeLines(ScrollArgs({"--auto-scroll-x=1", "--auto-scroll-speed-x=10", "--player-speed-y=1.25"}), &code);
  EXPECT_EQ(code, 0);
  const std::vector<std::string> expected = {
      "frame=0 view_x=320 view_y=376 clamped_x=1 clamped_y=0",
      "frame=1 view_x=321 view_y=378.5 clamped_x=0 clamped_y=0",
      "frame=2 view_x=322 view_y=381 clamped_x=0 clamped_y=0",
  };
  EXPECT_EQ(lines, expected);
  // A stage smaller than the view, the follow on both axes.
  lines = ProbeLines(ScrollArgs({"--columns=10", "--rows=5", "--player-speed-x=100", "--frames=1"}), &code);
  EXPECT_EQ(lines, (std::vector<std::string>{"frame=0 view_x=320 view_y=320 clamped_x=1 clamped_y=1",
                                             "frame=1 view_x=320 view_y=320 clamped_x=1 clamped_y=1"}));
}

TEST(ScrollProbe, ABadArgumentExitsWithTwoAndOneLine) {
  const std::vector<std::vector<std::string>> bad = {
      ScrollArgs({"--columns=abc"}),
      ScrollArgs({"--limit-left=2"}),
      ScrollArgs({"--player-x=nan"}),
      ScrollArgs({"--steps-per-frame=0"}),
      {"scroll", "--columns=3"},
      {"scroll", "columns=3"},
      {"nosuchverb"},
  };
  for (const auto& args : bad) {
    SCOPED_TRACE(args.size() > 1 ? args[1] : args[0]);
    int code = -1;
    std::vector<std::string> lines = ProbeLines(args, &code);
    EXPECT_EQ(code, 2);
    ASSERT_EQ(lines.size(), 1u);  // one line: the reason
    EXPECT_EQ(lines[0].rfind("korvane-probe", 0), 0u) << lines[0];
  }
  std::vector<std::string> extra = ScrollArgs({});
  extra.push_back("--colour=1");
  int code = -1;
  ProbeLines(extra, &code);
  EXPECT_EQ(code, 2);
}

}  // namespace
