// The drawing layer's steps of InitGame and UnInitGame, and what the display
// device asks of the game window.
#include <new>

#include "app/base/message_box.h"
#include "app/display_setup.h"
#include "app/main_window.h"
#include "app/base/report_log.h"
#include "app/startup_steps.h"
#include "app/svc/mode_manager.h"
#include "app/svc/system_ini.h"
#include "app/ui/boot_data.h"
#include "app/ui/draw_mode_dlg.h"
#include "data/project_globals.h"
#include "draw/dd_palette.h"
#include "draw/draw.h"
#include "platform/display/bmp_decoder.h"
#include "platform/display/display_window.h"
#include "platform/message_box.h"
#include "platform/sjis.h"
#include "platform/window.h"
#include "res/dialog_templates.h"

namespace {

// The window functions run on the window thread; the device may ask from the
// thread that draws (a lost full-screen device minimises the window).
void OnWindowThread(plat::HWND window, void (*call)(plat::HWND, int), int value) {
  plat::CallOnWindowThread(window, [=] {
    call(window, value);
    return plat::LRESULT(0);
  });
}

plat::Rect ClientRect(uint32_t window) {
  int width = 640, height = 480;
  plat::GetClientSize(window, &width, &height);
  return plat::Rect{0, 0, width, height};
}

void ShowCursor(bool visible) {
  OnWindowThread(plat::GameWindow(), [](plat::HWND, int on) { plat::ShowMouseCursor(on != 0); }, visible ? 1 : 0);
}

void ShowWindow(uint32_t window, int command) {
  OnWindowThread(window, [](plat::HWND w, int c) { plat::ShowMainWindow(w, c); }, command);
}

void InstallDisplayWindowHooks() {
  plat::DisplayWindowHooks hooks;
  hooks.clientRect = &ClientRect;
  // The full-screen style is the shell's to set, when it shows the window (step
  // 20): the device only records that it asked.
  hooks.setFullScreen = nullptr;
  hooks.showCursor = &ShowCursor;
  hooks.showWindow = &ShowWindow;
  // A box over the full-screen game is drawn inside the game window.
  hooks.messageBox = [](uint32_t, const char* text, const char* caption, unsigned type) {
    return plat::ShowWindowMessageBox(text, caption, type);
  };
  plat::SetDisplayWindowHooks(hooks);
}

// A box over the full-screen game; 0 when the drawing layer could not show it
// (the plain box is shown then).
int FullScreenBox(const char* text, const char* caption, unsigned type) {
  int result = 0;
  return DDMesBox(text, caption, type, &result) ? result : 0;
}

bool InitDrawing(int backEnd) {
  if (!DDInit(backEnd, MainWindow.m_hWnd, 640, 480, DisplaySetup.nBpp, DisplaySetup.bVSync, DisplaySetup.bWindowed,
              1, 60, DisplaySetup.bVSync, Off_Sys, SysBmpInfo, SYS_BMP_COUNT))
    return false;
  SetFullScreenMesBox(DDSettings.bWindowed ? nullptr : &FullScreenBox);
  return true;
}

}  // namespace

bool StartDrawingLayer(cStartup& s) {
  InstallDisplayWindowHooks();
  if (InitDrawing(DisplaySetup.bDirect3D)) return true;
  if (!DisplaySetup.bDirect3D) return false;
  // Direct3D could not be set up: DirectDraw with the same values, without a message.
  SetFullScreenMesBox(nullptr);
  DDRelease();
  SystemIni.Direct3D = 0;
  DisplaySetup.bDirect3D = 0;
  ShowGameWindow(s);
  return InitDrawing(0);
}

bool PrepareDirect3DSurfaces(cStartup&) {
  if (!lpDTCon) return true;
  lpDTCon->strMessage = SJ(
      "テクスチャの作成に失敗しました！\nビデオカードの性能が十分ではないかもしれません。\n"
      "System.iniファイルで「Direct3D=0」に変更してDirect3Dを無効にすれば改善される可能性があります。");
  LinkSurfaceAliases();
  return true;
}

bool LoadPaletteAndKey(cStartup&) {
  if (DDInitPaletteAndTransmit(SystemData.nColorMode == 1 ? 1 : 0, SystemData.byTransR, SystemData.byTransG,
                               SystemData.byTransB))
    return true;
  // No box here (the drawing layer's start), but the reason is said.
  std::string why = "not a picture the drawing layer can use";
  plat::cBmpImage image;
  plat::LoadBmpFile(kPaletteFile, image, &why);
  ReportFailure(SJ("%s の読み込みに失敗！ (%s)"), kPaletteFile, why.c_str());
  return false;
}

bool SetPresentCopySwitch(cStartup&) {
  DisplaySetup.bPresentByCopy = 0;
  if (lpDTCon || !lpDD || DDSettings.bWindowed) return true;
  uint32_t hz = 0;
  lpDD->GetMonitorFrequency(&hz);
  if (SystemIni.VSync == 0 || hz < static_cast<uint32_t>(ModeManager.m_nFrameRate)) DisplaySetup.bPresentByCopy = 1;
  return true;
}

bool LoadSystemSurfaces(cStartup&) { return DDLoadAllSystemSurfaces(); }

bool ReleaseDrawingLayer(cStartup&) {
  SetFullScreenMesBox(nullptr);
  if (DDSettings.bWindowed)
    DDUnInit();
  else
    DDRelease();
  return true;
}

bool ChooseDrawingMode() {
  if (SystemIni.Direct3D < 2) return true;
  BootData.Load(kBootDataPath);  // a missing or damaged file keeps the fresh record's values
  if (!BootData.m_bNoAsk) {
    // The window was centred after its last message: the framework takes its place now.
    MainWindow.KeepPosition();
    auto* dialog = new (std::nothrow) cDrawModeDlg(IDD_DRAW_MODE, &MainWindow, 1, &WindowRegistry);
    if (!dialog) {
      OutOfMemory();
      return false;
    }
    const plat::LRESULT result = dialog->DoModal(0);
    delete dialog;
    if (result <= 0) return false;
  }
  SystemIni.Direct3D = BootData.m_nDrawMode == 1 ? 1 : 0;
  return true;
}
