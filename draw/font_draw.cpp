#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "app/base/text_util.h"
#include "draw/dd_batch.h"
#include "draw/dd_blit.h"
#include "draw/dd_device_state.h"
#include "draw/dd_globals.h"
#include "draw/font.h"
#include "platform/font/d3dx_font.h"
#include "platform/font/font.h"
#include "platform/font/text_out.h"
#include "platform/sjis.h"

namespace {

// Positions further out than this draw nothing on any surface.
constexpr int64_t kFarAway = int64_t(1) << 24;

bool FullWidthSpace(const char* ch) { return static_cast<uint8_t>(ch[0]) == 0x81 && static_cast<uint8_t>(ch[1]) == 0x40; }

bool HasSurface(const DDSURFACEDATA* sd) {
  if (!sd) return false;
  if (sd->lpAliasSD) sd = sd->lpAliasSD;
  if (sd->lpDT) return sd->lpDT->lpSurface != nullptr;
  return sd->lpDDPart && sd->lpDDPart->lpSurface;
}

}  // namespace

bool Font::IconsDrawable() const { return m_bIcon && HasSurface(m_lpIconSD) && m_nPitchX > 0 && m_nPitchY > 0; }

void Font::Draw(DDSURFACEDATA* lpDstSD, int x, int y, const char* szText, int bNoIcon) {
  if (!lpDstSD || !szText) return;
  // With the icon switch on, the letters a to z leave their cells to the icons
  // unless the caller asks for letters; the icons are drawn in either case.
  const bool iconGap = m_bIcon && !bNoIcon;
  if (lpDTCon) {
    if (!m_lpFont) return;
    DDResolveAlias(lpDstSD);
    DDRedirectBackBuffer(lpDstSD);
    if (!lpDstSD->lpDT) return;
    if (!lpDstSD->lpDT->bRenderTarget) {
      // A target that cannot be drawn into gets the text through the work surface.
      int w, h;
      MeasureText(szText, &w, &h);
      DDFillRectPal(&m_WorkSD, 0, 0, w, h, 0);
      DrawCharsBatched(&m_WorkSD, 0, 0, lpDstSD, x, y, szText, iconGap);
      DrawIconsBatched(&m_WorkSD, 0, 0, szText);
      DDRestoreRenderTarget();
      DDBltFast(lpDstSD, x, y, w, h, &m_WorkSD, 0, 0, 1);
      return;
    }
    DrawCharsBatched(lpDstSD, x, y, lpDstSD, x, y, szText, iconGap);
    DrawIconsBatched(lpDstSD, x, y, szText);
    DDRestoreRenderTarget();
    return;
  }
  if (!m_hFont) return;
  // The characters go through the work surface, atlas cells straight to the target.
  int w, h;
  MeasureText(szText, &w, &h);
  DDFillRectPal(&m_WorkSD, 0, 0, w, h, 0);
  DrawChars(&m_WorkSD, 0, 0, lpDstSD, x, y, szText, iconGap);
  DDBltFast(lpDstSD, x, y, w, h, &m_WorkSD, 0, 0, 1);
  if (m_bIcon) DrawIcons(lpDstSD, x, y, szText);
}

// Direct3D: the atlas cells of one text are queued and drawn grouped by atlas, so
// that a line of text costs a few draws instead of one per character.
void Font::DrawCharsBatched(DDSURFACEDATA* lpCharSD, int cx, int cy, DDSURFACEDATA* lpAtlasSD, int ax, int ay,
                            const char* szText, bool bIconGap) {
  DDBeginBltBatch(1);
  if (HasAtlases()) {
    DDAddBatchTexture(&m_lpFastFont_Half->m_SD);
    DDAddBatchTexture(&m_lpFastFont_FullAdd->m_SD);
  }
  DrawChars(lpCharSD, cx, cy, lpAtlasSD, ax, ay, szText, bIconGap);
  DDEndBltBatch();
}

// Direct3D: the icons of one text in a batch of their own, in the order of the text.
void Font::DrawIconsBatched(DDSURFACEDATA* lpDstSD, int x, int y, const char* szText) {
  if (!m_bIcon) return;
  DDBeginBltBatch(0);
  DrawIcons(lpDstSD, x, y, szText);
  DDEndBltBatch();
}

void Font::DrawF(DDSURFACEDATA* lpDstSD, int x, int y, const char* szFormat, ...) {
  if (!szFormat) return;
  char buffer[256];
  va_list args;
  va_start(args, szFormat);
  std::vsnprintf(buffer, sizeof buffer, szFormat, args);
  va_end(args);
  Draw(lpDstSD, x, y, buffer);
}

void Font::DrawChars(DDSURFACEDATA* lpCharSD, int cx, int cy, DDSURFACEDATA* lpAtlasSD, int ax, int ay,
                     const char* szText, bool bIconGap) {
  const size_t length = std::strlen(szText);
  if (m_nPitchX == 0) {
    // No pitch: line by line, each a line pitch below the last.
    int64_t line = 0;
    for (const char* p = szText;;) {
      const int n = GetLineLength(p);
      const int64_t y = cy + line * LineStep();
      if (n > 0 && std::llabs(y) < kFarAway) DrawGlyphText(lpCharSD, cx, static_cast<int>(y), p, n);
      if (p[n] != '\n') break;
      p += n + 1;
      ++line;
    }
    return;
  }
  const bool atlases = HasAtlases();
  const bool icons = bIconGap && HasSurface(m_lpIconSD);
  int64_t xo = 0, yo = 0;
  for (size_t i = 0; i < length;) {
    const char* p = szText + i;
    if (*p == '\n') {
      yo += m_nPitchY;
      xo = 0;
      ++i;
      continue;
    }
    const int n = plat::SjisCharBytes(p, length - i);
    i += static_cast<size_t>(n);
    const int64_t charX = cx + xo, charY = cy + yo, atlasX = ax + xo, atlasY = ay + yo;
    xo += m_nPitchX;
    const bool far = std::llabs(charX) > kFarAway || std::llabs(charY) > kFarAway ||
                     std::llabs(atlasX) > kFarAway || std::llabs(atlasY) > kFarAway;
    if (far) continue;
    if (n == 1) {
      const uint8_t c = static_cast<uint8_t>(*p);
      if (c == ' ') continue;
      if (icons && c >= 'a' && c <= 'z') continue;  // DrawIcons puts the icon there
      if (atlases) {
        m_lpFastFont_Half->DrawCell(lpAtlasSD, int(atlasX), int(atlasY), c, 1);
      } else {
        DrawChar(lpCharSD, int(charX), int(charY), p, 1);
      }
      continue;
    }
    if (FullWidthSpace(p) || !atlases) {
      DrawChar(lpCharSD, int(charX), int(charY), p, 2);
      continue;
    }
    cFastFont* full = m_lpFastFont_FullAdd.get();
    if (full->DrawGlyph(lpAtlasSD, int(atlasX), int(atlasY), p, 1)) continue;
    if (full->AddGlyph(p)) {
      const int slot = full->m_nGlyphCount - 1;
      RenderGlyph(full, slot, p);
      full->DrawCell(lpAtlasSD, int(atlasX), int(atlasY), slot, 1);
    } else {
      // A full atlas is no error: the character is drawn directly.
      DrawChar(lpCharSD, int(charX), int(charY), p, 2);
    }
  }
}

void Font::DrawChar(DDSURFACEDATA* lpDstSD, int x, int y, const char* ch, int nBytes) {
  if (!lpDstSD) return;
  // Characters wholly outside the target draw nothing: not worth rendering.
  const int margin = 4 * std::max({m_nPitchX, m_nPitchY, std::abs(m_nHeight), 8});
  if (x >= lpDstSD->nWidth + margin || y >= lpDstSD->nHeight + margin || x < -margin || y < -margin) return;
  int px, py;
  if (m_bCenter) {
    int w, h;
    MeasureLine(ch, nBytes, &w, &h);
    px = x + m_nPitchX / 2 - w / 2;
    py = y + m_nPitchY / 2 - h / 2;
  } else if (nBytes == 1) {
    px = x + m_nPitchX / 8;
    py = y + m_nPitchY / 16 - 1;
  } else {
    px = x;
    py = y;
  }
  DrawGlyphText(lpDstSD, px, py, ch, nBytes);
}

// TextOutA (DirectDraw) or DrawTextA (Direct3D) of a run of one line.
void Font::DrawGlyphText(DDSURFACEDATA* lpDstSD, int x, int y, const char* text, int nBytes) {
  const std::string_view run(text, static_cast<size_t>(nBytes));
  if (lpDTCon) {
    if (!m_lpFont || !DDBeginScene() || !DDSetRenderTarget(lpDstSD)) return;
    m_lpFont->DrawText(*lpDevice, run, x, y, m_dwTextColor);
    DDRestoreRenderTarget();
    return;
  }
  if (m_hFont && lpDstSD->lpDDPart && lpDstSD->lpDDPart->lpSurface)
    plat::TextOut(*lpDstSD->lpDDPart->lpSurface, *m_hFont, x, y, run, m_dwTextColor, GamePalette);
}

void Font::DrawIcons(DDSURFACEDATA* lpDstSD, int x, int y, const char* szText) {
  if (!IconsDrawable() || !lpDstSD) return;
  const size_t length = std::strlen(szText);
  int64_t xo = 0, yo = 0;
  for (size_t i = 0; i < length;) {
    const char* p = szText + i;
    if (*p == '\n') {
      yo += m_nPitchY;
      xo = 0;
      ++i;
      continue;
    }
    const int n = plat::SjisCharBytes(p, length - i);
    i += static_cast<size_t>(n);
    const int64_t ix = x + xo, iy = y + yo;
    xo += m_nPitchX;
    if (n != 1 || *p < 'a' || *p > 'z' || std::llabs(ix) > kFarAway || std::llabs(iy) > kFarAway) continue;
    DDBltFast(lpDstSD, int(ix), int(iy), m_nPitchX, m_nPitchY, m_lpIconSD, m_nPitchX * (*p - 'a'), 0, 1);
  }
}
