#include <algorithm>
#include <cstring>

#include "app/base/report_log.h"
#include "app/base/shell_globals.h"
#include "draw/dd_blit.h"
#include "draw/dd_device_state.h"
#include "draw/dd_globals.h"
#include "draw/dd_surface.h"
#include "draw/font.h"
#include "platform/font/d3dx_font.h"
#include "platform/font/font.h"
#include "platform/font/text_out.h"
#include "platform/sjis.h"

// Never destroyed: fonts held by globals leave it at exit, in any order.
std::list<Font*>& FontList = *new std::list<Font*>;

namespace {

// The characters every double-byte atlas starts with, in slot order. The list is
// kept as the game has always had it (ト twice, no ド).
const char* PrefillText() {
  return SJ("０１２３４５６７８９ー～、。．！？「」（）・…※→↑↓←＋－＝○●×ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ"
            "ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚあいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほ"
            "まみむめもやゆよらりるれろわをんがぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽぁぃぅぇぉっゃゅょ"
            "アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワヲンガギグゲゴ"
            "ザジズゼゾダヂヅデトバビブベボヴパピプペポァィゥェォッャュョ□■☆★％＆＜＞：");
}

// The font's text colour: Direct3D ARGB; DirectDraw the palette entry's COLORREF,
// whose channels at 16 bits per pixel are scaled up from the screen's widths.
uint32_t TextColorOf(int nPalColor) {
  const PALETTEENTRY& e = GamePalette[nPalColor >= 0 && nPalColor <= 255 ? nPalColor : 0];
  if (lpDTCon) return 0xFF000000u | uint32_t(e.red) << 16 | uint32_t(e.green) << 8 | e.blue;
  if (DDSettings.nBpp == 16) {
    const DDCOLORMASK& m = PixelColorMask;
    auto up = [](int c, int mask) { return static_cast<uint8_t>(mask > 0 ? std::min(c * 255 / mask, 255) : c); };
    return plat::MakeColorRef(up(e.red, m.nMaskR), up(e.green, m.nMaskG), up(e.blue, m.nMaskB));
  }
  return plat::MakeColorRef(e.red, e.green, e.blue);
}

bool SurfaceExists(const DDSURFACEDATA& sd) {
  if (sd.lpDT) return sd.lpDT->lpSurface != nullptr;
  return sd.lpDDPart && sd.lpDDPart->lpSurface;
}

}  // namespace

Font::~Font() { Release(); }

void Font::Release() {
  m_lpFastFont_Half.reset();
  m_lpFastFont_FullAdd.reset();
  m_hFont.reset();
  m_lpFont.reset();
  DDReleaseSurface(&m_WorkSD);
  FontList.remove(this);
}

bool Font::Create(const char* szFaceName, int nWidth, int nHeight, int nPitchX, int nPitchY, int nPalColor,
                  DDSURFACEDATA* lpWindowSD, int nFrameSize, int nFrameColor, DDSURFACEDATA* lpIconSD,
                  int nFastFont) {
  Release();
  m_strFaceName = szFaceName ? std::string(szFaceName, strnlen(szFaceName, 255)) : std::string();
  m_nWidth = nWidth;
  m_nHeight = nHeight;
  m_nPitchX = nPitchX;
  m_nPitchY = nPitchY;
  m_nPalColor = nPalColor;
  m_dwTextColor = TextColorOf(nPalColor);
  m_lpWindowSD = lpWindowSD;
  m_nFrameSize = nFrameSize;
  m_nFrameColor = nFrameColor;
  m_lpIconSD = lpIconSD;
  m_bIcon = lpIconSD != nullptr;
  m_bCenter = 0;
  m_nFastFont = 0;

  plat::FontDesc desc;
  desc.height = nHeight;
  desc.width = nWidth;
  std::string error;
  if (lpDTCon) {
    // The D3DX font takes the face's first 31 bytes (its face field holds 32 with the end).
    desc.face = m_strFaceName.substr(0, 31);
    desc.antiAliased = true;
    m_lpFont = plat::cD3DXFont::Create(desc, &error);
  } else if (lpDDCon) {
    desc.face = m_strFaceName;
    m_hFont = plat::cFont::Create(desc, &error);
  } else {
    return false;
  }
  if (!m_hFont && !m_lpFont) {
    ReportLog("CreateFont Err %s : %s", m_strFaceName.c_str(), error.c_str());
    return false;
  }
  if (!SurfaceExists(m_WorkSD)) {
    if (!DDCreateSurface(&m_WorkSD, BackBuffer.nWidth, BackBuffer.nHeight, 1, DDMEMKIND_VIDEO, DTMEMORYTYPE_VIDEO_RT,
                         0, 0)) {
      ECLogAndClose("DDCreateSurface Font::Work");
      Release();
      return false;
    }
    std::strncpy(m_WorkSD.szSurfaceType, "Font::Work", sizeof m_WorkSD.szSurfaceType - 1);
  }
  m_nFontNo = lpDTCon ? lpDTCon->nFontCounter++ : lpDDCon->nFontCounter++;
  if (std::find(FontList.begin(), FontList.end(), this) == FontList.end()) FontList.push_back(this);

  if (nFastFont == 0) return true;
  if (m_nPitchX <= 0 || m_nPitchY <= 0) {
    ECLog(SJ("※フォントクラスで文字間が未設定！"));
    return true;
  }
  m_nFastFont = nFastFont;
  CreateAtlases();
  return true;
}

void Font::CreateAtlases() {
  m_lpFastFont_Half = std::make_unique<cFastFont>(0, m_nPitchX, m_nPitchY, 16, 16);
  if (!m_lpFastFont_Half->IsCreated()) {
    m_lpFastFont_Half.reset();
    m_nFastFont = 0;
    ECLogAndClose("m_lpFastFont_Half Err");
    return;
  }
  int columns, rows;
  if (lpDTCon) {
    columns = std::min(1024 / m_nPitchX, 32);
    rows = std::min(1024 / m_nPitchY, 32);
  } else {
    columns = std::min(BackBuffer.nWidth / m_nPitchX, 32);
    rows = std::min(BackBuffer.nHeight / m_nPitchY, 30);
  }
  m_lpFastFont_FullAdd = std::make_unique<cFastFont>(1, m_nPitchX, m_nPitchY, columns, rows);
  if (!m_lpFastFont_FullAdd->IsCreated()) {
    m_lpFastFont_Half.reset();
    m_lpFastFont_FullAdd.reset();
    m_nFastFont = 0;
    ECLogAndClose("m_lpFastFont_FullAdd Err");
    return;
  }
  FillHalfAtlas();
  FillFullAtlas(false);
}

// Draws a text at 0,0 into an atlas the way Font::Draw draws it, with no icons and
// no atlases, so that every character lands in its own cell.
void Font::DrawIntoAtlas(DDSURFACEDATA* lpAtlasSD, const std::string& text) {
  const int icon = m_bIcon, fast = m_nFastFont;
  m_bIcon = 0;
  m_nFastFont = 0;
  DDFillSurfacePal(lpAtlasSD, 0);
  Draw(lpAtlasSD, 0, 0, text.c_str());
  m_bIcon = icon;
  m_nFastFont = fast;
}

// Code c lands in cell (c mod 16, c div 16): sixteen lines of sixteen codes, the
// first line (the control codes) empty. In the lines of the lead bytes a lead byte
// and the code after it make one character, so those cells only serve lead bytes
// that stand alone.
void Font::FillHalfAtlas() {
  std::string text;
  for (int j = 1; j < 16; ++j) {
    text += '\n';
    for (int c = 16 * j; c < 16 * j + 16; ++c) text += static_cast<char>(c);
  }
  DrawIntoAtlas(&m_lpFastFont_Half->m_SD, text);
}

void Font::FillFullAtlas(bool bRestoring) {
  cFastFont* atlas = m_lpFastFont_FullAdd.get();
  if (!bRestoring) {
    const char* p = PrefillText();
    for (size_t left = std::strlen(p); left >= 2; p += 2, left -= 2)
      if (!atlas->AddGlyph(p)) break;
  }
  std::string text;
  int n = 0;
  for (const cFastFont::GLYPH& g : atlas->m_GlyphList) {
    if (n >= atlas->m_nCapacity) break;
    if (n > 0 && n % atlas->m_nColumns == 0) text += '\n';
    text += static_cast<char>(g.code[0]);
    text += static_cast<char>(g.code[1]);
    ++n;
  }
  DrawIntoAtlas(&atlas->m_SD, text);
}

// A character new to the double-byte atlas is drawn into its cell.
void Font::RenderGlyph(cFastFont* lpAtlas, int nSlot, const char* ch) {
  int x, y;
  lpAtlas->CellOf(nSlot, &x, &y);
  DDSURFACEDATA* sd = &lpAtlas->m_SD;
  if (lpDTCon) {
    if (!m_lpFont || !DDBeginScene() || !DDSetRenderTarget(sd)) return;
    m_lpFont->DrawText(*lpDevice, std::string_view(ch, 2), x, y, m_dwTextColor);
    DDRestoreRenderTarget();
    return;
  }
  if (m_hFont && sd->lpDDPart && sd->lpDDPart->lpSurface)
    plat::TextOut(*sd->lpDDPart->lpSurface, *m_hFont, x, y, std::string_view(ch, 2), m_dwTextColor, GamePalette);
}

void Font::Restore() {
  cFastFont* atlases[2] = {m_lpFastFont_Half.get(), m_lpFastFont_FullAdd.get()};
  if (lpDTCon) {
    // The device restore made lost atlases again, empty.
    for (cFastFont* atlas : atlases) {
      if (!atlas || !atlas->m_SD.bLost) continue;
      if (atlas == m_lpFastFont_Half.get()) FillHalfAtlas();
      else FillFullAtlas(true);
      atlas->m_SD.bLost = 0;
    }
    return;
  }
  if (m_WorkSD.lpDDPart && m_WorkSD.lpDDPart->lpSurface && m_WorkSD.lpDDPart->lpSurface->IsLost())
    m_WorkSD.lpDDPart->lpSurface->Restore();
  for (cFastFont* atlas : atlases) {
    if (!atlas || !atlas->m_SD.lpDDPart || !atlas->m_SD.lpDDPart->lpSurface) continue;
    plat::cSurface& surface = *atlas->m_SD.lpDDPart->lpSurface;
    if (!surface.IsLost()) continue;
    if (plat::Failed(surface.Restore())) continue;
    if (atlas == m_lpFastFont_Half.get()) FillHalfAtlas();
    else FillFullAtlas(true);
  }
}
