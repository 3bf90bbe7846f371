#include <gtest/gtest.h>

#include "app/sound/sound_effects.h"
#include "app/sound/sound_requests.h"
#include "platform/audio_output.h"
#include "tests/sound/sound_fixtures.h"

namespace {

// Offline mix at the rate of the test sounds, so that samples pass unchanged.
class SoundEffects : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::UseOfflineAudio(22050);
    ASSERT_TRUE(DS_Init(0, 22050, 8, 1));
  }
  void TearDown() override {
    DS_Release();
    plat::CloseAudioOutput();
  }
  // Loads files (relative names in dir) into a table through the descriptors.
  void LoadTable(const std::vector<std::string>& names, int buffers = 1, int volume = 0) {
    SoundTable.assign(names.size(), DSSOUNDDATA());
    SoundInfoTable.assign(names.size(), DSSOUNDINFO());
    for (size_t i = 0; i < names.size(); ++i) {
      std::snprintf(SoundInfoTable[i].szFileName, 260, "%s", names[i].c_str());
      SoundInfoTable[i].nBufferCount = buffers;
      SoundInfoTable[i].bFlag = 1;
    }
    EXPECT_EQ(DS_LoadAll(SoundTable, SoundInfoTable, volume), 1);
  }
  cTempDir dir;
};

// Left channel of a render.
std::vector<int> Left(const std::vector<int16_t>& stereo) {
  std::vector<int> l;
  for (size_t i = 0; i < stereo.size(); i += 2) l.push_back(stereo[i]);
  return l;
}

TEST_F(SoundEffects, OneSoundRendersItsExactSamples) {
  dir.Write("a.wav", MakeWav8(22050, {128, 129, 255, 0, 100}));
  LoadTable({"a.wav"});
  DS_Play(SoundTable.At(0), 0);
  std::vector<int16_t> out = Render(8);
  // 8-bit samples centre on 128 and scale by 256; both channels carry a mono sound.
  std::vector<int16_t> expected = {0, 0, 256, 256, 32512, 32512, -32768, -32768, -7168, -7168, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(out, expected);
  EXPECT_EQ(SoundTable.At(0).lpBuffers[0]->GetStatus(), 0u);  // ended by itself
}

TEST_F(SoundEffects, SixteenBitStereoKeepsItsChannels) {
  cBytes d;
  d.U16(1000).U16(static_cast<uint16_t>(-2000)).U16(3).U16(4);
  dir.Write("s.wav", MakeWav(2, 22050, 16, d.v));
  LoadTable({"s.wav"});
  DS_Play(SoundTable.At(0), 0);
  EXPECT_EQ(Render(3), (std::vector<int16_t>{1000, -2000, 3, 4, 0, 0}));
}

TEST_F(SoundEffects, PlayingAgainWithOneBufferCutsTheFirst) {
  dir.Write("a.wav", MakeWav16(22050, {10, 20, 30, 40, 50, 60}));
  LoadTable({"a.wav"});
  DS_Play(SoundTable.At(0), 0);
  EXPECT_EQ(Left(Render(3)), (std::vector<int>{10, 20, 30}));
  DS_Play(SoundTable.At(0), 0);
  EXPECT_EQ(Left(Render(7)), (std::vector<int>{10, 20, 30, 40, 50, 60, 0}));
}

TEST_F(SoundEffects, DuplicatesOverlapAndTheOldestIsCutByTheThirdPlay) {
  dir.Write("a.wav", MakeWav16(22050, {100, 200, 300, 400, 500, 600}));
  LoadTable({"a.wav"}, 2);
  DSSOUNDDATA& e = SoundTable.At(0);
  ASSERT_EQ(e.nBufferCount, 2);
  DS_Play(e, 0);
  EXPECT_EQ(Left(Render(2)), (std::vector<int>{100, 200}));
  DS_Play(e, 0);  // the duplicate starts beside the first
  EXPECT_EQ(Left(Render(2)), (std::vector<int>{300 + 100, 400 + 200}));
  DS_Play(e, 0);  // back to buffer 0: the first copy restarts
  EXPECT_EQ(Left(Render(3)), (std::vector<int>{100 + 300, 200 + 400, 300 + 500}));
  EXPECT_EQ(e.nNextBuffer, 1);
}

TEST_F(SoundEffects, OverlappingSoundsClipAtFullScale) {
  dir.Write("a.wav", MakeWav16(22050, {30000, -30000}));
  LoadTable({"a.wav"}, 2);
  DS_Play(SoundTable.At(0), 0);
  DS_Play(SoundTable.At(0), 0);
  EXPECT_EQ(Left(Render(2)), (std::vector<int>{32767, -32768}));
}

TEST_F(SoundEffects, VolumeScaleGivesTheseSamples) {
  // Amplitude 10^(dB/20) on a sample of 16384, rounded down; the bottom of the
  // scale is silence.
  const int expected[11] = {0, 518, 1638, 3668, 6522, 9213, 11599, 13785, 14942, 15827, 16384};
  const int volumes[11] = {-10000, -3000, -2000, -1300, -800, -500, -300, -150, -80, -30, 0};
  dir.Write("a.wav", MakeWav16(22050, {16384}));
  for (int level = 0; level <= 10; ++level) {
    SCOPED_TRACE(level);
    EXPECT_EQ(SoundVolumeFromLevel(level), volumes[level]);
    DS_Release();
    ASSERT_TRUE(DS_Init(0, 22050, 8, 1));
    LoadTable({"a.wav"}, 1, SoundVolumeFromLevel(level));
    DS_Play(SoundTable.At(0), 0);
    EXPECT_EQ(Render(1)[0], expected[level]);
  }
  EXPECT_EQ(SoundVolumeFromLevel(-3), -10000);
  EXPECT_EQ(SoundVolumeFromLevel(42), 0);
}

TEST_F(SoundEffects, VolumeIsClampedAndRelative) {
  dir.Write("a.wav", MakeWav16(22050, {1}));
  LoadTable({"a.wav"});
  DSSOUNDDATA& e = SoundTable.At(0);
  EXPECT_EQ(DS_SetVolume(e, 0, -9000, 0), -9000);
  EXPECT_EQ(DS_SetVolume(e, 0, -2000, 1), -10000);
  EXPECT_EQ(DS_GetVolume(e, 0), -10000);
  EXPECT_EQ(DS_SetVolume(e, 0, 500, 0), 0);
  EXPECT_EQ(DS_SetVolume(e, 1, -100, 0), 0);  // no such buffer: nothing set
  EXPECT_EQ(DS_GetVolume(e, 0), 0);
}

TEST_F(SoundEffects, ResamplingToTheMixRateInterpolates) {
  plat::CloseAudioOutput();
  DS_Release();
  plat::UseOfflineAudio(22050);
  ASSERT_TRUE(DS_Init(0, 22050, 8, 1));
  dir.Write("a.wav", MakeWav16(11025, {0, 1000, -1000}));
  LoadTable({"a.wav"});
  DS_Play(SoundTable.At(0), 0);
  EXPECT_EQ(Left(Render(6)), (std::vector<int>{0, 500, 1000, 0, -1000, 0}));
}

TEST_F(SoundEffects, BadFilesStaySilentWhileTheRestOfTheTableLoads) {
  cBytes riff;
  riff.Raw({'R', 'I', 'F', 'F'}).U32(4).Raw({'W', 'A', 'V', 'E'});
  dir.Write("good.wav", MakeWav16(22050, {7, 8}));
  dir.Write("float.wav", MakeWav(1, 22050, 32, {0, 0, 0, 0}, 3));
  dir.Write("empty.wav", riff.v);
  dir.Write("24bit.wav", MakeWav(1, 22050, 24, {1, 2, 3}));
  // Ten minutes and a second at 100 Hz: at the mix rate it would be far too large.
  dir.Write("long.wav", MakeWav8(100, std::vector<uint8_t>(60100, 128)));
  LoadTable({"good.wav", "missing.wav", "float.wav", "empty.wav", "24bit.wav", "good.wav", "", "long.wav"});
  const bool loaded[8] = {true, false, false, false, false, true, false, false};
  for (int i = 0; i < 8; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(!SoundTable.At(i).lpBuffers.empty(), loaded[i]);
    DS_Play(SoundTable.At(i), 0);  // a sound that did not load plays nothing
  }
  EXPECT_EQ(Left(Render(3)), (std::vector<int>{14, 16, 0}));
  // A later load tries the missing one again.
  dir.Write("missing.wav", MakeWav16(22050, {1}));
  DS_LoadAll(SoundTable, SoundInfoTable, 0);
  EXPECT_FALSE(SoundTable.At(1).lpBuffers.empty());
}

TEST_F(SoundEffects, CursorSoundFollowsTheDirectionFlags) {
  dir.Write("a.wav", MakeWav16(22050, {100}));
  LoadTable({"a.wav"}, 2);
  struct Case {
    uint32_t directions;
    int flags;
    int expected;
  };
  const Case cases[] = {
      {1, 1, 100}, {1, 2, 0}, {4, 2, 100}, {8, 3, 100}, {5, 3, 200}, {2, 0, 0}, {0, 3, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.directions << " " << c.flags);
    DS_PlayCursorSE(c.directions, c.flags, 0);
    EXPECT_EQ(Render(1)[0], c.expected);
    Render(1);
  }
}

TEST_F(SoundEffects, NothingHappensWithoutTheDevice) {
  dir.Write("a.wav", MakeWav16(22050, {100}));
  DS_Release();
  EXPECT_FALSE(DS_IsReady());
  DSSOUNDDATA e;
  EXPECT_TRUE(DS_LoadEntry(e, "a.wav", 1, 0));
  EXPECT_TRUE(e.lpBuffers.empty());
  DS_Play(e, 0);
  EXPECT_EQ(DS_SetVolume(e, 0, -100, 0), 0);
  EXPECT_EQ(DS_GetVolume(e, 0), 0);
  DS_PlayCursorSE(1, 1, 0);
}

TEST(SoundTableSetUp, SystemSoundsThenDatabaseSounds) {
  std::vector<std::string> system;
  for (int i = 0; i < 17; ++i) system.push_back("wave\\s" + std::to_string(i) + ".wav");
  SetUpSoundTable(system, {"", "wave\\a.wav", "wave\\b.wav"});
  ASSERT_EQ(SoundTable.Count(), 19);
  ASSERT_EQ(SoundInfoTable.Count(), 19);
  EXPECT_STREQ(SoundInfoTable.At(16).szFileName, "wave\\s16.wav");
  EXPECT_STREQ(SoundInfoTable.At(17).szFileName, "wave\\a.wav");
  EXPECT_STREQ(SoundInfoTable.At(18).szFileName, "wave\\b.wav");
  for (const DSSOUNDINFO& d : SoundInfoTable) {
    EXPECT_EQ(d.nBufferCount, 1);
    EXPECT_EQ(d.nVolume, 0);
    EXPECT_EQ(d.bFlag, 1);
  }
  SetUpSoundTable(system, {});
  EXPECT_EQ(SoundTable.Count(), 17);
}

TEST(SoundDevice, HeadlessIsSilentWithOneReportLine) {
  cTempDir dir;
  setenv("KORVANE_HEADLESS", "1", 1);
  ASSERT_TRUE(DS_Init(0, 22050, 8, 1));
  EXPECT_EQ(plat::CurrentAudioOutput(), plat::AudioOutput::kSilent);
  dir.Write("a.wav", MakeWav16(22050, {1}));
  DSSOUNDDATA e;
  EXPECT_TRUE(DS_LoadEntry(e, "a.wav", 1, 0));
  DS_Play(e, 0);
  DS_Release();
  int lines = 0;
  for (const std::string& l : dir.ReportLines()) lines += l.find("Sound : ") == 0;
  EXPECT_EQ(lines, 1);
  EXPECT_TRUE(dir.ReportContains("Sound : no audio device, sound is off"));
  plat::CloseAudioOutput();
}

}  // namespace
