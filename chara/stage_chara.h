#pragma once
#include <cstdint>

#include "chara/chara.h"
#include "chara/item.h"

// A character placed in or summoned into the stage; it lives in StageChara and
// carries one item (a whole item, built and destroyed with it).
class cStageChara : public cChara {
 public:
  cStageChara() = default;

  void ScaleHitBoxes(int scale) override;
  void UpdateHitBoxX() override;
  void UpdateHitBoxY() override;
  void Assign(const cChara& source) override;
  cItem* GetCarriedItem() override { return &m_Item; }

  int32_t m_bInRange = 0;
  int32_t m_bActivated = 0;
  cItem m_Item;
  int32_t m_nItemIcon = 0;
  int32_t m_bIgnoreX = 0, m_bIgnoreY = 0;
  int32_t m_bAppeared = 0;

  // --- Drawing ---
  // Its death effect ended while drawing: no longer drawn, removed at the next
  // sweep (SweepEndedStageChara), so that no list walk loses its place.
  int32_t m_bDeathEnded = 0;
  void DrawCarriedItemIcon(DDSURFACEDATA* target);
};

// Removes the stage characters whose death effect ended in drawing.
void SweepEndedStageChara();

// Removes a stage character: those aiming at it get a null target, shots aiming at
// it too, it leaves its target's list and its force's list, and it is destroyed.
// The position after it.
cList<cStageChara>::iterator RemoveStageChara(cList<cStageChara>::iterator position);
