#pragma once
#include <cstdint>
#include <string>

#include "app/base/record.h"

// One frame of a sword: where it is put against its owner and which part of the
// sword's picture it shows for how long.
class cEdSwordFrame : public cRecord {
  RECORD_CLASS(cEdSwordFrame)
 public:
  cEdSwordFrame() { ResetFields(); bMirrorX = 1; }
  int32_t nOffsetX = 0;  // dots added after the placement (owner facing left)
  int32_t nOffsetY = 0;
  int32_t bMirrorX = 1;  // 138: facing right subtracts the x offset
  int32_t bMirrorY = 0;  // 138: the same for y
  int32_t nPlace = 0;    // 0 in front, 1 behind, 2 above, 3 below
  int32_t nSrcX = 0;     // the frame's picture in the sword's picture file
  int32_t nSrcY = 0;
  int32_t nWidth = 0;    // also the sword's hit box
  int32_t nHeight = 0;
  int32_t nDuration = 0;  // tenths of a second

  void RegisterFields(uint32_t version) override;
};

// A sword type: its pictures for each facing and its frames.
class cEdSwordType : public cRecord {
  RECORD_CLASS(cEdSwordType)
 public:
  cEdSwordType();
  int32_t nReserved = 0;  // 151
  std::string strName;
  std::string strLeftFile;
  std::string strRightFile;
  cVector<cEdSwordFrame> Frames;

  void RegisterFields(uint32_t version) override;
  bool Read(cDataFile& file) override;
  bool Write(cDataFile& file) override;
  void Dump(cDumpWriter& out) override;
};

// Reads a u32 count and that many frames into a list emptied first.
bool ReadSwordFrameList(cDataFile& file, cVector<cEdSwordFrame>& list);
