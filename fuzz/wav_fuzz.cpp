// Feeds arbitrary bytes to the WAV reader, then converts what it accepts to the
// mix format as a sound buffer would.
#include <cstddef>
#include <cstdint>

#include "platform/sound_buffer.h"
#include "platform/wav_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  plat::WaveData wave;
  if (!plat::ParseWave(data, size, wave, nullptr)) return 0;
  const plat::WaveFormat& f = wave.format;
  // Only what a buffer would take (its rate bounded as buffers bound it), and
  // short enough for the fuzzer to stay fast.
  uint32_t align = f.nBlockAlign ? f.nBlockAlign : 1;
  if (f.nSamplesPerSec >= 100 && f.nSamplesPerSec <= 200000 && wave.samples.size() / align / f.nSamplesPerSec < 2) {
    plat::ConvertPcm(f, wave.samples.data(), wave.samples.size(), 44100);
  }
  return 0;
}
