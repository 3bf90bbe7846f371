// Deaths and silent removals that status changes left behind: handled before the
// next character moves.
#include "app/sound/sound_effects.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "chara/stage_chara.h"
#include "data/project_globals.h"
#include "stage/stage_scene.h"

int cStageScene::HandleStatusDeaths() {
  if (!Player.empty()) {
    cPlayer& player = Player.front();
    if (player.m_nHP <= 0 && !player.m_bDead) {
      PlaySE(8);
      if (player.Die() == 1) {
        EnterStageClear();
        m_nPhase = kStageClear;
      }
      return 1;
    }
  }
  for (auto it = StageChara.begin(); it != StageChara.end();) {
    cStageChara& c = *it;
    if (c.m_bVanish) {
      it = RemoveStageChara(it);
      continue;
    }
    // A character already dead waits for its death effect: it is not killed again.
    if (c.m_nHP > 0 || c.m_bDead) {
      ++it;
      continue;
    }
    const int r = HandleCharaDeath(c);
    if (SystemData.bDeathEffect) {
      if (r == 1) {
        RemoveStageChara(it);
        return 1;
      }
      PlaySE(9);
      ++it;
    } else {
      it = RemoveStageChara(it);
    }
    if (r != 0) return 1;
  }
  return 0;
}
