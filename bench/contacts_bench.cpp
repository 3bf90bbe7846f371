// The contact pass of a busy stage: 500 characters and 5,000 shots in flight over
// four forces at processing level 15 (five logic steps a frame). One iteration is
// one frame's contacts: five passes, with the invincibility countdowns between
// them. Shots are harmless here (power 0: they only trigger) so the world stays
// the same from frame to frame; characters carry power so bodies do exchange hits.
// `grid:1` is the game's pass, `grid:0` the same pass walking every pair.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>

#include "app/sound/sound_requests.h"
#include "app/svc/mode_manager.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "chara/shot.h"
#include "chara/stage_chara.h"
#include "data/project_globals.h"
#include "stage/contact_grid.h"
#include "stage/stage_scene.h"

namespace {

plat::LRESULT Silent(plat::HWND, plat::UINT, plat::WPARAM, plat::LPARAM) { return 0; }

void Box(cObject& o, cHitBox& b, double x, double y, int w, int h) {
  b.dLeft = o.m_dX = x;
  b.dTop = o.m_dY = y;
  b.dRight = o.m_dRight = x + w - 1;
  b.dBottom = o.m_dBottom = y + h - 1;
}

void ContactPasses(benchmark::State& state) {
  SetContactBroadPhase(state.range(0) != 0);
  SetSoundRequestSender(&Silent);
  StageData.SetHitLevel(15);
  StageData.bContactActiveOnly = 0;
  auto scene = std::make_unique<cStageScene>();
  CurrentStage.store(scene.get());
  scene->m_CharaGroups.resize(cStageScene::kForces);
  scene->m_ShotGroups.resize(cStageScene::kForces);
  std::mt19937 rng(15);
  std::uniform_real_distribution<double> x(320, 3200), y(320, 1280);
  for (int i = 0; i < 500; ++i) {
    StageChara.emplace_back();
    cStageChara& c = StageChara.back();
    c.m_nKind = 1;
    c.m_nId = i + 2;
    c.m_nPass = i % 4;
    c.m_bActive = 1;
    c.m_Def.mhp = 999999;
    c.m_nHP = 999999;
    c.m_Def.power = 1;
    Box(c, c.m_BodyBox, x(rng), y(rng), 32, 32);
    c.m_ShotBox = c.m_BodyBox;
    scene->m_CharaGroups.At(c.m_nPass).push_back(&c);
  }
  for (int i = 0; i < 5000; ++i) {
    scene->m_Shots.emplace_back();
    cShot& s = scene->m_Shots.back();
    s.m_nPass = i % 4;
    Box(s, s.m_HitBox, x(rng), y(rng), 16, 16);
    scene->m_ShotGroups.At(s.m_nPass).push_back(&s);
  }
  const int steps = StageData.Timing().nSteps;
  for (auto _ : state) {
    for (int step = 1; step <= steps; ++step) {
      scene->m_nStepIndex = step;
      for (cStageChara& c : StageChara) c.UpdateInvincibility();
      benchmark::DoNotOptimize(scene->RunContacts(StageChara));
    }
  }
  state.counters["shots"] = static_cast<double>(scene->m_Shots.size());
  StageChara.clear();
  scene->m_Shots.clear();
  CurrentStage.store(nullptr);
  SetSoundRequestSender(nullptr);
  SetContactBroadPhase(true);
}
BENCHMARK(ContactPasses)->ArgName("grid")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
