// Conditions of the flows: states of a character (kinds 5 and 6), distance (kind
// 7), the flow's own condition list and its key conditions.
#include "chara/flow_conditions.h"

#include <cmath>
#include <cstdlib>

#include "chara/chara.h"
#include "chara/key_conditions.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "data/condition.h"
#include "data/flow.h"
#include "data/project_globals.h"
#include "stage/stage_scene.h"

bool CompareConditionValue(int64_t v, int64_t k, int op) {
  switch (op) {
    case 0: return v == k;
    case 1: return v != k;
    case 2: return v >= k;
    case 3: return v <= k;
    case 4: return v > k;
    case 5: return v < k;
    case 6: return k == 0 || std::llabs(v) % k == 0;
    case 7: return k != 0 && std::llabs(v) % k != 0;
    default: return false;
  }
}

bool CheckStatusCondition2(const cEdCondition& c, cChara& self) {
  int64_t v = 0;
  if (c.nSubject == 2) {
    if (c.nLeftItem == 0) v = StageData.bAutoScrollX ? 1 : 0;
    else if (c.nLeftItem == 1) v = StageData.bAutoScrollY ? 1 : 0;
    else return false;
  } else {
    const cChara* who = c.nSubject == 1 ? self.m_pTarget : &self;
    if (!who) return false;
    const cEdChara& d = who->m_Def;
    switch (c.nLeftItem) {
      case 1: v = d.bTransparent; break;
      case 2: v = d.bFixedFacing; break;
      case 3: v = d.nFlight; break;
      case 4: v = d.nInvincible; break;
      case 5: v = d.nGiant; break;
      case 6: v = d.bScrollSync; break;
      default: return false;
    }
  }
  return CompareConditionValue(v, c.nVarIndex, c.nCompare);
}

bool CheckStatusCondition3(const cEdCondition& c, cChara& self) {
  cChara* who = c.nSubject == 1 ? self.m_pTarget : &self;
  if (!who) return false;
  bool state = false;
  switch (c.nLeftItem) {
    case 0: state = who->m_nFacing == 0; break;
    case 1: state = who->m_nFacing == 1; break;
    case 2: state = !who->m_bFlying && (who->m_bRiding || (!who->m_bRising && !who->m_bFalling)); break;
    case 3:
      // The player tests its rectangle against the view now; others keep a flag.
      state = who->m_nKind == 0 ? who->IsInView() : who->m_bInView != 0;
      break;
    default: return false;
  }
  return c.nCompare == 1 ? !state : state;
}

bool CheckDistanceCondition(const cEdCondition& c, cChara& self) {
  cChara* other = nullptr;
  if (c.nSubject == 0) other = Player.empty() ? nullptr : &Player.front();
  else if (c.nSubject == 1) other = self.m_pTarget;
  // Subject 2 names no object: such a condition never holds.
  if (!other) return false;
  const int64_t reach64 = static_cast<int64_t>(c.nValue) * 16 + c.nRightVarIndex;
  const int r = static_cast<int>(reach64 > 1000000000 ? 1000000000 : reach64 < -1000000000 ? -1000000000 : reach64);
  self.CalcScreenRect();
  other->CalcScreenRect();
  const bool right = self.m_nFacing == 1;
  const int w = self.m_nDrawWidth, h = self.m_nDrawHeight;
  bool in = false;
  switch (c.nShape) {
    case 0: case 1: case 2: {
      const int front = c.nShape == 0 ? r : c.nShape == 1 ? r : 0;
      const int back = c.nShape == 0 ? r : c.nShape == 2 ? r : 0;
      const int low = right ? back : front, high = right ? front : back;
      in = self.OverlapsStrip(self.m_nScreenLeft, w, other->m_nScreenLeft, other->m_nScreenRight,
                              other->m_nDrawOffsetX, low, high, c.nShape == 0, false, *other);
      break;
    }
    case 3: case 4: case 5: {
      int up = r, down = r;
      if (c.nShape == 4) (right ? up : down) = 0;
      if (c.nShape == 5) (right ? down : up) = 0;
      in = self.OverlapsStrip(self.m_nScreenTop, h, other->m_nScreenTop, other->m_nScreenBottom,
                              other->m_nDrawOffsetY, up, down, c.nShape == 3, true, *other);
      break;
    }
    case 6: {
      const double ax = self.m_nScreenLeft + w / 2, ay = self.m_nScreenTop + h / 2;
      const int ow = other->m_nDrawWidth, oh = other->m_nDrawHeight;
      const double bx = other->m_nScreenLeft + ow / 2, by = other->m_nScreenTop + oh / 2;
      in = r >= std::sqrt((ax - bx) * (ax - bx) + (ay - by) * (ay - by));
      break;
    }
    default:
      return false;
  }
  return c.nCompare == 1 ? !in : in;
}

bool CheckFlowConditionsOf(cFlowRun& run, cChara& chara) {
  if (!run.pFlow) return false;
  cStageScene* scene = StageScene();
  if (!scene) return run.pFlow->Conditions.empty();
  return scene->CheckFlowConditions(*run.pFlow, run.bCondLatched, chara);
}

bool CheckKeyConditions(cFlowRun& run, cChara& chara) {
  if (run.KeyConditions.empty()) return true;
  cChara* actor = CurrentActor();
  const bool facingLeft = actor ? actor->m_nFacing == 0 : chara.m_nFacing == 0;
  const bool match = !Input.empty() && run.pFlow &&
                     MatchKeySequence(run.KeyConditions, run.pFlow->nKeyGap, Input.front(), facingLeft);
  if (run.pFlow && run.pFlow->bKeyRepeat) return match;
  if (!match) {
    run.bKeyHeld = 0;
    return false;
  }
  if (run.bKeyHeld) {
    // Still held from the last match: a trigger-0 flow keeps its group locked
    // until the end of this character's step.
    const int g = run.pFlow ? FlowGroup(*run.pFlow) : 0;
    if (run.pFlow && run.pFlow->nTrigger == 0 && g > 0) {
      if (actor) actor->m_GroupBusy.At(g) = 1;
      chara.m_GroupEnded.At(g) = 1;
      chara.m_bGroupEnded = 1;
    }
    return false;
  }
  run.bKeyHeld = 1;
  return true;
}
