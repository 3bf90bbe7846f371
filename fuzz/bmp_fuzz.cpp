// Feeds arbitrary bytes to the BMP reader: nothing may crash, read or write out of
// bounds, or allocate more than the picture limits allow. A picture it accepts
// has one colour (and, for palette pictures, one index) per pixel.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/display/bmp_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  plat::cBmpImage image;
  if (plat::DecodeBmp(data, size, image)) {
    size_t pixels = static_cast<size_t>(image.width) * image.height;
    if (image.pixels.size() != pixels) std::abort();
    if (image.HasIndices()) {
      if (image.indices.size() != pixels) std::abort();
      for (uint8_t i : image.indices)
        if (i >= image.paletteCount) std::abort();
    }
  }
  return 0;
}
