#include "data/palette.h"

#include "app/base/record_dump.h"

namespace {

constexpr uint32_t kMaxDefinitions = 1u << 20;

// The least each definition takes in a file: its base part, column and row, and
// its list counts (the character's carried item too).
constexpr size_t kMinBlockBytes = 8 + 4 + 4 + 4;
constexpr size_t kMinCharaBytes = 8 + 4 + 4 + 4 + 4 + 4;
constexpr size_t kMinItemBytes = 8 + 4 + 4 + 4 + 4;

template <class T>
bool ReadDefinitionList(cVector<T>& list, cDataFile& file, size_t minBytes, const char* what) {
  uint32_t n = 0;
  if (!file.ReadCount(n, minBytes, kMaxDefinitions, what)) return false;
  list.assign(n, T());
  for (T& def : list)
    if (!def.Read(file)) return false;
  return true;
}

template <class T>
void ClearInheritFlags(cVector<T>& list) {
  for (T& def : list) def.InheritFlags.Fill(0);
}

template <class T>
void PadToTwo(cVector<T>& list) {
  if (list.Count() < 2) list.resize(2);
}

}  // namespace

bool ReadBlockList(cVector<cEdBlock>& list, cDataFile& file) {
  return ReadDefinitionList(list, file, kMinBlockBytes, "Blocks");
}

bool ReadCharaList(cVector<cEdChara>& list, cDataFile& file) {
  return ReadDefinitionList(list, file, kMinCharaBytes, "Charas");
}

bool ReadItemList(cVector<cEdItem>& list, cDataFile& file) {
  return ReadDefinitionList(list, file, kMinItemBytes, "Items");
}

bool cEdPalette::Read(cDataFile& file) {
  // The palette's own links name entries of the palette being read.
  cPaletteScope scope(1, Lists());
  if (!cRecord::Read(file) || !ReadBlockList(Blocks, file) || !ReadCharaList(Charas, file) ||
      !ReadItemList(Items, file))
    return false;
  if (!Blocks.empty()) Blocks[0].SetDefault();
  if (!Charas.empty()) Charas[0].SetDefault();
  if (!Items.empty()) Items[0].SetDefault();
  // The common palette's own links act only while it is read.
  ClearInheritFlags(Blocks);
  ClearInheritFlags(Charas);
  ClearInheritFlags(Items);
  Validate();
  return true;
}

bool cEdPalette::Write(cDataFile& file) {
  cPaletteScope scope(1, Lists());
  Validate();
  return cRecord::Write(file) && WriteRecordList(file, Blocks) && WriteRecordList(file, Charas) &&
         WriteRecordList(file, Items);
}

void cEdPalette::Validate() {
  cPaletteScope scope(1, Lists());
  PadToTwo(Blocks);
  PadToTwo(Charas);
  PadToTwo(Items);
  for (cEdBlock& b : Blocks) {
    b.Validate();
    b.ValidateItemLink();
  }
  for (cEdChara& c : Charas) {
    c.Validate();
    c.ValidatePalette();
  }
  for (cEdItem& i : Items) {
    i.Validate();
    i.ValidatePalette();
  }
}

void cEdPalette::Dump(cDumpWriter& out) {
  cRecord::Dump(out);
  out.RecordList("Blocks", Blocks);
  out.RecordList("Charas", Charas);
  out.RecordList("Items", Items);
}
