#include "data/move_def.h"

#include <boost/checked_delete.hpp>

void cEdMove::SetDefault() {
  ResetFields();
  bMirrorAngle = 1;
  bUseX = 1;
  bUseY = 1;
  bTimeFromDistance = 1;
  bMirrorX = 1;
  bReverseWithFacing = 1;
  nSpeed = 10;
  dReverseFactor = 1.0;
}

void cEdMove::RegisterFields(uint32_t v) {
  RegisterNoFields();
  REG(nMoveMode);
  REG(nDirection);
  REG(nAngle);
  REG(nAngleClone);
  if (v >= 158) REG(bMirrorAngle);
  REG(bUseX);
  REG(bUseY);
  REG(nTargetX);
  REG(nTargetY);
  REG(nTargetOffsetX);
  REG(nTargetOffsetY);
  REG(nCoordRef);
  REG(bTimeFromDistance);
  REG(bNoMoveX);
  REG(bNoMoveY);
  REG(bMirrorX);
  REG(bMirrorY);
  REG(bReverseWithFacing);
  REG(bStopAtTarget);
  if (v >= 162) REG(bKeepFacing);
  REG(nTimeSpeedMode);
  REG(nSpeed);
  REG(nSpeedClone);
  REG(nDistance);
  REG(nDistanceClone);
  if (v >= 159) REG(nDistanceUnit);
  REG(nHoming);
  REG(nHomingClone);
  REG(bInertia);
  REG(nMaxSpeed);
  REG(dReverseFactor);
  if (v >= 162) REG(bNoWalkAnime);
}

bool cEdMove::Read(cDataFile& file) {
  if (!cRecord::Read(file)) return false;
  const uint32_t v = file.Version();
  // A member that an old file lacks would keep the new definition's value; such
  // files meant 0.
  if (v < 158) bMirrorAngle = 0;
  if (v < 159) nDistanceUnit = 0;
  if (v < 162) {
    bKeepFacing = 0;
    bNoWalkAnime = 0;
  }
  return true;
}

void NewEdMove(EdMovePtr& ptr) { ptr.reset(new cEdMove, boost::checked_deleter<cEdMove>()); }

void CopyEdMove(EdMovePtr& dst, const EdMovePtr& src) {
  if (&dst == &src) return;
  EdMovePtr copy;
  if (src) {
    NewEdMove(copy);
    *copy = *src;
  }
  dst = copy;
}

int DirectionCode(int choice, int facing) {
  static const int kCodes[9] = {2, 2, 3, 6, 7, 8, 9, 10, 11};
  if (choice == 0) return facing ? 3 : 2;
  if (choice < 0 || choice > 8) return 2;
  return kCodes[choice];
}
