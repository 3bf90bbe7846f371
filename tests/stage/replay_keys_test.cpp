// F1 and F2 during play: which log is saved, the refusal sound of an empty log at
// most once per 60 frames held, and nothing during playback or without recording.
#include <gtest/gtest.h>

#include <vector>

#include "app/svc/mode_manager.h"
#include "app/sound/sound_requests.h"
#include "app/svc/window_requests.h"
#include "data/project_globals.h"
#include "platform/key_state.h"
#include "stage/replay_keys.h"

namespace {

std::vector<plat::WPARAM> gSounds;
std::vector<plat::WPARAM> gSaves;

plat::LRESULT CaptureSound(plat::HWND, plat::UINT message, plat::WPARAM wParam, plat::LPARAM) {
  if (message == WM_PLAY_SE) gSounds.push_back(wParam);
  return 0;
}
int CaptureRequest(plat::UINT message, plat::WPARAM wParam) {
  if (message == WM_SAVE_REPLAY) gSaves.push_back(wParam);
  return 1;
}

class ReplayKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    gSounds.clear();
    gSaves.clear();
    SetSoundRequestSender(&CaptureSound);
    SetFileRequestSender(&CaptureRequest);
    plat::ReleaseAllKeys();
    SystemData.bRecordReplay = 1;
    ModeManager.m_nPlayKind = 1;
    ReplayBuzzCooldown = 0;
    LogCur.Clear();
    LogPrev.Clear();
  }
  void TearDown() override {
    plat::ReleaseAllKeys();
    SetSoundRequestSender(nullptr);
    SetFileRequestSender(nullptr);
  }
};

TEST_F(ReplayKeys, F1SavesTheCurrentAttemptAndF2ThePrevious) {
  LogCur.Record(1, 0);
  LogPrev.Record(2, 0);
  EXPECT_EQ(CheckReplaySaveKeys(), 0);  // no key
  plat::SetKeyDown(plat::VK_F1, true);
  EXPECT_EQ(CheckReplaySaveKeys(), 1);
  plat::SetKeyDown(plat::VK_F2, true);  // F1 wins while both are held
  EXPECT_EQ(CheckReplaySaveKeys(), 1);
  plat::SetKeyDown(plat::VK_F1, false);
  EXPECT_EQ(CheckReplaySaveKeys(), 1);
  EXPECT_EQ(gSaves, (std::vector<plat::WPARAM>{0, 0, 1}));
  EXPECT_EQ(gSounds, (std::vector<plat::WPARAM>{1, 1, 1}));
}

TEST_F(ReplayKeys, AnEmptyLogIsRefusedAtMostOncePerSixtyFramesHeld) {
  plat::SetKeyDown(plat::VK_F1, true);
  int refusals = 0;
  for (int frame = 0; frame < 150; ++frame) {
    EXPECT_EQ(CheckReplaySaveKeys(), 0);
    refusals = static_cast<int>(gSounds.size());
    if (frame == 0 || frame == 59) {
      EXPECT_EQ(refusals, 1) << frame;
    }
    if (frame == 60) {
      EXPECT_EQ(refusals, 2);
    }
  }
  EXPECT_EQ(gSounds, (std::vector<plat::WPARAM>{3, 3, 3}));
  EXPECT_TRUE(gSaves.empty());
}

TEST_F(ReplayKeys, NothingDuringPlaybackOrWithoutRecording) {
  LogCur.Record(1, 0);
  plat::SetKeyDown(plat::VK_F1, true);
  ModeManager.m_nPlayKind = 4;
  EXPECT_EQ(CheckReplaySaveKeys(), 0);
  ModeManager.m_nPlayKind = 1;
  SystemData.bRecordReplay = 0;
  EXPECT_EQ(CheckReplaySaveKeys(), 0);
  LogCur.Clear();
  EXPECT_EQ(CheckReplaySaveKeys(), 0);
  EXPECT_TRUE(gSounds.empty());
  EXPECT_TRUE(gSaves.empty());
}

}  // namespace
