#include "platform/display/pixman_compare.h"

#include <pixman.h>

#include <cmath>

namespace plat::pixman_compare {
namespace {

pixman_format_code_t CodeOf(PixelFormat f) {
  switch (f) {
    case PixelFormat::kR5G6B5: return PIXMAN_r5g6b5;
    case PixelFormat::kA1R5G5B5: return PIXMAN_a1r5g5b5;
    case PixelFormat::kX8R8G8B8: return PIXMAN_x8r8g8b8;
    default: return PIXMAN_a8r8g8b8;
  }
}

// A pixman image over the surface's own pixels.
pixman_image_t* Wrap(const cSurface& s) {
  return pixman_image_create_bits(CodeOf(s.Format()), s.Width(), s.Height(),
                                  reinterpret_cast<uint32_t*>(const_cast<uint8_t*>(s.Bits())), s.Pitch());
}

}  // namespace

void Composite(cSurface& dst, const cSurface& src, Op op, int sx, int sy, int dx, int dy, int w, int h,
               uint32_t alpha) {
  pixman_image_t* d = Wrap(dst);
  pixman_image_t* s = Wrap(src);
  pixman_image_t* mask = nullptr;
  if (alpha < 255) {
    const uint16_t a16 = static_cast<uint16_t>(alpha * 257);
    const pixman_color_t colour{0, 0, 0, a16};
    mask = pixman_image_create_solid_fill(&colour);
  }
  pixman_image_composite32(op == Op::kOver ? PIXMAN_OP_OVER : PIXMAN_OP_SRC, s, mask, d, sx, sy, 0, 0, dx, dy, w,
                           h);
  if (mask) pixman_image_unref(mask);
  pixman_image_unref(s);
  pixman_image_unref(d);
}

void Rotate(cSurface& dst, const cSurface& src, double degrees) {
  pixman_image_t* d = Wrap(dst);
  pixman_image_t* s = Wrap(src);
  // Destination pixel -> source pixel: move the target's centre to the origin,
  // turn back, move to the picture's centre.
  const double rad = degrees * 3.14159265358979323846 / 180.0;
  const double c = std::cos(rad), sn = std::sin(rad);
  const double cx = dst.Width() / 2.0, cy = dst.Height() / 2.0, px = src.Width() / 2.0, py = src.Height() / 2.0;
  pixman_f_transform_t f;
  f.m[0][0] = c, f.m[0][1] = sn, f.m[0][2] = px - c * cx - sn * cy;
  f.m[1][0] = -sn, f.m[1][1] = c, f.m[1][2] = py + sn * cx - c * cy;
  f.m[2][0] = 0, f.m[2][1] = 0, f.m[2][2] = 1;
  pixman_transform_t t;
  pixman_transform_from_pixman_f_transform(&t, &f);
  pixman_image_set_transform(s, &t);
  pixman_image_set_filter(s, PIXMAN_FILTER_NEAREST, nullptr, 0);
  pixman_image_set_repeat(s, PIXMAN_REPEAT_NONE);
  pixman_image_composite32(PIXMAN_OP_OVER, s, nullptr, d, 0, 0, 0, 0, 0, 0, dst.Width(), dst.Height());
  pixman_image_unref(s);
  pixman_image_unref(d);
}

}  // namespace plat::pixman_compare
