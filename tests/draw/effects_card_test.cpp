#include <gtest/gtest.h>

#include <utility>

#include "platform/display/png_writer.h"
#include "tests/support/draw_fixture.h"

namespace {

class EffectsCard : public cDrawTest {};

// Golden frames of the effects card (every pixel effect, effects cut at the
// edges, 8-bit palette rotation and blending, a fade part of the way), compared
// by hash. A mismatch writes the frame next to the test binary for a look.
TEST_F(EffectsCard, GoldenFrames) {
  const std::pair<draw_tool::DrawConfig, uint64_t> goldens[] = {
      {{0, 8, 0}, 0xd6aa8faac259d4e7ull},  {{0, 16, 0}, 0x75429b6b3098a1f2ull},
      {{0, 32, 0}, 0x7242e582329e8a0cull}, {{1, 16, 0}, 0xc901a893b439387aull},
      {{1, 16, 1}, 0x3cd5360f982e8198ull}, {{1, 32, 0}, 0xc3f87f8b69042c1dull},
  };
  for (const auto& [config, hash] : goldens) {
    SCOPED_TRACE(config.Name());
    ASSERT_TRUE(draw_tool::StartDrawing(config));
    plat::PresentedFrame frame;
    ASSERT_TRUE(draw_tool::DrawCard("effects", &frame));
    ASSERT_EQ(frame.width, 640);
    ASSERT_EQ(frame.height, 480);
    uint64_t actual = draw_tool::FrameHash(frame.pixels);
    if (actual != hash) {
      std::string file = std::string(KORVANE_BIN_DIR) + "/golden-effects-" + config.Name() + ".png";
      plat::WritePngFile(file, frame.pixels.data(), frame.width, frame.height);
      ADD_FAILURE() << "frame hash " << std::hex << actual << " (written to " << file << ")";
    }
    draw_tool::StopDrawing();
  }
}

}  // namespace
