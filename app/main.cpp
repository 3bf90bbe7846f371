// The game's entry point.
#include <string>

#include "app/win_main.h"
#include "platform/clock.h"
#include "platform/display/frame_capture.h"
#include "platform/single_instance.h"
#include "platform/sjis.h"
#include "platform/test_controls.h"
#include "platform/thread.h"
#include "platform/window.h"

int main(int argc, char** argv) {
  if (plat::WantsVirtualClock()) plat::UseVirtualClock(true);
  plat::InstallTerminationHandler();
  // KORVANE_DUMP: the presented frames written as pictures.
  plat::InstallFrameCaptureFromEnvironment();
  // The command line is one optional stage file path; a path with blanks may have
  // come in pieces.
  std::string commandLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) commandLine += ' ';
    commandLine += plat::ArgumentToSjis(argv[i]);
  }
  int showCommand = plat::IsTestPlayStart() ? plat::SW_SHOW : plat::SW_SHOWNORMAL;
  int exitCode = WinMain(commandLine, showCommand);
  plat::ShutdownWindowSystem();
  // A thread that would not end may still use the globals: no destructors then.
  if (plat::ThreadsLeftRunning() > 0) plat::ExitProcessNow(exitCode);
  return exitCode;
}
