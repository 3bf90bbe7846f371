#include "data/file_entries.h"

void cEdBmpCharaExc::RegisterFields(uint32_t version) {
  RegisterNoFields();
  if (version >= 152) REG(nReserved);
  if (version >= 172) {
    REG(bOwnCellSize);
    REG(nCellSize);
  }
  REG(strName);
  REG(strFile);
}

bool cEdBmpCharaExc::Read(cDataFile& file) {
  if (!cRecord::Read(file)) return false;
  if (file.Version() < kReservedValueVersion) nReserved = 0;
  return true;
}

void cEdFileEntry::RegisterFields(uint32_t version) {
  RegisterNoFields();
  if (version >= 151) REG(nReserved);
  REG(strName);
  REG(strFile);
}

bool cEdFileEntry::Read(cDataFile& file) {
  if (!cRecord::Read(file)) return false;
  if (file.Version() < kReservedValueVersion) nReserved = 0;
  return true;
}
