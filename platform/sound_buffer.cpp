#include "platform/sound_buffer.h"

#include <algorithm>
#include <cmath>

namespace plat {

int32_t VolumeToGain(int32_t volume) {
  volume = std::clamp(volume, DSBVOLUME_MIN, DSBVOLUME_MAX);
  if (volume <= DSBVOLUME_MIN) return 0;  // the bottom of the scale is silence
  return static_cast<int32_t>(std::lround(65536.0 * std::pow(10.0, volume / 2000.0)));
}

MixPcm ConvertPcm(const WaveFormat& format, const uint8_t* bytes, size_t size, int toRate) {
  MixPcm pcm;
  int ch = format.nChannels;
  int width = format.wBitsPerSample / 8;
  if ((ch != 1 && ch != 2) || (width != 1 && width != 2) || toRate <= 0 || format.nSamplesPerSec == 0) return pcm;
  pcm.channels = ch;
  size_t block = static_cast<size_t>(ch * width);
  size_t inFrames = size / block;
  if (inFrames == 0) return pcm;
  auto sample = [&](size_t frame, int c) -> int32_t {
    const uint8_t* p = bytes + frame * block + static_cast<size_t>(c * width);
    if (width == 1) return (static_cast<int32_t>(p[0]) - 128) * 256;
    return static_cast<int16_t>(static_cast<uint16_t>(p[0] | p[1] << 8));
  };
  uint64_t from = format.nSamplesPerSec;
  uint64_t to = static_cast<uint64_t>(toRate);
  size_t outFrames = from == to ? inFrames : static_cast<size_t>((inFrames - 1) * to / from + 1);
  pcm.samples.resize(outFrames * static_cast<size_t>(ch));
  for (size_t i = 0; i < outFrames; ++i) {
    // Source position i * from / to, split into a frame and a remainder in 1/to.
    uint64_t num = static_cast<uint64_t>(i) * from;
    size_t a = static_cast<size_t>(num / to);
    int64_t rem = static_cast<int64_t>(num % to);
    size_t b = std::min(a + 1, inFrames - 1);
    for (int c = 0; c < ch; ++c) {
      int64_t sa = sample(a, c);
      int64_t sb = sample(b, c);
      pcm.samples[i * static_cast<size_t>(ch) + static_cast<size_t>(c)] =
          static_cast<int16_t>(sa + (sb - sa) * rem / static_cast<int64_t>(to));
    }
  }
  return pcm;
}

SoundBuffer::SoundBuffer(const WaveFormat& format, uint32_t bytes) : m_format(format), m_nBytes(bytes) {}

SoundBuffer::~SoundBuffer() {
  std::lock_guard<std::mutex> lock(AudioLock());
  RemoveAudioSource(this);
}

bool SoundBuffer::Lock(void** data, uint32_t* bytes) {
  if (m_bDuplicate || !data || !bytes) return false;
  m_locked.assign(m_nBytes, m_format.wBitsPerSample == 8 ? 0x80 : 0);
  *data = m_locked.data();
  *bytes = m_nBytes;
  return true;
}

void SoundBuffer::Unlock() {
  if (m_locked.empty()) return;
  auto pcm = std::make_shared<MixPcm>(ConvertPcm(m_format, m_locked.data(), m_locked.size(), AudioRate()));
  m_locked.clear();
  m_locked.shrink_to_fit();
  std::lock_guard<std::mutex> lock(AudioLock());
  m_pcm = std::move(pcm);
}

void SoundBuffer::Play(uint32_t flags) {
  std::lock_guard<std::mutex> lock(AudioLock());
  m_bLooping = (flags & DSBPLAY_LOOPING) != 0;
  m_bPlaying = true;
  AddAudioSource(this);
}

void SoundBuffer::Stop() {
  std::lock_guard<std::mutex> lock(AudioLock());
  m_bPlaying = false;
  RemoveAudioSource(this);
}

void SoundBuffer::SetCurrentPosition(uint32_t byteOffset) {
  std::lock_guard<std::mutex> lock(AudioLock());
  uint64_t frame = m_format.nBlockAlign ? byteOffset / m_format.nBlockAlign : 0;
  uint64_t rate = m_format.nSamplesPerSec ? m_format.nSamplesPerSec : 1;
  m_nPosition = static_cast<size_t>(frame * static_cast<uint64_t>(AudioRateLocked()) / rate);
}

void SoundBuffer::SetVolume(int32_t volume) {
  volume = std::clamp(volume, DSBVOLUME_MIN, DSBVOLUME_MAX);
  int32_t gain = VolumeToGain(volume);
  std::lock_guard<std::mutex> lock(AudioLock());
  m_nVolume = volume;
  m_nGain = gain;
}

int32_t SoundBuffer::GetVolume() const {
  std::lock_guard<std::mutex> lock(AudioLock());
  return m_nVolume;
}

uint32_t SoundBuffer::GetStatus() const {
  std::lock_guard<std::mutex> lock(AudioLock());
  if (!m_bPlaying) return 0;
  return DSBSTATUS_PLAYING | (m_bLooping ? DSBSTATUS_LOOPING : 0);
}

bool SoundBuffer::MixInto(int32_t* mix, int frames) {
  if (!m_bPlaying) return false;
  const MixPcm* pcm = m_pcm.get();
  size_t total = pcm ? pcm->Frames() : 0;
  if (total == 0) {
    m_bPlaying = false;
    return false;
  }
  const int64_t gain = m_nGain;
  for (int i = 0; i < frames; ++i) {
    if (m_nPosition >= total) {
      if (!m_bLooping) {
        m_bPlaying = false;
        m_nPosition = total;
        return false;
      }
      m_nPosition = 0;
    }
    int32_t l, r;
    if (pcm->channels == 1) {
      l = r = pcm->samples[m_nPosition];
    } else {
      l = pcm->samples[m_nPosition * 2];
      r = pcm->samples[m_nPosition * 2 + 1];
    }
    mix[i * 2] += static_cast<int32_t>((l * gain) >> 16);
    mix[i * 2 + 1] += static_cast<int32_t>((r * gain) >> 16);
    ++m_nPosition;
  }
  return true;
}

std::unique_ptr<SoundDevice> SoundDevice::Create() {
  std::unique_ptr<SoundDevice> device(new SoundDevice);
  device->m_output = OpenAudioOutput();
  return device;
}

void SoundDevice::SetPrimaryFormat(const WaveFormat& format) { m_primary = format; }

std::unique_ptr<SoundBuffer> SoundDevice::CreateSoundBuffer(const WaveFormat& f, uint32_t bytes) {
  if (f.wFormatTag != WAVE_FORMAT_PCM) return nullptr;
  if (f.nChannels != 1 && f.nChannels != 2) return nullptr;
  if (f.wBitsPerSample != 8 && f.wBitsPerSample != 16) return nullptr;
  if (f.nBlockAlign != f.nChannels * f.wBitsPerSample / 8) return nullptr;
  if (f.nSamplesPerSec < 100 || f.nSamplesPerSec > 200000) return nullptr;
  if (bytes < f.nBlockAlign) return nullptr;
  // Converted to the mix rate the sound grows by up to the rate ratio: a very long
  // sound (a damaged header saying 100 Hz, say) would take gigabytes.
  if (bytes / f.nBlockAlign / f.nSamplesPerSec > kMaxSoundBufferSeconds) return nullptr;
  return std::unique_ptr<SoundBuffer>(new SoundBuffer(f, bytes));
}

std::unique_ptr<SoundBuffer> SoundDevice::DuplicateSoundBuffer(const SoundBuffer& source) {
  std::unique_ptr<SoundBuffer> copy(new SoundBuffer(source.m_format, source.m_nBytes));
  copy->m_bDuplicate = true;
  std::lock_guard<std::mutex> lock(AudioLock());
  copy->m_pcm = source.m_pcm;
  return copy;
}

}  // namespace plat
