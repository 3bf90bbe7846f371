// The shell's own user files.
#include "app/window_data.h"
#include "tools/data_tool/data_tool.h"

void AddShellKinds(std::vector<cDataKind>& kinds) {
  cDataKind window;
  window.name = "Window.dat";
  window.matches = NameIs("Window.dat");
  window.make = [] { return std::make_unique<cWindowData>(); };
  // The game has no message for it: a bad file keeps the centred window.
  kinds.push_back(window);
}
