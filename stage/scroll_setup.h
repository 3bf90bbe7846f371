#pragma once
class cEdStage;
class cScrollAxis;

// The two scroll axes of a stage as stage set-up builds them: sizes and base
// ranges from the stage's columns and rows, its auto-scroll switches and speeds
// (spread over `steps` logic steps a frame) and its scroll range.
void SetUpScrollAxes(const cEdStage& stage, double steps, cScrollAxis& horizontal, cScrollAxis& vertical);

// The row stride of the stage's cell map: the smallest power of two above
// columns + 19, as its shift.
int CellStrideShift(int columns);

// The view centred on the player's rectangle (integer halving of its size), then
// clamped on both axes.
void CentreView(cScrollAxis& horizontal, cScrollAxis& vertical, double x, double y, int width, int height);
