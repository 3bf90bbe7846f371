// Which objects take part in a logic step, the condition lists of blocks,
// characters, items and flows, and the stage clock (time limit and play time).
#include <algorithm>
#include <cstdlib>

#include "app/base/timing.h"
#include "chara/flow_conditions.h"
#include "chara/item.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "chara/shot.h"
#include "chara/stage_chara.h"
#include "data/block_def.h"
#include "data/project_globals.h"
#include "stage/stage_scene.h"
#include "stage/stand_ins.h"

namespace {

// The data layer asks play whether a block's conditions hold; outside stage play
// they do.
int BlockConditionsHoldInPlay(cEdBlock& block) {
  cStageScene* scene = StageScene();
  return scene ? (scene->CheckBlockConditions(block) ? 1 : 0) : 1;
}
const bool gInstalled = (BlockConditionsHold = &BlockConditionsHoldInPlay, true);

cChara* PlayerSubject() { return Player.empty() ? nullptr : &Player.front(); }

// The rule every owner shares: an empty list, or a latched list with its latch
// option, holds; a list that holds once is latched.
bool OwnerCheck(cStageScene& s, const cVector<cEdCondition>& list, int mode, int latchOption, uint8_t& latched,
                cChara* subject) {
  if (list.empty() || (latchOption && latched)) return true;
  if (!s.CheckConditionList(list, mode, subject)) return false;
  latched = 1;
  return true;
}

bool Compare(long long v, long long a, int comparison) { return CompareConditionValue(v, a, comparison); }

}  // namespace

void cStageScene::UpdateActivity() {
  (void)gInstalled;
  RebuildBlockCharas();
  if (cChara* p = PlayerSubject()) p->m_bActive = p->m_bInView = 1;
  cVector<uint8_t> groups(cStageChara::kGroupFlags, 0);
  for (cStageChara& c : StageChara) {
    if (c.m_bRemoved) continue;
    if (CheckCharaConditions(c)) {
      c.m_bActive = 1;
      c.m_bInView = c.IsInView() ? 1 : 0;
      c.CheckRange(groups);
    } else {
      c.m_bActive = c.m_bInView = 0;
    }
  }
  for (cStageChara& c : StageChara) c.m_bActivated = c.m_bActive && !c.m_bRemoved && c.CheckActivation(groups) ? 1 : 0;
  for (cItem& item : ItemList) {
    const bool on = !item.m_bRemoved && CheckItemConditions(item);
    item.m_bActive = on ? 1 : 0;
    item.m_bInView = on && item.IsInView() ? 1 : 0;
  }
  // The view is the same for every shot: its axes are looked up once.
  const cScrollAxis& h = PlayAxisX();
  const cScrollAxis& v = PlayAxisY();
  for (cShot& shot : m_Shots) {
    shot.m_bActive = 1;
    shot.m_bInView = shot.IsInViewOf(h, v) ? 1 : 0;
  }
}

bool cStageScene::CheckBlockConditions(cEdBlock& block) {
  return OwnerCheck(*this, block.Conditions, block.nCondMode, block.bCondLatch, block.bCondLatched, PlayerSubject());
}

bool cStageScene::CheckCharaConditions(cChara& c) {
  return OwnerCheck(*this, c.m_Def.Conditions, c.m_Def.nCondMode, c.m_Def.bCondLatch, c.m_bCondLatched, &c);
}

bool cStageScene::CheckItemConditions(cItem& item) {
  return OwnerCheck(*this, item.m_Def.Conditions, item.m_Def.nCondMode, item.m_Def.bCondLatch, item.m_bCondLatched,
                    PlayerSubject());
}

bool cStageScene::CheckFlowConditions(const cEdFlow& flow, uint8_t& latched, cChara& c) {
  return OwnerCheck(*this, flow.Conditions, flow.nCondMode, flow.bCondOnce, latched, &c);
}

bool cStageScene::CheckConditionList(const cVector<cEdCondition>& list, int mode, cChara* subject) {
  if (mode == 0) {
    for (const cEdCondition& c : list)
      if (!CheckCondition(c, subject)) return false;
    return true;
  }
  if (mode == 1) {
    if (list.empty()) return true;
    for (const cEdCondition& c : list)
      if (CheckCondition(c, subject)) return true;
    return false;
  }
  return false;
}

bool cStageScene::CheckCondition(const cEdCondition& c, cChara* subject) {
  switch (c.nKind) {
    case cEdCondition::kCommonVar:
      return Compare(SaveData.CommonVars.At(c.nVarIndex), c.nValue, c.nCompare);
    case cEdCondition::kStageVar:
      return Compare(m_StageVars.At(c.nVarIndex), c.nValue, c.nCompare);
    case cEdCondition::kCharaVar:
      return subject && Compare(subject->m_Vars.At(c.nVarIndex), c.nValue, c.nCompare);
    case cEdCondition::kStatus:
      return subject && CheckStatusCondition(c, *subject);
    case cEdCondition::kStatus2:
      return subject && CheckStatusCondition2(c, *subject);
    case cEdCondition::kStatus3:
      return subject && CheckStatusCondition3(c, *subject);
    case cEdCondition::kDistance:
      return subject && CheckDistanceCondition(c, *subject);
    default:
      return false;
  }
}

int cStageScene::CountDownTime(int amount) {
  if (m_bNoTimeLimit) return 0;
  if (!CountGate(1, 60)) return 0;
  const long long t = static_cast<long long>(m_nTimeLeft) + amount;
  m_nTimeLeft = static_cast<int>(std::min<long long>(t, 999));
  if (m_nTimeLeft <= 0) {
    m_nTimeLeft = 0;
    return 1;
  }
  return 0;
}

void cStageScene::CountPlayTime() {
  if (m_nPlayTime > 599998) return;
  ++m_nPlayFrames;
  m_nPlayTime = static_cast<int>(std::min<long long>(static_cast<long long>(m_nPlayFrames) * 100 / 60, 599999));
}
