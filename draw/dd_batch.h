#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "draw/dd_types.h"

// Direct3D draw batches. While a batch is active, every Direct3D fill (fill
// batch) or blit (blit batch) to a render target is queued instead of drawn; the
// matching end draws the queue, one vertex and index buffer per run of like
// commands, and empties it. Under DirectDraw the batches do nothing and blits and
// fills draw at once. Begin and end are paired within one draw.

// The most quads one vertex and index buffer holds: 16-bit indexes reach 65,536
// vertices. Longer runs are drawn in several buffers.
constexpr int DD_BATCH_MAX_QUADS = 16384;

struct FILLCOMMAND {
  DDSURFACEDATA* lpDstSD;
  plat::Rect rect;   // already cut to the target
  uint32_t dwColor;  // A8R8G8B8
};

struct BLTCOMMAND {
  int nTexKey;    // the source's key in the texture table (0 when not registered)
  int nSequence;  // commands queued before this one since the batch began
  DDSURFACEDATA* lpDstSD;
  DDSURFACEDATA* lpSrcSD;
  int x, y, nWidth, nHeight;  // clipped
  int sx, sy, nSrcWidth, nSrcHeight;
  int nFlags;
  uint32_t dwDiffuse, dwColorOp, dwAlphaOp;
  int nReserved;  // always 0
};

class cFillBatch {
 public:
  int m_bActive = 0;
  std::vector<FILLCOMMAND> m_Commands;
  std::vector<plat::Vertex> m_Vertices;  // of the run being drawn
  std::shared_ptr<plat::cVertexBuffer> m_lpVB;
  std::shared_ptr<plat::cIndexBuffer> m_lpIB;
};

class cBltBatch {
 public:
  struct TEXTURE {
    DDSURFACEDATA* lpSD;
    int nKey;
  };
  int m_bActive = 0;
  std::vector<BLTCOMMAND> m_Commands;
  std::vector<plat::Vertex> m_Vertices;  // of the run being drawn
  std::shared_ptr<plat::cVertexBuffer> m_lpVB;
  std::shared_ptr<plat::cIndexBuffer> m_lpIB;
  int m_nSequence = 0;
  int m_bSort = 0;
  std::vector<TEXTURE> m_Textures;
};

extern cFillBatch FillBatch;
extern cBltBatch BltBatch;

void DDBeginFillBatch();
// Draws the queued fills; 1 when every run was drawn (or there was nothing to draw).
int DDEndFillBatch();
// bSort: draw the queue grouped by source in the order DDAddBatchTexture registered
// them (the order of queueing kept within one source; unregistered sources first).
void DDBeginBltBatch(int bSort);
void DDAddBatchTexture(DDSURFACEDATA* lpSrcSD);
// Draws the queued blits; 1 when every run was drawn (or there was nothing to draw).
int DDEndBltBatch();
// Ends whatever batch is still open (the present does, so that a frame shows
// everything drawn for it).
void DDEndOpenBatches();

// Used by the fills and blits: queue the command when the batch is active
// (target and source resolved, geometry clipped); false when it is not.
bool DDQueueFill(DDSURFACEDATA* lpDstSD, const plat::Rect& rect, uint32_t dwColor);
bool DDQueueBlt(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrcSD, int sx,
                int sy, int nSrcWidth, int nSrcHeight, int nFlags);
