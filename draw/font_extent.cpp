#include <algorithm>
#include <climits>
#include <cstring>

#include "app/base/text_util.h"
#include "draw/dd_globals.h"
#include "draw/font.h"
#include "platform/font/d3dx_font.h"
#include "platform/font/font.h"

namespace {

int ClampToInt(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, 0, INT_MAX)); }

// Calls fn(line, bytes) for each line of the text (split at line feeds; an empty
// text is one empty line).
template <class Fn>
int64_t ForEachLine(const char* text, Fn fn) {
  int64_t lines = 0;
  for (const char* p = text;;) {
    const int n = GetLineLength(p);
    fn(p, n);
    ++lines;
    if (p[n] != '\n') break;
    p += n + 1;
  }
  return lines;
}

}  // namespace

int GetLineLength(const char* szText) {
  if (!szText) return 0;
  const char* end = std::strchr(szText, '\n');
  const size_t n = end ? static_cast<size_t>(end - szText) : std::strlen(szText);
  return static_cast<int>(std::min<size_t>(n, INT_MAX));
}

// A font without a line pitch steps its lines by its own cell height, so that
// lines do not fall onto each other and the measured area is not empty.
int Font::LineStep() const {
  if (m_nPitchY > 0) return m_nPitchY;
  if (m_hFont) return m_hFont->CellHeight();
  if (m_lpFont) return m_lpFont->Glyphs().CellHeight();
  return 0;
}

void Font::MeasureLine(const char* text, int nBytes, int* w, int* h) {
  const std::string_view line(text, static_cast<size_t>(std::max(nBytes, 0)));
  *w = *h = 0;
  if (m_hFont) {
    m_hFont->MeasureSjis(line, w, h);
  } else if (m_lpFont) {
    m_lpFont->CalcRect(line, w, h);
  }
}

void Font::GetTextExtent(int* lpWidth, int* lpHeight, const char* szText) {
  int64_t width = 0;
  const int64_t lines = ForEachLine(szText ? szText : "", [&](const char* line, int n) {
    int w = 0, h = 0;
    if (n > 0) MeasureLine(line, n, &w, &h);
    width = std::max<int64_t>(width, w);
  });
  if (lpWidth) *lpWidth = ClampToInt(width);
  if (lpHeight) *lpHeight = ClampToInt(lines * LineStep());
}

void Font::GetAtlasTextExtent(int* lpWidth, int* lpHeight, const char* szText) {
  int64_t widest = 0;
  const int64_t lines = ForEachLine(szText ? szText : "", [&](const char* line, int n) {
    // Each line goes through a 512-byte buffer: at most 511 bytes of it count.
    char buffer[512];
    const size_t kept = std::min<size_t>(static_cast<size_t>(n), sizeof buffer - 1);
    std::memcpy(buffer, line, kept);
    buffer[kept] = '\0';
    widest = std::max<int64_t>(widest, CountChars(buffer));
  });
  if (lpWidth) *lpWidth = ClampToInt(widest * m_nPitchX);
  if (lpHeight) *lpHeight = ClampToInt(lines * m_nPitchY);
}

// The area Font::Draw clears and copies. Direct3D counts whole lines; DirectDraw
// measures as the atlas extent does.
void Font::MeasureText(const char* szText, int* w, int* h) {
  if (m_nPitchX == 0) {
    GetTextExtent(w, h, szText);
    return;
  }
  if (!lpDTCon) {
    GetAtlasTextExtent(w, h, szText);
    return;
  }
  int64_t widest = 0;
  const int64_t lines = ForEachLine(szText, [&](const char* line, int n) {
    widest = std::max<int64_t>(widest, CountChars(std::string(line, static_cast<size_t>(n))));
  });
  *w = ClampToInt(widest * m_nPitchX);
  *h = ClampToInt(lines * m_nPitchY);
}
