#pragma once

// The start-up steps of input, in the order start-up runs them.

// Every entry of Input: key repeat with delay 18 and interval 6.
void InitInputRepeat();

// The joysticks, the scripted input of a test run (KORVANE_INPUT) and, for every
// entry of Input, the joystick buttons. False only when KORVANE_INPUT names a
// script that cannot be used (the reason is in the report log).
bool InitInputDevices();

// Then LoadKeyConfig() of key_config.h.
