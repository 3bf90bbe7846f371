#include "platform/midi_synth.h"

#include <fluidsynth.h>
#include <sys/stat.h>

#include <memory>
#include <mutex>

#include "platform/audio_output.h"

namespace plat {
namespace {

class FluidMidiSynth : public MidiSynth {
 public:
  ~FluidMidiSynth() override {
    if (m_synth) delete_fluid_synth(m_synth);
    if (m_settings) delete_fluid_settings(m_settings);
  }

  bool Init(int rate, const std::string& soundFont) {
    m_settings = new_fluid_settings();
    if (!m_settings) return false;
    fluid_settings_setnum(m_settings, "synth.sample-rate", rate);
    fluid_settings_setint(m_settings, "synth.polyphony", 64);
    fluid_settings_setint(m_settings, "synth.cpu-cores", 1);
    fluid_settings_setint(m_settings, "synth.reverb.active", 1);
    fluid_settings_setint(m_settings, "synth.chorus.active", 0);
    fluid_settings_setnum(m_settings, "synth.gain", 0.5);
    // Every call comes with the audio lock held: no second lock inside.
    fluid_settings_setint(m_settings, "synth.threadsafe-api", 0);
    m_synth = new_fluid_synth(m_settings);
    if (!m_synth) return false;
    return fluid_synth_sfload(m_synth, soundFont.c_str(), 1) != FLUID_FAILED;
  }

  void ShortMessage(uint64_t, uint32_t message) override {
    int status = message & 0xFF;
    int d1 = (message >> 8) & 0x7F;
    int d2 = (message >> 16) & 0x7F;
    int ch = status & 0x0F;
    switch (status & 0xF0) {
      case 0x80: fluid_synth_noteoff(m_synth, ch, d1); break;
      case 0x90: fluid_synth_noteon(m_synth, ch, d1, d2); break;  // velocity 0 is a note-off
      case 0xA0: fluid_synth_key_pressure(m_synth, ch, d1, d2); break;
      case 0xB0: fluid_synth_cc(m_synth, ch, d1, d2); break;
      case 0xC0: fluid_synth_program_change(m_synth, ch, d1); break;
      case 0xD0: fluid_synth_channel_pressure(m_synth, ch, d1); break;
      case 0xE0: fluid_synth_pitch_bend(m_synth, ch, d1 | d2 << 7); break;
      default: break;  // system messages have no meaning for the synthesiser
    }
  }

  void LongMessage(uint64_t, const uint8_t* bytes, size_t size) override {
    if (size < 2 || bytes[0] != 0xF0) return;
    size_t n = size - 1;
    if (bytes[size - 1] == 0xF7) --n;
    fluid_synth_sysex(m_synth, reinterpret_cast<const char*>(bytes + 1), static_cast<int>(n), nullptr, nullptr,
                      nullptr, 0);
  }

  void AllNotesOff(uint64_t) override { fluid_synth_all_notes_off(m_synth, -1); }
  void Reset(uint64_t) override {
    fluid_synth_all_sounds_off(m_synth, -1);
    fluid_synth_system_reset(m_synth);
  }

  void Render(int32_t* mix, int frames) override {
    float left[512];
    float right[512];
    while (frames > 0) {
      int n = frames < 512 ? frames : 512;
      if (fluid_synth_write_float(m_synth, n, left, 0, 1, right, 0, 1) != FLUID_OK) return;
      for (int i = 0; i < n; ++i) {
        mix[i * 2] += static_cast<int32_t>(left[i] * 32767.0f);
        mix[i * 2 + 1] += static_cast<int32_t>(right[i] * 32767.0f);
      }
      mix += n * 2;
      frames -= n;
    }
  }

 private:
  fluid_settings_t* m_settings = nullptr;
  fluid_synth_t* m_synth = nullptr;
};

struct Recorder {
  std::vector<MidiRecord> records;
  bool on = false;
};
Recorder& Rec() {
  static Recorder* r = new Recorder;  // guarded by AudioLock
  return *r;
}

class RecordingMidiSynth : public MidiSynth {
 public:
  void ShortMessage(uint64_t when, uint32_t message) override { Rec().records.push_back({when, message, {}, 'S'}); }
  void LongMessage(uint64_t when, const uint8_t* bytes, size_t size) override {
    Rec().records.push_back({when, 0, std::vector<uint8_t>(bytes, bytes + size), 'L'});
  }
  void AllNotesOff(uint64_t when) override { Rec().records.push_back({when, 0, {}, 'O'}); }
  void Reset(uint64_t when) override { Rec().records.push_back({when, 0, {}, 'R'}); }
  void Render(int32_t*, int) override {}
};

std::mutex& MakeLock() {
  static std::mutex* m = new std::mutex;
  return *m;
}
std::unique_ptr<MidiSynth>& Shared() {  // written with AudioLock held
  static auto* p = new std::unique_ptr<MidiSynth>;
  return *p;
}

bool Exists(const char* path) {
  struct stat st;
  return stat(path, &st) == 0 && S_ISREG(st.st_mode);
}

void QuietLog(int, const char*, void*) {}

}  // namespace

std::string SoundFontPath() {
  static const char* kFull = "/usr/share/sounds/sf2/FluidR3_GM.sf2";
  static const char* kSmall = "/usr/share/sounds/sf2/TimGM6mb.sf2";
  return Exists(kFull) ? kFull : kSmall;
}

MidiSynth* AcquireMidiSynth() {
  std::lock_guard<std::mutex> make(MakeLock());
  bool record;
  {
    std::lock_guard<std::mutex> lock(AudioLock());
    if (Shared()) return Shared().get();
    record = Rec().on;
  }
  std::unique_ptr<MidiSynth> synth;
  if (record) {
    synth = std::make_unique<RecordingMidiSynth>();
  } else {
    // FluidSynth's own messages would only repeat what our callers report.
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
      fluid_set_log_function(level, QuietLog, nullptr);
    }
    auto fluid = std::make_unique<FluidMidiSynth>();
    if (!fluid->Init(AudioRate(), SoundFontPath())) return nullptr;
    synth = std::move(fluid);
  }
  SetAudioCloseHook(&ReleaseMidiSynth);
  std::lock_guard<std::mutex> lock(AudioLock());
  Shared() = std::move(synth);
  return Shared().get();
}

MidiSynth* MidiSynthLocked() { return Shared().get(); }

void ReleaseMidiSynth() {
  std::lock_guard<std::mutex> make(MakeLock());
  std::unique_ptr<MidiSynth> old;
  {
    std::lock_guard<std::mutex> lock(AudioLock());
    old = std::move(Shared());
  }
}

void UseMidiRecorder(bool on) {
  ReleaseMidiSynth();
  std::lock_guard<std::mutex> lock(AudioLock());
  Rec().on = on;
  Rec().records.clear();
}

std::vector<MidiRecord> TakeMidiRecords() {
  std::lock_guard<std::mutex> lock(AudioLock());
  std::vector<MidiRecord> out;
  out.swap(Rec().records);
  return out;
}

}  // namespace plat
