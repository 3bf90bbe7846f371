// The menus of stage play: the pause menu (Space), the miss menu (a lost life in
// the story) and the game-over screen.
#include "app/base/play_trace.h"
#include "app/svc/input.h"
#include "app/svc/menu_cursor.h"
#include "app/svc/mode_manager.h"
#include "app/base/shell_globals.h"
#include "app/sound/sound_effects.h"
#include "data/project_globals.h"
#include "draw/dd_blit.h"
#include "draw/dd_globals.h"
#include "platform/messages.h"
#include "stage/replay_keys.h"
#include "stage/stage_scene.h"
#include "stage/stand_ins.h"

namespace {

constexpr int kPauseText = 19;  // quit, resume, retry
constexpr int kMissText = 22;   // retry, give up
enum { kConfirm = 1, kCancel = 2 };
enum { kNothing = -1, kCancelled = -2 };

// Whether the pause menu offers a retry: always for a stage file; in the story and
// the challenge when the game allows it for a stage cleared before.
int PauseItems() {
  switch (ModeManager.m_nPlayCategory) {
    case cEdSystem::kStageFile: return 3;
    case cEdSystem::kStory:
      return SystemData.bStoryRetry && SaveData.Flags.At(SaveData.nStageNo) ? 3 : 2;
    case cEdSystem::kChallenge:
      return SystemData.bChallengeRetry && SaveData.ChallengeRecords.At(SaveData.nStageNo - 1).nFirst ? 3 : 2;
    default: return 2;
  }
}

}  // namespace

int cStageScene::RunMenu(int items, int firstText, int startRow, STAGERECT& rect) {
  if (m_nPhaseStep == 0) {
    MenuCursor.Cur().nRow = startRow;
    m_nPhaseStep = 1;
  }
  cInput& in = Input.At(0);
  in.LatchButtons(0);
  in.ApplyRepeat();
  rect.x = SystemData.TextBlockLeft(320, firstText, items, 1);
  MenuCursor.MoveGrid(in.m_wDirection, rect.x, rect.y, 0, 16, 1, items);
  if (in.m_wDirection & 12) {
    PlayTraceEvent("se", {{"n", 0}});
    DS_PlayCursorSE(in.m_wDirection, 2, 0);
  }
  if (in.m_wButton & kConfirm) return MenuCursor.Cur().nRow;
  if (in.m_wButton & kCancel) return kCancelled;
  Draw(0, 1, 0, 1);
  SystemData.DrawTextBlock(rect.x, rect.y, firstText, items, 1);
  DDBltFast(&BackBuffer, MenuCursor.Cur().nX, MenuCursor.Cur().nY, 16, 16, &Off_Sys[49], 64, 0, 1);
  return kNothing;
}

int cStageScene::PauseMenu() {
  if (CheckReplaySaveKeys()) return 0;
  const int items = PauseItems();
  const int row = RunMenu(items, kPauseText, 1, PauseRect);
  if (row == 0) {
    // Quit: a start-up stage ends the program, any other play goes to the title.
    PlaySE(1);
    m_nPhase = kFadeOut;
    if (bStartupStage && items == 3) {
      plat::PostMessage(hMainWnd.load(), plat::WM_CLOSE, 0, 0);
      return 0;
    }
    ModeManager.m_nNextMode = MODE_TITLE;
    MenuCursor.Cur().nRow = ModeManager.m_nPlayKind;
    m_nPhaseStep = 0;
  } else if (row == 1) {
    PlaySE(1);
    m_bButtonLatch = 1;
    m_nPhase = m_nSavedPhase;
    m_nPhaseStep = m_nSavedPhaseStep;
  } else if (row == 2) {
    PlaySE(1);
    m_bButtonLatch = 1;
    SaveData.RestoreCheckpoint(1);
    SetStage(1, 0);
    m_nPhaseStep = 0;
    m_nPhase = kStartBanner;
  } else if (row == kCancelled) {
    PlaySE(2);
    m_bButtonLatch = 1;
    m_nPhase = m_nSavedPhase;
    m_nPhaseStep = items == 3 ? m_nSavedPhaseStep : 0;
  }
  return 0;
}

int cStageScene::MissMenu() {
  if (CheckReplaySaveKeys()) return 0;
  const int row = RunMenu(2, kMissText, 0, MissRect);
  if (row == 0) {
    PlaySE(1);
    SetStage(1, 0);
    m_nPhaseStep = 0;
    m_nPhase = kStartBanner;
  } else if (row == 1) {
    PlaySE(1);
    SaveData.bMapStepBack = 1;
    ModeManager.m_nNextMode = MODE_WORLDMAP;
    MenuCursor.Cur().nRow = ModeManager.m_nPlayKind;
    m_nPhaseStep = 0;
    m_nPhase = kFadeOut;
  } else if (row == kCancelled) {
    // No cancel here: the menu stays and is drawn.
    Draw(0, 1, 0, 1);
    SystemData.DrawTextBlock(MissRect.x, MissRect.y, kMissText, 2, 1);
    DDBltFast(&BackBuffer, MenuCursor.Cur().nX, MenuCursor.Cur().nY, 16, 16, &Off_Sys[49], 64, 0, 1);
  }
  return 0;
}

int cStageScene::GameOver() {
  if (CheckPauseKey()) {
    m_nPhaseStep = 0;
    m_nPhase = kPauseMenu;
    return 0;
  }
  if (CheckReplaySaveKeys()) return 0;
  cInput& in = Input.At(0);
  in.LatchButtons(0);
  if (in.m_wButton & kConfirm) {
    PlaySE(1);
    ModeManager.m_nNextMode = MODE_TITLE;
    m_nPhase = kFadeOut;
    return 0;
  }
  Draw(0, 1, 0, 0);
  if (StageData.bGameOverBanner) DDBltFast(&BackBuffer, 248, 224, 144, 32, &Off_Sys[51], 0, 96, 1);
  return 0;
}
