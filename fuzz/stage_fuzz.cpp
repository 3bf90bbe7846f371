// Feeds arbitrary bytes to the stage file reader: settings, ranges, the stage
// palette, placements, layers, text items and the trailer. Nothing may crash, read
// out of bounds or allocate what the input cannot hold; a stage that reads is
// written again and reads back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "app/base/shell_globals.h"
#include "data/project_globals.h"

namespace {

std::vector<uint8_t> Written(cEdStage& s) {
  DataFilePtr out = cDataFile::ForWriting("out");
  if (!s.Write(*out)) std::abort();
  return out->Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool once = [] {
    // Ten entries in every database list and a common palette of three of each
    // kind, so that references survive validation and their paths are explored.
    Database.AnimeSetList.resize(10);
    Database.AnimeList.resize(10);
    Database.EffectList.resize(10);
    Database.CharaEffectList.resize(10);
    Database.SoundList.resize(10);
    Database.BgmList.resize(10);
    Database.SwordTypeList.resize(3);
    CommonPalette.Blocks.resize(3);
    CommonPalette.Charas.resize(3);
    CommonPalette.Items.resize(3);
    bTestPlay = 1;
    return true;
  }();
  (void)once;
  DataFilePtr f = DataFileFromBytes(std::vector<uint8_t>(data, data + size), "s.stg4_752");
  if (f->Failed()) return 0;
  cEdStage stage;
  if (!stage.Read(*f)) return 0;
  stage.HasPlayer();
  const std::vector<uint8_t> bytes = Written(stage);
  cEdStage back;
  DataFilePtr again = DataFileFromBytes(bytes, "again");
  if (!back.Read(*again)) std::abort();
  if (Written(back) != bytes) std::abort();
  return 0;
}
