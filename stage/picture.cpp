// Pictures over the stage: each drawn from its own surface in its pass, and
// removed with its surface when its time runs out.
#include "stage/picture.h"

#include "draw/dd_blit.h"
#include "draw/dd_pixel_ops.h"
#include "draw/dd_surface.h"
#include "draw/play_surfaces.h"
#include "stage/stage_scene.h"

namespace {

void ScrollOf(int& sx, int& sy) {
  const cStageScene* scene = StageScene();
  sx = scene ? DDTruncToInt(scene->m_ScrollX.m_dPos) : 0;
  sy = scene ? DDTruncToInt(scene->m_ScrollY.m_dPos) : 0;
}

}  // namespace

void cPicture::Set(int number, double x, double y, int width, int height, int fixedToScreen, int pass, int sizePercent,
                   int displayMode, int displayTime, int countsWhileHeld, int hasId, int id) {
  m_nNumber = number;
  m_dX = x;
  m_dY = y;
  m_nWidth = width;
  m_nHeight = height;
  m_bScaled = sizePercent != 100 ? 1 : 0;
  m_nPass = pass;
  m_nDisplayMode = displayMode;
  m_nDisplayTime = displayTime;
  m_bCountsWhileHeld = countsWhileHeld;
  m_bFixed = fixedToScreen;
  m_bHasId = hasId;
  m_nId = id;
  if (fixedToScreen) {
    int sx, sy;
    ScrollOf(sx, sy);
    m_nScreenX = DDTruncToInt(x) - sx;
    m_nScreenY = DDTruncToInt(y) - sy;
    m_bScreenTaken = 1;
  }
}

int cPicture::Draw(DDSURFACEDATA* target, DDSURFACEDATA* surface, int held) {
  if (m_nDisplayMode == 2 && (m_bCountsWhileHeld || !held)) {
    --m_nDisplayTime;
    if (m_nDisplayTime < 0) return 1;
  }
  int x = m_nScreenX, y = m_nScreenY;
  if (!m_bFixed) {
    int sx, sy;
    ScrollOf(sx, sy);
    x = DDTruncToInt(m_dX) - sx;
    y = DDTruncToInt(m_dY) - sy;
  }
  // A size of 0 or below (a scale of 0 or below) draws nothing.
  if (!surface || m_nWidth <= 0 || m_nHeight <= 0) return 0;
  if (m_bScaled)
    DDBlt(target, x, y, m_nWidth, m_nHeight, surface, 0, 0, surface->nWidth, surface->nHeight, 1);
  else
    DDBltFast(target, x, y, m_nWidth, m_nHeight, surface, 0, 0, 1);
  return 0;
}

void cStageScene::DrawPictures(DDSURFACEDATA* target, int pass, int held) {
  auto surface = Off_Picture.begin();
  auto info = PictureInfo.begin();
  for (auto it = m_Pictures.begin(); it != m_Pictures.end();) {
    // The three lists go together; a surface list cut short draws without one.
    const bool hasSurface = surface != Off_Picture.end();
    DDSURFACEDATA* sd = hasSurface ? &*surface : nullptr;
    if (it->m_nPass != pass || !it->Draw(target, sd, held)) {
      ++it;
      if (hasSurface) ++surface;
      if (info != PictureInfo.end()) ++info;
      continue;
    }
    it = m_Pictures.erase(it);
    if (hasSurface) {
      DDReleaseSurface(sd);
      surface = Off_Picture.erase(surface);
    }
    if (info != PictureInfo.end()) info = PictureInfo.erase(info);
  }
}

void cStageScene::ClearPictures() {
  DDReleaseSurfaceList(Off_Picture);
  Off_Picture.clear();
  PictureInfo.clear();
  m_Pictures.clear();
}
