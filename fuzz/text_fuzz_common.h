#pragma once
// Arbitrary bytes as the text of the game's fonts: drawn with and without glyph
// atlases, with icons and centring, into the back buffer, a system-memory surface
// and text windows, at the top-left and partly off the screen, and measured.
// Nothing may read or write outside a buffer; the atlases may fill up.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/base/report_log.h"
#include "draw/draw.h"
#include "platform/display/display_control.h"
#include "platform/sjis.h"

namespace text_fuzz {

struct cFonts {
  Font atlas, plain, centred;
  DDSURFACEDATA icons, system;
};

inline cFonts* SetUp(int backEnd) {
  InitECLog(0, "/dev/null");
  plat::DisplayControl().Reset();
  if (!DDInit(backEnd, 1, 640, 480, 32, 0, 0, 1, 60, 0, Off_Sys, SysBmpInfo, SYS_BMP_COUNT)) std::abort();
  for (int i = 1; i < 256; ++i) GamePalette[i] = PALETTEENTRY{uint8_t(i), uint8_t(255 - i), uint8_t(i * 7), 0};
  auto* f = new cFonts;
  if (!DDCreateSurface(&f->icons, 26 * 16, 16, 1, 0, 0, 0, 0)) std::abort();
  DDFillSurfacePal(&f->icons, 77);
  if (backEnd && !DDCreateSurface(&f->system, 200, 100, 1, DDMEMKIND_SYSTEM, DTMEMORYTYPE_SYSTEM, 0, 0)) std::abort();
  const char* face = SJ("ＭＳ ゴシック");
  if (!f->atlas.Create(face, 0, 16, 16, 16, 241, &f->icons, 1, 240, &f->icons, 1) ||
      !f->plain.Create(face, 0, 30, 32, 32, 200, &f->icons, 2, 100, nullptr, 0) ||
      !f->centred.Create(face, 0, 9, 10, 10, 50, nullptr, 1, 240, &f->icons, 1))
    std::abort();
  f->centred.m_bCenter = 1;
  return f;
}

inline void Run(cFonts* f, const uint8_t* data, size_t size) {
  // The first byte places the text; the rest is the text itself.
  const int x = size > 0 ? (data[0] & 0x0F) * 45 - 100 : 0;
  const int y = size > 0 ? (data[0] >> 4) * 35 - 80 : 0;
  const std::string text(reinterpret_cast<const char*>(data) + (size > 0 ? 1 : 0), size > 0 ? size - 1 : 0);
  const char* t = text.c_str();  // cut at a zero byte, as the game's texts are
  for (Font* font : {&f->atlas, &f->plain, &f->centred}) {
    font->Draw(&BackBuffer, x, y, t);
    font->Draw(&BackBuffer, 0, 0, t, 1);
    font->DrawTextWindow(&BackBuffer, x, y, 0, 0, t, 3);
    font->DrawF(&BackBuffer, y, x, "%s", t);
    font->DrawTextWindowF(&BackBuffer, 10000, 10000, 0, 0, "%s|%s", t, t);
    if (lpDTCon) font->Draw(&f->system, x / 4, y / 4, t);
    int w = 0, h = 0;
    font->GetAtlasTextExtent(&w, &h, t);
    font->GetTextExtent(&w, &h, t);
    if (w < 0 || h < 0) std::abort();
  }
}

}  // namespace text_fuzz
