#include "tools/data_tool/data_tool.h"

void AddShellKinds(std::vector<cDataKind>& kinds);

// The game's data files. Each record kind the game reads adds its row here.
const std::vector<cDataKind>& DataKinds() {
  static const std::vector<cDataKind> kinds = [] {
    std::vector<cDataKind> k;
    AddShellKinds(k);
    return k;
  }();
  return kinds;
}
