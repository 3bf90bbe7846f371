#include "platform/font/font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>

#include "platform/font/font_files.h"
#include "platform/sjis.h"

namespace plat {
namespace {

// One FreeType library for the process. Opening and closing faces goes through
// it and is serialised; each face is then used under its font's own lock.
std::mutex& LibraryMutex() {
  static auto* mutex = new std::mutex;
  return *mutex;
}

FT_Library Library() {
  static FT_Library library = [] {
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) != 0) lib = nullptr;
    return lib;
  }();
  return library;
}

// Code points of Shift-JIS characters, converted once: single bytes at their own
// value, double-byte characters at lead << 8 | trail. kUnknown: not converted yet.
constexpr uint32_t kUnknown = 0xFFFFFFFFu;
std::array<std::atomic<uint32_t>, 65536>& CodePointCache() {
  static auto* cache = [] {
    auto* c = new std::array<std::atomic<uint32_t>, 65536>;
    for (auto& e : *c) e.store(kUnknown, std::memory_order_relaxed);
    return c;
  }();
  return *cache;
}

uint32_t DecodeFirstUtf8(const std::string& s) {
  if (s.empty()) return 0;
  const auto* u = reinterpret_cast<const uint8_t*>(s.data());
  size_t n = u[0] < 0x80 ? 1 : u[0] >= 0xF0 ? 4 : u[0] >= 0xE0 ? 3 : u[0] >= 0xC0 ? 2 : 0;
  if (n == 0 || n > s.size()) return 0;
  if (n == 1) return u[0];
  uint32_t cp = u[0] & (0xFF >> (n + 1));
  for (size_t i = 1; i < n; ++i) cp = (cp << 6) | (u[i] & 0x3F);
  return cp;
}

}  // namespace

struct cFont::FaceHandle {
  FT_Face face = nullptr;
  FT_Int32 loadFlags = 0;
  ~FaceHandle() {
    if (!face) return;
    std::lock_guard<std::mutex> lock(LibraryMutex());
    FT_Done_Face(face);
  }
};

int SjisCharBytes(const char* p, size_t left) {
  if (!p || left == 0) return 0;
  if (left >= 2 && IsSjisLeadByte(static_cast<uint8_t>(p[0])) && IsSjisTrailByte(static_cast<uint8_t>(p[1])))
    return 2;
  return 1;
}

uint32_t SjisCodePoint(const char* ch, int bytes) {
  if (!ch || bytes < 1 || bytes > 2) return 0;
  const uint8_t b0 = static_cast<uint8_t>(ch[0]);
  if (bytes == 1 && b0 < 0x80) return b0;
  // A lead byte stands for nothing without its trail byte.
  if (bytes == 1 ? IsSjisLeadByte(b0) : !(IsSjisLeadByte(b0) && IsSjisTrailByte(static_cast<uint8_t>(ch[1]))))
    return 0;
  const uint32_t key = bytes == 2 ? (uint32_t(b0) << 8 | static_cast<uint8_t>(ch[1])) : b0;
  std::atomic<uint32_t>& slot = CodePointCache()[key];
  uint32_t cp = slot.load(std::memory_order_relaxed);
  if (cp != kUnknown) return cp;
  const std::string utf8 = SjisToUtf8(std::string_view(ch, static_cast<size_t>(bytes)));
  // The converter answers '?' for bytes without a character.
  cp = utf8 == "?" ? 0 : DecodeFirstUtf8(utf8);
  slot.store(cp, std::memory_order_relaxed);
  return cp;
}

std::shared_ptr<cFont> cFont::Create(const FontDesc& desc, std::string* error) {
  auto fail = [&](const std::string& why) -> std::shared_ptr<cFont> {
    if (error) *error = why;
    return nullptr;
  };
  const std::string path = FontFilePath(FontFileForFace(desc.face));
  std::shared_ptr<cFont> font(new cFont);
  font->m_face = std::make_unique<FaceHandle>();
  font->m_path = path;
  font->m_antiAliased = desc.antiAliased;
  {
    std::lock_guard<std::mutex> lock(LibraryMutex());
    FT_Library lib = Library();
    if (!lib) return fail("FreeType cannot be started");
    if (FT_New_Face(lib, path.c_str(), 0, &font->m_face->face) != 0) {
      font->m_face->face = nullptr;
      return fail("font file " + path + " cannot be opened");
    }
  }
  FT_Face face = font->m_face->face;
  if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0) return fail("font file " + path + " is not scalable");
  // The em box (ascender to descender) is the character cell, as it is for the
  // Windows faces these files stand in for.
  const double upem = face->units_per_EM;
  double asc = face->ascender, desc_ = -static_cast<double>(face->descender);
  if (asc + desc_ <= 0) asc = upem, desc_ = 0;
  double ppem;
  if (desc.height > 0) {
    ppem = desc.height * upem / (asc + desc_);
  } else if (desc.height < 0) {
    ppem = -static_cast<double>(desc.height);
  } else {
    ppem = 12.0;
  }
  ppem = std::min(ppem, 1024.0);
  double wppem = ppem;
  if (desc.width > 0) {
    const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    double avg = os2 && os2->xAvgCharWidth > 0 ? os2->xAvgCharWidth : upem / 2;
    wppem = std::min(desc.width * upem / avg, 1024.0);
  }
  const auto to26_6 = [](double v) { return static_cast<FT_F26Dot6>(std::lround(v * 64.0)); };
  if (FT_Set_Char_Size(face, to26_6(wppem), to26_6(ppem), 72, 72) != 0)
    return fail("font file " + path + " cannot be sized");
  font->m_ascent = static_cast<int>(std::lround(asc * ppem / upem));
  font->m_cellHeight = desc.height > 0 ? desc.height : static_cast<int>(std::lround((asc + desc_) * ppem / upem));
  font->m_face->loadFlags = desc.antiAliased ? (FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP) : FT_LOAD_TARGET_MONO;
  return font;
}

cFont::~cFont() = default;

const Glyph* cFont::GlyphOf(uint32_t codePoint) {
  std::lock_guard<std::mutex> lock(m_mutex);
  auto it = m_glyphs.find(codePoint);
  if (it != m_glyphs.end()) return it->second.get();
  std::unique_ptr<Glyph> glyph;
  FT_Face face = m_face ? m_face->face : nullptr;
  const FT_UInt index = (face && codePoint >= 0x20 && codePoint != 0x7F) ? FT_Get_Char_Index(face, codePoint) : 0;
  if (index != 0 && FT_Load_Glyph(face, index, m_face->loadFlags) == 0 &&
      FT_Render_Glyph(face->glyph, m_antiAliased ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) == 0) {
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bm = slot->bitmap;
    glyph = std::make_unique<Glyph>();
    glyph->left = slot->bitmap_left;
    glyph->top = m_ascent - slot->bitmap_top;
    glyph->advance = static_cast<int>((slot->advance.x + 32) >> 6);
    const bool usable = bm.pixel_mode == FT_PIXEL_MODE_MONO || bm.pixel_mode == FT_PIXEL_MODE_GRAY;
    if (usable && bm.width > 0 && bm.rows > 0 && bm.buffer) {
      glyph->width = static_cast<int>(bm.width);
      glyph->height = static_cast<int>(bm.rows);
      glyph->coverage.assign(static_cast<size_t>(glyph->width) * glyph->height, 0);
      const int pitch = std::abs(bm.pitch);
      const int grays = bm.num_grays > 1 ? bm.num_grays - 1 : 255;
      for (int y = 0; y < glyph->height; ++y) {
        const uint8_t* row = bm.buffer + static_cast<size_t>(y) * pitch;
        uint8_t* out = glyph->coverage.data() + static_cast<size_t>(y) * glyph->width;
        for (int x = 0; x < glyph->width; ++x) {
          if (bm.pixel_mode == FT_PIXEL_MODE_MONO) {
            out[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
          } else {
            out[x] = static_cast<uint8_t>(row[x] * 255 / grays);
          }
        }
      }
    }
  }
  const Glyph* result = glyph.get();
  m_glyphs.emplace(codePoint, std::move(glyph));
  return result;
}

const Glyph* cFont::GlyphOfSjis(const char* ch, int bytes) {
  const uint32_t cp = SjisCodePoint(ch, bytes);
  return cp ? GlyphOf(cp) : nullptr;
}

void cFont::MeasureSjis(std::string_view sjis, int* width, int* height) {
  int64_t w = 0;
  for (size_t i = 0; i < sjis.size();) {
    const int n = SjisCharBytes(sjis.data() + i, sjis.size() - i);
    if (const Glyph* g = GlyphOfSjis(sjis.data() + i, n)) w += g->advance;
    i += static_cast<size_t>(n);
  }
  if (width) *width = static_cast<int>(std::min<int64_t>(w, INT32_MAX));
  if (height) *height = m_cellHeight;
}

}  // namespace plat
