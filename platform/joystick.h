#pragma once
#include <cstdint>

// Joysticks as the game polls them: numbered from 0 in the order they are plugged
// in, each giving its X and Y axes in 0..65535 (32767/32768 at rest) and up to 32
// buttons as a bit mask. Joysticks may come and go while the game runs; a poll of
// a number that has no joystick now fails, and a later poll finds one plugged in
// again.
namespace plat {

constexpr int kMaxJoysticks = 16;

struct JoyInfo {
  uint32_t dwXpos = 32767;
  uint32_t dwYpos = 32767;
  uint32_t dwButtons = 0;  // bit i: button i + 1
};

// Starts SDL's joystick support (window thread, at start-up). False when it cannot
// start; every poll then fails, which the game handles as "no joystick".
bool InitJoysticks();
void ShutdownJoysticks();

// Polls joystick n (0 is the first): false when it is absent, was unplugged or the
// joysticks were not started.
bool JoyGetPos(int joystick, JoyInfo& out);

// SDL's virtual joysticks, for tests and scripted input. With virtual-only set, the
// joystick numbers count virtual joysticks only, so that a pad on the desk cannot
// change a scripted run.
void SetVirtualJoysticksOnly(bool on);
// Plugs in a virtual joystick (2 axes, 32 buttons) after the others; its handle, or
// -1 when the joysticks were not started.
int AttachVirtualJoystick();
// Unplugs it; false for an unknown handle.
bool DetachVirtualJoystick(int handle);
// value in 0..65535, as polls report it; axis 0 is X, 1 is Y.
bool SetVirtualJoystickAxis(int handle, int axis, uint32_t value);
// button 0 is the first (bit 0 of dwButtons).
bool SetVirtualJoystickButton(int handle, int button, bool down);

}  // namespace plat
