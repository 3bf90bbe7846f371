#pragma once
#include <cstdint>

// What holds the game while thPause runs: the stage-play scene fills it before it
// starts the thread, and the pause routine reads it once per frame.
struct cPauseWait {
  enum { kWait = 0, kMessage = 1, kEffect = 2, kPicture = 3, kStageEnd = 4 };

  int32_t m_nKind = 0;
  int32_t m_nDelay = 0;       // frames in which neither the key nor the count is watched
  int32_t m_bWaitKey = 0;     // the pause ends on a press of button 1
  int32_t m_nFrameCount = 0;  // without the key: the pause ends when this falls below 0

  // A message that waits for a key and does not follow directly on another one
  // cannot be ended during its first 10 frames.
  void Set(int kind, int waitKey, int frameCount, int continuation) {
    m_nKind = kind;
    m_bWaitKey = waitKey;
    m_nFrameCount = frameCount;
    m_nDelay = kind == kMessage && waitKey != 0 && continuation == 0 ? 10 : 0;
  }
};
