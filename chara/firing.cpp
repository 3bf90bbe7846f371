// A firing in play: the view of the live stage that the patterns read, and the
// objects they place made into shots, blocks, characters or items.
#include "chara/firing.h"

#include <atomic>
#include <cstdint>

#include "app/base/report_log.h"
#include "chara/chara.h"
#include "chara/flow_run.h"
#include "chara/object_aim.h"
#include "chara/item.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "chara/shot.h"
#include "chara/stage_chara.h"
#include "data/command.h"
#include "data/palette.h"
#include "data/project_globals.h"
#include "data/shot_def.h"
#include "stage/scroll_axis.h"
#include "stage/spawning.h"
#include "stage/stage_scene.h"

namespace {

cPatternRect RectOf(const cObject& o) {
  cPatternRect r;
  r.nLeft = o.m_nScreenLeft;
  r.nTop = o.m_nScreenTop;
  r.nRight = o.m_nScreenRight;
  r.nBottom = o.m_nScreenBottom;
  r.nDrawWidth = o.m_nDrawWidth;
  r.nDrawHeight = o.m_nDrawHeight;
  return r;
}

struct cSpawnContext {
  std::list<cShot>* shots;
  cChara* firer;
  cCommandRun* state;
  cEdShot* def;
};

void SpawnSink(void* user, const cLaunchValues& lv) {
  cSpawnContext& c = *static_cast<cSpawnContext*>(user);
  SpawnPatternObject(c.shots, lv, *c.firer, c.state, *c.def);
}

int CommandType(const cCommandRun* state) {
  return state && state->pCommand ? static_cast<int8_t>(state->pCommand->nType) : 0;
}

// Entry `index` of a palette list, tested as the summon commands test it
// (unsigned, so negative indexes are outside too).
template <class T>
const T* PaletteEntry(const cVector<T>& list, int index) {
  return static_cast<unsigned>(index) < static_cast<unsigned>(list.Count()) ? &list[static_cast<size_t>(index)]
                                                                             : nullptr;
}

template <class T>
const cVector<T>& SummonList(const cEdShot& def, const cVector<T>& common, const cVector<T>& stage) {
  return def.nPaletteKind == 0 ? common : stage;
}

std::atomic<int> tReportedForce{0};
std::atomic<int> tReportedFull{0};

void SummonPass(cChara& firer, cCommandRun* state, cEdShot& def, int w, int h) {
  const cFiringView view = BuildFiringView(firer, true);
  cSpawnContext ctx{nullptr, &firer, state, &def};
  FireSummonPass(view, def, w, h, SpawnSink, &ctx);
}

}  // namespace

cFiringView BuildFiringView(cChara& firer, bool refreshFirer) {
  cFiringView v;
  const cScrollAxis& ax = PlayAxisX();
  const cScrollAxis& ay = PlayAxisY();
  v.dScrollX = ax.m_dPos;
  v.dScrollY = ay.m_dPos;
  v.dSteps = StageData.dSteps >= 1 ? StageData.dSteps : 1.0;
  v.Scroll = PlayAimScroll();
  v.bPacking = SystemData.bCompat555;
  const cFlowRun* flow = CurrentFlowRun();
  v.nInputDirection = flow ? flow->nStartDirection : 0;
  if (refreshFirer || firer.m_nKind != 0) firer.CalcScreenRect();
  if (!refreshFirer && firer.m_pTarget && firer.m_pTarget->m_nKind == 1) firer.m_pTarget->CalcScreenRect();
  v.Firer = RectOf(firer);
  v.nFacing = firer.m_nFacing;
  if (firer.m_pTarget) {
    v.bHasTarget = 1;
    v.Target = RectOf(*firer.m_pTarget);
    v.bTargetSynced = firer.m_pTarget->m_bScrollSync ? 1 : 0;
  }
  if (!Player.empty()) {
    v.bHasPlayer = 1;
    v.Player = RectOf(Player.front());
  }
  return v;
}

void FireShots(std::list<cShot>* shots, cChara& firer, cCommandRun* state, cEdShot& def, const cPatternSink* sink) {
  const cFiringView view = BuildFiringView(firer, false);
  if (sink && sink->fn) {
    FireShotPasses(view, def, sink->fn, sink->user);
    return;
  }
  cSpawnContext ctx{shots, &firer, state, &def};
  FireShotPasses(view, def, SpawnSink, &ctx);
}

void SummonBlocksByPattern(cChara& firer, cCommandRun* state, cEdShot& def) {
  if (!PaletteEntry(SummonList(def, CommonPalette.Blocks, StageData.PaletteBlocks), def.nPaletteIndex)) return;
  if (def.nBlockSummonMode == 2)
    if (cStageScene* scene = StageScene()) scene->m_ChangedCells.clear();
  SummonPass(firer, state, def, 32, 32);
}

void SummonCharasByPattern(cChara& firer, cCommandRun* state, cEdShot& def) {
  const cEdChara* c = PaletteEntry(SummonList(def, CommonPalette.Charas, StageData.PaletteCharas), def.nPaletteIndex);
  if (!c || c->nOperator != 1) return;
  const int size = 32 * (c->nGiant == 0 ? 1 : c->nGiant);
  SummonPass(firer, state, def, size, size);
}

void SummonItemsByPattern(cChara& firer, cCommandRun* state, cEdShot& def) {
  const cEdItem* item = PaletteEntry(SummonList(def, CommonPalette.Items, StageData.PaletteItems), def.nPaletteIndex);
  if (!item) return;
  SummonPass(firer, state, def, 32 * item->nSize, 32 * item->nSize);
}

void SpawnPatternObject(std::list<cShot>* shots, const cLaunchValues& lv, cChara& firer, cCommandRun* state,
                        cEdShot& def) {
  cStageScene* scene = StageScene();
  switch (CommandType(state)) {
    case cShot::kTypeShot: {
      if (!shots) return;
      cShot* s = AddShotToStage(*shots, firer, cShot::kTypeShot, def, lv);
      if (!s) return;
      // Only the types that aim at the target keep it, and are listed by it.
      cChara* target = s->m_pTarget;
      s->m_pTarget = nullptr;
      if (def.nMoveType == 3 || def.nMoveType == 6) s->SetTarget(target);
      return;
    }
    case 13: {
      if (!scene) return;
      const cEdBlock& block = SummonList(def, CommonPalette.Blocks, StageData.PaletteBlocks).At(def.nPaletteIndex);
      scene->SummonBlock(lv.nX, lv.nY, SummonParamsOf(def, lv.nClone), block);
      return;
    }
    case 14: {
      if (!scene) return;
      const int facing = def.bReverseFacing ? 1 - firer.m_nFacing : firer.m_nFacing;
      const cEdChara& c = SummonList(def, CommonPalette.Charas, StageData.PaletteCharas).At(def.nPaletteIndex);
      const int force = def.nSummonFaction == 0   ? c.nPassValue
                        : def.nSummonFaction == 1 ? firer.m_Def.nPassValue
                                                  : def.nFaction;
      scene->SummonCharas(StageChara, lv.nX, lv.nY, force, facing, SummonParamsOf(def, lv.nClone), c,
                          scene->m_nNextCharaId);
      return;
    }
    case 15: {
      if (!scene) return;
      const cEdItem& item = SummonList(def, CommonPalette.Items, StageData.PaletteItems).At(def.nPaletteIndex);
      SummonItem(ItemList, lv.nX, lv.nY, SummonParamsOf(def, lv.nClone), item, scene->m_nNextItemId);
      return;
    }
    default: return;
  }
}

cShot* AddShotToStage(std::list<cShot>& shots, cChara& owner, int type, cEdShot& def, const cLaunchValues& lv) {
  const int force = def.bUserFaction ? owner.m_Def.nPassValue : def.nFaction;
  if (force < 0 || force >= cStageScene::kForces) {
    if (!tReportedForce.exchange(1)) ReportLog("Shot force %d is outside 0 to 7: no shot", force);
    return nullptr;
  }
  if (shots.size() >= kMaxLiveShots) {
    if (!tReportedFull.exchange(1)) ReportLog("Shots in flight at their limit of %d: no more made", static_cast<int>(kMaxLiveShots));
    return nullptr;
  }
  cStageScene* scene = StageScene();
  cShot& s = shots.emplace_back();
  s.Launch(scene ? scene->m_nShotSerial : 0, owner, type, def, lv);
  if (scene) {
    scene->m_ShotGroups.At(force).push_back(&s);
    ++scene->m_nShotSerial;
  }
  return &s;
}
