#include "data/param_spec.h"

#include "platform/sjis.h"

cParamSpec MakeParamSpec(const cParamSpecText& text) {
  cParamSpec p;
  p.strLabel = plat::Utf8ToSjis(text.label ? text.label : "");
  p.nMin = text.min;
  p.nMax = text.max;
  p.nDefault = text.def;
  return p;
}
