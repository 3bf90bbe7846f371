// An item object made from its definition and put on a cell of the stage.
#include "chara/item.h"

#include "chara/flow_run.h"
#include "data/project_globals.h"
#include "stage/scroll_axis.h"

namespace {

// Two rows of the item's picture, 15 frames each, over and over.
constexpr ANIMETABLESTEP kItemSteps[] = {{0, 15, 0}, {1, 15, 0}, {kAnimeLoop, 0, 0}};
constexpr const ANIMETABLESTEP* kItemAnime[] = {kItemSteps, nullptr};

// Halves rounded toward minus infinity.
int HalfDown(int v) { return v >= 0 ? v / 2 : -((-v + 1) / 2); }

}  // namespace

void cItem::Setup(int identity, cEdItem& def, int carried) {
  if (def.nSize == 0) def.nSize = 1;
  m_Def = def;
  m_Def.RegisterFields(kDataVersion);
  const int w = StageData.nItemBoxW, h = StageData.nItemBoxH;
  // Items fly: gravity never pulls them, blocks never stop them.
  Init(identity, 0, 0, 0, m_Def.nGraphic, kItemAnime, 0, 16 - HalfDown(w), 16 - HalfDown(h), w, h, 32, 32, 0, 1, 0);
  m_bScrollSync = 0;
  m_bCarried = carried;
  if (!carried) SetScale(m_Def.nSize, 1);
  else m_bActive = 1;
  // Loops were unrolled into the commands they cover: the loop type itself does nothing.
  ExpandAllLoopCommands(m_Def.Commands);
}

void cItem::PlaceAtBlock(int column, int row) {
  m_dX = (static_cast<double>(column) + cScrollAxis::kMargin) * 32 + m_nBaseDrawOffsetX + 0.5;
  m_dY = (static_cast<double>(row) + cScrollAxis::kMargin) * 32 + m_nBaseDrawOffsetY;
  Rescale(m_Def.nSize < 1 ? 1 : m_Def.nSize, 1);
  ClampX(2);
  ClampY(2);
}

void cItem::KeepBottomOnRescale(int scale, int oldScale) {
  if (scale == oldScale) return;
  m_dY -= static_cast<double>(static_cast<long long>(scale) - oldScale) * (static_cast<long long>(m_nBaseHeight) +
                                                                           m_nBaseDrawOffsetY);
  ClampY(2);
}
