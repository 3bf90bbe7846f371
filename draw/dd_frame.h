#pragma once
#include <cstdint>

#include "draw/dd_types.h"

// Window frames and numbers drawn from a strip of digit pictures.

// An outline of the given thickness in a palette colour: top, bottom, left and
// right bars, in one fill batch (the corners are covered twice, the inside is not
// touched). Returns the fill batch's end result.
int DDDrawFrame(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nThickness, uint32_t dwPalNum);
// The picture's top-left w x h drawn at (x, y) without the colour key, with a
// frame of the thickness around it (outside the picture).
void DDBltFrame(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrcSD,
                int nThickness, uint32_t dwPalNum);
// A decimal number from a strip of ten cells (digit d at strip x + cell width x
// d, strip y), most significant digit first, one cell apart, without leading
// zeros. Fewer digits than nMinDigits are right-aligned in that many cells (or
// centred in them with bCenter). Negative numbers draw nothing.
void DDDrawNumber(DDSURFACEDATA* lpDstSD, int x, int y, int nCellWidth, int nCellHeight, DDSURFACEDATA* lpStripSD,
                  int nStripX, int nStripY, int nFlags, int nNumber, int nMinDigits, int bCenter);
