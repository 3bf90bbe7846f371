#pragma once
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "app/base/vector.h"
#include "app/sound/midi_file.h"
#include "platform/midi_stream.h"
#include "platform/thread.h"

// Plays a MIDI file's image through a MIDI stream: two buffers of 24,000 bytes
// of stream events, refilled by a callback thread of the player's own when the
// last event of a buffer has played. At the end of the piece the player stops,
// rewinds and, when looping, starts again.
class cMidiPlayer : public cMidiFile {
 public:
  static constexpr uint32_t kBufferSize = 24000;
  static constexpr int kBufferCount = 2;
  enum { kStopped = 0, kPlaying = 1, kPaused = 2 };

  explicit cMidiPlayer(const char* path);
  ~cMidiPlayer() override;  // closes the stream and ends the callback thread

  void Play(int loop);
  // pause 1: pause where it is (when playing); pause 0: stop and rewind, with the
  // first buffer queued again for the next Play.
  void Stop(int pause);

  int State() const;
  size_t Position() const;

  // Fills header's block with the stream events from the image position `pos`;
  // returns the image bytes consumed. `carry` holds ticks of skipped meta events
  // that the next placed event must wait for (kept between buffers).
  static uint32_t FillBuffer(const std::vector<uint8_t>& image, size_t pos, plat::MIDIHDR& header,
                             uint32_t& carry);

 private:
  void Open();
  void Close();
  void QueueNext();
  void PlayLocked(int loop);
  void StopLocked(int pause);
  void LogError(const char* format, plat::MMRESULT result) const;
  unsigned CallbackThread();
  void OnPositionCallback(const plat::MIDIHDR* header);

  mutable std::mutex m_Mutex;  // the window thread and the callback thread both drive the player
  int m_nCurrentBuffer = 0;
  plat::HMIDISTRM m_hStream = nullptr;
  std::unique_ptr<plat::MIDIHDR[]> m_pHeaders;
  std::vector<std::vector<char>> m_Blocks;
  size_t m_nPosition = kMidiImageHeader;
  uint32_t m_nCarry = 0;
  int m_nState = kStopped;
  plat::Thread m_Thread;
  int m_bLoop = 0;
  bool m_bClosing = false;
};

// One player per slot; null while a slot has none.
class cMidiSet {
 public:
  ~cMidiSet();
  void SetSlotCount(int n);  // new slots empty; players of removed slots deleted
  // Stops and deletes every player, then opens path ("mid" extension only) into
  // the slot and plays it. 1 when it started.
  int Play(int slot, const char* path, int loop);
  void Stop(int pause);
  void Release();  // deletes every player and empties the set
  cMidiPlayer* Player(int slot) const;

 private:
  void DeleteAll();
  cVector<cMidiPlayer*> m_Players;
};
