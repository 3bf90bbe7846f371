#include "data/param_desc.h"

#include "platform/sjis.h"

cParamDesc MakeParamDesc(const cParamDescText& text) {
  cParamDesc p;
  p.strLabel = plat::Utf8ToSjis(text.label ? text.label : "");
  p.nMin = text.min;
  p.nMax = text.max;
  p.nDefault = text.def;
  return p;
}
