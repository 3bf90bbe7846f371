// Stand-ins for the command families that are not built yet, under their final
// names, each doing nothing (the countdown of the command still runs). A family
// that lands defines these in its own file and deletes its lines here.
#include "chara/chara.h"
#include "chara/command_handlers.h"
#include "data/command.h"

