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

