#pragma once
#include <cstdint>

#include <boost/shared_ptr.hpp>

#include "app/base/record.h"

// The settings of a shot command, and the formation and placement of the sword and
// the three summon commands: how many objects, in which firing pattern, where,
// how they move, how long they live and what they do on a hit. The shot runtime
// interprets them; a shot in flight keeps its own copy.
class cEdShot : public cRecord {
  RECORD_CLASS(cEdShot)
 public:
  cEdShot() { SetDefault(); }

  int8_t nCount = 0;                 // objects per pattern
  int8_t nFormation = 0;             // firing pattern 0 to 5
  int16_t nFormationParam[3] = {0, 0, 0};  // the pattern's three values
  int8_t nFormationTarget = 0;       // 671: centre of two patterns: 0 target, 1 player, 2 firer
  int8_t nShotDirection = 0;         // direction choice 0 to 12
  int8_t bAim = 0;                   // fire toward the firer's target
  int16_t nAngleOffset = 0;          // degrees
  int16_t nAngleOffsetClone = 0;
  int8_t bMirrorAngle = 1;           // 158: 360 - angle for a firer facing right
  int16_t nSpreadAngle = 0;          // random plus or minus, degrees
  int8_t bRotateFormation = 0;       // the straight and spread patterns follow the angle
  int8_t nClonesPerShot = 0;         // the pattern is fired this many times more
  int16_t nOffsetX = 0;              // firing position offset, dots
  int16_t nOffsetXClone = 0;
  int16_t nOffsetY = 0;
  int16_t nOffsetYClone = 0;
  int8_t bMirrorOffsetX = 1;         // the X offset is negated for a firer facing right
  int8_t bMirrorOffsetY = 0;
  int16_t nGraphic = 0;
  int8_t nZ = 0;                     // drawing layer 0 to 7
  int8_t bHidden = 0;
  int8_t bUserFaction = 1;           // the shot takes its firer's side
  int8_t nFaction = 0;               // side 0 to 7
  int8_t nOption5 = 0;               // stored and copied only
  int8_t nSize = 1;                  // at least 1 (1: 16 by 16 dots)
  int8_t nOption6 = 0;               // stored and copied only
  int8_t nMoveType = 0;              // movement type 0 to 9; sword: the sword type
  int16_t nMoveParam[3] = {0, 0, 0};  // the movement type's three values
  int8_t bScrollSync = 0;            // 211: moves with the automatic scrolling
  int16_t nSpeed = 0;                // tenths of a dot per frame
  int16_t nSpeedClone = 0;
  int8_t bAccel = 0;                 // 213
  int16_t nAccel = 0;                // 213: tenths of a dot per frame
  int16_t nAccelClone = 0;           // 213
  int8_t bRange = 0;                 // the flight is limited by its range
  int16_t nRange = 0;                // half-blocks (summons: the lifetime)
  int16_t nRangeClone = 0;
  int8_t bKeepAfterRange = 0;        // stops where its range ends instead of vanishing
  int8_t bLifetime = 0;
  int16_t nLifetime = 0;             // tenths of a second
  int16_t nLifetimeClone = 0;
  int8_t bPassBlocks = 0;            // never hits blocks
  int8_t bPierceChara = 0;
  int8_t bPierceBlockChara = 0;      // 636: older files take bPierceChara
  int8_t bDestructible = 0;
  int8_t nVanishValue = 0;           // 1 to 9
  int32_t nPower = 0;
  int16_t nOption10 = 0;             // stored and copied only
  int8_t nImpact = 0;                // -20 to 20
  int16_t nEffect = 0;               // database effect shown on a hit
  int8_t nItemKind = 0;              // item given on a hit: 0 none, 1 common, 2 stage palette
  int16_t nItemIndex = 0;
  int8_t nBlockSummonMode = 0;       // 0 summon, 1 erase, 2 summon where empty and erase where not
  int8_t nPaletteKind = 0;           // summons: 0 common palette, otherwise the stage palette
  int16_t nPaletteIndex = 0;         // summons: the definition summoned
  int8_t nSummonFaction = 0;         // character summons: 0 the palette's, 1 the firer's, 2 nFaction
  int8_t bReverseFacing = 0;         // character summons face away from the firer
  int8_t nOption14 = 0;              // 197: stored and copied only; older files take bReverseFacing
  int8_t nOption15 = 0;              // stored and copied only
  int8_t nOption16 = 0;              // stored and copied only

  // The values of a new definition.
  void SetDefault();
  void RegisterFields(uint32_t version) override;
  bool Read(cDataFile& file) override;
  bool Write(cDataFile& file) override;
  void Dump(cDumpWriter& out) override;
  // A size below 1 becomes 1; an effect beyond the database's effect list (negative
  // ones too) becomes 0. Returns the effect index it found.
  int Validate();
  // The firing offset of clone n: offset + n x increment, negated for a firer facing
  // right when the axis is mirrored.
  double LaunchOffsetX(int n, int facing) const;
  double LaunchOffsetY(int n, int facing) const;
};

// A command's shot definition; empty when the command has none.
using EdShotPtr = boost::shared_ptr<cEdShot>;

void NewEdShot(EdShotPtr& ptr);
void CopyEdShot(EdShotPtr& dst, const EdShotPtr& src);
