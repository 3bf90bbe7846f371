#include <gtest/gtest.h>

#include <dirent.h>

#include <fstream>
#include <iterator>

#include "platform/wav_reader.h"
#include "tests/sound/sound_fixtures.h"

namespace {

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

bool Parse(const std::vector<unsigned char>& bytes, plat::WaveData& out, std::string* why = nullptr) {
  return plat::ParseWave(bytes.data(), bytes.size(), out, why);
}

TEST(WavReader, PublicFilesOfEachWidthAndLayout) {
  struct Case {
    const char* file;
    int tag, channels, rate, bits;
    size_t bytes;
  };
  const Case cases[] = {
      {"wav/wavefile/out/8-bit-48kHz-mono-fromScratch.wav", 1, 1, 48000, 8, 4},
      {"wav/wavefile/out/16-bit-48kHz-mono-fromScratch.wav", 1, 1, 48000, 16, 8},
      {"wav/python3.11/pluck-pcm8.wav", 1, 2, 11025, 8, 3307 * 2},        // LIST before data
      {"wav/python3.11/pluck-pcm16.wav", 1, 2, 11025, 16, 3307 * 4},
      {"wav/wavefile/16-bit-8kHz-noBext-mono.wav", 1, 1, 8000, 16, 0},    // junk between fmt and data
      {"wav/wavefile/out/to-bit-depth/16-to-8.wav", 1, 1, 0, 8, 0},       // fmt is not the first chunk
      {"wav/wavefile/8bit-16kHz-bext-mono.wav", 1, 1, 16000, 8, 219429},  // odd data size
      {"wav/wavefile/32bitIEEE-16kHz-bext-mono.wav", 3, 1, 16000, 32, 0}, // read; the tag is refused later
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    plat::WaveData w;
    std::string why;
    ASSERT_TRUE(Parse(ReadFile(TestData(c.file)), w, &why)) << why;
    EXPECT_EQ(w.format.wFormatTag, c.tag);
    EXPECT_EQ(w.format.nChannels, c.channels);
    if (c.rate) {
      EXPECT_EQ(static_cast<int>(w.format.nSamplesPerSec), c.rate);
    }
    EXPECT_EQ(w.format.wBitsPerSample, c.bits);
    if (c.bytes) {
      EXPECT_EQ(w.samples.size(), c.bytes);
    }
  }
  plat::WaveData w;
  ASSERT_TRUE(Parse(ReadFile(TestData("wav/wavefile/out/8-bit-48kHz-mono-fromScratch.wav")), w));
  EXPECT_EQ(w.samples, (std::vector<uint8_t>{0x00, 0xFF, 0x02, 0x03}));
}

TEST(WavReader, DamagedOrForeignImagesAreRefused) {
  std::vector<unsigned char> good = MakeWav16(22050, {1, 2, 3, 4});
  auto patched = [&](size_t at, std::vector<unsigned char> bytes) {
    std::vector<unsigned char> v = good;
    std::copy(bytes.begin(), bytes.end(), v.begin() + static_cast<std::ptrdiff_t>(at));
    return v;
  };
  // A "fmt " of 40 bytes (an extensible header) does not fit the format record.
  cBytes bigFmt;
  bigFmt.Raw({'R', 'I', 'F', 'F'}).U32(72).Raw({'W', 'A', 'V', 'E', 'f', 'm', 't', ' '}).U32(40);
  bigFmt.U16(1).U16(1).U32(22050).U32(44100).U16(2).U16(16).U16(22);
  for (int i = 0; i < 22; ++i) bigFmt.U8(0);
  bigFmt.Raw({'d', 'a', 't', 'a'}).U32(2).U16(5);
  cBytes dataFirst;
  dataFirst.Raw({'R', 'I', 'F', 'F'}).U32(38).Raw({'W', 'A', 'V', 'E', 'd', 'a', 't', 'a'}).U32(2).U16(5);
  dataFirst.Raw({'f', 'm', 't', ' '}).U32(16).U16(1).U16(1).U32(22050).U32(44100).U16(2).U16(16);
  struct Case {
    const char* what;
    std::vector<unsigned char> bytes;
  };
  const Case cases[] = {
      {"empty", {}},
      {"header only", std::vector<unsigned char>(good.begin(), good.begin() + 11)},
      {"RIFX", patched(0, {'R', 'I', 'F', 'X'})},
      {"not WAVE", patched(8, {'A', 'V', 'I', ' '})},
      {"no fmt", patched(12, {'f', 'm', 't', 'x'})},
      {"fmt of 14 bytes", patched(16, {14, 0, 0, 0})},
      {"fmt larger than the record", bigFmt.v},
      {"fmt runs past the end", patched(16, {0xFF, 0xFF, 0xFF, 0x7F})},
      {"no data", patched(36, {'d', 'a', 't', 'x'})},
      {"short data", patched(40, {9, 0, 0, 0})},
      {"data size near 4 GiB", patched(40, {0xFC, 0xFF, 0xFF, 0xFF})},
      {"cut in the data", std::vector<unsigned char>(good.begin(), good.end() - 1)},
      {"data before fmt", dataFirst.v},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    plat::WaveData w;
    std::string why;
    EXPECT_FALSE(Parse(c.bytes, w, &why));
    EXPECT_FALSE(why.empty());
  }
  plat::WaveData w;
  EXPECT_TRUE(Parse(good, w));
}

TEST(WavReader, EveryPublicFileIsReadOrRefusedSafely) {
  int read = 0, refused = 0;
  for (const char* folder : {"wav/wavefile", "wav/wavefile/out", "wav/wavefile/out/to-bit-depth", "wav/python3.11"}) {
    DIR* d = opendir(TestData(folder).c_str());
    ASSERT_NE(d, nullptr);
    while (dirent* e = readdir(d)) {
      std::string name = e->d_name;
      if (name.size() < 4 || name.substr(name.size() - 4) != ".wav") continue;
      std::vector<uint8_t> bytes = ReadFile(TestData(std::string(folder) + "/" + name));
      plat::WaveData w;
      // Every truncation of the file too, each in a buffer of its own size so that
      // AddressSanitizer sees a read past it; what is accepted lies inside it.
      for (size_t cut = 0; cut < std::min<size_t>(bytes.size(), 128); ++cut) {
        const std::vector<uint8_t> part(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut));
        if (plat::ParseWave(part.data(), part.size(), w, nullptr)) {
          EXPECT_LE(w.samples.size() + 44, cut) << name;
        }
      }
      (plat::ParseWave(bytes.data(), bytes.size(), w, nullptr) ? read : refused)++;
    }
    closedir(d);
  }
  EXPECT_GT(read, 25);
  EXPECT_GT(refused, 10);  // RIFX, RF64, and "fmt " chunks larger than the record (extensible, ADPCM)
}

}  // namespace
