// What the scenes do with the sampled words: key repeat, the button latch, the
// hold-time rings, the run histories, and copying and clearing an entry.
#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <vector>

#include "app/base/shell_globals.h"
#include "app/svc/input.h"
#include "tests/support/temp_dir.h"

namespace {

// Frames on which bit survives ApplyRepeat while words[f] is sampled on frame f.
std::vector<int> ReportedFrames(cInput& in, const std::vector<uint16_t>& words, uint16_t bit) {
  std::vector<int> frames;
  for (int f = 0; f < static_cast<int>(words.size()); ++f) {
    in.m_wDirection = words[f];
    in.ApplyRepeat();
    if (in.m_wDirection & bit) frames.push_back(f);
  }
  return frames;
}

TEST(InputRepeat, HeldDirectionRepeatsAfterTheDelayAtTheInterval) {
  cInput in;
  in.SetRepeat(18, 6);
  std::vector<uint16_t> words(40, 1);
  EXPECT_EQ(ReportedFrames(in, words, 1), (std::vector<int>{0, 18, 24, 30, 36}));
}

TEST(InputRepeat, ReleaseAndPressReportsAtOnceAndTheAxesCountApart) {
  cInput in;
  in.SetRepeat(18, 6);
  // Up held throughout; left pressed on frame 5, released on 25, pressed again on 26;
  // frame 30 adds down-left (the vertical bits change from up to down).
  std::vector<uint16_t> words;
  for (int f = 0; f < 40; ++f) {
    uint16_t w = f < 30 ? 4 : 8;
    if ((f >= 5 && f < 25) || f >= 26) w |= 1;
    words.push_back(w);
  }
  cInput a = in, b = in;
  EXPECT_EQ(ReportedFrames(a, words, 1), (std::vector<int>{5, 23, 26}));
  EXPECT_EQ(ReportedFrames(b, words, 4), (std::vector<int>{0, 18, 24}));
  cInput c = in;
  EXPECT_EQ(ReportedFrames(c, words, 8), (std::vector<int>{30}));
}

TEST(InputRepeat, PositionNumberIsLeftAlone) {
  cInput in;
  in.SetRepeat(18, 6);
  in.m_nPosition = 4;
  for (int f = 0; f < 3; ++f) {
    in.m_wDirection = 1;
    in.ApplyRepeat();
  }
  EXPECT_EQ(in.m_wDirection, 0);
  EXPECT_EQ(in.m_nPosition, 4);
}

TEST(InputRepeat, ZeroIntervalRepeatsEveryFrameAfterTheDelay) {
  cInput in;
  in.SetRepeat(3, 0);
  EXPECT_EQ(ReportedFrames(in, std::vector<uint16_t>(6, 2), 2), (std::vector<int>{0, 3, 4, 5}));
}

struct LatchRow {
  uint16_t held;
  uint16_t reported;
  int latch;
};

TEST(InputLatch, OnePressReportedUntilEveryButtonOfTheMaskIsReleased) {
  const LatchRow rows[] = {
      {1, 1, 1},   // button 1 pressed: reported
      {1, 0, 1},   // still held
      {3, 0, 1},   // button 2 pressed while 1 is held: nothing
      {2, 0, 1},   // 1 released, 2 still held
      {0, 0, 0},   // all released: the latch opens
      {2, 2, 1},   // the next press is reported
      {6, 4, 1},   // button 3 is outside the mask: untouched
      {0, 0, 0},
      {3, 3, 1},   // two pressed on the same frame: both reported
      {4, 4, 0},   // a button outside the mask alone opens the latch
  };
  cInput in;
  int frame = 0;
  for (const LatchRow& r : rows) {
    in.m_wButton = r.held;
    in.LatchButtons(3);
    EXPECT_EQ(in.m_wButton, r.reported) << "frame " << frame;
    EXPECT_EQ(in.m_bLatch, r.latch) << "frame " << frame;
    ++frame;
  }
}

TEST(InputLatch, MaskZeroMeansAllEightButtons) {
  cInput in;
  const uint16_t held[] = {128, 128, 129, 0, 1};
  const uint16_t reported[] = {128, 0, 0, 0, 1};
  for (int f = 0; f < 5; ++f) {
    in.m_wButton = held[f];
    in.LatchButtons(0);
    EXPECT_EQ(in.m_wButton, reported[f]) << "frame " << f;
  }
}

// Records words[i] for counts[i] frames each.
void Record(cInput& in, std::initializer_list<std::pair<uint16_t, int>> runs) {
  for (auto [word, frames] : runs)
    for (int i = 0; i < frames; ++i) {
      in.m_wDirection = word;
      in.m_wButton = static_cast<uint16_t>(word << 4);
      in.RecordHistory();
    }
}

TEST(InputHoldRing, WordsOfEarlierFrames) {
  cInput in;
  Record(in, {{1, 5}, {2, 10}});
  struct Row {
    int ago;
    uint16_t dir;
  } rows[] = {{0, 2}, {9, 2}, {10, 1}, {14, 1}, {-3, 2},
              // beyond what the ring holds: once round the ring, back at the head
              {15, 2}, {1000, 2}, {INT_MAX, 2}};
  for (const Row& r : rows) {
    EXPECT_EQ(in.GetHistory(0, r.ago), r.dir) << "frames ago " << r.ago;
    EXPECT_EQ(in.GetHistory(1, r.ago), r.dir << 4) << "frames ago " << r.ago;
  }
}

TEST(InputHoldRing, RingKeepsTheLast32ChangesAndFramesSaturate) {
  cInput in;
  for (int i = 1; i <= 40; ++i) Record(in, {{static_cast<uint16_t>(i), 1}});
  EXPECT_EQ(in.m_nHoldHead[0], 40 % 32);
  for (int ago = 0; ago < 32; ++ago) EXPECT_EQ(in.GetHistory(0, ago), 40 - ago) << ago;
  EXPECT_EQ(in.GetHistory(0, 32), 40);  // older changes are gone

  in.m_Hold[0][in.m_nHoldHead[0]].nFrames = INT_MAX - 1;
  Record(in, {{40, 3}});
  EXPECT_EQ(in.m_Hold[0][in.m_nHoldHead[0]].nFrames, INT_MAX);

  in.ClearHistory();
  EXPECT_EQ(in.m_nHoldHead[0], 0);
  EXPECT_EQ(in.m_nHoldHead[1], 0);
  EXPECT_EQ(in.GetHistory(0, 0), 0);
  EXPECT_EQ(in.m_Hold[1][5].nFrames, 0);
}

// Indexes of the 19 histories whose newest run is active.
std::set<int> Active(const cInput& in) {
  std::set<int> s;
  for (int k = 0; k < kKeyHistoryCount; ++k)
    if (in.GetSequence(k)[0].nState) s.insert(k);
  return s;
}

TEST(InputRunHistory, TestOfEachHistory) {
  struct Row {
    uint16_t dir, button;
    std::set<int> active;
  } rows[] = {
      {0, 0, {0, 10}},
      {1, 0, {1, 9, 10}},
      {2, 0, {2, 9, 10}},
      {4, 0, {3, 9, 10}},
      {8, 0, {4, 9, 10}},
      {5, 0, {5, 9, 10}},
      {9, 0, {6, 9, 10}},
      {6, 0, {7, 9, 10}},
      {10, 0, {8, 9, 10}},
      {3, 0, {9, 10}},  // left and right together: only "any direction"
      {12, 1, {9, 11}},
      {0, 0x81, {0, 11, 18}},
      {0, 0xFF, {0, 11, 12, 13, 14, 15, 16, 17, 18}},
  };
  for (const Row& r : rows) {
    cInput in;
    in.m_wDirection = r.dir;
    in.m_wButton = r.button;
    in.UpdateSequences();
    EXPECT_EQ(Active(in), r.active) << "dir " << r.dir << " buttons " << r.button;
  }
}

TEST(InputRunHistory, RunsNewestFirstAlways32Long) {
  cInput in;
  for (auto [word, frames] : {std::pair<uint16_t, int>{0, 3}, {1, 2}, {0, 1}}) {
    for (int i = 0; i < frames; ++i) {
      in.m_wDirection = word;
      in.UpdateSequences();
    }
  }
  const cRunHistory& left = in.GetSequence(1);
  EXPECT_EQ(left.size(), 32u);
  EXPECT_EQ(left[0].nState, 0);
  EXPECT_EQ(left[0].nFrames, 1);
  EXPECT_EQ(left[1].nState, 1);
  EXPECT_EQ(left[1].nFrames, 2);
  EXPECT_EQ(left[2].nState, 0);
  EXPECT_EQ(left[2].nFrames, 3);
  EXPECT_EQ(left[3].nFrames, 0);
  const cRunHistory& none = in.GetSequence(0);  // active from the first frame
  EXPECT_EQ((std::vector<int>{none[0].nState, none[0].nFrames, none[1].nState, none[1].nFrames, none[2].nState,
                              none[2].nFrames, none[3].nState, none[3].nFrames}),
            (std::vector<int>{1, 1, 0, 2, 1, 3, 0, 0}));

  // 40 changes more: the oldest runs drop out, the newest 32 stay.
  for (int i = 0; i < 40; ++i) {
    in.m_wDirection = static_cast<uint16_t>(i % 2 ? 0 : 1);
    for (int f = 0; f <= i % 3; ++f) in.UpdateSequences();
  }
  const cRunHistory& h = in.GetSequence(1);
  for (int k = 0; k < 32; ++k) {
    int i = 39 - k;
    EXPECT_EQ(h[k].nState, i % 2 ? 0 : 1) << k;
    EXPECT_EQ(h[k].nFrames, i % 3 + 1) << k;
  }
}

TEST(InputRunHistory, FramesStopAtTheLargestInt) {
  cRunHistory h{};
  h[0] = INPUTRUN{1, INT_MAX - 1};
  cInput::UpdateSequence(h, 1, 1, 1);
  cInput::UpdateSequence(h, 1, 1, 1);
  EXPECT_EQ(h[0].nFrames, INT_MAX);
  EXPECT_EQ(h[1].nFrames, 0);
  cInput::UpdateSequence(h, 0, 1, 1);
  EXPECT_EQ(h[0].nState, 0);
  EXPECT_EQ(h[1].nFrames, INT_MAX);
}

TEST(InputRunHistory, ClearSequencesLeavesAll19At32EmptyRuns) {
  cInput in;
  for (int i = 0; i < 50; ++i) {
    in.m_wDirection = static_cast<uint16_t>(i % 16);
    in.m_wButton = static_cast<uint16_t>(i * 37);
    in.UpdateSequences();
  }
  in.ClearSequences();
  for (int k = 0; k < kKeyHistoryCount; ++k)
    for (const INPUTRUN& run : in.GetSequence(k)) {
      EXPECT_EQ(run.nState, 0) << k;
      EXPECT_EQ(run.nFrames, 0) << k;
    }
}

TEST(InputRunHistory, BadHistoryNumberIsReportedAndGivesHistoryZero) {
  cTempDir dir;
  cInput in;
  EXPECT_EQ(&in.GetSequence(19), &in.GetSequence(0));
  EXPECT_EQ(&in.GetSequence(-1), &in.GetSequence(0));
  EXPECT_TRUE(dir.ReportContains("err V[19] ( 19 , 256 )"));
}

TEST(InputEntry, FreshEntryAndClearingTheWords) {
  cInput in;
  EXPECT_EQ(in.m_nPosition, 5);
  EXPECT_EQ(in.m_nRepeatDelay, 0u);
  EXPECT_EQ(in.m_wJoyMask[0], 0);  // the joystick buttons come with start-up
  in.InitJoyButtons();
  for (int i = 0; i < 8; ++i) EXPECT_EQ(in.m_wJoyMask[i], 1 << i);
  in.m_wDirection = 9;
  in.m_nPosition = 7;
  in.m_wButton = 3;
  in.ClearDirection();
  EXPECT_EQ(in.m_wDirection, 0);
  EXPECT_EQ(in.m_nPosition, 5);
  EXPECT_EQ(in.m_wButton, 3);
  in.ClearButtons();
  EXPECT_EQ(in.m_wButton, 0);
}

TEST(InputEntry, HeldPlayWorksOnACopyAndLeavesTheSharedInputAsItWas) {
  ASSERT_EQ(Input.Count(), 1);
  cInput& shared = Input.At(0);
  Record(shared, {{1, 4}, {2, 3}});
  shared.m_wDirection = 2;
  shared.m_wButton = 1;
  shared.UpdateSequences();
  const cInput before = shared;

  cVector<cInput> copy = Input;  // the held-play loop's own copy
  cInput& c = copy.At(0);
  EXPECT_EQ(c.GetHistory(0, 3), 1);
  EXPECT_EQ(c.GetSequence(2)[0].nState, 1);
  c.ClearHistory();
  c.ClearSequences();
  c.ClearDirection();
  c.ClearButtons();
  c.m_wDirection = 4;
  c.RecordHistory();
  EXPECT_EQ(c.GetHistory(0, 0), 4);

  EXPECT_EQ(shared.m_wDirection, 2);
  EXPECT_EQ(shared.m_wButton, 1);
  EXPECT_EQ(shared.GetHistory(0, 3), 1);
  EXPECT_EQ(shared.m_nHoldHead[0], before.m_nHoldHead[0]);
  EXPECT_EQ(shared.GetSequence(2)[0].nState, 1);
}

}  // namespace
