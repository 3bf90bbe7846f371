#include "data/block_def.h"

#include <algorithm>

#include "app/base/record_dump.h"
#include "data/palette_links.h"
#include "data/record_lists.h"

int (*BlockConditionsHold)(cEdBlock& block) = nullptr;

namespace {
constexpr uint32_t kMaxFlags = 1u << 12;
}  // namespace

void cEdBlock::SetDefault() {
  ResetFields();
  nHitKind = 1;
  InheritFlags.assign(kGroups, 0);
  nPassValue = -1;
  nGraphic = 0;
}

void cEdBlock::RegisterFields(uint32_t) {
  RegisterNoFields();
  REG(nLinkKind);
  REG(nLinkIndex);
  REG(strName);
  REG(nCondMode);
  REG(bCondLatch);
  REG(nGraphic);
  REG(nGraphicKind);
  REG(nGraphicSub);
  REG(nLayer);
  REG(bHidden);
  REG(bOverlay);
  REG(nOverlayCell);
  REG(nHitKind);
  REG(nPassValue);
  REG(nFloorEffect);
  REG(nFloorValue);
  REG(nItemLinkKind);
  REG(nItemLinkIndex);
  REG(bKeep);
}

bool cEdBlock::Read(cDataFile& file) {
  if (!cRecord::Read(file) || !file.ReadBytes(&nCol, 2, "nCol") || !file.ReadBytes(&nRow, 2, "nRow") ||
      !ReadByteList(file, InheritFlags, "InheritFlags", kMaxFlags) || !ReadConditionList(Conditions, file))
    return false;
  // The shot sheet gained a first cell in 219.
  if (file.Version() < 219 && nGraphicKind == 3) nGraphic = static_cast<int16_t>(std::min(nGraphic + 1, 119));
  Inherit();
  Validate();
  return true;
}

bool cEdBlock::Write(cDataFile& file) {
  Validate();
  if (!cRecord::Write(file)) return false;
  file.WriteBytes(&nCol, 2);
  file.WriteBytes(&nRow, 2);
  WriteByteList(file, InheritFlags);
  return WriteRecordList(file, Conditions);
}

void cEdBlock::Dump(cDumpWriter& out) {
  cRecord::Dump(out);
  out.Value("nCol", nCol);
  out.Value("nRow", nRow);
  out.NumberList("InheritFlags", InheritFlags);
  out.RecordList("Conditions", Conditions);
}

void cEdBlock::CopyGroup(int g, const cEdBlock& s) {
  switch (g) {
    case 0: strName = s.strName; break;
    case 1: Conditions = s.Conditions; nCondMode = s.nCondMode; bCondLatch = s.bCondLatch; break;
    case 2: nGraphicKind = s.nGraphicKind; nGraphic = s.nGraphic; nGraphicSub = s.nGraphicSub; break;
    case 3: nLayer = s.nLayer; break;
    case 4: bHidden = s.bHidden; break;
    case 5: bOverlay = s.bOverlay; nOverlayCell = s.nOverlayCell; break;
    case 6: nHitKind = s.nHitKind; break;
    case 7: nPassValue = s.nPassValue; break;
    case 8: nFloorEffect = s.nFloorEffect; nFloorValue = s.nFloorValue; break;
    case 9: nItemLinkKind = s.nItemLinkKind; nItemLinkIndex = s.nItemLinkIndex; break;
    case 10: bKeep = s.bKeep; break;
    default: break;
  }
}

void cEdBlock::Inherit() {
  const cEdBlock* source = FindLinkSource(nLinkKind, nLinkIndex, &cPaletteLists::Blocks);
  // A definition linked to itself already holds what it would copy.
  if (!source || source == this) return;
  const int groups = std::min(InheritFlags.Count(), kGroups);
  for (int g = 0; g < groups; ++g)
    if (InheritFlags[static_cast<size_t>(g)]) CopyGroup(g, *source);
}

void cEdBlock::Validate() {
  ValidateLink(nLinkKind, nLinkIndex, LinkedPalette(1).BlockCount(), LinkedPalette(2).BlockCount());
  if (nGraphic == 0) {
    nHitKind = 0;
    bKeep = 0;
  }
}

void cEdBlock::ValidateItemLink() {
  ValidateLink(nItemLinkKind, nItemLinkIndex, LinkedPalette(1).ItemCount(), LinkedPalette(2).ItemCount());
}

int cEdBlock::GetHitKind(int passValue) {
  if (!Conditions.empty() && BlockConditionsHold && !BlockConditionsHold(*this)) return 0;
  if (nPassValue == passValue) return 0;
  return nHitKind;
}
