#pragma once
#include <cstdint>
#include <list>
#include <memory>
#include <string>

#include "draw/dd_types.h"
#include "draw/fast_font.h"

namespace plat {
class cFont;
class cD3DXFont;
}  // namespace plat

// Text of the game: a font draws Shift-JIS text at a fixed character pitch, through
// the GDI-like text output on the DirectDraw back end and a D3DX-like font on the
// Direct3D back end. With the atlas flag it keeps two glyph atlases (the 256
// single-byte codes, and double-byte characters added as they are first drawn).
// Lower-case letters can stand for cells of an icon picture, and a font draws
// framed text windows.

// A font descriptor.
struct FONTINFO {
  char szFaceName[256];  // Shift-JIS
  int nWidth, nHeight;
  int nPitchX, nPitchY;
  int nPalColor;    // palette number of the text
  int nWindow;      // window picture: index into Off_Sys
  int nFrameSize;   // frame thickness around the window picture
  int nFrameColor;  // palette number of the frame
  int nIcon;        // icon picture: index into Off_Sys (-1: none)
  int nFastFont;    // atlas flag: 0 none, 1 atlases, 2 the System.ini choice of the back end
};

class Font {
 public:
  Font() = default;
  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  // Makes the font for the back end in use (after releasing what it held). False
  // when the face's font file cannot be used (a report-log line says why) or the
  // work surface cannot be made.
  bool Create(const char* szFaceName, int nWidth, int nHeight, int nPitchX, int nPitchY, int nPalColor,
              DDSURFACEDATA* lpWindowSD, int nFrameSize, int nFrameColor, DDSURFACEDATA* lpIconSD, int nFastFont);
  // Releases the font objects, the atlases and the work surface; a second call does nothing.
  void Release();

  // Draws text with its first cell at (x, y). With the icon switch on, the letters
  // a to z show the icon picture's cells; bNoIcon draws the letters too (the icons
  // then lie over them).
  void Draw(DDSURFACEDATA* lpDstSD, int x, int y, const char* szText, int bNoIcon = 0);
  // The same with a printf format (formatted into 256 bytes; longer output is cut).
  void DrawF(DDSURFACEDATA* lpDstSD, int x, int y, const char* szFormat, ...) __attribute__((format(printf, 5, 6)));
  // The window picture with the font's frame; x or y 10000 centres it on the picture.
  void DrawWindow(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight);
  // A window sized to the text (when w or h is 0) with the text inside, nMargin from its left edge.
  void DrawTextWindow(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, const char* szText,
                      int nMargin = 0);
  // The same with a printf format (formatted into 1,024 bytes), no margin.
  void DrawTextWindowF(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, const char* szFormat, ...)
      __attribute__((format(printf, 7, 8)));

  // The text's size as the font's glyphs measure it: the widest line, lines x line pitch.
  void GetTextExtent(int* lpWidth, int* lpHeight, const char* szText);
  // The text's size at the fixed pitch: the widest line's characters x pitch x (a
  // line counts at most 511 bytes), lines x pitch y.
  void GetAtlasTextExtent(int* lpWidth, int* lpHeight, const char* szText);

  // After a device or surface loss: lost atlases are filled again.
  void Restore();

  // Whether both atlases are in use.
  bool HasAtlases() const { return m_nFastFont && m_lpFastFont_Half && m_lpFastFont_FullAdd; }

  int m_nFontNo = 0;
  std::shared_ptr<plat::cFont> m_hFont;       // the GDI font (DirectDraw)
  std::shared_ptr<plat::cD3DXFont> m_lpFont;  // the D3DX font (Direct3D)
  std::string m_strFaceName;
  int m_nWidth = 0, m_nHeight = 0;
  int m_nPitchX = 0, m_nPitchY = 0;
  int m_nPalColor = 0;
  uint32_t m_dwTextColor = 0;  // Direct3D: ARGB; DirectDraw: COLORREF (0x00BBGGRR)
  int m_bCenter = 0;           // each character centred in its cell
  DDSURFACEDATA m_WorkSD;      // "Font::Work": the back buffer's size, keyed
  DDSURFACEDATA* m_lpWindowSD = nullptr;
  int m_nFrameSize = 0, m_nFrameColor = 0;
  DDSURFACEDATA* m_lpIconSD = nullptr;
  int m_bIcon = 0;
  int m_nFastFont = 0;
  std::unique_ptr<cFastFont> m_lpFastFont_Half;
  std::unique_ptr<cFastFont> m_lpFastFont_FullAdd;

 private:
  void CreateAtlases();
  void FillHalfAtlas();
  void FillFullAtlas(bool bRestoring);
  void DrawIntoAtlas(DDSURFACEDATA* lpAtlasSD, const std::string& text);
  void RenderGlyph(cFastFont* lpAtlas, int nSlot, const char* ch);
  // The text at the pitch: characters into lpCharSD at (cx, cy), atlas cells into
  // lpAtlasSD at (ax, ay).
  void DrawChars(DDSURFACEDATA* lpCharSD, int cx, int cy, DDSURFACEDATA* lpAtlasSD, int ax, int ay,
                 const char* szText, bool bIconGap);
  void DrawCharsBatched(DDSURFACEDATA* lpCharSD, int cx, int cy, DDSURFACEDATA* lpAtlasSD, int ax, int ay,
                        const char* szText, bool bIconGap);
  void DrawIconsBatched(DDSURFACEDATA* lpDstSD, int x, int y, const char* szText);
  void DrawChar(DDSURFACEDATA* lpDstSD, int x, int y, const char* ch, int nBytes);
  void DrawGlyphText(DDSURFACEDATA* lpDstSD, int x, int y, const char* text, int nBytes);
  void DrawIcons(DDSURFACEDATA* lpDstSD, int x, int y, const char* szText);
  void MeasureText(const char* szText, int* w, int* h);
  void MeasureLine(const char* text, int nBytes, int* w, int* h);
  int LineStep() const;
  bool IconsDrawable() const;
};

// Bytes before the first line feed or the end.
int GetLineLength(const char* szText);

// Every font made, for the device restore (Font::Restore of each).
extern std::list<Font*>& FontList;
