#include "data/user_records.h"

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
  Entries.assign(kEntries, cRankingEntry());
}

cRankings::cRankings() {
  cRankingTable genre;
  Tables.assign(kGenres, genre);
  for (int g = 0; g < kGenres; ++g) Tables[static_cast<size_t>(g)].bHighFirst = g == 2 ? 0 : 1;
}

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
