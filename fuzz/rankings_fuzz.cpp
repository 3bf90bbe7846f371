// Feeds arbitrary bytes to the ranking file reader. Nothing may crash or allocate
// what the input cannot hold; rankings that read have the five genres of twenty
// places that the window and the registration reach, take a registration in every
// genre, and are written again and read back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "data/user_records.h"

namespace {

std::vector<uint8_t> Written(cRankings& r) {
  DataFilePtr out = cDataFile::ForWriting("out");
  if (!r.Write(*out)) std::abort();
  return out->Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DataFilePtr f = DataFileFromBytes(std::vector<uint8_t>(data, data + size), "w01.rkg");
  if (f->Failed()) return 0;
  cRankings r;
  if (!r.Read(*f)) return 0;
  if (r.Tables.Count() < cRankings::kGenres) std::abort();
  for (cRankingTable& t : r.Tables) {
    if (t.Entries.Count() < cRankingTable::kEntries) std::abort();
    const int before = t.Entries.Count();
    if (t.FindRank(12345) != -1) t.Insert("abc", 12345);
    if (t.Entries.Count() != before) std::abort();
  }
  const std::vector<uint8_t> bytes = Written(r);
  cRankings back;
  DataFilePtr again = DataFileFromBytes(bytes, "again");
  if (!back.Read(*again)) std::abort();
  if (Written(back) != bytes) std::abort();
  return 0;
}
