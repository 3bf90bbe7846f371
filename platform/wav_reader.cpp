#include "platform/wav_reader.h"

#include <cstring>

namespace plat {
namespace {

uint32_t U32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

bool Fail(std::string* why, const char* text) {
  if (why) *why = text;
  return false;
}

// Finds the chunk id between pos and end (chunks are padded to even sizes); pos
// becomes the start of its body and size its length, checked to fit.
enum class Find { kFound, kMissing, kTruncated };
Find FindChunk(const uint8_t* bytes, size_t& pos, size_t end, const char* id, uint32_t& size) {
  while (end - pos >= 8) {
    uint32_t n = U32(bytes + pos + 4);
    size_t body = pos + 8;
    if (std::memcmp(bytes + pos, id, 4) == 0) {
      if (n > end - body) return Find::kTruncated;
      pos = body;
      size = n;
      return Find::kFound;
    }
    if (n > end - body) return Find::kMissing;  // a lying size: nothing further to find
    size_t next = body + n + (n & 1);
    if (next > end) return Find::kMissing;
    pos = next;
  }
  return Find::kMissing;
}

}  // namespace

bool ParseWave(const uint8_t* bytes, size_t size, WaveData& out, std::string* why) {
  if (!bytes || size < 12) return Fail(why, "too short for a RIFF header");
  if (std::memcmp(bytes, "RIFF", 4) != 0) return Fail(why, "not a RIFF file");
  if (std::memcmp(bytes + 8, "WAVE", 4) != 0) return Fail(why, "not a WAVE form");
  if (U32(bytes + 4) < 4) return Fail(why, "RIFF size too small");
  // Chunks are looked for up to the end of the bytes: some writers leave a RIFF
  // size that is a few bytes short, and every chunk is checked against the bytes
  // that are really there.
  size_t end = size;

  size_t pos = 12;
  uint32_t fmtSize = 0;
  Find f = FindChunk(bytes, pos, end, "fmt ", fmtSize);
  if (f == Find::kMissing) return Fail(why, "no \"fmt \" chunk");
  if (f == Find::kTruncated) return Fail(why, "\"fmt \" chunk runs past the end");
  if (fmtSize < 16) return Fail(why, "\"fmt \" chunk too small");
  if (fmtSize > kWaveFormatBytes) return Fail(why, "\"fmt \" chunk larger than the format record");
  WaveData data;
  const uint8_t* p = bytes + pos;
  data.format.wFormatTag = U16(p);
  data.format.nChannels = U16(p + 2);
  data.format.nSamplesPerSec = U32(p + 4);
  data.format.nAvgBytesPerSec = U32(p + 8);
  data.format.nBlockAlign = U16(p + 12);
  data.format.wBitsPerSample = U16(p + 14);
  data.format.cbSize = fmtSize >= 18 ? U16(p + 16) : 0;

  // "data" is searched after "fmt ", as a reader that ascends out of "fmt " does.
  pos += fmtSize + (fmtSize & 1);
  if (pos > end) return Fail(why, "no \"data\" chunk");
  uint32_t dataSize = 0;
  f = FindChunk(bytes, pos, end, "data", dataSize);
  if (f == Find::kMissing) return Fail(why, "no \"data\" chunk after \"fmt \"");
  if (f == Find::kTruncated) return Fail(why, "\"data\" chunk shorter than its size");
  data.samples.assign(bytes + pos, bytes + pos + dataSize);
  out = std::move(data);
  return true;
}

}  // namespace plat
