#pragma once
#include "draw/dd_types.h"

// The 71 system surfaces: SysBmpInfo describes them, Off_Sys holds them.

// (Re)creates the listed entries of the surface array from SysBmpInfo: from
// their files, or empty for "E". A failure that is not optional shows its box and
// returns false; optional failures leave the record empty.
bool DDLoadSurfaceTable(DDSURFACEDATA* lpSurfaces, const int* lpIndexes, int nCount);
// All 71 entries, in order (what start-up loads).
bool DDLoadAllSystemSurfaces();
// Direct3D: the copies that only stand for another entry.
void LinkSurfaceAliases();
// Builds SysBmpInfo (done once before the program starts; tests call it again to
// restore the names the stage scene rewrites).
void BuildSysBmpInfo();
