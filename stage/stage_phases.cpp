// The phases of the stage-play scene that are not menus: the fades, the start
// banner, play, and what follows the end of the player's death effect.
#include "app/svc/input.h"
#include "app/svc/mode_manager.h"
#include "app/base/report_log.h"
#include "app/base/shell_globals.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "data/project_globals.h"
#include "draw/dd_blit.h"
#include "draw/dd_fade.h"
#include "draw/dd_frame.h"
#include "draw/dd_globals.h"
#include "platform/messages.h"
#include "stage/replay_keys.h"
#include "stage/stage_hooks.h"
#include "stage/stage_scene.h"
#include "stage/stand_ins.h"

namespace {

constexpr int kBannerFrames = 80;
DDSURFACEDATA* WordImage() { return &Off_Sys[51]; }

}  // namespace

int cStageScene::FadeIn() {
  Draw(0, 1, 0, 1);
  if (DDFadeIn(ScreenPalette, 0, 255, 0, 0, 0, ModeManager.m_nFadeStep, GamePalette, 0)) m_nPhase = kStartBanner;
  return 0;
}

int cStageScene::StartBanner() {
  Draw(0, 1, 0, 1);
  const bool skip = bTestPlay && bStartupStage;
  if (!skip) {
    if (ModeManager.m_nPlayKind == 4 && ++m_nBannerCount < kBannerFrames) {
      DDBltFast(&BackBuffer, 256, 224, 128, 32, WordImage(), 0, 32, 1);
      return 0;
    }
    if (StageData.bStartBanner1 && ++m_nBannerCount < kBannerFrames) {
      DDBltFast(&BackBuffer, 256, 224, 128, 32, WordImage(), 0, 0, 1);
      DDDrawNumber(&BackBuffer, 384, 224, 32, 32, WordImage(), 0, 128, 1, SaveData.nPart, 1, 0);
      return 0;
    }
    if (StageData.bStartBanner2 && ++m_nBannerCount2 < kBannerFrames) {
      DDBltFast(&BackBuffer, 280, 224, 80, 32, WordImage(), 160, 0, 1);
      return 0;
    }
  }
  // The stage-start flows may have changed the player's animation: play begins
  // from its base animation, flying or not.
  if (!Player.empty()) {
    cPlayer& p = Player.front();
    p.m_Anime.Set(p.m_bFlying ? 2 : 0, 1);
  }
  m_nBannerCount = 0;
  m_nPhase = kPlay;
  return 0;
}

int cStageScene::FadeOut() {
  Draw(0, 1, 0, 1);
  if (!DDFadeOut(ScreenPalette, 0, 255, 0, 0, 0, ModeManager.m_nFadeStep, GamePalette, 0)) return 0;
  DDFillSurfacePal(&BackBuffer, 16);
  if (ModeManager.m_nPlayKind == 3 && !SaveData.bParted) {
    // A stage file played again from the start.
    const std::string path = StageData.strFilePath;
    if (!StartStageFileAgain(path)) RequestClose();
  }
  ModeManager.m_nFrameRate = 60;
  ModeManager.m_nMode = ModeManager.m_nNextMode;
  ModeManager.m_nPrevMode = MODE_STAGE;
  m_nPhase = -1;
  return 0;
}

void cStageScene::OnPlayerDeathEnd() {
  if (ModeManager.m_nPlayKind == 4) {
    SaveData.RestoreCheckpoint(1);
    SetStage(1, 1);
    m_nPhase = kStartBanner;
    return;
  }
  if (!UseLife(SaveData)) {
    m_nPhase = kGameOver;
    return;
  }
  if (StageData.bTakeCarry) SaveData.ClearCarryFlags();
  SaveData.RestoreCheckpoint(0);
  if (ModeManager.m_nPlayCategory == cEdSystem::kStory && SystemData.bStoryMissMenu) {
    m_nPhaseStep = 0;
    m_nPhase = kMissMenu;
    return;
  }
  SetStage(1, 0);
  m_nPhase = kStartBanner;
}
