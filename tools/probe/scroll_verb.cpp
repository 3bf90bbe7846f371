// scroll: the two scroll axes of a stage set up as stage set-up does, then frames
// of logic steps, each advancing the horizontal and the vertical axis, moving the
// player by its speeds and running the player's camera follow on every axis that
// does not scroll by itself. Nothing else moves or clamps the player.
#include <cstdio>

#include "data/stage.h"
#include "stage/scroll_axis.h"
#include "stage/scroll_setup.h"
#include "tools/probe/probe.h"

namespace {

constexpr long long kMaxBlocks = 100000;

int Scroll(probe::cArgs& a, std::string& error) {
  cEdStage stage;
  int steps = 1, frames = 0, width = 0, height = 0;
  double x = 0, y = 0, vx = 0, vy = 0;
  bool ok = a.Int("columns", stage.nWidth, 0, kMaxBlocks, error) && a.Int("rows", stage.nHeight, 0, kMaxBlocks, error) &&
            a.Int("first-column", stage.nLimitLeft, -kMaxBlocks, kMaxBlocks, error) &&
            a.Int("last-column", stage.nLimitRight, -kMaxBlocks, kMaxBlocks, error) &&
            a.Flag("limit-left", stage.bLimitLeft, error) && a.Flag("limit-right", stage.bLimitRight, error) &&
            a.Int("first-row", stage.nLimitTop, -kMaxBlocks, kMaxBlocks, error) &&
            a.Int("last-row", stage.nLimitBottom, -kMaxBlocks, kMaxBlocks, error) &&
            a.Flag("limit-top", stage.bLimitTop, error) && a.Flag("limit-bottom", stage.bLimitBottom, error) &&
            a.Flag("auto-scroll-x", stage.bAutoScrollX, error) &&
            a.Int("auto-scroll-speed-x", stage.nAutoScrollSpeedX, -1000000, 1000000, error) &&
            a.Flag("auto-scroll-y", stage.bAutoScrollY, error) &&
            a.Int("auto-scroll-speed-y", stage.nAutoScrollSpeedY, -1000000, 1000000, error) &&
            a.Int("steps-per-frame", steps, 1, 1000, error) && a.Double("player-x", x, error) &&
            a.Double("player-y", y, error) && a.Int("player-width", width, 0, 100000, error) &&
            a.Int("player-height", height, 0, 100000, error) && a.Double("player-speed-x", vx, error) &&
            a.Double("player-speed-y", vy, error) && a.Int("frames", frames, 0, 1000000, error) &&
            a.NoneLeft(error);
  if (!ok) return 2;
  cScrollAxis h, v;
  SetUpScrollAxes(stage, steps, h, v);
  CentreView(h, v, x, y, width, height);
  auto print = [&](int frame) {
    std::printf("frame=%d view_x=%s view_y=%s clamped_x=%d clamped_y=%d\n", frame, probe::Number(h.m_dPos).c_str(),
                probe::Number(v.m_dPos).c_str(), h.m_bClamped, v.m_bClamped);
  };
  print(0);
  for (int f = 1; f <= frames; ++f) {
    for (int s = 0; s < steps; ++s) {
      h.Advance();
      v.Advance();
      x += vx;
      y += vy;
      if (!h.m_bAuto) h.Follow(x, width);
      if (!v.m_bAuto) v.Follow(y, height);
    }
    print(f);
  }
  return 0;
}

}  // namespace

PROBE_VERB("scroll",
           "--columns --rows --first-column --last-column --limit-left --limit-right --first-row --last-row "
           "--limit-top --limit-bottom --auto-scroll-x --auto-scroll-speed-x --auto-scroll-y --auto-scroll-speed-y "
           "--steps-per-frame --player-x --player-y --player-width --player-height --player-speed-x "
           "--player-speed-y --frames",
           Scroll);
