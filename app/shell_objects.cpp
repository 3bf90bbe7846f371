// The shell's global objects, built before the program's entry in this order and
// destroyed after it in the reverse order. Nothing here touches files, windows or
// devices; InitGame sets them up.
//
// The window framework's registry, the menu cursor, input, the system surfaces,
// the fonts and the digit sheets are defined with their own code (app/ui/,
// app/svc/, draw/): the lower floors cannot reach this unit, and none of their
// constructors reads another global, so their order against these objects does
// not matter.
// PENDING (stage play, game modes): the surface vectors and lists and Off_Msg,
// likewise defined with their own code when they exist.
#include "app/base/thread.h"
#include "app/main_window.h"

cMainWindow MainWindow;
cThread thGame("thGame");
cThread thPause("thPause");
cThread thRanking("thRanking");
cThread thLoad("thLoad");
