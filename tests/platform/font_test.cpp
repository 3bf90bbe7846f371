#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "platform/display/surface.h"
#include "platform/font/font.h"
#include "platform/font/font_files.h"
#include "platform/font/text_out.h"
#include "platform/sjis.h"
#include "tests/support/temp_dir.h"

namespace {

std::shared_ptr<plat::cFont> Gothic(int height, bool antiAliased) {
  plat::FontDesc desc;
  desc.face = plat::Utf8ToSjis("ＭＳ ゴシック");
  desc.height = height;
  desc.antiAliased = antiAliased;
  std::string error;
  std::shared_ptr<plat::cFont> font = plat::cFont::Create(desc, &error);
  EXPECT_TRUE(font) << error;
  return font;
}

TEST(FontFiles, WindowsFacesMapToTheIpaFonts) {
  struct Case {
    const char* face;  // UTF-8
    const char* file;
  } cases[] = {
      {"ＭＳ ゴシック", "ipag.ttf"},   {"ＭＳ Ｐゴシック", "ipagp.ttf"}, {"ms gothic", "ipag.ttf"},
      {"ＭＳ 明朝", "ipam.ttf"},       {"ＭＳ Ｐ明朝", "ipamp.ttf"},     {"MS UI Gothic", "ipagp.ttf"},
      {"HG明朝B", "ipam.ttf"},         {"HGP教科書体", "ipamp.ttf"},     {"HGｺﾞｼｯｸE", "ipag.ttf"},
      {"HGSｺﾞｼｯｸM", "ipagp.ttf"},      {"Arial", "ipagp.ttf"},          {"", "ipagp.ttf"},
      {"メイリオ", "ipagp.ttf"},
  };
  for (const Case& c : cases) EXPECT_STREQ(plat::FontFileForFace(plat::Utf8ToSjis(c.face)), c.file) << c.face;
  EXPECT_EQ(plat::FontFilePath("ipag.ttf"), "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf");
  EXPECT_EQ(plat::FontFilePath("ipamp.ttf"), "/usr/share/fonts/opentype/ipafont-mincho/ipamp.ttf");
}

TEST(FontFiles, AMissingFileIsAnErrorNotACrash) {
  cTempDir dir(false);
  ASSERT_EQ(setenv("KORVANE_FONT_DIR", dir.Path().c_str(), 1), 0);
  EXPECT_EQ(plat::FontFilePath("ipag.ttf"), dir.Path() + "/ipag.ttf");
  plat::FontDesc desc;
  desc.face = plat::Utf8ToSjis("ＭＳ 明朝");
  desc.height = 16;
  std::string error;
  EXPECT_EQ(plat::cFont::Create(desc, &error), nullptr);
  EXPECT_NE(error.find(dir.Path() + "/ipam.ttf"), std::string::npos) << error;
  // A file that is not a font.
  dir.Write("ipam.ttf", std::string("not a font at all"));
  EXPECT_EQ(plat::cFont::Create(desc, &error), nullptr);
  unsetenv("KORVANE_FONT_DIR");
}

TEST(FontFiles, ShiftJisCharactersBecomeCodePoints) {
  struct Case {
    std::string bytes;
    uint32_t cp;
  } cases[] = {
      {"A", 0x41},          {"\x5C", 0x5C},   {"\xB1", 0xFF71},  {plat::Utf8ToSjis("あ"), 0x3042},
      {plat::Utf8ToSjis("漢"), 0x6F22}, {plat::Utf8ToSjis("～"), 0xFF5E}, {"\x82", 0},  // a lead byte alone
      {"\x82\x20", 0},      {"\x81\xFD", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(plat::SjisCodePoint(c.bytes.data(), static_cast<int>(c.bytes.size())), c.cp) << c.bytes;
    EXPECT_EQ(plat::SjisCodePoint(c.bytes.data(), static_cast<int>(c.bytes.size())), c.cp) << "cached";
  }
  EXPECT_EQ(plat::SjisCharBytes("\x82\xA0", 2), 2);
  EXPECT_EQ(plat::SjisCharBytes("\x82\xA0", 1), 1);  // the trail byte lies beyond the text
  EXPECT_EQ(plat::SjisCharBytes("\x82\n", 2), 1);
  EXPECT_EQ(plat::SjisCharBytes("\xA0\xA0", 2), 1);
  EXPECT_EQ(plat::SjisCharBytes("", 0), 0);
}

TEST(FontFiles, GlyphsAreSizedLikeGdiFontsAndKept) {
  std::shared_ptr<plat::cFont> mono = Gothic(16, false), smooth = Gothic(16, true);
  ASSERT_TRUE(mono && smooth);
  EXPECT_EQ(mono->CellHeight(), 16);
  EXPECT_EQ(mono->Ascent(), 14);
  const plat::Glyph* a = mono->GlyphOf(0x6F22);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(mono->GlyphOf(0x6F22), a);  // rendered once
  EXPECT_EQ(a->advance, 16);
  EXPECT_LE(a->width, 16);
  EXPECT_GE(a->top, 0);
  EXPECT_LE(a->top + a->height, 16);
  EXPECT_EQ(mono->GlyphOf('A')->advance, 8);
  EXPECT_EQ(mono->GlyphOf(0x0A), nullptr);      // control codes have no glyph
  EXPECT_EQ(mono->GlyphOf(0xF8F1), nullptr);    // nor code points the face lacks
  int w = 0, h = 0;
  mono->MeasureSjis(plat::Utf8ToSjis("漢字AB"), &w, &h);
  EXPECT_EQ(w, 48);
  EXPECT_EQ(h, 16);
  bool monoOnly = true, grey = false;
  for (uint8_t c : a->coverage) monoOnly = monoOnly && (c == 0 || c == 255);
  for (uint8_t c : smooth->GlyphOf(0x3042)->coverage) grey = grey || (c != 0 && c != 255);
  EXPECT_TRUE(monoOnly);
  EXPECT_TRUE(grey);
}

TEST(FontFiles, TextOutStaysInsideTheSurfaceAndNeedsItFree) {
  std::shared_ptr<plat::cFont> font = Gothic(16, false);
  ASSERT_TRUE(font);
  std::shared_ptr<plat::cSurface> surface;
  ASSERT_EQ(plat::cSurface::Make(12, 10, plat::PixelFormat::kR5G6B5, plat::MemoryPool::kSystem,
                                 plat::SurfaceApi::kDirectDraw, nullptr, false, &surface),
            plat::kOk);
  const std::string text = plat::Utf8ToSjis("漢字AB");
  const uint32_t white = plat::MakeColorRef(255, 255, 255);
  for (int x : {-20, -7, 0, 5, 11, 40})
    for (int y : {-20, -7, 0, 5, 9, 40}) EXPECT_TRUE(plat::TextOut(*surface, *font, x, y, text, white, nullptr));
  int set = 0;
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x) set += surface->GetPixel(x, y) == 0xFFFF;
  EXPECT_GT(set, 10);
  plat::LockedRect locked;
  ASSERT_EQ(surface->Lock(&locked), plat::kOk);
  EXPECT_FALSE(plat::TextOut(*surface, *font, 0, 0, text, white, nullptr));
  surface->Unlock();
  // Colours: the nearest palette entry at 8 bits, the screen format otherwise.
  plat::PaletteEntry palette[256] = {};
  palette[7] = {250, 10, 10, 0};
  palette[9] = {250, 10, 10, 0};
  EXPECT_EQ(plat::ColorRefToPixel(plat::PixelFormat::kP8, plat::MakeColorRef(255, 0, 0), palette), 7u);
  EXPECT_EQ(plat::ColorRefToPixel(plat::PixelFormat::kR5G6B5, plat::MakeColorRef(255, 0, 8), nullptr), 0xF801u);
  EXPECT_EQ(plat::ColorRefToPixel(plat::PixelFormat::kX8R8G8B8, plat::MakeColorRef(1, 2, 3), nullptr), 0x010203u);
}

}  // namespace
