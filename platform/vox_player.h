#pragma once
#include <cstdint>
#include <memory>

// The OGG player component: player objects that open an Ogg Vorbis file, play it
// (endlessly or a number of extra times) and stop, decoding with libvorbisfile
// into the mixer. The file is read whole at Open and checked by decoding its
// first block, so that a stream that cannot be decoded is refused there.
namespace plat {

constexpr int32_t kVoxLoopForever = 0x7FFFFFFF;

class VoxPlayer {
 public:
  virtual ~VoxPlayer() = default;
  // Opens a game path; false when the file cannot be read or decoded. Closes
  // whatever was open first.
  virtual bool Open(const char* path) = 0;
  virtual void Play() = 0;   // from the start, or on from where Stop left it
  virtual void Stop() = 0;
  virtual void Close() = 0;
  // Extra passes after the first: 0 plays once, kVoxLoopForever endlessly.
  virtual void SetLoop(int32_t count) = 0;
  virtual bool IsPlaying() const = 0;
  // The object deletes itself.
  virtual void Delete() = 0;
};

using CreateVoxFunction = VoxPlayer* (*)();

// The component's factory, as a loaded component offers it; null when the
// component is not available (tests can make it so).
CreateVoxFunction LoadVoxComponent();
void SetVoxComponentAvailable(bool available);

}  // namespace plat
