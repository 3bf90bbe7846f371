#pragma once

class cShot;
class cChara;

// The ten movement types of a shot: each logic step a flying shot runs the step
// of its type before its acceleration and velocity apply. A type outside 0..9
// flies straight.
constexpr int kShotMoveTypeCount = 10;
using ShotMoveFunction = void (*)(cShot& shot);
extern const ShotMoveFunction ShotMoveTypes[kShotMoveTypeCount];
// The step of the shot's own movement type.
void RunShotMove(cShot& shot);
// Turns the shot toward a character (at once without acceleration; with it, the
// first homing step turns it and the acceleration pulls it after that).
void ShotHoming(cShot& shot, cChara& target);
