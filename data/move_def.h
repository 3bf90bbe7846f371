#pragma once
#include <cstdint>

#include <boost/shared_ptr.hpp>

#include "app/base/record.h"

// The settings of a movement command (straight, ground turn-back, circle, charge,
// homing, off-screen avoidance, warp). Several members serve different commands
// with different meanings; the movement handlers interpret them. A member "per
// clone" is multiplied by the running character's clone value and added to its
// partner.
class cEdMove : public cRecord {
  RECORD_CLASS(cEdMove)
 public:
  cEdMove() { SetDefault(); }

  uint8_t nMoveMode = 0;        // 0 by direction, 1 by target coordinates (warp: its mode)
  uint8_t nDirection = 0;       // direction choice 0 to 12
  int16_t nAngle = 0;           // degrees, 0 left, 90 up; circle: start angle
  int16_t nAngleClone = 0;
  uint8_t bMirrorAngle = 1;     // 158: 360 - angle for a character facing right
  uint8_t bUseX = 1;            // the target's X is used
  uint8_t bUseY = 1;
  int16_t nTargetX = 0;         // blocks of 32 dots
  int16_t nTargetY = 0;
  int16_t nTargetOffsetX = 0;   // dots added to the target
  int16_t nTargetOffsetY = 0;
  uint8_t nCoordRef = 0;        // 0 from the placement, 1 relative, 2 absolute, 3 screen
  uint8_t bTimeFromDistance = 1;
  uint8_t bNoMoveX = 0;         // no movement along X
  uint8_t bNoMoveY = 0;
  uint8_t bMirrorX = 1;         // target X negated facing right (circle: mirrored start)
  uint8_t bMirrorY = 0;         // (circle: mirrored turn)
  uint8_t bReverseWithFacing = 1;
  uint8_t bStopAtTarget = 0;
  uint8_t bKeepFacing = 0;      // 162
  uint8_t nTimeSpeedMode = 0;   // 0 the time is given, 1 the speed is given
  int16_t nSpeed = 10;          // tenths of a dot per frame
  int16_t nSpeedClone = 0;
  int16_t nDistance = 0;        // warp: half-blocks; circle: end angle
  int16_t nDistanceClone = 0;
  uint8_t nDistanceUnit = 0;    // 159: 1 dots, otherwise half-blocks
  int16_t nHoming = 0;          // homing: sluggishness; circle: radius in half-blocks
  int16_t nHomingClone = 0;
  uint8_t bInertia = 0;         // the speed changes by acceleration up to nMaxSpeed
  int16_t nMaxSpeed = 0;
  double dReverseFactor = 1.0;  // applied to the acceleration when the movement reverses
  uint8_t bNoWalkAnime = 0;     // 162: the character's animation is left alone

  // The values of a new definition.
  void SetDefault();
  void RegisterFields(uint32_t version) override;
  bool Read(cDataFile& file) override;
};

// A command's movement definition; empty when the command has none.
using EdMovePtr = boost::shared_ptr<cEdMove>;

// Makes a new default definition into the pointer, releasing the one it held.
void NewEdMove(EdMovePtr& ptr);
// The destination becomes an independent copy of the source (empty when it is empty).
void CopyEdMove(EdMovePtr& dst, const EdMovePtr& src);

// The direction code for a direction choice 0 to 8 and a facing flag: 0 gives 3
// (right) with the flag, else 2 (left); 1 to 8 give 2, 3, 6, 7, 8, 9, 10, 11.
// Choices outside 0 to 8 give 2.
int DirectionCode(int choice, int facing);
