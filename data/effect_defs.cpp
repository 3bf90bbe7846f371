#include "data/effect_defs.h"

#include "data/chara_effect_kinds.h"
#include "data/scr_effect_kinds.h"

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
    if (nKind == 4 || nKind == 5) Params[4] = CharaEffectParamDesc(nKind, 4).nDefault;
    if (nKind == 10) Params[3] = CharaEffectParamDesc(nKind, 3).nDefault;
  }
  return true;
}

bool cEdScrEffect::Read(cDataFile& file) {
  if (!cRecord::Read(file)) return false;
  if (file.Version() < kEffectRoughnessVersion) {
    if (nKind == 6 || nKind == 7) Params[4] = ScrEffectParamDesc(nKind, 4).nDefault;
    if (nKind == 10) Params[3] = ScrEffectParamDesc(nKind, 3).nDefault;
  }
  return true;
}
