#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/font/font.h"
#include "platform/window.h"

// The picture the in-window dialogs are drawn into: XRGB8888 pixels the size of the
// game's frame, with the few shapes a dialog needs. Every shape is clipped to the
// canvas and to the clip rectangle given.
namespace plat {

class cCanvas {
 public:
  cCanvas() = default;
  cCanvas(int width, int height, uint32_t fill = 0);

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  std::vector<uint32_t>& Pixels() { return m_pixels; }
  const std::vector<uint32_t>& Pixels() const { return m_pixels; }
  uint32_t At(int x, int y) const;

  void Fill(const RECT& rect, uint32_t colour, const RECT* clip = nullptr);
  // A one-pixel outline inside rect.
  void Outline(const RECT& rect, uint32_t colour, const RECT* clip = nullptr);
  // A two-tone edge: light on the top and left, dark on the bottom and right.
  void Edge(const RECT& rect, uint32_t light, uint32_t dark, const RECT* clip = nullptr);
  void HLine(int x0, int x1, int y, uint32_t colour, const RECT* clip = nullptr);
  void VLine(int x, int y0, int y1, uint32_t colour, const RECT* clip = nullptr);
  // Every other pixel of an outline (the focus mark).
  void DottedOutline(const RECT& rect, uint32_t colour, const RECT* clip = nullptr);

  // One line of Shift-JIS text whose character cell starts at (x, y); returns the
  // pen position after it. Glyph coverage blends the colour over the pixels.
  int Text(cFont& font, int x, int y, std::string_view sjis, uint32_t colour, const RECT* clip = nullptr);

 private:
  bool Clip(RECT& r, const RECT* clip) const;
  void Blend(int x, int y, uint32_t colour, int coverage);

  int m_width = 0, m_height = 0;
  std::vector<uint32_t> m_pixels;
};

// The width of one line of Shift-JIS text in the font.
int TextWidth(cFont& font, std::string_view sjis);

}  // namespace plat
