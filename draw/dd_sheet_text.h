#pragma once
#include "draw/dd_types.h"

// Text drawn from a character sheet: a picture of 16 columns of w x h cells, the
// cell of byte b at column b & 15 and row b >> 4, except the half-width katakana,
// which sit in rows 0, 1, 8 and 9 (bytes 0xA6-0xBF 10 rows up, 0xC0-0xDD 4 rows up).
// Cells are drawn with the colour key. A line feed, or reaching the screen's
// width, starts the next line h lower at the start x.
void DDDrawSheetText(DDSURFACEDATA* lpDstSD, int x, int y, int nCellWidth, int nCellHeight, DDSURFACEDATA* lpSheetSD,
                     const char* szText);
// The same with a printf format (formatted into 1,024 bytes first).
void DDDrawSheetTextF(DDSURFACEDATA* lpDstSD, int x, int y, int nCellWidth, int nCellHeight,
                      DDSURFACEDATA* lpSheetSD, const char* szFormat, ...) __attribute__((format(printf, 7, 8)));
