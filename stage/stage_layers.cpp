// The background layers (their scroll, tiling and the plain fill behind them)
// and the block grid in view.
#include "stage/layer_rules.h"

#include "chara/block_map.h"
#include "chara/bounds_rules.h"
#include "data/project_globals.h"
#include "draw/dd_batch.h"
#include "draw/dd_blit.h"
#include "draw/dd_globals.h"
#include "stage/stage_scene.h"

namespace {

constexpr int kFirstLayerSurface = 55;
constexpr int kBackgroundColour = 16;
constexpr int kMaxTiles = 1000;  // per row, and rows: a tiny picture still ends
constexpr int kMarkSheet = 43;

DDSURFACEDATA* LayerSurface(int i) {
  return i >= 0 && i < cStageScene::kLayerSlots ? &Off_Sys[kFirstLayerSurface + i] : nullptr;
}

// The picture tiled over the screen from source (sx0, sy0) onward.
void TileLayer(DDSURFACEDATA* target, DDSURFACEDATA* picture, int sx0, int sy0, int key) {
  const int w = picture->nWidth, h = picture->nHeight;
  DDBeginBltBatch(0);
  int y = 0, sy = sy0;
  for (int row = 0; row < kMaxTiles && y < 480; ++row) {
    const int rowHeight = h - sy;
    int x = 0, sx = sx0;
    for (int col = 0; col < kMaxTiles && x < 640; ++col) {
      const int tileWidth = w - sx;
      DDBltFast(target, x, y, tileWidth, rowHeight, picture, sx, sy, key);
      x += tileWidth;
      sx = 0;
    }
    y += rowHeight;
    sy = 0;
  }
  DDEndBltBatch();
}

}  // namespace

int LayerOrigin(double view, double position, int margin, double factor, int autoScroll, bool roundView) {
  if (autoScroll) return TruncToInt(view + position - margin);
  const double v = roundView ? static_cast<double>(TruncToInt(view + 0.5)) : static_cast<double>(TruncToInt(view));
  return TruncToInt((v - margin) * factor);
}

int LayerTileStart(int origin, int size) {
  if (size <= 0) return 0;
  const long long m = static_cast<long long>(origin) % size;
  return static_cast<int>(m < 0 ? m + size : m);
}

double ScrollLayerPosition(double position, double factor, int size) {
  position -= factor;
  if (position < 0)
    position += size;
  else if (position >= size)
    position -= size;
  return position;
}

void cStageScene::ScrollLayers() {
  for (int i = 0; i < StageData.Layers.Count(); ++i) {
    cEdBgLayer& layer = StageData.Layers[static_cast<size_t>(i)];
    const DDSURFACEDATA* picture = LayerSurface(i);
    const int w = picture ? picture->nWidth : 0, h = picture ? picture->nHeight : 0;
    if (layer.bAutoX) layer.dOffsetX = ScrollLayerPosition(layer.dOffsetX, layer.dFactorX, w);
    if (layer.bAutoY) layer.dOffsetY = ScrollLayerPosition(layer.dOffsetY, layer.dFactorY, h);
  }
}

void cStageScene::DrawLayers(DDSURFACEDATA* target, int front) {
  const cVector<cEdBgLayer>& layers = StageData.Layers;
  if (front == 0) {
    bool anyShown = false;
    for (const cEdBgLayer& l : layers) anyShown = anyShown || l.bShown;
    if (!anyShown) {
      DDFillSurfacePal(target, kBackgroundColour);
      return;
    }
  }
  bool drawn = false;
  for (int i = 0; i < layers.Count(); ++i) {
    const cEdBgLayer& layer = layers[static_cast<size_t>(i)];
    if (layer.nDepth != front || !layer.bShown) continue;
    if (layer.bFill) {
      // A colour beyond the palette is refused by the fill itself (and logged).
      DDFillSurfacePal(target, static_cast<uint32_t>(layer.nFillColor));
      drawn = true;
      continue;
    }
    // Layers past the eighth have no surface of their own and draw nothing.
    DDSURFACEDATA* picture = LayerSurface(i);
    if (!picture || picture->nWidth <= 0 || picture->nHeight <= 0) continue;
    const int x0 = LayerOrigin(m_ScrollX.m_dPos, layer.dOffsetX, m_ScrollX.m_nMargin * 32, layer.dFactorX,
                               layer.bAutoX, true);
    const int y0 = LayerOrigin(m_ScrollY.m_dPos, layer.dOffsetY, m_ScrollY.m_nMargin * 32, layer.dFactorY,
                               layer.bAutoY, false);
    // The first layer behind everything is opaque: nothing lies under it to show.
    const int key = front == 0 && !drawn ? 0 : 1;
    TileLayer(target, picture, LayerTileStart(x0, picture->nWidth), LayerTileStart(y0, picture->nHeight), key);
    drawn = true;
  }
  if (front == 0 && !drawn) DDFillSurfacePal(target, kBackgroundColour);
}

void cStageScene::DrawBlocks(DDSURFACEDATA* target, int layer) {
  const int bx = TruncToInt(m_ScrollX.m_dPos), by = TruncToInt(m_ScrollY.m_dPos);
  const int firstCol = bx >> 5, firstRow = by >> 5;
  const int cols = m_ScrollX.m_nCells, rows = m_ScrollY.m_nCells, shift = m_ScrollX.m_nStrideShift;
  DDBeginBltBatch(1);
  DDAddBatchTexture(&Off_Sys[kMarkSheet]);
  for (int j = 0; j < 16; ++j) {
    const int row = firstRow + j;
    if (row < 0 || row >= rows) continue;
    for (int k = 0; k < 21; ++k) {
      const int col = firstCol + k;
      if (col < 0 || col >= cols) continue;
      cEdBlock* block = CellBlock(col + (row << shift));
      if (!block || block->nGraphic == 0 || block->nLayer != layer || block->bHidden) continue;
      // Until play installs its test, a block's conditions count as holding.
      if (block->Conditions.Count() > 0 && BlockConditionsHold && !BlockConditionsHold(*block)) continue;
      block->Draw(target, 32 * k - (bx & 31), 32 * j - (by & 31));
    }
  }
  DDEndBltBatch();
}
