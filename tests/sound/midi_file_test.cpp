#include <gtest/gtest.h>

#include <dirent.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "app/sound/midi_player.h"
#include "platform/sjis.h"
#include "tests/sound/sound_fixtures.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Tick 0: a name, the tempo, a program and a note; tick 96: a note in running
// status and a SysEx of 5 payload bytes; 144: note off; 150: a text; 160: note
// off in running status after the text, then the end.
const Bytes kTrack = {
    0x00, 0xFF, 0x03, 0x04, 'N', 'a', 'm', 'e',
    0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,
    0x00, 0xC0, 0x05,
    0x00, 0x90, 0x3C, 0x64,
    0x60, 0x3E, 0x64,
    0x00, 0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7,
    0x30, 0x80, 0x3C, 0x00,
    0x06, 0xFF, 0x01, 0x02, 'h', 'i',
    0x0A, 0x3E, 0x00,
    0x00, 0xFF, 0x2F, 0x00,
};

cMidiFile FromBytes(const std::vector<unsigned char>& v) { return cMidiFile("t.mid", v.data(), v.size()); }

std::vector<uint32_t> Words(const plat::MIDIHDR& h) {
  std::vector<uint32_t> w(h.dwBytesRecorded / 4);
  std::memcpy(w.data(), h.lpData, w.size() * 4);
  return w;
}

struct Buffer {
  std::vector<char> block = std::vector<char>(cMidiPlayer::kBufferSize);
  plat::MIDIHDR header;
  Buffer() {
    header.lpData = block.data();
    header.dwBufferLength = cMidiPlayer::kBufferSize;
    header.dwFlags = plat::MHDR_PREPARED | plat::MHDR_DONE;
  }
};

TEST(MidiFile, FormatZeroImageKeepsEveryEventWithItsStatus) {
  cMidiFile f = FromBytes(MakeMidi(0, 96, {kTrack}));
  ASSERT_TRUE(f.HasImage());
  Bytes expected = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, 'M', 'T', 'r', 'k', 0, 0, 0, 0};
  Bytes events = {
      0x00, 0xFF, 0x03, 0x04, 'N', 'a', 'm', 'e', 0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,
      0x00, 0xC0, 0x05, 0x00, 0x90, 0x3C, 0x64, 0x60, 0x90, 0x3E, 0x64,
      0x00, 0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7, 0x30, 0x80, 0x3C, 0x00,
      0x06, 0xFF, 0x01, 0x02, 'h', 'i', 0x0A, 0x80, 0x3E, 0x00, 0x00, 0xFF, 0x2F, 0x00,
  };
  expected[21] = static_cast<uint8_t>(events.size());
  expected.insert(expected.end(), events.begin(), events.end());
  EXPECT_EQ(f.Image(), expected);
  EXPECT_DOUBLE_EQ(f.LengthSeconds(), 0.5 * 160 / 96);
}

TEST(MidiFile, StreamEventsOfOneBuffer) {
  cMidiFile f = FromBytes(MakeMidi(0, 96, {kTrack}));
  Buffer b;
  uint32_t carry = 0;
  uint32_t consumed = cMidiPlayer::FillBuffer(f.Image(), kMidiImageHeader, b.header, carry);
  EXPECT_EQ(consumed, f.EventDataLength());
  // Meta events other than tempo and end are not placed; the 6 ticks the text
  // waited are added to the event after it.
  std::vector<uint32_t> expected = {
      0, 0, 0x0107A120,
      0, 0, 0x000005C0,
      0, 0, 0x00643C90,
      0x60, 0, 0x00643E90,
      0, 0, 0x80000006, 0x097F7EF0, 0x0000F701,  // F0 and 5 payload bytes, padded to 8
      0x30, 0, 0x00003C80,
      0x10, 0, 0x00003E80,
      0, 0, 0x40002FFF,
  };
  EXPECT_EQ(Words(b.header), expected);
  EXPECT_EQ(b.header.dwFlags.load(), 0u);
  EXPECT_EQ(carry, 0u);
}

TEST(MidiFile, FormatOneTracksMergeByTickThenTrack) {
  Bytes t0 = {0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40, 0x00, 0xFF, 0x2F, 0x00};
  Bytes t1 = {0x00, 0x91, 0x40, 0x40, 0x0A, 0x81, 0x40, 0x00, 0x00, 0xFF, 0x2F, 0x00};
  Bytes t2 = {0x00, 0x92, 0x41, 0x40, 0x05, 0x82, 0x41, 0x00, 0x0F, 0xFF, 0x2F, 0x00};
  cMidiFile f = FromBytes(MakeMidi(1, 480, {t0, t1, t2}));
  ASSERT_TRUE(f.HasImage());
  Buffer b;
  uint32_t carry = 0;
  cMidiPlayer::FillBuffer(f.Image(), kMidiImageHeader, b.header, carry);
  std::vector<uint32_t> expected = {
      0, 0, 0x010F4240,  // tempo, track 0
      0, 0, 0x00404091,  // tick 0, track 1
      0, 0, 0x00404192,  // tick 0, track 2
      5, 0, 0x00004182,
      5, 0, 0x00004081,
      10, 0, 0x40002FFF,  // one end, at the last track end (tick 20)
  };
  EXPECT_EQ(Words(b.header), expected);
  EXPECT_DOUBLE_EQ(f.LengthSeconds(), 1.0 * 20 / 480);
}

TEST(MidiFile, LongPieceFillsBuffersOfTwoThousandEvents) {
  Bytes t = {0x00, 0xB0, 0x07, 0x00};
  for (int i = 1; i < 2500; ++i) t.insert(t.end(), {0x01, 0x07, static_cast<uint8_t>(i & 0x7F)});
  t.insert(t.end(), {0x00, 0xFF, 0x2F, 0x00});
  cMidiFile f = FromBytes(MakeMidi(0, 96, {t}));
  Buffer b;
  uint32_t carry = 0;
  size_t pos = kMidiImageHeader;
  pos += cMidiPlayer::FillBuffer(f.Image(), pos, b.header, carry);
  EXPECT_EQ(b.header.dwBytesRecorded, 24000u);
  std::vector<uint32_t> w = Words(b.header);
  EXPECT_EQ(w.back(), 0x404F07B0u);  // event 1999 (value 1999 & 0x7F), with the callback flag
  pos += cMidiPlayer::FillBuffer(f.Image(), pos, b.header, carry);
  EXPECT_EQ(b.header.dwBytesRecorded, 501u * 12);
  EXPECT_EQ(pos, kMidiImageHeader + f.EventDataLength());
  w = Words(b.header);
  EXPECT_EQ(w[2], 0x005007B0u);  // event 2000 goes on in running status
  EXPECT_EQ(w.back(), 0x40002FFFu);
}

TEST(MidiFile, HeaderRefusalsAreReported) {
  cTempDir dir;
  struct Case {
    const char* what;
    std::vector<unsigned char> bytes;
    const char* line;  // UTF-8
  };
  std::vector<unsigned char> good = MakeMidi(0, 96, {kTrack});
  auto with = [&](size_t at, std::vector<unsigned char> b) {
    std::vector<unsigned char> v = good;
    std::copy(b.begin(), b.end(), v.begin() + static_cast<std::ptrdiff_t>(at));
    return v;
  };
  const Case cases[] = {
      {"empty", {}, "Midi t.mid Init 標準MIDIでない(4)"},
      {"not MThd", with(0, {'R', 'I', 'F', 'F'}), "Midi t.mid Init 標準MIDIでない(4)"},
      {"header length 7", with(4, {0, 0, 0, 7}), "Midi t.mid Init 標準MIDIでない(6)"},
      {"header cut", std::vector<unsigned char>(good.begin(), good.begin() + 12), "Midi t.mid Init 標準MIDIでない(6)"},
      {"format 2", with(8, {0, 2}), "Midi t.mid Init 対応フォーマットが2でない"},
      {"format 3", with(8, {0, 3}), "Midi t.mid Init 対応フォーマットが0または1でない"},
      {"no MTrk", with(14, {'J', 'u', 'n', 'k'}), "Midi t.mid Init 標準MIDIでない(4)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cMidiFile f = FromBytes(c.bytes);
    EXPECT_FALSE(f.HasImage());
    EXPECT_EQ(dir.ReportLines().back(), plat::Utf8ToSjis(c.line));
  }
  cMidiFile missing("nothing.mid");
  EXPECT_FALSE(missing.HasImage());
  EXPECT_EQ(dir.ReportLines().back(), plat::Utf8ToSjis("Midi nothing.mid Create ファイルが開けません"));
}

TEST(MidiFile, VariableLengthNumbers) {
  struct Case {
    Bytes bytes;
    int read;
    uint32_t value;
  };
  const Case cases[] = {
      {{0x00}, 1, 0}, {{0x7F}, 1, 127}, {{0x81, 0x00}, 2, 128}, {{0xC0, 0x80, 0x00}, 3, 0x100000},
      {{0xFF, 0xFF, 0xFF, 0x7F}, 4, 0x0FFFFFFF}, {{0x80, 0x80, 0x80, 0x60}, 4, 96},
      {{0x80, 0x80, 0x80, 0x80, 0x00}, 0, 0}, {{0x81}, 0, 0}, {{}, 0, 0},
  };
  for (const Case& c : cases) {
    uint32_t v = 0;
    EXPECT_EQ(ReadVarLen(c.bytes.data(), c.bytes.size(), v), c.read);
    if (c.read) {
      EXPECT_EQ(v, c.value);
    }
  }
  for (uint32_t v : {0u, 127u, 128u, 16383u, 16384u, 2097151u, 2097152u, 0x0FFFFFFFu}) {
    std::vector<uint8_t> out;
    int n = cMidiFile::WriteVarLen(out, v);
    EXPECT_EQ(n, v < 128 ? 1 : v < 16384 ? 2 : v < 2097152 ? 3 : 4);
    uint32_t back = 0;
    EXPECT_EQ(ReadVarLen(out.data(), out.size(), back), n);
    EXPECT_EQ(back, v);
  }
}

// Every image converted from a damaged file still ends in one end of track, and
// the buffers walk through it to the end.
void ExpectPlayableImage(const cMidiFile& f) {
  if (!f.HasImage()) return;
  const Bytes& img = f.Image();
  ASSERT_EQ(kMidiImageHeader + f.EventDataLength(), img.size());
  ASSERT_GE(img.size(), kMidiImageHeader + 4);
  EXPECT_EQ(Bytes(img.end() - 3, img.end()), (Bytes{0xFF, 0x2F, 0x00}));
  Buffer b;
  uint32_t carry = 0;
  size_t pos = kMidiImageHeader;
  for (int i = 0; i < 1000 && pos < img.size(); ++i) {
    uint32_t n = cMidiPlayer::FillBuffer(img, pos, b.header, carry);
    ASSERT_GT(n, 0u);
    pos += n;
  }
  EXPECT_EQ(pos, img.size());
  std::vector<uint32_t> w = Words(b.header);
  EXPECT_EQ(w.back(), 0x40002FFFu);
}

TEST(MidiFile, DamagedTracksKeepWhatWasReadBeforeTheDamage) {
  struct Case {
    const char* what;
    Bytes track;
    size_t events;  // short events placed before the end
  };
  const Case cases[] = {
      {"five-byte delta", {0x00, 0x90, 0x3C, 0x40, 0x80, 0x80, 0x80, 0x80, 0x00, 0x80, 0x3C, 0x00}, 1},
      {"huge SysEx length", {0x00, 0x90, 0x3C, 0x40, 0x00, 0xF0, 0xFF, 0xFF, 0xFF, 0x7F, 0x01}, 1},
      {"data with no status", {0x00, 0x3C, 0x40, 0x00, 0x90, 0x3C, 0x40}, 0},
      {"cut in an event", {0x00, 0x90, 0x3C, 0x40, 0x10, 0x80, 0x3C}, 1},
      {"cut in the end event", {0x00, 0x90, 0x3C, 0x40, 0x00, 0xFF, 0x2F}, 1},
      {"meta length past the end", {0x00, 0xFF, 0x01, 0x7F, 'x', 0x00, 0xFF, 0x2F, 0x00}, 0},
      {"system messages inside", {0x00, 0xF2, 0x01, 0x02, 0x00, 0xF8, 0x00, 0x90, 0x3C, 0x40, 0x00, 0xFF, 0x2F, 0x00}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cMidiFile f = FromBytes(MakeMidi(0, 96, {c.track}));
    ASSERT_TRUE(f.HasImage());
    ExpectPlayableImage(f);
    Buffer b;
    uint32_t carry = 0;
    cMidiPlayer::FillBuffer(f.Image(), kMidiImageHeader, b.header, carry);
    EXPECT_EQ(b.header.dwBytesRecorded, (c.events + 1) * 12);
  }
}

TEST(MidiFile, ChunkLengthsAreCheckedAgainstTheFile) {
  std::vector<unsigned char> v = MakeMidi(1, 96, {kTrack, kTrack});
  // The first track's length says more than the file holds: it is read to the
  // end of the file, and the second track is not found.
  std::vector<unsigned char> longer = v;
  longer[18] = 0x7F;
  cMidiFile a = FromBytes(longer);
  ExpectPlayableImage(a);
  // A chunk of another kind between the tracks is skipped by its length.
  std::vector<unsigned char> junk(v.begin(), v.begin() + 22 + static_cast<std::ptrdiff_t>(kTrack.size()));
  junk.insert(junk.end(), {'J', 'u', 'n', 'k', 0, 0, 0, 2, 0xAA, 0xBB});
  junk.insert(junk.end(), v.begin() + 22 + static_cast<std::ptrdiff_t>(kTrack.size()), v.end());
  cMidiFile b = FromBytes(junk);
  cMidiFile c = FromBytes(v);
  EXPECT_EQ(b.Image(), c.Image());
  // Track count larger than the tracks there are.
  std::vector<unsigned char> more = v;
  more[11] = 200;
  ExpectPlayableImage(FromBytes(more));
  // SMPTE division: kept as it stands.
  std::vector<unsigned char> smpte = v;
  smpte[12] = 0xE7;
  smpte[13] = 0x28;
  cMidiFile s = FromBytes(smpte);
  EXPECT_EQ(s.TimeDivision(), 0xE728);
  // Every truncation of the file.
  for (size_t cut = 0; cut < v.size(); ++cut) ExpectPlayableImage(FromBytes(std::vector<unsigned char>(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(cut))));
}

TEST(MidiFile, EveryPublicFileConvertsOrIsRefused) {
  DIR* d = opendir(TestData("midi").c_str());
  ASSERT_NE(d, nullptr);
  int converted = 0, refused = 0;
  while (dirent* e = readdir(d)) {
    std::string name = e->d_name;
    if (name.size() < 4 || name.substr(name.size() - 4) != ".mid") continue;
    SCOPED_TRACE(name);
    std::ifstream in(TestData("midi/" + name), std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), {});
    cMidiFile f = FromBytes(bytes);
    ExpectPlayableImage(f);
    (f.HasImage() ? converted : refused)++;
  }
  closedir(d);
  EXPECT_GE(converted, 60);
  EXPECT_GE(refused, 4);  // empty, not MIDI, format 2, the Junk chunk before the track
}

}  // namespace
