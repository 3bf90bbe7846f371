#include "tools/make_demo/demo_art.h"

#include <cstdlib>

#include "tools/draw_tool/bmp_writer.h"
#include "tools/draw_tool/sheet_project.h"
#include "tools/make_demo/demo.h"

namespace demo {
namespace {

struct cNamed {
  uint8_t r, g, b;
};
constexpr cNamed kNamed[kNamedInks] = {
    {255, 0, 255},   {24, 20, 32},    {248, 248, 248}, {248, 200, 160}, {216, 48, 40},   {136, 24, 24},
    {56, 104, 224},  {28, 48, 128},   {248, 216, 56},  {240, 144, 40},  {72, 184, 72},   {32, 112, 48},
    {152, 96, 48},   {96, 60, 28},    {150, 150, 160}, {84, 84, 96},    {168, 216, 248}, {104, 168, 240},
    {152, 80, 192},  {248, 144, 184}, {208, 208, 216}, {232, 184, 40},  {72, 216, 232},  {184, 80, 56},
    {216, 184, 152}, {120, 192, 96},  {88, 152, 80}};

// 5x7 capitals, one row a byte (bit 4 the leftmost dot).
struct cGlyph {
  char c;
  uint8_t rows[7];
};
constexpr cGlyph kGlyphs[] = {
    {'A', {14, 17, 17, 31, 17, 17, 17}}, {'D', {30, 17, 17, 17, 17, 17, 30}}, {'E', {31, 16, 16, 30, 16, 16, 31}},
    {'K', {17, 18, 20, 24, 20, 18, 17}}, {'M', {17, 27, 21, 21, 17, 17, 17}}, {'N', {17, 25, 21, 19, 17, 17, 17}},
    {'O', {14, 17, 17, 17, 17, 17, 14}}, {'R', {30, 17, 17, 30, 20, 18, 17}}, {'V', {17, 17, 17, 17, 17, 10, 4}},
    {'S', {15, 16, 16, 14, 1, 1, 30}},   {'T', {31, 4, 4, 4, 4, 4, 4}},       {'G', {14, 17, 16, 23, 17, 17, 15}},
    {'L', {16, 16, 16, 16, 16, 16, 31}}, {'Y', {17, 17, 10, 4, 4, 4, 4}},     {'P', {30, 17, 17, 30, 16, 16, 16}},
};

}  // namespace

const plat::PaletteEntry* DemoPalette() {
  static const std::vector<plat::PaletteEntry> palette = [] {
    std::vector<plat::PaletteEntry> p(draw_tool::SheetPalette(), draw_tool::SheetPalette() + 256);
    for (int i = 0; i < kNamedInks; ++i) p[size_t(i)] = plat::PaletteEntry{kNamed[i].r, kNamed[i].g, kNamed[i].b, 0};
    return p;
  }();
  return palette.data();
}

std::vector<uint8_t> DemoBlendTable() {
  const plat::PaletteEntry* p = DemoPalette();
  std::vector<uint8_t> t(65536);
  for (int a = 0; a < 256; ++a) {
    for (int b = a; b < 256; ++b) {
      int best = a == 0 ? b : b == 0 ? a : 1;
      if (a != 0 && b != 0) {
        const int r = (p[a].red + p[b].red) / 2, g = (p[a].green + p[b].green) / 2, bl = (p[a].blue + p[b].blue) / 2;
        int bestDistance = -1;
        for (int i = 1; i < 256; ++i) {
          const int dr = p[i].red - r, dg = p[i].green - g, db = p[i].blue - bl;
          const int d = dr * dr + dg * dg + db * db;
          if (bestDistance < 0 || d < bestDistance) best = i, bestDistance = d;
        }
      }
      t[size_t(a) * 256 + b] = t[size_t(b) * 256 + a] = uint8_t(best);
    }
  }
  return t;
}

void cCanvas::Dot(int x, int y, uint8_t ink) {
  if (x >= 0 && y >= 0 && x < m_W && y < m_H) m_Pixels[size_t(y) * m_W + x] = ink;
}

void cCanvas::Fill(int x, int y, int w, int h, uint8_t ink) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) Dot(i, j, ink);
}

void cCanvas::Oval(int x, int y, int w, int h, uint8_t ink) {
  // Centre and radii doubled, so that even sizes stay symmetric.
  const int cx = 2 * x + w, cy = 2 * y + h;
  for (int j = y; j < y + h; ++j) {
    for (int i = x; i < x + w; ++i) {
      const long long dx = 2 * i + 1 - cx, dy = 2 * j + 1 - cy;
      if (dx * dx * h * h + dy * dy * w * w <= static_cast<long long>(w) * w * h * h) Dot(i, j, ink);
    }
  }
}

void cCanvas::Outline(int x, int y, int w, int h, uint8_t ink) {
  std::vector<uint8_t> before = m_Pixels;
  auto at = [&](int i, int j) -> uint8_t {
    return i < x || j < y || i >= x + w || j >= y + h || i >= m_W || j >= m_H ? uint8_t{kClear} : before[size_t(j) * m_W + i];
  };
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i)
      if (at(i, j) == kClear && ((at(i - 1, j) && at(i - 1, j) != ink) || (at(i + 1, j) && at(i + 1, j) != ink) ||
                                 (at(i, j - 1) && at(i, j - 1) != ink) || (at(i, j + 1) && at(i, j + 1) != ink)))
        Dot(i, j, ink);
}

void cCanvas::Text(int x, int y, const std::string& text, int scale, uint8_t ink) {
  for (char c : text) {
    for (const cGlyph& g : kGlyphs) {
      if (g.c != c) continue;
      for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 5; ++col)
          if (g.rows[row] & (16 >> col)) Fill(x + col * scale, y + row * scale, scale, scale, ink);
    }
    x += 6 * scale;
  }
}

bool WritePicture(const std::string& gamePath, const cCanvas& canvas) {
  return WriteGameFile(gamePath, draw_tool::EncodeBmp8(canvas.Width(), canvas.Height(), canvas.Pixels(), DemoPalette()));
}

}  // namespace demo
