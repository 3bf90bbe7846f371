// Feeds arbitrary lines to the run-code reader and evaluator, run by a character
// with a target and player 1 on a live stage. Nothing may crash, and whatever the
// line does, every value it can assign stays inside its range.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/svc/mode_manager.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "chara/run_code.h"
#include "chara/stage_chara.h"
#include "data/project_globals.h"
#include "stage/stage_scene.h"

namespace {

struct cWorld {
  std::unique_ptr<cStageScene> scene = std::make_unique<cStageScene>();
  cStageChara* self = nullptr;
  cStageChara* other = nullptr;
  cWorld() {
    setenv("KORVANE_HEADLESS", "1", 1);
    StageData.SetHitLevel(1);
    CurrentStage.store(scene.get());
    Player.emplace_back();
    Player.back().m_nKind = 0;
    StageChara.emplace_back();
    self = &StageChara.back();
    StageChara.emplace_back();
    other = &StageChara.back();
  }
  void Reset(bool target) {
    SaveData.CommonVars.assign(cSaveData::kCommonVars, 0);
    SaveData.nLives = 3;
    SaveData.nStageScore = 0;
    scene->m_StageVars.assign(cStageScene::kStageVars, 0);
    scene->m_nTimeLeft = 100;
    cEdChara d;
    d.mhp = 100;
    d.msp = 50;
    for (cChara* c : {static_cast<cChara*>(&Player.back()), static_cast<cChara*>(self), static_cast<cChara*>(other)}) {
      c->m_Def = d;
      c->m_nHP = 100;
      c->m_nSP = 50;
      c->m_Vars.assign(cChara::kVariables, 0);
    }
    self->SetTarget(target ? other : nullptr);
  }
};

void Check(bool ok) {
  if (!ok) std::abort();
}

void CheckChara(const cChara& c) {
  const cEdChara& d = c.m_Def;
  for (int v : c.m_Vars) Check(v >= -999999 && v <= 999999);
  // HP and SP hold to the maximum read when their word was tokenised, which a
  // second assignment in the same statement may have lowered since.
  Check(d.mhp >= 1 && d.mhp <= 999999 && c.m_nHP >= 0 && c.m_nHP <= 999999);
  Check(d.msp >= 1 && d.msp <= 999999 && c.m_nSP >= 0 && c.m_nSP <= 999999);
  Check(d.cid >= 0 && d.cid <= 99 && d.z >= 0 && d.z <= 7 && d.mark >= 0 && d.mark <= 119);
  Check(d.imp >= -20 && d.imp <= 20 && d.impd >= 0 && d.impd <= 20 && d.stop >= 0 && d.stop <= 200);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static cWorld world;
  if (size == 0) return 0;
  // The first byte chooses the evaluation setting and whether there is a target.
  SystemData.bCompat752 = data[0] & 1;
  world.Reset((data[0] & 2) != 0);
  const std::string line(reinterpret_cast<const char*>(data + 1), size - 1);
  const int r = RunCode(line, *world.self);
  Check(r == 0 || r == 1);
  CheckChara(*world.self);
  CheckChara(*world.other);
  CheckChara(Player.back());
  for (int v : SaveData.CommonVars) Check(v >= -999999 && v <= 999999);
  for (int v : world.scene->m_StageVars) Check(v >= -999999 && v <= 999999);
  Check(SaveData.nStageScore >= 0 && SaveData.nStageScore <= 999999);
  Check(SaveData.nLives >= 0 && SaveData.nLives <= 99);
  return 0;
}
