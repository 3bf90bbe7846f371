// The replay input log: run-length recording, playback, copying and its file part.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "data/user_records.h"
#include "tests/data/palette_checks.h"
#include "tests/support/temp_dir.h"

namespace {

using palfix::Bytes;
using Words = std::vector<std::pair<uint16_t, uint16_t>>;

Words PlayAll(cInputLog& log, int limit = 100000) {
  Words out;
  uint16_t d = 0xFFFF, b = 0xFFFF;
  while (static_cast<int>(out.size()) < limit && log.Play(d, b) == 0) out.push_back({d, b});
  return out;
}

// 600 frames of changing input: held directions, taps and releases.
Words ScriptedFrames() {
  Words w;
  for (int f = 0; f < 600; ++f) {
    const uint16_t dir = f < 100 ? 2 : f < 180 ? 2 | 4 : f < 300 ? 0 : (f / 7) % 2 ? 1 : 8;
    const uint16_t button = (f % 45) < 5 ? 1 : (f > 400 && f % 13 == 0) ? 3 : 0;
    w.push_back({dir, button});
  }
  return w;
}

TEST(InputLog, RecordsRunsOfEqualWordsAndPlaysThemBack) {
  cInputLog log;
  for (auto [d, b] : Words{{0, 0}, {0, 0}, {4, 1}, {4, 0}}) log.Record(d, b);
  EXPECT_EQ(log.Values0, (cVector<uint16_t>{0, 4}));
  EXPECT_EQ(log.Runs0, (cVector<int32_t>{2, 2}));
  EXPECT_EQ(log.Values1, (cVector<uint16_t>{0, 1, 0}));
  EXPECT_EQ(log.Runs1, (cVector<int32_t>{2, 1, 1}));
  EXPECT_EQ(PlayAll(log), (Words{{0, 0}, {0, 0}, {4, 1}, {4, 0}}));
  uint16_t d = 7, b = 7;
  EXPECT_EQ(log.Play(d, b), 1);
  EXPECT_EQ(d, 7);  // nothing written at the end
  EXPECT_EQ(b, 7);
}

TEST(InputLog, PlaybackEndsWithTheShorterStream) {
  cInputLog log;
  log.Values0 = {1, 2};
  log.Runs0 = {3, 3};
  log.Values1 = {5};
  log.Runs1 = {4};
  EXPECT_EQ(PlayAll(log).size(), 4u);
  // A cursor moved outside the lists ends playback instead of reading past them.
  log.nPos0 = 0;
  log.nPos1 = -1;
  uint16_t d, b;
  EXPECT_EQ(log.Play(d, b), 1);
}

TEST(InputLog, AssignmentCopiesTheInputAndKeepsTheTargetsCursor) {
  cInputLog a, b;
  for (auto [d, w] : ScriptedFrames()) a.Record(d, w);
  a.nSeed = 1234;
  a.nPos0 = 9;
  b.nPos0 = 2;
  b.nRun1 = 1;
  b = a;
  EXPECT_EQ(b.Values0, a.Values0);
  EXPECT_EQ(b.Runs1, a.Runs1);
  EXPECT_EQ(b.nSeed, 1234);
  EXPECT_EQ(b.nPos0, 2);
  EXPECT_EQ(b.nRun1, 1);
  b.Clear();
  EXPECT_FALSE(b.HasFrames());
  EXPECT_EQ(b.nSeed, 0);
  EXPECT_EQ(b.nPos0, 0);
}

// 600 frames recorded, written, read back into a fresh log: the same word for
// every frame and the same seed; the cursor is not part of the file.
TEST(InputLog, SixHundredFramesSurviveTheFile) {
  const Words frames = ScriptedFrames();
  cInputLog rec;
  for (auto [d, b] : frames) rec.Record(d, b);
  rec.nSeed = -123456;
  rec.nPos0 = 5;
  const Bytes bytes = palfix::Written(rec);
  // The version word; the base part: one field (the seed), no strings; then the four lists.
  ASSERT_GE(bytes.size(), 20u);
  cBytes head;
  head.U32(752).U32(1).I32(-123456).U32(0).U32(static_cast<uint32_t>(rec.Values0.size()));
  EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 20), head.v);

  cInputLog back;
  ASSERT_TRUE(palfix::ReadBytes(back, bytes));
  EXPECT_EQ(back.nSeed, -123456);
  EXPECT_EQ(back.nPos0, 0);
  EXPECT_EQ(PlayAll(back), frames);
}

TEST(InputLog, DamagedListsAreRefused) {
  auto file = [](const cBytes& lists) {
    cBytes b;
    b.U32(752).U32(1).I32(7).U32(0).Raw(lists.v);
    return b.v;
  };
  struct Case {
    const char* what;
    cBytes lists;
  } cases[] = {
      {"more runs than values", cBytes().U32(1).U16(1).U32(1).U16(0).U32(2).I32(1).I32(1).U32(1).I32(1)},
      {"fewer runs than values", cBytes().U32(2).U16(1).U16(2).U32(1).U16(0).U32(1).I32(1).U32(1).I32(1)},
      {"a run of 0", cBytes().U32(1).U16(1).U32(1).U16(0).U32(1).I32(0).U32(1).I32(1)},
      {"a run of -1", cBytes().U32(1).U16(1).U32(1).U16(0).U32(1).I32(1).U32(1).I32(-1)},
      {"a huge count", cBytes().U32(0xFFFFFFFF).U16(1)},
      {"cut in the runs", cBytes().U32(1).U16(1).U32(1).U16(0).U32(1).I32(1).U32(1)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cInputLog log;
    DataFilePtr f = DataFileFromBytes(file(c.lists));
    EXPECT_FALSE(log.Read(*f));
    EXPECT_FALSE(f->Error().empty());
  }
}

}  // namespace
