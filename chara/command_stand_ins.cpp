// Stand-ins for the command families that are not built yet, under their final
// names, each doing nothing (the countdown of the command still runs). A family
// that lands defines these in its own file and deletes its lines here.
#include "chara/chara.h"
#include "chara/command_handlers.h"
#include "data/command.h"

// Replaced by the graphic, animation, effect, picture, colour, background, sound,
// music and code commands (issue 30).
int ExecChangeGraphic(cChara&, cEdCommand&) { return 0; }
int ExecChangeAnimeSet(cChara&, cEdCommand&) { return 0; }
int ExecPlayAnime(cChara&, cEdCommand&) { return 0; }
int ExecPlayEffect(cChara&, cEdCommand&) { return 0; }
int ExecCharaEffect(cChara&, cEdCommand&) { return 0; }
int ExecScreenEffect(cChara&, cEdCommand&) { return 0; }
int ExecShowPicture(cChara&, cEdCommand&) { return 0; }
int ExecScreenColor(cChara&, cEdCommand&) { return 0; }
int ExecChangeBackground(cChara&, cEdCommand&) { return 0; }
int ExecPlaySound(cChara&, cEdCommand&) { return 0; }
int ExecPlayBgm(cChara&, cEdCommand&) { return 0; }
int ExecRunCode(cChara&, cEdCommand&) { return 0; }
