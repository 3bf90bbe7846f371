#pragma once
#include "app/base/vector.h"

struct DDSURFACEDATA;

// The stage-clear result panel on the surface at (x, y): one row per genre shown
// (the stage's result-display flag set, and the play category's ranking setting
// enabling the genre or play begun from the start-up stage file) with its label
// and this clear's value from the save data; a cursor cell per genre whose place
// in `ranks` is not -1, filling the rows from the top. Nothing when no genre is
// shown. (cRankings::Draw and cRankingTable::DrawWindow, the ranking window, are
// drawn here too.)
void DrawResultPanel(DDSURFACEDATA* surface, int x, int y, const cVector<int>& ranks);
