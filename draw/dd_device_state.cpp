#include "draw/dd_device_state.h"

#include "app/base/report_log.h"
#include "draw/dd_globals.h"

int DDBeginScene() {
  if (!lpDTCon || !lpDevice) return 0;
  if (lpDTCon->bInScene) return 1;
  plat::HResult hr = lpDevice->BeginScene();
  if (plat::Failed(hr)) {
    ReportLogEC("BeginScene Err %x", static_cast<unsigned>(hr));
    return 0;
  }
  lpDTCon->bInScene = 1;
  return 1;
}

void DDEndScene() {
  if (!lpDTCon || !lpDevice || !lpDTCon->bInScene) return;
  lpDevice->EndScene();
  lpDTCon->bInScene = 0;
}

int DDSetRenderTarget(DDSURFACEDATA* lpSD) {
  if (!lpDevice || !lpSD || !lpSD->lpDT || !lpSD->lpDT->bRenderTarget || !lpSD->lpDT->lpSurface) return 0;
  plat::HResult hr = lpDevice->SetRenderTarget(0, lpSD->lpDT->lpSurface);
  if (plat::Failed(hr)) {
    ReportLogEC("SetRenderTarget Err %x (%s)", static_cast<unsigned>(hr), lpSD->szFileName);
    return 0;
  }
  return 1;
}

void DDRestoreRenderTarget() {
  if (lpDTCon && lpDTCon->lpDefaultRT) DDSetRenderTarget(lpDTCon->lpDefaultRT);
}

bool DDRedirectBackBuffer(DDSURFACEDATA*& lpSD) {
  if (lpDTCon && lpDTCon->bVirBackBuffer && lpSD == &BackBuffer) {
    lpSD = &VirBackBuffer;
    return true;
  }
  return false;
}

bool DDResolveAlias(DDSURFACEDATA*& lpSD) {
  if (lpSD && lpSD->lpAliasSD) {
    lpSD = lpSD->lpAliasSD;
    return true;
  }
  return false;
}

bool DDIsFullScreenBack(const DDSURFACEDATA* lpSD) { return lpSD == &BackBuffer && !DDSettings.bWindowed; }

void DDSetDiffuse(uint32_t argb) {
  if (lpDTCon) lpDTCon->dwDiffuse = argb;
}
void DDResetDiffuse() { DDSetDiffuse(0xFFFFFFFF); }
void DDSetColorOp(uint32_t op) {
  if (lpDTCon) lpDTCon->dwColorOp = op;
}
void DDResetColorOp() { DDSetColorOp(4); }
void DDSetAlphaOp(uint32_t op) {
  if (lpDTCon) lpDTCon->dwAlphaOp = op;
}
void DDResetAlphaOp() { DDSetAlphaOp(2); }
