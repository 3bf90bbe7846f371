// Stand-ins for operations that later work builds, each under its final name and
// doing the least its callers need. Each line says what replaces it.
#include "stage/stand_ins.h"

#include "app/svc/mode_manager.h"
#include "app/base/shell_globals.h"
#include "app/svc/input.h"
#include "chara/chara.h"
#include "chara/flow_conditions.h"
#include "data/flow.h"
#include "chara/play_objects.h"
#include "chara/item.h"
#include "chara/player.h"
#include "chara/shot.h"
#include "chara/stage_chara.h"
#include "data/project_globals.h"
#include "draw/dd_blit.h"
#include "draw/dd_globals.h"
#include "stage/stage_scene.h"

// Replaced by the condition lists of the activity rules (issue 23): the flow's
// list by its mode, latched once it held; one condition by its kind.
bool cStageScene::CheckFlowConditions(const cEdFlow& flow, uint8_t& latched, cChara& chara) {
  if (flow.Conditions.empty()) return true;
  if (flow.bCondOnce && latched) return true;
  if (!CheckConditionList(flow.Conditions, flow.nCondMode, &chara)) return false;
  latched = 1;
  return true;
}
bool cStageScene::CheckConditionList(const cVector<cEdCondition>& list, int mode, cChara* subject) {
  if (list.empty()) return true;
  int held = 0;
  for (const cEdCondition& c : list) held += CheckCondition(c, subject) ? 1 : 0;
  return mode == 0 ? held == list.Count() : mode == 1 ? held > 0 : false;
}
bool cStageScene::CheckCondition(const cEdCondition& c, cChara* subject) {
  if (!subject) return false;
  switch (c.nKind) {
    case 1: return CompareConditionValue(SaveData.CommonVars.At(c.nVarIndex), c.nValue, c.nCompare);
    case 2: return CompareConditionValue(m_StageVars.At(c.nVarIndex), c.nValue, c.nCompare);
    case 3: return CompareConditionValue(subject->m_Vars.At(c.nVarIndex), c.nValue, c.nCompare);
    case 4: return CheckStatusCondition(c, *subject);
    case 5: return CheckStatusCondition2(c, *subject);
    case 6: return CheckStatusCondition3(c, *subject);
    case 7: return CheckDistanceCondition(c, *subject);
    default: return false;
  }
}
// Replaced by the block collisions: no place is blocked.
bool cStageScene::IsPlaceBlocked(cChara&) { return false; }
// Replaced by the activity rules: every stage character in its range acts.
void cStageScene::UpdateActivity() {
  cVector<uint8_t> groups(cStageChara::kGroupFlags, 0);
  for (cStageChara& c : StageChara) c.CheckRange(groups);
  for (cStageChara& c : StageChara) c.m_bActive = c.m_bActivated = c.CheckActivation(groups) ? 1 : 0;
}
// Replaced by the play step's death of a character: the kill alone.
int cStageScene::HandleCharaDeath(cStageChara& chara) { return KillChara(chara); }
// Replaced by the play step's item taking: nothing is taken.
int TakeItem(cItem*, cPlayer&) { return 0; }
// Replaced by the item definitions: the entry of the palette's item list.
const cEdItem* FindItemDefinition(int kind, int index) {
  const cVector<cEdItem>* list = kind == 1 ? &CommonPalette.Items : kind == 2 ? &StageData.PaletteItems : nullptr;
  if (!list || index < 0 || index >= list->Count()) return nullptr;
  return &(*list)[static_cast<size_t>(index)];
}
// Replaced by the character effects: the effect number is kept, nothing runs.
void cChara::StartCharaEffect(int number, int, int) { m_nCharaEffect = static_cast<int16_t>(number); }
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
// Replaced by the message windows: a message stays until play removes it.
int cMessage::Draw(DDSURFACEDATA*, int) { return 0; }
// Replaced by the status bar and the time display.
void cStageScene::DrawStatusBar(DDSURFACEDATA*) {}
void cStageScene::DrawTime(DDSURFACEDATA*, int) {}
// Replaced by the flow conditions: the distance areas.
void DrawDistanceAreas(DDSURFACEDATA*) {}

// Replaced by the message windows: the message keeps nothing yet.
void cMessage::Set(int, const char*, int, int, int, int, int, int, int, int, int, int, int, int, int, int, int, int,
                   int, int, int, int, int, int) {}
// Replaced by the held-play loops: the hold ends at once, nothing drawn.
unsigned PauseThreadProc(void* scene) { return static_cast<cStageScene*>(scene)->m_bQuit.load() ? 0 : 1; }
unsigned RankingThreadProc(void*) { return 1; }
