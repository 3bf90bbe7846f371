#include "tools/make_demo/demo_world.h"

#include <cstdio>

#include "app/base/shell_globals.h"
#include "data/data_folders.h"
#include "data/project_globals.h"
#include "platform/files.h"
#include "platform/sjis.h"
#include "tools/make_demo/demo_stages.h"

namespace demo {
namespace {

// One stage of the story on the map's middle row.
cEdWorldEvent StoryEvent(int col, int row, const char* name, const char* file, int stageNo) {
  cEdWorldEvent event;
  event.nCol = col;
  event.nRow = row;
  event.strName = plat::Utf8ToSjis(name);
  cEdWorldStage& entry = event.Stages[0];
  entry.strName = event.strName;
  entry.strFile = file;
  entry.nStageNo = stageNo;
  entry.bNoAutoStart = 1;  // waits for button 1 and a question
  entry.bReplayable = 1;
  // Each stage shows once the one before it is cleared.
  entry.nNeedFlag = stageNo - 1;
  entry.nSymbolRow = stageNo - 1;
  return event;
}

cEdWorldMap World() {
  cEdWorldMap map;
  map.strName = plat::Utf8ToSjis("デモワールド");
  // Passable ground (chip 5) framed by impassable rock (chip 0), and one rock just
  // above the start, against which a step only turns the figure.
  for (int y = 0; y < map.nHeight; ++y)
    for (int x = 0; x < map.nWidth; ++x)
      map.Cells[static_cast<size_t>(x + (y << map.nPitchShift))] =
          x == 0 || y == 0 || x == map.nWidth - 1 || y == map.nHeight - 1 ? 0 : 5;
  map.Cells[static_cast<size_t>(map.nStartX + ((map.nStartY - 1) << map.nPitchShift))] = 0;
  // The story's stages two cells apart to the right of the start cell.
  const int x = map.nStartX, y = map.nStartY;
  map.Events.push_back(StoryEvent(x, y, "はじまりの草原", "data\\stg4\\w01-1.stg4", 1));
  map.Events.push_back(StoryEvent(x + 2, y, "森の道", "data\\stg4\\w02-1.stg4", 2));
  map.Events.push_back(StoryEvent(x + 4, y, "ボスの城", "data\\stg4\\w03-1.stg4", 3));
  return map;
}

bool Save(cRecord& record, const std::string& path) {
  if (record.Save(path.c_str())) return true;
  std::fprintf(stderr, "korvane-mkdemo: cannot write %s\n", plat::SjisToUtf8(path).c_str());
  return false;
}

// A stage as the game and the editor keep it: the groups a definition inherits
// from a palette are stored as they were copied at reading. Written, read (which
// copies them) and written again, the file is what any later rewrite gives, byte
// for byte.
bool SaveStage(cEdStage& stage, const std::string& path) {
  if (!Save(stage, path)) return false;
  cEdStage again;
  if (!again.Load(path.c_str())) {
    std::fprintf(stderr, "korvane-mkdemo: cannot read back %s\n", plat::SjisToUtf8(path).c_str());
    return false;
  }
  return Save(again, path);
}

}  // namespace

bool WriteWorldAndStages() {
  // The stage's definitions are checked against the project, as the game reads them.
  if (!Database.Load() || !CommonPalette.Load(PathTable[kPathCommonPalette])) {
    std::fprintf(stderr, "korvane-mkdemo: the database and the common palette must be written first\n");
    return false;
  }
  if (!plat::MakeDirectory("data\\stg4")) {
    std::fprintf(stderr, "korvane-mkdemo: cannot make data/stg4\n");
    return false;
  }
  cEdWorldMap world = World();
  if (!Save(world, PathTable[kPathWorldMap])) return false;
  const std::string version = std::string("_") + kProgramVersion;
  for (const cStagePlan& plan : DemoStages()) {
    cEdStage stage = BuildStage(plan);
    if (!SaveStage(stage, std::string(plan.file) + version)) return false;
  }
  return true;
}

}  // namespace demo
