#pragma once
#include <cstdint>

#include "app/base/record.h"

// Two ints: an effect frame of the database (picture number, duration) and the
// save data's per-stage pairs.
class cIntPair : public cRecord {
  RECORD_CLASS(cIntPair)
 public:
  cIntPair() = default;
  cIntPair(int32_t first, int32_t second) : nFirst(first), nSecond(second) {}
  int32_t nFirst = 0;
  int32_t nSecond = 0;

  void RegisterFields(uint32_t) override {
    RegisterNoFields();
    REG(nFirst);
    REG(nSecond);
  }
};
