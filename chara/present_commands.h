#pragma once

class cChara;

// Where an effect or picture of w x h is placed (its top left, stage dots) for a
// position choice: 0 the middle of the screen, 1 the actor's centre, 2 player 1's
// centre, 3 (x, y) blocks on the screen, 4 (x, y) blocks of the stage; then moved
// by (dx, dy) dots. Halves are whole dots.
void PlaceEffect(int w, int h, int position, int x, int y, int dx, int dy, const cChara& actor, double& outX,
                 double& outY);
