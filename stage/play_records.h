#pragma once
#include <cstdint>

#include "chara/shot.h"
#include "data/scr_effect_anime.h"
#include "stage/effect.h"
#include "stage/message.h"
#include "stage/picture.h"
#include "stage/screen_color.h"

struct DDSURFACEDATA;

// The records that the stage-play scene keeps lists of and that later parts of
// stage play fill in: shots in flight, message windows, running effects, shown
// pictures, the running screen effect and the screen colour. Each holds what the
// scene itself needs of it so far. Shots are characters' business (chara/shot.h).

struct cHitBox;
class cChara;  // a character of the stage (the player or a stage character)


