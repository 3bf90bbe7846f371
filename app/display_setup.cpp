#include "app/display_setup.h"

#include <string>

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

// One cell of the format table: its label and what the device answered.
std::string FormatCell(const char* prefix, const char* kind, plat::HResult hr) {
  const char* mark = hr == plat::kOk                ? SJ("○ ")
                     : hr == plat::kErrNotAvailable ? SJ("× ")
                     : hr == plat::kErrInvalidCall  ? SJ("？ ")
                                                    : SJ("－ ");
  return std::string(prefix) + "-" + kind + mark;
}

// The format table: per usage, whether a surface and a texture of the textures'
// format can serve it while the adapter shows the back buffer's format.
bool ReportFormatTable() {
  struct Row {
    const char* prefix;
    plat::FormatUsage usage;
  };
  static const Row kRows[] = {
      {"AU", plat::FormatUsage::kAutoGenMipmap}, {"DE", plat::FormatUsage::kDepthStencil},
      {"DM", plat::FormatUsage::kDisplacementMap}, {"DO", plat::FormatUsage::kDoNotClip},
      {"DY", plat::FormatUsage::kDynamic},        {"NP", plat::FormatUsage::kNPatches},
      {"PO", plat::FormatUsage::kPoints},         {"RT", plat::FormatUsage::kRtPatches},
      {"RE", plat::FormatUsage::kRenderTarget},   {"SO", plat::FormatUsage::kSoftwareProcessing},
      {"WR", plat::FormatUsage::kWriteOnly},
  };
  bool ok = true;
  for (const Row& r : kRows) {
    const plat::HResult surface =
        lpD3D->CheckDeviceFormat(lpDTCon->fmtBackBuffer, r.usage, plat::ResourceKind::kSurface, lpDTCon->fmtTexture);
    const plat::HResult texture =
        lpD3D->CheckDeviceFormat(lpDTCon->fmtBackBuffer, r.usage, plat::ResourceKind::kTexture, lpDTCon->fmtTexture);
    ok = ok && ReportLog("%s%s", FormatCell(r.prefix, "SU", surface).c_str(), FormatCell(r.prefix, "TE", texture).c_str());
  }
  return ok;
}

// The Direct3D part of the display report: the device's version text, texture
// memory, the adapter (chip, memory, driver and its version, interface level,
// texture limits), the capabilities the drawing layer looks at, with the detail
// flag the format table, and the acceleration switches.
bool ReportDirect3D(int detail) {
  if (!lpDTCon) return true;
  const plat::DisplayMachine& machine = plat::DisplayControl().Machine();
  const plat::AdapterInfo& a = machine.adapter;
  const plat::DeviceCaps& caps = lpDTCon->Caps;
  bool ok = ReportLog("%s", a.versionText.c_str());
  if (lpDevice) ok = ok && ReportLog("TextureMem : %dMB", static_cast<int>(lpDevice->AvailableTextureMem() >> 20));
  ok = ok && ReportLog(SJ("---デバイス%d"), 0);
  ok = ok && ReportLog("Destination : %s", a.chipType.c_str());
  ok = ok && ReportLog("VRAM : %u MB", machine.videoMemoryBytes >> 20);
  ok = ok && ReportLog("Driver : %s %1d.%02d.%04d.%04d", a.driverName.c_str(), a.driverVersion[0], a.driverVersion[1],
                       a.driverVersion[2], a.driverVersion[3]);
  ok = ok && ReportLog("DDI : %d", GetDDIVersion());
  ok = ok && ReportLog("TextureMaxSize : (%d,%d)", caps.maxTextureWidth, caps.maxTextureHeight);
  ok = ok && ReportLog("TextureMaxBlend : (%d,%d)", a.maxTextureBlendStages, a.maxSimultaneousTextures);
  if (caps.alphaFlipOrDiscard) ok = ok && ReportLog("D3DCAPS3_ALPHA_FULLSCREEN_FLIP_OR_DISCARD");
  if (caps.pow2Textures) ok = ok && ReportLog("D3DPTEXTURECAPS_POW2");
  if (caps.squareTextures) ok = ok && ReportLog("D3DPTEXTURECAPS_SQUAREONLY");
  if (caps.dynamicTextures) ok = ok && ReportLog("D3DCAPS2_DYNAMICTEXTURES");
  if (detail && lpD3D) ok = ok && ReportFormatTable();
  const char* yes = SJ("○");
  const char* no = SJ("×");
  ok = ok && ReportLog("DirectDraw : %s", a.directDrawAccelerated ? yes : no);
  ok = ok && ReportLog("Direct3D : %s", a.direct3DAccelerated ? yes : no);
  ok = ok && ReportLog("AGP : %s", a.agp ? yes : no);
  return ok;
}

}  // namespace

bool ReportDisplayInfo(int detail) {
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
  return ok && ReportDirect3D(detail);
}

int GetDDIVersion() {
  int level = plat::DisplayDriverLevel();
  return level == 0 ? 99999 : level;
}
