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

// Replaced by the player's markers.
void cPlayer::DrawMarkers(DDSURFACEDATA*) {}

