#pragma once
#include <cstdint>

#include "platform/display/surface.h"

// The quad rasteriser of the Direct3D-like device: transformed vertices (screen
// pixels, pixel centres at whole numbers), one texture stage with the colour and
// alpha operations the drawing layer uses, point sampling, and blending into the
// render target in 8-bit integer arithmetic. Axis-aligned quads take an exact
// integer path; everything is deterministic.
namespace plat {

// A transformed, lit vertex with one texture coordinate pair (28 bytes).
struct Vertex {
  float x, y, z, rhw;
  uint32_t diffuse;  // A8R8G8B8
  float u, v;
};
static_assert(sizeof(Vertex) == 28, "a vertex is 28 bytes");

// Texture-stage operations.
constexpr uint32_t kTopDisable = 1;
constexpr uint32_t kTopSelectArg1 = 2;
constexpr uint32_t kTopSelectArg2 = 3;
constexpr uint32_t kTopModulate = 4;
constexpr uint32_t kTopModulate2x = 5;
constexpr uint32_t kTopModulate4x = 6;
constexpr uint32_t kTopAdd = 7;
constexpr uint32_t kTopAddSigned = 8;
constexpr uint32_t kTopSubtract = 10;
constexpr uint32_t kTopBlendFactorAlpha = 14;
// Texture-stage arguments (stage 0: "current" is the diffuse colour).
constexpr uint32_t kArgDiffuse = 0;
constexpr uint32_t kArgCurrent = 1;
constexpr uint32_t kArgTexture = 2;
constexpr uint32_t kArgTFactor = 3;
// Blend factors.
constexpr uint32_t kBlendZero = 1;
constexpr uint32_t kBlendOne = 2;
constexpr uint32_t kBlendSrcAlpha = 5;
constexpr uint32_t kBlendInvSrcAlpha = 6;
// Texture addressing.
constexpr uint32_t kAddressWrap = 1;
constexpr uint32_t kAddressClamp = 3;

struct StageState {
  uint32_t colorOp = kTopModulate, colorArg1 = kArgTexture, colorArg2 = kArgCurrent;
  uint32_t alphaOp = kTopSelectArg1, alphaArg1 = kArgTexture, alphaArg2 = kArgCurrent;
};

struct RasterState {
  StageState stage;
  uint32_t textureFactor = 0xFFFFFFFF;
  bool alphaBlend = false;
  uint32_t srcBlend = kBlendOne, dstBlend = kBlendZero;
  uint32_t addressU = kAddressWrap, addressV = kAddressWrap;
};

// Draws the triangle strip v[0..count) into target inside the viewport. texture
// may be null (texture arguments then read opaque white).
void RasterizeStrip(cSurface& target, const cSurface* texture, const RasterState& state, const Vertex* v,
                    int count, const Rect& viewport);

// The same drawing with every pixel through ShadePixel and BlendPixel one by
// one, without the fast rows: what the fast rows are checked against.
void RasterizeStripReference(cSurface& target, const cSurface* texture, const RasterState& state, const Vertex* v,
                             int count, const Rect& viewport);

// Whether the stage reads the texture at all.
bool StageUsesTexture(const StageState& stage);

// Combines one pixel the way the stage and blend states say (exposed for tests):
// texel and the result are A8R8G8B8; dst is the target's present colour.
uint32_t ShadePixel(const RasterState& state, uint32_t texel, uint32_t diffuse);
uint32_t BlendPixel(const RasterState& state, uint32_t src, uint32_t dst);

}  // namespace plat
