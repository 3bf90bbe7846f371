#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/audio_output.h"
#include "platform/wav_reader.h"

// Sound-effect buffers in the manner the game expects of them: a device object,
// static secondary buffers filled once through Lock/Unlock, duplicates that share
// the sound of their source, and volumes in hundredths of a decibel (0 full,
// -10000 silence). The PCM is converted once, at Unlock, to the mix's rate.
namespace plat {

constexpr int32_t DSBVOLUME_MIN = -10000;
constexpr int32_t DSBVOLUME_MAX = 0;
constexpr uint32_t DSBPLAY_LOOPING = 1;
constexpr uint32_t DSBSTATUS_PLAYING = 1;
constexpr uint32_t DSBSTATUS_LOOPING = 4;
constexpr uint32_t kMaxSoundBufferSeconds = 600;

// The gain (16.16 fixed point) for a volume: 10^(volume/2000), 0 at -10000.
int32_t VolumeToGain(int32_t volume);

// Sound converted for the mix: int16 frames at the mix rate, 1 or 2 channels.
struct MixPcm {
  int channels = 1;
  std::vector<int16_t> samples;
  size_t Frames() const { return channels ? samples.size() / static_cast<size_t>(channels) : 0; }
};

class SoundBuffer : private AudioSource {
 public:
  ~SoundBuffer() override;
  SoundBuffer(const SoundBuffer&) = delete;
  SoundBuffer& operator=(const SoundBuffer&) = delete;

  // Gives the whole buffer (its size in bytes, in the buffer's format) for
  // writing; Unlock converts what was written. False for a duplicate, whose
  // sound belongs to its source.
  bool Lock(void** data, uint32_t* bytes);
  void Unlock();

  void Play(uint32_t flags);  // continues from the current position
  void Stop();                // keeps the position
  void SetCurrentPosition(uint32_t byteOffset);
  void SetVolume(int32_t volume);  // clamped to -10000..0
  int32_t GetVolume() const;
  uint32_t GetStatus() const;

 private:
  friend class SoundDevice;
  SoundBuffer(const WaveFormat& format, uint32_t bytes);
  bool MixInto(int32_t* mix, int frames) override;

  WaveFormat m_format;
  uint32_t m_nBytes = 0;
  std::vector<uint8_t> m_locked;        // the bytes given out by Lock
  bool m_bDuplicate = false;
  std::shared_ptr<const MixPcm> m_pcm;  // shared with duplicates
  size_t m_nPosition = 0;               // in frames of the mix
  bool m_bPlaying = false;
  bool m_bLooping = false;
  int32_t m_nVolume = 0;
  int32_t m_nGain = 65536;
};

// The sound device object. Making one opens the audio output (which may be
// silent); buffers stay usable after it is gone.
class SoundDevice {
 public:
  static std::unique_ptr<SoundDevice> Create();

  // The format the game asks for the primary buffer. Kept for the record only:
  // the mix itself always runs at the output's rate in 16-bit stereo.
  void SetPrimaryFormat(const WaveFormat& format);
  WaveFormat PrimaryFormat() const { return m_primary; }
  AudioOutput Output() const { return m_output; }

  // A static buffer for PCM in the given format (8 or 16 bits, 1 or 2 channels,
  // 100 to 200,000 Hz, a block alignment that matches, at least one frame and at
  // most kMaxSoundBufferSeconds); null when the format or size cannot be played.
  std::unique_ptr<SoundBuffer> CreateSoundBuffer(const WaveFormat& format, uint32_t bytes);
  // A buffer sharing source's sound, with its own position, state and volume (full).
  std::unique_ptr<SoundBuffer> DuplicateSoundBuffer(const SoundBuffer& source);

 private:
  SoundDevice() = default;
  WaveFormat m_primary;
  AudioOutput m_output = AudioOutput::kClosed;
};

// Converts PCM bytes (8-bit unsigned or 16-bit signed little-endian, 1 or 2
// channels) to int16 at the rate `toRate` by linear interpolation.
MixPcm ConvertPcm(const WaveFormat& format, const uint8_t* bytes, size_t size, int toRate);

}  // namespace plat
