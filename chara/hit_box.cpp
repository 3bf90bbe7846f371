// The rectangle operations of a hit box.
#include "chara/object.h"

void cHitBox::CopyRect(const cHitBox& source) {
  dLeft = source.dLeft;
  dTop = source.dTop;
  dRight = source.dRight;
  dBottom = source.dBottom;
}

void cHitBox::ClearRect() { dLeft = dTop = dRight = dBottom = 0; }
