#include "data/condition.h"

#include "app/base/record_dump.h"
#include "data/name_tables.h"
#include "data/record_lists.h"

thread_local int16_t nDiscardShort = 0;

namespace {
constexpr uint32_t kMaxConditions = 1u << 16;
constexpr uint32_t kMaxKeyStates = 1u << 12;
}  // namespace

void cEdCondition::RegisterFields(uint32_t v) {
  RegisterNoFields();
  REG(nKind);
  REG(nValue);
  if (v >= 110) {
    REG(nRandMin);
    REG(nRandMax);
    REG(nSubject);
    REG(nLeftItem);
    REG(nLeftSide);
    REG(nLeftScope);
    REG(nVarIndex);
    REG(nRightSide);
    REG(nRightSubject);
    REG(nRightItem);
    REG(nRightScope);
    REG(nRightVarIndex);
  } else {
    RegisterShort(&nDiscardShort, 1, "nDiscardShort");
    RegisterShort(&nDiscardShort, 1, "nDiscardShort");
  }
  REG(nCompare);
  if (v >= 43) REG(bPercent);
  REG(nShape);
}

bool cEdCondition::Read(cDataFile& file) {
  if (!cRecord::Read(file)) return false;
  if (file.Version() < kDataVersion) Upgrade(file.Version());
  return true;
}

void cEdCondition::Upgrade(uint32_t v) {
  // Files before 160 have no kinds 5 and 6: their kind 5 is the distance condition.
  if (v < 160 && nKind >= 5) nKind = static_cast<int8_t>(nKind + 2);
  // Such files store state 2 with the opposite sense.
  if (v <= 160 && nKind == kStatus3 && nLeftItem == 2) nCompare ^= 1;
  // Statuses 10 (168) and 5 (203) were inserted; the two steps run in this order,
  // so an index of an old file passes both.
  for (int threshold : {10, 5}) {
    const uint32_t bound = threshold == 10 ? 168 : 203;
    if (v >= bound || nKind != kStatus) continue;
    if (nLeftSide == 0 && nSubject != 2 && nLeftItem >= threshold) ++nLeftItem;
    if (nRightSide == 2 && nRightSubject != 2 && nRightItem >= threshold) ++nRightItem;
  }
  if (v < 210 && nKind == kStatus2 && nSubject != 2 && nLeftItem >= 6) ++nLeftItem;
  if (nKind == kDistance) {
    if (v <= 656) nSubject = 0;
    if (v < 745) nLeftSide = 0;
    if (v < 746) {
      nRightSide = 1;
      nRightSubject = 1;
    }
  }
}

void cEdCondition::Dump(cDumpWriter& out) {
  cRecord::Dump(out);
  out.String("kindLabel", LabelOf(NameList(eNameList::kConditionKinds), nKind));
}

void cEdKeyCondition::Reset() {
  ResetFields();
  Keys.assign(kKeys, 0);
}

void cEdKeyCondition::RegisterFields(uint32_t) {
  RegisterNoFields();
  REG(bRelative);
  REG(nMinFrames);
  REG(nMaxFrames);
  REG(bAnyLength);
  REG(nMode);
}

bool cEdKeyCondition::Read(cDataFile& file) {
  // The list keeps the length the file gives; the runtime reads it through At.
  return cRecord::Read(file) && ReadByteList(file, Keys, "Keys", kMaxKeyStates);
}

bool cEdKeyCondition::Write(cDataFile& file) {
  if (!cRecord::Write(file)) return false;
  WriteByteList(file, Keys);
  return true;
}

void cEdKeyCondition::Dump(cDumpWriter& out) {
  cRecord::Dump(out);
  out.NumberList("Keys", Keys);
}

bool ReadConditionList(cVector<cEdCondition>& list, cDataFile& file) {
  return ReadRecordList<cEdCondition>(file, list, "Conditions", kMaxConditions);
}

bool ReadKeyConditionList(cVector<cEdKeyCondition>& list, cDataFile& file) {
  // A key condition takes its base part and its key count at least.
  return ReadRecordList<cEdKeyCondition>(file, list, "KeyConditions", kMaxConditions, 12);
}
