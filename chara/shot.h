#pragma once
#include <cstdint>

#include "app/base/vector.h"
#include "chara/object.h"

class cChara;
class cEdShot;
struct cLaunchValues;
struct DDSURFACEDATA;

// The fields of a shot definition that a shot in flight reads, copied at launch:
// a plain value with no heap, so that a firing of many shots allocates nothing
// beyond each shot's place in the list. The names are the definition's own.
struct cShotSpec {
  int16_t nGraphic = 0;
  int8_t nZ = 0;
  int8_t bHidden = 0;
  int8_t nFaction = 0;
  int8_t nSize = 1;
  int8_t nMoveType = 0;           // movement type 0 to 9; a stroke: its sword type
  int16_t nMoveParam[3] = {0, 0, 0};
  int8_t bScrollSync = 0;
  int16_t nSpeed = 0;
  int16_t nSpeedClone = 0;
  int8_t bAccel = 0;
  int16_t nAccel = 0;
  int16_t nAccelClone = 0;
  int8_t bRange = 0;
  int8_t bKeepAfterRange = 0;
  int8_t bLifetime = 0;
  int8_t bPassBlocks = 0;
  int8_t bPierceChara = 0;
  int8_t bPierceBlockChara = 0;
  int8_t bDestructible = 0;
  int8_t nVanishValue = 0;
  int32_t nPower = 0;
  int8_t nImpact = 0;
  int16_t nEffect = 0;
  int8_t nItemKind = 0;
  int16_t nItemIndex = 0;

  void From(const cEdShot& def);
};

// A shot in flight (or a sword stroke): the compact copy of its definition, its
// owner's identity, the character it aims at and its hit box. It lives in the
// stage scene's shot list; while it aims at a character, that character lists it,
// so that removing either side clears the other's pointer.
class cShot : public cObject {
 public:
  // Command types that launch a shot.
  enum { kTypeShot = 11, kTypeSword = 12 };

  cShot() = default;
  ~cShot() override;
  cShot(const cShot&) = delete;
  cShot& operator=(const cShot&) = delete;

  void ScaleHitBoxes(int scale) override { m_HitBox.Scale(scale); }
  void KeepBottomOnRescale(int scale, int oldScale) override;
  void UpdateHitBoxX() override { m_HitBox.UpdateX(m_dX); }
  void UpdateHitBoxY() override { m_HitBox.UpdateY(m_dY); }

  // Aims at `target` (or at nothing), keeping the target's list of shots in step.
  void SetTarget(cChara* target);
  // Sets the shot (type 11) or the stroke (type 12) up from the definition and the
  // launch values of its firing. A size below 1 in the definition becomes 1.
  void Launch(int identity, cChara& owner, int type, cEdShot& def, const cLaunchValues& values);
  // One logic step of flight or of the stroke: 1 when the shot ends.
  int Update();
  // The step's moves, with the acceleration added once more.
  void MoveX();
  void MoveY();
  // Keeps x inside the stage's outer limit: 3 at an end, else 0.
  int ClampXToStage();
  // The shot touches a block that stops its force.
  int HitsBlock();
  // The acceleration (move speeds) along (vx, vy) at the launch magnitude.
  void AccelAlong(double vx, double vy);
  // The sword stroke's step: 1 when it ends.
  int FollowOwner();
  // Draws the shot or the stroke; held draws without advancing.
  void Draw(DDSURFACEDATA* target, int held);

  cShotSpec m_Def;
  int32_t m_nOwnerId = 0;
  cChara* m_pTarget = nullptr;
  int32_t m_bSword = 0;           // a stroke: not launched, follows its owner
  int32_t m_nFlightSteps = 0;     // steps left before the flight distance is reached
  int32_t m_nLifeSteps = 0;       // steps left before the lifetime ends
  int32_t m_nStepCount = 0;       // steps since launch; a stroke: steps in its frame
  int32_t m_nSwordFrame = 0;
  double m_dAccel = 0;            // acceleration magnitude per step
  double m_dFlightSpeed = 0;      // the speed the movement types steer with
  double m_dFlightX = 0, m_dFlightY = 0;
  int32_t m_bAccelOn = 0;
  int32_t m_nTriggerStep = 0;
  int32_t m_nEndStep = 0;
  int32_t m_bMoveDone = 0;
  double m_dWavePhase = 0;
  double m_dWaveSin = 0, m_dWaveCos = 0;
  int32_t m_nWaveAmplitude = 0;   // dots, once the wave has started
  int32_t m_nAnimeFrames = 0;     // frames its picture has been shown
  cHitBox m_HitBox;
  // The characters (identities) it has hit and passed through: never hit again.
  cVector<int32_t> m_HitCharas;
  // Destroyed during the contact pass: skipped, then erased at the pass's end.
  int32_t m_bSpent = 0;
};

// The value of the shot picture's animation after `frames` frames: sequence 1
// (shots) shows 0 and 1 for 8 frames each over and over; sequence 0 shows 0, 1, 2
// for 7 frames each and stays on 2.
int ShotAnimeValue(int sequence, int frames);
// The shot sheet n (20 facing left, 21 right) or, under DirectDraw, its twin n + 18
// when n has no surface of its own or a twin is wanted and there is one.
int SelectShotSheet(int n, int wantTwin);
