#include "draw/dd_present.h"

#include "draw/dd_blit.h"
#include "draw/dd_device_state.h"
#include "draw/dd_globals.h"
#include "platform/display/display_window.h"

int DDPresent(int /*nRate*/, int /*bShowRate*/, DDSURFACEDATA* /*lpCharSD*/) {
  if (!lpDTCon || !lpDevice) return 1;
  if (lpDTCon->bVirBackBuffer) DDCopyVirBackBuffer(&BackBuffer, &VirBackBuffer);
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
