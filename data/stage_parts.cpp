#include "data/stage_parts.h"

void cEdQuadSet::RegisterFields(uint32_t version) {
  RegisterNoFields();
  REG(bLeft);
  if (version >= 125) {
    REG(bRight);
    REG(bTop);
    REG(bBottom);
  }
  REG(nLeft);
  REG(nRight);
  REG(nTop);
  REG(nBottom);
}

void cEdBgLayer::RegisterFields(uint32_t version) {
  RegisterNoFields();
  if (version >= 62) REG(bShown);
  REG(bFill);
  REG(nFillColor);
  REG(nDepth);
  if (version >= 61) {
    REG(dFactorX);
    REG(dFactorY);
    REG(bAutoX);
    REG(bAutoY);
  }
  if (version >= 62) {
    REG(dOffsetX);
    REG(dOffsetY);
  } else {
    // Two values that the older layouts hold and nothing reads.
    RegisterInt(&nDiscardField, 1, "nDiscardField");
    RegisterInt(&nDiscardField, 1, "nDiscardField");
  }
  REG(strPicture);
}
