#include "draw/font_table.h"

#include <cstring>

#include "app/base/report_log.h"
#include "draw/dd_blit.h"
#include "draw/dd_globals.h"
#include "draw/dd_surface.h"
#include "platform/font/d3dx_font.h"
#include "platform/sjis.h"

FONTINFO FontInfo[FONT_COUNT];
Font Fonts[FONT_COUNT];
DDSURFACEDATA Off_Num[FONT_COUNT];
DDSURFACEINFO NumBmpInfo[FONT_COUNT];

namespace {

constexpr int kWindowPicture = 45;  // "bmp\Window.bmp"
constexpr int kIconPicture = 50;    // "bmp\Symbol.bmp"

struct cFontInfoBuilder {
  cFontInfoBuilder() { BuildFontInfo(); }
} gBuildFontInfo;

DDSURFACEDATA* SysPicture(int index) { return index >= 0 && index < SYS_BMP_COUNT ? &Off_Sys[index] : nullptr; }

}  // namespace

void BuildFontInfo() {
  struct Row {
    int height, pitchX, pitchY, fastFont;
  };
  const Row rows[FONT_COUNT] = {{9, 10, 10, 2}, {16, 16, 16, 2}, {30, 32, 32, 0}};
  for (int i = 0; i < FONT_COUNT; ++i) {
    FONTINFO& f = FontInfo[i];
    std::memset(&f, 0, sizeof f);
    std::strncpy(f.szFaceName, SJ("ＭＳ ゴシック"), sizeof f.szFaceName - 1);
    f.nWidth = 0;
    f.nHeight = rows[i].height;
    f.nPitchX = rows[i].pitchX;
    f.nPitchY = rows[i].pitchY;
    f.nPalColor = 241;
    f.nWindow = kWindowPicture;
    f.nFrameSize = 1;
    f.nFrameColor = 240;
    f.nIcon = kIconPicture;
    f.nFastFont = rows[i].fastFont;
    NumBmpInfo[i] = DDSURFACEINFO();
    NumBmpInfo[i].Set("", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  }
}

int CreateFontTable(Font* lpFonts, const FONTINFO* lpInfo, int nCount) {
  if (!lpFonts || !lpInfo) return 0;
  for (int i = 0; i < nCount; ++i) {
    const FONTINFO& f = lpInfo[i];
    if (!lpFonts[i].Create(f.szFaceName, f.nWidth, f.nHeight, f.nPitchX, f.nPitchY, f.nPalColor,
                           SysPicture(f.nWindow), f.nFrameSize, f.nFrameColor, SysPicture(f.nIcon), f.nFastFont))
      return 0;
  }
  return 1;
}

void DrawDigitSheet(DDSURFACEDATA* lpSD, Font* lpFont) {
  if (!lpSD || !lpFont) return;
  DDFillSurfacePal(lpSD, 0);
  lpFont->Draw(lpSD, 0, 0, "0123456789");
}

int CreateNumberSurfaces(DDSURFACEDATA* lpSurfaces, const DDSURFACEINFO* lpInfo, int nCount, Font* lpFonts,
                         const FONTINFO* lpFontInfo) {
  if (!lpSurfaces || !lpInfo || !lpFonts || !lpFontInfo) return 0;
  for (int i = 0; i < nCount; ++i) {
    const DDSURFACEINFO& info = lpInfo[i];
    if (!DDCreateSurface(&lpSurfaces[i], 10 * lpFontInfo[i].nPitchX, lpFontInfo[i].nPitchY, info.bColorKey,
                         info.nDDMemKind, info.nDTMemType, info.bNoTexture, 0))
      return 0;
    DrawDigitSheet(&lpSurfaces[i], &lpFonts[i]);
  }
  return 1;
}

bool InitGameFonts(const char* szFaceName, int nD3DFontCache, int nDDFontCache, int bFontIcon, int bFontCenter) {
  // The settings go into a copy: the table keeps its automatic values for a later start.
  FONTINFO info[FONT_COUNT];
  std::memcpy(info, FontInfo, sizeof info);
  for (FONTINFO& f : info) {
    if (szFaceName) {
      std::memset(f.szFaceName, 0, sizeof f.szFaceName);
      std::strncpy(f.szFaceName, szFaceName, sizeof f.szFaceName - 1);
    }
    if (f.nFastFont == 2) f.nFastFont = lpDTCon ? nD3DFontCache : nDDFontCache;
  }
  if (!CreateFontTable(Fonts, info, FONT_COUNT)) return false;
  Fonts[1].m_bIcon = bFontIcon;
  Fonts[1].m_bCenter = bFontCenter;
  return CreateNumberSurfaces(Off_Num, NumBmpInfo, FONT_COUNT, Fonts, info) != 0;
}

void ReportFontAtlasCounts() {
  if (!lpDTCon && !lpDDCon) return;
  if (Fonts[0].m_lpFastFont_FullAdd) ReportLog("Font10 : %d", Fonts[0].m_lpFastFont_FullAdd->m_nGlyphCount);
  if (Fonts[1].m_lpFastFont_FullAdd) ReportLog("Font16 : %d", Fonts[1].m_lpFastFont_FullAdd->m_nGlyphCount);
}

void ReleaseGameFonts() {
  for (Font& font : Fonts) font.Release();
  for (DDSURFACEDATA& sheet : Off_Num) DDReleaseSurface(&sheet);
}

void LoseFontDevices() {
  int i = 0;
  for (Font* font : FontList) {
    ECLogf("Font i = %d", i++);
    if (!font->m_lpFont) continue;
    const plat::HResult hr = font->m_lpFont->OnLostDevice();
    if (plat::Failed(hr)) ECLogf("lpFont->OnLostDevice hr = %d", static_cast<int>(hr));
  }
}
