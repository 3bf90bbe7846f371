#include "data/chara_def.h"

#include <algorithm>

#include "app/base/record_dump.h"
#include "data/palette_links.h"
#include "data/project_globals.h"
#include "data/record_lists.h"

namespace {

constexpr uint32_t kMaxFlags = 1u << 12;

// Gives a field that a version introduced its own inheritance group at index: the
// flags from there on move up by one (the last drops out) and the new flag is
// set, so that a linked definition takes the new field from its source.
void InsertGroup(cVector<uint8_t>& flags, int index) {
  flags.resize(cEdChara::kGroups, 0);
  InsertKeepingSize<uint8_t>(flags, index, 1);
}

}  // namespace

void cEdChara::SetDefault() {
  nCarriedItem = 0;
  ResetFields();
  InheritFlags.assign(kGroups, 0);
  mhp = 10;
  stop = 10;
  nOperator = 1;
  nPassValue = 1;
  z = 3;
  nStartEffectParam2 = 1;
  def = 0;
  nGraphicKind = 1;
  nGraphic = 0;
  nGiant = 1;
  bFixedFacing = 1;
  nOption35 = 1;
}

void cEdChara::RegisterFields(uint32_t v) {
  RegisterNoFields();
  REG(nLinkKind);
  REG(nLinkIndex);
  REG(strName);
  REG(nCondMode);
  REG(bCondLatch);
  REG(nFacing);
  REG(nCopies);
  REG(nSpawnBaseX);
  REG(nSpawnStepX);
  REG(nSpawnBaseY);
  REG(nSpawnStepY);
  REG(bSpawnMirrorX);
  REG(bSpawnMirrorY);
  REG(nGraphic);
  REG(nGraphicKind);
  REG(nGraphicSub);
  REG(nAnimeSet);
  REG(z);
  REG(bTransparent);
  REG(nStartEffect);
  if (v >= 196) REG(nStartEffectParam1);
  REG(nStartEffectParam2);
  REG(nDeathEffect);
  if (v >= 196) REG(nDeathEffectParam);
  REG(bMarkShown);
  REG(mark);
  REG(nOperator);
  REG(nInputPlayer);
  REG(nPassValue);
  REG(cid);
  REG(nFlight);
  REG(bFixedFacing);
  REG(nInvincible);
  if (v >= 285) REG(nInvincibleColor);
  REG(bFullCell);
  REG(nGiant);
  if (v >= 210) REG(bScrollSync);
  REG(nSightShape);
  REG(sight);
  REG(mhp);
  REG(msp);
  REG(stop);
  if (v >= 201) REG(nBoxKind);
  REG(power);
  REG(imp);
  REG(nHitEffect);
  if (v >= 168) REG(def);
  REG(impd);
  REG(getsc);
  REG(nOption35);
  REG(bGroupLink);
  REG(nGroup);
  REG(nActivityRange);
  REG(nActivation);
}

bool cEdChara::Read(cDataFile& file) {
  if (!cRecord::Read(file) || !file.ReadBytes(&nCol, 2, "nCol") || !file.ReadBytes(&nRow, 2, "nRow") ||
      !file.ReadBytes(&nCarriedItem, 4, "nCarriedItem") ||
      !ReadByteList(file, InheritFlags, "InheritFlags", kMaxFlags) || !ReadConditionList(Conditions, file) ||
      !ReadFlowList(Flows, file))
    return false;
  if (!KeepTestPlayFlows()) RemoveTestPlayFlows(Flows);
  if (file.Version() < kDataVersion) Upgrade(file.Version());
  Inherit();
  Validate();
  return true;
}

void cEdChara::Upgrade(uint32_t v) {
  if (v < 168) {
    def = 0;
    InsertGroup(InheritFlags, 27);
  }
  if (v < 196) nStartEffectParam1 = nDeathEffectParam = 0;
  if (v < 201) {
    nBoxKind = 0;
    InsertGroup(InheritFlags, 24);
  }
  // Box kind 2 was inserted in 206.
  if (v < 206 && nBoxKind >= 2) ++nBoxKind;
  if (v < 210) {
    bScrollSync = 0;
    InsertGroup(InheritFlags, 21);
  }
  // The shot sheet gained a first cell in 219.
  if (v < 219 && nGraphicKind == 3) nGraphic = static_cast<int16_t>(std::min(nGraphic + 1, 119));
  if (v < 285) nInvincibleColor = 1;
}

bool cEdChara::Write(cDataFile& file) {
  Validate();
  if (!cRecord::Write(file)) return false;
  file.WriteBytes(&nCol, 2);
  file.WriteBytes(&nRow, 2);
  file.WriteBytes(&nCarriedItem, 4);
  WriteByteList(file, InheritFlags);
  return WriteRecordList(file, Conditions) && WriteRecordList(file, Flows);
}

void cEdChara::Dump(cDumpWriter& out) {
  cRecord::Dump(out);
  out.Value("nCol", nCol);
  out.Value("nRow", nRow);
  out.Value("nCarriedItem", nCarriedItem);
  out.NumberList("InheritFlags", InheritFlags);
  out.RecordList("Conditions", Conditions);
  out.RecordList("Flows", Flows);
}

void cEdChara::CopyGroup(int g, const cEdChara& s) {
  switch (g) {
    case 0: strName = s.strName; break;
    case 1: nOperator = s.nOperator; nInputPlayer = s.nInputPlayer; break;
    case 2: nPassValue = s.nPassValue; break;
    case 3: cid = s.cid; break;
    case 4: Conditions = s.Conditions; nCondMode = s.nCondMode; bCondLatch = s.bCondLatch; break;
    case 5: nFacing = s.nFacing; break;
    case 6: nCopies = s.nCopies; break;
    case 7: nSpawnBaseX = s.nSpawnBaseX; nSpawnStepX = s.nSpawnStepX; bSpawnMirrorX = s.bSpawnMirrorX; break;
    case 8: nSpawnBaseY = s.nSpawnBaseY; nSpawnStepY = s.nSpawnStepY; bSpawnMirrorY = s.bSpawnMirrorY; break;
    case 9: nGraphicKind = s.nGraphicKind; nGraphic = s.nGraphic; nGraphicSub = s.nGraphicSub; break;
    case 10: nAnimeSet = s.nAnimeSet; break;
    case 11: z = s.z; break;
    case 12: bTransparent = s.bTransparent; break;
    case 13:
      nStartEffect = s.nStartEffect;
      nStartEffectParam1 = s.nStartEffectParam1;
      nStartEffectParam2 = s.nStartEffectParam2;
      break;
    case 14: nDeathEffect = s.nDeathEffect; nDeathEffectParam = s.nDeathEffectParam; break;
    case 15: bMarkShown = s.bMarkShown; mark = s.mark; break;
    case 16: bFixedFacing = s.bFixedFacing; break;
    case 17: nFlight = s.nFlight; break;
    case 18: nInvincible = s.nInvincible; nInvincibleColor = s.nInvincibleColor; break;
    case 19: bFullCell = s.bFullCell; break;
    case 20: nGiant = s.nGiant; break;
    case 21: bScrollSync = s.bScrollSync; break;
    case 22: nSightShape = s.nSightShape; sight = s.sight; break;
    case 23: mhp = s.mhp; break;
    case 24: msp = s.msp; break;
    case 25: nBoxKind = s.nBoxKind; break;
    case 26: power = s.power; break;
    case 27: imp = s.imp; break;
    case 28: nHitEffect = s.nHitEffect; break;
    case 29: def = s.def; break;
    case 30: impd = s.impd; break;
    case 31: stop = s.stop; break;
    case 32: nActivityRange = s.nActivityRange; nActivation = s.nActivation; break;
    case 33: nGroup = s.nGroup; bGroupLink = s.bGroupLink; break;
    case 34: getsc = s.getsc; break;
    case 35: nOption35 = s.nOption35; break;
    case 36: Flows = s.Flows; break;
    default: break;
  }
}

void cEdChara::Inherit() {
  const cEdChara* source = FindLinkSource(nLinkKind, nLinkIndex, &cPaletteLists::Charas);
  if (!source || source == this) return;
  const int groups = std::min(InheritFlags.Count(), kGroups);
  for (int g = 0; g < groups; ++g)
    if (InheritFlags[static_cast<size_t>(g)]) CopyGroup(g, *source);
}

void cEdChara::Validate() {
  ValidateLink(nLinkKind, nLinkIndex, LinkedPalette(1).CharaCount(), LinkedPalette(2).CharaCount());
  if (nGraphicKind == 4 && IndexBeyond(nGraphic, Database.BmpCharaExcList.Count())) nGraphic = 1;
  if (nGiant <= 0) nGiant = 1;
  if (IndexBeyond(nAnimeSet, Database.AnimeSetList.Count())) nAnimeSet = 0;
  if (IndexBeyond(nStartEffect, Database.CharaEffectList.Count())) nStartEffect = 0;
  if (IndexBeyond(nDeathEffect, Database.CharaEffectList.Count())) nDeathEffect = 0;
  if (IndexBeyond(nHitEffect, Database.EffectList.Count())) nHitEffect = 0;
  if (nOperator == 0) {
    bFullCell = 0;
    nCopies = 0;
  }
  for (cEdFlow& f : Flows) f.Validate();
  std::erase_if(Flows, [](const cEdFlow& f) { return f.IsEmpty(); });
}

void cEdChara::ValidatePalette() {
  for (cEdFlow& f : Flows) f.ValidatePalette();
}

double cEdChara::SpawnOffsetX(int i, int facing) const {
  const double x = static_cast<double>(i) * nSpawnStepX + nSpawnBaseX;
  return facing == 1 && bSpawnMirrorX ? -x : x;
}

double cEdChara::SpawnOffsetY(int i, int facing) const {
  const double y = static_cast<double>(i) * nSpawnStepY + nSpawnBaseY;
  return facing == 1 && bSpawnMirrorY ? -y : y;
}
