#pragma once
#include <cstdint>
#include <string>

// Scripted input for tests (KORVANE_INPUT=FILE): the keyboard and one joystick
// driven frame by frame from a text file instead of the desktop's devices.
//
// One change a line: "<frame> <name>=<0 or 1>"; blank lines and lines starting
// with '#' are skipped. A key name is a virtual-key name of key_state.h (LEFT, Z,
// F1, ESCAPE, RETURN, SPACE, ...). The joystick: JOY=1 plugs it in and JOY=0
// unplugs it; JOY_LEFT, JOY_RIGHT, JOY_UP, JOY_DOWN push its stick to that side;
// JOY_B1 to JOY_B32 are its buttons. Changes of frame F take effect at frame F's
// input sample and stay until changed; frame 0 means from the start.
namespace plat {

// Reads a script (a native path). On failure nothing changes and error names the
// line. On success the desktop's keyboard and joysticks are ignored from now on.
bool LoadScriptedInput(const std::string& path, std::string& error);

// LoadScriptedInput on the file named by KORVANE_INPUT; true when it is not set.
bool LoadScriptedInputFromEnvironment(std::string& error);

bool IsScriptedInput();

// Applies every change of frames up to frameNumber not applied yet. Called right
// before each input sample with the number of the frame being run (1 for the
// first frame of the run); does nothing without a script.
void ApplyScriptedInput(uint32_t frameNumber);

// Drops the script and unplugs its joystick (tests).
void EndScriptedInput();

}  // namespace plat
