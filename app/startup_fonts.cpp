// The fonts' steps of InitGame and UnInitGame.
#include "app/display_setup.h"
#include "app/startup_steps.h"
#include "app/svc/system_ini.h"
#include "data/font_faces.h"
#include "data/project_globals.h"
#include "draw/draw.h"

namespace {

// After a device reset or a surface loss every font refills the atlases it lost.
void RestoreFonts() {
  for (Font* font : FontList) font->Restore();
}

}  // namespace

bool StartFonts(cStartup&) {
  DDFONTRESTOREHOOKS hooks;
  hooks.lpOnLostDevice = &LoseFontDevices;
  hooks.lpRestore = &RestoreFonts;
  DDSetFontRestoreHooks(hooks);
  return InitGameFonts(FontFaceName(SystemData.nFont).c_str(), SystemIni.D3D_FontCache, SystemIni.DD_FontCache,
                       SystemData.bFontIcons, SystemData.bFontCentre);
}

bool ReportFonts(cStartup&) {
  ReportFontAtlasCounts();
  return true;
}

bool ReleaseFonts(cStartup&) {
  ReleaseGameFonts();
  DDSetFontRestoreHooks(DDFONTRESTOREHOOKS{});
  return true;
}
