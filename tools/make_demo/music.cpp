// The database's tunes: Standard MIDI Files (format 0) of a lead over a bass.
#include <cstdio>

#include "platform/files.h"
#include "tools/make_demo/demo.h"

namespace demo {

const char* const kTitleMusicFile = "bgm\\Title.mid";

const std::vector<cTune>& DemoTunes() {
  static const std::vector<cTune> tunes = {
      {"Title", kTitleMusicFile}, {"Forest", "bgm\\Forest.mid"}, {"Castle", "bgm\\Castle.mid"}};
  return tunes;
}

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

struct cScore {
  uint32_t tempo;                // microseconds a beat
  uint8_t leadProgram, bassProgram;
  std::vector<uint8_t> lead;     // half-beat notes, 0 a rest
  std::vector<uint8_t> bass;     // one note a bar of four beats
};

// The lead on channel 1 and the bass on channel 2, merged into one track.
std::vector<uint8_t> Tune(const cScore& score) {
  std::vector<uint8_t> track;
  uint32_t pending = 0;
  auto event = [&](std::initializer_list<uint8_t> bytes) {
    VarLen(track, pending);
    pending = 0;
    track.insert(track.end(), bytes);
  };
  event({0xFF, 0x51, 0x03, uint8_t(score.tempo >> 16), uint8_t(score.tempo >> 8), uint8_t(score.tempo)});
  event({0xC0, score.leadProgram});
  event({0xC1, score.bassProgram});
  const uint32_t half = kTicksPerBeat / 2;
  for (size_t i = 0; i < score.lead.size(); ++i) {
    const bool barStart = i % 8 == 0 && !score.bass.empty();
    const uint8_t bass = barStart ? score.bass[(i / 8) % score.bass.size()] : 0;
    if (bass) event({0x91, bass, 80});
    const uint8_t n = score.lead[i];
    if (n) event({0x90, n, 96});
    pending += half;
    if (n) event({0x80, n, 0});
    if (i % 8 == 7 && !score.bass.empty()) event({0x81, score.bass[(i / 8) % score.bass.size()], 0});
  }
  event({0xFF, 0x2F, 0x00});  // end of track

  std::vector<uint8_t> file = {'M', 'T', 'h', 'd'};
  Put32BE(file, 6);
  file.insert(file.end(), {0, 0, 0, 1, 0, kTicksPerBeat});  // format 0, one track
  file.insert(file.end(), {'M', 'T', 'r', 'k'});
  Put32BE(file, static_cast<uint32_t>(track.size()));
  file.insert(file.end(), track.begin(), track.end());
  return file;
}

const cScore kScores[] = {
    // A rising and falling C major arpeggio over C, F, G, C.
    {500000, 80, 33, {60, 64, 67, 72, 76, 72, 67, 64, 65, 69, 72, 77, 72, 69, 65, 69,
                      67, 71, 74, 79, 74, 71, 67, 71, 72, 67, 64, 60, 64, 67, 72, 0},
     {36, 41, 43, 36}},
    // A brisk walk in G over G, C, D, G.
    {400000, 73, 33, {67, 0, 71, 74, 72, 71, 69, 67, 64, 67, 72, 0, 76, 74, 72, 71,
                      69, 71, 72, 74, 76, 74, 72, 69, 71, 67, 62, 67, 71, 0, 67, 0},
     {43, 48, 50, 43}},
    // A low, insistent line in A minor over A, F, E, A.
    {350000, 30, 38, {57, 57, 60, 57, 64, 57, 63, 64, 53, 53, 57, 53, 60, 53, 59, 60,
                      52, 52, 56, 52, 59, 52, 57, 59, 57, 64, 69, 64, 57, 0, 45, 0},
     {33, 29, 28, 33}},
};

}  // namespace

bool WriteMusic() {
  if (!plat::MakeDirectory("bgm")) {
    std::fprintf(stderr, "korvane-mkdemo: cannot make bgm/\n");
    return false;
  }
  for (size_t i = 0; i < DemoTunes().size(); ++i)
    if (!WriteGameFile(DemoTunes()[i].file, Tune(kScores[i]))) return false;
  return true;
}

}  // namespace demo
