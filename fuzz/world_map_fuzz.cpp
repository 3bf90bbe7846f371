// Feeds arbitrary bytes to the world map reader. Nothing may crash or allocate
// what the input cannot hold; a map that reads has the grid its size needs, and is
// written again and reads back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "data/world_map.h"

namespace {

std::vector<uint8_t> Written(cEdWorldMap& m) {
  DataFilePtr out = cDataFile::ForWriting("out");
  if (!m.Write(*out)) std::abort();
  return out->Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DataFilePtr f = DataFileFromBytes(std::vector<uint8_t>(data, data + size), "WorldMap.dat");
  if (f->Failed()) return 0;
  cEdWorldMap map;
  if (!map.Read(*f)) return 0;
  if (map.Cells.size() != static_cast<size_t>(map.nHeight) << map.nPitchShift) std::abort();
  if (map.nStartX >= map.nWidth || map.nStartY >= map.nHeight) std::abort();
  const std::vector<uint8_t> bytes = Written(map);
  cEdWorldMap back;
  DataFilePtr again = DataFileFromBytes(bytes, "again");
  if (!back.Read(*again)) std::abort();
  if (Written(back) != bytes) std::abort();
  return 0;
}
