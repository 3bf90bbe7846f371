#include <gtest/gtest.h>

#include <string>

#include "app/base/shell_globals.h"
#include "tests/draw/font_fixture.h"

namespace {

class FontDrawing : public cFontTest {
 protected:
  // The game's fonts with atlases for fonts 0 and 1, icons and centring as given.
  void MakeFonts(int icons = 0, int center = 0) {
    ASSERT_TRUE(InitGameFonts(SJ("ＭＳ ゴシック"), 1, 1, icons, center));
  }
  void ClearBack() { DDFillRectPal(&BackBuffer, 0, 0, 640, 480, 28); }
};

const char* BackEndName(int backEnd) { return backEnd ? "Direct3D" : "DirectDraw"; }

// Distinct kanji of the first level, in code order from 0x889F.
std::string Kanji(int count) {
  std::string s;
  for (int lead = 0x88; lead <= 0x9F && count > 0; ++lead)
    for (int trail = (lead == 0x88 ? 0x9F : 0x40); trail <= 0xFC && count > 0; ++trail) {
      if (trail == 0x7F) continue;
      s += static_cast<char>(lead);
      s += static_cast<char>(trail);
      --count;
    }
  return s;
}

// Lines of `perLine` characters from a run of double-byte characters.
std::string Lines(const std::string& chars, int perLine) {
  std::string s;
  for (size_t i = 0; i < chars.size(); i += 2) {
    if (i > 0 && (i / 2) % perLine == 0) s += '\n';
    s.append(chars, i, 2);
  }
  return s;
}

TEST_F(FontDrawing, HalfWidthKatakanaComesFromItsSingleByteCell) {
  for (int backEnd : {0, 1}) {
    SCOPED_TRACE(BackEndName(backEnd));
    Start(backEnd);
    MakeFonts();
    Font& font = Fonts[0];  // pitch 10
    ASSERT_TRUE(font.HasAtlases());
    ClearBack();
    const uint32_t background = ReadPixels(&BackBuffer, 100, 100, 1, 1)[0];
    font.Draw(&BackBuffer, 100, 100, "\xB1");
    // Cell (1, 11) of the single-byte atlas: x 10, y 110.
    const std::vector<uint32_t> cell = ReadPixels(&font.m_lpFastFont_Half->m_SD, 10, 110, 10, 10);
    const std::vector<uint32_t> drawn = ReadPixels(&BackBuffer, 100, 100, 10, 10);
    const uint32_t key = backEnd ? 0u : dwColorKey;
    int glyphPixels = 0, wrong = 0;
    for (size_t i = 0; i < cell.size(); ++i) {
      const bool transparent = backEnd ? (cell[i] >> 24) == 0 : cell[i] == key;
      if (transparent) {
        wrong += drawn[i] != background;
      } else {
        ++glyphPixels;
        // Opaque atlas pixels arrive as they are.
        if (!backEnd || (cell[i] >> 24) == 255) wrong += (drawn[i] & 0xFFFFFF) != (cell[i] & 0xFFFFFF);
      }
    }
    EXPECT_GT(glyphPixels, 5);
    EXPECT_EQ(wrong, 0);
    // Nothing of the neighbouring cells came along.
    EXPECT_EQ(CountNot(ReadPixels(&BackBuffer, 110, 100, 10, 10), background), 0);
    ReleaseGameFonts();
    draw_tool::StopDrawing();
  }
}

TEST_F(FontDrawing, ANewDoubleByteCharacterTakesTheNextSlotOnce) {
  for (int backEnd : {0, 1}) {
    SCOPED_TRACE(BackEndName(backEnd));
    Start(backEnd);
    MakeFonts();
    cFastFont& atlas = *Fonts[1].m_lpFastFont_FullAdd;
    // The first characters: 256 of them, "ト" twice and found at its first slot.
    EXPECT_EQ(atlas.m_nGlyphCount, 256);
    EXPECT_EQ(atlas.m_nColumns, 32);
    EXPECT_EQ(atlas.m_nRows, backEnd ? 32 : 30);
    const char* to = SJ("ト");
    EXPECT_LT(atlas.FindGlyph(to), 200);
    EXPECT_EQ(atlas.FindGlyph(SJ("０")), 0);
    EXPECT_EQ(atlas.FindGlyph(SJ("：")), 255);
    const char* kanji = SJ("漢");
    EXPECT_EQ(atlas.FindGlyph(kanji), -1);

    ClearBack();
    Fonts[1].Draw(&BackBuffer, 200, 200, kanji);
    EXPECT_EQ(atlas.m_nGlyphCount, 257);
    EXPECT_EQ(atlas.FindGlyph(kanji), 256);
    EXPECT_EQ(atlas.m_GlyphList.back().x, 0);  // slot 256: column 0, row 8
    EXPECT_EQ(atlas.m_GlyphList.back().y, 128);
    const std::vector<uint32_t> first = ReadPixels(&BackBuffer, 200, 200, 16, 16);
    const uint32_t background = ReadPixels(&BackBuffer, 0, 0, 1, 1)[0];
    EXPECT_GT(CountNot(first, background), 20);
    // Drawn again: from the atlas, the same pixels, no new slot.
    ClearBack();
    Fonts[1].Draw(&BackBuffer, 200, 200, kanji);
    EXPECT_EQ(atlas.m_nGlyphCount, 257);
    EXPECT_EQ(ReadPixels(&BackBuffer, 200, 200, 16, 16), first);
    ReleaseGameFonts();
    draw_tool::StopDrawing();
  }
}

TEST_F(FontDrawing, IconsTakeThePlaceOfTheLettersAToZ) {
  for (int backEnd : {0, 1}) {
    SCOPED_TRACE(BackEndName(backEnd));
    Start(backEnd);
    MakeFonts(1);
    Font& font = Fonts[1];
    ClearBack();
    font.Draw(&BackBuffer, 100, 100, "ab");
    DDBltFast(&BackBuffer, 100, 200, 32, 16, &Off_Sys[50], 0, 0, 1);  // icon cells 0 and 1
    EXPECT_EQ(ReadPixels(&BackBuffer, 100, 100, 32, 16), ReadPixels(&BackBuffer, 100, 200, 32, 16));
    // Letters asked for: the letters, and the icons still drawn over them.
    font.Draw(&BackBuffer, 300, 100, "ab", 1);
    font.m_bIcon = 0;
    font.Draw(&BackBuffer, 300, 200, "ab");
    const std::vector<uint32_t> lettersOnly = ReadPixels(&BackBuffer, 300, 200, 32, 16);
    DDBltFast(&BackBuffer, 300, 200, 32, 16, &Off_Sys[50], 0, 0, 1);
    EXPECT_EQ(ReadPixels(&BackBuffer, 300, 100, 32, 16), ReadPixels(&BackBuffer, 300, 200, 32, 16));
    EXPECT_NE(ReadPixels(&BackBuffer, 300, 100, 32, 16), lettersOnly);
    EXPECT_NE(ReadPixels(&BackBuffer, 300, 100, 32, 16), ReadPixels(&BackBuffer, 100, 100, 32, 16));
    ReleaseGameFonts();
    draw_tool::StopDrawing();
  }
}

TEST_F(FontDrawing, LinesAndTextWindows) {
  for (int backEnd : {0, 1}) {
    SCOPED_TRACE(BackEndName(backEnd));
    Start(backEnd);
    MakeFonts();
    Font& font = Fonts[1];
    const uint32_t frame = BackValue(240);
    ClearBack();
    const uint32_t background = ReadPixels(&BackBuffer, 0, 0, 1, 1)[0];
    // The letter after a line feed: 16 pixels below the first, at the start x.
    font.Draw(&BackBuffer, 50, 50, "A\nB");
    font.Draw(&BackBuffer, 150, 50, "A");
    font.Draw(&BackBuffer, 150, 66, "B");
    EXPECT_EQ(ReadPixels(&BackBuffer, 50, 50, 32, 32), ReadPixels(&BackBuffer, 150, 50, 32, 32));

    // A window sized to "ABC" (48 x 16) with margin 8: 56 wide, framed one pixel outside.
    font.DrawTextWindow(&BackBuffer, 300, 300, 0, 0, "ABC", 8);
    EXPECT_EQ(ReadPixels(&BackBuffer, 299, 308, 1, 1)[0], frame);
    EXPECT_EQ(ReadPixels(&BackBuffer, 356, 308, 1, 1)[0], frame);
    EXPECT_EQ(ReadPixels(&BackBuffer, 357, 308, 1, 1)[0], background);
    EXPECT_EQ(ReadPixels(&BackBuffer, 320, 316, 1, 1)[0], frame);
    EXPECT_EQ(ReadPixels(&BackBuffer, 320, 317, 1, 1)[0], background);
    // The text starts at the margin: the same letters drawn alone match.
    font.Draw(&BackBuffer, 308, 400, "ABC");
    DDBltFast(&BackBuffer, 300, 420, 56, 16, &Off_Sys[45], 0, 0, 0);
    font.Draw(&BackBuffer, 308, 420, "ABC");
    EXPECT_EQ(ReadPixels(&BackBuffer, 300, 300, 56, 16), ReadPixels(&BackBuffer, 300, 420, 56, 16));

    // x and y of 10000 centre the window on the window picture.
    ClearBack();
    font.DrawWindow(&BackBuffer, 10000, 10000, 20, 10);
    const int cx = Off_Sys[45].nWidth / 2 - 10, cy = Off_Sys[45].nHeight / 2 - 5;
    EXPECT_EQ(ReadPixels(&BackBuffer, cx - 1, cy - 1, 1, 1)[0], frame);
    EXPECT_EQ(ReadPixels(&BackBuffer, cx - 2, cy - 1, 1, 1)[0], background);
    ReleaseGameFonts();
    draw_tool::StopDrawing();
  }
}

TEST_F(FontDrawing, CentringPutsACharacterInTheMiddleOfItsCell) {
  for (int backEnd : {0, 1}) {
    SCOPED_TRACE(BackEndName(backEnd));
    Start(backEnd);
    Font font;
    ASSERT_TRUE(font.Create(SJ("ＭＳ ゴシック"), 0, 16, 16, 16, 241, nullptr, 1, 240, nullptr, 0));
    ClearBack();
    const uint32_t background = ReadPixels(&BackBuffer, 0, 0, 1, 1)[0];
    auto leftmost = [&](int y) {
      std::vector<uint32_t> row = ReadPixels(&BackBuffer, 0, y, 64, 16);
      int best = 64;
      for (size_t i = 0; i < row.size(); ++i)
        if (row[i] != background) best = std::min(best, static_cast<int>(i % 64));
      return best;
    };
    font.Draw(&BackBuffer, 0, 100, "I");
    font.m_bCenter = 1;
    font.Draw(&BackBuffer, 0, 200, "I");
    // Half-width: pitch x / 8 = 2 from the cell; centred: 16 / 2 - 8 / 2 = 4.
    EXPECT_EQ(leftmost(200) - leftmost(100), 2);
    draw_tool::StopDrawing();
  }
}

TEST_F(FontDrawing, AFullAtlasKeepsDrawingDirectly) {
  for (int backEnd : {0, 1}) {
    SCOPED_TRACE(BackEndName(backEnd));
    Start(backEnd);
    MakeFonts();
    Font plain;
    ASSERT_TRUE(plain.Create(SJ("ＭＳ ゴシック"), 0, 16, 16, 16, 241, nullptr, 1, 240, nullptr, 0));
    cFastFont& atlas = *Fonts[1].m_lpFastFont_FullAdd;
    // More new characters than the atlas has room for; the last line is drawn after it is full.
    const std::string text = Lines(Kanji(900), 40);
    ClearBack();
    const size_t reportLines = m_dir->ReportLines().size();
    Fonts[1].Draw(&BackBuffer, 0, 0, text.c_str());
    EXPECT_EQ(atlas.m_nGlyphCount, atlas.m_nCapacity);
    EXPECT_EQ(m_dir->ReportLines().size(), reportLines);  // no error
    const std::vector<uint32_t> withAtlas = ReadPixels(&BackBuffer, 0, 0, 640, 368);
    ClearBack();
    plain.Draw(&BackBuffer, 0, 0, text.c_str());
    const std::vector<uint32_t> direct = ReadPixels(&BackBuffer, 0, 0, 640, 368);
    const uint32_t background = ReadPixels(&BackBuffer, 639, 479, 1, 1)[0];
    const std::vector<uint32_t> lastWithAtlas(withAtlas.end() - 640 * 16, withAtlas.end());
    const std::vector<uint32_t> lastDirect(direct.end() - 640 * 16, direct.end());
    EXPECT_GT(CountNot(lastDirect, background), 1000);
    EXPECT_EQ(lastWithAtlas, lastDirect);
    // DirectDraw draws the atlas's monochrome glyphs pixel for pixel as directly drawn ones.
    if (!backEnd) {
      EXPECT_EQ(withAtlas, direct);
    }
    ReleaseGameFonts();
    draw_tool::StopDrawing();
  }
}

TEST_F(FontDrawing, SystemMemoryTargetsGetTheTextThroughTheWorkSurface) {
  Start(1);
  MakeFonts();
  // Text drawn into a system-memory texture and into a render target: the opaque
  // glyph pixels agree; without atlases every visible pixel does (atlas cells are
  // copied into system memory but blended into render targets).
  for (Font* font : {&Fonts[1], &Fonts[2]}) {
    SCOPED_TRACE(font->m_nPitchX);
    DDSURFACEDATA system, target;
    ASSERT_TRUE(DDCreateSurface(&system, 128, 64, 1, DDMEMKIND_SYSTEM, DTMEMORYTYPE_SYSTEM, 0, 0));
    ASSERT_TRUE(DDCreateSurface(&target, 128, 64, 1, DDMEMKIND_VIDEO, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    DDFillSurfacePal(&system, 0);
    DDFillSurfacePal(&target, 0);
    const char* text = SJ("漢字AB\nxy");
    font->Draw(&system, 4, 4, text);
    font->Draw(&target, 4, 4, text);
    const std::vector<uint32_t> viaWork = ReadPixels(&system, 0, 0, 128, 64);
    const std::vector<uint32_t> direct = ReadPixels(&target, 0, 0, 128, 64);
    int opaque = 0, wrong = 0;
    for (size_t i = 0; i < direct.size(); ++i) {
      const uint32_t a = viaWork[i] >> 24, b = direct[i] >> 24;
      opaque += a == 255;
      if (a == 255 || b == 255 || (!font->HasAtlases() && (a != 0 || b != 0))) wrong += viaWork[i] != direct[i];
    }
    EXPECT_GT(opaque, 50);
    EXPECT_EQ(wrong, 0);
    DDReleaseSurface(&system);
    DDReleaseSurface(&target);
  }
}

TEST_F(FontDrawing, AFontWithoutPitchStepsLinesByItsHeight) {
  for (int backEnd : {0, 1}) {
    SCOPED_TRACE(BackEndName(backEnd));
    Start(backEnd);
    Font font;
    ASSERT_TRUE(font.Create(SJ("ＭＳ ゴシック"), 0, 16, 0, 0, 241, nullptr, 1, 240, nullptr, 1));
    EXPECT_FALSE(font.HasAtlases());
    int w = 0, h = 0;
    font.GetTextExtent(&w, &h, "AB\nABCD");
    EXPECT_EQ(w, 32);  // proportional measure: the face's half-width advance is 8
    EXPECT_EQ(h, 32);
    ClearBack();
    font.Draw(&BackBuffer, 10, 10, "AB\nABCD");
    font.Draw(&BackBuffer, 110, 10, "AB");
    font.Draw(&BackBuffer, 110, 26, "ABCD");
    EXPECT_EQ(ReadPixels(&BackBuffer, 10, 10, 40, 36), ReadPixels(&BackBuffer, 110, 10, 40, 36));
    draw_tool::StopDrawing();
  }
}

}  // namespace
