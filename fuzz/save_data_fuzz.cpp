// Feeds arbitrary bytes to the save data reader (story slots, the challenge record
// and the last part of a replay). Nothing may crash or allocate what the input
// cannot hold; a save that reads has the lists its users index, and is written
// again and reads back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "data/project_globals.h"

namespace {

std::vector<uint8_t> Written(cSaveData& s) {
  DataFilePtr out = cDataFile::ForWriting("out");
  if (!s.Write(*out)) std::abort();
  return out->Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool once = [] {
    Database.AnimeSetList.resize(10);
    Database.CharaEffectList.resize(10);
    Database.EffectList.resize(10);
    SystemData.nChallengeStages = 5;
    return true;
  }();
  (void)once;
  DataFilePtr f = DataFileFromBytes(std::vector<uint8_t>(data, data + size), "Story01.dat");
  if (f->Failed()) return 0;
  cSaveData save;
  if (!save.Read(*f)) return 0;
  if (save.Flags.Count() < cSaveData::kStageFlags || save.CommonVars.Count() < cSaveData::kCommonVars ||
      save.CarryFlags.Count() < cSaveData::kCarryItems || save.CarriedCharas.empty() ||
      save.ChallengeRecords.Count() != 5)
    std::abort();
  const std::vector<uint8_t> bytes = Written(save);
  cSaveData back;
  DataFilePtr again = DataFileFromBytes(bytes, "again");
  if (!back.Read(*again)) std::abort();
  if (Written(back) != bytes) std::abort();
  return 0;
}
