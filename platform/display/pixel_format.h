#pragma once
#include <cstdint>
#include <cstring>

// Pixel formats of the software display device and the one set of conversions
// between them that every part of the device uses.
namespace plat {

enum class PixelFormat : uint8_t {
  kUnknown = 0,
  kP8,        // 8-bit palette index
  kR5G6B5,    // 16-bit screen format
  kA1R5G5B5,  // 16-bit texture format (and the windowed 16-bit back buffer)
  kX8R8G8B8,  // 32-bit screen format; the fourth byte is not part of the colour
  kA8R8G8B8,  // 32-bit texture format
};

// A palette entry as the game keeps it: red, green, blue, flags.
struct PaletteEntry {
  uint8_t red = 0, green = 0, blue = 0, flags = 0;
};

int BytesPerPixel(PixelFormat format);
int BitsPerPixel(PixelFormat format);
const char* PixelFormatName(PixelFormat format);

// Channel widening and narrowing. Widening repeats the high bits; narrowing truncates.
inline uint32_t Expand5(uint32_t c) { return (c << 3) | (c >> 2); }
inline uint32_t Expand6(uint32_t c) { return (c << 2) | (c >> 4); }
inline uint32_t Narrow5(uint32_t c) { return c >> 3; }
inline uint32_t Narrow6(uint32_t c) { return c >> 2; }

// A stored pixel value as A8R8G8B8. Formats without alpha give alpha 255; the
// one-bit alpha becomes 0 or 255. P8 needs the palette (null gives black).
inline uint32_t PixelToArgb(PixelFormat format, uint32_t p, const PaletteEntry* palette = nullptr) {
  switch (format) {
    case PixelFormat::kR5G6B5:
      return 0xFF000000u | Expand5((p >> 11) & 31) << 16 | Expand6((p >> 5) & 63) << 8 | Expand5(p & 31);
    case PixelFormat::kA1R5G5B5:
      return ((p & 0x8000) ? 0xFF000000u : 0u) | Expand5((p >> 10) & 31) << 16 |
             Expand5((p >> 5) & 31) << 8 | Expand5(p & 31);
    case PixelFormat::kX8R8G8B8:
      return 0xFF000000u | (p & 0x00FFFFFFu);
    case PixelFormat::kA8R8G8B8:
      return p;
    case PixelFormat::kP8:
      if (!palette) return 0xFF000000u;
      {
        const PaletteEntry& e = palette[p & 0xFF];
        return 0xFF000000u | uint32_t(e.red) << 16 | uint32_t(e.green) << 8 | e.blue;
      }
    default:
      return 0;
  }
}

// An A8R8G8B8 colour as a stored pixel value. The one-bit alpha is set from
// alpha 128 up; the fourth byte of X8R8G8B8 is stored as 0. P8 has no colour
// conversion (use a palette search); it keeps the low byte.
inline uint32_t ArgbToPixel(PixelFormat format, uint32_t argb) {
  uint32_t a = argb >> 24, r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
  switch (format) {
    case PixelFormat::kR5G6B5:
      return Narrow5(r) << 11 | Narrow6(g) << 5 | Narrow5(b);
    case PixelFormat::kA1R5G5B5:
      return (a >> 7) << 15 | Narrow5(r) << 10 | Narrow5(g) << 5 | Narrow5(b);
    case PixelFormat::kX8R8G8B8:
      return argb & 0x00FFFFFFu;
    case PixelFormat::kA8R8G8B8:
      return argb;
    case PixelFormat::kP8:
      return argb & 0xFF;
    default:
      return 0;
  }
}

inline uint16_t Load16(const uint8_t* p) { uint16_t v; std::memcpy(&v, p, 2); return v; }
inline uint32_t Load32(const uint8_t* p) { uint32_t v; std::memcpy(&v, p, 4); return v; }
inline void Store16(uint8_t* p, uint32_t v) { uint16_t w = uint16_t(v); std::memcpy(p, &w, 2); }
inline void Store32(uint8_t* p, uint32_t v) { std::memcpy(p, &v, 4); }

// One stored pixel of 1, 2 or 4 bytes (in the machine's byte order, which is the
// little-endian order the pixel layouts assume).
inline uint32_t ReadPixel(const uint8_t* p, int bytesPerPixel) {
  switch (bytesPerPixel) {
    case 1: return *p;
    case 2: return Load16(p);
    case 4: return Load32(p);
    default: return 0;
  }
}

inline void WritePixel(uint8_t* p, int bytesPerPixel, uint32_t v) {
  switch (bytesPerPixel) {
    case 1: *p = uint8_t(v); break;
    case 2: Store16(p, v); break;
    case 4: Store32(p, v); break;
    default: break;
  }
}

// n pixels of one stored value from p on.
inline void FillPixels(uint8_t* p, int bytesPerPixel, int n, uint32_t value) {
  if (n <= 0) return;
  if (bytesPerPixel == 1) {
    std::memset(p, static_cast<int>(value & 0xFF), static_cast<size_t>(n));
    return;
  }
  if (bytesPerPixel != 2 && bytesPerPixel != 4) return;
  // One 64-byte block of the value, copied block by block.
  uint8_t block[64];
  for (int i = 0; i < 64; i += bytesPerPixel) WritePixel(block + i, bytesPerPixel, value);
  size_t bytes = static_cast<size_t>(n) * bytesPerPixel;
  for (; bytes >= sizeof block; bytes -= sizeof block, p += sizeof block) std::memcpy(p, block, sizeof block);
  std::memcpy(p, block, bytes);
}

// Bit position and right-aligned maximum of each channel of a format (the
// drawing layer's colour-mask record). Alpha fields are 0 where there is none.
struct ChannelMasks {
  int redShift = 0, greenShift = 0, blueShift = 0, alphaShift = 0;
  int redMask = 0, greenMask = 0, blueMask = 0, alphaMask = 0;
};
ChannelMasks MasksOf(PixelFormat format);

}  // namespace plat
