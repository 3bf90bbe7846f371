// The game thread and its frame step.
//
// Under Direct3D the pacing is the present's own (drawing layer, present pacing).
// The per-frame palette services of the scenes, SetPaletteSet and CycleMenuColors,
// live in palette_set.cpp and menu_colors.cpp; the menu scenes and the stage
// drawing call CycleMenuColors once per frame.
#include <atomic>
#include <string>

#include "app/base/play_trace.h"
#include "app/base/report_log.h"
#include "app/base/shell_globals.h"
#include "app/base/timing.h"
#include "app/display_setup.h"
#include "app/main_window.h"
#include "app/svc/input.h"
#include "app/svc/key_config.h"
#include "app/svc/mode_manager.h"
#include "app/svc/system_ini.h"
#include "draw/dd_globals.h"
#include "draw/dd_present.h"
#include "draw/dd_restore.h"
#include "draw/dd_surface.h"
#include "draw/font_table.h"
#include "draw/play_surfaces.h"
#include "data/project_globals.h"
#include "stage/stage_scene.h"
#include "platform/clock.h"
#include "platform/messages.h"
#include "platform/present_slot.h"
#include "platform/scripted_input.h"
#include "platform/test_controls.h"

namespace {

// Frame-step state of the game thread.
int gFps = 0;
int gFrameTime = 0;
int gFrameTimeRing[16] = {};
int gFrameTimeIndex = 0;
int gFrameTimeAverage = 0;

// The run's frame counter (see mode_manager.h).
std::atomic<uint32_t> gFrameNumber{0};

bool Direct3DInUse() { return lpDTCon != nullptr; }

// Whether a stage runs at a frame rate above 60 (its frames are then shown without
// waiting for the vertical blank).
bool FastStage() { return ModeManager.m_pStage != nullptr && StageData.nFrameRate > 60; }

// Restores every lost surface of a list; false at the first reload that fails.
template <class Surfaces>
bool RestoreSurfaces(Surfaces& surfaces) {
  for (DDSURFACEDATA& sd : surfaces)
    if (!RestoreLostSurface(sd)) return false;
  return true;
}

// KORVANE_TRACE_INPUT: each change of player 1's sampled words, for the end-to-end
// input test.
void TraceInput(uint32_t frame, const cInput& in) {
  static int lastDirection = -1, lastButtons = -1;
  if (in.m_wDirection == lastDirection && in.m_wButton == lastButtons) return;
  lastDirection = in.m_wDirection;
  lastButtons = in.m_wButton;
  ReportLog("Input : frame %u direction %d buttons %d", frame, lastDirection, lastButtons);
}

}  // namespace

void WaitNextFrame() {
  if (Direct3DInUse()) return;
  while (!RateGate(ModeManager.m_nFrameRate)) plat::Sleep(1);
}

uint32_t StartFrameNumber() {
  uint32_t n = gFrameNumber.fetch_add(1) + 1;
  plat::SetFrameNumber(n);
  PlayTraceSetFrame(n);
  return n;
}

uint32_t FrameNumber() { return gFrameNumber.load(); }

bool RestoreLostSurface(DDSURFACEDATA& sd) {
  if (!IsSurfaceLost(sd)) return true;
  sd.lpDDPart->lpSurface->Restore();
  if (sd.nMemKind != DDMEMKIND_VIDEO) return true;
  sd.bLost = 1;
  return DDReloadSurface(&sd, DDSettings.nBpp);
}

bool IsSurfaceLost(const DDSURFACEDATA& sd) {
  return sd.lpDDPart && sd.lpDDPart->lpSurface && sd.lpDDPart->lpSurface->IsLost();
}

bool cModeManager::RestoreLostSurfaces() {
  if (Direct3DInUse() || !IsSurfaceLost(PrimarySD)) return true;
  DDRestore();
  if (!RestoreSurfaces(Off_CharaExc) || !RestoreSurfaces(Off_Effect) || !RestoreSurfaces(Off_Sword) ||
      !RestoreSurfaces(Off_Picture) || !RestoreSurfaces(Off_Scene) || !RestoreSurfaces(Off_Msg))
    return false;
  for (int i = 0; i < FONT_COUNT; ++i) {
    DDSURFACEDATA& sheet = Off_Num[i];
    if (!IsSurfaceLost(sheet)) continue;
    sheet.lpDDPart->lpSurface->Restore();
    if (sheet.nMemKind == DDMEMKIND_VIDEO) DrawDigitSheet(&sheet, &Fonts[i]);
  }
  if (!Off_Msg.empty()) ECLogf("if ( !RestoreSurface(Off_Msg) ) Off_Msg[0].bLost = %d", Off_Msg.front().bLost);
  return true;
}

void cModeManager::ReadInput(cVector<cInput>& in) {
  // A test's scripted keys and joystick take effect at this frame's sample.
  plat::ApplyScriptedInput(FrameNumber());
  if (KeyConfig.bUse)
    in.At(0).ReadConfigured(1, 60);
  else
    in.At(0).ReadDefault(0, 3, 60);
  if (plat::TraceInput()) TraceInput(FrameNumber(), in.At(0));
}

void cModeManager::Present() {
  if (Direct3DInUse()) {
    // A lost device: the window thread restores it while this thread waits.
    if (!DDPresent(m_nFrameRate, 0, nullptr)) plat::SendMessage(hMainWnd.load(), WM_RESTORE_DEVICE, 0, 0);
    return;
  }
  // A surface lost here is restored at the next frame's start.
  if (DDSettings.bWindowed)
    DDPresentDirectDraw(FastStage() ? 1 : 0);
  else
    DDPresentDirectDraw(DisplaySetup.bPresentByCopy || FastStage() ? 1 : 0);
}

bool cModeManager::Frame() {
  WaitNextFrame();
  StartFrameTimer();
  StartFrameNumber();
  if (!Direct3DInUse() && !RestoreLostSurfaces()) return false;
  ReadInput(Input);
  std::string text;
  if (!CatchText([this] { ChangeMode(m_nMode); }, text)) {
    ReportLogEC("%s", text.c_str());
    RequestClose();
  }
  if (cScene* scene = Scene(m_nMode)) scene->Run();
  gFps = CountFPS(true);
  gFrameTime = static_cast<int>(GetFrameTime(true));
  if (m_pStage) static_cast<cStageScene*>(m_pStage)->m_nFps.store(gFps);
  if (SystemIni.ShowFps != 0) {
    gFrameTimeRing[gFrameTimeIndex] = gFrameTime;
    if (++gFrameTimeIndex == 16) {
      gFrameTimeIndex = 0;
      int sum = 0;
      for (int t : gFrameTimeRing) sum += t;
      gFrameTimeAverage = sum >> 4;
    }
    if (SystemIni.ShowFps == 2)
      Fonts[0].DrawF(&BackBuffer, 549, 469, "FPS%2d(%2d)", gFps, gFrameTimeAverage);
    else
      Fonts[1].DrawTextWindowF(&BackBuffer, 495, 463, 0, 0, "FPS%2d(%2d)", gFps, gFrameTimeAverage);
  }
  Present();
  return true;
}

unsigned GameLoop(void*) {
  const uint32_t frameLimit = static_cast<uint32_t>(plat::FrameLimit());
  for (;;) {
    plat::MSG msg;
    if (plat::PeekMessage(&msg, true)) {
      if (msg.message == plat::WM_QUIT) return 1;
      continue;  // other thread messages are dropped; the queue is drained before a frame
    }
    if (!bActive.load()) {
      plat::Sleep(1);
      continue;
    }
    // The test control has asked for the close after the last frame: no frame more.
    if (frameLimit > 0 && FrameNumber() >= frameLimit) {
      plat::WaitMessage();
      continue;
    }
    if (!ModeManager.Frame()) {
      RequestClose();
      return 1;
    }
    if (frameLimit > 0 && FrameNumber() >= frameLimit) plat::PostMessage(hMainWnd.load(), plat::WM_CLOSE, 0, 0);
  }
}

bool Bounce(int& value, int& direction, int step, int low, int high) {
  if (direction == 0) {
    int old = value;
    value += step;
    if (value >= high) {
      value = old;
      direction = 1;
    }
    return false;
  }
  int old = value;
  value -= step;
  if (value <= low) {
    value = old;
    direction = 0;
    return true;
  }
  return false;
}
