#include <cstdio>
#include <cstring>

#include "tools/make_demo/demo.h"

namespace demo {
namespace {

// The display settings: a 640x480 window at the desktop's colour depth.
const char kSystemIni[] =
    "Direct3D=0\r\n"
    "WindowMode=1\r\n"
    "Bpp=0\r\n"
    "VSync=2\r\n"
    "D3D_FontCache=0\r\n"
    "DD_FontCache=1\r\n"
    "DD_VideoStretch=0\r\n"
    "ShowFps=1\r\n"
    "FreeStage=\r\n"
    "English=0\r\n"
    "Exit\r\n";

}  // namespace

bool WriteSystemIni() {
  return WriteGameFile("System.ini", std::vector<uint8_t>(kSystemIni, kSystemIni + std::strlen(kSystemIni)));
}

}  // namespace demo
