#pragma once
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// A font of the machine, opened through FreeType from a Windows face name (see
// font_files.h), sized the way a GDI font is: a positive height is the character
// cell's height (ascent + descent), a negative one the em height; a width of 0
// keeps the face's own proportions. Glyphs are rendered on first use and kept:
// monochrome for the GDI-like text of the DirectDraw path, anti-aliased for the
// D3DX-like text of the Direct3D path. Both are fitted to the pixel grid the way
// the small Windows faces are, so that stems stay whole pixels and a glyph drawn
// through an atlas with one-bit alpha keeps its strokes.
namespace plat {

struct FontDesc {
  std::string face;  // Shift-JIS
  int height = 0;
  int width = 0;
  bool antiAliased = false;
};

// One rendered glyph: coverage 0..255 per pixel (0 or 255 when monochrome), placed
// at (pen x + left, cell top + top); the pen then moves on by advance.
struct Glyph {
  int left = 0, top = 0, width = 0, height = 0, advance = 0;
  std::vector<uint8_t> coverage;  // width x height, rows top-down
};

class cFont {
 public:
  // Null when the face's font file cannot be opened or used; *error says why.
  static std::shared_ptr<cFont> Create(const FontDesc& desc, std::string* error);
  ~cFont();
  cFont(const cFont&) = delete;
  cFont& operator=(const cFont&) = delete;

  int CellHeight() const { return m_cellHeight; }
  int Ascent() const { return m_ascent; }
  bool AntiAliased() const { return m_antiAliased; }
  const std::string& FilePath() const { return m_path; }

  // The glyph of a Unicode code point; null when the font has none (control
  // codes, code points the face lacks). The glyph stays valid as long as the font.
  const Glyph* GlyphOf(uint32_t codePoint);
  // The glyph of one Shift-JIS character (1 or 2 bytes).
  const Glyph* GlyphOfSjis(const char* ch, int bytes);

  // GetTextExtentPoint32 of a Shift-JIS text on one line: the sum of the
  // characters' advances and the cell height.
  void MeasureSjis(std::string_view sjis, int* width, int* height);

 private:
  cFont() = default;
  struct FaceHandle;

  std::unique_ptr<FaceHandle> m_face;
  std::string m_path;
  bool m_antiAliased = false;
  int m_cellHeight = 0, m_ascent = 0;
  std::mutex m_mutex;  // the face and the cache
  std::unordered_map<uint32_t, std::unique_ptr<Glyph>> m_glyphs;  // null entries: no glyph
};

// Bytes of the Shift-JIS character at p with `left` bytes remaining: 2 for a lead
// byte followed by a trail byte, else 1 (0 when nothing is left).
int SjisCharBytes(const char* p, size_t left);

// The Unicode code point of one Shift-JIS character (1 or 2 bytes); 0 when the
// bytes stand for no character. Conversions are kept after the first use.
uint32_t SjisCodePoint(const char* ch, int bytes);

}  // namespace plat
