#include "draw/dd_vir_back.h"

#include "draw/dd_blit.h"
#include "draw/dd_device_state.h"
#include "draw/dd_globals.h"

void DDSetVirBackBuffer(int bOn) {
  if (!lpDTCon) return;
  if (lpDTCon->bVirBackBuffer && !bOn && VirBackBuffer.lpDT && VirBackBuffer.lpDT->lpSurface)
    DDCopyVirBackBuffer(&BackBuffer, &VirBackBuffer);
  lpDTCon->bVirBackBuffer = bOn;
  lpDTCon->lpDefaultRT = bOn ? &BackBuffer : &VirBackBuffer;
  if (lpDTCon->lpDefaultRT->lpDT && lpDTCon->lpDefaultRT->lpDT->lpSurface) DDSetRenderTarget(lpDTCon->lpDefaultRT);
}

void DDCopyVirBackBuffer(DDSURFACEDATA* lpDstSD, DDSURFACEDATA* lpSrcSD) {
  if (!lpDTCon || !lpSrcSD) return;
  lpDTCon->bCopying = 1;
  DDSetAlphaOp(1);
  DDBltFast(lpDstSD, 0, 0, lpSrcSD->nWidth, lpSrcSD->nHeight, lpSrcSD, 0, 0, 0);
  DDResetAlphaOp();
  lpDTCon->bCopying = 0;
}
