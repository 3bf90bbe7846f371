#include <gtest/gtest.h>

#include <dirent.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "app/sound/midi_player.h"
#include "platform/audio_output.h"
#include "platform/midi_synth.h"
#include "platform/sjis.h"
#include "tests/sound/sound_fixtures.h"

namespace {

using Bytes = std::vector<uint8_t>;

// At 96 ticks per quarter and 500,000 us per quarter, a tick is 114.84375 frames
// at 22,050 Hz: tick 96 is frame 11025, tick 144 frame 16537, tick 160 frame 18375.
const Bytes kPiece = {
    0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,
    0x00, 0xC0, 0x05,
    0x00, 0x90, 0x3C, 0x64,
    0x60, 0x3E, 0x64,
    0x00, 0xF0, 0x03, 0x7E, 0x7F, 0xF7,
    0x30, 0x80, 0x3C, 0x00,
    0x10, 0x3E, 0x00,
    0x00, 0xFF, 0x2F, 0x00,
};

struct Rec {
  uint64_t when;
  uint32_t message;
  char kind;
  bool operator==(const Rec& o) const { return when == o.when && message == o.message && kind == o.kind; }
};
std::ostream& operator<<(std::ostream& os, const Rec& r) {
  return os << r.kind << " " << std::hex << r.message << std::dec << " @" << r.when;
}

class MidiPlayerThread : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::UseOfflineAudio(22050);
    plat::UseMidiRecorder(true);
  }
  void TearDown() override { plat::CloseAudioOutput(); }

  // Renders in blocks, giving the callback thread time between blocks.
  void RenderFor(int frames, int block = 1000, int pauseMicros = 200) {
    while (frames > 0) {
      int n = std::min(frames, block);
      Render(n);
      frames -= n;
      std::this_thread::sleep_for(std::chrono::microseconds(pauseMicros));
    }
  }
  void Take() {
    for (const plat::MidiRecord& r : plat::TakeMidiRecords()) records.push_back({r.when, r.message, r.kind});
  }
  // The records of kind 'S' and 'L' (what the piece sends).
  std::vector<Rec> Sent() const {
    std::vector<Rec> out;
    for (const Rec& r : records) {
      if (r.kind == 'S' || r.kind == 'L') out.push_back(r);
    }
    return out;
  }
  std::string WritePiece(const Bytes& track = kPiece) {
    dir.Write("bgm/p.mid", MakeMidi(0, 96, {track}));
    return "bgm/p.mid";
  }

  cTempDir dir;
  std::vector<Rec> records;
};

const std::vector<Rec> kFirstPass = {
    {0, 0x05C0, 'S'}, {0, 0x643C90, 'S'}, {11025, 0x643E90, 'S'}, {11025, 0, 'L'},
    {16537, 0x3C80, 'S'}, {18375, 0x3E80, 'S'}, {18375, 0x2FFF, 'S'},
};

std::vector<Rec> Shifted(std::vector<Rec> v, uint64_t by, size_t first = 0, size_t count = SIZE_MAX) {
  v.erase(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(first));
  if (count < v.size()) v.resize(count);
  for (Rec& r : v) r.when += by;
  return v;
}

TEST_F(MidiPlayerThread, EventsLandOnTheirFramesAndTheSynthIsResetFirst) {
  cMidiPlayer p(WritePiece().c_str());
  ASSERT_TRUE(p.HasImage());
  p.Play(0);
  RenderFor(22050, 777);  // block size does not matter
  Take();
  ASSERT_FALSE(records.empty());
  EXPECT_EQ(records.front(), (Rec{0, 0, 'R'}));
  EXPECT_EQ(Sent(), kFirstPass);
  // The end of the piece stopped and rewound the player.
  for (int i = 0; i < 1000 && p.State() != cMidiPlayer::kStopped; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_EQ(p.State(), cMidiPlayer::kStopped);
  EXPECT_EQ(p.Position(), kMidiImageHeader + p.EventDataLength());  // first buffer queued again
}

TEST_F(MidiPlayerThread, PauseHoldsTheClockAndPlayGoesOn) {
  cMidiPlayer p(WritePiece().c_str());
  p.Play(0);
  RenderFor(5000);
  p.Stop(1);
  EXPECT_EQ(p.State(), cMidiPlayer::kPaused);
  RenderFor(3000);
  p.Play(0);
  RenderFor(20000);
  Take();
  std::vector<Rec> expected(kFirstPass.begin(), kFirstPass.begin() + 2);
  std::vector<Rec> later = Shifted(kFirstPass, 3000, 2);
  expected.insert(expected.end(), later.begin(), later.end());
  EXPECT_EQ(Sent(), expected);
  bool released = false;
  for (const Rec& r : records) released |= r.kind == 'O' && r.when == 5000;
  EXPECT_TRUE(released);  // the sounding notes were released at the pause
}

TEST_F(MidiPlayerThread, StopRewindsAndPlayStartsFromTheBeginning) {
  cMidiPlayer p(WritePiece().c_str());
  p.Play(0);
  RenderFor(5000);
  p.Stop(0);
  EXPECT_EQ(p.State(), cMidiPlayer::kStopped);
  RenderFor(1000);
  p.Play(0);
  RenderFor(20000);
  Take();
  std::vector<Rec> expected(kFirstPass.begin(), kFirstPass.begin() + 2);
  std::vector<Rec> again = Shifted(kFirstPass, 6000);
  expected.insert(expected.end(), again.begin(), again.end());
  EXPECT_EQ(Sent(), expected);
}

TEST_F(MidiPlayerThread, LoopingRestartsThePieceAtItsEnd) {
  cMidiPlayer p(WritePiece().c_str());
  p.Play(1);
  // The restart waits for the callback thread: render until the third pass began.
  for (int i = 0; i < 400; ++i) {
    // A generous pause per block: on a loaded machine the callback thread may be
    // slow to wake, and the restart's latency is what this test bounds.
    RenderFor(500, 500, 5000);
    Take();
    int starts = 0;
    for (const Rec& r : Sent()) starts += r.message == 0x643C90;
    if (starts >= 3) break;
  }
  std::vector<Rec> sent = Sent();
  ASSERT_GE(sent.size(), kFirstPass.size() * 2 + 2);
  EXPECT_EQ(std::vector<Rec>(sent.begin(), sent.begin() + 7), kFirstPass);
  // The second pass starts after the end and keeps the piece's own spacing.
  uint64_t start = sent[7].when;
  EXPECT_GE(start, 18375u);
  EXPECT_LE(start, 18375u + 2000);
  EXPECT_EQ(std::vector<Rec>(sent.begin() + 7, sent.begin() + 14), Shifted(kFirstPass, start));
}

TEST_F(MidiPlayerThread, PieceOfSeveralBuffersPlaysWithoutGaps) {
  // 5,000 controller events one tick apart: three buffers, the third filled by the
  // callback thread while the second plays.
  Bytes t = {0x00, 0xB0, 0x07, 0x00};
  for (int i = 1; i < 5000; ++i) t.insert(t.end(), {0x01, 0x07, static_cast<uint8_t>(i & 0x7F)});
  t.insert(t.end(), {0x00, 0xFF, 0x2F, 0x00});
  cMidiPlayer p(WritePiece(t).c_str());
  p.Play(0);
  RenderFor(static_cast<int>(5000 * 114.84375) + 100, 2048);
  Take();
  std::vector<Rec> sent = Sent();
  ASSERT_EQ(sent.size(), 5001u);
  for (uint64_t k = 0; k < 5000; ++k) {
    ASSERT_EQ(sent[k].when, k * 11025 / 96) << k;  // 114.84375 frames a tick, rounded down
    ASSERT_EQ(sent[k].message, 0xB0u | 0x0700u | (k & 0x7F) << 16) << k;
  }
}

TEST_F(MidiPlayerThread, SmpteDivisionCountsFramesPerSecond) {
  // 25 frames per second of 40 ticks: a tick is 1 ms, 22.05 frames.
  Bytes t = {0x00, 0x90, 0x3C, 0x40, 0x83, 0x74, 0x80, 0x3C, 0x00, 0x00, 0xFF, 0x2F, 0x00};
  std::vector<unsigned char> file = MakeMidi(0, 0xE728, {t});
  dir.Write("s.mid", file);
  cMidiPlayer p("s.mid");
  p.Play(0);
  RenderFor(30000);
  Take();
  std::vector<Rec> sent = Sent();
  ASSERT_GE(sent.size(), 2u);
  EXPECT_EQ(sent[1], (Rec{11025, 0x3C80, 'S'}));  // 500 ticks = 0.5 s
}

TEST_F(MidiPlayerThread, ZeroDivisionIsRefusedByTheStreamAndLogged) {
  dir.Write("z.mid", MakeMidi(0, 0, {kPiece}));
  cMidiPlayer p("z.mid");
  EXPECT_TRUE(dir.ReportContains("Midi z.mid Property A parameter is not valid."));
  p.Play(0);
  RenderFor(30000);  // the stream kept its own division: the piece plays and ends
  Take();
  EXPECT_EQ(Sent().size(), kFirstPass.size());
}

TEST_F(MidiPlayerThread, SetRefusesOtherExtensionsAndDamagedFiles) {
  WritePiece();
  dir.Write("bgm/P.MID", MakeMidi(0, 96, {kPiece}));
  dir.Write("bgm/f2.mid", MakeMidi(2, 96, {kPiece}));
  cMidiSet set;
  set.SetSlotCount(1);
  EXPECT_EQ(set.Play(0, "bgm\\P.MID", 0), 0);
  EXPECT_EQ(set.Player(0), nullptr);
  EXPECT_EQ(set.Play(0, "bgm\\f2.mid", 0), 0);
  EXPECT_TRUE(dir.ReportContains(plat::Utf8ToSjis("Midi bgm\\f2.mid Init 対応フォーマットが2でない")));
  ASSERT_NE(set.Player(0), nullptr);  // the silent player stays until the next play
  EXPECT_FALSE(set.Player(0)->HasImage());
  EXPECT_EQ(set.Play(0, "bgm\\p.mid", 1), 1);
  EXPECT_EQ(set.Player(0)->State(), cMidiPlayer::kPlaying);
  EXPECT_EQ(set.Play(3, "bgm\\p.mid", 1), 0);  // no such slot: reported, nothing opened
  EXPECT_TRUE(dir.ReportContains("err V[3] ( 1 , 8 )"));
}

TEST_F(MidiPlayerThread, PlayersComeAndGoWhileTheMixerRuns) {
  WritePiece();
  std::atomic<bool> done{false};
  std::thread audio([&] {
    while (!done.load()) Render(256);
  });
  cMidiSet set;
  set.SetSlotCount(1);
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(set.Play(0, "bgm/p.mid", i & 1), 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    if (i % 3 == 0) set.Stop(i & 1);
  }
  set.Release();
  done = true;
  audio.join();
}

TEST_F(MidiPlayerThread, EveryPublicFilePlaysOrIsRefusedWithoutHanging) {
  DIR* d = opendir(TestData("midi").c_str());
  ASSERT_NE(d, nullptr);
  std::vector<std::string> names;
  while (dirent* e = readdir(d)) {
    std::string name = e->d_name;
    if (name.size() > 4 && name.substr(name.size() - 4) == ".mid") names.push_back(name);
  }
  closedir(d);
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    cMidiPlayer p(TestData("midi/" + name).c_str());
    p.Play(1);
    RenderFor(22050, 4096);
  }
  plat::TakeMidiRecords();
}

// Not a thread test: FluidSynth brings its own (uninstrumented) OpenMP threads.
TEST(SoundFontRender, TwoSecondsOfAMidiFileAreNotSilent) {
  cTempDir dir;
  plat::UseOfflineAudio(44100);
  plat::UseMidiRecorder(false);
  cMidiPlayer p(TestData("midi/test-c-major-scale.mid").c_str());
  ASSERT_TRUE(p.HasImage());
  p.Play(0);
  std::vector<int16_t> all;
  for (int i = 0; i < 44; ++i) {
    std::vector<int16_t> part = Render(2005);
    all.insert(all.end(), part.begin(), part.end());
  }
  EXPECT_GT(Rms(all), 200.0);
  plat::CloseAudioOutput();
}

}  // namespace
