// korvane-data: dump FILE prints a data file field by field; upgrade IN OUT writes
// it back in the current data version.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/data_tool/data_tool.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return RunDataTool(args, DataKinds(), stdout, stderr);
}
