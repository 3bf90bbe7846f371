// Stand-ins for the operations of other rules that the play step calls, each under
// its final name and doing the least the step needs.
#include "chara/chara.h"
#include "chara/item.h"
#include "chara/player.h"
#include "chara/shot.h"
#include "chara/stage_chara.h"
#include "data/project_globals.h"
#include "stage/item_taking.h"
#include "stage/stage_scene.h"
#include "stage/stand_ins.h"

// Replaced by damage and invincibility: the countdowns do not run.
void cChara::UpdateInvincibility() {}
// Replaced by the death of a character: it is dead, nothing else happens.
int cChara::Die() {
  m_bDead = 1;
  m_nDeathFrames = 0;
  return 0;
}
// Replaced by the contacts: the player's kill is its death; any other character
// dies unless it is dead already.
int cStageScene::KillChara(cChara& chara) {
  if (chara.m_nKind == 0) return 2;
  if (chara.m_bDead) return 0;
  return chara.Die();
}
// Replaced by the contacts: no status deaths, no contact pass.
int cStageScene::HandleStatusDeaths() {
  m_bStatusDeath = 0;
  return 0;
}
int cStageScene::RunContacts(cList<cStageChara>&) { return 0; }
// Replaced by the shots in play: a shot neither moves nor ends.
int cShot::Update() { return 0; }
void cShot::MoveX() {}
void cShot::MoveY() {}
int cShot::HitsBlock() { return 0; }
// Replaced by the items: no item window, no item command.
void cPlayer::ShowItemMessage(int, int, int) {}
int cPlayer::RunItemCommands(const cVector<cEdCommand>&) { return 0; }
// Replaced by the item definitions' lookup: the palette entry, none beyond it.
const cEdItem* FindItemDefinition(int kind, int index) {
  const cVector<cEdItem>* list = kind == 1 ? &CommonPalette.Items : kind == 2 ? &StageData.PaletteItems : nullptr;
  if (!list || index <= 0 || index >= list->Count()) return nullptr;
  return &(*list)[static_cast<size_t>(index)];
}
