#include <cstdio>

#include "platform/sjis.h"
#include "tools/draw_tool/bmp_writer.h"
#include "tools/draw_tool/sheet_project.h"
#include "tools/make_demo/demo.h"
#include "tools/make_demo/demo_art.h"
#include "tools/make_demo/demo_sprites.h"

namespace demo {
namespace {

// The optional sheets that the test cards' project leaves out (to show that
// missing ones are allowed): the demo has every picture the system table names.
std::vector<draw_tool::SheetDesc> OptionalSheets() {
  std::vector<draw_tool::SheetDesc> sheets;
  int seed = 40;
  for (int n = 3; n <= 8; ++n)
    sheets.push_back({"bmp\\Character" + std::to_string(n) + ".bmp", 256, 128, 32, 32, seed++});
  sheets.push_back({"bmp\\GameMode.bmp", 256, 128, 64, 32, seed++});
  sheets.push_back({"bmp\\WorldBack.bmp", 640, 480, 80, 80, seed++});
  for (int n = 2; n <= 8; ++n)
    sheets.push_back({plat::Utf8ToSjis("背景その" + std::to_string(n) + ".bmp"), 320, 240, 40, 40, seed++});
  return sheets;
}

bool WriteSheet(const draw_tool::SheetDesc& s) {
  std::vector<uint8_t> pixels(static_cast<size_t>(s.width) * s.height);
  for (int y = 0; y < s.height; ++y)
    for (int x = 0; x < s.width; ++x) pixels[static_cast<size_t>(y) * s.width + x] = draw_tool::SheetPixel(s, x, y);
  return WriteGameFile(s.gamePath, draw_tool::EncodeBmp8(s.width, s.height, pixels, draw_tool::SheetPalette()));
}

}  // namespace

bool WritePictures() {
  // The made-up sheets of the drawing layer's test cards: every required sheet of
  // the system bitmap table, against one palette whose entry 0 is the transparent
  // colour, and the palette picture.
  if (!draw_tool::WriteSheetProject()) {
    std::fprintf(stderr, "korvane-mkdemo: cannot write the pictures under bmp/\n");
    return false;
  }
  for (const draw_tool::SheetDesc& s : OptionalSheets())
    if (!WriteSheet(s)) return false;
  // The demo's palette names its first colours; the palette picture and the 8-bit
  // blend table follow it, and the demo's own pictures replace the made-up ones.
  cCanvas palette(16, 24);
  for (int r = 0; r < 16; ++r)
    for (int c = 0; c < 16; ++c) palette.Dot(c, 8 + r, static_cast<uint8_t>(r * 16 + c));
  const std::vector<uint8_t> blend = DemoBlendTable();
  return WritePicture("bmp\\plt\\Palette.bmp", palette) && WriteGameFile("bmp\\hbt\\hbt00.dat", blend) &&
         WriteSprites();
}

}  // namespace demo
