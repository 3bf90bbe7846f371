#pragma once
#include <cstdint>

#include "chara/shot.h"
#include "stage/message.h"
#include "stage/screen_color.h"

struct DDSURFACEDATA;

// The records that the stage-play scene keeps lists of and that later parts of
// stage play fill in: shots in flight, message windows, running effects, shown
// pictures, the running screen effect and the screen colour. Each holds what the
// scene itself needs of it so far. Shots are characters' business (chara/shot.h).

class cChara;  // a character of the stage (the player or a stage character)

// A running effect.
class cEffect {
 public:
  virtual ~cEffect() = default;
  // 1 when the effect is over.
  int Draw(DDSURFACEDATA* target, int held);
};

// A shown picture.
struct cPictureShown {
  int32_t nNumber = 0;
};

// The running screen effect: a nonzero effect number makes drawing go through the
// virtual back buffer.
struct cScrEffectState {
  int32_t nEffect = 0;
  void Reset() { *this = cScrEffectState(); }
};
