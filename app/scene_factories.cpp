// How each mode's scene is made.
//
// PENDING: the six scene classes do not exist yet. Each is registered here when it
// is written (the stage-play scene with stage play, the other five with the game
// modes); until then its mode has no scene and a frame of that mode runs none.
//
//   mode 0  cTitleScene          game modes
//   mode 1  cWorldMapScene       game modes
//   mode 2  cWorldMapMenuScene   game modes
//   mode 3  cChallengeScene      game modes
//   mode 4  cStageScene          stage play
//   mode 5  cOptionScene         game modes
#include "app/svc/mode_manager.h"

namespace {
SceneFactory gFactories[kModeCount] = {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
}

SceneFactory GetSceneFactory(int mode) { return mode >= 0 && mode < kModeCount ? gFactories[mode] : nullptr; }

void SetSceneFactory(int mode, SceneFactory factory) {
  if (mode >= 0 && mode < kModeCount) gFactories[mode] = factory;
}
