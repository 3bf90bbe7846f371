// Stand-ins for operations that later work builds, each under its final name and
// doing the least its callers need. Each line says what replaces it.
#include "stage/stand_ins.h"

#include "app/svc/mode_manager.h"
#include "app/base/shell_globals.h"
#include "chara/chara.h"
#include "chara/item.h"
#include "chara/player.h"
#include "chara/shot.h"
#include "chara/stage_chara.h"
#include "data/project_globals.h"
#include "draw/dd_blit.h"
#include "draw/dd_globals.h"
#include "stage/scroll_setup.h"
#include "stage/stage_scene.h"

// Replaced by the stage set-up: the music, the processing level, the two axes
// centred on the player's placement, the frame rate and the per-stage counters.
void SetStage(int restart, int music) {
  cStageScene* scene = StageScene();
  if (restart) StageData.CopySettings(PlayStageData);
  if (scene) scene->m_nFrameCount = 0;
  const int m = StageData.nMusic;
  if (music == 1) {
    if (!(StageData.bKeepMusic && m == SaveData.nMusicNo && m != 0) && scene)
      scene->PlayStageBgm(m, StageData.bMusicLoop);
  } else if (m != SaveData.nMusicNo && scene) {
    scene->PlayStageBgm(m, StageData.bMusicLoop);
  }
  ModeManager.m_nMenuBgm = 0;
  StageData.SetHitLevel(StageData.nHitLevel);
  if (!scene) return;
  scene->m_nNextCharaId = scene->m_nNextItemId = scene->m_nShotSerial = 0;
  SetUpScrollAxes(StageData, StageData.dSteps, scene->m_ScrollX, scene->m_ScrollY);
  // The view centred on the player's placement (a 32x32 body in its cell).
  const int p = StageData.FindPlayer();
  if (p >= 0) {
    const cEdChara& c = StageData.Charas.At(p);
    CentreView(scene->m_ScrollX, scene->m_ScrollY, (c.nCol + 10) * 32.0, (c.nRow + 10) * 32.0, 32, 32);
  } else {
    scene->m_ScrollX.Clamp();
    scene->m_ScrollY.Clamp();
  }
  scene->m_StageVars.assign(cStageScene::kStageVars, 0);
  const int n = StageData.nSteps < 1 ? 1 : StageData.nSteps;
  scene->m_ShotHitSchedule.assign(n, 1);
  scene->m_nResultRequest = 0;
  scene->m_nBannerCount = scene->m_nBannerCount2 = 0;
  scene->m_bNoTimeLimit = StageData.bTimeLimit ? 0 : 1;
  scene->m_nTimeLeft = StageData.bTimeLimit ? StageData.nTimeLimit : 999;
  scene->m_nPlayFrames = scene->m_nPlayTime = 0;
  scene->m_nNextPart = scene->m_nStepIndex = scene->m_nStepCount = 0;
  SaveData.nStageScore = 0;
  if (ModeManager.m_nPlayKind == 4 || (bTestPlay && bStartupStage)) SaveData.ClearStageCounters();
  SaveData.SaveCheckpoint();
  ModeManager.m_nFrameRate = StageData.nFrameRate;
  scene->m_bStatusBar = StageData.bStatusShown;
}

// Replaced by the flow runtime: the flows of a trigger run nothing yet.
void cChara::RunTriggeredFlows(int) {}
// Replaced by the character effects: the effect number is kept, nothing runs.
void cChara::StartCharaEffect(int number, int, int) { m_nCharaEffect = static_cast<int16_t>(number); }
// Replaced by the stage's effect and sword sheets.
void LoadSwordImages() {}
void LoadEffectImages() {}
// Replaced by the character effects: every effect draws as the plain drawer and
// never ends.
int cChara::DrawCharaEffect(DDSURFACEDATA* target, GRAPHICSOURCE& source, int held, int draw) {
  return DrawCharaNormal(*this, target, source, held, draw);
}
// Replaced by the player's markers.
void cPlayer::DrawMarkers(DDSURFACEDATA*) {}
// Replaced by the stage characters: the carried item's icon.
void cStageChara::DrawCarriedItemIcon(DDSURFACEDATA*) {}
// Replaced by the item objects.
void cItem::Draw(DDSURFACEDATA*, int) {}
// Replaced by the shots in play.
void cShot::Draw(DDSURFACEDATA*, int) {}
// Replaced by the message windows: a message stays until play removes it.
int cMessage::Draw(DDSURFACEDATA*, int) { return 0; }
// Replaced by the effects: an effect stays until play removes it.
int cEffect::Draw(DDSURFACEDATA*, int) { return 0; }
// Replaced by the pictures.
void cStageScene::DrawPictures(DDSURFACEDATA*, int, int) {}
// Replaced by the screen effects.
void cStageScene::DrawScrEffect(int) {}
// Replaced by the status bar and the time display.
void cStageScene::DrawStatusBar(DDSURFACEDATA*) {}
void cStageScene::DrawTime(DDSURFACEDATA*, int) {}
// Replaced by the flow conditions: the distance areas.
void DrawDistanceAreas(DDSURFACEDATA*) {}

// Replaced by the message windows: the message keeps nothing yet.
void cMessage::Set(int, const char*, int, int, int, int, int, int, int, int, int, int, int, int, int, int, int, int,
                   int, int, int, int, int, int) {}
// Replaced by the held-play loops: the hold ends at once, nothing drawn.
unsigned PauseThreadProc(void* scene) { return static_cast<cStageScene*>(scene)->m_bQuit.load() ? 0 : 1; }
unsigned RankingThreadProc(void*) { return 1; }
