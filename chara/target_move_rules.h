#pragma once
#include <cstdint>

#include "app/base/vector.h"

// The arithmetic of the movement commands that move relative to a target, along a
// circle or by a jump: plain values in and out, so that the commands, the probe
// and the tests share it.

// A point of the screen (the homing command's remembered aim points).
struct cAimPoint {
  double x = 0, y = 0;
};

// --- Circle ---
// The turning of a circle: choice 0 right-handed, 1 left-handed, 2 by facing
// (facing right turns left-handed), 3 the opposite of 2. Any other choice turns
// right-handed.
int CircleTurning(int choice, int facing);
// One step of a circle of `extent` (radius x N dots) at `speed` degrees per step:
// the velocities from the running angles (degrees x N), which then move on by
// N x speed and wrap at 360 x N. x is skipped with noX; y only when flying and
// not noY (its angle offset: 90 turning left-handed, 270 right-handed). Skipped
// axes stay 0 and keep their angle.
void CircleStep(double& x, double& y, int extent, double& phaseX, double& phaseY, double speed, double steps,
                int turning, bool noX, bool flyingY);

// --- Charge ---
// Turns a charge's velocity (x, y) by `angle` degrees at `speed`: with the older
// rule (compat set) the angle is measured from atan2(x, y) and x comes out
// mirrored. y changes only for a flying character.
void ChargeTurn(double& x, double& y, int angle, double speed, int compat728, bool flying);

// --- Homing ---
// The homing scheme of one step: true when the character aims this step, at
// `aim`. Delay 0 aims at the current point every step; with a delay d the queue
// restarts at step 0 and, every d steps, the character aims at the point of d
// steps before while the current point takes its place.
bool HomingAim(cVector<cAimPoint>& queue, int stepCount, int delay, const cAimPoint& current, cAimPoint& aim);

// --- Warp ---
// The move of a warp by a direction code (2 left, 3 right, 6 up, 7 down, 8 to 11
// the diagonals, each axis by distance / sqrt 2): false for any other code.
bool WarpDirectionOffset(int code, double distance, double& dx, double& dy);
// The offset of a warp to target coordinates: blocks of 32 dots plus dots, each
// negated by its mirror flag when the character faces right.
void WarpTargetOffset(int targetX, int targetY, int offsetX, int offsetY, int mirrorX, int mirrorY, int facing,
                      double& dx, double& dy);
