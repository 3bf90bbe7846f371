#include <cstdio>

#include "app/sound/sound_effects.h"
#include "platform/files.h"
#include "tools/make_demo/demo.h"
#include "tools/make_demo/wav_writer.h"

namespace demo {
namespace {
constexpr int kRate = 22050;
}

std::string SystemSoundFile(int n) {
  char name[32];
  std::snprintf(name, sizeof name, "se\\system%02d.wav", n);
  return name;
}

const std::vector<std::string>& DatabaseSoundFiles() {
  static const std::vector<std::string> files = {"se\\jump.wav", "se\\coin.wav", "se\\hit.wav", "se\\shot.wav"};
  return files;
}

bool WriteSounds() {
  if (!plat::MakeDirectory("se")) {
    std::fprintf(stderr, "korvane-mkdemo: cannot make se/\n");
    return false;
  }
  // The system sounds climb a semitone each from A4.
  static const int kSemitone[] = {440, 466, 494, 523, 554, 587, 622, 659, 698, 740, 784, 831, 880, 932, 988, 1047, 1109};
  static_assert(sizeof kSemitone / sizeof kSemitone[0] == kSystemSoundCount);
  for (int i = 0; i < kSystemSoundCount; ++i)
    if (!WriteGameFile(SystemSoundFile(i), EncodeWav8(kRate, Tone(kRate, kSemitone[i], 80)))) return false;
  const int kDatabaseTones[][2] = {{330, 150}, {1320, 120}, {110, 200}, {880, 60}};
  for (size_t i = 0; i < DatabaseSoundFiles().size(); ++i) {
    const int* t = kDatabaseTones[i % 4];
    if (!WriteGameFile(DatabaseSoundFiles()[i], EncodeWav8(kRate, Tone(kRate, t[0], t[1])))) return false;
  }
  return true;
}

bool WriteGameFile(const std::string& gamePath, const std::vector<uint8_t>& bytes) {
  if (plat::WriteFileAtomic(gamePath, bytes.data(), bytes.size())) return true;
  std::fprintf(stderr, "korvane-mkdemo: cannot write %s\n", gamePath.c_str());
  return false;
}

}  // namespace demo
