#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>

#include "platform/messages.h"

// MIDI streams in the manner the music player expects of them: buffers of
// stream events {delta ticks, stream id, event word [, bytes]} queued on a
// stream, played in sample time inside the mixer, sent to the shared
// synthesiser, and returned with callbacks posted to the opener's thread queue
// (wParam the stream, lParam the buffer header).
namespace plat {

class MidiStream;
using HMIDISTRM = MidiStream*;
using MMRESULT = uint32_t;

// A buffer header. dwFlags and dwOffset are written by the mixer while the
// buffer is queued and read by the owner's threads: they are atomic.
struct MIDIHDR {
  char* lpData = nullptr;
  uint32_t dwBufferLength = 0;
  uint32_t dwBytesRecorded = 0;
  uintptr_t dwUser = 0;
  std::atomic<uint32_t> dwFlags{0};
  MIDIHDR* lpNext = nullptr;
  uintptr_t reserved = 0;
  std::atomic<uint32_t> dwOffset{0};  // offset of the event that raised the last position callback
  uintptr_t dwReserved[8] = {};
};

constexpr uint32_t MHDR_DONE = 0x00000001;
constexpr uint32_t MHDR_PREPARED = 0x00000002;
constexpr uint32_t MHDR_INQUEUE = 0x00000004;
constexpr uint32_t MHDR_ISSTRM = 0x00000008;

// Event words: the high byte holds the type and flags, the low 24 bits the value.
constexpr uint32_t MEVT_F_SHORT = 0x00000000;
constexpr uint32_t MEVT_F_LONG = 0x80000000;
constexpr uint32_t MEVT_F_CALLBACK = 0x40000000;
constexpr uint8_t MEVT_SHORTMSG = 0x00;
constexpr uint8_t MEVT_TEMPO = 0x01;
constexpr uint8_t MEVT_NOP = 0x02;
constexpr uint8_t MEVT_LONGMSG = 0x80;
constexpr uint8_t MEVT_COMMENT = 0x82;
constexpr uint8_t MEVT_VERSION = 0x84;
inline uint8_t MEVT_EVENTTYPE(uint32_t e) { return static_cast<uint8_t>(e >> 24); }
inline uint32_t MEVT_EVENTPARM(uint32_t e) { return e & 0x00FFFFFF; }

constexpr uint32_t MIDIPROP_SET = 0x80000000;
constexpr uint32_t MIDIPROP_GET = 0x40000000;
constexpr uint32_t MIDIPROP_TIMEDIV = 0x00000001;
constexpr uint32_t MIDIPROP_TEMPO = 0x00000002;
struct MIDIPROPTIMEDIV {
  uint32_t cbStruct = sizeof(MIDIPROPTIMEDIV);
  uint32_t dwTimeDiv = 0;
};
struct MIDIPROPTEMPO {
  uint32_t cbStruct = sizeof(MIDIPROPTEMPO);
  uint32_t dwTempo = 0;
};

// Callback messages posted to the opener's thread.
constexpr UINT MM_MOM_OPEN = 0x3C7;
constexpr UINT MM_MOM_CLOSE = 0x3C8;
constexpr UINT MM_MOM_DONE = 0x3C9;
constexpr UINT MM_MOM_POSITIONCB = 0x3CA;

constexpr MMRESULT MMSYSERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_ERROR = 1;
constexpr MMRESULT MMSYSERR_INVALHANDLE = 5;
constexpr MMRESULT MMSYSERR_NODRIVER = 6;
constexpr MMRESULT MMSYSERR_NOMEM = 7;
constexpr MMRESULT MMSYSERR_INVALFLAG = 10;
constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
constexpr MMRESULT MIDIERR_UNPREPARED = 64;
constexpr MMRESULT MIDIERR_STILLPLAYING = 65;

// Opens a stream on the shared synthesiser; it starts paused with 96 ticks per
// quarter note and 500,000 microseconds per quarter note. Callbacks go to
// callbackThread's queue (0: none).
MMRESULT MidiStreamOpen(HMIDISTRM* stream, ThreadId callbackThread);
// MIDIPROP_SET or MIDIPROP_GET with MIDIPROP_TIMEDIV (MIDIPROPTIMEDIV) or
// MIDIPROP_TEMPO (MIDIPROPTEMPO). A time division is ticks per quarter note, or
// in SMPTE form (high byte minus the frames per second, low byte ticks per frame).
MMRESULT MidiStreamProperty(HMIDISTRM stream, void* data, uint32_t flags);
MMRESULT MidiOutPrepareHeader(HMIDISTRM stream, MIDIHDR* header, uint32_t size);
MMRESULT MidiOutUnprepareHeader(HMIDISTRM stream, MIDIHDR* header, uint32_t size);
MMRESULT MidiStreamOut(HMIDISTRM stream, MIDIHDR* header, uint32_t size);
MMRESULT MidiStreamRestart(HMIDISTRM stream);
// Pauses where it is (sounding notes are released); Restart goes on from there.
MMRESULT MidiStreamPause(HMIDISTRM stream);
// Stops: notes released, every queued buffer returned, the tick position back to 0.
MMRESULT MidiStreamStop(HMIDISTRM stream);
// As Stop, and the synthesiser's sound is cut and its state reset.
MMRESULT MidiOutReset(HMIDISTRM stream);
// Fails with MIDIERR_STILLPLAYING while a buffer is queued.
MMRESULT MidiStreamClose(HMIDISTRM stream);

// The text of an error code (at most size-1 characters, always terminated);
// false for an unknown code.
bool MciGetErrorString(MMRESULT error, char* text, size_t size);

}  // namespace plat
