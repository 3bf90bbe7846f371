#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>

#include "app/sound/music_player.h"
#include "app/sound/sound_requests.h"
#include "platform/audio_output.h"
#include "platform/midi_synth.h"
#include "platform/sjis.h"
#include "platform/vox_player.h"
#include "tests/sound/sound_fixtures.h"

namespace {

const std::vector<uint8_t> kMidiTrack = {0x00, 0x90, 0x3C, 0x64, 0x83, 0x00, 0x80, 0x3C, 0x00, 0x00, 0xFF, 0x2F, 0x00};

class MusicPlayerThread : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::UseOfflineAudio(22050);
    plat::UseMidiRecorder(true);
    // A quarter of a second of a 441 Hz tone at 22,050 Hz, and a MIDI piece.
    dir.Write("bgm/Tone.ogg", MakeOggSine(22050, 5512, 441.0, 0.5));
    dir.Write("bgm/Song.mid", MakeMidi(0, 96, {kMidiTrack}));
    ASSERT_EQ(InitBgmPlayer(), 1);
  }
  void TearDown() override {
    BgmPlayer.Release();
    plat::CloseAudioOutput();
  }
  bool MidiPlaying() {
    cMidiPlayer* p = BgmPlayer.Midi().Player(0);
    return p && p->State() == cMidiPlayer::kPlaying;
  }
  bool OggPlaying() {
    plat::VoxPlayer* p = BgmPlayer.Vox().Player(0);
    return p && p->IsPlaying();
  }
  cTempDir dir;
};

TEST_F(MusicPlayerThread, GeneratedOggPlaysOnceOrLoops) {
  ASSERT_EQ(BgmPlayer.SetTrack(0, "bgm\\Tone.ogg"), 1);
  ASSERT_EQ(BgmPlayer.Play(0, 0, 0, 1), 1);
  EXPECT_TRUE(OggPlaying());
  EXPECT_GT(Rms(Render(5000)), 3000.0);  // a sine of amplitude 0.5: about 11,500
  Render(2000);
  EXPECT_EQ(Rms(Render(2000)), 0.0);  // ended after a quarter of a second
  EXPECT_FALSE(OggPlaying());

  ASSERT_EQ(BgmPlayer.Play(0, 0, 1, 1), 1);
  for (int i = 0; i < 6; ++i) EXPECT_GT(Rms(Render(5000)), 3000.0) << i;  // well past its length
  EXPECT_TRUE(OggPlaying());
}

TEST_F(MusicPlayerThread, OggSamplesFollowTheDecodedTone) {
  ASSERT_EQ(BgmPlayer.SetTrack(0, "bgm\\Tone.ogg"), 1);
  ASSERT_EQ(BgmPlayer.Play(0, 0, 0, 1), 1);
  std::vector<int16_t> out = Render(1000);
  // 441 Hz at 22,050 Hz is 50 frames a period: frame 12.5 is the crest. Lossy
  // coding moves each sample a little.
  for (int i = 100; i < 1000; i += 50) {
    EXPECT_NEAR(out[static_cast<size_t>(i) * 2], 0, 1500) << i;
    EXPECT_NEAR(out[static_cast<size_t>(i + 12) * 2], 16383 * 0.998, 1500) << i;
    EXPECT_EQ(out[static_cast<size_t>(i) * 2], out[static_cast<size_t>(i) * 2 + 1]);  // mono on both sides
  }
}

TEST_F(MusicPlayerThread, OggAndMidiStopEachOther) {
  BgmPlayer.SetTrack(1, "bgm\\Song.mid");
  BgmPlayer.SetTrack(0, "bgm\\Tone.ogg");
  ASSERT_EQ(BgmPlayer.Play(0, 1, 1, 1), 1);
  EXPECT_TRUE(MidiPlaying());
  ASSERT_EQ(BgmPlayer.Play(0, 0, 1, 1), 1);
  EXPECT_TRUE(OggPlaying());
  EXPECT_FALSE(MidiPlaying());
  ASSERT_EQ(BgmPlayer.Play(0, 1, 1, 1), 1);
  EXPECT_TRUE(MidiPlaying());
  EXPECT_FALSE(OggPlaying());
  EXPECT_EQ(BgmPlayer.CurrentTrack(), 1);
  // The same track without force changes nothing, even once stopped.
  BgmPlayer.Stop();
  EXPECT_FALSE(MidiPlaying());
  EXPECT_EQ(BgmPlayer.Play(0, 1, 1, 0), 1);
  EXPECT_FALSE(MidiPlaying());
}

TEST_F(MusicPlayerThread, DamagedOggStopsAllMusicAndFails) {
  dir.Write("bgm/junk.ogg", std::string("OggS but not really a stream"));
  std::vector<std::string> damaged = {"bgm\\junk.ogg", "bgm\\none.ogg"};
  for (const char* f : {"floor1-x-array-overflow.ogg", "single-code-2bits.ogg", "sample-rate-max.ogg"}) {
    // Copied once each: single-code-2bits.ogg must never be decoded twice.
    std::ifstream in(TestData(std::string("ogg/") + f), std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), {});
    dir.Write(std::string("bgm/") + f, bytes);
    damaged.push_back(std::string("bgm\\") + f);
  }
  BgmPlayer.SetTrack(1, "bgm\\Song.mid");
  for (const std::string& f : damaged) {
    SCOPED_TRACE(f);
    ASSERT_EQ(BgmPlayer.Play(0, 1, 1, 1), 1);
    ASSERT_TRUE(MidiPlaying());
    ASSERT_EQ(BgmPlayer.SetTrack(0, f.c_str()), 1);
    EXPECT_EQ(BgmPlayer.Play(0, 0, 1, 1), 0);
    EXPECT_EQ(BgmPlayer.CurrentTrack(), -1);
    EXPECT_FALSE(MidiPlaying());
    EXPECT_FALSE(OggPlaying());
    EXPECT_EQ(Rms(Render(2000)), 0.0);
  }
}

TEST_F(MusicPlayerThread, PublicOggStreamsPlayOrAreRefused) {
  // Each opened once; the one that crashes the decoder on a second read is left out.
  for (const char* f : {"square.ogg", "square-stereo.ogg", "6ch-moving-sine.ogg", "zero-length.ogg", "empty-page.ogg",
                        "square-with-junk.ogg", "bad-continued-packet-flag.ogg", "long-short.ogg",
                        "single-code-nonsparse.ogg", "noise-6ch.ogg", "partial-granule-position.ogg"}) {
    SCOPED_TRACE(f);
    plat::VoxPlayer* p = BgmPlayer.Vox().Player(0);
    if (p->Open(TestData(std::string("ogg/") + f).c_str())) {
      p->SetLoop(plat::kVoxLoopForever);
      p->Play();
      Render(30000);
      p->Close();
    }
  }
}

TEST_F(MusicPlayerThread, TrackNamesFollowTheExtension) {
  struct Case {
    const char* path;
    int result, kind;
    const char* ogg;
    const char* midi;
  };
  const Case cases[] = {
      {"bgm\\A.MID", 1, 2, "bgm\\Title.ogg", "bgm\\A.mid"},
      {"bgm\\B.ogg", 1, 1, "bgm\\B.ogg", "bgm\\Title.mid"},
      {"bgm\\C.wav", 0, 0, "bgm\\C.wav", "bgm\\C.wav"},
      {"bgm\\none", 0, 0, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    InitBgmPlayer();
    EXPECT_EQ(BgmPlayer.SetTrack(0, c.path), c.result);
    EXPECT_EQ(BgmPlayer.TrackKind(0), c.kind);
    EXPECT_STREQ(BgmOggNames[0], c.ogg);
    EXPECT_STREQ(BgmMidiNames[0], c.midi);
  }
  // A wav is tried as OGG, then refused as MIDI (only "mid" is taken).
  dir.Write("bgm/C.wav", MakeWav16(22050, {1, 2}));
  InitBgmPlayer();
  BgmPlayer.SetTrack(2, "bgm\\C.wav");
  EXPECT_EQ(BgmPlayer.Play(0, 2, 0, 1), 0);
  // A track outside the table is reported and changes nothing.
  EXPECT_EQ(BgmPlayer.SetTrack(5, "bgm\\X.ogg"), 0);
  EXPECT_EQ(BgmPlayer.Play(0, 7, 0, 1), 0);
  EXPECT_TRUE(dir.ReportContains("err V[5] ( 5 , 4 )"));
}

TEST_F(MusicPlayerThread, MissingComponentIgnoresLaterRequests) {
  BgmPlayer.Release();
  plat::SetVoxComponentAvailable(false);
  EXPECT_EQ(InitBgmPlayer(), 0);
  EXPECT_TRUE(dir.ReportContains(plat::Utf8ToSjis("oggの初期化に失敗！")));
  EXPECT_EQ(BgmPlayer.SetTrack(0, "bgm\\Song.mid"), 0);
  EXPECT_EQ(BgmPlayer.Play(0, 0, 0, 1), 0);
  BgmPlayer.Stop();
  plat::SetVoxComponentAvailable(true);
  EXPECT_EQ(InitBgmPlayer(), 1);
}

TEST_F(MusicPlayerThread, UninitialisedPlayerDoesNothing) {
  BgmPlayer.Release();
  EXPECT_EQ(BgmPlayer.SetTrack(0, "bgm\\Tone.ogg"), 1);
  EXPECT_EQ(BgmPlayer.Play(0, 0, 0, 1), 1);
  EXPECT_EQ(Rms(Render(1000)), 0.0);
}

TEST_F(MusicPlayerThread, MusicRequestsOfTheWindow) {
  OnMusicRequest(3, 7, "bgm\\Tone.ogg", 1);
  EXPECT_TRUE(OggPlaying());
  EXPECT_EQ(BgmPlayer.CurrentTrack(), 3);
  OnMusicRequest(4, 2, "bgm\\Song.mid", 0);
  EXPECT_TRUE(MidiPlaying());
  EXPECT_FALSE(OggPlaying());
  EXPECT_EQ(BgmPlayer.CurrentTrack(), 4);
  OnMusicRequest(4, 0, "", 0);  // number 0 stops
  EXPECT_FALSE(MidiPlaying());
  OnMusicRequest(9, 1, "bgm\\Tone.ogg", 0);  // no such kind
  EXPECT_FALSE(OggPlaying());
}

}  // namespace
