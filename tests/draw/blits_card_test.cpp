#include <gtest/gtest.h>

#include <utility>

#include "platform/display/png_writer.h"
#include "tests/support/draw_fixture.h"

namespace {

class BlitsCard : public cDrawTest {};

// Golden frames of the blits card (every blit kind, mirroring, stretching, the
// four edges, fills, pixels, circles, frames, numbers and sheet text), compared by
// hash. A mismatch writes the frame next to the test binary for a look.
TEST_F(BlitsCard, GoldenFrames) {
  const std::pair<draw_tool::DrawConfig, uint64_t> goldens[] = {
      {{0, 8, 0}, 0xc6356deb65bdc574ull},  {{0, 16, 0}, 0x2e5aa6bf753b7219ull},
      {{0, 32, 0}, 0xe1de4b2840c56d74ull}, {{0, 16, 1}, 0x2e5aa6bf753b7219ull},
      {{0, 32, 1}, 0xe1de4b2840c56d74ull}, {{1, 16, 0}, 0x9eb866e089a0301full},
      {{1, 16, 1}, 0x2629c59fef4a06d0ull}, {{1, 32, 0}, 0xaf0db1a8cab5f8adull},
      {{1, 32, 1}, 0xaf0db1a8cab5f8adull},
  };
  for (const auto& [config, hash] : goldens) {
    SCOPED_TRACE(config.Name());
    ASSERT_TRUE(draw_tool::StartDrawing(config));
    plat::PresentedFrame frame;
    ASSERT_TRUE(draw_tool::DrawCard("blits", &frame));
    ASSERT_EQ(frame.width, 640);
    ASSERT_EQ(frame.height, 480);
    uint64_t actual = draw_tool::FrameHash(frame.pixels);
    if (actual != hash) {
      std::string file = std::string(KORVANE_BIN_DIR) + "/golden-blits-" + config.Name() + ".png";
      plat::WritePngFile(file, frame.pixels.data(), frame.width, frame.height);
      ADD_FAILURE() << "frame hash " << std::hex << actual << " (written to " << file << ")";
    }
    draw_tool::StopDrawing();
  }
}

}  // namespace
