// The block the player stands on: its effect (jump block, jump ban, speed change,
// conveyors) and the item of an item block.
#include <algorithm>

#include "app/sound/sound_effects.h"
#include "chara/item.h"
#include "chara/jump_rules.h"
#include "chara/player.h"
#include "data/project_globals.h"
#include "chara/play_objects.h"
#include "stage/item_taking.h"
#include "stage/stage_scene.h"

namespace {

enum { kEffectNone = 0, kEffectJump = 1, kEffectNoJump = 2, kEffectSpeed = 3, kEffectLeft = 4, kEffectRight = 5 };
constexpr int kSoundJumpBlock = 10;

// The block's value X is a byte: a larger stored value keeps its low byte.
int EffectValue(const cEdBlock& b) { return b.nFloorValue & 0xff; }

// Standing on a solid block whose effect may act now.
bool StandsOnSolid(cPlayer& p) { return p.m_pBlockUnder && p.m_pBlockUnder->GetHitKind(p.m_nPass) != 0; }

}  // namespace

int cStageScene::ApplyBlockEffect(cPlayer& p) {
  if (p.m_bFlying) return 0;
  const cStageTiming t = StageData.Timing();
  if (p.m_nBlockEffectCount == 0 && StandsOnSolid(p)) {
    const cEdBlock& b = *p.m_pBlockUnder;
    const int x = EffectValue(b);
    switch (b.nFloorEffect) {
      case kEffectJump:
        PlaySE(kSoundJumpBlock);
        p.m_dSpeedY = JumpSpeedForHbl(t, p.m_nKind, static_cast<int8_t>(x));
        p.m_bRising = p.m_bJumped = 1;
        p.m_bRiding = 0;
        break;
      case kEffectNoJump:
        p.m_bJumpBlocked = 1;
        break;
      case kEffectSpeed:
        p.m_nBlockEffect = kEffectSpeed;
        p.m_dBlockEffectAmount = x * 0.01;
        p.m_nBlockEffectCount = t.nSteps;
        break;
      case kEffectLeft:
      case kEffectRight:
        p.m_nBlockEffect = b.nFloorEffect;
        p.m_dBlockEffectAmount = x * 0.1 / t.dSteps;
        p.m_nBlockEffectCount = t.nSteps;
        break;
      default:
        break;
    }
    if (b.nFloorEffect != kEffectNoJump) p.m_bJumpBlocked = 0;
  }
  if (p.m_nBlockEffectCount > 0) {
    switch (p.m_nBlockEffect) {
      case kEffectSpeed:
        p.m_dSpeedX *= p.m_dBlockEffectAmount;
        break;
      case kEffectLeft:
        p.m_dSpeedX -= p.m_dBlockEffectAmount;
        if (p.m_dMoveX > 0) p.m_dMoveX = 0;
        break;
      case kEffectRight:
        p.m_dSpeedX += p.m_dBlockEffectAmount;
        if (p.m_dMoveX < 0) p.m_dMoveX = 0;
        break;
      default:
        break;
    }
    if (--p.m_nBlockEffectCount <= 0) {
      p.m_nBlockEffectCount = 0;
      // Off the conveyor: the ground is asked again by a small fall.
      if (p.m_dSpeedY >= 0) p.m_dSpeedY += 1.0;
    }
  }
  return 0;
}

int cStageScene::TakeBlockItem(cPlayer& p) {
  if (p.m_bFlying) return 0;
  bool given = false;
  if (p.m_nItemBlockCount == 0 && StandsOnSolid(p) && p.m_pBlockUnder->nItemLinkKind != 0) {
    const cEdBlock& b = *p.m_pBlockUnder;
    if (const cEdItem* def = FindItemDefinition(b.nItemLinkKind, b.nItemLinkIndex)) {
      cEdItem copy = *def;
      cItem item;
      item.Setup(0, copy, 1);
      item.m_bActive = 1;
      given = true;
      const int r = TakeItem(&item, Player.front());
      if (r != 0) return r;
      p.m_nItemBlockCount = 60 * StageData.Timing().nSteps;
    }
  }
  if (p.m_nItemBlockCount > 0) {
    if (p.m_bFalling) {
      p.m_nItemBlockCount = 0;
    } else {
      p.m_nItemBlockCount = std::max(p.m_nItemBlockCount - 1, 0);
      if (!given && p.m_pBlockUnder && p.m_pBlockLanded != p.m_pBlockRemembered) {
        // A new block underfoot gives its item at once.
        p.m_nItemBlockCount = 0;
        if (p.m_dSpeedY >= 0) p.m_dSpeedY += 1.0;
      }
    }
  }
  return 0;
}
