// The running screen effect: the value it draws with, frame by frame, from its
// start to its end in each play mode, and the bad starts of a damaged command.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "data/project_globals.h"
#include "data/startup_data.h"
#include "tests/support/temp_dir.h"

namespace {

cEdScrEffect ScrDef(int kind, std::array<int, 5> p) {
  cEdScrEffect d;
  d.nKind = kind;
  for (int i = 0; i < 5; ++i) d.Params[i] = p[static_cast<size_t>(i)];
  return d;
}

// The database's screen effects, prepared as start-up prepares them.
void UseScrEffects(std::vector<cEdScrEffect> defs) {
  Database = cEdDatabase();
  Database.ScrEffectList.assign(defs.begin(), defs.end());
  Database.MakeWorkingCopies();
  PrepareScrEffects(ScrEffectTable, ScrEffectTableRev);
}

// One frame as the drawers step it: the time kinds run 0 to P0, the others P1 to P2
// of the definition in use (the reversed copy while reversed).
int StepFrame(cScrEffectAnime& e) {
  const int* p = e.pDef->Params;
  const int kind = e.pDef->nKind;
  const bool time = kind == 1 || kind == 2 || kind == 3 || kind == 8;
  return time ? e.Step(0, p[0]) : e.Step(p[1], p[2]);
}

struct SequenceCase {
  const char* name;
  cEdScrEffect def;
  int playMode, repeat;
  int frames;                   // frames stepped (at most)
  std::vector<double> values;   // the value after each frame's step
  int endFrame;                 // 1-based frame whose step reports the end; 0 never
};

class ScrEffectSequence : public testing::TestWithParam<SequenceCase> {};

TEST_P(ScrEffectSequence, RunsTheValueFromStartToEnd) {
  const SequenceCase& c = GetParam();
  UseScrEffects({ScrDef(0, {0, 0, 0, 0, 0}), c.def});
  cScrEffectAnime e;
  e.Start(1, c.playMode, c.repeat);
  ASSERT_EQ(e.nNo, 1);
  std::vector<double> values;
  int ended = 0;
  for (int f = 1; f <= c.frames && !ended; ++f) {
    if (StepFrame(e)) ended = f;
    values.push_back(e.bWaiting ? e.dWaitCount : e.dValue);
  }
  EXPECT_EQ(ended, c.endFrame);
  if (!c.values.empty()) {
    EXPECT_EQ(values, c.values);
  }
}

// A shift of 0 to 6 dots in one tenth of a second: one dot per frame, exactly.
const cEdScrEffect kSplit = ScrDef(4, {1, 0, 6, 2, 0});

INSTANTIATE_TEST_SUITE_P(
    Modes, ScrEffectSequence,
    testing::Values(
        // The value runs one step past its end before the effect ends.
        SequenceCase{"Forward", kSplit, 0, 0, 20, {1, 2, 3, 4, 5, 6, 7}, 7},
        SequenceCase{"Reversed", kSplit, 1, 0, 20, {5, 4, 3, 2, 1, 0, -1}, 7},
        // There and back: the turn starts the reversed state at its start value.
        SequenceCase{"ThereAndBack", kSplit, 2, 0, 30, {1, 2, 3, 4, 5, 6, 6, 5, 4, 3, 2, 1, 0, -1}, 14},
        SequenceCase{"Repeat", kSplit, 0, 1, 16, {1, 2, 3, 4, 5, 6, 0, 1, 2, 3, 4, 5, 6, 0, 1, 2}, 0},
        SequenceCase{"RepeatThereAndBack", kSplit, 2, 1, 16, {1, 2, 3, 4, 5, 6, 6, 5, 4, 3, 2, 1, 0, 0, 1, 2}, 0},
        // Truncation toward zero: 3.5 still counts as 3, so the end comes at 4.
        SequenceCase{"HalfSteps", ScrDef(9, {1, 0, 3, 0, 0}), 0, 0, 20, {0.5, 1, 1.5, 2, 2.5, 3, 3.5, 4}, 8},
        // Start equal to end: the value stays, the effect waits out P0 tenths (a
        // sixth per frame; six sixths add up to just below 1).
        SequenceCase{"Waiting", ScrDef(13, {1, 5, 5, 0, 0}), 0, 0, 20, {}, 7},
        // The time kinds: P0 tenths of a second at a sixth per frame.
        SequenceCase{"Time", ScrDef(2, {1, 4, 4, 0, 0}), 0, 0, 40, {}, 12},
        SequenceCase{"TimeReversedIsTheSame", ScrDef(2, {1, 4, 4, 0, 0}), 1, 0, 40, {}, 12}),
    [](const testing::TestParamInfo<SequenceCase>& info) { return std::string(info.param.name); });

TEST(ScrEffectStart, AWaitingEffectKeepsItsValue) {
  UseScrEffects({ScrDef(0, {0, 0, 0, 0, 0}), ScrDef(13, {1, 5, 5, 0, 0})});
  cScrEffectAnime e;
  e.Start(1, 0, 0);
  for (int f = 0; f < 6; ++f) EXPECT_EQ(StepFrame(e), 0);
  EXPECT_DOUBLE_EQ(e.dValue, 5);
}

TEST(ScrEffectStart, AMoveReversedRunsFromTheEndPosition) {
  UseScrEffects({ScrDef(0, {0, 0, 0, 0, 0}), ScrDef(1, {10, 1, 2, 300, 40})});
  cScrEffectAnime e;
  e.Start(1, 1, 0);
  EXPECT_EQ(e.bReversed, 1);
  EXPECT_EQ(e.nWorkA, 300);
  EXPECT_EQ(e.nWorkB, 40);
  e.Start(1, 0, 0);  // a new start replaces the running one
  EXPECT_EQ(e.bReversed, 0);
  EXPECT_EQ(e.nWorkA, 1);
}

TEST(ScrEffectStart, ANumberBeyondTheListIsReportedAndRunsNothing) {
  cTempDir dir;
  UseScrEffects({ScrDef(0, {0, 0, 0, 0, 0}), ScrDef(4, {1, 0, 6, 2, 0})});
  cScrEffectAnime e;
  e.Start(1, 0, 0);
  e.Start(7, 0, 0);
  EXPECT_EQ(e.nNo, 0);
  EXPECT_TRUE(dir.ReportContains("err V[7]"));
  e.Start(-3, 2, 1);
  EXPECT_EQ(e.nNo, 0);
  // Effect 0 stops whatever runs, without a report.
  e.Start(1, 0, 0);
  e.Start(0, 0, 0);
  EXPECT_EQ(e.nNo, 0);
}

}  // namespace
