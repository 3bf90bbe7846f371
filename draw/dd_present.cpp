#include "draw/dd_present.h"

#include "app/base/report_log.h"
#include "app/base/timing.h"
#include "draw/dd_batch.h"
#include "draw/dd_blit.h"
#include "draw/dd_device_state.h"
#include "draw/dd_globals.h"
#include "draw/dd_vir_back.h"
#include "draw/frame_pacing.h"
#include "platform/clock.h"
#include "platform/display/display_window.h"
#include "platform/sjis.h"

namespace {

void HideCursor() {
  while (plat::ShowCursor(false) >= 0) {
  }
}

}  // namespace

int DDPresent(int nRate, int bShowRate, DDSURFACEDATA* lpCharSD) {
  if (!lpDTCon || !lpDevice) return 1;
  // A batch left open belongs to this frame: it is drawn, not carried over.
  DDEndOpenBatches();
  if (lpDTCon->bVirBackBuffer) DDCopyVirBackBuffer(&BackBuffer, &VirBackBuffer);
  if (!DDSettings.bVSync) {
    while (!FramePacing(nRate, bShowRate != 0, lpCharSD)) plat::Sleep(1);
  }
  DDEndScene();
  plat::HResult hr = lpDevice->Present();
  if (hr == plat::kErrDeviceLost) {
    if (!DDSettings.bWindowed) plat::ShowGameWindow(DDSettings.hWnd, plat::kShowMinNoActive);
    return 0;
  }
  return 1;
}

bool DDPresentDirectDraw(int bNoWait) {
  if (lpDTCon || !lpDD || !PrimarySD.lpDDPart || !PrimarySD.lpDDPart->lpSurface || !BackBuffer.lpDDPart ||
      !BackBuffer.lpDDPart->lpSurface)
    return false;
  plat::cSurface* primary = PrimarySD.lpDDPart->lpSurface.get();
  plat::cSurface* back = BackBuffer.lpDDPart->lpSurface.get();
  if (DDSettings.bWindowed) {
    if (!bNoWait) lpDD->WaitForVerticalBlank();
    return !plat::Failed(primary->Blt(&ClientScreenRect, back, nullptr, 0));
  }
  if (!bNoWait) return !plat::Failed(primary->Flip());
  plat::Rect all{0, 0, back->Width(), back->Height()};
  return !plat::Failed(primary->BltFast(0, 0, back, &all, false));
}

int DDSetDialogBoxMode(int bOn) {
  if (!lpDTCon && !lpDD) return 0;
  if (DDSettings.bWindowed) return 1;
  if (lpDTCon) {
    if (!lpDevice) return 0;
    if (bOn) {
      DDEndScene();
      if (plat::Failed(lpDevice->SetDialogBoxMode(true))) {
        ECLog("D3D_OK != lpDevice->SetDialogBoxMode(TRUE)");
        return 0;
      }
      plat::ShowCursor(true);
      return 1;
    }
    HideCursor();
    return plat::Failed(lpDevice->SetDialogBoxMode(false)) ? 0 : 1;
  }
  if (bOn) {
    if (plat::Failed(lpDD->FlipToGDISurface())) return 0;
    while (plat::ShowCursor(true) < 0) {
    }
    return 1;
  }
  HideCursor();
  return 1;
}

int DDMesBox(const char* szText, const char* szCaption, unsigned nType, int* lpnResult) {
  if (!DDSetDialogBoxMode(1)) {
    ECLogf(SJ("DDMesBox 失敗! %s, %s"), szText ? szText : "", szCaption ? szCaption : "");
    return 0;
  }
  int result = plat::ShowMessageBox(DDSettings.hWnd, szText, szCaption, nType);
  if (lpnResult) *lpnResult = result;
  DDSetDialogBoxMode(0);
  return 1;
}
