// The shell's global objects, built before the program's entry in this order and
// destroyed after it in the reverse order. Nothing here touches files, windows or
// devices; InitGame sets them up.
//
// PENDING globals of this unit, each added here in its place when it exists:
//   WindowRegistry (before MainWindow)          window framework
//   MenuCursor, Input (after the threads)       menu cursor, input
//   Off_Sys, the three fonts, the digit sheets  drawing layer
// (The picture vectors and lists of the scenes, Off_Msg among them, are the drawing
// layer's: draw/play_surfaces.cpp.)
#include "app/base/thread.h"
#include "app/main_window.h"

cMainWindow MainWindow;
cThread thGame("thGame");
cThread thPause("thPause");
cThread thRanking("thRanking");
cThread thLoad("thLoad");
