#include "data/user_records.h"

#include "app/base/record_dump.h"

void cOptionData::RegisterFields(uint32_t) {
  RegisterNoFields();
  REG(nPaletteSet);
  REG(bMusic);
  REG(nVolume);
  REG(nRegisterMode);
  REG(strName);
}

void cRankingEntry::RegisterFields(uint32_t) {
  RegisterNoFields();
  REG(bUsed);
  REG(nValue);
  REG(strName);
}

void cRankingTable::RegisterFields(uint32_t) {
  RegisterNoFields();
  REG(bHighFirst);
}

void cRankingTable::Reset() {
  ResetFields();
  Entries.resize(kEntries);
}

cRankings::cRankings() { Reset(); }

void cInputLog::RegisterFields(uint32_t) {
  RegisterNoFields();
  REG(nSeed);
}

void cInputLog::Clear() {
  ResetFields();
  Values0.clear();
  Values1.clear();
  Runs0.clear();
  Runs1.clear();
  nPos0 = nPos1 = nRun0 = nRun1 = 0;
}
