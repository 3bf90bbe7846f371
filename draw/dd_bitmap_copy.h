#pragma once
#include "draw/dd_types.h"
#include "platform/display/bmp_decoder.h"

// Inside the drawing layer: CopyBitmap with the bitmap already decoded.
bool CopyBitmapImage(DDSURFACEDATA* lpSD, const plat::cBmpImage& image, const char* szFileName, int nBpp,
                     int bPalIndexMap, int nMirrorCellWidth, int nMirrorCellHeight);
