#include "chara/play_objects.h"

#include <algorithm>

#include "chara/item.h"
#include "chara/player.h"
#include "chara/stage_chara.h"
#include "stage/stage_scene.h"

// The project-data unit builds the records; the play objects are built here, after
// it in the floors. They start empty and need nothing of the records to be built.
cList<cPlayer> Player;
cList<cStageChara> StageChara;
cList<cItem> ItemList;

void cStageChara::ScaleHitBoxes(int scale) {
  if (m_Def.bFullCell) {
    m_BodyBox.Cover(m_nWidth, m_nHeight);
    m_ShotBox.Cover(m_nWidth, m_nHeight);
    return;
  }
  m_BodyBox.Scale(scale);
  m_ShotBox.Scale(scale);
}

void cStageChara::UpdateHitBoxX() {
  m_BodyBox.UpdateX(m_dX);
  m_ShotBox.UpdateX(m_dX);
}

void cStageChara::UpdateHitBoxY() {
  m_BodyBox.UpdateY(m_dY);
  m_ShotBox.UpdateY(m_dY);
}

void cStageChara::Assign(const cChara& source) {
  if (&source == this) return;
  CopyState(source);
  if (const auto* s = dynamic_cast<const cStageChara*>(&source)) {
    m_bInRange = s->m_bInRange;
    m_bActivated = s->m_bActivated;
    m_Item.Assign(s->m_Item);
    m_nItemIcon = s->m_nItemIcon;
    m_bIgnoreX = s->m_bIgnoreX;
    m_bIgnoreY = s->m_bIgnoreY;
    m_bAppeared = s->m_bAppeared;
  }
}

void cPlayer::ScaleHitBoxes(int scale) {
  m_BodyBox.Scale(scale);
  m_ShotBox.Scale(scale);
  m_ItemBox.Scale(scale);
}

void cPlayer::UpdateHitBoxX() {
  m_BodyBox.UpdateX(m_dX);
  m_ShotBox.UpdateX(m_dX);
  m_ItemBox.UpdateX(m_dX);
}

void cPlayer::UpdateHitBoxY() {
  m_BodyBox.UpdateY(m_dY);
  m_ShotBox.UpdateY(m_dY);
  m_ItemBox.UpdateY(m_dY);
}

void cPlayer::Assign(const cChara& source) {
  if (&source == this) return;
  CopyState(source);
  if (const auto* p = dynamic_cast<const cPlayer*>(&source)) {
    m_pInput = p->m_pInput;
    m_nJumpHold = p->m_nJumpHold;
    m_bMayRaise = p->m_bMayRaise;
    m_bJumpBlocked = p->m_bJumpBlocked;
    m_dRunLimit = p->m_dRunLimit;
    m_bJumpStepDone = p->m_bJumpStepDone;
    m_nPrevFacing = p->m_nPrevFacing;
    m_TouchedItems = p->m_TouchedItems;
    m_nBlockEffect = p->m_nBlockEffect;
    m_dBlockEffectAmount = p->m_dBlockEffectAmount;
    m_nBlockEffectCount = p->m_nBlockEffectCount;
    m_nItemBlockCount = p->m_nItemBlockCount;
    m_ItemBox = p->m_ItemBox;
    m_ItemFlowChanges = p->m_ItemFlowChanges;
    m_ItemArranges = p->m_ItemArranges;
    std::copy(&p->m_Markers[0][0], &p->m_Markers[0][0] + sizeof m_Markers, &m_Markers[0][0]);
  }
}

cList<cStageChara>::iterator RemoveStageChara(cList<cStageChara>::iterator position) {
  if (position == StageChara.end()) return position;
  // Inside a logic step someone may be walking the list (or be the character
  // itself): it is marked, and the step's next removal point erases it.
  if (const cStageScene* scene = StageScene(); scene && scene->m_nStepIndex > 0) {
    position->m_bRemoved = 1;
    return std::next(position);
  }
  return EraseStageChara(position);
}

cList<cStageChara>::iterator EraseStageChara(cList<cStageChara>::iterator position) {
  if (position == StageChara.end()) return position;
  cStageChara& c = *position;
  // Those aiming at it, the shots aiming at it and its own target's list.
  c.Unlink();
  if (cStageScene* scene = StageScene()) {
    if (c.m_nPass >= 0 && c.m_nPass < scene->m_CharaGroups.Count()) {
      std::list<cChara*>& group = scene->m_CharaGroups.At(c.m_nPass);
      auto it = std::find(group.begin(), group.end(), static_cast<cChara*>(&c));
      if (it != group.end()) group.erase(it);
    }
    std::vector<cStageChara*>& blocks = scene->m_BlockCharas;
    blocks.erase(std::remove(blocks.begin(), blocks.end(), &c), blocks.end());
  }
  return StageChara.erase(position);
}
