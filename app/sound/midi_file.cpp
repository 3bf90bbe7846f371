#include "app/sound/midi_file.h"

#include <algorithm>
#include <cstring>

#include "app/base/report_log.h"
#include "platform/files.h"
#include "platform/sjis.h"

namespace {

// Larger files are not music for this game; refusing them bounds the memory used.
constexpr size_t kMaxMidiFileBytes = 16u << 20;

uint32_t BE32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | static_cast<uint32_t>(p[2]) << 8 | p[3];
}
uint16_t BE16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }

// One kept event: its tick, track, status and the bytes after the status as they
// stand in the file (for an end of track appended by the reader, none).
struct Node {
  uint64_t tick;
  uint32_t track;
  uint8_t status;
  size_t offset;
  size_t length;
};

// Data bytes of the system common and real-time messages that a track should
// not hold; they are skipped.
int SystemDataLength(uint8_t status) {
  switch (status) {
    case 0xF1: case 0xF3: return 1;
    case 0xF2: return 2;
    default: return 0;
  }
}

// Reads one track's events between pos and end into nodes; returns the tick of
// its end (its end-of-track event, or the last event read when the track is
// damaged or cut short: what was read before the damage is kept).
uint64_t ReadTrack(const uint8_t* src, size_t pos, size_t end, uint32_t track, std::vector<Node>& nodes) {
  uint64_t tick = 0;
  uint8_t running = 0;  // the last channel status: meta and system-exclusive events leave it as it was
  while (pos < end) {
    uint32_t delta;
    int n = ReadVarLen(src + pos, end - pos, delta);
    if (n == 0) break;
    pos += static_cast<size_t>(n);
    if (pos >= end) break;
    tick += delta;
    uint8_t status = src[pos];
    if (status & 0x80) {
      ++pos;
    } else {
      status = running;
      if (status == 0) break;  // data with no status before it
    }
    if (status < 0xF0) {
      running = status;
      size_t len = (status & 0xE0) == 0xC0 ? 1 : 2;  // Cx and Dx carry one data byte
      if (end - pos < len) break;
      nodes.push_back({tick, track, status, pos, len});
      pos += len;
    } else if (status == 0xF0 || status == 0xF7) {
      uint32_t len;
      n = ReadVarLen(src + pos, end - pos, len);
      if (n == 0 || len > end - pos - static_cast<size_t>(n)) break;
      if (len + 1 <= kMaxMidiLongEvent) nodes.push_back({tick, track, status, pos, static_cast<size_t>(n) + len});
      pos += static_cast<size_t>(n) + len;
    } else if (status == 0xFF) {
      if (end - pos < 1) break;
      uint8_t type = src[pos];
      uint32_t len;
      n = ReadVarLen(src + pos + 1, end - pos - 1, len);
      if (n == 0 || len > end - pos - 1 - static_cast<size_t>(n)) break;
      if (type == 0x2F) return tick;
      nodes.push_back({tick, track, status, pos, 1 + static_cast<size_t>(n) + len});
      pos += 1 + static_cast<size_t>(n) + len;
    } else {
      size_t len = static_cast<size_t>(SystemDataLength(status));
      if (end - pos < len) break;
      pos += len;
    }
  }
  return tick;
}

}  // namespace

int ReadVarLen(const uint8_t* bytes, size_t avail, uint32_t& value) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) {
    if (static_cast<size_t>(i) >= avail) return 0;
    v = v << 7 | (bytes[i] & 0x7F);
    if (!(bytes[i] & 0x80)) {
      value = v;
      return i + 1;
    }
  }
  return 0;
}

int cMidiFile::WriteVarLen(std::vector<uint8_t>& out, uint32_t value) {
  value = std::min<uint32_t>(value, 0x0FFFFFFF);
  int n = value < 0x80 ? 1 : value < 0x4000 ? 2 : value < 0x200000 ? 3 : 4;
  for (int i = n - 1; i >= 0; --i) {
    uint8_t b = static_cast<uint8_t>((value >> (7 * i)) & 0x7F);
    if (i > 0) b |= 0x80;
    out.push_back(b);
  }
  return n;
}

cMidiFile::cMidiFile(const char* path) {
  m_strFileName = path ? path : "";
  std::vector<uint8_t> bytes;
  if (!path || plat::ReadWholeFile(path, bytes, kMaxMidiFileBytes) != plat::ReadStatus::kOk) {
    ReportLog(SJ("Midi %s Create ファイルが開けません"), m_strFileName.c_str());
    return;
  }
  Convert(bytes.data(), bytes.size());
}

cMidiFile::cMidiFile(const char* name, const uint8_t* bytes, size_t size) {
  m_strFileName = name ? name : "";
  Convert(bytes, size);
}

uint32_t cMidiFile::EventDataLength() const { return m_Image.size() >= kMidiImageHeader ? BE32(&m_Image[18]) : 0; }

uint16_t cMidiFile::TimeDivision() const { return m_Image.size() >= kMidiImageHeader ? BE16(&m_Image[12]) : 0; }

bool cMidiFile::Convert(const uint8_t* src, size_t size) {
  m_Image.clear();
  m_dLength = 0.0;
  const char* name = m_strFileName.c_str();
  if (size < 4 || std::memcmp(src, "MThd", 4) != 0) {
    ReportLog(SJ("Midi %s Init 標準MIDIでない(4)"), name);
    return false;
  }
  if (size < 14 || BE32(src + 4) != 6) {
    ReportLog(SJ("Midi %s Init 標準MIDIでない(6)"), name);
    return false;
  }
  uint16_t format = BE16(src + 8);
  if (format == 2) {
    ReportLog(SJ("Midi %s Init 対応フォーマットが2でない"), name);
    return false;
  }
  if (format > 2) {
    ReportLog(SJ("Midi %s Init 対応フォーマットが0または1でない"), name);
    return false;
  }
  if (size < 18 || std::memcmp(src + 14, "MTrk", 4) != 0) {
    ReportLog(SJ("Midi %s Init 標準MIDIでない(4)"), name);
    return false;
  }
  uint16_t trackCount = BE16(src + 10);
  uint16_t division = BE16(src + 12);

  // Tracks: each bounded by its chunk's length (or the end of the file when the
  // length says more than there is); chunks of other kinds are skipped.
  std::vector<Node> nodes;
  uint64_t lastTick = 0;
  size_t pos = 14;
  for (uint32_t t = 0; t < trackCount; ++t) {
    size_t body = 0, end = 0;
    bool found = false;
    while (size - pos >= 8) {
      uint32_t len = BE32(src + pos + 4);
      body = pos + 8;
      end = len > size - body ? size : body + len;
      if (std::memcmp(src + pos, "MTrk", 4) == 0) {
        found = true;
        break;
      }
      pos = end;
    }
    if (!found) break;
    lastTick = std::max(lastTick, ReadTrack(src, body, end, t, nodes));
    pos = end;
  }

  // Merge by tick; on one tick the lower track first, each track in its order.
  std::stable_sort(nodes.begin(), nodes.end(), [](const Node& a, const Node& b) {
    return a.tick != b.tick ? a.tick < b.tick : a.track < b.track;
  });
  nodes.push_back({lastTick, trackCount, 0xFF, 0, 0});  // the one end of track, last

  // Length in seconds, from the tempo changes (a division of 0 gives no length).
  double seconds = 0.0;
  if (division != 0) {
    double tempo = 500000.0;
    uint64_t last = 0;
    for (const Node& e : nodes) {
      bool end = e.length == 0;
      bool tempoEvent = e.status == 0xFF && e.length == 5 && src[e.offset] == 0x51 && src[e.offset + 1] == 3;
      if (!tempoEvent && !end) continue;
      seconds += tempo * 0.000001 * static_cast<double>(e.tick - last) / division;
      last = e.tick;
      if (tempoEvent) {
        const uint8_t* p = src + e.offset + 2;
        tempo = static_cast<double>(p[0] << 16 | p[1] << 8 | p[2]);
      }
    }
  }

  std::vector<uint8_t> image = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1,
                                static_cast<uint8_t>(division >> 8), static_cast<uint8_t>(division),
                                'M', 'T', 'r', 'k', 0, 0, 0, 0};
  uint64_t prev = 0;
  for (const Node& e : nodes) {
    uint64_t delta = e.tick - prev;
    WriteVarLen(image, delta > 0x0FFFFFFF ? 0x0FFFFFFF : static_cast<uint32_t>(delta));
    prev = e.tick;
    image.push_back(e.status);
    if (e.length == 0) {
      image.push_back(0x2F);
      image.push_back(0x00);
    } else {
      image.insert(image.end(), src + e.offset, src + e.offset + e.length);
    }
  }
  uint32_t length = static_cast<uint32_t>(image.size() - kMidiImageHeader);
  image[18] = static_cast<uint8_t>(length >> 24);
  image[19] = static_cast<uint8_t>(length >> 16);
  image[20] = static_cast<uint8_t>(length >> 8);
  image[21] = static_cast<uint8_t>(length);
  m_Image = std::move(image);
  m_dLength = seconds;
  return true;
}
