#include "platform/display/pixel_format.h"

namespace plat {

int BytesPerPixel(PixelFormat format) {
  switch (format) {
    case PixelFormat::kP8: return 1;
    case PixelFormat::kR5G6B5:
    case PixelFormat::kA1R5G5B5: return 2;
    case PixelFormat::kX8R8G8B8:
    case PixelFormat::kA8R8G8B8: return 4;
    default: return 0;
  }
}

int BitsPerPixel(PixelFormat format) { return BytesPerPixel(format) * 8; }

const char* PixelFormatName(PixelFormat format) {
  switch (format) {
    case PixelFormat::kP8: return "P8";
    case PixelFormat::kR5G6B5: return "R5G6B5";
    case PixelFormat::kA1R5G5B5: return "A1R5G5B5";
    case PixelFormat::kX8R8G8B8: return "X8R8G8B8";
    case PixelFormat::kA8R8G8B8: return "A8R8G8B8";
    default: return "Unknown";
  }
}

ChannelMasks MasksOf(PixelFormat format) {
  ChannelMasks m;
  switch (format) {
    case PixelFormat::kR5G6B5:
      m.redShift = 11, m.greenShift = 5, m.blueShift = 0;
      m.redMask = 31, m.greenMask = 63, m.blueMask = 31;
      break;
    case PixelFormat::kA1R5G5B5:
      m.redShift = 10, m.greenShift = 5, m.blueShift = 0, m.alphaShift = 15;
      m.redMask = 31, m.greenMask = 31, m.blueMask = 31, m.alphaMask = 1;
      break;
    case PixelFormat::kX8R8G8B8:
      m.redShift = 16, m.greenShift = 8, m.blueShift = 0;
      m.redMask = m.greenMask = m.blueMask = 255;
      break;
    case PixelFormat::kA8R8G8B8:
      m.redShift = 16, m.greenShift = 8, m.blueShift = 0, m.alphaShift = 24;
      m.redMask = m.greenMask = m.blueMask = m.alphaMask = 255;
      break;
    default:
      break;
  }
  return m;
}

}  // namespace plat
