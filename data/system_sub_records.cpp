#include "data/system_sub_records.h"

#include "app/base/record_dump.h"
#include "data/record_lists.h"

void cEdStatusItem::RegisterFields(uint32_t version) {
  RegisterNoFields();
  REG(bShow);
  REG(bIcon);
  REG(nDigits);
  if (version >= 204) REG(bShowValue);
  if (version >= 587) {
    REG(nWarning);
    REG(bWarnPercent);
  }
  REG(strCaption);
}

bool cEdStatusItem::Read(cDataFile& file) {
  if (!cRecord::Read(file)) return false;
  // Gauges of older projects always showed their value.
  if (file.Version() < 204) bShowValue = 1;
  return true;
}

void cEdMenuItem::RegisterFields(uint32_t) {
  RegisterNoFields();
  REG(bShow);
  REG(strCaption);
}

void cEdRankSetting::RegisterFields(uint32_t) {
  RegisterNoFields();
  REG(bEnable);
}

bool cEdRankSetting::Read(cDataFile& file) {
  return cRecord::Read(file) && ReadByteList(file, Genres, "Genres");
}

bool cEdRankSetting::Write(cDataFile& file) {
  if (!cRecord::Write(file)) return false;
  WriteByteList(file, Genres);
  return true;
}

void cEdRankSetting::Dump(cDumpWriter& out) {
  cRecord::Dump(out);
  out.NumberList("Genres", Genres);
}

void cEdIniKey::RegisterFields(uint32_t) {
  RegisterNoFields();
  REG(nKind);
  REG(nInt);
  REG(strName);
  REG(strText);
}

void cEdIniKey::SetInt(const char* name, int value) {
  nKind = 0;
  strName = name;
  nInt = value;
}

void cEdIniKey::SetString(const char* name, const char* value) {
  nKind = 1;
  strName = name;
  strText = value;
}
