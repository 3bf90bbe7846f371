#pragma once
#include <cstdint>
#include <mutex>

// The one audio output of the process: our own mixer, run by the SDL audio
// callback (or pulled by tests through RenderAudio), into which sound-effect
// buffers, MIDI streams and OGG players add their samples.
//
// Every piece of state that the mixer reads on the audio thread is guarded by
// AudioLock(); sources are called with it held.
namespace plat {

// The mix: interleaved stereo, 16-bit scale.
constexpr int kMixChannels = 2;
constexpr int kDeviceRate = 44100;

std::mutex& AudioLock();

// Something that sounds: adds frames of stereo samples (16-bit scale, int32 so
// that sources can overlap before clipping) into mix. Returns false when it has
// ended; the mixer then drops it. Called with AudioLock held.
class AudioSource {
 public:
  virtual ~AudioSource() = default;
  virtual bool MixInto(int32_t* mix, int frames) = 0;

 private:
  friend class MixerAccess;
  bool m_bInMixer = false;
};

// With AudioLock held: starts or stops mixing a source (adding twice is harmless).
void AddAudioSource(AudioSource* source);
void RemoveAudioSource(AudioSource* source);

enum class AudioOutput {
  kClosed,   // not opened yet
  kDevice,   // an SDL audio device plays the mix
  kSilent,   // no device (none available, or headless): nothing is heard
  kOffline,  // tests: nothing plays until RenderAudio pulls the mix
};

// Opens the output once (later calls return the state). KORVANE_HEADLESS=1 or a
// missing device gives kSilent: every sound object still works, unheard.
AudioOutput OpenAudioOutput();
AudioOutput CurrentAudioOutput();
// Closes the device and runs the close hook (the MIDI synthesiser installs its
// release there); sound objects must be gone.
void CloseAudioOutput();
// What the close runs after the device is gone: state made for the output that
// outlives its sources. Installed by the one who makes it; null for none.
using AudioCloseHook = void (*)();
void SetAudioCloseHook(AudioCloseHook hook);

// Frames per second of the mix (the second with AudioLock held).
int AudioRate();
int AudioRateLocked();

// Tests: no device; the mix runs at rate and only when RenderAudio is called.
void UseOfflineAudio(int rate);

// Renders frames of the mix (interleaved stereo) and advances every source.
void RenderAudio(int16_t* out, int frames);

// Frames rendered since the output was opened (the second with AudioLock held:
// during a source's MixInto, the frame at which its block starts).
uint64_t RenderedFrames();
uint64_t RenderedFramesLocked();

}  // namespace plat
