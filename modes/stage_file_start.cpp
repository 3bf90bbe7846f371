#include "modes/stage_file_start.h"

#include "app/base/shell_globals.h"
#include "app/svc/mode_manager.h"
#include "chara/item.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "chara/stage_chara.h"
#include "data/project_globals.h"
#include "app/svc/window_requests.h"
#include "data/stage_loader.h"
#include "stage/replay_keys.h"

namespace {
constexpr int kUnlimitedLives = 999999;
}  // namespace

namespace {
int StartFromFile(const std::string& path, int newest, int closeOnRefusal) {
  SaveData.Reset();
  // Nothing of the stage played before outlives the new load.
  StageChara.clear();
  ItemList.clear();
  Player.clear();
  if (!LoadStageForPlay(path, newest, &PlayStageData, closeOnRefusal)) return 0;
  SaveData.nStageNo = 1;
  SaveData.nPart = 1;
  if (bStartupStage || SystemData.InfiniteLives.At(cEdSystem::kStageFile)) {
    SaveData.nLivesAtStart = SaveData.nLives = kUnlimitedLives;
  } else {
    SaveData.nLivesAtStart = SystemData.StartLives.At(cEdSystem::kStageFile);
    SaveData.nLives = SaveData.nLivesAtStart - 1;
  }
  // The loader keeps the path of the file it found, relative to the project.
  SaveData.SetFileName(StageData.strFilePath);
  return 1;
}
}  // namespace

int StartStageFile(const std::string& path, int newest) { return StartFromFile(path, newest, 1); }

int StartChosenStageFile(const std::string& path) { return StartFromFile(path, 0, 0); }

bool StartStartupStage(const std::string& path) {
  bStartupStage = 1;
  if (!StartStageFile(path, 1)) return false;
  ModeManager.m_nMode = MODE_STAGE;
  ModeManager.m_nPrevMode = MODE_TITLE;
  ModeManager.m_nPlayKind = 3;      // stage file
  ModeManager.m_nPlayCategory = 2;  // stage file
  ModeManager.m_bRanking = 1;
  // A stage-file play that ends loads the same file again.
  SaveData.bParted = 0;
  return true;
}

int RequestStageFileLoad() { return SendFileRequest(WM_LOAD_STAGE, 0); }
