#pragma once
#include <string>

class cInput;
class cEdKeyCondition;
class cItem;
class cEdItem;
class cPlayer;
// Operations of stage play that the scene, the play step and the characters call
// across their files.

// Stage set-up: rebuilds the running stage from the stage record (restart 1 from
// the snapshot), starts its music (music 1), sets the view.
void SetStage(int restart, int music);
// The stage's sword images and effect images.
void LoadSwordImages();
void LoadEffectImages();

struct DDSURFACEDATA;
// The 16 x 16 icon of a palette graphic (kind, graphic, frame) at (x, y).
void DrawPaletteIcon(DDSURFACEDATA* target, int x, int y, int kind, int graphic, int frame);
// The player taking an item and the item definitions' lookup.
#include "stage/item_taking.h"
