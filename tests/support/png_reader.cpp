#include "tests/support/png_reader.h"

#include <png.h>

#include <cstring>

cPngFrame ReadPngFrame(const std::string& path) {
  cPngFrame frame;
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return frame;
  image.format = PNG_FORMAT_BGRA;
  std::vector<uint32_t> pixels(static_cast<size_t>(image.width) * image.height);
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
    png_image_free(&image);
    return frame;
  }
  for (uint32_t& p : pixels) p &= 0xFFFFFFu;  // little-endian BGRA read as a word: alpha in the top byte
  frame.width = static_cast<int>(image.width);
  frame.height = static_cast<int>(image.height);
  frame.pixels = std::move(pixels);
  return frame;
}
