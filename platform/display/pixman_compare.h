#pragma once
#include <cstdint>

#include "platform/display/surface.h"

// The same drawing work done through pixman, for the comparison benchmark only:
// the game's pixels come from the display device's own loops (pixman rounds the
// per-pixel blend twice, once when the source is premultiplied and once in the
// blend, where the device rounds once). Surfaces are wrapped, not copied.
namespace plat::pixman_compare {

enum class Op { kOver, kSrc };

// Composites src (sx, sy, w, h) to dst at (dx, dy); alpha below 255 is a solid
// mask (constant alpha). The formats must be ones pixman knows (16 and 32 bits).
void Composite(cSurface& dst, const cSurface& src, Op op, int sx, int sy, int dx, int dy, int w, int h,
               uint32_t alpha = 255);

// Draws src turned by degrees about its centre, centred on dst, point-sampled.
void Rotate(cSurface& dst, const cSurface& src, double degrees);

}  // namespace plat::pixman_compare
