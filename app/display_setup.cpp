#include "app/display_setup.h"

#include "app/message_box.h"
#include "app/report_log.h"
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
      ErrorBox(SJ("画面モードが不正です！\nウインドウモードではSystem.iniの設定と画面の色の設定を合わせて下さい！"));
    else
      ErrorBox(SJ("画面モードが不正です！\nSystem.iniと画面の設定を見直して下さい！"));
    return false;
  }
  setup.bDirect3D = d3d ? 1 : 0;
  setup.bWindowed = windowed ? 1 : 0;
  setup.nBpp = depth;
  setup.bVSync = ini.VSync != 0 ? 1 : 0;
  return true;
}

bool ReportDisplayInfo(int /*detail*/) {
  bool ok = ReportLog(DisplaySetup.bWindowed ? "Mode : Window" : "Mode : Fullscreen");
  ok = ok && ReportLog("Bpp : %d", DisplaySetup.nBpp);
  // PENDING (drawing layer): "VRAM Total", "VRAM Free" and "RR" when a DirectDraw
  // object exists; the DirectX report (with the detail flag) under Direct3D.
  return ok;
}
