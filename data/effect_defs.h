#pragma once
#include <cstdint>
#include <string>

#include "app/base/record.h"

// A character effect or screen effect definition: a kind (0 none) and five
// parameters whose meaning depends on the kind; P0 is the running time in tenths
// of a second. Both have one layout.
class cEdEffectDef : public cRecord {
 public:
  int32_t nKind = 1;
  int32_t Params[5] = {0, 0, 0, 0, 0};
  std::string strName;

  void RegisterFields(uint32_t version) override;
};

// Files before this version lack the roughness of the wave and circle kinds.
constexpr uint32_t kEffectRoughnessVersion = 511;

class cEdCharaEffect : public cEdEffectDef {
  RECORD_CLASS(cEdCharaEffect)
 public:
  cEdCharaEffect() { ResetFields(); nKind = 1; }
  bool Read(cDataFile& file) override;
};

class cEdScrEffect : public cEdEffectDef {
  RECORD_CLASS(cEdScrEffect)
 public:
  cEdScrEffect() { ResetFields(); nKind = 1; }
  bool Read(cDataFile& file) override;
};
