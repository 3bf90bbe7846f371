// The display part of the report: the back end's lines, the Direct3D-like
// device's description of itself and its format table under the detail flag.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/display_setup.h"
#include "draw/dd_globals.h"
#include "platform/display/d3d_device.h"
#include "tests/support/draw_fixture.h"

namespace {

class DisplayReport : public cDrawTest {
 protected:
  // The report's lines from the first display line on.
  std::vector<std::string> DisplayLines() const {
    std::vector<std::string> lines = m_dir->ReportLines();
    size_t first = 0;
    while (first < lines.size() && lines[first].rfind("Mode : ", 0) != 0) ++first;
    return std::vector<std::string>(lines.begin() + static_cast<long>(first), lines.end());
  }
};

TEST_F(DisplayReport, TheDirect3DPartDescribesTheDeviceAndItsFormatsWithTheDetailFlag) {
  ASSERT_TRUE(StartLayer({1, 32, 0}));
  ASSERT_TRUE(ReportDisplayInfo(1));
  const std::vector<std::string> want = {
      "Mode : Fullscreen",
      "Bpp : 32",
      "Software display device 1.0",
      "TextureMem : ",
      SJ("---デバイス0"),
      "Destination : Software quad rasteriser",
      "VRAM : 256 MB",
      "Driver : korvane_display 1.00.0000.0001",
      "DDI : 9",
      "TextureMaxSize : (8192,8192)",
      "TextureMaxBlend : (1,1)",
      "D3DCAPS3_ALPHA_FULLSCREEN_FLIP_OR_DISCARD",
      "D3DCAPS2_DYNAMICTEXTURES",
      std::string("AU-SU") + SJ("× ") + "AU-TE" + SJ("× "),
      std::string("DE-SU") + SJ("× ") + "DE-TE" + SJ("× "),
      std::string("DM-SU") + SJ("× ") + "DM-TE" + SJ("× "),
      std::string("DO-SU") + SJ("？ ") + "DO-TE" + SJ("？ "),
      std::string("DY-SU") + SJ("？ ") + "DY-TE" + SJ("○ "),  // a plain surface is never dynamic
      std::string("NP-SU") + SJ("？ ") + "NP-TE" + SJ("？ "),
      std::string("PO-SU") + SJ("？ ") + "PO-TE" + SJ("？ "),
      std::string("RT-SU") + SJ("？ ") + "RT-TE" + SJ("？ "),
      std::string("RE-SU") + SJ("○ ") + "RE-TE" + SJ("○ "),
      std::string("SO-SU") + SJ("？ ") + "SO-TE" + SJ("？ "),
      std::string("WR-SU") + SJ("？ ") + "WR-TE" + SJ("？ "),
      std::string("DirectDraw : ") + SJ("○"),
      std::string("Direct3D : ") + SJ("○"),
      std::string("AGP : ") + SJ("×"),
  };
  const std::vector<std::string> got = DisplayLines();
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i) EXPECT_EQ(got[i].rfind(want[i], 0), 0u) << got[i];
  // Texture memory: what the device has left after the layer's own textures.
  const int mb = std::stoi(got[3].substr(13));
  EXPECT_GT(mb, 0);
  EXPECT_LE(mb, 256);
}

TEST_F(DisplayReport, WithoutTheDetailFlagNoFormatTableAndUnderDirectDrawNoDevicePart) {
  ASSERT_TRUE(StartLayer({1, 16, 0}));
  ASSERT_TRUE(ReportDisplayInfo(0));
  std::vector<std::string> got = DisplayLines();
  ASSERT_EQ(got.size(), 16u);
  EXPECT_EQ(got[12], "D3DCAPS2_DYNAMICTEXTURES");
  EXPECT_EQ(got[13], std::string("DirectDraw : ") + SJ("○"));
  // A machine without dynamic textures, and formats the device does not take.
  using plat::PixelFormat;
  plat::DisplayControl().Machine().caps.dynamicTextures = false;
  EXPECT_EQ(lpD3D->CheckDeviceFormat(PixelFormat::kR5G6B5, plat::FormatUsage::kDynamic, plat::ResourceKind::kTexture,
                                     PixelFormat::kA1R5G5B5),
            plat::kErrNotAvailable);
  EXPECT_EQ(lpD3D->CheckDeviceFormat(PixelFormat::kR5G6B5, plat::FormatUsage::kRenderTarget,
                                     plat::ResourceKind::kTexture, PixelFormat::kP8),
            plat::kErrNotAvailable);
  EXPECT_EQ(lpD3D->CheckDeviceFormat(PixelFormat::kUnknown, plat::FormatUsage::kRenderTarget,
                                     plat::ResourceKind::kSurface, PixelFormat::kA1R5G5B5),
            plat::kErrNotAvailable);
  DDRelease();
  cTempDir fresh;
  ASSERT_TRUE(draw_tool::WriteSheetProject());
  ASSERT_TRUE(StartLayer({0, 32, 1}));
  ASSERT_TRUE(ReportDisplayInfo(1));
  const std::vector<std::string> lines = fresh.ReportLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back().rfind("RR : ", 0), 0u);
  for (const std::string& l : lines) EXPECT_EQ(l.find("Driver : "), std::string::npos);
}

}  // namespace
