// Feeds arbitrary bytes to the "System.ini" reader: nothing may crash or grow
// without bound, whatever the file holds.
#include <cstddef>
#include <cstdint>

#include "app/system_ini.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SYSTEMINIDATA ini;
  SetSystemIniDefaults(ini, StandInSystemIniKeys());
  ReadSystemIniText(reinterpret_cast<const char*>(data), size, ini, StandInSystemIniKeys());
  return 0;
}
