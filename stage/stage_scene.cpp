#include "stage/stage_scene.h"

#include "app/svc/mode_manager.h"
#include "app/ui/name_dlg.h"
#include "data/project_globals.h"
#include "draw/dd_globals.h"
#include "draw/dd_surface.h"
#include "draw/play_surfaces.h"
#include "stage/sight_mask.h"
#include "stage/stand_ins.h"

STAGERECT PauseRect = {320, 272, 0, 0};
STAGERECT MissRect = {320, 272, 0, 0};
STAGERECT RankingRect = {184, 64, 0, 0};

namespace {

// The system surfaces of stage play: what Init loads at the first entry into a
// stage and what the scene releases when it ends.
constexpr int kStageSurfaceList[] = {2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18,
                                     19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35,
                                     36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 49, 50, 51, 55, 56,
                                     57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68, 69, 70};
static_assert(sizeof kStageSurfaceList / sizeof kStageSurfaceList[0] == 65);

// The name that the name-entry dialog edits while stage play asks for one.
std::string* StageRankName(cScene* stage) { return &static_cast<cStageScene*>(stage)->m_strRankName; }

template <int (cStageScene::*F)()>
int Call(cScene* scene) {
  return (static_cast<cStageScene*>(scene)->*F)();
}

}  // namespace

const int* StageSurfaceList(int& count) {
  count = static_cast<int>(sizeof kStageSurfaceList / sizeof kStageSurfaceList[0]);
  return kStageSurfaceList;
}

cStageScene::cStageScene() {
  m_PhaseTable = {&cScene::FadeInPhase,          &Call<&cStageScene::StartBanner>, &Call<&cStageScene::Play>,
                  &Call<&cStageScene::PauseMenu>, &Call<&cStageScene::StageClear>, &Call<&cStageScene::MissMenu>,
                  &Call<&cStageScene::GameOver>,  &cScene::FadeOutPhase};
  m_nPhase = -1;
  m_CharaGroups.resize(kForces);
  m_ShotGroups.resize(kForces);
  // The first set-up always starts the stage music.
  SaveData.nMusicNo = 0;
  SetRankingNameSource(&StageRankName);
}

cStageScene::~cStageScene() {
  int count = 0;
  const int* list = StageSurfaceList(count);
  for (int i = 0; i < count; ++i) DDReleaseSurface(&Off_Sys[list[i]]);
  DDReleaseSurfaceVector(Off_CharaExc);
  Off_CharaExc.clear();
  CharaExcInfo.clear();
  DDReleaseSurfaceVector(Off_Sword);
  Off_Sword.clear();
  SwordInfo.clear();
  DDReleaseSurfaceVector(Off_Effect);
  Off_Effect.clear();
  EffectInfo.clear();
  ClearPictures();
  ReleaseSightSurfaces();
}

int cStageScene::Run() {
  const int result = RunPhases();
  TracePhaseLine();
  return result;
}

cStageScene* StageScene() { return static_cast<cStageScene*>(CurrentStage.load()); }

cScene* MakeStageScene() { return new cStageScene; }
