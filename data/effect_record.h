#pragma once
#include <cstdint>
#include <string>

#include "app/base/record.h"
#include "data/int_pair.h"

// An effect shown on the stage: a strip of cells in one picture, played frame by
// frame. A frame is a cIntPair: the picture (cell) number and the duration in
// tenths of a second.
class cEdEffect : public cRecord {
  RECORD_CLASS(cEdEffect)
 public:
  cEdEffect() { ResetFields(); nCellWidth = nCellHeight = 32; }
  int32_t nReserved = 0;  // 151
  int32_t nCellWidth = 32;
  int32_t nCellHeight = 32;
  int32_t bScaleWithHit = 0;  // an effect shown at a hit grows with the hit's scale
  std::string strName;
  std::string strFile;
  cVector<cIntPair> Frames;

  void RegisterFields(uint32_t version) override;
  bool Read(cDataFile& file) override;
  bool Write(cDataFile& file) override;
  void Dump(cDumpWriter& out) override;
};
