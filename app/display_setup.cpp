#include "app/display_setup.h"

#include "app/base/message_box.h"
#include "app/base/report_log.h"
#include "draw/dd_globals.h"
#include "platform/display/d3d_device.h"
#include "platform/display/ddraw_device.h"
#include "platform/display/display_control.h"
#include "platform/sjis.h"

DISPLAYSETUP DisplaySetup;

bool SettleDisplayValues(SYSTEMINIDATA& ini, const DISPLAYDEFAULTS& defaults, int desktopBpp,
                         DISPLAYSETUP& setup) {
  const bool d3d = ini.Direct3D != 0;
  const bool windowed = ini.WindowMode != 0;
  if (d3d) {
    if (ini.VSync >= 2) ini.VSync = 1;
  } else if (windowed) {
    ini.VSync = 0;
  } else if (ini.VSync >= 2) {
    // Automatic vsync in DirectDraw full screen was on only for systems older than
    // the ones this platform counts as; it is off here.
    ini.VSync = 0;
  }
  int depth = ini.Bpp;
  if (depth == 0) {
    if (windowed)
      depth = desktopBpp;
    else if (d3d)
      depth = defaults.nD3DColourDepth == 1 ? 16 : 32;
    else if (defaults.nDDColourDepth == 1)
      depth = 16;
    else if (defaults.nDDColourDepth == 2)
      depth = defaults.nColourMode == 1 ? 32 : 8;
    else
      depth = 32;
    ini.Bpp = depth;
  }
  bool ok = depth == 16 || depth == 32 || (!d3d && depth == 8 && !windowed && defaults.nColourMode == 0);
  if (ok && windowed && depth != desktopBpp) ok = false;
  if (!ok) {
    if (windowed && (depth == 16 || depth == 32))
      ReportFailureBox("%s", SJ("画面モードが不正です！\nウインドウモードではSystem.iniの設定と画面の色の設定を合わせて下さい！"));
    else
      ReportFailureBox("%s", SJ("画面モードが不正です！\nSystem.iniと画面の設定を見直して下さい！"));
    return false;
  }
  setup.bDirect3D = d3d ? 1 : 0;
  setup.bWindowed = windowed ? 1 : 0;
  setup.nBpp = depth;
  setup.bVSync = ini.VSync != 0 ? 1 : 0;
  return true;
}

namespace {

// The capability lines of the Direct3D part. The rest of that part (DirectX
// version, adapters, drivers, the capability dump and the format table) describes
// a graphics driver that the software display device does not have.
bool ReportDirect3D() {
  if (!lpDTCon) return true;
  const plat::DeviceCaps& caps = lpDTCon->Caps;
  bool ok = true;
  if (caps.alphaFlipOrDiscard) ok = ok && ReportLog("D3DCAPS3_ALPHA_FULLSCREEN_FLIP_OR_DISCARD");
  if (caps.pow2Textures) ok = ok && ReportLog("D3DPTEXTURECAPS_POW2");
  if (caps.squareTextures) ok = ok && ReportLog("D3DPTEXTURECAPS_SQUAREONLY");
  if (caps.dynamicTextures) ok = ok && ReportLog("D3DCAPS2_DYNAMICTEXTURES");
  return ok;
}

}  // namespace

bool ReportDisplayInfo(int /*detail*/) {
  bool ok = ReportLog(DDSettings.bWindowed ? "Mode : Window" : "Mode : Fullscreen");
  ok = ok && ReportLog("Bpp : %d", DDSettings.nBpp);
  if (lpDD) {
    uint32_t total = 0, free = 0, hz = 0;
    lpDD->GetAvailableVidMem(&total, &free);
    lpDD->GetMonitorFrequency(&hz);
    const double mb = 1024.0 * 1024.0;
    ok = ok && ReportLog("VRAM Total : %.3fMB", total / mb);
    ok = ok && ReportLog("VRAM Free : %.3fMB", free / mb);
    ok = ok && ReportLog("RR : %u", hz);
  }
  return ok && ReportDirect3D();
}

void GetVideoMemory(int* totalMB, int* freeMB) {
  uint32_t total = 0, free = 0;
  if (lpDD) lpDD->GetAvailableVidMem(&total, &free);
  if (totalMB) *totalMB = static_cast<int>(total >> 20);
  if (freeMB) *freeMB = static_cast<int>(free >> 20);
}

int GetDDIVersion() {
  int level = plat::DisplayDriverLevel();
  return level == 0 ? 99999 : level;
}
