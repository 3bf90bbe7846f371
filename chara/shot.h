#pragma once
#include <cstdint>

#include "app/base/vector.h"
#include "chara/object.h"
#include "data/shot_def.h"

class cChara;
struct DDSURFACEDATA;

// A shot in flight (or a sword stroke): a copy of its definition, its owner's
// identity, the character it aims at and its hit box. It lives in the stage
// scene's shot list; while it aims at a character, that character lists it, so
// that removing either side clears the other's pointer.
class cShot : public cObject {
 public:
  cShot() = default;
  ~cShot() override;
  cShot(const cShot&) = delete;
  cShot& operator=(const cShot&) = delete;

  void ScaleHitBoxes(int scale) override { m_HitBox.Scale(scale); }
  void UpdateHitBoxX() override { m_HitBox.UpdateX(m_dX); }
  void UpdateHitBoxY() override { m_HitBox.UpdateY(m_dY); }

  // Aims at `target` (or at nothing), keeping the target's list of shots in step.
  void SetTarget(cChara* target);
  // Draws the shot or the stroke; held draws without advancing.
  void Draw(DDSURFACEDATA* target, int held);
  // One logic step of the shot in play: nonzero when it is spent; its moves; a
  // block stops it (nonzero).
  int Update();
  void MoveX();
  void MoveY();
  int HitsBlock();

  cEdShot m_Def;
  int32_t m_nOwnerId = 0;
  cChara* m_pTarget = nullptr;
  int32_t m_bSword = 0;   // a sword stroke pushes along its facing
  cHitBox m_HitBox;
  // The characters (identities) it has hit and passed through: never hit again.
  cVector<int32_t> m_HitCharas;
  // Destroyed during the contact pass: skipped, then erased at the pass's end.
  int32_t m_bSpent = 0;
};
