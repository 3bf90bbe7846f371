// Feeds arbitrary bytes to the common palette reader: definitions, flows,
// conditions, commands, movement and shot definitions. Nothing may crash, read
// out of bounds, recurse without end or allocate what the input cannot hold; a
// palette that reads is written again and reads back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "app/base/shell_globals.h"
#include "data/project_globals.h"

namespace {

std::vector<uint8_t> Written(cEdPalette& p) {
  DataFilePtr out = cDataFile::ForWriting("out");
  if (!p.Write(*out)) std::abort();
  return out->Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool once = [] {
    // Ten entries in every database list, so that references survive validation
    // and their paths are explored; test-play flows kept.
    Database.AnimeSetList.resize(10);
    Database.AnimeList.resize(10);
    Database.EffectList.resize(10);
    Database.CharaEffectList.resize(10);
    Database.SoundList.resize(10);
    Database.SwordTypeList.resize(3);
    bTestPlay = 1;
    return true;
  }();
  (void)once;
  DataFilePtr f = DataFileFromBytes(std::vector<uint8_t>(data, data + size), "CommonPalette.cplt4");
  if (f->Failed()) return 0;
  cEdPalette palette;
  if (!palette.Read(*f)) return 0;
  const std::vector<uint8_t> bytes = Written(palette);
  cEdPalette back;
  DataFilePtr again = DataFileFromBytes(bytes, "again");
  if (!back.Read(*again)) std::abort();
  if (Written(back) != bytes) std::abort();
  return 0;
}
