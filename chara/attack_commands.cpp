// The commands that make things: a shot pattern, a sword stroke, blocks,
// characters or items placed in a pattern; and the operation on the character's
// own flows.
#include <atomic>

#include "app/base/report_log.h"
#include "app/sound/sound_effects.h"
#include "chara/chara.h"
#include "chara/command_handlers.h"
#include "chara/firing.h"
#include "chara/flow_run.h"
#include "chara/shot.h"
#include "data/command.h"
#include "data/flow.h"
#include "data/project_globals.h"
#include "data/shot_def.h"
#include "stage/stage_scene.h"

namespace {

std::atomic<int> tReportedSword{0};

// Types 11 to 15 act at their first step and again every tenth of a second
// (6 x N steps) while they last.
bool ActsThisStep(cCommandRun& run) {
  const bool act = run.nStepCount == 0;
  const int period = StageData.nSteps6 > 0 ? StageData.nSteps6 : 6;
  if (++run.nStepCount >= period) run.nStepCount = 0;
  return act;
}

// The command's definition, when this step it acts; the command's sound plays.
cEdShot* Acting(cChara& chara, cCommandRun& run) {
  if (!run.pCommand || !ActsThisStep(run)) return nullptr;
  const cEdCommand& c = *run.pCommand;
  if (!c.bSoundInView || chara.IsInView()) PlayProjectSE(c.nSound);
  return c.pShot.get();
}

}  // namespace

void CmdShot(cChara& chara, cCommandRun& run) {
  cEdShot* def = Acting(chara, run);
  cStageScene* scene = StageScene();
  if (def && scene) FireShots(&scene->m_Shots, chara, &run, *def);
}

void CmdSword(cChara& chara, cCommandRun& run) {
  cEdShot* def = Acting(chara, run);
  cStageScene* scene = StageScene();
  if (!def || !scene) return;
  // A sword type beyond the database's list, or one without frames, makes no
  // stroke (a stroke without a frame would have nothing to follow).
  const int type = def->nMoveType;
  const auto& types = Database.SwordTypeList;
  if (type < 0 || type >= types.Count() || types[static_cast<size_t>(type)].Frames.empty()) {
    if (!tReportedSword.exchange(1)) ReportLog("Sword type %d is not in the sword list or has no frames", type);
    return;
  }
  const cLaunchValues zero;
  if (cShot* stroke = AddShotToStage(scene->m_Shots, chara, cShot::kTypeSword, *def, zero))
    stroke->m_pTarget = nullptr;  // a stroke never has a target
}

void CmdSummonBlock(cChara& chara, cCommandRun& run) {
  if (cEdShot* def = Acting(chara, run)) SummonBlocksByPattern(chara, &run, *def);
}

void CmdSummonChara(cChara& chara, cCommandRun& run) {
  if (cEdShot* def = Acting(chara, run)) SummonCharasByPattern(chara, &run, *def);
}

void CmdSummonItem(cChara& chara, cCommandRun& run) {
  if (cEdShot* def = Acting(chara, run)) SummonItemsByPattern(chara, &run, *def);
}

void CmdFlowOperation(cChara& chara, cCommandRun& run) {
  if (!run.pCommand) return;
  const cVector<int32_t>& v = run.pCommand->Values;
  const int operation = v.Count() > 0 ? v[0] : 0;
  const int scope = v.Count() > 1 ? v[1] : 0;
  const int id = v.Count() > 2 ? v[2] : 0;
  cFlowRun* running = CurrentFlowRun();
  for (cFlowRun& f : chara.m_FlowStates) {
    bool chosen = false;
    switch (scope) {
      case 0: chosen = &f == running; break;
      case 1: chosen = &f != running; break;
      case 2: chosen = id != 0 && f.pFlow && static_cast<uint8_t>(f.pFlow->nID) == id; break;
      default: break;
    }
    if (!chosen) continue;
    switch (operation) {
      case 0:
        f.Stop(chara);
        chara.EndFlowAnimes(f.nSerial);
        f.Start();
        f.bAbort = 1;
        break;
      case 1:
        f.Stop(chara);
        chara.EndFlowAnimes(f.nSerial);
        f.bAbort = 1;
        break;
      case 2:
        f.Pause();
        chara.PauseFlowAnimes(f.nSerial);
        f.bAbort = 1;
        break;
      case 3:
        f.Resume();
        chara.ResumeFlowAnimes(f.nSerial);
        break;
      case 4:
        f.bDelete = 1;
        chara.m_bFlowsToDelete = 1;
        f.bAbort = 1;
        break;
      case 5:
        f.StopForever(chara);
        chara.EndFlowAnimes(f.nSerial);
        f.bAbort = 1;
        break;
      default: break;
    }
  }
}
