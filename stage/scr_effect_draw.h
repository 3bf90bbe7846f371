#pragma once
#include <functional>

#include "data/scr_effect_anime.h"

// The drawers of the screen effects: each redraws the frame drawn so far (the back
// buffer) distorted by the running effect and, unless the frame is held, moves
// the effect on by one frame.

// What a drawer needs of the stage besides the effect.
struct cScrEffectView {
  int nCenterX = 320;  // player 1's centre on the screen
  int nCenterY = 240;
  // Draws the stage's back and front layers over the whole screen (kind 8).
  std::function<void()> DrawLayers;
};

constexpr int kScrEffectDrawers = 14;

// Draws one frame of the running effect with the drawer of its definition's kind:
// 1 when the effect has ended. A kind beyond the drawers draws nothing and ends.
int DrawScrEffectFrame(cScrEffectAnime& effect, const cScrEffectView& view, int held);

// A parameter of the running definition, held inside its editing limits, so that
// a damaged definition never divides by 0 or sizes by a negative count.
int ScrEffectParam(const cScrEffectAnime& effect, int slot);

// Kinds 10 and 12: how far the picture reaches from the centre on each side.
int ScrEffectHalfWidth(int cx);
int ScrEffectHalfHeight(int cy);

// Kind 11 at a zoom of 1 or more: the left, top, width and height of the part of
// the screen that is stretched over it, centred on (cx, cy) and held inside the
// screen. z = value / 640.
struct cZoomWindow {
  int x, y;
  double w, h;
};
cZoomWindow ScrEffectZoomWindow(double value, int cx, int cy);
