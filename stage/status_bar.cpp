// The status bar over the play picture: the bar picture and the shown items, each
// a caption or icon followed by a number or a gauge. Text comes from the fonts'
// glyph atlases; nothing here changes the state of play.
#include "stage/status_bar.h"

#include <algorithm>

#include "chara/play_objects.h"
#include "chara/player.h"
#include "data/project_globals.h"
#include "data/save_data.h"
#include "draw/dd_blit.h"
#include "draw/dd_globals.h"
#include "draw/font_table.h"
#include "stage/stage_scene.h"

namespace {

constexpr int kBarPicture = 46;     // "bmp\StatusWindow.bmp"
constexpr int kAccessorySheet = 49;
constexpr int kUnlimitedLives = 999999;
constexpr int kTop = 3;
constexpr int64_t kFarEdge = int64_t(1) << 24;  // off the screen, and no overflow drawing from it

void DrawIcon(DDSURFACEDATA* target, int x, int item) {
  DDBltFast(target, x, kTop, 16, 16, &Off_Sys[kAccessorySheet], 16 * item, 32, 1);
}

// Item 2 (HP) or 3 (SP) of player 1: the gauge's background, its bar in the normal
// or warning row, and the value over it when asked.
void DrawGauge(DDSURFACEDATA* target, int b, int item, const cEdStatusItem& s) {
  if (Player.empty()) return;
  const cPlayer& p = Player.front();
  const int value = item == 2 ? p.m_nHP : p.m_nSP;
  const int maximum = item == 2 ? p.m_Def.mhp : p.m_Def.msp;
  const int sx = item == 2 ? 0 : 64;
  DDSURFACEDATA* sheet = &Off_Sys[kAccessorySheet];
  DDBltFast(target, b, kTop, kStatusGaugeWidth, 16, sheet, sx, 128, 1);
  const int length = StatusGaugeLength(value, maximum);
  const bool warning = SystemData.CheckWarning(item, value, maximum) != 0;
  if (length > 0) DDBltFast(target, b, kTop, length, 16, sheet, sx, warning ? 160 : 144, 1);
  if (s.bShowValue) Fonts[0].DrawF(target, b, 6, "%d", value);
}

}  // namespace

void cStageScene::DrawStatusBar(DDSURFACEDATA* target) {
  if (!m_bStatusBar) return;
  const int count = std::min(SystemData.StatusItems.Count(), kStatusItemCount);
  if (count <= 0) return;
  const cEdStatusItem* items = &SystemData.StatusItems[0];
  const cStatusBarLayout layout = LayOutStatusBar(items, count);
  if (layout.nShown == 0) return;

  DDBltFast(target, 0, 0, 640, 20, &Off_Sys[kBarPicture], 0, 0, 1);
  for (int i = 0; i < count; ++i) {
    const cEdStatusItem& s = items[i];
    if (!s.bShow) continue;
    const int x = layout.nX[i];
    const char* caption = s.strCaption.c_str();
    switch (i) {
      case 0:
      case 1: {
        const int value = i == 0 ? SaveData.nScore : SaveData.nStageScore;
        if (s.bIcon) {
          DrawIcon(target, x, i);
          Fonts[1].DrawF(target, x + 16, kTop, "%d", value);
        } else {
          Fonts[1].DrawF(target, x, kTop, "%s%d", caption, value);
        }
        break;
      }
      case 2:
      case 3: {
        if (s.bIcon)
          DrawIcon(target, x, i);
        else
          Fonts[1].DrawF(target, x, kTop, "%s", caption);
        const int64_t b = std::clamp<int64_t>(x + StatusCaptionWidth(s), -kFarEdge, kFarEdge);
        DrawGauge(target, static_cast<int>(b), i, s);
        break;
      }
      default: {
        const bool unlimited = SaveData.nLives == kUnlimitedLives;
        if (s.bIcon) {
          DrawIcon(target, x, 4);
          if (unlimited)
            Fonts[1].Draw(target, x + 16, kTop, "-");
          else
            Fonts[1].DrawF(target, x + 16, kTop, "%d", SaveData.nLives);
        } else if (unlimited) {
          Fonts[1].DrawF(target, x, kTop, "%s-", caption);
        } else {
          Fonts[1].DrawF(target, x, kTop, "%s%d", caption, SaveData.nLives);
        }
        break;
      }
    }
  }
}
