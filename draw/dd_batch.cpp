#include "draw/dd_batch.h"

#include <algorithm>

#include "app/base/report_log.h"
#include "draw/dd_device_state.h"
#include "draw/dd_globals.h"
#include "draw/dd_quad.h"

cFillBatch FillBatch;
cBltBatch BltBatch;

namespace {

// Texture-table keys step by this much per registered source.
constexpr int kTextureKeyStep = 100000;

// One vertex and index buffer for n quads (the vertices already in `vertices`);
// false after the failure line when either cannot be made.
bool MakeRunBuffers(const std::vector<plat::Vertex>& vertices, size_t first, int n,
                    std::shared_ptr<plat::cVertexBuffer>& vb, std::shared_ptr<plat::cIndexBuffer>& ib) {
  vb.reset();
  ib.reset();
  if (plat::Failed(lpDevice->CreateVertexBuffer(n * 4 * static_cast<int>(sizeof(plat::Vertex)), &vb))) {
    ReportLogEC("CreateVertexBuffer Err");
    return false;
  }
  if (plat::Failed(lpDevice->CreateIndexBuffer(n * 4 * static_cast<int>(sizeof(uint16_t)), &ib))) {
    ReportLogEC("CreateIndexBuffer Err");
    vb.reset();
    return false;
  }
  std::copy_n(vertices.begin() + static_cast<std::ptrdiff_t>(first * 4), static_cast<size_t>(n) * 4, vb->Data());
  for (int i = 0; i < n * 4; ++i) ib->Data()[i] = static_cast<uint16_t>(i);
  lpDevice->SetStreamSource(vb, sizeof(plat::Vertex));
  lpDevice->SetIndices(ib);
  lpDevice->SetFVF(0);
  return true;
}

// Draws the run's quads (vertices already built) in buffers of at most
// DD_BATCH_MAX_QUADS quads each; false when a buffer could not be made.
template <class Batch>
bool DrawQuads(Batch& batch, size_t count) {
  bool ok = true;
  for (size_t first = 0; first < count; first += DD_BATCH_MAX_QUADS) {
    const int n = static_cast<int>(std::min<size_t>(DD_BATCH_MAX_QUADS, count - first));
    if (!MakeRunBuffers(batch.m_Vertices, first, n, batch.m_lpVB, batch.m_lpIB)) {
      ok = false;
      continue;
    }
    for (int i = 0; i < n; ++i) lpDevice->DrawIndexedTriangleStrip(4 * i, 2);
    batch.m_lpVB.reset();
    batch.m_lpIB.reset();
  }
  return ok;
}

bool DrawFillRun(const FILLCOMMAND* c, size_t n) {
  DDSURFACEDATA* dst = c->lpDstSD;
  if (!dst || !dst->lpDT || !dst->lpDT->lpSurface) return false;
  FillBatch.m_Vertices.resize(n * 4);
  for (size_t i = 0; i < n; ++i) DDWriteFillQuad(&FillBatch.m_Vertices[i * 4], c[i].rect, c[i].dwColor);
  if (!DDBeginScene() || !DDSetRenderTarget(dst)) return false;
  lpDevice->SetTextureStageState(0, plat::StageStateType::kColorOp, plat::kTopSelectArg2);
  lpDevice->SetTextureStageState(0, plat::StageStateType::kColorArg2, plat::kArgDiffuse);
  lpDevice->SetTextureStageState(0, plat::StageStateType::kAlphaOp, plat::kTopDisable);
  lpDevice->SetTexture(0, WorkSD.lpDT ? WorkSD.lpDT->lpTexture : nullptr);
  bool ok = DrawQuads(FillBatch, n);
  DDRestoreRenderTarget();
  return ok;
}

bool SameBltRun(const BLTCOMMAND& a, const BLTCOMMAND& b) {
  return a.lpSrcSD == b.lpSrcSD && a.lpDstSD == b.lpDstSD && a.nFlags == b.nFlags && a.dwDiffuse == b.dwDiffuse &&
         a.dwColorOp == b.dwColorOp && a.dwAlphaOp == b.dwAlphaOp && a.nReserved == b.nReserved;
}

bool DrawBltRun(const BLTCOMMAND* c, size_t n) {
  DDSURFACEDATA* dst = c->lpDstSD;
  DDSURFACEDATA* src = c->lpSrcSD;
  // A surface released after its commands were queued has nothing left to draw.
  if (!dst || !src || !dst->lpDT || !src->lpDT || !dst->lpDT->lpSurface || !src->lpDT->lpTexture ||
      src->nTexWidth <= 0 || src->nTexHeight <= 0)
    return false;
  BltBatch.m_Vertices.resize(n * 4);
  for (size_t i = 0; i < n; ++i)
    DDWriteBltQuad(&BltBatch.m_Vertices[i * 4], c[i].x, c[i].y, c[i].nWidth, c[i].nHeight, src, c[i].sx, c[i].sy,
                   c[i].nSrcWidth, c[i].nSrcHeight, c[i].dwDiffuse);
  if (!DDBeginScene() || !DDSetRenderTarget(dst)) return false;
  if (c->nFlags == 0 && src->lpDT->bColorKey && !DDBltCoversRect(c->dwAlphaOp, c->dwDiffuse))
    for (size_t i = 0; i < n; ++i) DDClearBltRect(dst, c[i].x, c[i].y, c[i].nWidth, c[i].nHeight);
  DDSetBltStage(c->dwColorOp, c->dwAlphaOp);
  lpDevice->SetTexture(0, src->lpDT->lpTexture);
  bool ok = DrawQuads(BltBatch, n);
  DDRestoreRenderTarget();
  return ok;
}

}  // namespace

void DDBeginFillBatch() {
  if (!lpDTCon) return;
  // A batch left open is drawn first: beginning again must not lose its fills.
  if (FillBatch.m_bActive) DDEndFillBatch();
  FillBatch.m_bActive = 1;
  FillBatch.m_lpVB.reset();
  FillBatch.m_lpIB.reset();
  FillBatch.m_Commands.clear();
}

int DDEndFillBatch() {
  if (!FillBatch.m_bActive) return 1;
  std::vector<FILLCOMMAND>& cmds = FillBatch.m_Commands;
  int ok = 1;
  if (lpDTCon && lpDevice) {
    for (size_t i = 0; i < cmds.size();) {
      size_t j = i + 1;
      while (j < cmds.size() && cmds[j].lpDstSD == cmds[i].lpDstSD) ++j;
      if (!DrawFillRun(&cmds[i], j - i)) ok = 0;
      i = j;
    }
  }
  cmds.clear();
  FillBatch.m_Vertices.clear();
  FillBatch.m_bActive = 0;
  return ok;
}

void DDBeginBltBatch(int bSort) {
  if (!lpDTCon) return;
  // A batch left open is drawn first: beginning again must not lose its blits.
  if (BltBatch.m_bActive) DDEndBltBatch();
  BltBatch.m_bActive = 1;
  BltBatch.m_bSort = bSort;
  BltBatch.m_lpVB.reset();
  BltBatch.m_lpIB.reset();
  BltBatch.m_Commands.clear();
  BltBatch.m_Textures.clear();
  BltBatch.m_nSequence = 0;
}

void DDAddBatchTexture(DDSURFACEDATA* lpSrcSD) {
  if (!lpDTCon || !BltBatch.m_bActive || !BltBatch.m_bSort || !lpSrcSD) return;
  // Queued blits name the surface an alias stands for: register that one.
  DDResolveAlias(lpSrcSD);
  DDRedirectBackBuffer(lpSrcSD);
  for (const cBltBatch::TEXTURE& t : BltBatch.m_Textures)
    if (t.lpSD == lpSrcSD) return;
  const int key = (static_cast<int>(BltBatch.m_Textures.size()) + 1) * kTextureKeyStep;
  BltBatch.m_Textures.push_back({lpSrcSD, key});
}

int DDEndBltBatch() {
  if (!BltBatch.m_bActive) return 1;
  std::vector<BLTCOMMAND>& cmds = BltBatch.m_Commands;
  int ok = 1;
  if (lpDTCon && lpDevice) {
    // The key's two parts are compared apart, so that a queue longer than the key
    // step cannot mix the sources' groups.
    if (BltBatch.m_bSort)
      std::sort(cmds.begin(), cmds.end(), [](const BLTCOMMAND& a, const BLTCOMMAND& b) {
        return a.nTexKey != b.nTexKey ? a.nTexKey < b.nTexKey : a.nSequence < b.nSequence;
      });
    for (size_t i = 0; i < cmds.size();) {
      size_t j = i + 1;
      while (j < cmds.size() && SameBltRun(cmds[i], cmds[j])) ++j;
      if (!DrawBltRun(&cmds[i], j - i)) ok = 0;
      i = j;
    }
  }
  cmds.clear();
  BltBatch.m_Textures.clear();
  BltBatch.m_Vertices.clear();
  BltBatch.m_nSequence = 0;
  BltBatch.m_bActive = 0;
  return ok;
}

void DDEndOpenBatches() {
  if (FillBatch.m_bActive) {
    ECLog("DDEndFillBatch at present");
    DDEndFillBatch();
  }
  if (BltBatch.m_bActive) {
    ECLog("DDEndBltBatch at present");
    DDEndBltBatch();
  }
}

bool DDQueueFill(DDSURFACEDATA* lpDstSD, const plat::Rect& rect, uint32_t dwColor) {
  if (!FillBatch.m_bActive) return false;
  FillBatch.m_Commands.push_back({lpDstSD, rect, dwColor});
  return true;
}

bool DDQueueBlt(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrcSD, int sx,
                int sy, int nSrcWidth, int nSrcHeight, int nFlags) {
  if (!BltBatch.m_bActive) return false;
  int key = 0;
  for (const cBltBatch::TEXTURE& t : BltBatch.m_Textures)
    if (t.lpSD == lpSrcSD) {
      key = t.nKey;
      break;
    }
  BltBatch.m_Commands.push_back({key, BltBatch.m_nSequence++, lpDstSD, lpSrcSD, x, y, nWidth, nHeight, sx, sy,
                                 nSrcWidth, nSrcHeight, nFlags, lpDTCon->dwDiffuse, lpDTCon->dwColorOp,
                                 lpDTCon->dwAlphaOp, 0});
  return true;
}
