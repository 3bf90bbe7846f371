#include "platform/audio_output.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <vector>

#include "platform/test_controls.h"

namespace plat {

class MixerAccess {
 public:
  static bool& InMixer(AudioSource* s) { return s->m_bInMixer; }
};

namespace {

struct Output {
  AudioOutput state = AudioOutput::kClosed;
  int rate = kDeviceRate;
  SDL_AudioDeviceID device = 0;
  bool sdlAudioInit = false;
  std::vector<AudioSource*> sources;  // in the order they started
  std::vector<int32_t> mix;
  uint64_t rendered = 0;
};

// Never destroyed: the audio thread may still run while statics go away.
Output& Out() {
  static Output* o = new Output;
  return *o;
}

// Serialises opening and closing (which must not hold AudioLock while SDL waits
// for the callback to finish).
std::mutex& OpenLock() {
  static std::mutex* m = new std::mutex;
  return *m;
}

std::atomic<AudioCloseHook>& CloseHook() {
  static std::atomic<AudioCloseHook> hook{nullptr};
  return hook;
}

int16_t Clip(int32_t v) { return static_cast<int16_t>(std::clamp(v, -32768, 32767)); }

// With AudioLock held.
void RenderLocked(int16_t* out, int frames) {
  Output& o = Out();
  while (frames > 0) {
    int n = std::min(frames, 4096);
    o.mix.assign(static_cast<size_t>(n) * kMixChannels, 0);
    // A source that ends is dropped; one started by another source's callback
    // during this loop joins at the next block.
    size_t count = o.sources.size();
    size_t keep = 0;
    for (size_t i = 0; i < count; ++i) {
      AudioSource* s = o.sources[i];
      if (s->MixInto(o.mix.data(), n)) {
        o.sources[keep++] = s;
      } else {
        MixerAccess::InMixer(s) = false;
      }
    }
    o.sources.erase(o.sources.begin() + static_cast<std::ptrdiff_t>(keep),
                    o.sources.begin() + static_cast<std::ptrdiff_t>(count));
    for (size_t i = 0; i < o.mix.size(); ++i) out[i] = Clip(o.mix[i]);
    o.rendered += static_cast<uint64_t>(n);
    out += static_cast<size_t>(n) * kMixChannels;
    frames -= n;
  }
}

void DeviceCallback(void*, Uint8* stream, int len) {
  std::lock_guard<std::mutex> lock(AudioLock());
  RenderLocked(reinterpret_cast<int16_t*>(stream), len / (kMixChannels * 2));
}

}  // namespace

std::mutex& AudioLock() {
  static std::mutex* m = new std::mutex;
  return *m;
}

void AddAudioSource(AudioSource* source) {
  if (!source || MixerAccess::InMixer(source)) return;
  MixerAccess::InMixer(source) = true;
  Out().sources.push_back(source);
}

void RemoveAudioSource(AudioSource* source) {
  if (!source || !MixerAccess::InMixer(source)) return;
  MixerAccess::InMixer(source) = false;
  auto& v = Out().sources;
  v.erase(std::remove(v.begin(), v.end(), source), v.end());
}

AudioOutput OpenAudioOutput() {
  std::lock_guard<std::mutex> open(OpenLock());
  Output& o = Out();
  {
    std::lock_guard<std::mutex> lock(AudioLock());
    if (o.state != AudioOutput::kClosed) return o.state;
  }
  AudioOutput state = AudioOutput::kSilent;
  SDL_AudioDeviceID device = 0;
  if (!IsHeadless() && SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
    o.sdlAudioInit = true;
    SDL_AudioSpec want{};
    SDL_AudioSpec have{};
    want.freq = kDeviceRate;
    want.format = AUDIO_S16SYS;
    want.channels = kMixChannels;
    want.samples = 1024;
    want.callback = DeviceCallback;
    // No format changes allowed: SDL converts to whatever the device takes.
    device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device != 0) state = AudioOutput::kDevice;
  }
  {
    std::lock_guard<std::mutex> lock(AudioLock());
    o.state = state;
    o.rate = kDeviceRate;
    o.device = device;
    o.rendered = 0;
  }
  if (device != 0) SDL_PauseAudioDevice(device, 0);
  return state;
}

AudioOutput CurrentAudioOutput() {
  std::lock_guard<std::mutex> lock(AudioLock());
  return Out().state;
}

void SetAudioCloseHook(AudioCloseHook hook) { CloseHook().store(hook); }

void CloseAudioOutput() {
  std::lock_guard<std::mutex> open(OpenLock());
  Output& o = Out();
  SDL_AudioDeviceID device;
  {
    std::lock_guard<std::mutex> lock(AudioLock());
    device = o.device;
    o.device = 0;
  }
  if (device != 0) SDL_CloseAudioDevice(device);  // waits for a running callback
  if (o.sdlAudioInit) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    o.sdlAudioInit = false;
  }
  if (AudioCloseHook hook = CloseHook().load()) hook();
  std::lock_guard<std::mutex> lock(AudioLock());
  for (AudioSource* s : o.sources) MixerAccess::InMixer(s) = false;
  o.sources.clear();
  o.state = AudioOutput::kClosed;
}

int AudioRate() {
  std::lock_guard<std::mutex> lock(AudioLock());
  return Out().rate;
}

int AudioRateLocked() { return Out().rate; }

void UseOfflineAudio(int rate) {
  CloseAudioOutput();
  std::lock_guard<std::mutex> lock(AudioLock());
  Output& o = Out();
  o.state = AudioOutput::kOffline;
  o.rate = rate > 0 ? rate : kDeviceRate;
  o.rendered = 0;
}

void RenderAudio(int16_t* out, int frames) {
  std::lock_guard<std::mutex> lock(AudioLock());
  RenderLocked(out, frames);
}

uint64_t RenderedFramesLocked() { return Out().rendered; }

uint64_t RenderedFrames() {
  std::lock_guard<std::mutex> lock(AudioLock());
  return Out().rendered;
}

}  // namespace plat
