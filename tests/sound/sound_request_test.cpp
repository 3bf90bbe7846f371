#include <gtest/gtest.h>

#include <vector>

#include "app/base/shell_globals.h"
#include "app/sound/sound_effects.h"
#include "app/sound/sound_requests.h"
#include "platform/audio_output.h"
#include "platform/thread.h"
#include "tests/sound/sound_fixtures.h"

namespace {

std::vector<plat::WPARAM> gSent;
plat::LRESULT Capture(plat::HWND, plat::UINT message, plat::WPARAM wParam, plat::LPARAM) {
  if (message == WM_PLAY_SE) gSent.push_back(wParam);
  return 0;
}

TEST(SoundRequestSend, ProjectSoundsAreOffsetBySixteen) {
  SetSoundRequestSender(Capture);
  PlayProjectSE(0);
  PlayProjectSE(3);
  PlaySE(5);
  SetSoundRequestSender(nullptr);
  EXPECT_EQ(gSent, (std::vector<plat::WPARAM>{19, 5}));
}

// The game window's part of WM_PLAY_SE, on this thread; the game thread sends.
TEST(SoundRequestMessage, GameThreadRequestIsHeardInTheMix) {
  cTempDir dir;
  plat::UseOfflineAudio(22050);
  ASSERT_TRUE(DS_Init(0, 22050, 8, 1));
  std::vector<std::string> system(17, "wave\\quiet.wav");
  system[0] = "wave\\cursor.wav";
  system[3] = "wave\\refuse.wav";
  dir.Write("wave/quiet.wav", MakeWav16(22050, {1}));
  dir.Write("wave/cursor.wav", MakeWav16(22050, {1000, 1000}));
  dir.Write("wave/refuse.wav", MakeWav16(22050, {-300, 300, -300}));
  SetUpSoundTable(system, {""});
  DS_LoadAll(SoundTable, SoundInfoTable, 0);
  hMainWnd = plat::RegisterWindow();

  plat::Thread game;
  ASSERT_TRUE(game.Start([] {
    PlaySE(3);
    PlaySE(1234);  // no such entry
    return 0u;
  }));
  ASSERT_TRUE(game.WaitFor(5000));
  plat::MSG msg;
  int handled = 0;
  while (handled < 2 && plat::GetMessage(&msg)) {
    if (msg.message == WM_PLAY_SE) {
      OnPlaySoundEffectRequest(msg.wParam);
      ++handled;
    }
  }
  // Entry 3, then entry 0 in place of the bad index: both sound together.
  std::vector<int16_t> out = Render(4);
  EXPECT_EQ(out, (std::vector<int16_t>{700, 700, 1300, 1300, -300, -300, 0, 0}));
  char line[64];
  std::snprintf(line, sizeof line, "err V[1234] ( 17 , %d )", static_cast<int>(sizeof(DSSOUNDDATA)));
  EXPECT_TRUE(dir.ReportContains(line));
  // The bad index also asked the window to close.
  ASSERT_TRUE(plat::PeekMessage(&msg, true));
  EXPECT_EQ(msg.message, plat::WM_CLOSE);
  DS_Release();
  plat::UnregisterWindow(hMainWnd);
  hMainWnd = 0;
  plat::CloseAudioOutput();
}

}  // namespace
