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

  // Set-up from a definition: body, boxes, scale, carried item (a copy of `item`
  // or none), activity mode, animation and flow states. The position is only kept
  // as the placement position; the caller places the character.
  void Setup(int identity, const cEdChara& def, const cItem* item, double x, double y, int16_t clone);
  // Puts it into a cell of the stage (column and row without the margin).
  int PlaceAtBlock(int column, int row);
  int LimitX() override;
  int LimitY() override;
  // The range test of the activity pass: raises its activation group's flag.
  bool CheckRange(cVector<uint8_t>& groupFlags);
  // Whether it acts in this step.
  bool CheckActivation(const cVector<uint8_t>& groupFlags);
  int MoveX() override;
  int MoveY() override;
  int RunFlows(int dying) override;
  void StepJump(cJumpRun& run) override;

  int32_t m_bInRange = 0;
  int32_t m_bActivated = 0;
  cItem m_Item;
  int32_t m_nItemIcon = 0;
  int32_t m_bIgnoreX = 0, m_bIgnoreY = 0;
  int32_t m_bAppeared = 0;
  // Removed by the play step while a list was walked: skipped by every rule and
  // erased at the step's next removal point (cStageScene::SweepRemoved).
  int32_t m_bRemoved = 0;

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
// Inside a logic step the character is only marked (m_bRemoved) and the step's
// next removal point erases it.
cList<cStageChara>::iterator RemoveStageChara(cList<cStageChara>::iterator position);
// The erasure itself, at once.
cList<cStageChara>::iterator EraseStageChara(cList<cStageChara>::iterator position);
