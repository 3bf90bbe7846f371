// The passes of one logic step, in their order: block characters, the player
// with its death checks, the other characters, shots, out-of-range removals, and
// the block item, contacts and item pick-up. Each returns 1 when the frame ends.
#include <cstdio>

#include "app/base/report_log.h"
#include "app/sound/sound_effects.h"
#include "chara/item.h"
#include "chara/play_change_count.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "chara/shot.h"
#include "chara/stage_chara.h"
#include "data/project_globals.h"
#include "stage/item_taking.h"
#include "stage/play_step_watcher.h"
#include "stage/stage_scene.h"

namespace {

constexpr int kSoundCharaDies = 9;
// Slot results of the moves: off the side of the stage, fell out, left it.
constexpr int kMoveOffSide = 4, kMoveFellOut = 7, kMoveLeftStage = 8;
// Player death codes: the numbers of the trace texts, 10 for a crush ("Dead SP").
constexpr int kDeadCrush = 10;

bool Crushed(const cChara& c) { return (c.LRUD[0] && c.LRUD[1]) || (c.LRUD[2] && c.LRUD[3]); }

// Whether a stage character takes its turn in this step.
bool Acts(const cStageChara& c) { return !c.m_bRemoved && !c.m_bDead && c.m_bActive && c.m_bActivated; }

}  // namespace

int cStageScene::OnCharaHpOut(cStageChara& c) {
  const int r = HandleCharaDeath(c);
  if (!SystemData.bDeathEffect) {
    // Erased at once, without its death effect.
    c.m_bRemoved = 1;
    return r != 0 ? 1 : 0;
  }
  if (r == 1) {
    c.m_bRemoved = 1;
    return 1;
  }
  PlaySE(kSoundCharaDies);
  return r == 2 ? 1 : 0;
}

int cStageScene::OnCharaKilled(cStageChara& c) {
  PlaySE(kSoundCharaDies);
  const int r = HandleCharaDeath(c);
  if (r == 1) {
    c.m_bRemoved = 1;
    return 1;
  }
  return r == 2 ? 1 : 0;
}

int cStageScene::EndCharaStep(cStageChara& c, bool die, bool remove) {
  if (die) return OnCharaKilled(c);
  if (remove) {
    c.m_bRemoved = 1;
  } else {
    c.DecayImpactX();
    c.DecayImpactY();
  }
  return 0;
}

int cStageScene::StepBlockCharas() {
  for (cStageChara& c : StageChara) {
    if (!c.m_Def.bFullCell || !Acts(c)) continue;
    WatchPlayStep("block", c.m_nId);
    c.RunTriggeredFlows(0);
    if (c.RunFlows(0) == 1) {
      if (OnCharaHpOut(c)) return 1;
      continue;
    }
    if (m_bStatusDeath && HandleStatusDeaths()) return 1;
    const bool remove0 = c.MoveX() == kMoveOffSide;
    bool die = CollideX(c) == 2;
    c.ApplyGravity();
    const int my = c.MoveY();
    die = die || my == kMoveFellOut;
    const bool remove = remove0 || my == kMoveLeftStage;
    die = CollideY(c) == 2 || die;
    if (EndCharaStep(c, die, remove)) return 1;
  }
  return 0;
}

int cStageScene::StepPlayer() {
  cPlayer& p = Player.front();
  WatchPlayStep("player", p.m_nId);
  auto die = [&](int code) {
    KillPlayer(code);
    return 1;
  };
  auto clear = [&] {
    EnterStageClear();
    m_nPhase = kStageClear;
    return 1;
  };
  auto crushLine = [&] {
    char line[64];
    std::snprintf(line, sizeof line, "Player[P1].LRUD = %d,%d,%d,%d", p.LRUD[0], p.LRUD[1], p.LRUD[2], p.LRUD[3]);
    ECLog(line);
    p.RestorePosition();
  };
  p.RunTriggeredFlows(0);
  if (p.RunFlows(0) == 1) return die(0);
  if (m_nResultRequest == 1) return clear();
  if (m_nResultRequest == 2) return die(0);
  if (m_bStatusDeath && HandleStatusDeaths()) return 1;
  const int effect = ApplyBlockEffect(p);
  if (effect == 1) return clear();
  if (effect == 2) return die(0);
  if (p.m_bRiding) CarryRider(p);

  p.MoveX();
  KeepInScreenX(p);
  if (CollideX(p) == 2) return die(1);
  KeepInScreenX(p);
  p.ApplyGravity();
  if (p.MoveY() == kMoveFellOut) return die(2);
  if (KeepInScreenY(p) == 2) return die(3);
  if (CollideY(p) == 2) return die(4);
  if (KeepInScreenY(p) == 2) return die(5);

  // The crush grace keeps a player whose flying state just changed alive.
  if (Crushed(p) && p.m_nCrushGrace == 0) {
    crushLine();
    return die(kDeadCrush);
  }
  if (ResolveBlockCharas(p) == 2 && !p.m_bDead && p.m_nCrushGrace == 0) return die(6);
  if ((p.LRUD[0] || p.LRUD[1]) && CollideSides(p) == 2 && !p.m_bDead && p.m_nCrushGrace == 0) return die(7);
  if ((p.LRUD[2] || p.LRUD[3]) && CollideFeetAndHead(p) == 2 && !p.m_bDead && p.m_nCrushGrace == 0) return die(8);
  if (Crushed(p) && p.m_nCrushGrace == 0) {
    crushLine();
    return die(9);
  }
  p.DecayImpactX();
  p.DecayImpactY();
  return 0;
}

int cStageScene::StepOtherCharas() {
  for (cStageChara& c : StageChara) {
    if (c.m_Def.bFullCell || !Acts(c)) continue;
    WatchPlayStep("chara", c.m_nId);
    c.RunTriggeredFlows(0);
    if (c.RunFlows(0) == 1) {
      if (c.m_bVanish) {
        c.m_bRemoved = 1;
        continue;
      }
      if (OnCharaHpOut(c)) return 1;
      continue;
    }
    if (m_bStatusDeath && HandleStatusDeaths()) return 1;
    if (c.m_bRiding) CarryRider(c);
    const bool remove0 = c.MoveX() == kMoveOffSide;
    bool die = CollideX(c) == 2;
    c.ApplyGravity();
    const int my = c.MoveY();
    die = die || my == kMoveFellOut;
    const bool remove = remove0 || my == kMoveLeftStage;
    die = CollideY(c) == 2 || die;
    die = ResolveBlockCharas(c) == 2 || die;
    CollideSides(c);
    CollideFeetAndHead(c);
    if (EndCharaStep(c, Crushed(c) || die, remove)) return 1;
  }
  return 0;
}

void cStageScene::StepShots() {
  if (!m_Shots.empty()) WatchPlayStep("shots", 0);
  for (auto it = m_Shots.begin(); it != m_Shots.end();) {
    cShot& s = *it;
    bool gone = s.Update() != 0;
    if (!gone) {
      s.AddGravity();
      s.MoveY();
      s.MoveX();
      if (m_nStepIndex == 1 && !s.m_bSword) {
        const int set = s.m_nKind == 0 ? cEdStage::kRangePlayerShot : cEdStage::kRangeOtherShot;
        gone = s.IsOutOfRange(StageData.Ranges[set]);
      }
      if (!gone) gone = s.HitsBlock() != 0;
    }
    if (!gone) {
      ++it;
      continue;
    }
    if (s.m_nPass >= 0 && s.m_nPass < m_ShotGroups.Count()) m_ShotGroups.At(s.m_nPass).remove(&s);
    it = m_Shots.erase(it);
  }
}

void cStageScene::RemoveOutOfRange() {
  if (!m_bRemoveOutOfRange[0] && !m_bRemoveOutOfRange[1] && !m_bRemoveOutOfRange[2]) return;
  WatchPlayStep("range", 0);
  for (cStageChara& c : StageChara) {
    if (c.m_bRemoved || c.m_bDead || !c.m_bActive) continue;
    const bool block = c.m_Def.bFullCell != 0;
    if (!m_bRemoveOutOfRange[block ? 1 : 0]) continue;
    const int set = block ? cEdStage::kRangeFullCellChara : cEdStage::kRangeChara;
    if (c.IsOutOfRange(StageData.Ranges[set])) c.m_bRemoved = 1;
  }
  if (m_bRemoveOutOfRange[2])
    for (cItem& item : ItemList)
      if (!item.m_bRemoved && item.IsOutOfRange(StageData.Ranges[cEdStage::kRangeItem])) item.m_bRemoved = 1;
}

int cStageScene::StepContactsAndItems() {
  cPlayer& p = Player.front();
  auto outcome = [&](int r) {
    if (r == 1) {
      EnterStageClear();
      m_nPhase = kStageClear;
      return 1;
    }
    if (r == 2) {
      KillPlayer(0);
      return 1;
    }
    return 0;
  };
  if (outcome(TakeBlockItem(p))) return 1;
  WatchPlayStep("contacts", 0);
  if (outcome(RunContacts(StageChara))) return 1;
  SweepRemoved();
  if (p.m_bDead) return 0;
  WatchPlayStep("pickup", 0);
  return outcome(PickUpItems(p));
}

int cStageScene::PickUpItems(cPlayer& p) {
  const cHitBox& box = p.m_ItemBox;
  for (cItem& item : ItemList) {
    // Items that an item command removed during this pick-up are skipped.
    if (item.m_bRemoved || !item.m_bActive || item.m_Def.nTakeMode == 2) continue;
    const bool touching = box.dLeft <= item.m_dRight && box.dRight >= item.m_dX && box.dTop <= item.m_dBottom &&
                          box.dBottom >= item.m_dY;
    if (!touching) {
      if (item.m_Def.nTakeMode == 1) p.ForgetItemTouch(&item);
      continue;
    }
    p.RunTriggeredFlows(8);
    if (item.m_Def.nTakeMode == 1) {
      if (!p.IsNewItemTouch(&item)) continue;
      p.m_TouchedItems.push_back(&item);
    }
    const int r = TakeItem(&item, Player.front());
    if (item.m_Def.nTakeMode == 0) item.m_bRemoved = 1;
    if (r != 0) return r;
  }
  return 0;
}

int TakeItem(cItem* item, cPlayer& player) {
  if (!item || item->m_nGraphic == 0 || item->m_Def.nTakeMode == 2 || !item->m_bActive) return 0;
  NotePlayChange();
  if (item->m_Def.bItemWindow)
    player.ShowItemMessage(item->m_Def.nGraphicKind, item->m_Def.nGraphic, item->m_Def.nGraphicSub);
  PlayProjectSE(item->m_Def.nSound);
  return player.RunItemCommands(item->m_Def.Commands);
}
