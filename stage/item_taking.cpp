// The item definitions that shots and blocks carry, found in their palette, and
// the window that shows the player which item it has taken.
#include "stage/item_taking.h"

#include "chara/player.h"
#include "data/palette.h"
#include "data/palette_links.h"
#include "data/project_globals.h"
#include "stage/message.h"
#include "stage/stage_scene.h"

namespace {
constexpr int kItemMessageFrames = 30;
}  // namespace

const cEdItem* FindItemDefinition(int kind, int index) {
  const cVector<cEdItem>* list = kind == 1 ? &CommonPalette.Items : kind == 2 ? &StageData.PaletteItems : nullptr;
  // A negative index reads as a large one: none.
  if (!list || IndexBeyond(index, list->Count())) return nullptr;
  return &(*list)[static_cast<size_t>(index)];
}

void cPlayer::ShowItemMessage(int graphicKind, int graphic, int graphicSub) {
  cStageScene* scene = StageScene();
  if (!scene) return;
  scene->m_Messages.emplace_back(cMessage::kPaletteIcon, nullptr, graphicKind, graphic, graphicSub, 4, 0, 0, 0, 0, 0,
                                 1, cMessage::kTimedDisplay, kItemMessageFrames, 0, m_nId, 0, 0, 0, 0, 0, 0, 0);
}
