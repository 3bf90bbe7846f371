#include "tools/draw_tool/bmp_writer.h"

#include <cstdio>

namespace draw_tool {
namespace {

void Put16(std::vector<uint8_t>& v, uint32_t x) {
  v.push_back(uint8_t(x));
  v.push_back(uint8_t(x >> 8));
}
void Put32(std::vector<uint8_t>& v, uint32_t x) {
  for (int i = 0; i < 4; ++i) v.push_back(uint8_t(x >> (8 * i)));
}

std::vector<uint8_t> Headers(int width, int height, int bits, int colors, uint32_t imageBytes) {
  std::vector<uint8_t> v;
  uint32_t offset = 14 + 40 + colors * 4;
  v.push_back('B');
  v.push_back('M');
  Put32(v, offset + imageBytes);
  Put32(v, 0);
  Put32(v, offset);
  Put32(v, 40);
  Put32(v, uint32_t(width));
  Put32(v, uint32_t(height));
  Put16(v, 1);
  Put16(v, uint32_t(bits));
  Put32(v, 0);
  Put32(v, imageBytes);
  Put32(v, 2835);
  Put32(v, 2835);
  Put32(v, uint32_t(colors));
  Put32(v, 0);
  return v;
}

}  // namespace

std::vector<uint8_t> EncodeBmp8(int width, int height, const std::vector<uint8_t>& indexes,
                                const plat::PaletteEntry* palette) {
  const int stride = (width + 3) & ~3;
  std::vector<uint8_t> v = Headers(width, height, 8, 256, uint32_t(stride) * height);
  for (int i = 0; i < 256; ++i) {
    v.push_back(palette[i].blue);
    v.push_back(palette[i].green);
    v.push_back(palette[i].red);
    v.push_back(0);
  }
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) v.push_back(indexes[size_t(y) * width + x]);
    for (int x = width; x < stride; ++x) v.push_back(0);
  }
  return v;
}

std::vector<uint8_t> EncodeBmp24(int width, int height, const std::vector<uint32_t>& xrgb) {
  const int stride = (width * 3 + 3) & ~3;
  std::vector<uint8_t> v = Headers(width, height, 24, 0, uint32_t(stride) * height);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      uint32_t c = xrgb[size_t(y) * width + x];
      v.push_back(uint8_t(c));
      v.push_back(uint8_t(c >> 8));
      v.push_back(uint8_t(c >> 16));
    }
    for (int x = width * 3; x < stride; ++x) v.push_back(0);
  }
  return v;
}

bool WriteBytes(const std::string& nativePath, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(nativePath.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace draw_tool
