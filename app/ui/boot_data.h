#pragma once
#include <cstdint>

#include "app/base/record.h"

// The start-up choice of the drawing back end, kept in "user_data\Boot.dat": two
// ints at every data version (a 20-byte file).
class cBootData : public cRecord {
  RECORD_CLASS(cBootData)
 public:
  int32_t m_nDrawMode = 1;  // 1 Direct3D, 0 DirectDraw
  int32_t m_bNoAsk = 0;     // nonzero: start-up uses the drawing mode without asking

  cBootData() { RegisterFields(nDataVersion); }
  void RegisterFields(uint32_t version) override;
};

extern cBootData BootData;

constexpr const char* kBootDataPath = "user_data\\Boot.dat";
