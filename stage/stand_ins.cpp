// Stand-ins for operations that later work builds, each under its final name and
// doing the least its callers need. Each line says what replaces it.
#include "stage/stand_ins.h"

#include "app/svc/mode_manager.h"
#include "app/base/shell_globals.h"
#include "app/svc/input.h"
#include "chara/chara.h"
#include "chara/play_objects.h"
#include "chara/item.h"
#include "chara/player.h"
#include "chara/shot.h"
#include "chara/stage_chara.h"
#include "data/project_globals.h"
#include "draw/dd_blit.h"
#include "draw/dd_globals.h"
#include "stage/stage_scene.h"

// Replaced by the flow runtime: the flows of a trigger run nothing yet.
void cChara::RunTriggeredFlows(int) {}
// Replaced by the flow runtime: no flow states are built, none step, none end.
int cChara::BuildFlowStates(const cVector<cEdFlow>& flows, int, int) { return flows.Count(); }
void cChara::StartFlowAnimes() {}
int cChara::StepFlowStates(int, int) { return 0; }
void cChara::EndFlowStep() {}
// Replaced by the flow conditions: every key the condition wants pressed is down
// now (directions and buttons 1 to 8), and every key it wants released is up.
bool IsKeyConditionHeld(cInput* input, const cEdKeyCondition& condition) {
  if (!input) return false;
  static constexpr uint16_t kDirs[10] = {0, kDirLeft, kDirRight, kDirUp, kDirDown, kDirUp | kDirLeft,
                                         kDirDown | kDirLeft, kDirUp | kDirRight, kDirDown | kDirRight, 0xF};
  bool any = false;
  for (int k = 0; k < condition.Keys.Count() && k < cEdKeyCondition::kKeys; ++k) {
    const uint8_t mode = condition.Keys[static_cast<size_t>(k)];
    if (mode == 0) continue;
    bool down = false;
    if (k < 10) down = k == 0 ? input->m_wDirection == 0 : (input->m_wDirection & kDirs[k]) == kDirs[k];
    else down = k == 10 ? input->m_wButton == 0 : (input->m_wButton & (1u << (k - 11))) != 0;
    if ((mode == 1) != down) return false;
    any = true;
  }
  return any;
}
// Replaced by the block collisions: no place is blocked.
bool cStageScene::IsPlaceBlocked(cChara&) { return false; }
// Replaced by the activity rules: every stage character in its range acts.
void cStageScene::UpdateActivity() {
  cVector<uint8_t> groups(cStageChara::kGroupFlags, 0);
  for (cStageChara& c : StageChara) c.CheckRange(groups);
  for (cStageChara& c : StageChara) c.m_bActive = c.m_bActivated = c.CheckActivation(groups) ? 1 : 0;
}
// Replaced by the play step's death of a character: nothing beyond its removal.
void cStageScene::HandleCharaDeath(cStageChara&) {}
// Replaced by the character effects: the effect number is kept, nothing runs.
void cChara::StartCharaEffect(int number, int, int) { m_nCharaEffect = static_cast<int16_t>(number); }
// Replaced by the stage's effect and sword sheets.
void LoadSwordImages() {}
void LoadEffectImages() {}
// Replaced by the character effects: every effect draws as the plain drawer and
// never ends.
int cChara::DrawCharaEffect(DDSURFACEDATA* target, GRAPHICSOURCE& source, int held, int draw) {
  return DrawCharaNormal(*this, target, source, held, draw);
}
// Replaced by the player's markers.
void cPlayer::DrawMarkers(DDSURFACEDATA*) {}
// Replaced by the stage characters: the carried item's icon.
void cStageChara::DrawCarriedItemIcon(DDSURFACEDATA*) {}
// Replaced by the item objects.
void cItem::Draw(DDSURFACEDATA*, int) {}
// Replaced by the shots in play.
void cShot::Draw(DDSURFACEDATA*, int) {}
// Replaced by the effects: an effect stays until play removes it.
int cEffect::Draw(DDSURFACEDATA*, int) { return 0; }
// Replaced by the pictures.
void cStageScene::DrawPictures(DDSURFACEDATA*, int, int) {}
// Replaced by the screen effects.
void cStageScene::DrawScrEffect(int) {}
// Replaced by the status bar and the time display.
void cStageScene::DrawStatusBar(DDSURFACEDATA*) {}
void cStageScene::DrawTime(DDSURFACEDATA*, int) {}
// Replaced by the palette graphics: a palette icon draws nothing yet.
void DrawPaletteIcon(DDSURFACEDATA*, int, int, int, int, int) {}
// Replaced by the flow conditions: the distance areas.
void DrawDistanceAreas(DDSURFACEDATA*) {}

