#pragma once
#include <cstdint>
#include <memory>

#include "draw/dd_types.h"

// Building blocks of the Direct3D quads, shared by the single draws and the batches.

// A blit's quad: positions at the pixel edges (pixel coordinates minus 0.5),
// texture coordinates the source pixels over the texture's size. Top-left,
// bottom-left, top-right, bottom-right.
void DDWriteBltQuad(plat::Vertex* v, int x, int y, int nWidth, int nHeight, const DDSURFACEDATA* lpSrcSD, int sx,
                    int sy, int nSrcWidth, int nSrcHeight, uint32_t dwDiffuse);
// A fill's quad over a rectangle already cut to its target; texture coordinates
// (0,0), (0,h), (w,0), (w,h).
void DDWriteFillQuad(plat::Vertex* v, const plat::Rect& rect, uint32_t dwColor);

// The colour an unkeyed blit of a keyed source clears its rectangle to first.
uint32_t DDBltKeyClearColor(const DDSURFACEDATA* lpDstSD);
// Clears a blit's destination rectangle of the current render target to that colour.
void DDClearBltRect(const DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight);
// True when a blit with these operations writes every pixel of its rectangle
// opaque whatever its texels (texture alpha off, vertex alpha full, under the
// standard blend the layer keeps): clearing the rectangle first changes nothing.
bool DDBltCoversRect(uint32_t dwAlphaOp, uint32_t dwDiffuse);
// Texture stage 0 for blits: argument 1 the texture, argument 2 the diffuse colour.
void DDSetBltStage(uint32_t dwColorOp, uint32_t dwAlphaOp);

// Texture stage 0 of an effect's own quad.
struct DDQUADSTAGE {
  uint32_t dwColorOp, dwColorArg1, dwColorArg2;
  uint32_t dwAlphaOp, dwAlphaArg1, dwAlphaArg2;
};
// Results of DDDrawEffectQuad.
constexpr int DDQUAD_DRAWN = 0;      // drawn (the device's own result aside)
constexpr int DDQUAD_NO_BUFFER = 1;  // the vertex buffer could not be filled: nothing drawn
constexpr int DDQUAD_NO_TARGET = 2;  // no scene, or the target cannot be the render target: nothing drawn
// One effect quad: the four vertices (top-left, bottom-left, top-right,
// bottom-right) go into lpVBOwnerSD's four-vertex buffer, the scene is begun,
// lpTargetSD made the render target, the stage and texture set and the strip
// drawn; the default render target is current again afterwards.
int DDDrawEffectQuad(DDSURFACEDATA* lpTargetSD, DDSURFACEDATA* lpVBOwnerSD, const plat::Vertex* v,
                     const DDQUADSTAGE& stage, const std::shared_ptr<plat::cTexture>& texture);
