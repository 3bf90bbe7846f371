#include "data/item_def.h"

#include <algorithm>

#include "app/base/record_dump.h"
#include "data/palette_links.h"
#include "data/project_globals.h"
#include "data/record_lists.h"

namespace {
constexpr uint32_t kMaxFlags = 1u << 12;
}  // namespace

void cEdItem::SetDefault() {
  ResetFields();
  InheritFlags.assign(kGroups, 0);
  nGraphicKind = 2;
  nGraphic = 0;
  bItemWindow = 1;
  nSize = 1;
  nPriority = 6;
}

// The item window comes before the take mode in the file.
void cEdItem::RegisterFields(uint32_t) {
  RegisterNoFields();
  REG(nLinkKind);
  REG(nLinkIndex);
  REG(strName);
  REG(nCondMode);
  REG(bCondLatch);
  REG(nOffsetX);
  REG(nOffsetY);
  REG(nGraphic);
  REG(nGraphicKind);
  REG(nGraphicSub);
  REG(nPriority);
  REG(bHidden);
  REG(bOverlay);
  REG(nOverlayCell);
  REG(bItemWindow);
  REG(nTakeMode);
  REG(nSize);
  REG(nSound);
}

bool cEdItem::Read(cDataFile& file) {
  if (!cRecord::Read(file) || !file.ReadBytes(&nCol, 2, "nCol") || !file.ReadBytes(&nRow, 2, "nRow") ||
      !ReadByteList(file, InheritFlags, "InheritFlags", kMaxFlags) || !ReadConditionList(Conditions, file) ||
      !ReadCommandList(Commands, file))
    return false;
  // The shot sheet gained a first cell in 219.
  if (file.Version() < 219 && nGraphicKind == 3) nGraphic = static_cast<int16_t>(std::min(nGraphic + 1, 119));
  Inherit();
  Validate();
  return true;
}

bool cEdItem::Write(cDataFile& file) {
  Validate();
  if (!cRecord::Write(file)) return false;
  file.WriteBytes(&nCol, 2);
  file.WriteBytes(&nRow, 2);
  WriteByteList(file, InheritFlags);
  return WriteRecordList(file, Conditions) && WriteRecordList(file, Commands);
}

void cEdItem::Dump(cDumpWriter& out) {
  cRecord::Dump(out);
  out.Value("nCol", nCol);
  out.Value("nRow", nRow);
  out.NumberList("InheritFlags", InheritFlags);
  out.RecordList("Conditions", Conditions);
  out.RecordList("Commands", Commands);
}

void cEdItem::CopyGroup(int g, const cEdItem& s) {
  switch (g) {
    case 0: strName = s.strName; break;
    case 1: Conditions = s.Conditions; nCondMode = s.nCondMode; bCondLatch = s.bCondLatch; break;
    case 2: nOffsetX = s.nOffsetX; break;
    case 3: nOffsetY = s.nOffsetY; break;
    case 4: nGraphicKind = s.nGraphicKind; nGraphic = s.nGraphic; nGraphicSub = s.nGraphicSub; break;
    case 5: nPriority = s.nPriority; break;
    case 6: bHidden = s.bHidden; break;
    case 7: bOverlay = s.bOverlay; nOverlayCell = s.nOverlayCell; break;
    case 8: nSize = s.nSize; break;
    case 9: nTakeMode = s.nTakeMode; break;
    case 10: bItemWindow = s.bItemWindow; break;
    case 11: nSound = s.nSound; break;
    case 12: Commands = s.Commands; break;
    default: break;
  }
}

void cEdItem::Inherit() {
  const cEdItem* source = FindLinkSource(nLinkKind, nLinkIndex, &cPaletteLists::Items);
  if (!source || source == this) return;
  const int groups = std::min(InheritFlags.Count(), kGroups);
  for (int g = 0; g < groups; ++g)
    if (InheritFlags[static_cast<size_t>(g)]) CopyGroup(g, *source);
}

void cEdItem::Validate() {
  ValidateLink(nLinkKind, nLinkIndex, LinkedPalette(1).ItemCount(), LinkedPalette(2).ItemCount());
  if (nSize <= 0) nSize = 1;
  if (IndexBeyond(nSound, Database.SoundList.Count())) nSound = 0;
  for (cEdCommand& c : Commands) c.Validate();
}

void cEdItem::ValidatePalette() {
  for (cEdCommand& c : Commands) c.ValidatePalette();
}
