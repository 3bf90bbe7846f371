#include "data/shot_def.h"

#include <boost/checked_delete.hpp>

#include "app/base/record_dump.h"
#include "data/project_globals.h"
#include "data/name_tables.h"
#include "data/palette_links.h"
#include "data/shot_kinds.h"

void cEdShot::SetDefault() {
  ResetFields();
  bMirrorAngle = 1;
  bMirrorOffsetX = 1;
  bMirrorOffsetY = 0;
  bUserFaction = 1;
  nSize = 1;
}

// The one table of the stored bytes: the file keeps the range before its limit
// flag, and options 13 and 14 before the summon palette, in every version. The
// file's sixteen numbered shot options are the members marked "option N" below;
// its homing flag is bScrollSync.
void cEdShot::RegisterFields(uint32_t v) {
  RegisterNoFields();
  REG(nCount);
  REG(nFormation);
  REG(nFormationParam);
  if (v >= 671) REG(nFormationTarget);  // option 1
  REG(nShotDirection);
  REG(bAim);  // option 2
  REG(nAngleOffset);
  REG(nAngleOffsetClone);
  if (v >= 158) REG(bMirrorAngle);
  REG(nSpreadAngle);
  REG(bRotateFormation);  // option 3
  REG(nClonesPerShot);
  REG(nOffsetX);
  REG(nOffsetXClone);
  REG(nOffsetY);
  REG(nOffsetYClone);
  REG(bMirrorOffsetX);
  REG(bMirrorOffsetY);
  REG(nGraphic);
  REG(nZ);
  REG(bHidden);  // option 4
  REG(bUserFaction);
  REG(nFaction);
  REG(nOption5);  // option 5
  REG(nSize);
  REG(nOption6);  // option 6
  REG(nMoveType);
  REG(nMoveParam);
  if (v >= 211) REG(bScrollSync);  // homing
  REG(nSpeed);
  REG(nSpeedClone);
  if (v >= 213) {
    REG(bAccel);
    REG(nAccel);
    REG(nAccelClone);
  }
  REG(nRange);
  REG(bRange);
  REG(nRangeClone);
  REG(bKeepAfterRange);
  REG(bLifetime);
  REG(nLifetime);
  REG(nLifetimeClone);
  REG(bPassBlocks);
  REG(bPierceChara);  // option 7
  if (v >= 636) REG(bPierceBlockChara);  // option 8
  REG(bDestructible);  // option 9
  REG(nVanishValue);
  REG(nPower);
  REG(nOption10);  // option 10
  REG(nImpact);
  REG(nEffect);
  REG(nItemKind);
  REG(nItemIndex);
  REG(nBlockSummonMode);  // option 11
  REG(bReverseFacing);  // option 13
  if (v >= 197) REG(nOption14);  // option 14
  REG(nPaletteKind);
  REG(nPaletteIndex);
  REG(nSummonFaction);  // option 12
  REG(nOption15);  // option 15
  REG(nOption16);  // option 16
}

bool cEdShot::Read(cDataFile& file) {
  if (!cRecord::Read(file)) return false;
  const uint32_t v = file.Version();
  if (v < 158) bMirrorAngle = 0;
  if (v < 197) nOption14 = bReverseFacing;
  // The scroll sync came with 211 but was derived from the homing movement types
  // until 212: a file of version 211 does not keep its stored value either.
  if (v < 212) bScrollSync = nMoveType >= 4 && nMoveType <= 7 ? 1 : 0;
  if (v < 213) bAccel = nAccel = nAccelClone = 0;
  if (v < 636) bPierceBlockChara = bPierceChara;
  if (v < 671) nFormationTarget = 0;
  Validate();
  return true;
}

bool cEdShot::Write(cDataFile& file) {
  Validate();
  return cRecord::Write(file);
}

int cEdShot::Validate() {
  const int old = nEffect;
  if (nSize <= 0) nSize = 1;
  if (IndexBeyond(nEffect, Database.EffectList.Count())) nEffect = 0;
  return old;
}

double cEdShot::LaunchOffsetX(int n, int facing) const {
  double x = nOffsetX + static_cast<double>(n) * nOffsetXClone;
  return facing == 1 && bMirrorOffsetX ? -x : x;
}

double cEdShot::LaunchOffsetY(int n, int facing) const {
  double y = nOffsetY + static_cast<double>(n) * nOffsetYClone;
  return facing == 1 && bMirrorOffsetY ? -y : y;
}

void cEdShot::Dump(cDumpWriter& out) {
  cRecord::Dump(out);
  out.String("formationLabel", LabelOf(ShotPatternNames(), nFormation));
  out.String("moveTypeLabel", LabelOf(ShotMoveTypeNames(), nMoveType));
}

void NewEdShot(EdShotPtr& ptr) { ptr.reset(new cEdShot, boost::checked_deleter<cEdShot>()); }

void CopyEdShot(EdShotPtr& dst, const EdShotPtr& src) {
  if (&dst == &src) return;
  EdShotPtr copy;
  if (src) {
    NewEdShot(copy);
    *copy = *src;
  }
  dst = copy;
}
