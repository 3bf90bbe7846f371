// How each mode's scene is made, and what the scenes need of the floors above
// them.
//
//   mode 0  cTitleScene          game modes
//   mode 1  cWorldMapScene       game modes
//   mode 2  cWorldMapMenuScene   game modes
//   mode 3  cChallengeScene      game modes
//   mode 4  cStageScene          stage play
//   mode 5  cOptionScene         game modes
#include "app/svc/mode_manager.h"
#include "modes/stage_file_start.h"
#include "modes/challenge_scene.h"
#include "modes/option_scene.h"
#include "modes/title_scene.h"
#include "modes/world_map_menu_scene.h"
#include "modes/world_map_scene.h"
#include "stage/stage_hooks.h"
#include "stage/stage_scene.h"

namespace {
SceneFactory gFactories[kModeCount] = {&MakeTitleScene,     &MakeWorldMapScene, &MakeWorldMapMenuScene,
                                       &MakeChallengeScene, &MakeStageScene,    &MakeOptionScene};

// Stage play starts a stage file again through the game modes.
struct cInstallHooks {
  cInstallHooks() { SetStageFileStarter(&StartStageFile); }
} gInstallHooks;
}  // namespace

SceneFactory GetSceneFactory(int mode) { return mode >= 0 && mode < kModeCount ? gFactories[mode] : nullptr; }

void SetSceneFactory(int mode, SceneFactory factory) {
  if (mode >= 0 && mode < kModeCount) gFactories[mode] = factory;
}
