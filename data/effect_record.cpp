#include "data/effect_record.h"

#include "app/base/record_dump.h"
#include "data/file_entries.h"

void cEdEffect::RegisterFields(uint32_t version) {
  RegisterNoFields();
  if (version >= 151) REG(nReserved);
  REG(nCellWidth);
  REG(nCellHeight);
  REG(bScaleWithHit);
  REG(strName);
  REG(strFile);
}

bool cEdEffect::Read(cDataFile& file) {
  if (!cRecord::Read(file)) return false;
  // The frame list is emptied and refilled with frames of picture 0, duration 1
  // before each is read.
  uint32_t n = 0;
  if (!file.ReadCount(n, 8, 1u << 16, "Frames")) return false;
  cVector<cIntPair> fresh(static_cast<int>(n));
  for (auto& frame : fresh) {
    frame.nSecond = 1;
    if (!frame.Read(file)) return false;
  }
  Frames.swap(fresh);
  if (file.Version() < kReservedValueVersion) nReserved = 0;
  return true;
}

bool cEdEffect::Write(cDataFile& file) { return cRecord::Write(file) && WriteRecordList(file, Frames); }

void cEdEffect::Dump(cDumpWriter& out) {
  cRecord::Dump(out);
  out.RecordList("Frames", Frames);
}
