// The logic of a bullet-heavy stage at processing level 15 (five logic steps a
// frame): one enemy on a pillar fires an explosion of 127 shots with 20 clones
// (2,667 shots, the clones faster ring by ring) every half second or so, while 50
// enemies of another force stand on the ground and two platforms under the rings
// and the player stands aside. The shots are harmless (power 0) and live three
// seconds, so the stage settles into some 12,000 shots in flight. One iteration
// is one frame's logic: the flow latches reset and the five logic steps, as the
// play phase runs them (cStageScene::RunFrameSteps), without drawing.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/sound/sound_requests.h"
#include "app/svc/mode_manager.h"
#include "chara/block_map.h"
#include "chara/command_param_table.h"
#include "chara/item.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "chara/stage_chara.h"
#include "data/command.h"
#include "data/database.h"
#include "data/flow.h"
#include "data/project_globals.h"
#include "data/shot_def.h"
#include "stage/stage_scene.h"
#include "stage/stand_ins.h"
#include "tests/support/play_stage.h"

namespace {

namespace fs = std::filesystem;

plat::LRESULT Silent(plat::HWND, plat::UINT, plat::WPARAM, plat::LPARAM) { return 0; }

cEdCommand Command(int type, int tenths) {
  cEdCommand c;
  c.nType = static_cast<uint8_t>(type);
  c.nTime = static_cast<int16_t>(tenths);
  return c;
}

// 30 x 15 cells (the view's height), all within the view around the player at
// column 1: the firer on a pillar at column 18, the 50 enemies (force 1) on the
// ground and on two platforms under it.
cEdStage BulletStage() {
  std::vector<std::string> map(15, "");
  map[1] = std::string(18, '.') + "E";
  map[2] = std::string(18, '.') + "#";
  map[5] = std::string(16, 'E');
  map[6] = std::string(20, '#');
  map[9] = std::string(17, 'E');
  map[10] = std::string(20, '#');
  map[13] = ".P." + std::string(17, 'E');
  map[14] = std::string(30, '#');
  cPlayStage field(30, 15);
  field.Level(15).Map(map);
  field.Settings().nScrollOffsetX = 50 * 32 - 640;
  field.Settings().nScrollOffsetY = 35 * 32 - 480;
  cEdStage s = field.Build();
  for (cEdChara& c : s.Charas) {
    if (c.nCol != 18 || c.nRow != 1) continue;
    c.nLinkKind = 0;
    cEdCommand shot = Command(11, 0);
    NewEdShot(shot.pShot);
    cEdShot& d = *shot.pShot;
    d.nFormation = 4;  // explosion: a ring around the firer
    d.nShotDirection = 2;
    d.nCount = 127;
    d.nClonesPerShot = 20;
    d.nSpeed = 10;
    d.nSpeedClone = 3;
    d.nAngleOffsetClone = 1;
    d.bUserFaction = 0;
    d.nFaction = 2;
    d.bLifetime = 1;
    d.nLifetime = 30;
    d.bPassBlocks = 1;
    d.nGraphic = 1;
    cEdFlow flow;
    flow.Commands.push_back(shot);
    flow.Commands.push_back(Command(1, 5));
    c.Flows.assign(1, flow);
  }
  return s;
}

void BulletStageFrame(benchmark::State& state) {
  SetSoundRequestSender(&Silent);
  BuildCommandParamTable();
  Database.AnimeSetList.resize(1);
  SystemData.SetDefault();
  SystemData.bRecordReplay = 0;
  SystemData.bCompat525 = SystemData.bCompat744 = SystemData.bCompat669 = 0;
  ModeManager.m_nPlayKind = 3;
  auto scene = std::make_unique<cStageScene>();
  CurrentStage.store(scene.get());
  const fs::path file = fs::temp_directory_path() / "korvane-bullet-stage.stg4_752";
  cEdStage stage = BulletStage();
  bool ok = stage.Save(file.string().c_str()) && StageData.Load(file.string().c_str());
  std::error_code ec;
  fs::remove(file, ec);
  if (ok) {
    PlayStageData.CopySettings(StageData);
    SetStage(0, 1);
    ok = !Player.empty();
  }
  // Three seconds of play first: the rings of several firings are in flight.
  for (int f = 0; f < 180 && ok; ++f) ok = scene->RunFrameSteps() == 0;
  if (!ok) {
    state.SkipWithError("the stage could not be set up or ended early");
  } else {
    size_t most = 0, total = 0;
    for (auto _ : state) {
      if (scene->RunFrameSteps()) {
        state.SkipWithError("the stage ended");
        break;
      }
      most = std::max(most, scene->m_Shots.size());
      total += scene->m_Shots.size();
    }
    state.counters["shots"] = state.iterations() ? static_cast<double>(total) / state.iterations() : 0;
    state.counters["most shots"] = static_cast<double>(most);
    state.counters["steps/frame"] = StageData.Timing().nSteps;
  }
  scene->m_Shots.clear();
  StageChara.clear();
  Player.clear();
  ItemList.clear();
  ResetBlockMap(0);
  CurrentStage.store(nullptr);
  SetSoundRequestSender(nullptr);
}
BENCHMARK(BulletStageFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
