#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/display/bmp_decoder.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

std::string Bmp(const std::string& rel) { return std::string(KORVANE_TESTDATA_DIR) + "/bmp/" + rel; }

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> out;
  for (const auto& e : fs::directory_iterator(Bmp(folder)))
    if (e.path().extension() == ".bmp") out.push_back(folder + "/" + e.path().filename().string());
  std::sort(out.begin(), out.end());
  return out;
}

plat::cBmpImage MustLoad(const std::string& rel) {
  plat::cBmpImage img;
  std::string why;
  EXPECT_TRUE(plat::LoadBmpFile(Bmp(rel), img, &why)) << rel << ": " << why;
  return img;
}

TEST(BmpDecoder, EveryGoodFileLoads) {
  for (const std::string& f : FilesIn("g")) {
    plat::cBmpImage img = MustLoad(f);
    EXPECT_GT(img.width, 0) << f;
    EXPECT_EQ(img.pixels.size(), size_t(img.width) * img.height) << f;
    if (img.HasIndices()) {
      EXPECT_EQ(img.indices.size(), img.pixels.size()) << f;
    }
  }
}

TEST(BmpDecoder, EveryBadFileIsRefusedCleanly) {
  for (const std::string& f : FilesIn("b")) {
    plat::cBmpImage img;
    std::string why;
    EXPECT_FALSE(plat::LoadBmpFile(Bmp(f), img, &why)) << f;
    EXPECT_FALSE(why.empty()) << f;
    EXPECT_TRUE(img.pixels.empty() && img.indices.empty() && img.width == 0) << f;
  }
  plat::cBmpImage img;
  EXPECT_FALSE(plat::LoadBmpFile(Bmp("x/ba-bm.bmp"), img));
}

// Questionable files: what we decide, file by file. Refused: OS/2 v2 headers (16
// and 64 bytes), 2 bits per pixel, compressions other than RLE4/RLE8/bit fields
// (RLE24, Huffman, JPEG, PNG, alpha bit fields), 64 bits per pixel and colour
// tables of more than 256 entries. Accepted: the rest; alpha channels are ignored,
// and pixels that RLE data skips take palette index 0.
TEST(BmpDecoder, QuestionableFilesAsDecided) {
  const std::map<std::string, bool> expected = {
      {"pal1huffmsb.bmp", false}, {"pal1p1.bmp", true},          {"pal2.bmp", false},
      {"pal2color.bmp", false},   {"pal4rlecut.bmp", true},      {"pal4rletrns.bmp", true},
      {"pal8offs.bmp", true},     {"pal8os2-hs.bmp", true},      {"pal8os2-sz.bmp", true},
      {"pal8os2sp.bmp", true},    {"pal8os2v2-16.bmp", false},   {"pal8os2v2-40sz.bmp", true},
      {"pal8os2v2-sz.bmp", false}, {"pal8os2v2.bmp", false},     {"pal8oversizepal.bmp", false},
      {"pal8rlecut.bmp", true},   {"pal8rletrns.bmp", true},     {"rgb16-231.bmp", true},
      {"rgb16-3103.bmp", true},   {"rgb16faketrns.bmp", true},   {"rgb24jpeg.bmp", false},
      {"rgb24largepal.bmp", false}, {"rgb24lprof.bmp", true},    {"rgb24png.bmp", false},
      {"rgb24rle24.bmp", false},  {"rgb32-111110.bmp", true},    {"rgb32-7187.bmp", true},
      {"rgb32-xbgr.bmp", true},   {"rgb32fakealpha.bmp", true},  {"rgb32h52.bmp", true},
      {"rgba16-1924.bmp", true},  {"rgba16-4444.bmp", true},     {"rgba16-5551.bmp", true},
      {"rgba32-1.bmp", true},     {"rgba32-1010102.bmp", true},  {"rgba32-2.bmp", true},
      {"rgba32-61754.bmp", true}, {"rgba32-81284.bmp", true},    {"rgba32abf.bmp", false},
      {"rgba32h56.bmp", true},    {"rgba64.bmp", false},
  };
  std::vector<std::string> files = FilesIn("q");
  EXPECT_EQ(files.size(), expected.size());
  for (const std::string& f : files) {
    auto it = expected.find(f.substr(2));
    ASSERT_NE(it, expected.end()) << f;
    plat::cBmpImage img;
    EXPECT_EQ(plat::LoadBmpFile(Bmp(f), img), it->second) << f;
  }
}

TEST(BmpDecoder, EveryLayoutOfOnePictureDecodesToTheSamePixels) {
  const std::vector<std::vector<std::string>> groups = {
      {"g/pal8.bmp", "g/pal8-0.bmp", "g/pal8os2.bmp", "g/pal8rle.bmp", "g/pal8topdown.bmp", "g/pal8v4.bmp",
       "g/pal8v5.bmp", "q/pal8offs.bmp", "q/pal8os2sp.bmp"},
      {"g/pal4.bmp", "g/pal4rle.bmp"},
      {"g/rgb24.bmp", "g/rgb24pal.bmp", "g/rgb32.bmp", "g/rgb32bf.bmp", "g/rgb32bfdef.bmp", "q/rgb32-xbgr.bmp",
       "q/rgb32h52.bmp", "q/rgb24lprof.bmp"},
      {"g/rgb16.bmp", "g/rgb16bfdef.bmp"},
      {"g/rgb16-565.bmp", "g/rgb16-565pal.bmp"},
  };
  for (const auto& group : groups) {
    plat::cBmpImage ref = MustLoad(group[0]);
    for (size_t i = 1; i < group.size(); ++i) {
      plat::cBmpImage img = MustLoad(group[i]);
      EXPECT_EQ(img.pixels, ref.pixels) << group[i] << " against " << group[0];
    }
  }
  plat::cBmpImage pal8 = MustLoad("g/pal8.bmp");
  EXPECT_EQ(pal8.bitCount, 8);
  EXPECT_EQ(pal8.paletteCount, 252);
  EXPECT_EQ(pal8.At(0, 0), 0xFF0000u);  // top-left is red whatever the row order
  // 16-bit channels widen to full brightness.
  for (const char* f : {"g/rgb16.bmp", "g/rgb16-565.bmp"}) {
    plat::cBmpImage img = MustLoad(f);
    EXPECT_EQ(*std::max_element(img.pixels.begin(), img.pixels.end()), 0xFFFFFFu) << f;
  }
}

// A valid 8-bit picture of 3 x 2 pixels, bottom-up, with a 4-entry palette.
struct cBmpFixture {
  int32_t width = 3, height = 2;
  uint16_t planes = 1, bits = 8;
  uint32_t compression = 0, colors = 4, headerSize = 40;
  int64_t offsetAdjust = 0;
  std::vector<uint8_t> pixelData{1, 2, 3, 0, 0, 1, 2, 0};  // two rows of 3 plus padding
  std::vector<uint8_t> Build() const {
    cBytes b;
    uint32_t offset = 14 + headerSize + colors * 4 + static_cast<uint32_t>(offsetAdjust);
    b.U8('B').U8('M').U32(offset + static_cast<uint32_t>(pixelData.size())).U32(0).U32(offset);
    b.U32(headerSize).I32(width).I32(height).U16(planes).U16(bits).U32(compression).U32(0).I32(2835).I32(2835);
    b.U32(colors).U32(0);
    for (uint32_t i = 0; i < headerSize - 40; ++i) b.U8(0);
    for (uint32_t i = 0; i < colors; ++i) b.U8(uint8_t(10 * i)).U8(uint8_t(20 * i)).U8(uint8_t(30 * i)).U8(0);
    b.Raw(pixelData);
    return b.v;
  }
};

bool Decodes(const std::vector<uint8_t>& bytes, plat::cBmpImage* out = nullptr) {
  plat::cBmpImage img;
  bool ok = plat::DecodeBmp(bytes.data(), bytes.size(), img);
  if (out) *out = img;
  return ok;
}

TEST(BmpDecoder, TheFixtureDecodes) {
  plat::cBmpImage img;
  ASSERT_TRUE(Decodes(cBmpFixture{}.Build(), &img));
  EXPECT_EQ(img.indices, (std::vector<uint8_t>{0, 1, 2, 1, 2, 3}));  // bottom row first in the file
  EXPECT_EQ(img.At(2, 1), uint32_t(90) << 16 | uint32_t(60) << 8 | 30);
  cBmpFixture topDown;
  topDown.height = -2;
  ASSERT_TRUE(Decodes(topDown.Build(), &img));
  EXPECT_EQ(img.indices, (std::vector<uint8_t>{1, 2, 3, 0, 1, 2}));
}

TEST(BmpDecoder, DamagedPicturesAreRefused) {
  struct Case {
    const char* what;
    std::function<std::vector<uint8_t>()> make;
  } cases[] = {
      {"two bytes", [] { return std::vector<uint8_t>{'B', 'M'}; }},
      {"header cut", [] { auto v = cBmpFixture{}.Build(); v.resize(30); return v; }},
      {"pixel rows cut", [] { auto v = cBmpFixture{}.Build(); v.pop_back(); v.pop_back(); return v; }},
      {"offset past the end", [] { cBmpFixture f; f.offsetAdjust = 100; return f.Build(); }},
      {"offset inside the palette", [] { cBmpFixture f; f.offsetAdjust = -8; return f.Build(); }},
      {"width 0", [] { cBmpFixture f; f.width = 0; return f.Build(); }},
      {"height 0", [] { cBmpFixture f; f.height = 0; return f.Build(); }},
      {"huge width", [] { cBmpFixture f; f.width = 1 << 30; return f.Build(); }},
      {"huge area", [] { cBmpFixture f; f.width = 16000; f.height = 16000; return f.Build(); }},
      {"most negative height", [] { cBmpFixture f; f.height = INT32_MIN; return f.Build(); }},
      {"300 colours", [] { cBmpFixture f; f.colors = 300; return f.Build(); }},
      {"index beyond the palette", [] { cBmpFixture f; f.pixelData[0] = 4; return f.Build(); }},
      {"unknown compression", [] { cBmpFixture f; f.compression = 7; return f.Build(); }},
      {"RLE4 on 8 bits", [] { cBmpFixture f; f.compression = 2; return f.Build(); }},
      {"2 planes", [] { cBmpFixture f; f.planes = 2; return f.Build(); }},
      {"3 bits", [] { cBmpFixture f; f.bits = 3; return f.Build(); }},
      {"64-byte header", [] { cBmpFixture f; f.headerSize = 64; return f.Build(); }},
      {"RLE run past the row", [] { cBmpFixture f; f.compression = 1; f.pixelData = {4, 1, 0, 1}; return f.Build(); }},
      {"RLE literal past the row",
       [] { cBmpFixture f; f.compression = 1; f.pixelData = {0, 4, 1, 1, 1, 1, 0, 1}; return f.Build(); }},
      {"RLE below the last row",
       [] { cBmpFixture f; f.compression = 1; f.pixelData = {0, 0, 0, 0, 1, 1, 0, 1}; return f.Build(); }},
      {"RLE move outside", [] { cBmpFixture f; f.compression = 1; f.pixelData = {0, 2, 5, 0, 0, 1}; return f.Build(); }},
      {"RLE without an end", [] { cBmpFixture f; f.compression = 1; f.pixelData = {3, 1, 0, 0}; return f.Build(); }},
      {"RLE top-down", [] { cBmpFixture f; f.compression = 1; f.height = -2; f.pixelData = {0, 1}; return f.Build(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_FALSE(Decodes(c.make()));
  }
  plat::cBmpImage img;
  EXPECT_FALSE(plat::DecodeBmp(nullptr, 0, img));
}

TEST(BmpDecoder, RleSkipsLeaveIndexZero) {
  cBmpFixture f;
  f.compression = 1;
  // Bottom row: 2 x index 3, end of line; a move by (1, 0) on the top row; 1 x index 2; end.
  f.pixelData = {2, 3, 0, 0, 0, 2, 1, 0, 1, 2, 0, 1};
  plat::cBmpImage img;
  ASSERT_TRUE(Decodes(f.Build(), &img));
  EXPECT_EQ(img.indices, (std::vector<uint8_t>{0, 2, 0, 3, 3, 0}));
}

TEST(BmpDecoder, AMissingFileIsRefused) {
  cTempDir dir(false);
  plat::cBmpImage img;
  std::string why;
  EXPECT_FALSE(plat::LoadBmpFile("nothing.bmp", img, &why));
  EXPECT_EQ(why, "file not found");
}

}  // namespace
