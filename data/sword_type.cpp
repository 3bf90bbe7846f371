#include "data/sword_type.h"

#include "app/base/record_dump.h"
#include "data/file_entries.h"

void cEdSwordFrame::RegisterFields(uint32_t version) {
  RegisterNoFields();
  REG(nOffsetX);
  REG(nOffsetY);
  if (version >= 138) {
    REG(bMirrorX);
    REG(bMirrorY);
  }
  REG(nPlace);
  REG(nSrcX);
  REG(nSrcY);
  REG(nWidth);
  REG(nHeight);
  REG(nDuration);
}

cEdSwordType::cEdSwordType() {
  ResetFields();
  Frames.resize(1);
  Frames[0].nDuration = 1;
}

void cEdSwordType::RegisterFields(uint32_t version) {
  RegisterNoFields();
  if (version >= 151) REG(nReserved);
  REG(strName);
  REG(strLeftFile);
  REG(strRightFile);
}

bool ReadSwordFrameList(cDataFile& file, cVector<cEdSwordFrame>& list) {
  // Fresh frames: the default frame of a new sword type is not kept.
  return ReadRecordList<cEdSwordFrame>(file, list, "Frames", 1u << 16);
}

bool cEdSwordType::Read(cDataFile& file) {
  if (!cRecord::Read(file) || !ReadSwordFrameList(file, Frames)) return false;
  if (file.Version() < kReservedValueVersion) nReserved = 0;
  return true;
}

bool cEdSwordType::Write(cDataFile& file) { return cRecord::Write(file) && WriteRecordList(file, Frames); }

void cEdSwordType::Dump(cDumpWriter& out) {
  cRecord::Dump(out);
  out.RecordList("Frames", Frames);
}
