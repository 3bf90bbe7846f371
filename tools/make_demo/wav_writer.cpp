#include "tools/make_demo/wav_writer.h"

#include <cstddef>

namespace demo {
namespace {

void Put(std::vector<uint8_t>& v, const char* four) {
  for (int i = 0; i < 4; ++i) v.push_back(static_cast<uint8_t>(four[i]));
}
void Put16(std::vector<uint8_t>& v, uint32_t x) {
  v.push_back(uint8_t(x));
  v.push_back(uint8_t(x >> 8));
}
void Put32(std::vector<uint8_t>& v, uint32_t x) {
  for (int i = 0; i < 4; ++i) v.push_back(uint8_t(x >> (8 * i)));
}

}  // namespace

std::vector<uint8_t> EncodeWav8(int samplesPerSec, const std::vector<uint8_t>& samples) {
  const uint32_t data = static_cast<uint32_t>(samples.size());
  const uint32_t pad = data & 1;  // chunks are word-aligned
  std::vector<uint8_t> v;
  Put(v, "RIFF");
  Put32(v, 4 + (8 + 16) + (8 + data + pad));
  Put(v, "WAVE");
  Put(v, "fmt ");
  Put32(v, 16);
  Put16(v, 1);  // PCM
  Put16(v, 1);  // mono
  Put32(v, static_cast<uint32_t>(samplesPerSec));
  Put32(v, static_cast<uint32_t>(samplesPerSec));  // bytes per second
  Put16(v, 1);                                     // block alignment
  Put16(v, 8);                                     // bits per sample
  Put(v, "data");
  Put32(v, data);
  v.insert(v.end(), samples.begin(), samples.end());
  if (pad) v.push_back(0x80);
  return v;
}

std::vector<uint8_t> Tone(int samplesPerSec, int hz, int ms) {
  const int n = samplesPerSec * ms / 1000;
  const int half = hz > 0 ? samplesPerSec / (2 * hz) : n;
  std::vector<uint8_t> s(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    const int amplitude = 48 * (n - i) / n;  // a linear fade to silence
    const bool high = half > 0 && (i / half) % 2 == 0;
    s[static_cast<std::size_t>(i)] = static_cast<uint8_t>(128 + (high ? amplitude : -amplitude));
  }
  return s;
}

}  // namespace demo
