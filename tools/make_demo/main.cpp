// korvane-mkdemo DIR: writes the demo game project that ./play.sh plays. Every
// picture, sound, tune and data file of it is made here.
#include <cstdio>
#include <filesystem>

#include "tools/make_demo/demo_palette.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: korvane-mkdemo DIR\n");
    return 2;
  }
  std::error_code ec;
  std::filesystem::create_directories(argv[1], ec);
  if (ec) {
    std::fprintf(stderr, "%s: %s\n", argv[1], ec.message().c_str());
    return 1;
  }
  if (!WriteDemoPalette(argv[1])) {
    std::fprintf(stderr, "%s: the common palette cannot be written\n", argv[1]);
    return 1;
  }
  return 0;
}
