#include "platform/display/bmp_decoder.h"

#include <algorithm>
#include <cstring>

#include "platform/files.h"

namespace plat {
namespace {

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;
constexpr int32_t kMaxPixelsPerMetre = 1000000;

uint16_t U16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t U32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }
int32_t I32(const uint8_t* p) { return static_cast<int32_t>(U32(p)); }

struct Channel {
  uint32_t mask = 0;
  int shift = 0, bits = 0;
};

// A channel mask must be one run of set bits inside the pixel.
bool MakeChannel(uint32_t mask, int bitCount, Channel& c) {
  if (mask == 0) return false;
  if (bitCount < 32 && (mask >> bitCount) != 0) return false;
  int shift = 0;
  while (!((mask >> shift) & 1)) ++shift;
  uint32_t run = mask >> shift;
  if (run & (run + 1)) return false;  // not contiguous
  int bits = 0;
  while (run) {
    ++bits;
    run >>= 1;
  }
  c = {mask, shift, bits};
  return true;
}

// A channel value of n bits widened or narrowed to 8 bits: fewer bits are
// repeated into the low bits (5 bits: c << 3 | c >> 2), more bits keep the top 8.
uint32_t ToByte(uint32_t v, int bits) {
  if (bits == 8) return v;
  if (bits > 8) return v >> (bits - 8);
  uint32_t r = v << (8 - bits);
  for (int have = bits; have < 8; have *= 2) r |= r >> have;
  return r & 0xFF;
}

uint32_t Extract(uint32_t pixel, const Channel& c) { return ToByte((pixel & c.mask) >> c.shift, c.bits); }

class cDecoder {
 public:
  cDecoder(const uint8_t* data, size_t size, cBmpImage& out) : d(data), n(size), img(out) {}

  bool Run(std::string& why);

 private:
  bool Fail(std::string& why, const char* text) {
    why = text;
    return false;
  }
  bool DecodeUncompressed(std::string& why);
  bool DecodeRle(std::string& why, bool four);
  bool SetIndex(int x, int row, uint32_t index) {
    if (index >= static_cast<uint32_t>(img.paletteCount)) return false;
    img.indices[static_cast<size_t>(row) * img.width + x] = static_cast<uint8_t>(index);
    return true;
  }
  int OutRow(int fileRow) const { return topDown ? fileRow : img.height - 1 - fileRow; }

  const uint8_t* d;
  size_t n;
  cBmpImage& img;
  uint32_t offBits = 0;
  uint32_t compression = kRgb;
  bool topDown = false;
  Channel red, green, blue;
};

bool cDecoder::Run(std::string& why) {
  if (n < 14 + 12) return Fail(why, "file too short for a BMP header");
  if (d[0] != 'B' || d[1] != 'M') return Fail(why, "not a BMP file");
  uint32_t fileSize = U32(d + 2);
  if (fileSize > n) return Fail(why, "file shorter than its header says");
  offBits = U32(d + 10);
  uint32_t headerSize = U32(d + 14);
  if (headerSize != 12 && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 &&
      headerSize != 124)
    return Fail(why, "unsupported info header size");
  if (14 + size_t(headerSize) > n) return Fail(why, "info header past the end of the file");
  const uint8_t* h = d + 14;

  int64_t width, height;
  int planes, bitCount;
  uint32_t sizeImage = 0, colorsUsed = 0;
  if (headerSize == 12) {
    width = U16(h + 4);
    height = U16(h + 6);
    planes = U16(h + 8);
    bitCount = U16(h + 10);
  } else {
    width = I32(h + 4);
    height = I32(h + 8);
    planes = U16(h + 12);
    bitCount = U16(h + 14);
    compression = U32(h + 16);
    sizeImage = U32(h + 20);
    int32_t xppm = I32(h + 24), yppm = I32(h + 28);
    colorsUsed = U32(h + 32);
    if (xppm < 0 || yppm < 0 || xppm > kMaxPixelsPerMetre || yppm > kMaxPixelsPerMetre)
      return Fail(why, "unreasonable pixel density");
  }
  if (planes != 1) return Fail(why, "planes is not 1");
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
    return Fail(why, "unsupported bits per pixel");
  if (compression == kRle8 ? bitCount != 8
      : compression == kRle4 ? bitCount != 4
      : compression == kBitFields ? (bitCount != 16 && bitCount != 32)
      : compression != kRgb)
    return Fail(why, "unsupported compression");
  if (width <= 0) return Fail(why, "width is not positive");
  if (height == 0) return Fail(why, "height is 0");
  topDown = height < 0;
  if (topDown) {
    if (compression == kRle8 || compression == kRle4) return Fail(why, "top-down RLE picture");
    height = -height;
  }
  if (width > kMaxBmpSide || height > kMaxBmpSide || width * height > kMaxBmpPixels)
    return Fail(why, "picture too large");

  size_t pos = 14 + size_t(headerSize);
  // Channel masks: in the header from 52 bytes on, else after a 40-byte header.
  if (bitCount == 16 || bitCount == 32) {
    uint32_t rm, gm, bm;
    if (compression == kBitFields) {
      const uint8_t* m = h + 40;
      if (headerSize == 40) {
        if (pos + 12 > n) return Fail(why, "channel masks past the end of the file");
        m = d + pos;
        pos += 12;
      }
      rm = U32(m), gm = U32(m + 4), bm = U32(m + 8);
    } else if (bitCount == 16) {
      rm = 0x7C00, gm = 0x03E0, bm = 0x001F;
    } else {
      rm = 0xFF0000, gm = 0xFF00, bm = 0xFF;
    }
    if (!MakeChannel(rm, bitCount, red) || !MakeChannel(gm, bitCount, green) || !MakeChannel(bm, bitCount, blue) ||
        (rm & gm) || (rm & bm) || (gm & bm))
      return Fail(why, "bad channel masks");
  }

  // The colour table.
  const int entrySize = headerSize == 12 ? 3 : 4;
  int64_t count;
  if (bitCount <= 8) {
    int64_t most = int64_t(1) << bitCount;
    if (headerSize == 12) {
      // OS/2 pictures imply a full table; a shorter one ends where the pixels start.
      if (offBits < pos + 3) return Fail(why, "no room for the colour table");
      count = std::min<int64_t>(most, (int64_t(offBits) - int64_t(pos)) / 3);
    } else {
      count = colorsUsed == 0 ? most : colorsUsed;
      if (count > most) return Fail(why, "more colours than the bits per pixel allow");
    }
  } else {
    if (colorsUsed > 256) return Fail(why, "colour table too large");
    count = colorsUsed;
  }
  if (pos + size_t(count) * entrySize > n || pos + size_t(count) * entrySize > offBits)
    return Fail(why, "colour table overlaps the pixels or the end of the file");
  if (bitCount <= 8) {
    for (int64_t i = 0; i < count; ++i) {
      const uint8_t* e = d + pos + i * entrySize;
      img.palette[i] = PaletteEntry{e[2], e[1], e[0], 0};
    }
    img.paletteCount = static_cast<int>(count);
  }
  if (offBits >= n) return Fail(why, "pixel offset past the end of the file");
  if (sizeImage != 0 && sizeImage > n - offBits) return Fail(why, "pixel data size past the end of the file");

  img.width = static_cast<int>(width);
  img.height = static_cast<int>(height);
  img.bitCount = bitCount;
  bool ok;
  if (compression == kRle8 || compression == kRle4) {
    ok = DecodeRle(why, compression == kRle4);
  } else {
    ok = DecodeUncompressed(why);
  }
  if (!ok) return false;

  if (bitCount <= 8) {
    img.pixels.resize(img.indices.size());
    for (size_t i = 0; i < img.indices.size(); ++i) {
      const PaletteEntry& e = img.palette[img.indices[i]];
      img.pixels[i] = uint32_t(e.red) << 16 | uint32_t(e.green) << 8 | e.blue;
    }
  }
  return true;
}

bool cDecoder::DecodeUncompressed(std::string& why) {
  const int w = img.width, h = img.height, bits = img.bitCount;
  const size_t stride = ((size_t(w) * bits + 31) / 32) * 4;
  if (stride * size_t(h) > n - offBits) return Fail(why, "pixel data cut short");
  if (bits <= 8) {
    img.indices.assign(size_t(w) * h, 0);
  } else {
    img.pixels.assign(size_t(w) * h, 0);
  }
  for (int fileRow = 0; fileRow < h; ++fileRow) {
    const uint8_t* src = d + offBits + stride * fileRow;
    int row = OutRow(fileRow);
    switch (bits) {
      case 1:
      case 4:
      case 8: {
        const int perByte = 8 / bits;
        const uint32_t mask = (1u << bits) - 1;
        for (int x = 0; x < w; ++x) {
          uint32_t byte = src[x / perByte];
          int shift = 8 - bits * (x % perByte + 1);
          if (!SetIndex(x, row, (byte >> shift) & mask)) return Fail(why, "pixel index beyond the colour table");
        }
        break;
      }
      case 16: {
        uint32_t* out = &img.pixels[size_t(row) * w];
        for (int x = 0; x < w; ++x) {
          uint32_t p = U16(src + 2 * x);
          out[x] = Extract(p, red) << 16 | Extract(p, green) << 8 | Extract(p, blue);
        }
        break;
      }
      case 24: {
        uint32_t* out = &img.pixels[size_t(row) * w];
        for (int x = 0; x < w; ++x)
          out[x] = uint32_t(src[3 * x + 2]) << 16 | uint32_t(src[3 * x + 1]) << 8 | src[3 * x];
        break;
      }
      case 32: {
        uint32_t* out = &img.pixels[size_t(row) * w];
        for (int x = 0; x < w; ++x) {
          uint32_t p = U32(src + 4 * x);
          out[x] = Extract(p, red) << 16 | Extract(p, green) << 8 | Extract(p, blue);
        }
        break;
      }
    }
  }
  return true;
}

// RLE8 and RLE4: pairs (count, value) with the escapes 0 0 (end of line), 0 1 (end
// of picture), 0 2 dx dy (move) and 0 n (n literal pixels, padded to two bytes).
// Pixels that the data skips keep index 0. Data that writes past its row or below
// the last row, or that ends without the end-of-picture mark, is refused.
bool cDecoder::DecodeRle(std::string& why, bool four) {
  const int w = img.width, h = img.height;
  img.indices.assign(size_t(w) * h, 0);
  size_t p = offBits;
  int x = 0, y = 0;
  for (;;) {
    if (p + 2 > n) return Fail(why, "RLE data ends without the end-of-picture mark");
    int count = d[p], value = d[p + 1];
    p += 2;
    if (count > 0) {
      if (y >= h || count > w - x) return Fail(why, "RLE run past the end of its row");
      for (int i = 0; i < count; ++i, ++x) {
        uint32_t index = four ? ((i & 1) ? value & 15 : value >> 4) : uint32_t(value);
        if (!SetIndex(x, OutRow(y), index)) return Fail(why, "pixel index beyond the colour table");
      }
      continue;
    }
    if (value == 0) {
      x = 0;
      ++y;
      if (y > h) return Fail(why, "RLE data past the last row");
    } else if (value == 1) {
      return true;
    } else if (value == 2) {
      if (p + 2 > n) return Fail(why, "RLE move cut short");
      x += d[p];
      y += d[p + 1];
      p += 2;
      if (x > w || y > h) return Fail(why, "RLE move outside the picture");
    } else {
      size_t bytes = four ? (size_t(value) + 1) / 2 : size_t(value);
      bytes = (bytes + 1) & ~size_t(1);
      if (p + bytes > n) return Fail(why, "RLE literal run cut short");
      if (y >= h || value > w - x) return Fail(why, "RLE literal run past the end of its row");
      for (int i = 0; i < value; ++i, ++x) {
        uint32_t index = four ? ((i & 1) ? d[p + i / 2] & 15 : d[p + i / 2] >> 4) : d[p + i];
        if (!SetIndex(x, OutRow(y), index)) return Fail(why, "pixel index beyond the colour table");
      }
      p += bytes;
    }
  }
}

}  // namespace

bool DecodeBmp(const uint8_t* data, size_t size, cBmpImage& out, std::string* why) {
  out = cBmpImage{};
  std::string reason;
  cDecoder decoder(data, size, out);
  if (data && decoder.Run(reason)) return true;
  if (!data) reason = "no data";
  out = cBmpImage{};
  if (why) *why = reason;
  return false;
}

bool LoadBmpFile(std::string_view gamePath, cBmpImage& out, std::string* why) {
  std::vector<uint8_t> bytes;
  ReadStatus status = ReadWholeFile(gamePath, bytes, kMaxBmpFileBytes);
  if (status == ReadStatus::kOk) return DecodeBmp(bytes.data(), bytes.size(), out, why);
  if (why) *why = ReadStatusText(status);
  out = cBmpImage{};
  return false;
}

}  // namespace plat
