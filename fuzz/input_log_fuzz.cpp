// Feeds arbitrary bytes to the replay log reader (the part of a replay file after
// its stage). Nothing may crash or allocate what the input cannot hold; a log that
// reads plays back to its end without leaving its lists, and is written again and
// reads back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "data/user_records.h"

namespace {

std::vector<uint8_t> Written(cInputLog& log) {
  DataFilePtr out = cDataFile::ForWriting("out");
  if (!log.Write(*out)) std::abort();
  return out->Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DataFilePtr f = DataFileFromBytes(std::vector<uint8_t>(data, data + size), "replay.rpl4_752");
  if (f->Failed()) return 0;
  cInputLog log;
  if (!log.Read(*f)) return 0;
  if (log.Values0.size() != log.Runs0.size() || log.Values1.size() != log.Runs1.size()) std::abort();
  // Playback ends within stream 0's frames (played out only when they are few).
  uint16_t d = 0, b = 0;
  int64_t frames = 0, limit = 0;
  for (int32_t r : log.Runs0) limit += r;
  if (limit <= (int64_t{1} << 20)) {
    while (log.Play(d, b) == 0)
      if (++frames > limit) std::abort();
  }
  const std::vector<uint8_t> bytes = Written(log);
  cInputLog back;
  DataFilePtr again = DataFileFromBytes(bytes, "again");
  if (!back.Read(*again) || Written(back) != bytes) std::abort();
  return 0;
}
