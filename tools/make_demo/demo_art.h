#pragma once
// The demo's drawing kit: its 256-colour palette (entry 0 the transparent
// colour, a few named colours, the rest those of the generated system sheets) and
// an indexed canvas with the few shapes the demo's pictures are drawn from.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/display/pixel_format.h"

namespace demo {

// Named palette entries.
enum eInk : uint8_t {
  kClear = 0, kInk = 1, kWhite, kSkin, kRed, kDarkRed, kBlue, kDarkBlue, kYellow, kOrange, kGreen, kDarkGreen,
  kBrown, kDarkBrown, kGrey, kDarkGrey, kSkyLight, kSky, kPurple, kPink, kLightGrey, kGold, kCyan, kBrickRed,
  kMortar, kHill, kHillDark, kNamedInks
};

const plat::PaletteEntry* DemoPalette();
// Per pair of entries the entry nearest to their average colour (entry 0 gives the
// other one): the 8-bit translucency table of the palette.
std::vector<uint8_t> DemoBlendTable();

class cCanvas {
 public:
  cCanvas(int width, int height) : m_W(width), m_H(height), m_Pixels(size_t(width) * height, kClear) {}
  int Width() const { return m_W; }
  int Height() const { return m_H; }
  const std::vector<uint8_t>& Pixels() const { return m_Pixels; }

  void Dot(int x, int y, uint8_t ink);
  void Fill(int x, int y, int w, int h, uint8_t ink);
  // A filled ellipse inside the box.
  void Oval(int x, int y, int w, int h, uint8_t ink);
  // Every clear pixel beside a drawn one inside the box becomes `ink`.
  void Outline(int x, int y, int w, int h, uint8_t ink = kInk);
  // Text in the canvas's 5x7 capitals, `scale` pixels a dot.
  void Text(int x, int y, const std::string& upperAscii, int scale, uint8_t ink);

 private:
  int m_W, m_H;
  std::vector<uint8_t> m_Pixels;
};

// Writes the canvas as an 8-bit picture in the demo palette.
bool WritePicture(const std::string& gamePath, const cCanvas& canvas);

}  // namespace demo
