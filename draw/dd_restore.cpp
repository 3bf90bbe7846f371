#include "draw/dd_restore.h"

#include <cstring>
#include <vector>

#include "app/base/report_log.h"
#include "draw/dd_device_state.h"
#include "draw/dd_globals.h"
#include "draw/dd_init.h"
#include "draw/dd_surface.h"
#include "platform/display/display_window.h"
#include "platform/sjis.h"

namespace {

DDFONTRESTOREHOOKS gFontHooks;

bool IsEmptySurfaceName(const char* name) { return name[0] == '\0' || std::strcmp(name, "E") == 0; }

// Makes one surface of SurfaceList again after the reset, keeping its record.
void Recreate(DDSURFACEDATA* sd) {
  DTSURFACEDATA* dt = sd->lpDT.get();
  if (!dt) return;
  const int noTexture = sd->lpAliasSD ? 1 : 0;
  if (!IsEmptySurfaceName(sd->szFileName)) {
    char name[sizeof sd->szFileName];
    std::memcpy(name, sd->szFileName, sizeof name);
    int code = DDCreateSurfaceFromFile(sd, name, dt->bColorKey, DDSettings.nBpp, sd->nMemKind, dt->nMemType,
                                       noTexture, 0, sd->nMirrorCellWidth, sd->nMirrorCellHeight, 1);
    if (code != 0) ECLog("Err");
    return;
  }
  if (!DDCreateSurface(sd, sd->nWidth, sd->nHeight, dt->bColorKey, sd->nMemKind, dt->nMemType, noTexture, 1))
    ECLog("Err");
  sd->bLost = 1;
}

}  // namespace

void DDSetFontRestoreHooks(const DDFONTRESTOREHOOKS& hooks) { gFontHooks = hooks; }

int DDRestoreSurface() {
  ECLog("Restore In");
  if (!lpDTCon) {
    ECLog(SJ("DDではDDRestoreSurfaceは未対応"));
    return 1;
  }
  if (!lpDevice) return 0;
  // Everything in video memory goes before the reset; system-memory textures and
  // the system-memory twins of render targets keep their pixels.
  for (DDSURFACEDATA* sd : SurfaceList) {
    DTSURFACEDATA* dt = sd->lpDT.get();
    if (!dt || dt->nMemType == DTMEMORYTYPE_SYSTEM) continue;
    dt->lpTexture.reset();
    dt->lpSurface.reset();
  }
  if (gFontHooks.lpOnLostDevice) gFontHooks.lpOnLostDevice();
  if (BackBuffer.lpDT) BackBuffer.lpDT->lpSurface.reset();

  if (lpDevice->TestCooperativeLevel() != plat::kErrDeviceNotReset) {
    ECLog(SJ("復旧失敗…リセット可能な状態ではありません…"));
    return 0;
  }
  if (plat::Failed(lpDevice->Reset(&lpDTCon->PresentParams))) return 0;
  DDSetRenderStates();
  lpDTCon->bInScene = 0;
  if (BackBuffer.lpDT) lpDevice->GetBackBuffer(&BackBuffer.lpDT->lpSurface);

  // In list order; recreating never adds to the list, but a mirrored picture
  // makes and releases a helper record on the way, so the walk uses a copy.
  std::vector<DDSURFACEDATA*> surfaces(SurfaceList.begin(), SurfaceList.end());
  int i = 0;
  for (DDSURFACEDATA* sd : surfaces) {
    ECLogf("i = %d lpSD->szSurfaceType = %s lpSD->szFileName = %s Size = (%d,%d)", i++, sd->szSurfaceType,
           sd->szFileName, sd->nWidth, sd->nHeight);
    Recreate(sd);
  }
  if (gFontHooks.lpRestore) gFontHooks.lpRestore();
  if (!DDSettings.bWindowed) plat::ShowGameWindow(DDSettings.hWnd, plat::kShowNormal);
  ECLog("Restore Out");
  return 1;
}

bool DDRestore() {
  if (lpDTCon) {
    ECLog(SJ("D3DではDDRestoreは未対応"));
    return true;
  }
  if (!lpDD || !PrimarySD.lpDDPart || !PrimarySD.lpDDPart->lpSurface) return true;
  plat::cSurface* primary = PrimarySD.lpDDPart->lpSurface.get();
  if (!primary->IsLost()) return true;
  primary->Restore();
  for (DDSURFACEDATA* sd : {&BackBuffer, &ScreenCopySD}) {
    // The fades' screen copy is restored with the back buffer: left lost, every
    // fade would fail for the rest of the run.
    if (sd->lpDDPart && sd->lpDDPart->lpSurface && sd->lpDDPart->lpSurface->IsLost())
      sd->lpDDPart->lpSurface->Restore();
  }
  for (int i = 0; DDSettings.lpSurfaces && i < DDSettings.nCount; ++i) {
    DDSURFACEDATA* sd = &DDSettings.lpSurfaces[i];
    if (!sd->lpDDPart || !sd->lpDDPart->lpSurface || !sd->lpDDPart->lpSurface->IsLost()) continue;
    sd->lpDDPart->lpSurface->Restore();
    if (sd->nMemKind != DDMEMKIND_VIDEO) continue;
    if (IsEmptySurfaceName(sd->szFileName)) {
      sd->bLost = 1;
    } else {
      DDReloadSurface(sd, DDSettings.nBpp);
    }
  }
  if (DDSettings.nBpp == 8 && lpDDPalette) lpDDPalette->SetEntries(0, 256, ScreenPalette);
  if (gFontHooks.lpRestore) gFontHooks.lpRestore();
  return true;
}
