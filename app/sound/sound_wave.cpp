#include <string>

#include "app/sound/sound_effects.h"
#include "platform/files.h"

namespace {
// Sound effects are short; a larger file is refused before it is read.
constexpr size_t kMaxWaveFileBytes = 64u << 20;
}

bool DS_ReadWave(const char* fileName, DSWAVEDATA& wave) {
  if (!fileName || !*fileName) return false;
  std::vector<uint8_t> bytes;
  if (plat::ReadWholeFile(fileName, bytes, kMaxWaveFileBytes) != plat::ReadStatus::kOk) return false;
  plat::WaveData data;
  if (!plat::ParseWave(bytes.data(), bytes.size(), data, nullptr)) return false;
  if (data.format.wFormatTag != plat::WAVE_FORMAT_PCM) return false;
  wave.wfx = data.format;
  wave.data = std::move(data.samples);
  return true;
}

void DS_FreeWave(DSWAVEDATA& wave) {
  wave.data.clear();
  wave.data.shrink_to_fit();
}
