// "bgm\Title.mid": a Standard MIDI File (format 0) of a short tune.
#include <cstdio>

#include "platform/files.h"
#include "tools/make_demo/demo.h"

namespace demo {

const char* const kTitleMusicFile = "bgm\\Title.mid";

namespace {

constexpr int kTicksPerBeat = 96;

void VarLen(std::vector<uint8_t>& v, uint32_t x) {
  uint8_t bytes[4];
  int n = 0;
  do {
    bytes[n++] = static_cast<uint8_t>(x & 0x7F);
    x >>= 7;
  } while (x && n < 4);
  while (n-- > 0) v.push_back(static_cast<uint8_t>(bytes[n] | (n ? 0x80 : 0)));
}

void Put32BE(std::vector<uint8_t>& v, uint32_t x) {
  for (int i = 3; i >= 0; --i) v.push_back(static_cast<uint8_t>(x >> (8 * i)));
}

std::vector<uint8_t> TitleTune() {
  std::vector<uint8_t> track;
  auto event = [&](uint32_t delta, std::initializer_list<uint8_t> bytes) {
    VarLen(track, delta);
    track.insert(track.end(), bytes);
  };
  event(0, {0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20});  // 120 beats a minute
  event(0, {0xC0, 80});                            // a square lead on channel 1
  // Two bars of a rising and falling C major arpeggio, half-beat notes.
  const uint8_t notes[] = {60, 64, 67, 72, 76, 72, 67, 64, 60, 67, 72, 79, 72, 67, 64, 60};
  for (uint8_t n : notes) {
    event(0, {0x90, n, 96});
    event(kTicksPerBeat / 2, {0x80, n, 0});
  }
  event(0, {0xFF, 0x2F, 0x00});  // end of track

  std::vector<uint8_t> file = {'M', 'T', 'h', 'd'};
  Put32BE(file, 6);
  file.insert(file.end(), {0, 0, 0, 1, 0, kTicksPerBeat});  // format 0, one track
  file.insert(file.end(), {'M', 'T', 'r', 'k'});
  Put32BE(file, static_cast<uint32_t>(track.size()));
  file.insert(file.end(), track.begin(), track.end());
  return file;
}

}  // namespace

bool WriteMusic() {
  if (!plat::MakeDirectory("bgm")) {
    std::fprintf(stderr, "korvane-mkdemo: cannot make bgm/\n");
    return false;
  }
  return WriteGameFile(kTitleMusicFile, TitleTune());
}

}  // namespace demo
