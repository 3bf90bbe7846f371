#pragma once
#include <cstdint>
#include <list>

#include "chara/chara.h"

class cInput;
class cItem;

// The player character, element P1 of Player: its input, jump state, the items it
// touches, the block effect underfoot, a third box for taking items and markers.
class cPlayer : public cChara {
 public:
  static constexpr int kMarkers = 4;

  cPlayer() = default;

  void ScaleHitBoxes(int scale) override;
  void UpdateHitBoxX() override;
  void UpdateHitBoxY() override;
  void Assign(const cChara& source) override;

  // Set-up at the start of a stage attempt (the position is kept as the placement
  // position; SetBlockPosition places it).
  void Setup(int identity, const cEdChara& def, double x, double y);
  // Changes flying and rebuilds body, boxes and markers.
  void ChangeFlight(int option);
  // The camera follows the player, then the player is kept in the stage.
  int LimitX() override;
  int LimitY() override;
  int MoveX() override;
  int MoveY() override;
  int RunFlows(int dying) override;
  void StepJump(cJumpRun& run) override;
  bool IsNewItemTouch(const cItem* item) const;
  void ForgetItemTouch(const cItem* item);
  void RememberGround() { m_pBlockRemembered = m_pBlockLanded; }
  void RememberFacing() { m_nPrevFacing = m_nFacing; }
  // Taking an item: its window (when the item asks for one) and its commands, whose
  // result is 0, 1 (stage cleared) or 2 (the player died).
  void ShowItemMessage(int graphicKind, int graphic, int graphicSub);
  int RunItemCommands(const cVector<cEdCommand>& commands);
  // The item flow changes pending from this step's flows, in order; the list is
  // emptied.
  void ApplyItemFlowChanges();

  cInput* m_pInput = nullptr;
  int32_t m_nJumpHold = 0;
  int32_t m_bMayRaise = 0;
  int32_t m_bJumpBlocked = 0;
  double m_dRunLimit = 0;          // 4 / N dots per step
  int32_t m_bJumpStepDone = 0;
  int32_t m_nPrevFacing = 0;
  std::list<cItem*> m_TouchedItems;
  int32_t m_nBlockEffect = 0;
  double m_dBlockEffectAmount = 0;
  int32_t m_nBlockEffectCount = 0;
  int32_t m_nItemBlockCount = 0;
  cHitBox m_ItemBox;
  uint8_t m_Markers[kMarkers][32] = {};
  // Item flow changes met while the player's own flows ran: applied in order when
  // they have finished the step.
  cVector<cEdCommand> m_ItemFlowChanges;
  // Arranges pending for the next item command (the item arrange command fills it).
  cVector<cArrangeEntry> m_ItemArranges;
  int32_t m_bFlowsRunning = 0;     // inside the flow loop of RunFlows

  // --- Drawing the player (chara/player_draw.cpp) ---
  // The screen rectangle from the scroll position.
  void UpdateScreenRect();
  // The character, then its markers.
  void Draw(DDSURFACEDATA* target, int held);
  void DrawMarkers(DDSURFACEDATA* target);
  // The sight mask cut around the player, over the whole screen.
  void DrawSightMask(DDSURFACEDATA* target);
};
