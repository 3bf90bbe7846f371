#pragma once
#include "app/base/vector.h"

class cSaveSlotInfo;
struct DDSURFACEDATA;

// A new story: the save data of a new game, the map cursor on the world map's
// start cell, the first play-through and the story's lives.
void StartNewStory();

// Fills each summary from its slot file: used when the file exists, with the save
// time it holds (a file that exists but cannot be read shows as used, undated).
void ScanSaveSlots(cVector<cSaveSlotInfo>& slots);

// The slot list: a window of font 1 at (x, y), 320 wide and 16 dots a row, each
// row with the slot number and its date, separator lines between the rows.
void DrawSaveSlots(DDSURFACEDATA* surface, int x, int y, const cVector<cSaveSlotInfo>& slots, int first, int rows);
