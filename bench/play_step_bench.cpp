// The play step of a busy stage: 500 characters walking four bands of platforms
// (turning at each ledge) in four forces, bodies of different forces exchanging
// hits, and 5,000 shots of the four forces in flight, at processing level 15 (five
// logic steps a frame). One iteration is one frame's logic (no drawing), from a
// stage set up for real. `PlayStep/grid:1` is the game; `PlayStep/grid:0` the same
// step with every contact pair tested in list order, the naive reference.
// Iterations are fixed, so that both runs play the very same frames.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/sound/sound_requests.h"
#include "app/svc/mode_manager.h"
#include "chara/block_map.h"
#include "chara/command_param_table.h"
#include "chara/item.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "chara/shot.h"
#include "chara/stage_chara.h"
#include "data/move_def.h"
#include "data/project_globals.h"
#include "stage/contact_grid.h"
#include "stage/stage_scene.h"
#include "stage/stand_ins.h"
#include "tests/support/play_stage.h"

namespace {

constexpr int kColumns = 160, kRows = 48, kCharas = 500, kShots = 5000, kFrames = 300;
constexpr int kForces = 4, kMargin = 10;

plat::LRESULT Silent(plat::HWND, plat::UINT, plat::WPARAM, plat::LPARAM) { return 0; }

// Four bands of platforms 16 blocks long with gaps of 4, an enemy on every block of
// them (up to 500), the player alone on the floor below.
std::vector<std::string> BusyMap() {
  std::vector<std::string> rows(kRows, std::string(kColumns, '.'));
  int placed = 0;
  for (int band = 0; band < 4; ++band) {
    const int row = 11 + band * 11;
    for (int c = 0; c < kColumns; ++c) {
      if (c % 20 < 2 || c % 20 >= 18) continue;
      rows[static_cast<size_t>(row)][static_cast<size_t>(c)] = '#';
      if (placed < kCharas) {
        rows[static_cast<size_t>(row - 1)][static_cast<size_t>(c)] = 'E';
        ++placed;
      }
    }
  }
  rows[kRows - 1] = std::string(kColumns, '#');
  rows[kRows - 2][1] = 'P';
  return rows;
}

struct cBusyStage {
  std::unique_ptr<cStageScene> scene;

  cBusyStage() {
    SetSoundRequestSender(&Silent);
    Database.AnimeSetList.resize(1);
    scene = std::make_unique<cStageScene>();
    CurrentStage.store(scene.get());
    ModeManager.m_nPlayKind = 3;
    SystemData.bRecordReplay = 0;
    SystemData.bCompat525 = SystemData.bCompat744 = 0;
    BuildCommandParamTable();
    cPlayStage s(kColumns, kRows);
    s.Level(15);
    s.Map(BusyMap());
    // The play area reaches the margin of ten blocks around the map.
    s.Settings().nScrollOffsetX = (kColumns + 2 * kMargin) * 32 - 640;
    s.Settings().nScrollOffsetY = (kRows + 2 * kMargin) * 32 - 640;
    cEdStage st = s.Build();
    for (cEdQuadSet& r : st.Ranges) r.bLeft = r.bRight = r.bTop = r.bBottom = 0;
    st.bContactActiveOnly = 0;
    cEdCommand walk;
    walk.nType = 3;  // walk facing forward, 2 dots a frame
    walk.nTime = 10;
    NewEdMove(walk.pMove);
    walk.pMove->nSpeed = 20;
    walk.pMove->bMirrorAngle = 0;
    cEdFlow patrol;
    patrol.Commands.assign(1, walk);
    int n = 0;
    for (cEdChara& c : st.Charas) {
      if (c.strName != "enemy") continue;
      c.Flows.assign(1, patrol);
      c.nPassValue = static_cast<int8_t>(n++ % kForces);
      c.mhp = 999999;
      c.power = 1;
      // One group: those in view wake the rest, so that all of them play.
      c.bGroupLink = 1;
      c.nGroup = 0;
    }
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "korvane_play_step_bench.stg4_752";
    st.Save(path.string().c_str());
    StageData.Load(path.string().c_str());
    std::filesystem::remove(path);
    PlayStageData.CopySettings(StageData);
    SetStage(0, 1);
    std::mt19937 rng(15);
    std::uniform_real_distribution<double> x(32 * kMargin + 64, 32 * (kMargin + kColumns) - 96), band(0, 4), drift(-0.3, 0.3), sink(-0.02, 0.02);
    for (int i = 0; i < kShots; ++i) {
      scene->m_Shots.emplace_back();
      cShot& sh = scene->m_Shots.back();
      sh.m_nPass = i % kForces;
      sh.m_bActive = 1;
      sh.m_bFlying = 1;
      sh.m_Def.bPassBlocks = static_cast<int8_t>(i % 2);
      sh.m_nWidth = sh.m_nHeight = 16;
      sh.m_HitBox.nWidth = sh.m_HitBox.nHeight = 16;
      sh.m_dFlightX = drift(rng);
      sh.m_dFlightY = sink(rng);
      // In the air between the bands.
      sh.m_dX = x(rng);
      sh.m_dY = 32.0 * (kMargin + 2 + 11 * static_cast<int>(band(rng))) + 64 * std::uniform_real_distribution<double>(0, 1)(rng);
      sh.UpdateHitBoxX();
      sh.UpdateHitBoxY();
      sh.m_dRight = sh.m_dX + 15;
      sh.m_dBottom = sh.m_dY + 15;
      scene->m_ShotGroups.At(sh.m_nPass).push_back(&sh);
    }
  }
  ~cBusyStage() {
    StageChara.clear();
    ItemList.clear();
    Player.clear();
    scene->m_Shots.clear();
    ResetBlockMap(0);
    CurrentStage.store(nullptr);
    SetSoundRequestSender(nullptr);
  }
};

void PlayStep(benchmark::State& state) {
  SetContactBroadPhase(state.range(0) != 0);
  cBusyStage stage;
  cStageScene& scene = *stage.scene;
  int acting = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(scene.RunFrameSteps());
    if (acting == 0)
      for (const cStageChara& c : StageChara) acting += c.m_bActivated ? 1 : 0;
  }
  state.counters["charas"] = static_cast<double>(StageChara.size());
  state.counters["acting"] = acting;
  state.counters["shots"] = static_cast<double>(scene.m_Shots.size());
  state.counters["p1dead"] = Player.empty() ? -1 : Player.front().m_bDead;
  SetContactBroadPhase(true);
}
BENCHMARK(PlayStep)->ArgName("grid")->Arg(1)->Arg(0)->Iterations(kFrames)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
