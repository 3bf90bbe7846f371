// The shot movement types: straight, a single turn toward the player, the nearest
// character or the target after a set distance, homing between two distances, a
// sine wave across the flight, and a fall under gravity.
#include "chara/shot_moves.h"

#include <cmath>

#include "chara/aim_rules.h"
#include "chara/object_aim.h"
#include "chara/chara.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "chara/shot.h"
#include "data/project_globals.h"
#include "stage/scroll_axis.h"
#include "stage/stage_scene.h"

namespace {

constexpr double kTwoPi = 2 * 3.14159265358979323846;

double Steps() { return StageData.dSteps >= 1 ? StageData.dSteps : 1.0; }

double CentreX(const cObject& o) { return o.m_nScreenLeft + (o.m_nDrawWidth >> 1); }
double CentreY(const cObject& o) { return o.m_nScreenTop + (o.m_nDrawHeight >> 1); }

// The flight velocity from the shot's centre toward a character's centre.
void AimAt(cShot& s, const cChara& target, double& vx, double& vy) {
  int direction = 0;
  AimVector(vx, vy, direction, AimTargetOf(&target), CentreX(s), CentreY(s), CentreX(target), CentreY(target),
            s.m_dFlightSpeed, s.m_bScrollSync, 1, 0, PlayAimScroll());
}

cChara* PlayerOne() { return Player.empty() ? nullptr : &Player.front(); }

// The nearest character of a force for the shots' search; null without a stage.
cChara* NearestOfForce(const cShot& s, int force) {
  cStageScene* scene = StageScene();
  if (!scene) return nullptr;
  return s.FindNearestForShot(scene->m_CharaGroups.At(force));
}

cChara* LiveTarget(const cShot& s) { return s.m_pTarget && !s.m_pTarget->m_bDead ? s.m_pTarget : nullptr; }

// A distance in half-blocks as the steps the shot needs to cover it.
int DistanceSteps(int hbl, double speed) {
  if (speed == 0) return 0;
  const double steps = hbl * 16.0 / speed;
  return std::isfinite(steps) && std::fabs(steps) < 2e9 ? static_cast<int>(steps) : 0;
}

// The first call of a type that turns: the flight speed and the distances as steps.
void PrepareTurn(cShot& s, bool homing) {
  if (s.m_nStepCount != 0 || s.m_bMoveDone) return;
  s.m_dFlightSpeed = (s.m_Def.nSpeed + static_cast<double>(s.m_Def.nSpeedClone) * s.m_nClone) * 0.1 / Steps();
  if (s.m_Def.nMoveParam[0] != 0) s.m_nTriggerStep = DistanceSteps(s.m_Def.nMoveParam[0], s.m_dFlightSpeed);
  if (homing && s.m_Def.nMoveParam[1] != 0) s.m_nEndStep = DistanceSteps(s.m_Def.nMoveParam[1], s.m_dFlightSpeed);
}

void ShotMoveStraight(cShot&) {}

// Types 1 to 3: one turn when the trigger step comes.
void AimOnce(cShot& s, cChara* (*find)(cShot&)) {
  PrepareTurn(s, false);
  if (s.m_bMoveDone) return;
  if (s.m_nStepCount != s.m_nTriggerStep) {
    ++s.m_nStepCount;
    return;
  }
  s.CalcScreenRect();
  if (cChara* t = find(s)) {
    AimAt(s, *t, s.m_dFlightX, s.m_dFlightY);
    if (s.m_bAccelOn) s.AccelAlong(s.m_dFlightX, s.m_dFlightY);
  }
  s.m_bMoveDone = 1;
}

void ShotMoveAimPlayer(cShot& s) { AimOnce(s, [](cShot&) { return PlayerOne(); }); }
void ShotMoveAimNearest(cShot& s) { AimOnce(s, [](cShot& x) { return NearestOfForce(x, x.m_Def.nMoveParam[1]); }); }
void ShotMoveAimTarget(cShot& s) { AimOnce(s, [](cShot& x) { return LiveTarget(x); }); }

// Types 4 to 7: homing from the trigger step until the end step.
void HomeBetween(cShot& s, cChara* (*find)(cShot&)) {
  PrepareTurn(s, true);
  if (s.m_bMoveDone) return;
  if (s.m_nStepCount >= s.m_nEndStep) {
    s.m_bMoveDone = 1;
  } else if (s.m_nStepCount >= s.m_nTriggerStep) {
    s.CalcScreenRect();
    if (cChara* t = find(s)) ShotHoming(s, *t);
  }
  ++s.m_nStepCount;
}

void ShotMoveHomePlayer(cShot& s) { HomeBetween(s, [](cShot&) { return PlayerOne(); }); }
void ShotMoveHomeNearest(cShot& s) {
  HomeBetween(s, [](cShot& x) { return NearestOfForce(x, x.m_Def.nMoveParam[2]); });
}
void ShotMoveHomeTarget(cShot& s) { HomeBetween(s, [](cShot& x) { return LiveTarget(x); }); }

// Type 8: the sideways offset follows A sin(r t + a) along the launch direction.
void ShotMoveWave(cShot& s) {
  const int rate = s.m_Def.nMoveParam[1];
  const double N = Steps();
  if (s.m_nStepCount == 0) {
    s.m_nStepCount = 1;
    s.m_nWaveAmplitude = s.m_Def.nMoveParam[0] * 16;
    // A rate of 0 has no period: the shot flies straight.
    if (rate == 0) return;
    const double a = s.m_nFacing == 1 ? s.m_Def.nMoveParam[2] : s.m_Def.nMoveParam[2] + 180.0;
    s.m_dWavePhase = N * (a / rate);
    const double v = WaveSpeed(s.m_nWaveAmplitude, rate, s.m_dWavePhase, 1, 0, N);
    double theta = std::atan2(s.m_dFlightY, s.m_dFlightX);
    if (theta < 0) theta += kTwoPi;
    const double psi = (theta * 57.29577951308239 - 90) * kTwoPi / 360.0;
    s.m_dWaveCos = std::cos(psi);
    s.m_dWaveSin = std::sin(psi);
    s.m_dFlightX += v * s.m_dWaveCos;
    s.m_dFlightY += v * s.m_dWaveSin;
  } else {
    if (rate == 0) return;
    const double g = WaveAcceleration(s.m_nWaveAmplitude, rate, s.m_dWavePhase, 1, 0, N);
    // The wave never turns the shot backward on an axis.
    auto add = [](double& speed, double change) {
      const double next = speed + change;
      speed = (speed > 0 && next < 0) || (speed < 0 && next > 0) ? 0 : next;
    };
    add(s.m_dFlightX, g * s.m_dWaveCos);
    add(s.m_dFlightY, g * s.m_dWaveSin);
  }
  if (s.m_bAccelOn) s.AccelAlong(s.m_dFlightX, s.m_dFlightY);
}

// Type 9: from the trigger step on it falls, keeping its horizontal flight.
void ShotMoveFall(cShot& s) {
  PrepareTurn(s, false);
  if (s.m_bMoveDone) return;
  if (s.m_nStepCount >= s.m_nTriggerStep) {
    s.m_dSpeedY = s.m_dFlightY;
    s.m_bFlying = 0;
    s.m_bMoveDone = 1;
  }
  ++s.m_nStepCount;
}

}  // namespace

const ShotMoveFunction ShotMoveTypes[kShotMoveTypeCount] = {
    ShotMoveStraight,   ShotMoveAimPlayer,  ShotMoveAimNearest, ShotMoveAimTarget, ShotMoveHomePlayer,
    ShotMoveHomeNearest, ShotMoveHomeTarget, ShotMoveHomeNearest, ShotMoveWave,     ShotMoveFall,
};

void RunShotMove(cShot& shot) {
  const int type = shot.m_Def.nMoveType;
  if (type >= 0 && type < kShotMoveTypeCount) ShotMoveTypes[type](shot);
}

void ShotHoming(cShot& s, cChara& target) {
  double ax = 0, ay = 0;
  AimAt(s, target, ax, ay);
  if (!s.m_bAccelOn) {
    s.m_dFlightX = ax;
    s.m_dFlightY = ay;
    return;
  }
  if (s.m_nStepCount == s.m_nTriggerStep) {
    s.m_dFlightX = ax;
    s.m_dFlightY = ay;
  }
  s.AccelAlong(ax, ay);
}
