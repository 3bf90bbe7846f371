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
  // The play step may be walking StageChara: characters leave it at its next sweep.
  for (cStageChara& c : StageChara) {
    if (c.m_bRemoved) continue;
    if (c.m_bVanish) {
      c.Unlink();
      c.m_bRemoved = 1;
      continue;
    }
    // A character already dead waits for its death effect: it is not killed again.
    if (c.m_nHP > 0 || c.m_bDead) continue;
    const int r = HandleCharaDeath(c);
    if (SystemData.bDeathEffect) {
      if (r == 1) {
        c.m_bRemoved = 1;
        return 1;
      }
      PlaySE(9);
    } else {
      c.m_bRemoved = 1;
    }
    if (r != 0) return 1;
  }
  return 0;
}
