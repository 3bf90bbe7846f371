#include "app/sound/midi_player.h"

#include <cstring>

#include "app/base/path_util.h"
#include "app/base/report_log.h"

namespace {

uint32_t AddTicks(uint32_t a, uint32_t b) { return a > 0xFFFFFFFFu - b ? 0xFFFFFFFFu : a + b; }

void PutU32(char* p, uint32_t v) { std::memcpy(p, &v, 4); }
uint32_t GetU32(const char* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

}  // namespace

uint32_t cMidiPlayer::FillBuffer(const std::vector<uint8_t>& image, size_t pos, plat::MIDIHDR& header,
                                 uint32_t& carry) {
  const size_t capacity = header.dwBufferLength;
  std::memset(header.lpData, 0, capacity);
  const size_t start = pos;
  const size_t end = image.size();
  const uint8_t* src = image.data();
  size_t placed = 0;
  size_t last = SIZE_MAX;  // offset of the last event placed
  while (pos < end) {
    uint32_t delta;
    int n = ReadVarLen(src + pos, end - pos, delta);
    if (n == 0 || pos + static_cast<size_t>(n) >= end) break;
    size_t q = pos + static_cast<size_t>(n);
    uint8_t status = src[q++];
    uint32_t word = 0;
    size_t size = 12;
    const uint8_t* longData = nullptr;
    uint32_t longLength = 0;
    bool endOfPiece = false;
    bool skip = false;
    size_t next;
    if (status < 0xF0) {
      size_t len = (status & 0xE0) == 0xC0 ? 1 : 2;
      if (end - q < len) break;
      word = status | static_cast<uint32_t>(src[q]) << 8;
      if (len == 2) word |= static_cast<uint32_t>(src[q + 1]) << 16;
      next = q + len;
    } else if (status == 0xF0 || status == 0xF7) {
      uint32_t len;
      int m = ReadVarLen(src + q, end - q, len);
      if (m == 0 || len > end - q - static_cast<size_t>(m)) break;
      longData = src + q + m;
      longLength = len;
      word = plat::MEVT_F_LONG | (len + 1);
      size = 12 + ((static_cast<size_t>(len) + 1 + 3) & ~size_t{3});
      next = q + static_cast<size_t>(m) + len;
    } else if (status == 0xFF) {
      if (q >= end) break;
      uint8_t type = src[q];
      uint32_t len;
      int m = ReadVarLen(src + q + 1, end - q - 1, len);
      if (m == 0 || len > end - q - 1 - static_cast<size_t>(m)) break;
      const uint8_t* body = src + q + 1 + m;
      next = q + 1 + static_cast<size_t>(m) + len;
      if (type == 0x51 && len >= 3) {
        word = static_cast<uint32_t>(plat::MEVT_TEMPO) << 24 | body[0] << 16 | body[1] << 8 | body[2];
      } else if (type == 0x2F) {
        word = plat::MEVT_F_CALLBACK | 0x002FFF;
        endOfPiece = true;
      } else {
        skip = true;
      }
    } else {
      next = q;
      skip = true;
    }
    if (!skip && placed + size > capacity) {
      if (placed > 0) break;
      skip = true;  // can never fit a buffer: left out
    }
    if (skip) {
      // Nothing is placed, but the time it waited still passes before the next event.
      carry = AddTicks(carry, delta);
      pos = next;
      continue;
    }
    char* out = header.lpData + placed;
    PutU32(out, AddTicks(delta, carry));
    PutU32(out + 4, 0);
    PutU32(out + 8, word);
    if (longData) {
      out[12] = static_cast<char>(status);
      std::memcpy(out + 13, longData, longLength);
    }
    carry = 0;
    last = placed;
    placed += size;
    pos = next;
    if (endOfPiece) break;
  }
  if (last != SIZE_MAX) PutU32(header.lpData + last + 8, GetU32(header.lpData + last + 8) | plat::MEVT_F_CALLBACK);
  header.dwBytesRecorded = static_cast<uint32_t>(placed);
  header.dwFlags.store(0);
  header.lpNext = nullptr;
  header.dwOffset.store(0);
  header.reserved = 0;
  return static_cast<uint32_t>(pos - start);
}

cMidiPlayer::cMidiPlayer(const char* path) : cMidiFile(path) {
  if (HasImage()) Open();
}

cMidiPlayer::~cMidiPlayer() {
  if (HasImage()) Close();
}

void cMidiPlayer::LogError(const char* format, plat::MMRESULT result) const {
  char text[512];
  plat::MciGetErrorString(result, text, sizeof text);
  ReportLog(format, m_strFileName.c_str(), text);
}

void cMidiPlayer::Open() {
  m_nCurrentBuffer = 0;
  m_pHeaders.reset(new plat::MIDIHDR[kBufferCount]);
  m_Blocks.assign(kBufferCount, std::vector<char>(kBufferSize));
  for (int i = 0; i < kBufferCount; ++i) {
    m_pHeaders[i].lpData = m_Blocks[static_cast<size_t>(i)].data();
    m_pHeaders[i].dwBufferLength = kBufferSize;
    m_pHeaders[i].dwUser = static_cast<uintptr_t>(i);
  }
  // The thread's queue exists once Start returns, before the stream can post to it.
  m_Thread.Start([this] { return CallbackThread(); });
  std::lock_guard<std::mutex> lock(m_Mutex);
  plat::MMRESULT r = plat::MidiStreamOpen(&m_hStream, m_Thread.Id());
  if (r != plat::MMSYSERR_NOERROR) LogError("Midi %s Open %s", r);
  plat::MIDIPROPTIMEDIV prop;
  prop.dwTimeDiv = TimeDivision();
  r = plat::MidiStreamProperty(m_hStream, &prop, plat::MIDIPROP_SET | plat::MIDIPROP_TIMEDIV);
  if (r != plat::MMSYSERR_NOERROR) LogError("Midi %s Property %s", r);
  m_nPosition = kMidiImageHeader;
  m_nCarry = 0;
  m_nState = kStopped;
  QueueNext();
}

void cMidiPlayer::Close() {
  {
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_bClosing = true;  // callbacks still in the thread's queue are ignored from here
    plat::MMRESULT r = plat::MidiOutReset(m_hStream);
    if (r != plat::MMSYSERR_NOERROR) LogError("Midi %s Reset %s", r);
    for (int i = 0; i < kBufferCount; ++i) {
      r = plat::MidiOutUnprepareHeader(m_hStream, &m_pHeaders[i], sizeof(plat::MIDIHDR));
      if (r != plat::MMSYSERR_NOERROR) LogError("Midi %s Unprepare %s", r);
    }
    r = plat::MidiStreamClose(m_hStream);
    if (r != plat::MMSYSERR_NOERROR) LogError("Midi %s Close %s", r);
    m_hStream = nullptr;
  }
  // The thread only ever waits for m_Mutex, which is free now: it ends promptly,
  // and only then are the buffers it may look at freed.
  if (plat::ThreadId id = m_Thread.Id()) {
    plat::PostThreadMessage(id, plat::WM_QUIT, 0, 0);
    m_Thread.WaitFor(plat::kInfinite);
  }
  m_pHeaders.reset();
  m_Blocks.clear();
}

unsigned cMidiPlayer::CallbackThread() {
  plat::MSG msg;
  while (plat::GetMessage(&msg)) {
    if (msg.message == plat::MM_MOM_POSITIONCB) {
      OnPositionCallback(reinterpret_cast<const plat::MIDIHDR*>(msg.lParam));
    }
  }
  return 0;
}

void cMidiPlayer::OnPositionCallback(const plat::MIDIHDR* header) {
  std::lock_guard<std::mutex> lock(m_Mutex);
  if (m_bClosing || !header) return;
  uint32_t offset = header->dwOffset.load();
  if (offset > kBufferSize - 12) return;
  uint32_t word = GetU32(header->lpData + offset + 8);
  // The end of the piece is the short message FF 2F 00 (a tempo whose value
  // happens to match is not).
  if ((word & ~plat::MEVT_F_CALLBACK) == 0x002FFF) {
    StopLocked(0);
    if (m_bLoop) PlayLocked(1);
  } else {
    QueueNext();
  }
}

void cMidiPlayer::QueueNext() {
  if (m_nPosition >= kMidiImageHeader + EventDataLength() || !m_pHeaders) return;
  plat::MIDIHDR& h = m_pHeaders[m_nCurrentBuffer];
  if (h.dwFlags.load() & plat::MHDR_INQUEUE) return;
  m_nPosition += FillBuffer(m_Image, m_nPosition, h, m_nCarry);
  plat::MMRESULT r = plat::MidiOutPrepareHeader(m_hStream, &h, sizeof(plat::MIDIHDR));
  if (r != plat::MMSYSERR_NOERROR) LogError("Midi %s Prepare %s", r);
  r = plat::MidiStreamOut(m_hStream, &h, sizeof(plat::MIDIHDR));
  if (r != plat::MMSYSERR_NOERROR) LogError("Midi %s Out %s", r);
  m_nCurrentBuffer = (m_nCurrentBuffer + 1) % kBufferCount;
}

void cMidiPlayer::Play(int loop) {
  if (!HasImage()) return;
  std::lock_guard<std::mutex> lock(m_Mutex);
  PlayLocked(loop);
}

void cMidiPlayer::PlayLocked(int loop) {
  m_bLoop = loop;
  if (m_nState == kPlaying) return;
  plat::MMRESULT r = plat::MidiStreamRestart(m_hStream);
  if (r != plat::MMSYSERR_NOERROR) LogError("Midi %s Restart %s", r);
  int was = m_nState;
  m_nState = kPlaying;
  if (was == kStopped) QueueNext();
}

void cMidiPlayer::Stop(int pause) {
  if (!HasImage()) return;
  std::lock_guard<std::mutex> lock(m_Mutex);
  StopLocked(pause);
}

void cMidiPlayer::StopLocked(int pause) {
  if (pause) {
    if (m_nState != kPlaying) return;
    plat::MMRESULT r = plat::MidiStreamPause(m_hStream);
    if (r != plat::MMSYSERR_NOERROR) LogError("Midi %s Pause %s", r);
    m_nState = kPaused;
    return;
  }
  plat::MMRESULT r = plat::MidiStreamStop(m_hStream);
  if (r != plat::MMSYSERR_NOERROR) LogError("Midi %s Stop %s", r);
  m_nState = kStopped;
  m_nPosition = kMidiImageHeader;
  m_nCarry = 0;
  QueueNext();
}

int cMidiPlayer::State() const {
  std::lock_guard<std::mutex> lock(m_Mutex);
  return m_nState;
}

size_t cMidiPlayer::Position() const {
  std::lock_guard<std::mutex> lock(m_Mutex);
  return m_nPosition;
}

cMidiSet::~cMidiSet() { DeleteAll(); }

void cMidiSet::DeleteAll() {
  for (cMidiPlayer*& p : m_Players) {
    delete p;
    p = nullptr;
  }
}

void cMidiSet::SetSlotCount(int n) {
  if (n < 0) n = 0;
  for (int i = n; i < m_Players.Count(); ++i) delete m_Players[static_cast<size_t>(i)];
  m_Players.resize(static_cast<size_t>(n), nullptr);
}

int cMidiSet::Play(int slot, const char* path, int loop) {
  for (cMidiPlayer* p : m_Players) {
    if (p) p->Stop(1);
  }
  DeleteAll();
  std::string ext;
  if (!path || !GetExt(ext, path) || ext != "mid") return 0;
  if (slot < 0 || slot >= m_Players.Count()) {
    m_Players.At(slot);  // the checked table's report
    return 0;
  }
  cMidiPlayer* player = new cMidiPlayer(path);
  m_Players[static_cast<size_t>(slot)] = player;
  if (!player->HasImage()) return 0;
  player->Play(loop);
  return 1;
}

void cMidiSet::Stop(int pause) {
  for (cMidiPlayer* p : m_Players) {
    if (p) p->Stop(pause);
  }
}

void cMidiSet::Release() {
  DeleteAll();
  m_Players.clear();
}

cMidiPlayer* cMidiSet::Player(int slot) const {
  if (slot < 0 || slot >= m_Players.Count()) return nullptr;
  return m_Players[static_cast<size_t>(slot)];
}
