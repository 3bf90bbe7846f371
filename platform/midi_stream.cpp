#include "platform/midi_stream.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>
#include <mutex>
#include <vector>

#include "platform/audio_output.h"
#include "platform/midi_synth.h"

namespace plat {

class MidiStream {
 public:
  ThreadId callbackThread = 0;
  uint32_t division = 96;
  uint32_t tempo = 500000;
  std::deque<MIDIHDR*> queue;
  uint32_t offset = 0;       // of the next event in the front buffer
  bool running = false;
  bool pending = false;      // the next event's time is known
  int64_t untilNext = 0;     // frames until the next event
  unsigned __int128 remainder = 0;  // of the tick-to-frame division, carried on
};

namespace {

// All open streams, played by one mixer source so that the shared synthesiser is
// rendered once and every event lands on its own frame.
class MidiDevice : public AudioSource {
 public:
  std::vector<MidiStream*> streams;
  bool MixInto(int32_t* mix, int frames) override;
};

MidiDevice& Device() {  // guarded by AudioLock; never destroyed
  static MidiDevice* d = new MidiDevice;
  return *d;
}

bool Valid(HMIDISTRM s) {
  if (!s) return false;
  auto& v = Device().streams;
  return std::find(v.begin(), v.end(), s) != v.end();
}

uint32_t ReadU32(const char* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

void Post(const MidiStream& s, UINT message, MIDIHDR* header) {
  if (s.callbackThread != 0) {
    PostThreadMessage(s.callbackThread, message, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(header));
  }
}

// The front buffer is finished: it goes back to its owner.
void ReturnFront(MidiStream& s) {
  MIDIHDR* h = s.queue.front();
  s.queue.pop_front();
  s.offset = 0;
  s.pending = false;
  h->dwFlags.store((h->dwFlags.load() & ~MHDR_INQUEUE) | MHDR_DONE);
  Post(s, MM_MOM_DONE, h);
}

void ReturnAll(MidiStream& s) {
  while (!s.queue.empty()) ReturnFront(s);
  s.remainder = 0;
}

// Frames for a delta in ticks at the stream's time division and tempo.
int64_t DeltaToFrames(MidiStream& s, uint32_t delta) {
  using u128 = unsigned __int128;
  u128 rate = static_cast<u128>(AudioRateLocked());
  u128 num, den;
  if (s.division & 0x8000) {
    // SMPTE: frames per second (29 meaning 30 drop-frame, 29.97) times ticks per frame.
    int fps = -static_cast<int8_t>(s.division >> 8);
    uint32_t tpf = s.division & 0xFF;
    num = rate * (fps == 29 ? 1001u : 1u);
    den = static_cast<u128>(fps == 29 ? 30000u : static_cast<uint32_t>(fps)) * tpf;
  } else {
    num = rate * s.tempo;
    den = static_cast<u128>(1000000u) * s.division;
  }
  u128 total = static_cast<u128>(delta) * num + s.remainder;
  s.remainder = total % den;
  u128 frames = total / den;
  // A hostile delta cannot stall the stream for more than a day.
  u128 cap = rate * 86400u;
  return static_cast<int64_t>(frames < cap ? frames : cap);
}

// Finds the next event's time; false when there is none queued.
bool Schedule(MidiStream& s) {
  while (!s.queue.empty()) {
    MIDIHDR* h = s.queue.front();
    if (h->dwBytesRecorded < 12 || s.offset > h->dwBytesRecorded - 12) {
      ReturnFront(s);
      continue;
    }
    s.untilNext = DeltaToFrames(s, ReadU32(h->lpData + s.offset));
    s.pending = true;
    return true;
  }
  return false;
}

void DispatchNext(MidiStream& s, uint64_t when, MidiSynth* synth) {
  MIDIHDR* h = s.queue.front();
  const char* e = h->lpData + s.offset;
  uint32_t word = ReadU32(e + 8);
  uint32_t size = 12;
  uint8_t type = MEVT_EVENTTYPE(word) & static_cast<uint8_t>(~(MEVT_F_CALLBACK >> 24));
  uint32_t parm = MEVT_EVENTPARM(word);
  uint32_t room = h->dwBytesRecorded - s.offset - 12;
  bool whole = true;
  if (word & MEVT_F_LONG) {
    uint32_t padded = (parm + 3) & ~3u;
    if (padded > room) {
      whole = false;  // a long event that runs past the recorded bytes ends the buffer
      size = h->dwBytesRecorded - s.offset;
    } else {
      size += padded;
    }
  }
  if (whole) {
    if (type == MEVT_SHORTMSG) {
      if (synth) synth->ShortMessage(when, parm);
    } else if (type == MEVT_TEMPO) {
      if (parm != 0) s.tempo = parm;
    } else if (type == MEVT_LONGMSG) {
      if (synth && parm > 0) synth->LongMessage(when, reinterpret_cast<const uint8_t*>(e + 12), parm);
    }
  }
  uint32_t at = s.offset;
  s.offset += size;
  s.pending = false;
  // The buffer goes back before the position callback is posted, so that the
  // owner, woken by the callback, finds it free to be filled again.
  bool finished = h->dwBytesRecorded < 12 || s.offset > h->dwBytesRecorded - 12;
  if (finished) {
    s.queue.pop_front();
    s.offset = 0;
    h->dwFlags.store((h->dwFlags.load() & ~MHDR_INQUEUE) | MHDR_DONE);
  }
  if (whole && (word & MEVT_F_CALLBACK)) {
    h->dwOffset.store(at);
    Post(s, MM_MOM_POSITIONCB, h);
  }
  if (finished) Post(s, MM_MOM_DONE, h);
}

void DispatchDue(MidiStream& s, uint64_t when, MidiSynth* synth) {
  while (s.running) {
    if (!s.pending && !Schedule(s)) return;
    if (s.untilNext > 0) return;
    DispatchNext(s, when, synth);
  }
}

bool MidiDevice::MixInto(int32_t* mix, int frames) {
  MidiSynth* synth = MidiSynthLocked();
  uint64_t base = RenderedFramesLocked();
  int done = 0;
  while (true) {
    for (MidiStream* s : streams) DispatchDue(*s, base + static_cast<uint64_t>(done), synth);
    if (done >= frames) break;
    int64_t n = frames - done;
    for (MidiStream* s : streams) {
      if (s->running && s->pending) n = std::min(n, s->untilNext);
    }
    if (synth) synth->Render(mix + static_cast<ptrdiff_t>(done) * kMixChannels, static_cast<int>(n));
    for (MidiStream* s : streams) {
      if (s->running && s->pending) s->untilNext -= n;
    }
    done += static_cast<int>(n);
  }
  return true;
}

}  // namespace

MMRESULT MidiStreamOpen(HMIDISTRM* stream, ThreadId callbackThread) {
  if (!stream) return MMSYSERR_INVALPARAM;
  *stream = nullptr;
  OpenAudioOutput();
  if (!AcquireMidiSynth()) return MMSYSERR_NODRIVER;
  auto* s = new MidiStream;
  s->callbackThread = callbackThread;
  {
    std::lock_guard<std::mutex> lock(AudioLock());
    MidiDevice& d = Device();
    if (d.streams.empty()) {
      // A new piece starts from the synthesiser's defaults.
      if (MidiSynth* synth = MidiSynthLocked()) synth->Reset(RenderedFramesLocked());
    }
    d.streams.push_back(s);
    AddAudioSource(&d);
    Post(*s, MM_MOM_OPEN, nullptr);
  }
  *stream = s;
  return MMSYSERR_NOERROR;
}

MMRESULT MidiStreamProperty(HMIDISTRM stream, void* data, uint32_t flags) {
  std::lock_guard<std::mutex> lock(AudioLock());
  if (!Valid(stream)) return MMSYSERR_INVALHANDLE;
  if (!data) return MMSYSERR_INVALPARAM;
  bool set = flags & MIDIPROP_SET;
  bool get = flags & MIDIPROP_GET;
  if (set == get) return MMSYSERR_INVALFLAG;
  if (flags & MIDIPROP_TIMEDIV) {
    auto* p = static_cast<MIDIPROPTIMEDIV*>(data);
    if (p->cbStruct < sizeof(MIDIPROPTIMEDIV)) return MMSYSERR_INVALPARAM;
    if (get) {
      p->dwTimeDiv = stream->division;
      return MMSYSERR_NOERROR;
    }
    uint32_t div = p->dwTimeDiv & 0xFFFF;
    if (div & 0x8000) {
      int fps = -static_cast<int8_t>(div >> 8);
      if ((fps != 24 && fps != 25 && fps != 29 && fps != 30) || (div & 0xFF) == 0) return MMSYSERR_INVALPARAM;
    } else if (div == 0) {
      return MMSYSERR_INVALPARAM;  // no ticks per quarter note: time would never pass
    }
    stream->division = div;
    return MMSYSERR_NOERROR;
  }
  if (flags & MIDIPROP_TEMPO) {
    auto* p = static_cast<MIDIPROPTEMPO*>(data);
    if (p->cbStruct < sizeof(MIDIPROPTEMPO)) return MMSYSERR_INVALPARAM;
    if (get) {
      p->dwTempo = stream->tempo;
      return MMSYSERR_NOERROR;
    }
    if (p->dwTempo == 0 || p->dwTempo > 0xFFFFFF) return MMSYSERR_INVALPARAM;
    stream->tempo = p->dwTempo;
    return MMSYSERR_NOERROR;
  }
  return MMSYSERR_INVALFLAG;
}

MMRESULT MidiOutPrepareHeader(HMIDISTRM stream, MIDIHDR* header, uint32_t size) {
  std::lock_guard<std::mutex> lock(AudioLock());
  if (!Valid(stream)) return MMSYSERR_INVALHANDLE;
  if (!header || size < sizeof(MIDIHDR) || !header->lpData) return MMSYSERR_INVALPARAM;
  header->dwFlags.store(header->dwFlags.load() | MHDR_PREPARED);
  return MMSYSERR_NOERROR;
}

MMRESULT MidiOutUnprepareHeader(HMIDISTRM stream, MIDIHDR* header, uint32_t size) {
  std::lock_guard<std::mutex> lock(AudioLock());
  if (!Valid(stream)) return MMSYSERR_INVALHANDLE;
  if (!header || size < sizeof(MIDIHDR)) return MMSYSERR_INVALPARAM;
  uint32_t f = header->dwFlags.load();
  if (f & MHDR_INQUEUE) return MIDIERR_STILLPLAYING;
  header->dwFlags.store(f & ~MHDR_PREPARED);
  return MMSYSERR_NOERROR;
}

MMRESULT MidiStreamOut(HMIDISTRM stream, MIDIHDR* header, uint32_t size) {
  std::lock_guard<std::mutex> lock(AudioLock());
  if (!Valid(stream)) return MMSYSERR_INVALHANDLE;
  if (!header || size < sizeof(MIDIHDR) || !header->lpData) return MMSYSERR_INVALPARAM;
  uint32_t f = header->dwFlags.load();
  if (!(f & MHDR_PREPARED)) return MIDIERR_UNPREPARED;
  if (f & MHDR_INQUEUE) return MIDIERR_STILLPLAYING;
  if (header->dwBytesRecorded > header->dwBufferLength) return MMSYSERR_INVALPARAM;
  header->dwFlags.store((f & ~MHDR_DONE) | MHDR_INQUEUE | MHDR_ISSTRM);
  stream->queue.push_back(header);
  return MMSYSERR_NOERROR;
}

MMRESULT MidiStreamRestart(HMIDISTRM stream) {
  std::lock_guard<std::mutex> lock(AudioLock());
  if (!Valid(stream)) return MMSYSERR_INVALHANDLE;
  stream->running = true;
  return MMSYSERR_NOERROR;
}

MMRESULT MidiStreamPause(HMIDISTRM stream) {
  std::lock_guard<std::mutex> lock(AudioLock());
  if (!Valid(stream)) return MMSYSERR_INVALHANDLE;
  if (stream->running) {
    stream->running = false;
    if (MidiSynth* synth = MidiSynthLocked()) synth->AllNotesOff(RenderedFramesLocked());
  }
  return MMSYSERR_NOERROR;
}

MMRESULT MidiStreamStop(HMIDISTRM stream) {
  std::lock_guard<std::mutex> lock(AudioLock());
  if (!Valid(stream)) return MMSYSERR_INVALHANDLE;
  stream->running = false;
  ReturnAll(*stream);
  if (MidiSynth* synth = MidiSynthLocked()) synth->AllNotesOff(RenderedFramesLocked());
  return MMSYSERR_NOERROR;
}

MMRESULT MidiOutReset(HMIDISTRM stream) {
  std::lock_guard<std::mutex> lock(AudioLock());
  if (!Valid(stream)) return MMSYSERR_INVALHANDLE;
  stream->running = false;
  ReturnAll(*stream);
  if (MidiSynth* synth = MidiSynthLocked()) synth->Reset(RenderedFramesLocked());
  return MMSYSERR_NOERROR;
}

MMRESULT MidiStreamClose(HMIDISTRM stream) {
  std::lock_guard<std::mutex> lock(AudioLock());
  if (!Valid(stream)) return MMSYSERR_INVALHANDLE;
  if (!stream->queue.empty()) return MIDIERR_STILLPLAYING;
  MidiDevice& d = Device();
  d.streams.erase(std::find(d.streams.begin(), d.streams.end(), stream));
  if (d.streams.empty()) RemoveAudioSource(&d);
  if (MidiSynth* synth = MidiSynthLocked()) synth->AllNotesOff(RenderedFramesLocked());
  Post(*stream, MM_MOM_CLOSE, nullptr);
  delete stream;
  return MMSYSERR_NOERROR;
}

bool MciGetErrorString(MMRESULT error, char* text, size_t size) {
  const char* t = nullptr;
  switch (error) {
    case MMSYSERR_NOERROR: t = "No error."; break;
    case MMSYSERR_ERROR: t = "Unspecified error."; break;
    case MMSYSERR_INVALHANDLE: t = "The stream handle is not valid."; break;
    case MMSYSERR_NODRIVER: t = "No MIDI synthesiser is available."; break;
    case MMSYSERR_NOMEM: t = "Not enough memory."; break;
    case MMSYSERR_INVALFLAG: t = "A flag is not valid."; break;
    case MMSYSERR_INVALPARAM: t = "A parameter is not valid."; break;
    case MIDIERR_UNPREPARED: t = "The buffer header is not prepared."; break;
    case MIDIERR_STILLPLAYING: t = "A buffer is still queued."; break;
    default: break;
  }
  if (text && size > 0) std::snprintf(text, size, "%s", t ? t : "Unknown error.");
  return t != nullptr;
}

}  // namespace plat
