// The player's markers: the outlines of its body and of its three hit boxes that a
// stage may show while it is being made, blinking through four palette colours.
#include "app/svc/menu_colors.h"
#include "chara/player.h"
#include "data/project_globals.h"
#include "draw/dd_blit.h"
#include "draw/dd_frame.h"

namespace {

// Show modes of a marker: 1 a filled box, 2 its frame alone.
constexpr int kFilled = 1;
constexpr int kFrame = 2;
// Marker colours 0 to 7 (red, green, blue, yellow, magenta, violet, black,
// rainbow) are the four-entry palette groups from entry 208.
constexpr int kFirstMarkerEntry = 208;
constexpr int kMarkerGroup = 4;

}  // namespace

void cPlayer::DrawMarkers(DDSURFACEDATA* target) {
  if (!target || m_bDead) return;
  const int modes[kMarkers] = {StageData.nShowPlayerBody, StageData.nShowPlayerHit, StageData.nShowPlayerBox2,
                               StageData.nShowPlayerBox3};
  const int colours[kMarkers] = {StageData.nColorPlayerBody, StageData.nColorPlayerHit, StageData.nColorPlayerBox2,
                                 StageData.nColorPlayerBox3};
  const cHitBox* boxes[kMarkers] = {nullptr, &m_BodyBox, &m_ItemBox, &m_ShotBox};
  const int bodyX = m_nScreenLeft + m_nDrawOffsetX, bodyY = m_nScreenTop + m_nDrawOffsetY;
  for (int i = 0; i < kMarkers; ++i) {
    // The first byte of each entry is the marker's blink phase, 0 to 31.
    uint8_t& phase = m_Markers[i][0];
    phase = static_cast<uint8_t>((phase + 1) & 31);
    const int mode = modes[i];
    if (mode != kFilled && mode != kFrame) continue;
    int x = bodyX, y = bodyY, w, h;
    if (const cHitBox* b = boxes[i]) {
      x += b->nOffsetX;
      y += b->nOffsetY;
      w = b->nWidth;
      h = b->nHeight;
    } else {
      w = m_nWidth;
      h = m_nHeight;
    }
    if (w <= 0 || h <= 0) continue;
    // Each colour blinks through its group, unless the palette turns the group itself.
    const int group = colours[i] < 0 ? 0 : colours[i] > 7 ? 7 : colours[i];
    const int blink = PaletteGroupsRotate() ? 0 : phase / 8;
    const uint32_t colour = static_cast<uint32_t>(kFirstMarkerEntry + kMarkerGroup * group + blink);
    if (mode == kFilled) DDFillRectPal(target, x, y, w, h, colour);
    else DDDrawFrame(target, x, y, w, h, 1, colour);
  }
}
