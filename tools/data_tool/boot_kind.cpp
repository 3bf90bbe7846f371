// The start-up choice of the drawing back end, "user_data\Boot.dat".
#include "app/ui/boot_data.h"
#include "tools/data_tool/data_tool.h"

void AddBootKind(std::vector<cDataKind>& kinds) {
  cDataKind boot;
  boot.name = "Boot.dat";
  boot.matches = NameIs("Boot.dat");
  boot.make = [] { return std::make_unique<cBootData>(); };
  // The game has no message for it: a file that cannot be read asks again.
  kinds.push_back(boot);
}
