#pragma once
#include <cstdint>

#include "chara/aim_rules.h"

class cEdShot;

// The firing and formation patterns of the shot and summon commands as plain
// rules: what a firing reads of the world is written out in a cFiringView, and
// every object a pattern places is handed, as its launch values, to a sink (the
// game's sink builds the shot or the summoned object; the probe's prints it).

// The values of one firing, changed as the formation places its objects.
struct cLaunchValues {
  int16_t nClone = 0;          // the clone pass
  double dSpeed = 0;           // dots per frame
  int32_t nAngle = 0;          // degrees added to the formation's own angle
  int32_t nDistance = 0;       // half-blocks
  int32_t nLifetime = 0;       // tenths of a second
  double dVelX = 0, dVelY = 0; // dots per frame of the next object
  int32_t nX = 0, nY = 0;      // stage dots of the next object's top left
  int32_t nRowX = 0, nRowY = 0;
  int32_t nStepX = 0, nStepY = 0;
  int32_t nRowStepX = 0, nRowStepY = 0;
  int32_t nWidth = 0, nHeight = 0;
  int32_t nOffsetX = 0, nOffsetY = 0;
  int32_t nCode = 0;           // direction code 2, 3, 6 to 11
  double dFlightAngle = 0;     // the angle a with velocity (-cos a, -sin a) x speed
};

// An object's screen rectangle (as last computed) and drawing size.
struct cPatternRect {
  int32_t nLeft = 0, nTop = 0, nRight = 0, nBottom = 0;
  int32_t nDrawWidth = 0, nDrawHeight = 0;
};

// What a firing reads of the stage and of the objects it involves.
struct cFiringView {
  double dScrollX = 0, dScrollY = 0;  // the view's position, stage dots
  double dSteps = 1;                  // logic steps per frame
  cAimScroll Scroll;                  // auto-scroll terms, for the aim's lead
  int32_t bPacking = 0;               // the game-wide lightning packing setting
  int32_t nInputDirection = 0;        // recorded by the running flow, 0 to 8
  cPatternRect Firer;
  int32_t nFacing = 0;                // the firer's: 1 right, 0 left
  int32_t bHasTarget = 0;             // the firer's target
  cPatternRect Target;
  int32_t bTargetSynced = 0;
  int32_t bHasPlayer = 0;
  cPatternRect Player;
};

// Receives each object a pattern places, in order.
using PatternSink = void (*)(void* user, const cLaunchValues& values);

constexpr int kShotPatternCount = 6;
// The most rows the lightning pattern places per object: the largest value its
// definition may hold, so that a damaged definition cannot ask for millions.
constexpr int kMaxLightningRows = 50;

// The direction code of a direction choice (0 front, 1 back, 4 front-Y, 5 back-Y,
// 12 the input direction, any other value the code itself).
int PatternDirectionCode(int choice, int facing, int inputDirection);
// The base angle of a direction code; false for a value that names no direction.
bool PatternBaseAngle(int code, int& angle);
// The velocity (-cos a x s, -sin a x s) of a flight at a degrees.
void VelocityAtAngle(double angle, double speed, double& vx, double& vy);

// The angle from (x, y) (stage dots) toward the centre of the firer's target, led
// against the auto-scroll when the target moves with the view and the shot does
// not (then the launch speed becomes the led speed).
double AimAngle(double x, double y, const cFiringView& view, const cEdShot& def, cLaunchValues& values);
// The start point of a formation turned to `angle` degrees around the firer.
void RotatedAnchor(cLaunchValues& values, const cFiringView& view, int angle);

// One formation: pattern 0 straight A, 1 straight B, 2 spread, 3 lightning, 4
// explosion, 5 surround. The values hold the clone, speed, angle, distance,
// lifetime, the object size, the offsets and the direction code.
using ShotPatternFunction = void (*)(const cFiringView& view, const cEdShot& def, cLaunchValues& values,
                                     PatternSink sink, void* user);
extern const ShotPatternFunction ShotPatterns[kShotPatternCount];
// The formation of def.nFormation; nothing for a pattern outside the table or a
// direction code that names no direction.
void RunShotPattern(const cFiringView& view, const cEdShot& def, cLaunchValues& values, PatternSink sink,
                    void* user);

// The shot command's firing: the pattern once per clone pass (clones + 1 passes),
// speed, angle, distance, lifetime and offsets growing per pass. A count below 1
// fires nothing.
void FireShotPasses(const cFiringView& view, const cEdShot& def, PatternSink sink, void* user);
// A summon's placing: one pass at speed 1, angle 0, clone 0, objects w x h.
void FireSummonPass(const cFiringView& view, const cEdShot& def, int width, int height, PatternSink sink,
                    void* user);
