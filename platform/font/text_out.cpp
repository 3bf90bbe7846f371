#include "platform/font/text_out.h"

#include <algorithm>
#include <climits>

namespace plat {

uint32_t ColorRefToPixel(PixelFormat format, uint32_t colorRef, const PaletteEntry* palette) {
  const uint32_t r = colorRef & 0xFF, g = (colorRef >> 8) & 0xFF, b = (colorRef >> 16) & 0xFF;
  if (format == PixelFormat::kP8) {
    if (!palette) return 0;
    int best = 0;
    int64_t bestDistance = INT64_MAX;
    for (int i = 0; i < 256; ++i) {
      const int64_t dr = int64_t(palette[i].red) - r, dg = int64_t(palette[i].green) - g,
                    db = int64_t(palette[i].blue) - b;
      const int64_t d = dr * dr + dg * dg + db * db;
      if (d < bestDistance) best = i, bestDistance = d;
    }
    return uint32_t(best);
  }
  return ArgbToPixel(format, 0xFF000000u | r << 16 | g << 8 | b);
}

bool TextOut(cSurface& surface, cFont& font, int x, int y, std::string_view sjis, uint32_t colorRef,
             const PaletteEntry* palette) {
  if (surface.IsLocked() || surface.IsLost()) return false;
  const uint32_t value = ColorRefToPixel(surface.Format(), colorRef, palette);
  const int bpp = surface.BytesPerPixel();
  const int sw = surface.Width(), sh = surface.Height();
  int64_t pen = x;
  for (size_t i = 0; i < sjis.size();) {
    const int n = SjisCharBytes(sjis.data() + i, sjis.size() - i);
    const Glyph* g = font.GlyphOfSjis(sjis.data() + i, n);
    i += static_cast<size_t>(n);
    if (!g) continue;
    const int64_t gx = pen + g->left, gy = int64_t(y) + g->top;
    pen += g->advance;
    if (gx >= sw || gy >= sh || gx + g->width <= 0 || gy + g->height <= 0) continue;
    const int x0 = static_cast<int>(std::max<int64_t>(0, -gx)), x1 = static_cast<int>(std::min<int64_t>(g->width, sw - gx));
    const int y0 = static_cast<int>(std::max<int64_t>(0, -gy)), y1 = static_cast<int>(std::min<int64_t>(g->height, sh - gy));
    for (int row = y0; row < y1; ++row) {
      const uint8_t* cov = g->coverage.data() + static_cast<size_t>(row) * g->width;
      uint8_t* dst = surface.Row(static_cast<int>(gy + row));
      for (int col = x0; col < x1; ++col)
        if (cov[col] >= 128) WritePixel(dst + (gx + col) * bpp, bpp, value);
    }
  }
  return true;
}

}  // namespace plat
