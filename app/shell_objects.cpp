// The shell's global objects, built before the program's entry in this order and
// destroyed after it in the reverse order. Nothing here touches files, windows or
// devices; InitGame sets them up.
//
// The window framework's registry, the menu cursor, input, the system surfaces,
// the fonts and the digit sheets are defined with their own code (app/ui/,
// app/svc/, draw/): the lower floors cannot reach this unit, and none of their
// constructors reads another global, so their order against these objects does
// not matter.
// The scenes' picture vectors and lists, Off_Msg among them, are the drawing
// layer's (draw/play_surfaces.cpp).
#include "app/base/thread.h"
#include "app/main_window.h"

cMainWindow MainWindow;
cThread thGame("thGame");
cThread thPause("thPause");
cThread thRanking("thRanking");
cThread thLoad("thLoad");
