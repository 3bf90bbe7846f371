#include "tools/draw_tool/sheet_project.h"

#include "platform/files.h"
#include "platform/sjis.h"
#include "tools/draw_tool/bmp_writer.h"

namespace draw_tool {
namespace {

plat::PaletteEntry gPalette[256];

struct cPaletteInit {
  cPaletteInit() {
    gPalette[0] = plat::PaletteEntry{255, 0, 255, 0};
    for (int i = 1; i < 256; ++i)
      gPalette[i] = plat::PaletteEntry{uint8_t(i * 37), uint8_t(i * 91 + 40), uint8_t(i * 53 + 80), 0};
  }
} gPaletteInit;

bool WriteIndexed(const std::string& gamePath, int w, int h, const std::vector<uint8_t>& indexes) {
  std::vector<uint8_t> bytes = EncodeBmp8(w, h, indexes, gPalette);
  return plat::WriteFileAtomic(gamePath, bytes.data(), bytes.size());
}

}  // namespace

const plat::PaletteEntry* SheetPalette() { return gPalette; }

const std::vector<SheetDesc>& SheetDescs() {
  static const std::vector<SheetDesc> sheets = {
      {"bmp\\Debug.bmp", 128, 256, 8, 16, 1},
      {"bmp\\Block.bmp", 64, 480, 32, 32, 2},
      {"bmp\\Character1.bmp", 256, 128, 32, 32, 3},
      {"bmp\\Character2.bmp", 256, 128, 32, 32, 4},
      {"bmp\\Shot.bmp", 128, 64, 16, 16, 5},
      {"bmp\\Item.bmp", 128, 64, 32, 32, 6},
      {"bmp\\Item_Mini.bmp", 64, 32, 16, 16, 7},
      {"bmp\\Mark.bmp", 64, 480, 32, 32, 8},
      {"bmp\\Window.bmp", 64, 64, 64, 64, 9},
      {"bmp\\StatusWindow.bmp", 128, 32, 32, 32, 10},
      {"bmp\\Title.bmp", 640, 480, 80, 80, 11},
      {"bmp\\Accessory.bmp", 128, 160, 16, 16, 12},
      {"bmp\\Symbol.bmp", 416, 32, 16, 16, 13},
      {"bmp\\Word.bmp", 256, 64, 32, 32, 14},
      {"bmp\\WorldMapChip.bmp", 64, 64, 32, 32, 15},
      {"bmp\\WorldEvent.bmp", 64, 64, 32, 32, 16},
      {std::string(plat::Utf8ToSjis("背景その1.bmp")), 320, 240, 40, 40, 17},
  };
  return sheets;
}

const std::vector<uint8_t>& SheetBlendTable() {
  static const std::vector<uint8_t> table = [] {
    std::vector<uint8_t> t(65536);
    for (int a = 0; a < 256; ++a) {
      for (int b = a; b < 256; ++b) {
        int best = a == 0 ? b : b == 0 ? a : 1;
        if (a != 0 && b != 0) {
          const int r = (gPalette[a].red + gPalette[b].red) / 2, g = (gPalette[a].green + gPalette[b].green) / 2,
                    bl = (gPalette[a].blue + gPalette[b].blue) / 2;
          int bestDistance = -1;
          for (int i = 1; i < 256; ++i) {
            const int dr = gPalette[i].red - r, dg = gPalette[i].green - g, db = gPalette[i].blue - bl;
            const int d = dr * dr + dg * dg + db * db;
            if (bestDistance < 0 || d < bestDistance) best = i, bestDistance = d;
          }
        }
        t[size_t(a) * 256 + b] = t[size_t(b) * 256 + a] = uint8_t(best);
      }
    }
    return t;
  }();
  return table;
}

uint8_t SheetPixel(const SheetDesc& s, int x, int y) {
  const int cx = x / s.cellWidth, cy = y / s.cellHeight, lx = x % s.cellWidth, ly = y % s.cellHeight;
  const int base = 1 + (s.seed * 31 + cx * 7 + cy * 13) % 254;
  if (lx == 0 || ly == 0) return uint8_t((base + 100) % 254 + 1);
  if (lx < ly) return uint8_t(base);
  if ((lx + ly) % 5 == 0) return 255;
  return 0;  // the transparent colour
}

bool WriteSheetProject() {
  if (!plat::MakeDirectory("bmp") || !plat::MakeDirectory("bmp\\plt") || !plat::MakeDirectory("bmp\\hbt"))
    return false;
  // The blend table of palette set 0 (8-bit translucency).
  const std::vector<uint8_t>& blend = SheetBlendTable();
  if (!plat::WriteFileAtomic("bmp\\hbt\\hbt00.dat", blend.data(), blend.size())) return false;
  // The palette picture: the key colour on top, entry r * 16 + c at column c, row 8 + r.
  std::vector<uint8_t> palette(16 * 24, 0);
  for (int r = 0; r < 16; ++r)
    for (int c = 0; c < 16; ++c) palette[size_t(8 + r) * 16 + c] = uint8_t(r * 16 + c);
  if (!WriteIndexed("bmp\\plt\\Palette.bmp", 16, 24, palette)) return false;
  for (const SheetDesc& s : SheetDescs()) {
    std::vector<uint8_t> pixels(size_t(s.width) * s.height);
    for (int y = 0; y < s.height; ++y)
      for (int x = 0; x < s.width; ++x) pixels[size_t(y) * s.width + x] = SheetPixel(s, x, y);
    if (!WriteIndexed(s.gamePath, s.width, s.height, pixels)) return false;
  }
  return true;
}

uint64_t FrameHash(const std::vector<uint32_t>& pixels) {
  uint64_t h = 1469598103934665603ull;
  for (uint32_t p : pixels) {
    for (int i = 0; i < 4; ++i) {
      h ^= (p >> (8 * i)) & 0xFF;
      h *= 1099511628211ull;
    }
  }
  return h;
}

}  // namespace draw_tool
