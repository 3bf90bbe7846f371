#pragma once
#include "draw/dd_types.h"

// The sight surfaces of the stage: the mask laid over the screen around player 1
// (transparent where the player sees) and the circle's shape it is stamped from.
// Built by the stage's set-up and whenever player 1's sight changes.
extern DDSURFACEDATA SightMask;
extern DDSURFACEDATA SightShape;

// The sight radius in dots that the surfaces are built for: below 0 is 0, and a
// window wider than the screen from any place on it shows no more, so the radius
// stops at 800 (the screen's diagonal) and the mask stays a few megabytes.
constexpr int kMaxSightRadius = 800;
int SightRadius(int sightDots);

// Releases both sight surfaces.
void ReleaseSightSurfaces();
