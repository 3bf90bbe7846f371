#include "data/effect_defs.h"

#include "chara/chara_effect_kinds.h"
#include "stage/scr_effect_kinds.h"

void cEdEffectDef::RegisterFields(uint32_t) {
  RegisterNoFields();
  REG(nKind);
  REG(Params);
  REG(strName);
}

// The roughness parameters came with version 511; older files take their defaults.
bool cEdCharaEffect::Read(cDataFile& file) {
  if (!cRecord::Read(file)) return false;
  if (file.Version() < kEffectRoughnessVersion) {
    if (nKind == 4 || nKind == 5) Params[4] = CharaEffectParamSpec(nKind, 4).nDefault;
    if (nKind == 10) Params[3] = CharaEffectParamSpec(nKind, 3).nDefault;
  }
  return true;
}

bool cEdScrEffect::Read(cDataFile& file) {
  if (!cRecord::Read(file)) return false;
  if (file.Version() < kEffectRoughnessVersion) {
    if (nKind == 6 || nKind == 7) Params[4] = ScrEffectParamSpec(nKind, 4).nDefault;
    if (nKind == 10) Params[3] = ScrEffectParamSpec(nKind, 3).nDefault;
  }
  return true;
}
