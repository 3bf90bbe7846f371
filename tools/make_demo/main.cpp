// korvane-mkdemo DIR: writes the demo game project that ./play.sh plays. Every
// picture, sound, tune and data file of it is made here.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "tools/make_demo/demo_palette.h"

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

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: korvane-mkdemo DIR\n");
    return 2;
  }
  namespace fs = std::filesystem;
  const fs::path dir = argv[1];
  std::error_code ec;
  fs::create_directories(dir / "user_data", ec);
  if (ec) {
    std::fprintf(stderr, "%s: %s\n", argv[1], ec.message().c_str());
    return 1;
  }
  std::ofstream ini(dir / "System.ini", std::ios::binary);
  ini << kSystemIni;
  if (!ini.flush()) {
    std::fprintf(stderr, "%s: cannot write System.ini\n", argv[1]);
    return 1;
  }
  if (!WriteDemoPalette(argv[1])) {
    std::fprintf(stderr, "%s: the common palette cannot be written\n", argv[1]);
    return 1;
  }
  return 0;
}
