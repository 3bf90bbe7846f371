// The remaining time in large digits under the status bar, and the countdown tick
// in the stage's last seconds.
#include "stage/time_display.h"

#include "app/base/timing.h"
#include "app/sound/sound_effects.h"
#include "data/project_globals.h"
#include "data/stage.h"
#include "draw/dd_frame.h"
#include "draw/dd_globals.h"
#include "stage/stage_scene.h"

namespace {

constexpr int kWordSheet = 51;
constexpr int kCountdownSound = 13;

}  // namespace

bool CountdownTickDue(int timeLeft, int warning, bool secondCounted, int advance) {
  return advance == 1 && secondCounted && timeLeft >= 1 && timeLeft <= warning;
}

void cStageScene::DrawTime(DDSURFACEDATA* target, int advance) {
  if (m_bNoTimeLimit) return;
  // Three cells of room, centred on x 320 for one to three digits.
  DDDrawNumber(target, 272, 24, 32, 32, &Off_Sys[kWordSheet], 0, 160, 1, m_nTimeLeft, 3, 1);
  if (CountdownTickDue(m_nTimeLeft, StageData.nTimeWarning, CountGate(2, 0), advance)) PlaySE(kCountdownSound);
}
