// The game thread and its frame step.
//
// PENDING frame-step calls, waiting for their subsystems (each marked PENDING below):
//   step 3   RestoreLostSurfaces: DDRestore and the reload of every lost surface
//            (drawing layer); until then nothing can be lost and it reports true.
//   step 4   ReadInput: cInput::ReadConfigured / cInput::ReadDefault on Input[0] (input).
//   step 8   the stage-play scene's FPS member (stage play).
//   step 9   the FPS text, Font::DrawF / Font::DrawTextWindowF (drawing layer fonts);
//            the frame-time ring and its average are kept already.
//   step 10  Present: DDPresent and WM_USER+100 on a lost device, the DirectDraw
//            blit or flip (drawing layer).
//   WaitNextFrame paces while no Direct3D device record exists, which is always the
//   case until the drawing layer sets one up (it then paces in its present).
//   SetPaletteSet and CycleMenuColors: drawing layer (palettes, flashing colours).
#include <string>

#include "app/base/timing.h"
#include "app/mode_manager.h"
#include "app/report_log.h"
#include "app/shell_globals.h"
#include "app/system_ini.h"
#include "platform/clock.h"
#include "platform/messages.h"
#include "platform/test_controls.h"

namespace {

// Frame-step state of the game thread.
int gFps = 0;
int gFrameTime = 0;
int gFrameTimeRing[16] = {};
int gFrameTimeIndex = 0;
int gFrameTimeAverage = 0;

// PENDING (drawing layer): true while the Direct3D back end is set up.
bool Direct3DInUse() { return false; }

void WaitNextFrame() {
  if (Direct3DInUse()) return;
  while (!RateGate(ModeManager.m_nFrameRate)) plat::Sleep(1);
}

}  // namespace

bool cModeManager::RestoreLostSurfaces() {
  // PENDING (drawing layer): DDRestore and the lost surfaces of stage play, the
  // picture list, the option scene, Off_Msg and the digit sheets.
  return true;
}

void cModeManager::ReadInput() {
  // PENDING (input): cInput::ReadConfigured(1, 60) on Input[0] with the key
  // configuration in use, else cInput::ReadDefault(joystick 0, both, 60).
}

void cModeManager::Present() {
  // PENDING (drawing layer): DDPresent(frame rate, 0, 0), and on a lost device
  // SendMessage(hMainWnd, WM_USER + 100); under DirectDraw the blit or flip.
}

bool cModeManager::Frame() {
  WaitNextFrame();
  StartFrameTimer();
  if (!Direct3DInUse() && !RestoreLostSurfaces()) return false;
  ReadInput();
  std::string text;
  if (!CatchText([this] { ChangeMode(m_nMode); }, text)) {
    ReportLogEC("%s", text.c_str());
    RequestClose();
  }
  if (cScene* scene = Scene(m_nMode)) scene->Run();
  gFps = CountFPS(true);
  gFrameTime = static_cast<int>(GetFrameTime(true));
  // PENDING (stage play): the stage-play scene's FPS member := gFps.
  if (SystemIni.ShowFps != 0) {
    gFrameTimeRing[gFrameTimeIndex] = gFrameTime;
    if (++gFrameTimeIndex == 16) {
      gFrameTimeIndex = 0;
      int sum = 0;
      for (int t : gFrameTimeRing) sum += t;
      gFrameTimeAverage = sum >> 4;
    }
    // PENDING (drawing layer fonts): "FPS%2d(%2d)" with gFps and gFrameTimeAverage,
    // font 0 at (549, 469) when ShowFps is 2, else font 1 in a text window at (495, 463).
  }
  Present();
  return true;
}

unsigned GameLoop(void*) {
  const int frameLimit = plat::FrameLimit();
  int framesRun = 0;
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
    if (frameLimit > 0 && framesRun >= frameLimit) {
      plat::WaitMessage();
      continue;
    }
    if (!ModeManager.Frame()) {
      RequestClose();
      return 1;
    }
    if (frameLimit > 0 && ++framesRun == frameLimit) plat::PostMessage(hMainWnd.load(), plat::WM_CLOSE, 0, 0);
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
