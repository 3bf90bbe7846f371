#include <gtest/gtest.h>

#include "platform/display/pixel_format.h"

namespace {

using plat::PixelFormat;

TEST(PixelFormat, ChannelWideningAndNarrowingAreTheDefinedOnes) {
  for (uint32_t c = 0; c < 32; ++c) {
    EXPECT_EQ(plat::Expand5(c), (c << 3) | (c >> 2));
    EXPECT_EQ(plat::Narrow5(plat::Expand5(c)), c);  // a round trip keeps every 5-bit value
  }
  for (uint32_t c = 0; c < 64; ++c) {
    EXPECT_EQ(plat::Expand6(c), (c << 2) | (c >> 4));
    EXPECT_EQ(plat::Narrow6(plat::Expand6(c)), c);
  }
  EXPECT_EQ(plat::Expand5(31), 255u);
  EXPECT_EQ(plat::Expand6(63), 255u);
  EXPECT_EQ(plat::Narrow5(7), 0u);  // truncation, not rounding
  EXPECT_EQ(plat::Narrow6(255), 63u);
}

TEST(PixelFormat, ConversionsBetweenStoredPixelsAndArgb) {
  struct Case {
    PixelFormat format;
    uint32_t argb, pixel, back;  // argb -> pixel -> back to argb
  } cases[] = {
      {PixelFormat::kR5G6B5, 0xFF123456, (0x12 >> 3) << 11 | (0x34 >> 2) << 5 | (0x56 >> 3), 0xFF103452},
      {PixelFormat::kR5G6B5, 0x00FFFFFF, 0xFFFF, 0xFFFFFFFF},  // no alpha: opaque
      {PixelFormat::kA1R5G5B5, 0x80FF0000, 0x8000 | 31 << 10, 0xFFFF0000},
      {PixelFormat::kA1R5G5B5, 0x7F0000FF, 31, 0x000000FF},  // alpha below 128: clear
      {PixelFormat::kX8R8G8B8, 0x40ABCDEF, 0x00ABCDEF, 0xFFABCDEF},
      {PixelFormat::kA8R8G8B8, 0x40ABCDEF, 0x40ABCDEF, 0x40ABCDEF},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(plat::PixelFormatName(c.format));
    EXPECT_EQ(plat::ArgbToPixel(c.format, c.argb), c.pixel);
    EXPECT_EQ(plat::PixelToArgb(c.format, c.pixel), c.back);
  }
  plat::PaletteEntry palette[256] = {};
  palette[7] = {1, 2, 3, 0};
  EXPECT_EQ(plat::PixelToArgb(PixelFormat::kP8, 7, palette), 0xFF010203u);
}

TEST(PixelFormat, MasksDescribeEachFormat) {
  plat::ChannelMasks m = plat::MasksOf(PixelFormat::kR5G6B5);
  EXPECT_EQ(m.redShift, 11);
  EXPECT_EQ(m.greenMask, 63);
  m = plat::MasksOf(PixelFormat::kA1R5G5B5);
  EXPECT_EQ(m.redShift, 10);
  EXPECT_EQ(m.alphaShift, 15);
  EXPECT_EQ(m.alphaMask, 1);
  EXPECT_EQ(plat::BytesPerPixel(PixelFormat::kP8), 1);
  EXPECT_EQ(plat::BytesPerPixel(PixelFormat::kA8R8G8B8), 4);
}

}  // namespace
