// The cost of the mix: one second of output with eight looping sound effects,
// with and without a MIDI song through the synthesiser. Divide the time of one
// iteration by one second for the share of a core.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/sound/midi_player.h"
#include "platform/audio_output.h"
#include "platform/sound_buffer.h"

namespace {

const std::string kSongPath = std::string(__FILE__).substr(0, std::string(__FILE__).rfind("/bench/")) +
                              "/tests/testdata/midi/test-all-gm-sounds.mid";

// Eight one-second effects (22,050 Hz, 8-bit mono, as the game's are), looping.
std::vector<std::unique_ptr<plat::SoundBuffer>> StartEffects(plat::SoundDevice& device) {
  std::vector<std::unique_ptr<plat::SoundBuffer>> v;
  plat::WaveFormat f;
  f.wFormatTag = plat::WAVE_FORMAT_PCM;
  f.nChannels = 1;
  f.nSamplesPerSec = 22050;
  f.wBitsPerSample = 8;
  f.nBlockAlign = 1;
  f.nAvgBytesPerSec = 22050;
  uint32_t seed = 1;
  for (int i = 0; i < 8; ++i) {
    std::unique_ptr<plat::SoundBuffer> b = device.CreateSoundBuffer(f, 22050);
    void* p = nullptr;
    uint32_t n = 0;
    b->Lock(&p, &n);
    for (uint32_t k = 0; k < n; ++k) {
      seed = seed * 214013 + 2531011;
      static_cast<uint8_t*>(p)[k] = static_cast<uint8_t>(128 + ((seed >> 16) & 0x3F) - 32);
    }
    b->Unlock();
    b->SetVolume(-300 * i);
    b->Play(plat::DSBPLAY_LOOPING);
    v.push_back(std::move(b));
  }
  return v;
}

void RenderOneSecond(benchmark::State& state, bool withMidi) {
  plat::UseOfflineAudio(plat::kDeviceRate);
  std::unique_ptr<plat::SoundDevice> device = plat::SoundDevice::Create();
  auto effects = StartEffects(*device);
  std::unique_ptr<cMidiPlayer> song;
  if (withMidi) {
    song = std::make_unique<cMidiPlayer>(kSongPath.c_str());
    if (!song->HasImage()) {
      state.SkipWithError("no MIDI test file");
      return;
    }
    song->Play(1);
  }
  std::vector<int16_t> out(1024 * 2);
  for (auto _ : state) {
    for (int done = 0; done < plat::kDeviceRate; done += 1024) plat::RenderAudio(out.data(), 1024);
    benchmark::DoNotOptimize(out.data());
  }
  song.reset();
  effects.clear();
  plat::CloseAudioOutput();
}

void BM_EightEffects(benchmark::State& state) { RenderOneSecond(state, false); }
void BM_EightEffectsAndMidi(benchmark::State& state) { RenderOneSecond(state, true); }

BENCHMARK(BM_EightEffects)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EightEffectsAndMidi)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
