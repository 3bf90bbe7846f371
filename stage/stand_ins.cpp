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

// Replaced by the item definitions: the entry of the palette's item list.
const cEdItem* FindItemDefinition(int kind, int index) {
  const cVector<cEdItem>* list = kind == 1 ? &CommonPalette.Items : kind == 2 ? &StageData.PaletteItems : nullptr;
  if (!list || index < 0 || index >= list->Count()) return nullptr;
  return &(*list)[static_cast<size_t>(index)];
}
// Replaced by the player's markers.
void cPlayer::DrawMarkers(DDSURFACEDATA*) {}
// Replaced by the stage characters: the carried item's icon.
void cStageChara::DrawCarriedItemIcon(DDSURFACEDATA*) {}
// Replaced by the item objects.
void cItem::Draw(DDSURFACEDATA*, int) {}
// Replaced by the palette graphics: a palette icon draws nothing yet.
void DrawPaletteIcon(DDSURFACEDATA*, int, int, int, int, int) {}

