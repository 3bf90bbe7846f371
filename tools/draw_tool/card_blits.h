#pragma once

// The blits card: every blit kind, mirroring, stretching, clipping at the four
// screen edges, fills, pixels, circles, frames, numbers and sheet text, drawn
// into the back buffer (the system surfaces must be loaded).
namespace draw_tool {
void DrawBlitsCard();
}  // namespace draw_tool
