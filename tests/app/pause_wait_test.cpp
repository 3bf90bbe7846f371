#include <gtest/gtest.h>

#include "app/svc/pause_wait.h"

namespace {

TEST(PauseWait, OnlyAFreshMessageWaitingForAKeyGetsTheDelay) {
  struct Case {
    int kind, waitKey, count, continuation, delay;
  } cases[] = {
      {cPauseWait::kMessage, 1, 0, 0, 10},
      {cPauseWait::kMessage, 1, 0, 1, 0},   // follows directly on another message
      {cPauseWait::kMessage, 0, 30, 0, 0},  // waits for its time
      {cPauseWait::kPicture, 1, 0, 0, 0},
      {cPauseWait::kStageEnd, 0, 30, 0, 0},
  };
  for (const Case& c : cases) {
    cPauseWait w;
    w.m_nDelay = 99;
    w.Set(c.kind, c.waitKey, c.count, c.continuation);
    EXPECT_EQ(w.m_nDelay, c.delay) << "kind " << c.kind << " continuation " << c.continuation;
    EXPECT_EQ(w.m_nKind, c.kind);
    EXPECT_EQ(w.m_bWaitKey, c.waitKey);
    EXPECT_EQ(w.m_nFrameCount, c.count);
  }
}

}  // namespace
