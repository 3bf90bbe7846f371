#include "draw/dd_quad.h"

#include <algorithm>

#include "draw/dd_device_state.h"
#include "draw/dd_globals.h"

namespace {
int Clamp32(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }
}  // namespace

void DDWriteBltQuad(plat::Vertex* v, int x, int y, int nWidth, int nHeight, const DDSURFACEDATA* lpSrcSD, int sx,
                    int sy, int nSrcWidth, int nSrcHeight, uint32_t dwDiffuse) {
  const float tw = static_cast<float>(lpSrcSD->nTexWidth), th = static_cast<float>(lpSrcSD->nTexHeight);
  const float l = static_cast<float>(x) - 0.5f, t = static_cast<float>(y) - 0.5f;
  const float r = static_cast<float>(int64_t(x) + nWidth) - 0.5f, b = static_cast<float>(int64_t(y) + nHeight) - 0.5f;
  const float u0 = static_cast<float>(sx) / tw, v0 = static_cast<float>(sy) / th;
  const float u1 = static_cast<float>(int64_t(sx) + nSrcWidth) / tw, v1 = static_cast<float>(int64_t(sy) + nSrcHeight) / th;
  v[0] = {l, t, 0.0f, 1.0f, dwDiffuse, u0, v0};
  v[1] = {l, b, 0.0f, 1.0f, dwDiffuse, u0, v1};
  v[2] = {r, t, 0.0f, 1.0f, dwDiffuse, u1, v0};
  v[3] = {r, b, 0.0f, 1.0f, dwDiffuse, u1, v1};
}

void DDWriteFillQuad(plat::Vertex* v, const plat::Rect& rect, uint32_t dwColor) {
  const float l = float(rect.left) - 0.5f, t = float(rect.top) - 0.5f;
  const float r = float(rect.right) - 0.5f, b = float(rect.bottom) - 0.5f;
  const float w = float(rect.Width()), h = float(rect.Height());
  v[0] = {l, t, 0.0f, 1.0f, dwColor, 0.0f, 0.0f};
  v[1] = {l, b, 0.0f, 1.0f, dwColor, 0.0f, h};
  v[2] = {r, t, 0.0f, 1.0f, dwColor, w, 0.0f};
  v[3] = {r, b, 0.0f, 1.0f, dwColor, w, h};
}

uint32_t DDBltKeyClearColor(const DDSURFACEDATA* lpDstSD) {
  if (lpDstSD == &BackBuffer) {
    // At 16 bits the transparent colour is kept as a texture pixel; the clear takes
    // a device colour, so the pixel is widened to one (passed as it is, its bits
    // would read as a different, greenish colour).
    if (DDSettings.nBpp == 16) return plat::PixelToArgb(plat::PixelFormat::kA1R5G5B5, lpDTCon->wTransmit_16);
    return lpDTCon->dwOpaqueKey;
  }
  return DDSettings.nBpp == 16 ? lpDTCon->wReserved : lpDTCon->dwKeyColor;
}

void DDClearBltRect(const DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight) {
  // Transparent pixels of a keyed source would let the old picture through: the
  // rectangle is cleared to the transparent colour first.
  plat::Rect rect{x, y, Clamp32(int64_t(x) + nWidth), Clamp32(int64_t(y) + nHeight)};
  lpDevice->Clear(&rect, 1, DDBltKeyClearColor(lpDstSD));
}

bool DDBltCoversRect(uint32_t dwAlphaOp, uint32_t dwDiffuse) {
  return dwAlphaOp == plat::kTopDisable && (dwDiffuse >> 24) == 0xFF;
}

void DDSetBltStage(uint32_t dwColorOp, uint32_t dwAlphaOp) {
  lpDevice->SetTextureStageState(0, plat::StageStateType::kColorOp, dwColorOp);
  lpDevice->SetTextureStageState(0, plat::StageStateType::kColorArg1, plat::kArgTexture);
  lpDevice->SetTextureStageState(0, plat::StageStateType::kColorArg2, plat::kArgDiffuse);
  lpDevice->SetTextureStageState(0, plat::StageStateType::kAlphaOp, dwAlphaOp);
  lpDevice->SetTextureStageState(0, plat::StageStateType::kAlphaArg1, plat::kArgTexture);
  lpDevice->SetTextureStageState(0, plat::StageStateType::kAlphaArg2, plat::kArgDiffuse);
}

int DDDrawEffectQuad(DDSURFACEDATA* lpTargetSD, DDSURFACEDATA* lpVBOwnerSD, const plat::Vertex* v,
                     const DDQUADSTAGE& stage, const std::shared_ptr<plat::cTexture>& texture) {
  if (!lpDevice || !lpVBOwnerSD || !lpVBOwnerSD->lpDT) return DDQUAD_NO_BUFFER;
  const std::shared_ptr<plat::cVertexBuffer>& vb = lpVBOwnerSD->lpDT->lpVB;
  if (!vb || vb->Count() < 4) return DDQUAD_NO_BUFFER;
  std::copy_n(v, 4, vb->Data());
  if (!DDBeginScene() || !DDSetRenderTarget(lpTargetSD)) return DDQUAD_NO_TARGET;
  lpDevice->SetTextureStageState(0, plat::StageStateType::kColorOp, stage.dwColorOp);
  lpDevice->SetTextureStageState(0, plat::StageStateType::kColorArg1, stage.dwColorArg1);
  lpDevice->SetTextureStageState(0, plat::StageStateType::kColorArg2, stage.dwColorArg2);
  lpDevice->SetTextureStageState(0, plat::StageStateType::kAlphaOp, stage.dwAlphaOp);
  lpDevice->SetTextureStageState(0, plat::StageStateType::kAlphaArg1, stage.dwAlphaArg1);
  lpDevice->SetTextureStageState(0, plat::StageStateType::kAlphaArg2, stage.dwAlphaArg2);
  lpDevice->SetTexture(0, texture);
  lpDevice->SetStreamSource(vb, sizeof(plat::Vertex));
  lpDevice->DrawTriangleStrip(0, 2);
  DDRestoreRenderTarget();
  return DDQUAD_DRAWN;
}
