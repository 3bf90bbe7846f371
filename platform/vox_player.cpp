#include "platform/vox_player.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <vector>

#include "platform/audio_output.h"
#include "platform/files.h"

namespace plat {
namespace {

constexpr size_t kMaxOggBytes = 256u << 20;
constexpr long kMaxRate = 384000;

// libvorbisfile reads the file image from memory.
struct Memory {
  const std::vector<uint8_t>* bytes = nullptr;
  size_t pos = 0;
};
size_t MemRead(void* out, size_t size, size_t count, void* src) {
  auto* m = static_cast<Memory*>(src);
  size_t want = size * count;
  size_t left = m->bytes->size() - m->pos;
  size_t n = std::min(want, left);
  std::memcpy(out, m->bytes->data() + m->pos, n);
  m->pos += n;
  return size ? n / size : 0;
}
int MemSeek(void* src, ogg_int64_t offset, int whence) {
  auto* m = static_cast<Memory*>(src);
  int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? static_cast<int64_t>(m->pos)
                                                              : static_cast<int64_t>(m->bytes->size());
  int64_t to = base + offset;
  if (to < 0 || to > static_cast<int64_t>(m->bytes->size())) return -1;
  m->pos = static_cast<size_t>(to);
  return 0;
}
long MemTell(void* src) { return static_cast<long>(static_cast<Memory*>(src)->pos); }
const ov_callbacks kMemCallbacks = {MemRead, MemSeek, nullptr, MemTell};

// One opened file: the image, the decoder and what was decoded but not mixed.
struct Decoder {
  std::vector<uint8_t> bytes;
  Memory memory;
  OggVorbis_File vf{};
  bool open = false;
  int channels = 0;
  long rate = 0;
  std::vector<int16_t> frames;  // decoded stereo frames not yet taken
  size_t next = 0;
  bool failed = false;          // a decoding error: never read again
  ~Decoder() {
    if (open) ov_clear(&vf);
  }

  // Decodes the next block into frames (stereo); false at the end or on an error.
  bool Decode() {
    if (failed) return false;
    char buf[8192];
    for (int holes = 0; holes < 16; ++holes) {
      int section = 0;
      long n = ov_read(&vf, buf, sizeof buf, 0, 2, 1, &section);
      if (n == OV_HOLE) continue;
      if (n < 0) {
        // libvorbis can crash on the read after an error: stop here for good.
        failed = true;
        return false;
      }
      if (n == 0) return false;
      vorbis_info* vi = ov_info(&vf, -1);
      if (!vi || vi->channels != channels) {
        failed = true;  // a chained stream with another layout
        return false;
      }
      size_t count = static_cast<size_t>(n) / (2u * static_cast<size_t>(channels));
      const int16_t* in = reinterpret_cast<const int16_t*>(buf);
      frames.erase(frames.begin(), frames.begin() + static_cast<ptrdiff_t>(next * 2));
      next = 0;
      // Left is channel 0; right is channel 1, or 2 where the Vorbis order puts
      // the centre at 1 (three channels, and five or more).
      int right = channels == 1 ? 0 : (channels == 3 || channels >= 5) ? 2 : 1;
      for (size_t i = 0; i < count; ++i) {
        frames.push_back(in[i * static_cast<size_t>(channels)]);
        frames.push_back(in[i * static_cast<size_t>(channels) + static_cast<size_t>(right)]);
      }
      return true;
    }
    failed = true;
    return false;
  }

  bool Take(int64_t& l, int64_t& r) {
    while (next * 2 >= frames.size()) {
      if (!Decode()) return false;
    }
    l = frames[next * 2];
    r = frames[next * 2 + 1];
    ++next;
    return true;
  }
};

class OggPlayer : public VoxPlayer, private AudioSource {
 public:
  ~OggPlayer() override { Close(); }

  bool Open(const char* path) override {
    Close();
    if (!path || !*path) return false;
    auto d = std::make_unique<Decoder>();
    if (ReadWholeFile(path, d->bytes, kMaxOggBytes) != ReadStatus::kOk) return false;
    d->memory.bytes = &d->bytes;
    if (ov_open_callbacks(&d->memory, &d->vf, nullptr, 0, kMemCallbacks) != 0) return false;
    d->open = true;
    vorbis_info* vi = ov_info(&d->vf, -1);
    if (!vi || vi->channels < 1 || vi->rate < 1 || vi->rate > kMaxRate) return false;
    d->channels = vi->channels;
    d->rate = vi->rate;
    // The first block must decode; it stays as the first sound to play.
    if (!d->Decode() && d->failed) return false;
    std::lock_guard<std::mutex> lock(AudioLock());
    m_decoder = std::move(d);
    m_step = (static_cast<uint64_t>(m_decoder->rate) << 32) / static_cast<uint64_t>(AudioRateLocked());
    ResetPositionLocked();
    return true;
  }

  void Play() override {
    std::lock_guard<std::mutex> lock(AudioLock());
    if (!m_decoder || m_bEnded) return;
    m_bPlaying = true;
    AddAudioSource(this);
  }

  void Stop() override {
    std::lock_guard<std::mutex> lock(AudioLock());
    m_bPlaying = false;
    RemoveAudioSource(this);
  }

  void Close() override {
    std::unique_ptr<Decoder> old;
    {
      std::lock_guard<std::mutex> lock(AudioLock());
      m_bPlaying = false;
      RemoveAudioSource(this);
      old = std::move(m_decoder);
    }
  }

  void SetLoop(int32_t count) override {
    std::lock_guard<std::mutex> lock(AudioLock());
    m_nLoops = std::max(count, 0);
  }

  bool IsPlaying() const override {
    std::lock_guard<std::mutex> lock(AudioLock());
    return m_bPlaying;
  }

  void Delete() override { delete this; }

 private:
  void ResetPositionLocked() {
    m_frac = 0;
    m_bHaveA = m_bHaveB = false;
    m_bEnded = false;
    m_nPassFrames = 0;
  }

  // The next source frame, rewinding for another pass while loops remain.
  bool NextFrame(int64_t& l, int64_t& r) {
    if (m_decoder->Take(l, r)) {
      ++m_nPassFrames;
      return true;
    }
    // A pass that gave nothing would loop forever without sound.
    if (m_decoder->failed || m_nLoops == 0 || m_nPassFrames == 0) return false;
    if (ov_pcm_seek(&m_decoder->vf, 0) != 0) {
      m_decoder->failed = true;
      return false;
    }
    m_decoder->frames.clear();
    m_decoder->next = 0;
    if (m_nLoops != kVoxLoopForever) --m_nLoops;
    m_nPassFrames = 0;
    if (!m_decoder->Take(l, r)) return false;
    ++m_nPassFrames;
    return true;
  }

  bool MixInto(int32_t* mix, int frames) override {
    if (!m_bPlaying || !m_decoder) return false;
    if (!m_bHaveA) {
      if (!NextFrame(m_al, m_ar)) return End();
      m_bHaveA = true;
    }
    for (int i = 0; i < frames; ++i) {
      while (m_frac >= (1ull << 32)) {
        if (!m_bHaveB && !NextFrame(m_bl, m_br)) return End();
        m_al = m_bl;
        m_ar = m_br;
        m_bHaveB = false;
        m_frac -= 1ull << 32;
      }
      if (!m_bHaveB) {
        if (NextFrame(m_bl, m_br)) {
          m_bHaveB = true;
        } else {
          m_bl = m_al;  // the last frame: nothing to lean towards
          m_br = m_ar;
        }
      }
      int64_t t = static_cast<int64_t>(m_frac >> 16);
      mix[i * 2] += static_cast<int32_t>(m_al + ((m_bl - m_al) * t >> 16));
      mix[i * 2 + 1] += static_cast<int32_t>(m_ar + ((m_br - m_ar) * t >> 16));
      m_frac += m_step;
      if (!m_bHaveB && m_frac >= (1ull << 32)) return End();
    }
    return true;
  }

  bool End() {
    m_bPlaying = false;
    m_bEnded = true;
    return false;
  }

  std::unique_ptr<Decoder> m_decoder;
  bool m_bPlaying = false;
  bool m_bEnded = false;
  int32_t m_nLoops = 0;
  uint64_t m_step = 1ull << 32;  // source frames per mix frame, 32.32
  uint64_t m_frac = 0;
  bool m_bHaveA = false, m_bHaveB = false;
  int64_t m_al = 0, m_ar = 0, m_bl = 0, m_br = 0;
  uint64_t m_nPassFrames = 0;
};

VoxPlayer* CreateOggPlayer() { return new OggPlayer; }

std::atomic<bool> gAvailable{true};

}  // namespace

CreateVoxFunction LoadVoxComponent() {
  if (!gAvailable.load()) return nullptr;
  OpenAudioOutput();
  return CreateOggPlayer;
}

void SetVoxComponentAvailable(bool available) { gAvailable.store(available); }

}  // namespace plat
