#pragma once
// The demo's stages, each drawn as a text map and written as a stage file.
#include <string>
#include <vector>

#include "data/stage.h"

namespace demo {

// A stage map: one string a row from the top, 15 rows. '#' floor, 'B' brick,
// 'P' the player, 'W' walker, 'F' flyer, 'S' shooter, 'X' boss, 'L' moving
// platform, 'I' signpost, 'G' goal gate, 'c' coin, 'h' heart; '.' nothing.
struct cStagePlan {
  const char* file;    // game path without the version
  const char* name;    // UTF-8
  int music;           // database music
  int timeLimit;       // seconds; 0 none
  std::vector<std::string> rows;
};

// The stages in play order: story stages 1, 2 (two parts) and 3, then the
// challenge stage.
const std::vector<cStagePlan>& DemoStages();
// The stage record of a map.
cEdStage BuildStage(const cStagePlan& plan);

}  // namespace demo
