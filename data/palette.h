#pragma once
#include "app/base/record.h"
#include "data/block_def.h"
#include "data/chara_def.h"
#include "data/item_def.h"
#include "data/palette_links.h"

// The common palette ("data\CommonPalette.cplt4"): the project-wide block,
// character and item definitions. Entry 0 of each list is a fixed default and
// each list holds at least two entries once read. The game reads it once at
// start-up and never writes it.
class cEdPalette : public cRecord {
  RECORD_CLASS(cEdPalette)
 public:
  cVector<cEdBlock> Blocks;
  cVector<cEdChara> Charas;
  cVector<cEdItem> Items;

  bool Read(cDataFile& file) override;
  bool Write(cDataFile& file) override;
  void Dump(cDumpWriter& out) override;

  // Pads short lists to two entries and checks every definition's references.
  void Validate();
  cPaletteLists Lists() const { return {&Blocks, &Charas, &Items}; }
};

// Definition lists: a u32 count, then the definitions. The list is filled with
// default definitions first and each is then read in place, so that a definition
// linked to a later entry of the list being read takes that entry's defaults. On
// failure the list holds what was read so far: read into a copy (cRecord::Load).
bool ReadBlockList(cVector<cEdBlock>& list, cDataFile& file);
bool ReadCharaList(cVector<cEdChara>& list, cDataFile& file);
bool ReadItemList(cVector<cEdItem>& list, cDataFile& file);
