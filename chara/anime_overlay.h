#pragma once
#include <cstdint>

#include "app/base/vector.h"
#include "app/svc/anime_player.h"

// The value an overlay's animation gives when it has run to its end.
constexpr int32_t kAnimeOverlayEnd = -4;

// An extra animation laid over a character's base animation: the lead-in of a
// command (appended at the end of the list) or one started by the animation
// command (inserted at the front).
struct cAnimeOverlay {
  cAnimePlayer Anime;
  int32_t bLeadIn = 0;     // started as the lead-in of a command
  int32_t nCountdown = 0;  // frames of the lead-in left; goes below 0
  int32_t nFrames = 0;     // the command's frames
  int32_t nFlowKey = 0;    // the flow that started it
  int32_t bPaused = 0;
};

// The overlay whose frame is shown, or -1 for the base animation: a lead-in wins
// over command overlays, and among command overlays the front (newest) one.
int ChooseOverlay(const cVector<cAnimeOverlay>& overlays);
