#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Our own RIFF WAVE reader. Every chunk size is checked against the bytes that
// remain; nothing is allocated before the size is known to be there.
namespace plat {

// The "fmt " chunk as stored (the WAVEFORMATEX layout, 18 bytes at most).
struct WaveFormat {
  uint16_t wFormatTag = 0;
  uint16_t nChannels = 0;
  uint32_t nSamplesPerSec = 0;
  uint32_t nAvgBytesPerSec = 0;
  uint16_t nBlockAlign = 0;
  uint16_t wBitsPerSample = 0;
  uint16_t cbSize = 0;
};
constexpr uint16_t WAVE_FORMAT_PCM = 1;
constexpr size_t kWaveFormatBytes = 18;

struct WaveData {
  WaveFormat format;
  std::vector<uint8_t> samples;  // the whole "data" chunk
};

// Reads a RIFF "WAVE" image: the first chunk must be RIFF of form WAVE; its "fmt "
// chunk (16 to 18 bytes: a larger one does not fit the format record and is
// refused) and, after it, its "data" chunk, which must be complete. Chunks are
// bounded by the bytes there are, not by the RIFF size. On failure returns false
// and says why.
bool ParseWave(const uint8_t* bytes, size_t size, WaveData& out, std::string* why);

}  // namespace plat
