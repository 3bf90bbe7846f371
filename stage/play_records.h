#pragma once
#include <cstdint>

#include "chara/shot.h"
#include "data/scr_effect_anime.h"
#include "stage/effect.h"
#include "stage/picture.h"
#include "stage/screen_color.h"

struct DDSURFACEDATA;

// The records that the stage-play scene keeps lists of and that later parts of
// stage play fill in: shots in flight, message windows, running effects, shown
// pictures, the running screen effect and the screen colour. Each holds what the
// scene itself needs of it so far. Shots are characters' business (chara/shot.h).

struct cHitBox;
class cChara;  // a character of the stage (the player or a stage character)

// An open message window.
class cMessage {
 public:
  virtual ~cMessage() = default;
  // 1 when the message is to be removed.
  int Draw(DDSURFACEDATA* target, int held);
  // Fills the message: what it shows, where, for how long and how it opens.
  void Set(int kind, const char* text, int iconKind, int iconNumber, int iconOption, int positionMode, int blockX,
           int blockY, int offsetX, int offsetY, int keepInside, int fixed, int displayMode, int displayTime,
           int countsWhileHeld, int chara, int noOpening, int expand, int refresh, int refreshPeriod, int window,
           int hasId, int id, int keepSurface);
};


