#include <gtest/gtest.h>

#include <vector>

#include "app/base/shell_globals.h"
#include "app/svc/anime_player.h"
#include "tests/support/temp_dir.h"

namespace {

std::vector<int> Updates(cAnimePlayer& p, int calls) {
  std::vector<int> out;
  for (int i = 0; i < calls; ++i) out.push_back(p.Update());
  return out;
}

// Sequences: 0 loops 5,6; 1 holds on 8; 2 jumps to 4; 3 ends with -4; 4 is 9 forever.
const ANIMETABLESTEP kLoop[] = {{5, 3, 0}, {6, 2, 0}, {-2, 0, 0}};
const ANIMETABLESTEP kHold[] = {{7, 1, 0}, {8, 2, 0}, {-1, 0, 0}, {99, 1, 0}};
const ANIMETABLESTEP kJump[] = {{3, 2, 1}, {-3, 4, 0}};
const ANIMETABLESTEP kEnd[] = {{1, 1, 0}, {-4, 0, 0}};
const ANIMETABLESTEP kNine[] = {{9, 0, 0}, {-2, 0, 0}};
const ANIMETABLESTEP* const kTables[] = {kLoop, kHold, kJump, kEnd, kNine, nullptr};

struct AnimePlayer : ::testing::Test {
  cAnimePlayer p;
  void SetUp() override { p.Create(kTables); }
};

TEST_F(AnimePlayer, CreateCopiesEachTableUpToItsFirstControlStep) {
  ASSERT_EQ(p.m_Sequences.Count(), 5);
  EXPECT_EQ(p.m_Sequences[0].Count(), 3);
  EXPECT_EQ(p.m_Sequences[1].Count(), 3);  // the step after the hold is not part of it
  EXPECT_EQ(p.m_Sequences[2][0].bNoInterrupt, 1);
  const ANIMETABLESTEP onlyControl[] = {{-1, 0, 0}};
  const ANIMETABLESTEP* const one[] = {onlyControl, nullptr};
  cAnimePlayer q;
  q.Create(one);
  ASSERT_EQ(q.m_Sequences.Count(), 1);
  EXPECT_EQ(q.m_Sequences[0].Count(), 1);
}

TEST_F(AnimePlayer, LoopCountsTheFirstFrameAtOnce) {
  ASSERT_EQ(p.Set(0, 0), 1);
  EXPECT_EQ(Updates(p, 12), (std::vector<int>{5, 5, 6, 6, 5, 5, 5, 6, 6, 5, 5, 5}));
}

TEST_F(AnimePlayer, HoldKeepsTheLastValue) {
  p.Set(1, 0);
  EXPECT_EQ(Updates(p, 8), (std::vector<int>{8, 8, 8, 8, 8, 8, 8, 8}));
  EXPECT_EQ(p.GetValue(), 8);
}

TEST_F(AnimePlayer, JumpStartsTheNamedSequenceDespiteTheNoInterruptFlag) {
  p.Set(2, 0);
  EXPECT_EQ(p.Update(), 3);
  EXPECT_EQ(p.Set(0, 0), 0);  // a no-interrupt step is current
  EXPECT_EQ(p.m_nSequence, 2);
  EXPECT_EQ(p.Update(), 9);
  EXPECT_EQ(p.m_nSequence, 4);
  EXPECT_EQ(p.m_nStep, 0);
  EXPECT_EQ(p.Update(), 9);
}

TEST_F(AnimePlayer, SetAndChangeWithTheNoInterruptFlag) {
  p.Set(2, 1);
  EXPECT_EQ(p.Set(0, 0), 0);
  EXPECT_EQ(p.Change(0, 0), 0);
  EXPECT_EQ(p.Change(2, 0), 1);  // already current: no restart
  p.Update();
  EXPECT_EQ(p.m_nTimer, 1);
  EXPECT_EQ(p.Change(2, 0), 1);
  EXPECT_EQ(p.m_nTimer, 1);
  EXPECT_EQ(p.Set(0, 1), 1);  // forced
  EXPECT_EQ(p.m_nSequence, 0);
  EXPECT_EQ(p.m_nTimer, 0);
}

TEST_F(AnimePlayer, EndValueIsReturnedAndStaysWhenCalledAgain) {
  p.Set(3, 0);
  EXPECT_EQ(Updates(p, 4), (std::vector<int>{-4, -4, -4, -4}));
  EXPECT_EQ(p.m_nStep, 1);
}

TEST_F(AnimePlayer, CopyAndClear) {
  p.Set(0, 0);
  Updates(p, 4);
  cAnimePlayer q;
  q = p;
  EXPECT_EQ(q.m_Sequences.Count(), 5);
  EXPECT_EQ(q.m_nStep, p.m_nStep);
  EXPECT_EQ(q.m_nTimer, p.m_nTimer);
  EXPECT_EQ(Updates(q, 6), Updates(p, 6));
  p.Clear();
  EXPECT_TRUE(p.m_Sequences.empty());
  EXPECT_EQ(p.m_nSequence + p.m_nStep + p.m_nTimer, 0);
  EXPECT_EQ(p.Update(), 0);
  EXPECT_EQ(p.GetValue(), 0);
  EXPECT_EQ(p.Set(1, 0), 1);
  EXPECT_EQ(p.Update(), 0);
  EXPECT_EQ(q.m_Sequences.Count(), 5);  // the copy keeps its own sequences
}

TEST_F(AnimePlayer, JumpToAMissingSequenceGoesThroughTheCheckedAccess) {
  cTempDir dir;
  const ANIMETABLESTEP bad[] = {{2, 1, 0}, {-3, 40, 0}};
  const ANIMETABLESTEP* const tables[] = {bad, nullptr};
  cAnimePlayer q;
  q.Create(tables);
  q.Set(0, 0);
  EXPECT_EQ(q.Update(), 2);  // sequence 40 does not exist: element 0 stands in
  EXPECT_TRUE(dir.ReportContains("err V[40]"));
}

}  // namespace
