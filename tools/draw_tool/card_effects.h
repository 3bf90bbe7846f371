#pragma once

// The effects card: every pixel effect of the drawing layer (blur, mosaic, wave,
// split, turning card, burst, circle, lens, colour blend, translucency, rotation
// in both Direct3D paths, the Direct3D tint), effects cut at the screen edges,
// palette rotation and blending on an 8-bit screen (swatches), and a fade part of
// the way over the backdrop, drawn into the back buffer (the system surfaces must
// be loaded). FinishEffectsCard completes the fade after the frame was presented,
// so that the next card starts with the fade at rest.
namespace draw_tool {
void DrawEffectsCard();
void FinishEffectsCard();
}  // namespace draw_tool
