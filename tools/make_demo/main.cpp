// korvane-mkdemo DIR: writes the demo game project that ./play.sh plays. Every
// picture, sound, tune and data file of it is made here, by our own code.
#include <cstdio>
#include <filesystem>

#include "tools/make_demo/demo.h"
#include "tools/make_demo/demo_palette.h"
#include "tools/make_demo/demo_world.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: korvane-mkdemo DIR\n");
    return 2;
  }
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::create_directories(fs::path(argv[1]) / "user_data", ec);
  if (!ec) fs::current_path(argv[1], ec);
  if (ec) {
    std::fprintf(stderr, "korvane-mkdemo: %s: %s\n", argv[1], ec.message().c_str());
    return 1;
  }
  bool ok = demo::WriteSystemIni() && demo::WriteProjectData() && WriteDemoPalette(".") &&
            demo::WriteWorldAndStages() && demo::WritePictures() && demo::WriteSounds() && demo::WriteMusic();
  return ok ? 0 : 1;
}
