#include <gtest/gtest.h>

#include <fstream>

#include "platform/display/frame_capture.h"
#include "platform/present_slot.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(FrameCapture, ParsesTheFrameList) {
  EXPECT_EQ(plat::ParseFrameList("60,1,x,0,-3,60,120"), (std::vector<uint64_t>{1, 60, 120}));
  EXPECT_TRUE(plat::ParseFrameList("").empty());
}

TEST(FrameCapture, WritesTheListedFramesAsPng) {
  cTempDir dir(false);
  const uint64_t first = plat::SubmittedFrameCount() + 1;
  plat::InstallFrameCapture(dir.Path() + "/dump", {first + 1, first + 5});
  std::vector<uint32_t> pixels(4 * 3, 0x00FF8000);
  for (int i = 0; i < 3; ++i) plat::SubmitFrame(pixels.data(), 4, 3);
  plat::RemoveFrameCapture();
  char name[64];
  std::snprintf(name, sizeof name, "dump/frame-%06llu.png", static_cast<unsigned long long>(first + 1));
  ASSERT_TRUE(dir.Exists(name));
  std::vector<unsigned char> png = dir.Read(name);
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");
  std::snprintf(name, sizeof name, "dump/frame-%06llu.png", static_cast<unsigned long long>(first));
  EXPECT_FALSE(dir.Exists(name));
}

}  // namespace
