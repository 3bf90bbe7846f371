#pragma once
#include <cstdint>

#include "app/base/record.h"

// Scratch for the two 16-bit fields that conditions of files before version 110
// hold and that nothing keeps.
extern thread_local int16_t nDiscardShort;

// One condition of a flow, block, item or character: a comparison on a common,
// stage or character variable, a status, a character state, or a distance. The
// runtime evaluates it; the record only stores it.
class cEdCondition : public cRecord {
  RECORD_CLASS(cEdCondition)
 public:
  // Kinds (0 none).
  enum { kCommonVar = 1, kStageVar = 2, kCharaVar = 3, kStatus = 4, kStatus2 = 5, kStatus3 = 6, kDistance = 7 };

  cEdCondition() { ResetFields(); }

  int8_t nKind = 0;
  int8_t nLeftSide = 0;      // 110: status condition: 0 a status or system value, 1 a variable
  int8_t nLeftScope = 0;     // 110: 0 common variable, 1 stage variable
  int8_t nSubject = 0;       // 110: 0 self, 1 target, 2 system (distance: 0 player, 1 target)
  int8_t nLeftItem = 0;      // 110: status index, system value index or state index
  int16_t nVarIndex = 0;     // 110
  int8_t nRightSide = 0;     // 110: 0 the constant, 1 a random number, 2 a status, 3 a variable
  int32_t nValue = 0;        // the constant; distance condition: half-blocks
  int32_t nRandMin = 0;      // 110
  int32_t nRandMax = 0;      // 110
  int8_t nRightSubject = 0;  // 110
  int8_t nRightItem = 0;     // 110
  int8_t nRightScope = 0;    // 110
  int16_t nRightVarIndex = 0;  // 110; distance condition: extra dots
  int8_t nCompare = 0;       // 0 =, 1 !=, 2 >=, 3 <=, 4 >, 5 <, 6 divisible, 7 not divisible
  int8_t bPercent = 0;       // 43: the right side is a percentage of the left status's maximum
  int8_t nShape = 0;         // distance condition: 0 horizontal .. 6 circle

  void RegisterFields(uint32_t version) override;
  bool Read(cDataFile& file) override;
  void Dump(cDumpWriter& out) override;

 private:
  void Upgrade(uint32_t version);
};

// One element of a flow's input sequence: a state per key and how long it is held.
class cEdKeyCondition : public cRecord {
  RECORD_CLASS(cEdKeyCondition)
 public:
  static constexpr int kKeys = 19;  // ten stick positions, nine buttons
  cEdKeyCondition() { Reset(); }

  cVector<uint8_t> Keys;      // per key: 0 any, 1 pressed, 2 released
  int8_t bRelative = 0;       // stick positions are for a character facing right
  int16_t nMinFrames = 0;
  int16_t nMaxFrames = 0;
  int8_t bAnyLength = 0;      // the hold time is not tested
  int8_t nMode = 0;           // 0 all keys, 1 at least one, 2 exactly one

  void Reset();
  void RegisterFields(uint32_t version) override;
  bool Read(cDataFile& file) override;
  bool Write(cDataFile& file) override;
  void Dump(cDumpWriter& out) override;
};

// Lists of conditions and key conditions: a u32 count, then the records. The
// count is checked against the bytes that remain before anything is allocated.
bool ReadConditionList(cVector<cEdCondition>& list, cDataFile& file);
bool ReadKeyConditionList(cVector<cEdKeyCondition>& list, cDataFile& file);
