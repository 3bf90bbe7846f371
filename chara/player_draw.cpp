// The player's drawing entry points: its screen rectangle, its picture, and the
// sight mask cut around it.
#include <algorithm>

#include "chara/bounds_rules.h"
#include "chara/player.h"
#include "draw/dd_blit.h"
#include "stage/scroll_axis.h"
#include "stage/sight_mask.h"

void cPlayer::UpdateScreenRect() {
  const cScrollAxis& ax = PlayAxisX();
  const cScrollAxis& ay = PlayAxisY();
  // With auto-scroll the position and the view are truncated apart, so that the
  // player keeps still on screen while both move by fractions.
  m_nScreenLeft = ax.m_bAuto ? TruncToInt(m_dX) - TruncToInt(ax.m_dPos) - m_nDrawOffsetX
                             : TruncToInt(m_dX - ax.m_dPos - m_nDrawOffsetX);
  m_nScreenRight = m_nScreenLeft + m_nDrawWidth - 1;
  m_nScreenTop = ay.m_bAuto ? TruncToInt(m_dY) - TruncToInt(ay.m_dPos) - m_nDrawOffsetY
                            : TruncToInt(m_dY - ay.m_dPos - m_nDrawOffsetY);
  m_nScreenBottom = m_nScreenTop + m_nDrawHeight - 1;
}

void cPlayer::Draw(DDSURFACEDATA* target, int held) {
  cChara::Draw(target, held);
  DrawMarkers(target);
}

void cPlayer::DrawSightMask(DDSURFACEDATA* target) {
  const int mode = m_Def.nSightShape;
  if (mode < 1 || mode > 4) return;
  const int w = SightMask.nWidth, h = SightMask.nHeight;
  if (w < 640 || h < 480) return;  // not built for this stage
  long long sx = w / 2 - m_nDrawWidth / 2 - m_nScreenLeft;
  const long long sy0 = h / 2 - m_nDrawHeight / 2 - m_nScreenTop;
  // Sights that look ahead move the window toward the facing.
  if (mode == 2 || mode == 4) sx += FacingSign() * (m_nDrawWidth / 2) - FacingSign() * SightRadius(m_nSightDots);
  sx = std::clamp<long long>(sx, 0, w - 640);
  const long long sy = std::clamp<long long>(sy0, 0, h - 480);
  DDBltFast(target, 0, 0, 640, 480, &SightMask, static_cast<int>(sx), static_cast<int>(sy), 1);
}
