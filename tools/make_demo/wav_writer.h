#pragma once
#include <cstdint>
#include <vector>

namespace demo {

// A RIFF WAVE file of 8-bit unsigned mono PCM samples.
std::vector<uint8_t> EncodeWav8(int samplesPerSec, const std::vector<uint8_t>& samples);

// A tone of `ms` milliseconds at `hz` (a square wave that fades out), as 8-bit
// unsigned samples.
std::vector<uint8_t> Tone(int samplesPerSec, int hz, int ms);

}  // namespace demo
