#include "chara/shot.h"

#include "chara/chara.h"

cShot::~cShot() { SetTarget(nullptr); }

void cShot::SetTarget(cChara* target) {
  if (m_pTarget) m_pTarget->RemoveAimingShot(this);
  m_pTarget = target;
  if (target) target->AddAimingShot(this);
}
