// The pause key and the stage music request.
#include "app/sound/sound_effects.h"
#include "app/sound/sound_requests.h"
#include "app/svc/window_requests.h"
#include "data/project_globals.h"
#include "platform/key_state.h"
#include "stage/stage_scene.h"

int cStageScene::CheckPauseKey() {
  if (!plat::IsKeyDown(plat::VK_SPACE)) return 0;
  PlaySE(4);
  m_nSavedPhase = m_nPhase;
  m_nSavedPhaseStep = m_nPhaseStep;
  return 1;
}

int cStageScene::PlayStageBgm(int number, int loop) {
  SaveData.bMusicLoop = loop;
  return static_cast<int>(SendSoundRequest(WM_PLAY_BGM, 4, number));
}
