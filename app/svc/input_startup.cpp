#include "app/svc/input_startup.h"

#include <string>

#include "app/base/report_log.h"
#include "app/svc/input.h"
#include "platform/joystick.h"
#include "platform/scripted_input.h"

void InitInputRepeat() {
  for (cInput& in : Input) in.SetRepeat(18, 6);
}

bool InitInputDevices() {
  // Without joystick support the polls fail and the keyboard alone plays.
  plat::InitJoysticks();
  std::string error;
  if (!plat::LoadScriptedInputFromEnvironment(error)) {
    ReportFailure("KORVANE_INPUT : %s", error.c_str());
    return false;
  }
  for (cInput& in : Input) in.InitJoyButtons();
  return true;
}
