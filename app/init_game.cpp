// Start-up and its release: InitGame and UnInitGame, each a table of steps in
// their order. A step whose subsystem is not built yet has no function: it is
// skipped (and named in the trace log), never treated as done. Each later piece of
// work writes its step and puts it into the table. The steps of the drawing layer
// and of sound live beside them (startup_drawing.cpp, startup_sound.cpp).
//
// Every step has its function now. InitGame 15's InitCommonControls has no
// counterpart: the dialogs' controls are the platform's own (platform/ui) and
// need no registration.
#include "app/init_game.h"

#include <cstdint>
#include <string>
#include <vector>

#include "app/base/message_box.h"
#include "app/base/path_util.h"
#include "app/base/record.h"
#include "app/base/report_log.h"
#include "app/base/shell_globals.h"
#include "app/display_setup.h"
#include "app/main_window.h"
#include "app/startup_steps.h"
#include "app/svc/input_startup.h"
#include "app/svc/key_config.h"
#include "app/svc/mode_manager.h"
#include "app/svc/palette_set.h"
#include "app/svc/system_ini.h"
#include "app/ui/draw_mode_dlg.h"
#include "app/ui/hook.h"
#include "app/ui/window.h"
#include "app/window_data.h"
#include "chara/command_param_table.h"
#include "data/project_globals.h"
#include "data/startup_data.h"
#include "draw/dd_globals.h"
#include "modes/stage_file_start.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/joystick.h"
#include "platform/rand.h"
#include "platform/sjis.h"
#include "platform/window.h"

namespace {

struct cStep {
  const char* number;
  const char* what;
  bool (*run)(cStartup& s);  // null: PENDING, the subsystem is not built yet
  const char* waitsFor;      // the subsystem that will provide the step
};

bool SeedRandom(cStartup&) {
  // The clock already counts whole milliseconds; only the generator needs its seed.
  plat::SRand(plat::TimeGetTime());
  return true;
}

bool SetDataVersion(cStartup&) {
  nDataVersion = kDataVersion;
  bStripCR = 1;
  return true;
}

bool BuildCommandParams(cStartup&) {
  BuildCommandParamTable();
  return true;
}

bool LoadDatabase(cStartup&) { return LoadDatabaseStep(); }

bool PrepareDatabase(cStartup&) {
  PrepareDatabaseTables();
  return true;
}

bool LoadSystemData(cStartup&) { return LoadSystemDataStep(); }

bool ReadSystemIni(cStartup&) {
  const SystemIniKeys keys = SystemIniKeysOf(SystemData);
  SetSystemIniDefaults(SystemIni, keys);
  if (!LoadSystemIni("System.ini", SystemIni, keys)) {
    ReportLogBox("%s", SJ("System.ini の読み込みに失敗しました！"));
    SetSystemIniDefaults(SystemIni, keys);
  }
  return true;
}

bool TakeCommandLine(cStartup& s) {
  if (s.strCommandLine.empty()) return true;
  if (s.strCommandLine.size() > kMaxPathChars) {
    // A path that does not fit is refused rather than cut into another name.
    ReportLogEC(SJ("「%s」の読み込みに失敗しました！"), s.strCommandLine.c_str());
    SystemIni.FreeStage.clear();
    return true;
  }
  SystemIni.FreeStage = s.strCommandLine;
  return true;
}

bool SetSceneManager(cStartup&) {
  ModeManager.m_nFrameRate = 60;
  ModeManager.m_nFadeStep = 10;
  return true;
}

bool SetInputRepeat(cStartup&) {
  InitInputRepeat();
  return true;
}

bool SettleDisplay(cStartup&) {
  DISPLAYDEFAULTS defaults;
  defaults.nColourMode = SystemData.nColorMode;
  defaults.nD3DColourDepth = SystemData.nD3DBpp;
  defaults.nDDColourDepth = SystemData.nDDBpp;
  return SettleDisplayValues(SystemIni, defaults, plat::DesktopBitsPerPixel(), DisplaySetup);
}

bool AskDrawingMode(cStartup&) { return ChooseDrawingMode(); }

bool InitMainWindowObject(cStartup&) {
  MainWindow.Init(0, 0, &WindowRegistry);
  MainWindow.m_lpfnProc = &cMainWindow::Proc;
  return true;
}

bool TakeWindowHandle(cStartup&) {
  hMainWnd.store(MainWindow.m_hWnd);
  // A resizable Direct3D window: the sizing frame.
  if (DisplaySetup.bDirect3D && DisplaySetup.bWindowed && SystemIni.WindowMode == 2)
    MainWindow.AddStyle(plat::WS_THICKFRAME);
  plat::SetWindowTitle(MainWindow.m_hWnd, SystemData.strTitle);
  return true;
}

bool LimitVideoStretch(cStartup&) {
  if (DisplaySetup.nBpp == 8) SystemIni.DD_VideoStretch = 0;
  return true;
}

bool PlaceWindow(cStartup& s) {
  if (SystemIni.WindowMode == 0) return true;
  // A missing or damaged file keeps the centred window.
  if (!WindowData.LoadPlacement(kWindowDataPath)) return true;
  plat::MoveGameWindow(MainWindow.m_hWnd, WindowData.m_nX, WindowData.m_nY);
  if (DisplaySetup.bDirect3D && SystemIni.WindowMode == 2)
    plat::ResizeClient(MainWindow.m_hWnd, WindowData.m_nWidth, WindowData.m_nHeight);
  if (WindowData.m_bMaximised) s.nShowCommand = plat::SW_MAXIMIZE;
  return true;
}

bool ShowWindow(cStartup& s) {
  ShowGameWindow(s);
  return true;
}

bool ReportDisplay(cStartup&) {
  ReportDisplayInfo(1);
  return true;
}

bool StartInputDevices(cStartup&) { return InitInputDevices(); }

bool ReadKeyConfiguration(cStartup&) {
  LoadKeyConfig();
  return true;
}

bool CopyDefaultData(cStartup&) { return CopyDefaultDataStep(); }

bool MakeStartupFolders(cStartup&) {
  CreateStartupFoldersStep();
  return true;
}

bool LoadOptions(cStartup&) {
  LoadOptionStep();
  return true;
}

bool ApplyPaletteSet(cStartup&) {
  // The blend table's message comes from SetPaletteSet; its failure ends the start.
  if (DDSettings.nBpp != 8) return true;
  return SetPaletteSet(OptionData.nPaletteSet);
}

bool LoadWorldMap(cStartup&) { return LoadWorldMapStep(); }

bool LoadCommonPalette(cStartup&) { return LoadCommonPaletteStep(); }

bool FindStartStage(cStartup&) {
  std::string& path = SystemIni.FreeStage;
  if (path.empty()) return true;
  FindLatestVersion(path, path, "stg4");
  if (!plat::FileExists(path)) {
    ReportLogEC(SJ("「%s」の読み込みに失敗しました！"), path.c_str());
    path.clear();
    return true;
  }
  // A folder or a device by the stage's name cannot be played: the start ends, saying so.
  std::vector<uint8_t> probe;
  if (plat::FileSize(path) < 0) {
    ReportFailure(SJ("「%s」の読み込みに失敗しました！ (%s)"), path.c_str(),
                  plat::ReadStatusText(plat::ReadWholeFile(path, probe, 0)));
    return false;
  }
  return true;
}

bool PlayStartStage(cStartup&) {
  const std::string& path = SystemIni.FreeStage;
  return path.empty() || StartStartupStage(path);
}

const cStep kInitSteps[] = {
    {"1", "timer resolution, srand(timeGetTime())", SeedRandom, ""},
    {"2", "data version 752, strip-carriage-return on", SetDataVersion, ""},
    {"3", "BuildCommandParamTable", BuildCommandParams, ""},
    {"4", "CopyDefaultData: \"data\\\" made from \"default\\\" after asking", CopyDefaultData, ""},
    {"5", "the folders of the data-folder table", MakeStartupFolders, ""},
    {"6", "cEdDatabase::Load: the ten database files", LoadDatabase, ""},
    {"7", "working copies of the effect lists, animation and effect sequences, prepared effects",
     PrepareDatabase, ""},
    {"8", "SystemData from \"data\\System.dat\"", LoadSystemData, ""},
    {"9", "\"System.ini\" with the keys of SystemData", ReadSystemIni, ""},
    {"10", "drawing-mode dialog and \"user_data\\Boot.dat\" when Direct3D is 2 or more", AskDrawingMode, ""},
    {"11", "a non-empty command line replaces FreeStage", TakeCommandLine, ""},
    {"12", "scene manager: frame rate 60, fade step 10", SetSceneManager, ""},
    {"13", "cInput::SetRepeat(18, 6) on every Input entry", SetInputRepeat, ""},
    {"14", "display values settled and tested", SettleDisplay, ""},
    {"15", "cWindow::Init of the main window with WindowRegistry, its procedure", InitMainWindowObject, ""},
    {"15", "hMainWnd, the resizable frame of WindowMode 2, the game title as window title", TakeWindowHandle, ""},
    {"16", "DD_VideoStretch := 0 at 8 bits", LimitVideoStretch, ""},
    {"17", "DDInit (one fall-back from Direct3D to DirectDraw)", StartDrawingLayer, ""},
    {"18", "Direct3D texture-failure text, LinkSurfaceAliases", PrepareDirect3DSurfaces, ""},
    {"19", "window placement from \"user_data\\Window.dat\"", PlaceWindow, ""},
    {"20", "ShowWindow (full screen at the desktop's size)", ShowWindow, ""},
    {"21", "display part of the system report", ReportDisplay, ""},
    {"22", "palette and transparent colour", LoadPaletteAndKey, ""},
    {"23", "copy switch of the DirectDraw present", SetPresentCopySwitch, ""},
    {"24", "DDLoadSurfaceTable: the 71 system surfaces", LoadSystemSurfaces, ""},
    {"25", "font descriptors, CreateFontTable, CreateNumberSurfaces", StartFonts, ""},
    {"26", "joysticks, scripted input (KORVANE_INPUT), cInput::InitJoyButtons on every Input entry", StartInputDevices, ""},
    {"27", "ReadKeyConfig, else SetDefaultKeyConfig", ReadKeyConfiguration, ""},
    {"28", "\"user_data\\Option.dat\" (a file that cannot be read keeps the defaults)", LoadOptions, ""},
    {"29", "SetPaletteSet with the option record's palette set at 8 bits", ApplyPaletteSet, ""},
    {"30", "cBgmPlayer::Init when music is on", StartMusicPlayer, ""},
    {"31", "sound descriptors and SoundTable", BuildSoundTable, ""},
    {"32", "DS_Init(22050, 8, 1)", StartSoundEffects, ""},
    {"33", "DS_LoadAll", LoadSoundEffects, ""},
    {"34", "\"data\\WorldMap.dat\"", LoadWorldMap, ""},
    {"35", "\"data\\CommonPalette.cplt4\"", LoadCommonPalette, ""},
    {"36", "start-up stage: newest version, a missing file logged", FindStartStage, ""},
    {"36", "start-up stage: StartStageFile(path, 1) and the scene manager set to stage play", PlayStartStage, ""},
};

bool ReleaseScenes(cStartup&) {
  ModeManager.DeleteScenes();
  return true;
}

bool NothingToRelease(cStartup&) { return true; }

bool RemoveKeyboardHook(cStartup&) {
  cHook::Uninstall();
  return true;
}

bool CloseJoysticks(cStartup&) {
  plat::ShutdownJoysticks();
  return true;
}

const cStep kUnInitSteps[] = {
    {"1", "\"Font10 : %d\" and \"Font16 : %d\"", ReportFonts, ""},
    {"2", "timer resolution (nothing to give back here)", NothingToRelease, ""},
    {"3", "DS_Release", ReleaseSoundEffects, ""},
    {"4", "cBgmPlayer::Release", ReleaseMusicPlayer, ""},
    {"5", "cModeManager::DeleteScenes", ReleaseScenes, ""},
    {"6", "the three fonts, then (7) the three digit sheets", ReleaseFonts, ""},
    {"8", "DDUnInit / DDRelease", ReleaseDrawingLayer, ""},
    {"9", "cHook::Uninstall", RemoveKeyboardHook, ""},
    // The platform's own releases: the joysticks, and the audio output last, once
    // nothing that sounds is left.
    {"-", "joysticks", CloseJoysticks, ""},
    {"-", "audio output", CloseAudio, ""},
};

}  // namespace

void ShowGameWindow(const cStartup& s) {
  // Full screen is the desktop's own size; the window system scales the frames.
  plat::SetFullScreen(MainWindow.m_hWnd, !DisplaySetup.bWindowed);
  plat::ShowMainWindow(MainWindow.m_hWnd, DisplaySetup.bWindowed ? s.nShowCommand : plat::SW_SHOW);
}

namespace {

template <size_t N>
bool RunSteps(const cStep (&steps)[N], cStartup& s, const char* name) {
  for (const cStep& step : steps) {
    if (!step.run) {
      ECLogf("%s step %s waits for %s: %s", name, step.number, step.waitsFor, step.what);
      continue;
    }
    int reported = FailuresReported();
    if (!step.run(s)) {
      // Every failed start says why; a step without a message of its own is named.
      if (FailuresReported() == reported) ReportFailure("start-up failed: %s", step.what);
      return false;
    }
  }
  return true;
}

}  // namespace

bool InitGame(const std::string& commandLine, int showCommand) {
  cStartup s;
  s.strCommandLine = commandLine;
  s.nShowCommand = showCommand;
  return RunSteps(kInitSteps, s, "InitGame");
}

void UnInitGame() {
  cStartup s;
  RunSteps(kUnInitSteps, s, "UnInitGame");
}
