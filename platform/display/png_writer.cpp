#include "platform/display/png_writer.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace plat {

bool WritePngFile(const std::string& nativePath, const uint32_t* xrgb, int width, int height) {
  if (!xrgb || width <= 0 || height <= 0) return false;
  FILE* f = std::fopen(nativePath.c_str(), "wb");
  if (!f) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return false;
  }
  std::vector<png_byte> row(static_cast<size_t>(width) * 3);
  bool ok = false;
  if (setjmp(png_jmpbuf(png)) == 0) {
    png_init_io(png, f);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
      const uint32_t* src = xrgb + static_cast<size_t>(y) * width;
      for (int x = 0; x < width; ++x) {
        row[3 * x] = static_cast<png_byte>(src[x] >> 16);
        row[3 * x + 1] = static_cast<png_byte>(src[x] >> 8);
        row[3 * x + 2] = static_cast<png_byte>(src[x]);
      }
      png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    ok = true;
  }
  png_destroy_write_struct(&png, &info);
  if (std::fclose(f) != 0) ok = false;
  if (!ok) std::remove(nativePath.c_str());
  return ok;
}

}  // namespace plat
