// The held-play loops on thPause and thRanking: frame loops of their own that keep
// the stage on screen while the game thread waits for them.
#include "stage/held_play.h"

#include <cstdint>

#include "app/base/play_trace.h"
#include "app/base/report_log.h"
#include "app/base/shell_globals.h"
#include "app/sound/sound_effects.h"
#include "app/svc/input.h"
#include "app/svc/mode_manager.h"
#include "app/svc/ranking_window.h"
#include "data/project_globals.h"
#include "data/user_records.h"
#include "draw/dd_globals.h"
#include "platform/clock.h"
#include "platform/messages.h"
#include "platform/test_controls.h"
#include "stage/replay_keys.h"
#include "stage/stage_scene.h"

namespace {

constexpr uint16_t kConfirm = 1;
constexpr uint16_t kGenreButton = 0x80;  // button 8
constexpr int kSeConfirm = 1, kSeRankingGenre = 6, kSeMessageClosed = 12;

enum class eTurn { kQuit, kAgain, kFrame };

// The message side of one turn: WM_QUIT ends the loop, any other message is
// dropped; an inactive application draws nothing. At the test control's frame
// limit no frame more is run: the loop asks for the close once and waits for it.
eTurn NextTurn(bool& closeAsked) {
  plat::MSG msg;
  if (plat::PeekMessage(&msg, true)) return msg.message == plat::WM_QUIT ? eTurn::kQuit : eTurn::kAgain;
  if (!bActive.load()) {
    plat::Sleep(1);
    return eTurn::kAgain;
  }
  const int limit = plat::FrameLimit();
  if (limit > 0 && FrameNumber() >= static_cast<uint32_t>(limit)) {
    if (!closeAsked) plat::PostMessage(hMainWnd.load(), plat::WM_CLOSE, 0, 0);
    closeAsked = true;
    plat::WaitMessageTimeout(1);
    return eTurn::kAgain;
  }
  return eTurn::kFrame;
}

// The start of a held frame: pacing, its number, lost surfaces (a failure asks
// the window to close; the loop goes on until it is told to quit).
void BeginHeldFrame() {
  WaitNextFrame();
  StartFrameNumber();
  if (!ModeManager.RestoreLostSurfaces()) plat::PostMessage(hMainWnd.load(), plat::WM_CLOSE, 0, 0);
}

void PresentHeldFrame(cStageScene& scene) {
  scene.TracePhaseLine();
  ModeManager.Present();
}

int RankPlace(const cStageScene& scene, int genre) {
  return genre >= 0 && genre < scene.m_RankPlaces.Count() ? scene.m_RankPlaces[static_cast<size_t>(genre)] : -1;
}

}  // namespace

bool HoldPlay(cThread& thread, cThread::Routine routine, cStageScene* scene, bool prime) {
  const uint32_t frame = FrameNumber();
  const bool started = prime ? thread.StartPrimed(routine, scene) : thread.Start(routine, scene);
  if (!started) {
    if (!prime) ReportLog("%s : the thread could not be started", thread.Name());
    return false;
  }
  thread.Wait();
  // The held frames were frames of their own; what the game thread still draws
  // after the hold is presented as the next one.
  if (FrameNumber() != frame) StartFrameNumber();
  return true;
}

unsigned PauseThreadProc(void* arg) {
  cStageScene* scene = static_cast<cStageScene*>(arg);
  if (!scene || scene->m_bQuit.load()) return 0;
  cPauseWait& wait = scene->m_PauseWait;
  // The loop reads a copy of the input, so that the play's own histories stay as
  // the game thread left them. A confirm already down when the hold begins (or
  // held over from the hold before it) must be let go before it counts.
  cVector<cInput> input = Input;
  cInput& p1 = input.At(0);
  bool confirmBefore = (p1.m_wButton & kConfirm) != 0 || scene->m_bButtonLatch != 0;
  p1.ClearHistory();
  p1.ClearSequences();
  p1.ClearDirection();
  p1.ClearButtons();
  PlayTraceEvent("hold", {{"kind", wait.m_nKind},
                          {"key", wait.m_bWaitKey},
                          {"frames", wait.m_nFrameCount},
                          {"delay", wait.m_nDelay}});

  int drawn = 0;
  bool closeAsked = false, quitSeen = false;
  uint32_t quitSince = 0;
  for (;;) {
    if (scene->m_bQuit.load()) {
      // The window was closed: wait for the quit message, and post one ourselves
      // when it does not come in time.
      plat::MSG msg;
      if (plat::PeekMessage(&msg, true) && msg.message == plat::WM_QUIT) break;
      if (!quitSeen) {
        quitSeen = true;
        quitSince = plat::TimeGetTime();
      } else if (static_cast<int32_t>(plat::TimeGetTime() - quitSince) >= kHeldQuitGraceMs) {
        plat::PostThreadMessage(plat::CurrentThreadId(), plat::WM_QUIT, 0, 0);
      }
      plat::Sleep(1);
      continue;
    }
    const eTurn turn = NextTurn(closeAsked);
    if (turn == eTurn::kQuit) break;
    if (turn == eTurn::kAgain) continue;

    BeginHeldFrame();
    ModeManager.ReadInput(input);
    p1.RecordHistory();
    const bool confirm = (p1.m_wButton & kConfirm) != 0;
    p1.LatchButtons(0);
    const bool pressed = confirm && !confirmBefore;
    confirmBefore = confirm;
    if (CheckReplaySaveKeys()) continue;

    if (wait.m_nDelay > 0) {
      --wait.m_nDelay;
    } else if (wait.m_bWaitKey) {
      if (pressed) {
        PlaySE(wait.m_nKind == cPauseWait::kMessage ? kSeMessageClosed : kSeConfirm);
        scene->m_bButtonLatch = 1;
        break;
      }
    } else if (--wait.m_nFrameCount < 0) {
      break;
    }
    scene->Draw(0, 1, 0, 1);
    PresentHeldFrame(*scene);
    ++drawn;
  }
  PlayTraceEvent("held", {{"drawn", drawn}});
  return 1;
}

unsigned RankingThreadProc(void* arg) {
  cStageScene* scene = static_cast<cStageScene*>(arg);
  if (!scene) return 1;
  const int category = ModeManager.m_nPlayCategory;
  SaveData.SelectRankGenre(category, 0);
  bool closeAsked = false;
  for (;;) {
    const eTurn turn = NextTurn(closeAsked);
    if (turn == eTurn::kQuit) return 1;
    if (turn == eTurn::kAgain) continue;

    BeginHeldFrame();
    ModeManager.ReadInput(Input);
    cInput& in = Input.At(0);
    in.LatchButtons(0);
    in.ApplyRepeat();
    if (in.m_wButton & kConfirm) {
      PlaySE(kSeConfirm);
      return 1;
    }
    if ((in.m_wButton & kGenreButton) && SystemData.CountRankGenres(category) >= 2) {
      PlaySE(kSeRankingGenre);
      SaveData.SelectRankGenre(category, 1);
    }
    scene->Draw(0, 1, 0, 1);
    Rankings.Draw(&BackBuffer, RankingRect.x, RankingRect.y, SaveData.nRankGenre,
                  RankPlace(*scene, SaveData.nRankGenre));
    PresentHeldFrame(*scene);
  }
}
