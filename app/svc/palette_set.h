#pragma once

// The palette sets of the 8-bit DirectDraw drawing mode: palette set n loads the
// blend table "bmp\hbt\hbtNN.dat" and recolours the game palette (sets 0 to 11
// rotate entries 16 to 207 by n rows of 16, sets 12 to 23 fill them with copies
// of row n - 11), then shows it. True at once in every other drawing mode; false
// (after the error box) when the blend table or the palette picture cannot be read.
bool SetPaletteSet(int nSet);
