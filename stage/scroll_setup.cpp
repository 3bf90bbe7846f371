#include "stage/scroll_setup.h"

#include "data/stage.h"
#include "stage/scroll_axis.h"

int CellStrideShift(int columns) {
  int shift = 0;
  for (long long v = static_cast<long long>(columns) + 19; v > 0; v >>= 1) ++shift;
  return shift;
}

void SetUpScrollAxes(const cEdStage& stage, double steps, cScrollAxis& horizontal, cScrollAxis& vertical) {
  horizontal.Setup(0, 640, stage.nWidth, stage.nScrollOffsetX);
  horizontal.m_nStrideShift = CellStrideShift(stage.nWidth);
  horizontal.m_nStride = 1 << horizontal.m_nStrideShift;
  horizontal.SetAutoScroll(stage.bAutoScrollX, stage.nAutoScrollSpeedX, steps);
  horizontal.SetRange(stage.nLimitLeft, stage.nLimitRight, stage.bLimitLeft, stage.bLimitRight);
  vertical.Setup(1, 480, stage.nHeight, stage.nScrollOffsetY);
  vertical.m_nStride = vertical.m_nCells;
  vertical.m_nStrideShift = 0;
  vertical.SetAutoScroll(stage.bAutoScrollY, stage.nAutoScrollSpeedY, steps);
  vertical.SetRange(stage.nLimitTop, stage.nLimitBottom, stage.bLimitTop, stage.bLimitBottom);
}

void CentreView(cScrollAxis& horizontal, cScrollAxis& vertical, double x, double y, int width, int height) {
  horizontal.m_dPos = x - 320 + width / 2;
  horizontal.Clamp();
  vertical.m_dPos = y - 240 + height / 2;
  vertical.Clamp();
}
