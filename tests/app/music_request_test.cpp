// The game window's music request (WM_USER+6): which music each kind plays.
#include <gtest/gtest.h>

#include "app/main_window.h"
#include "app/sound/music_player.h"
#include "data/project_globals.h"
#include "platform/audio_output.h"
#include "platform/midi_synth.h"
#include "platform/vox_player.h"
#include "tests/sound/sound_fixtures.h"

namespace {

cEdBgm Music(const char* file) {
  cEdBgm m;
  m.strFile = file;
  return m;
}

class MusicRequestMessage : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::UseOfflineAudio(22050);
    plat::UseMidiRecorder(true);
    dir.Write("bgm/Song.mid", MakeMidi(0, 96, {{0x00, 0x90, 0x3C, 0x64, 0x83, 0x00, 0x80, 0x3C, 0x00, 0x00, 0xFF, 0x2F, 0x00}}));
    dir.Write("bgm/Tone.ogg", MakeOggSine(22050, 5512, 441.0, 0.5));
    Database.BgmList = {Music(""), Music("bgm\\Song.mid"), Music("bgm\\Tone.ogg")};
    // Title: MIDI; world map: none; challenge: no such entry; option: OGG.
    SystemData.SceneBgm = {1, 0, 9, 2};
    SystemData.SceneBgmLoop = {1, 1, 1, 0};
    ASSERT_EQ(InitBgmPlayer(), 1);
  }
  void TearDown() override {
    BgmPlayer.Release();
    plat::CloseAudioOutput();
  }
  void Request(plat::WPARAM kind, plat::LPARAM number = 0) { MainWindow.WndProc(0, WM_PLAY_BGM, kind, number); }
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

TEST_F(MusicRequestMessage, SceneKindsPlayTheGameWideSettingsMusic) {
  Request(0);
  EXPECT_TRUE(MidiPlaying());
  EXPECT_EQ(BgmPlayer.CurrentTrack(), 0);
  EXPECT_EQ(BgmPlayer.TrackKind(0), cBgmPlayer::kMidiOnly);
  Request(1);  // music number 0 stops the music
  EXPECT_FALSE(MidiPlaying());
  Request(3);
  EXPECT_TRUE(OggPlaying());
  EXPECT_EQ(BgmPlayer.CurrentTrack(), 3);
  Request(7);  // no such kind: nothing changes
  EXPECT_TRUE(OggPlaying());
  EXPECT_FALSE(dir.ReportContains("err V["));
  Request(2);  // a number outside the music list is the checked list's report
  EXPECT_TRUE(dir.ReportContains("err V[9] ( 3 , "));
  EXPECT_FALSE(OggPlaying());
}

TEST_F(MusicRequestMessage, TheStageKindTakesItsNumberFromTheRequest) {
  Request(4, 1);
  EXPECT_TRUE(MidiPlaying());
  EXPECT_EQ(BgmPlayer.CurrentTrack(), 4);
  Request(4, 0);
  EXPECT_FALSE(MidiPlaying());
}

}  // namespace
