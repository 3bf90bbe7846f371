// The play phase: one frame reads player 1's input (or the replay log), runs the
// stage clock and N logic steps, then draws. Inside a step the objects act in a
// fixed order; a rule that clears the stage or kills the player ends the frame
// without drawing.
#include <atomic>
#include <climits>

#include "app/base/report_log.h"
#include "app/base/play_trace.h"
#include "app/sound/sound_effects.h"
#include "app/svc/input.h"
#include "app/svc/mode_manager.h"
#include "app/base/shell_globals.h"
#include "chara/item.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "chara/stage_chara.h"
#include "data/project_globals.h"
#include "platform/messages.h"
#include "stage/play_step_watcher.h"
#include "stage/replay_keys.h"
#include "stage/stage_scene.h"
#include "stage/stand_ins.h"

namespace {

constexpr int kPlayKindReplay = 4;
constexpr int kSoundPlayerDies = 8;

std::atomic<PlayStepWatcher> gWatcher{nullptr};

cPlayer* LivePlayer() {
  if (Player.empty() || Player.front().m_bDead) return nullptr;
  return &Player.front();
}

}  // namespace

void SetPlayStepWatcher(PlayStepWatcher watcher) { gWatcher.store(watcher); }

void WatchPlayStep(const char* turn, int identity) {
  if (PlayStepWatcher w = gWatcher.load()) w(turn, identity);
}

int cStageScene::Play() {
  if (m_bQuit.load()) {
    // The game was closed while play was held: close it now.
    plat::PostMessage(hMainWnd.load(), plat::WM_CLOSE, 0, 0);
    return 0;
  }
  if (CheckPauseKey()) {
    m_nPhaseStep = 0;
    m_nPhase = kPauseMenu;
    return 0;
  }
  if (CheckReplaySaveKeys()) return 0;
  ++m_nFrameCount;
  SweepRemoved();

  cInput& in = Input.At(0);
  if (ModeManager.m_nPlayKind != kPlayKindReplay) {
    // Buttons held over from a menu stay unseen until every button is released.
    if (in.m_wButton == 0)
      m_bButtonLatch = 0;
    else if (m_bButtonLatch)
      in.m_wButton = 0;
    in.RecordHistory();
    in.UpdateSequences();
    if (SystemData.bRecordReplay) LogCur.Record(in.m_wDirection, in.m_wButton);
  } else {
    // The recorded words as they are: no latch.
    in.m_wDirection = in.m_wButton = 0;
    if (LogCur.Play(in.m_wDirection, in.m_wButton)) {
      // The log has ended: the replay starts over.
      SaveData.RestoreCheckpoint(1);
      SetStage(1, 1);
      m_nPhase = kStartBanner;
      return 0;
    }
    in.m_nPosition = DirToNumber(in.m_wDirection);
    in.RecordHistory();
    in.UpdateSequences();
  }

  CountPlayTime();
  if (CountDownTime(-1) && LivePlayer()) {
    KillPlayer(11);
    return 0;
  }

  if (RunFrameSteps()) return 0;
  Draw(1, 0, 1, 1);
  return 0;
}

int cStageScene::RunFrameSteps() {
  for (cPlayer& p : Player) {
    p.ResetFlowLatches();
    p.m_bScreenFixedX = p.m_bScreenFixedY = 0;
  }
  for (cStageChara& c : StageChara) {
    if (!c.m_bDead) c.ResetFlowLatches();
    c.m_bScreenFixedX = c.m_bScreenFixedY = 0;
  }
  const int steps = StageData.Timing().nSteps;
  for (int a = 0; a < steps; ++a) {
    if (RunLogicStep(a)) {
      SweepRemoved();
      m_nStepIndex = 0;
      return 1;
    }
  }
  m_nStepIndex = 0;
  return 0;
}

int cStageScene::RunLogicStep(int a) {
  m_nStepIndex = a + 1;
  ++m_nStepCount;
  UpdateActivity();

  if (LivePlayer()) {
    for (cStageChara& c : StageChara) {
      if (c.m_bDead || c.m_bRemoved || c.m_nLifetime == INT32_MAX) continue;
      if (--c.m_nLifetime < 0) c.m_bRemoved = 1;
    }
    for (auto it = ItemList.begin(); it != ItemList.end(); ++it)
      if (it->m_nLifetime != INT32_MAX && --it->m_nLifetime < 0) it->m_bRemoved = 1;
    SweepRemoved();
  }

  for (cStageChara& c : StageChara) {
    c.UpdateInvincibility();
    c.ClearContacts();
    c.SavePosition();
  }
  for (cPlayer& p : Player) {
    p.UpdateInvincibility();
    p.ClearContacts();
    p.SavePosition();
    p.RememberFacing();
    p.RememberGround();
  }
  m_ScrollX.Advance();
  m_ScrollY.Advance();

  if (LivePlayer() && StepBlockCharas()) return 1;
  SweepRemoved();
  if (LivePlayer() && StepPlayer()) return 1;
  if (LivePlayer() && StepOtherCharas()) return 1;
  SweepRemoved();
  StepShots();
  if (m_nStepIndex == 1 && LivePlayer()) RemoveOutOfRange();
  SweepRemoved();
  if (LivePlayer() && StepContactsAndItems()) return 1;
  SweepRemoved();
  return 0;
}

void cStageScene::KillPlayer(int code) {
  cPlayer* p = LivePlayer();
  // A player whose death a rule has already taken does not die twice.
  if (!p) return;
  if (code >= 1 && code <= 9) {
    char text[16];
    std::snprintf(text, sizeof text, "Dead %d", code);
    ECLog(text);
  } else if (code == 10) {
    ECLog("Dead SP");
  }
  PlayTraceEvent("dead", {{"id", p->m_nId}, {"code", code}});
  PlaySE(kSoundPlayerDies);
  if (p->Die() == 1) {
    EnterStageClear();
    m_nPhase = kStageClear;
  }
}

int cStageScene::HandleCharaDeath(cStageChara& chara) {
  const int r = KillChara(chara);
  PlayTraceEvent("dead", {{"id", chara.m_nId}, {"code", 0}});
  if (r == 1) {
    EnterStageClear();
    m_nPhase = kStageClear;
  } else if (r == 2) {
    if (cPlayer* p = LivePlayer()) {
      PlaySE(kSoundPlayerDies);
      if (p->Die() == 1) {
        EnterStageClear();
        m_nPhase = kStageClear;
      }
    }
  }
  return r;
}

void cStageScene::SweepRemoved() {
  for (auto it = StageChara.begin(); it != StageChara.end();)
    it = it->m_bRemoved || it->m_bDeathEnded ? EraseStageChara(it) : std::next(it);
  for (auto it = ItemList.begin(); it != ItemList.end();) {
    if (!it->m_bRemoved) {
      ++it;
      continue;
    }
    for (cPlayer& p : Player) p.ForgetItemTouch(&*it);
    it = ItemList.erase(it);
  }
}
