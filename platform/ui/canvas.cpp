#include "platform/ui/canvas.h"

#include <algorithm>

namespace plat {

cCanvas::cCanvas(int width, int height, uint32_t fill)
    : m_width(std::max(width, 0)),
      m_height(std::max(height, 0)),
      m_pixels(static_cast<size_t>(m_width) * m_height, fill) {}

uint32_t cCanvas::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
  return m_pixels[static_cast<size_t>(y) * m_width + x];
}

bool cCanvas::Clip(RECT& r, const RECT* clip) const {
  r.left = std::max(r.left, 0);
  r.top = std::max(r.top, 0);
  r.right = std::min(r.right, m_width);
  r.bottom = std::min(r.bottom, m_height);
  if (clip) {
    r.left = std::max(r.left, clip->left);
    r.top = std::max(r.top, clip->top);
    r.right = std::min(r.right, clip->right);
    r.bottom = std::min(r.bottom, clip->bottom);
  }
  return r.left < r.right && r.top < r.bottom;
}

void cCanvas::Fill(const RECT& rect, uint32_t colour, const RECT* clip) {
  RECT r = rect;
  if (!Clip(r, clip)) return;
  for (int y = r.top; y < r.bottom; ++y)
    std::fill_n(m_pixels.begin() + static_cast<ptrdiff_t>(y) * m_width + r.left, r.right - r.left, colour);
}

void cCanvas::HLine(int x0, int x1, int y, uint32_t colour, const RECT* clip) {
  Fill(RECT{x0, y, x1, y + 1}, colour, clip);
}

void cCanvas::VLine(int x, int y0, int y1, uint32_t colour, const RECT* clip) {
  Fill(RECT{x, y0, x + 1, y1}, colour, clip);
}

void cCanvas::Outline(const RECT& r, uint32_t colour, const RECT* clip) {
  HLine(r.left, r.right, r.top, colour, clip);
  HLine(r.left, r.right, r.bottom - 1, colour, clip);
  VLine(r.left, r.top, r.bottom, colour, clip);
  VLine(r.right - 1, r.top, r.bottom, colour, clip);
}

void cCanvas::Edge(const RECT& r, uint32_t light, uint32_t dark, const RECT* clip) {
  HLine(r.left, r.right - 1, r.top, light, clip);
  VLine(r.left, r.top, r.bottom - 1, light, clip);
  HLine(r.left, r.right, r.bottom - 1, dark, clip);
  VLine(r.right - 1, r.top, r.bottom, dark, clip);
}

void cCanvas::DottedOutline(const RECT& r, uint32_t colour, const RECT* clip) {
  RECT c{0, 0, m_width, m_height};
  if (clip) c = RECT{std::max(0, clip->left), std::max(0, clip->top), std::min(m_width, clip->right),
                     std::min(m_height, clip->bottom)};
  auto dot = [&](int x, int y) {
    if (x >= c.left && x < c.right && y >= c.top && y < c.bottom && ((x + y) & 1) == 0)
      m_pixels[static_cast<size_t>(y) * m_width + x] = colour;
  };
  for (int x = r.left; x < r.right; ++x) dot(x, r.top), dot(x, r.bottom - 1);
  for (int y = r.top; y < r.bottom; ++y) dot(r.left, y), dot(r.right - 1, y);
}

void cCanvas::Blend(int x, int y, uint32_t colour, int a) {
  uint32_t& p = m_pixels[static_cast<size_t>(y) * m_width + x];
  if (a >= 255) {
    p = colour;
    return;
  }
  auto mix = [a](uint32_t under, uint32_t over) { return (over * a + under * (255 - a) + 127) / 255; };
  uint32_t r = mix((p >> 16) & 0xFF, (colour >> 16) & 0xFF);
  uint32_t g = mix((p >> 8) & 0xFF, (colour >> 8) & 0xFF);
  uint32_t b = mix(p & 0xFF, colour & 0xFF);
  p = r << 16 | g << 8 | b;
}

int cCanvas::Text(cFont& font, int x, int y, std::string_view sjis, uint32_t colour, const RECT* clip) {
  RECT c{0, 0, m_width, m_height};
  if (!Clip(c, clip)) c = RECT{};
  int pen = x;
  for (size_t i = 0; i < sjis.size();) {
    const int n = SjisCharBytes(sjis.data() + i, sjis.size() - i);
    if (const Glyph* g = font.GlyphOfSjis(sjis.data() + i, n)) {
      for (int gy = 0; gy < g->height; ++gy) {
        const int py = y + g->top + gy;
        if (py < c.top || py >= c.bottom) continue;
        for (int gx = 0; gx < g->width; ++gx) {
          const int px = pen + g->left + gx;
          if (px < c.left || px >= c.right) continue;
          const int a = g->coverage[static_cast<size_t>(gy) * g->width + gx];
          if (a) Blend(px, py, colour, a);
        }
      }
      pen += g->advance;
    }
    i += static_cast<size_t>(n);
  }
  return pen;
}

int TextWidth(cFont& font, std::string_view sjis) {
  int w = 0;
  font.MeasureSjis(sjis, &w, nullptr);
  return w;
}

}  // namespace plat
