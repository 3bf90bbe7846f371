// Feeds arbitrary bytes to the reader of "data\System.dat": nothing may crash, read
// out of bounds, index past a list or allocate what the input cannot hold. A file
// that reads is written again and must read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "data/project_globals.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> bytes(data, data + size);
  DataFilePtr f = DataFileFromBytes(bytes, "System.dat");
  cEdSystem r;
  if (f->Failed() || !r.Read(*f)) return 0;
  DataFilePtr out = cDataFile::ForWriting("System.dat");
  r.Write(*out);
  cEdSystem back;
  DataFilePtr again = DataFileFromBytes(out->Bytes(), "again");
  if (!back.Read(*again)) std::abort();
  return 0;
}
