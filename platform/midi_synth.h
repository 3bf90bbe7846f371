#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The synthesiser behind the MIDI streams: FluidSynth used as a plain
// synthesiser (channel and system-exclusive messages in, samples out), with a
// General MIDI SoundFont from the system. Tests may swap in a recorder that
// keeps every message with the sample time it was sent at.
namespace plat {

class MidiSynth {
 public:
  virtual ~MidiSynth() = default;
  // A channel message packed as status | data1 << 8 | data2 << 16. `when` is the
  // mix's frame count at which it takes effect.
  virtual void ShortMessage(uint64_t when, uint32_t message) = 0;
  // A system-exclusive message, from its F0 to its F7.
  virtual void LongMessage(uint64_t when, const uint8_t* bytes, size_t size) = 0;
  virtual void AllNotesOff(uint64_t when) = 0;  // notes released
  virtual void Reset(uint64_t when) = 0;        // sound cut, programs and controllers to defaults
  // Adds frames of stereo samples (16-bit scale) into mix.
  virtual void Render(int32_t* mix, int frames) = 0;
};

// The synthesiser shared by every MIDI stream, made at the first call (the
// SoundFont is loaded then). Null when none can be made. Call without AudioLock.
MidiSynth* AcquireMidiSynth();
// The shared synthesiser once made (AudioLock held), or null.
MidiSynth* MidiSynthLocked();
// Frees it (the audio output's close does this).
void ReleaseMidiSynth();

// The SoundFont used: fluid-soundfont-gm when installed, else timgm6mb.
std::string SoundFontPath();

// Tests: record messages instead of synthesising (takes effect at the next
// AcquireMidiSynth after a release).
struct MidiRecord {
  uint64_t when = 0;
  uint32_t message = 0;          // 0 for a long message or a reset
  std::vector<uint8_t> bytes;    // a long message
  char kind = 'S';               // 'S' short, 'L' long, 'O' all notes off, 'R' reset
};
void UseMidiRecorder(bool on);
std::vector<MidiRecord> TakeMidiRecords();

}  // namespace plat
