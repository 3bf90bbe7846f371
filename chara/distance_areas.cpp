// Drawing the areas of distance conditions over the stage, for authors.
#include <list>

#include "app/base/shell_globals.h"
#include "chara/chara.h"
#include "chara/flow_conditions.h"
#include "data/condition.h"
#include "data/flow.h"
#include "data/project_globals.h"
#include "draw/dd_frame.h"
#include "stage/stage_scene.h"

namespace {
int tBlinkPhase = 0;  // 0 to 31, once per drawn frame

// The reach of a condition in dots.
int Reach(const cEdCondition& c) {
  const int64_t r = static_cast<int64_t>(c.nValue) * 16 + c.nRightVarIndex;
  return static_cast<int>(r < 0 ? 0 : r > 100000 ? 100000 : r);
}
}  // namespace

int DistanceAreaShowMode(const cEdCondition&) {
  // The project's condition records keep no show setting, colour or visibility
  // flags: no area is marked to be shown.
  return 0;
}

bool DistanceAreaRect(const cEdCondition& c, const cChara& ch, cAreaRect& a) {
  const int r = Reach(c), w = ch.m_nDrawWidth, h = ch.m_nDrawHeight;
  const bool right = ch.m_nFacing == 1;
  a = {ch.m_nScreenLeft, ch.m_nScreenTop, w, h};
  switch (c.nShape) {
    case 0: a.nLeft -= r; a.nWidth += 2 * r; return true;
    case 1: if (!right) a.nLeft -= r; a.nWidth += r; return true;
    case 2: if (right) a.nLeft -= r; a.nWidth += r; return true;
    case 3: a.nTop -= r; a.nHeight += 2 * r; return true;
    case 4: if (!right) a.nTop -= r; a.nHeight += r; return true;
    case 5: if (right) a.nTop -= r; a.nHeight += r; return true;
    case 6:
      a = {ch.m_nScreenLeft + w / 2 - r, ch.m_nScreenTop + h / 2 - r, 2 * r + 1, 2 * r + 1};
      return true;
    default: return false;
  }
}

void DrawDistanceAreas(DDSURFACEDATA* target) {
  tBlinkPhase = (tBlinkPhase + 1) & 31;
  cStageScene* scene = StageScene();
  if (!scene || !target) return;
  auto draw = [&](const cVector<cEdCondition>& list, cChara& ch) {
    for (const cEdCondition& c : list) {
      if (c.nKind != cEdCondition::kDistance) continue;
      const int mode = DistanceAreaShowMode(c);
      if (mode != 1 && !(mode == 2 && bTestPlay)) continue;
      cAreaRect a;
      if (!DistanceAreaRect(c, ch, a)) continue;
      DDDrawFrame(target, a.nLeft, a.nTop, a.nWidth, a.nHeight, 1, static_cast<uint32_t>(tBlinkPhase / 8));
    }
  };
  for (std::list<cChara*>& force : scene->m_CharaGroups) {
    for (cChara* ch : force) {
      if (!ch || ch->m_bDead || !ch->m_bInView) continue;
      const bool latched = ch->m_bCondLatched != 0;
      if (!(ch->m_Def.bCondLatch && latched)) draw(ch->m_Def.Conditions, *ch);
      for (cFlowRun& run : ch->m_FlowStates)
        if (run.pFlow && !(run.pFlow->bCondOnce && latched)) draw(run.pFlow->Conditions, *ch);
    }
  }
}
