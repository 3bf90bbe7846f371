// Feeds arbitrary bytes to the "System.ini" reader: nothing may crash or grow
// without bound, whatever the file holds.
#include <cstddef>
#include <cstdint>

#include "app/svc/system_ini.h"
#include "data/system_data.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const SystemIniKeys keys = SystemIniKeysOf(cEdSystem());
  SYSTEMINIDATA ini;
  SetSystemIniDefaults(ini, keys);
  ReadSystemIniText(reinterpret_cast<const char*>(data), size, ini, keys);
  return 0;
}
