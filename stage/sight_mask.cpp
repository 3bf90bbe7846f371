// The sight surfaces: a mask of the background colour, larger than the screen on
// every side, with a transparent window (a circle or a square) in its middle that
// the player's drawing cuts out around the player.
#include "stage/sight_mask.h"

#include <algorithm>

#include "app/base/message_box.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "draw/dd_blit.h"
#include "draw/dd_distort.h"
#include "draw/dd_surface.h"
#include "stage/stage_scene.h"

DDSURFACEDATA SightMask;
DDSURFACEDATA SightShape;

namespace {

constexpr int kMaskColour = 16;

bool CreateEmpty(DDSURFACEDATA* s, int w, int h) {
  if (DDCreateSurface(s, w, h, 1, DDMEMKIND_VIDEO, DTMEMORYTYPE_VIDEO_RT, 0, 0)) return true;
  OutOfMemory();
  return false;
}

}  // namespace

int SightRadius(int sightDots) { return std::clamp(sightDots, 0, kMaxSightRadius); }

void ReleaseSightSurfaces() {
  DDReleaseSurface(&SightMask);
  DDReleaseSurface(&SightShape);
}

void cStageScene::CreateSightSurfaces(DDSURFACEDATA* mask, DDSURFACEDATA* shape) {
  DDReleaseSurface(mask);
  DDReleaseSurface(shape);
  const cPlayer* pl = Player.empty() ? nullptr : &Player.front();
  const int r = SightRadius(pl ? pl->m_nSightDots : 0);
  const int w = 1280 + 2 * r, h = 960 + 2 * r;
  if (!CreateEmpty(mask, w, h)) return;
  DDFillSurfacePal(mask, kMaskColour);
  if (r == 0) return;
  const int mode = pl ? pl->m_Def.nSightShape : 0;
  if (mode != 1 && mode != 2) {
    DDFillRectPal(mask, w / 2 - r, h / 2 - r, 2 * r, 2 * r, 0);
    return;
  }
  if (!CreateEmpty(shape, 2 * r, 2 * r)) return;
  DDFillSurfacePal(shape, 0);
  // Copied without the key, the shape's transparent pixels open the circle.
  DDBltCircle(mask, w / 2, h / 2, r, r, r, 1, shape, r, r, 0);
}
